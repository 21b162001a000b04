#pragma once
// Backup and restore of the ward's data as the windows and the administrator's commands do
// them: the ".mdb" rule, the remembered 备份地址, the default folder, the checks and the
// messages. The copying itself is the store's (store/DatabaseBackup.h).
#include <QString>
#include <functional>

#include "shell/UserContext.h"
#include "store/DatabaseBackup.h"
#include "store/DatabaseFiles.h"
#include "interaction/UserInterface.h"

namespace qh::shell {

inline const QString kBackupFilter = QStringLiteral("病历 (*.mdb)");
inline const QString kBackupTitle = QStringLiteral("数据库备份目的目录");
inline const QString kRestoreTitle = QStringLiteral("选择备份数据库目录");
inline const QString kBackupDone = QStringLiteral("数据库备份成功！");
inline const QString kBackupFailed = QStringLiteral("数据库备份失败！");
inline const QString kRestoreDone = QStringLiteral("数据库还原成功！");
inline const QString kRestoreFailed = QStringLiteral("数据库还原失败！");

// The chosen name with ".mdb" appended unless it ends with exactly ".mdb".
QString backupFileName(const QString& chosen);
// 备份地址 of 备份; empty when the file does not open or it is not set.
QString storedBackupPath(const store::DataDirectory& files);
// Stores path in 备份地址, inserting the row of 备份 when the table has none.
bool rememberBackupPath(const store::DataDirectory& files, const QString& path);
// Where the backup dialog starts: 备份地址 when its folder exists, otherwise a dated name
// in backup/ of the data directory (the folder is made).
QString startingBackupPath(const store::DataDirectory& files);
// The names the reference and coding files get beside a main backup: "x.mdb" gives
// "x-ZYBD.mdb" and "x-fwqdz.mdb".
QString companionBackupPath(const QString& mainBackup, store::DbFile f);

struct BackupOutcome {
    bool ok = false;
    QString message;  // kBackupDone / kBackupFailed / kRestoreDone / kRestoreFailed
    QString detail;   // why it failed, or where the safety copy went
};

// The main file to target (".mdb" appended) and, with companions, the other two beside it.
// 备份地址 is stored only when every copy succeeded.
BackupOutcome backupToFile(const store::DataDirectory& files, const QString& target, bool companions,
                           const store::CopyProgress& progress = {});
// The three files under their own names into folder.
BackupOutcome backupToFolder(const store::DataDirectory& files, const QString& folder,
                             const store::CopyProgress& progress = {});
// The checked file over the live main database, after a safety copy.
BackupOutcome restoreFromFile(const store::DataDirectory& files, const QString& source,
                              const store::CopyProgress& progress = {});

// The three files of a folder made by backupToFolder over the live ones. All three are
// checked before any is replaced; each is kept first as a safety copy. detail names the
// safety copies, or the file that failed and those already restored.
BackupOutcome restoreFromFolder(const store::DataDirectory& files, const QString& folder,
                                const store::CopyProgress& progress = {});

// The question before a restore, with what the file holds.
QString restoreQuestion(const QString& source, const store::MainDatabaseSummary& summary);

// The backup and restore commands of the main window. Both need XTGL and refuse without it.
class BackupRestore {
public:
    BackupRestore(const store::DataDirectory& files, const UserContext& user, ui::UserInterface& ui);

    // Asks for the target, copies the three files (the main one under the chosen name),
    // reports. False when refused, cancelled or failed.
    bool backup(const store::CopyProgress& progress = {});
    // Asks for the file, refuses one that is not a sound main database of this program,
    // asks with what it holds, then runs beforeRestore (offering the open document for
    // saving), restores, and runs afterRestore (lists and selection read again) on success.
    bool restore(const store::CopyProgress& progress = {}, const std::function<void()>& beforeRestore = {},
                 const std::function<void()>& afterRestore = {});

private:
    store::DataDirectory files_;
    const UserContext& user_;
    ui::UserInterface& ui_;
};

}  // namespace qh::shell
