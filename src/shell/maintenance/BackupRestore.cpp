#include "shell/maintenance/BackupRestore.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include "shell/MainCommands.h"
#include "store/Connection.h"

namespace qh::shell {

QString backupFileName(const QString& chosen) {
    return chosen.endsWith(QStringLiteral(".mdb")) ? chosen : chosen + QStringLiteral(".mdb");
}

QString storedBackupPath(const store::DataDirectory& files) {
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return {};
    return db.query(QStringLiteral("select 备份地址 from 备份")).first().text(QStringLiteral("备份地址"));
}

bool rememberBackupPath(const store::DataDirectory& files, const QString& path) {
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return false;
    // The settings row may be missing in a damaged or hand-made file: it is made, not
    // "updated" into nothing.
    if (db.query(QStringLiteral("select count(*) from 备份")).first().value(0).toInt() == 0)
        return db.execute(QStringLiteral("insert into 备份 (备份地址) values (?)"), {path}).changed();
    return db.execute(QStringLiteral("update 备份 set 备份地址=?"), {path}).ok;
}

QString startingBackupPath(const store::DataDirectory& files) {
    const QString stored = storedBackupPath(files);
    if (!stored.isEmpty() && QFileInfo(QFileInfo(stored).absolutePath()).isDir()) return stored;
    const QString folder = QDir(files.dir()).filePath(QStringLiteral("backup"));
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("青禾病历%1.mdb").arg(QDate::currentDate().toString(u"yyyyMMdd")));
}

QString companionBackupPath(const QString& mainBackup, store::DbFile f) {
    QString base = mainBackup;
    if (base.endsWith(QStringLiteral(".mdb"))) base.chop(4);
    return base + QStringLiteral("-") + store::fileName(f);
}

BackupOutcome backupToFile(const store::DataDirectory& files, const QString& target, bool companions,
                           const store::CopyProgress& progress) {
    const QString name = backupFileName(target);
    store::CopyOutcome copied = store::backupDatabaseFile(files, store::DbFile::Main, name, progress);
    if (copied.ok && companions)
        for (store::DbFile f : {store::DbFile::Coding, store::DbFile::Reference}) {
            copied = store::backupDatabaseFile(files, f, companionBackupPath(name, f), progress);
            if (!copied.ok) break;
        }
    if (!copied.ok) return {false, kBackupFailed, copied.error};
    rememberBackupPath(files, QFileInfo(name).absoluteFilePath());
    return {true, kBackupDone, QFileInfo(name).absoluteFilePath()};
}

BackupOutcome backupToFolder(const store::DataDirectory& files, const QString& folder,
                             const store::CopyProgress& progress) {
    if (QFileInfo(folder).exists() && !QFileInfo(folder).isDir())
        return {false, kBackupFailed, QStringLiteral("不是文件夹：") + folder};
    for (store::DbFile f : store::allDbFiles()) {
        const store::CopyOutcome copied =
            store::backupDatabaseFile(files, f, QDir(folder).filePath(store::fileName(f)), progress);
        if (!copied.ok) return {false, kBackupFailed, copied.error};
    }
    rememberBackupPath(files, QDir(folder).absoluteFilePath(store::fileName(store::DbFile::Main)));
    return {true, kBackupDone, QDir(folder).absolutePath()};
}

BackupOutcome restoreFromFile(const store::DataDirectory& files, const QString& source,
                              const store::CopyProgress& progress) {
    QString kept;
    const store::CopyOutcome restored =
        store::restoreDatabaseFile(files, store::DbFile::Main, source, progress, &kept);
    if (!restored.ok) return {false, kRestoreFailed, restored.error};
    return {true, kRestoreDone, QStringLiteral("还原前的数据已保存为：") + QDir::toNativeSeparators(kept)};
}

BackupOutcome restoreFromFolder(const store::DataDirectory& files, const QString& folder,
                                const store::CopyProgress& progress) {
    // A folder missing one file or holding a foreign or damaged one changes nothing.
    for (store::DbFile f : store::allDbFiles()) {
        const store::CopyOutcome checked = store::checkRestoreSource(QDir(folder).filePath(store::fileName(f)), f);
        if (!checked.ok) return {false, kRestoreFailed, checked.error};
    }
    QStringList kept, restored;
    for (store::DbFile f : store::allDbFiles()) {
        QString safety;
        const store::CopyOutcome one =
            store::restoreDatabaseFile(files, f, QDir(folder).filePath(store::fileName(f)), progress, &safety);
        if (!one.ok) {
            const QString done = restored.isEmpty() ? QStringLiteral("没有文件被还原")
                                                    : QStringLiteral("已还原：") + restored.join(QStringLiteral("、")) +
                                                          QStringLiteral("；还原前的数据：") + kept.join(QStringLiteral("、"));
            return {false, kRestoreFailed, store::fileName(f) + QStringLiteral("：") + one.error + QStringLiteral("（") + done + QStringLiteral("）")};
        }
        restored << store::fileName(f);
        kept << QDir::toNativeSeparators(safety);
    }
    return {true, kRestoreDone, QStringLiteral("还原前的数据已保存为：") + kept.join(QStringLiteral("、"))};
}

QString restoreQuestion(const QString& source, const store::MainDatabaseSummary& summary) {
    return QStringLiteral("你确定要还原数据库") + source + QStringLiteral("到本程序吗？") + QStringLiteral("\r\n\r\n") +
           QStringLiteral("备份内容：%1，病人 %2 人，最近入院 %3")
               .arg(summary.hospitalName.isEmpty() ? QStringLiteral("（无医院名称）") : summary.hospitalName)
               .arg(summary.patients)
               .arg(summary.newestStay.isEmpty() ? QStringLiteral("无") : summary.newestStay) +
           QStringLiteral("\r\n\r\n") + QStringLiteral("   注意：还原后现有数据将被覆盖！");
}

BackupRestore::BackupRestore(const store::DataDirectory& files, const UserContext& user, ui::UserInterface& ui)
    : files_(files), user_(user), ui_(ui) {}

bool BackupRestore::backup(const store::CopyProgress& progress) {
    if (!requireRight(user_.XTGL, ui_)) return false;
    const QString chosen = ui_.saveFileName(kBackupTitle, startingBackupPath(files_), kBackupFilter);
    if (chosen.isEmpty()) return false;
    const BackupOutcome outcome = backupToFile(files_, chosen, true, progress);
    ui_.messageDialog(outcome.ok ? outcome.message : outcome.message + QStringLiteral("\n") + outcome.detail);
    return outcome.ok;
}

bool BackupRestore::restore(const store::CopyProgress& progress, const std::function<void()>& beforeRestore,
                            const std::function<void()>& afterRestore) {
    if (!requireRight(user_.XTGL, ui_)) return false;
    const QString chosen = ui_.openFileName(kRestoreTitle, storedBackupPath(files_), kBackupFilter);
    if (chosen.isEmpty()) return false;
    // A foreign or damaged file is refused before the question: nothing is at stake yet.
    if (const store::CopyOutcome checked = store::checkRestoreSource(chosen, store::DbFile::Main); !checked.ok) {
        ui_.messageDialog(kRestoreFailed + QStringLiteral("\n") + checked.error);
        return false;
    }
    if (!ui_.askOkCancel(QStringLiteral("青禾电子病历"), restoreQuestion(chosen, store::summariseMainDatabase(chosen))))
        return false;
    if (beforeRestore) beforeRestore();
    const BackupOutcome outcome = restoreFromFile(files_, chosen, progress);
    if (outcome.ok && afterRestore) afterRestore();
    ui_.messageDialog(outcome.message + QStringLiteral("\n") + outcome.detail);
    return outcome.ok;
}

}  // namespace qh::shell
