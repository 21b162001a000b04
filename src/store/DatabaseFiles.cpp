#include "store/DatabaseFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "store/ExternalDatabase.h"
#include "store/TableConnection.h"

namespace qh::store {

namespace {
QString& dataDirectorySetting() {
    static QString dir;
    return dir;
}
}  // namespace

QString fileName(DbFile f) {
    switch (f) {
    case DbFile::Main: return QStringLiteral("dzbl.mdb");
    case DbFile::Reference: return QStringLiteral("ZYBD.mdb");
    case DbFile::Coding: return QStringLiteral("fwqdz.mdb");
    }
    return {};
}

QString password(DbFile f) {
    switch (f) {
    case DbFile::Main: return QStringLiteral("5170462");
    case DbFile::Reference: return QStringLiteral("hbr630215");
    case DbFile::Coding: return QStringLiteral("hbr62408");
    }
    return {};
}

QString path(DbFile f) {
    return QDir(dataDirectory()).filePath(fileName(f));
}

void setDataDirectory(const QString& dir) {
    dataDirectorySetting() = dir.isEmpty() ? QString() : QDir(dir).absolutePath();
}

QString dataDirectory() {
    if (!dataDirectorySetting().isEmpty()) return dataDirectorySetting();
    // Before start-up has named one, the program's own directory.
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QList<DbFile> allDbFiles() { return {DbFile::Main, DbFile::Reference, DbFile::Coding}; }

std::optional<DbFile> dbFileOf(const QString& fileNameOrPath) {
    const QString name = QFileInfo(fileNameOrPath).fileName();
    for (DbFile f : allDbFiles())
        if (name.compare(fileName(f), Qt::CaseInsensitive) == 0) return f;
    return std::nullopt;
}

QString dataStem(DbFile f) { return QFileInfo(fileName(f)).completeBaseName(); }

bool openFile(ExternalDatabase& db, DbFile f) {
    return db.Open(path(f), QString::fromUtf8(kDbUser), password(f));
}

bool openFile(TableConnection& connection, DbFile f) {
    return connection.Open(path(f), password(f));
}

}  // namespace qh::store
