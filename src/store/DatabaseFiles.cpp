#include "store/DatabaseFiles.h"

#include <QDir>
#include <QFileInfo>

namespace qh::store {

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

DataDirectory::DataDirectory(const QString& dir) : dir_(QDir(dir).absolutePath()) {}

QString DataDirectory::path(DbFile f) const { return QDir(dir_).filePath(fileName(f)); }

QList<DbFile> allDbFiles() { return {DbFile::Main, DbFile::Reference, DbFile::Coding}; }

std::optional<DbFile> dbFileOf(const QString& fileNameOrPath) {
    const QString name = QFileInfo(fileNameOrPath).fileName();
    for (DbFile f : allDbFiles())
        if (name.compare(fileName(f), Qt::CaseInsensitive) == 0) return f;
    return std::nullopt;
}

QString dataStem(DbFile f) { return QFileInfo(fileName(f)).completeBaseName(); }

}  // namespace qh::store
