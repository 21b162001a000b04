#pragma once
// What a database file holds in its schema, read through the SQLite API: the objects in
// the order they were made, the schema a file should hold (built afresh in memory from
// its schema SQL), and the version that SQL declares. Shared by the check and the upgrade.
#include <QList>
#include <QString>
#include <QStringList>

#include "store/SqliteFile.h"

namespace qh::store::detail {

struct SchemaObject {
    QString type;  // table, view, index, trigger
    QString name;
    QString table;  // the table an index or trigger belongs to
    QString sql;    // as stored; empty for an index SQLite made itself
};

// The ward's word for an object's type: 表, 视图, 索引, 触发器.
QString kindName(const QString& type);

// Rows of a query as texts; *error set when it cannot run.
QList<QStringList> rowsOf(sqlite3* db, const QString& sql, QString* error = nullptr);

// The file's own objects (not SQLite's), in the order they were made.
QList<SchemaObject> schemaObjectsOf(sqlite3* db);

// (name, declared type) of a table's or view's columns, by lower-cased column name.
QMap<QString, QPair<QString, QString>> columnsOf(sqlite3* db, const QString& table, QString* error = nullptr);

// A connection to an in-memory database holding exactly what schemaSql makes (with the
// column triggers). Null with *error set when the SQL cannot be used.
DbHandle expectedSchema(const QString& schemaSql, QString* error);

// The version a schema SQL gives its file ("PRAGMA user_version = N;"), 0 when none, and
// the version a file carries.
int declaredSchemaVersion(const QString& schemaSql);
int storedSchemaVersion(sqlite3* db);

// Two CREATE statements that differ only in spacing or letter case of keywords make the
// same object.
bool sameDefinition(const QString& a, const QString& b);

}  // namespace qh::store::detail
