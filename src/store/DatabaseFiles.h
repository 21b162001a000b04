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

// Where the ward's three files are: made once at start-up (main() or the administrator's
// command) from --data DIR, QINGHE_DATA or the program's directory, and handed to every
// operation that opens a file.
class DataDirectory {
public:
    explicit DataDirectory(const QString& dir);
    const QString& dir() const { return dir_; }
    QString path(DbFile f) const;  // the file's full path

private:
    QString dir_;
};

// The three files in a fixed order (main, reference, coding).
QList<DbFile> allDbFiles();
// The file a name stands for, whatever folder it lies in ("/x/dzbl.mdb" is Main);
// the name compares without regard to case. Empty when it is none of the three.
std::optional<DbFile> dbFileOf(const QString& fileNameOrPath);
// The stem of the file's schema and seed data: "dzbl", "ZYBD", "fwqdz".
QString dataStem(DbFile f);


}  // namespace qh::store
