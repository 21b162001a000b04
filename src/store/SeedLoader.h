#pragma once
// Loading the seed content of a new database file: data/seed/<stem>/<table>.tsv.
// Each file is UTF-8, tab-separated, its first line the column names; inside a field
// \t, \n, \r and \\ stand for tab, line feed, carriage return and backslash; an empty
// field is NULL; a field "@file:relative/path" is the bytes of that file (relative to the
// tsv). Files load in name order; a leading number and '-' only orders them
// ("10-科室.tsv" fills 科室). Initials columns left empty or out are computed.
#include <QList>
#include <QString>
#include <QStringList>

namespace qh::store {

class Connection;

struct SeedTable {
    QString table;
    QStringList columns;
    QList<QStringList> rows;  // a null QString is SQL NULL
    QString error;            // set when the file cannot be read or a line is malformed
};

// The table a seed file fills: "10-科室.tsv" -> "科室", "xmzdb.tsv" -> "xmzdb".
QString seedTableName(const QString& fileName);
// A field as stored: escapes resolved, empty -> null.
QString unescapeSeedField(const QString& field);
SeedTable parseSeedFile(const QString& path);

struct SeedResult {
    bool ok = false;
    QString error;  // names the file and what went wrong
    int rows = 0;
};

// Loads every *.tsv of seedDir into the open database, one transaction per file; stops at
// the first file that fails (that file's rows are not kept). A missing seedDir loads nothing.
SeedResult loadSeedDirectory(Connection& db, const QString& seedDir);

}  // namespace qh::store
