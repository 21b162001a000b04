#pragma once
// The three database files, their fixed credentials, and where the data directory is.
#include <QList>
#include <QString>
#include <optional>

namespace qh::store {

enum class DbFile { Main, Reference, Coding };  // dzbl.mdb, ZYBD.mdb, fwqdz.mdb

inline constexpr const char* kDbUser = "管理员";
QString fileName(DbFile f);     // "dzbl.mdb", ...
QString password(DbFile f);     // the file's database password
// Full path of the file in the data directory in force (see setDataDirectory).
QString path(DbFile f);

// The data directory: the program's directory unless the command line (--data DIR) or
// the environment (QINGHE_DATA) names another. Set once at start-up.
void setDataDirectory(const QString& dir);
QString dataDirectory();

// The three files in a fixed order (main, reference, coding).
QList<DbFile> allDbFiles();
// The file a name stands for, whatever folder it lies in ("/x/dzbl.mdb" is Main);
// the name compares without regard to case. Empty when it is none of the three.
std::optional<DbFile> dbFileOf(const QString& fileNameOrPath);
// The stem of the file's schema and seed data: "dzbl", "ZYBD", "fwqdz".
QString dataStem(DbFile f);

class ExternalDatabase;
class TableConnection;
// Opens the file of the data directory with its fixed user and password: the one way an
// operation reaches a database file. False when it cannot be opened.
bool openFile(ExternalDatabase& db, DbFile f);
bool openFile(TableConnection& connection, DbFile f);

}  // namespace qh::store
