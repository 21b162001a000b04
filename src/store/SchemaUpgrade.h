#pragma once
// Bringing the files of a ward made by an earlier version up to the schema this version
// builds: tables and columns it lacks are added, indexes, views and triggers it lacks or
// holds in an older form are made anew, retired ones (the schema's "DROP ... IF EXISTS")
// go, and the file takes the schema's version (PRAGMA user_version). Stored rows are never
// touched; objects a hospital added itself stay. One transaction per file: a failure
// leaves that file as it was.
#include <QString>
#include <QStringList>
#include <functional>

#include "store/DatabaseFiles.h"

namespace qh::store {

struct UpgradeReport {
    bool ok = true;
    QStringList changes;  // one line each, beginning with the file name
    QString error;        // the reason when !ok
};

using UpgradeProgress = std::function<void(const QString& step)>;

// The files of dir whose stored version is older than their schema's (cheap: reads one
// number per file).
QStringList filesNeedingUpgrade(const QString& dir);

UpgradeReport upgradeDatabaseFile(const QString& path, DbFile f, const QString& schemaSql,
                                  const UpgradeProgress& progress = {});
// Each of the three files of dir against the compiled-in schema (or schemaDir/<stem>.sql).
UpgradeReport upgradeDataDirectory(const QString& dir, const UpgradeProgress& progress = {},
                                   const QString& schemaDir = {});

}  // namespace qh::store
