#pragma once
// Building the tables, indexes and views of a new database file from its schema SQL
// (data/schema/<stem>.sql, compiled in as ":/schema/<stem>.sql"), together with the
// triggers that keep date and yes/no columns in their one stored form.
#include <QString>
#include <QStringList>

#include "store/DatabaseFiles.h"

struct sqlite3;

namespace qh::store {

// The schema SQL of a file from the resources (or from schemaDir/<stem>.sql when given).
// Empty with *error set when it cannot be read.
QString schemaSql(DbFile f, const QString& schemaDir = {}, QString* error = nullptr);

// The triggers for every DATETIME and BOOLEAN column of the tables in db:
//  - a DATETIME column is set to qh_date(new value) after every insert or update of it,
//    so a quoted '2016-3-5 9:07' or '2016年3月5日8时30分' is stored as 2016-03-05 08:30:00
//    (and a text that is no date makes the statement fail);
//  - a BOOLEAN column written as one of the texts the ward uses for yes/no ('1', '√',
//    '真', '是', 'A', ... and '0', '', '假', '否', 'B', ...) is stored as 1 or 0.
QStringList columnTriggerStatements(sqlite3* db);

// Runs the schema script and then the column triggers, all in one transaction.
bool applySchema(sqlite3* db, const QString& sql, QString* error);

// Creates a new file at path with f's credentials and schema (and nothing else).
// Refuses when anything exists at path; leaves no file behind on failure.
bool createSchemaFile(const QString& path, DbFile f, const QString& schemaSql, QString* error);

}  // namespace qh::store
