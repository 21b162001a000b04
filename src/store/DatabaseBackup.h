#pragma once
// Copying a ward's database file out (backup) and a checked copy back in (restore), both
// through SQLite's online backup, so a copy is consistent even while another window or
// workstation writes, and a restore replaces the live file in one transaction.
#include <QString>
#include <functional>

#include "store/DatabaseFiles.h"

namespace qh::store {

// Pages copied so far and pages in all; called between steps.
using CopyProgress = std::function<void(int done, int total)>;

struct CopyOutcome {
    bool ok = false;
    QString error;  // one line, in the program's language, when !ok
};

// Copies the live file f of files to target. The copy is written under a temporary name
// beside target, checked (integrity, credentials, structure) and only then renamed over
// target, so target is never a half-written file. A target that is one of the live files
// (or the folder of a name) is refused; a missing folder is made.
CopyOutcome backupDatabaseFile(const DataDirectory& files, DbFile f, const QString& target,
                               const CopyProgress& progress = {});

// Whether path can be restored as file f: it opens with f's credentials and passes the
// integrity and structure checks. The reason when it cannot.
CopyOutcome checkRestoreSource(const QString& path, DbFile f);

// What a main database holds, for the question before it is restored.
struct MainDatabaseSummary {
    QString hospitalName;  // 备份.医院名称
    int patients = 0;      // rows of 在院病人
    QString newestStay;    // the latest 入院日期, yyyy-MM-dd; empty when none
};
MainDatabaseSummary summariseMainDatabase(const QString& path);

// Where the copy kept before a restore goes: backup/<stem>-还原前-yyyyMMdd-HHmmss.mdb in
// the data directory.
QString safetyCopyPath(const DataDirectory& files, DbFile f);

// Replaces the live file f with the contents of source. Nothing is touched unless source
// passes checkRestoreSource and the current file has first been kept as a safety copy
// (safetyCopy receives its path). The replacement is one transaction on the live file: a
// failure or a crash half-way leaves the old contents.
CopyOutcome restoreDatabaseFile(const DataDirectory& files, DbFile f, const QString& source,
                                const CopyProgress& progress = {}, QString* safetyCopy = nullptr);

}  // namespace qh::store
