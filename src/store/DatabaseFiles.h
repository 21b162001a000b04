#pragma once
// The three database files, their fixed credentials, and where the data directory is.
#include <QString>

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

}  // namespace qh::store
