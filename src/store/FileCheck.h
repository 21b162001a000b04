#pragma once
// Checking a ward's database files: present, openable with their own credentials, sound
// (PRAGMA integrity_check), and holding every table, column, view, index and column
// trigger that their schema SQL makes. Files are opened read-only; nothing is changed.
#include <QString>
#include <QStringList>
#include <functional>

#include "store/DatabaseFiles.h"

namespace qh::store {

struct CheckReport {
    QStringList problems;    // one line each, beginning with the file name
    QStringList upgradable;  // those of them the schema upgrade repairs (a table, column,
                             // index, view or trigger missing, an older schema version)
    bool ok() const { return problems.isEmpty(); }
    // Sound data of this program, perhaps of an earlier version: what a backup or a
    // restore requires.
    bool sound() const { return problems.size() == upgradable.size(); }
};

// Hears each step, and every ten seconds of the integrity check (minutes on a ward of ten
// years) that it is still at work: "dzbl.mdb：完整性检查进行中（已 40 秒）". It may be called
// from another thread while the check waits on SQLite.
using CheckProgress = std::function<void(const QString& step)>;

CheckReport checkDatabaseFile(const QString& path, DbFile f, const QString& schemaSql,
                              const CheckProgress& progress = {});
// The three files of dir against the compiled-in schema (or schemaDir/<stem>.sql).
CheckReport checkDataDirectory(const QString& dir, const QString& schemaDir = {}, const CheckProgress& progress = {});

}  // namespace qh::store
