#include "store/DatabaseBackup.h"

#include "store/Connection.h"

#include <sqlite3.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cstdio>

#include "store/FileCheck.h"
#include "store/SchemaUpgrade.h"
#include "store/SchemaCreation.h"
#include "store/SqliteFile.h"

namespace qh::store {

namespace {

using detail::DbHandle;

constexpr int kPagesPerStep = 256;
constexpr int kBusyWaitMs = 30000;
constexpr int kRestartsBeforeOneStep = 3;

CopyOutcome failed(const QString& error) { return {false, error}; }

// The path a name stands for, links resolved where the file exists.
QString resolvedPath(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

bool isLiveFile(const DataDirectory& files, const QString& path) {
    const QString p = resolvedPath(path);
    for (DbFile f : allDbFiles())
        if (resolvedPath(files.path(f)) == p) return true;
    return false;
}

DbHandle openPlain(const QString& path, int flags, QString* error) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(QFileInfo(path).absoluteFilePath()).constData(), &raw, flags,
                                   nullptr);
    DbHandle db(raw);
    if (rc != SQLITE_OK) {
        *error = raw ? detail::lastSqliteError(raw) : QStringLiteral("无法打开 ") + path;
        return nullptr;
    }
    sqlite3_busy_timeout(raw, 5000);
    return db;
}

// Copies every page of from into to. Steps of a few pages keep the source readable by
// others in between; a source written meanwhile makes the copy start again, and after a
// few such restarts the rest is copied in one step under one read lock. The destination's
// write transaction spans all steps: it is committed only when the copy is complete.
bool copyPages(sqlite3* to, sqlite3* from, const CopyProgress& progress, QString* error) {
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup) {
        *error = detail::lastSqliteError(to);
        return false;
    }
    int restarts = 0, waited = 0, lastRemaining = -1;
    int rc;
    for (;;) {
        rc = sqlite3_backup_step(backup, restarts >= kRestartsBeforeOneStep ? -1 : kPagesPerStep);
        const int total = sqlite3_backup_pagecount(backup);
        const int remaining = sqlite3_backup_remaining(backup);
        if (progress) progress(total - remaining, total);
        if (rc == SQLITE_DONE) break;
        if (rc == SQLITE_OK) {
            if (lastRemaining >= 0 && remaining > lastRemaining) ++restarts;
            lastRemaining = remaining;
            continue;
        }
        if ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && waited < kBusyWaitMs) {
            // The source's busy handler is not asked here: poll briefly, or a steady writer wins.
            sqlite3_sleep(5);
            waited += 5;
            continue;
        }
        break;
    }
    const int finish = sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE || finish != SQLITE_OK) {
        *error = rc == SQLITE_BUSY || rc == SQLITE_LOCKED ? QStringLiteral("数据库文件正被占用")
                                                          : QString::fromUtf8(sqlite3_errstr(rc != SQLITE_DONE ? rc : finish));
        return false;
    }
    return true;
}

// The first problem the full check finds in path as file f that puts its data in doubt;
// empty when it passes. A file of an earlier version (an index or view it lacks) is sound:
// the upgrade brings it up to date after a restore.
QString firstProblem(const QString& path, DbFile f) {
    QString error;
    const QString sql = schemaSql(f, {}, &error);
    if (sql.isEmpty()) return error;
    const CheckReport report = checkDatabaseFile(path, f, sql);
    if (report.sound()) return {};
    QString problem;
    for (const QString& p : report.problems)
        if (!report.upgradable.contains(p)) {
            problem = p;
            break;
        }
    // The report names the file by its role ("dzbl.mdb："); the caller names the file itself.
    const QString prefix = fileName(f) + QStringLiteral("：");
    return problem.startsWith(prefix) ? problem.mid(prefix.size()) : problem;
}

void removeWithJournal(const QString& path) {
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

}  // namespace

CopyOutcome backupDatabaseFile(const DataDirectory& files, DbFile f, const QString& target,
                               const CopyProgress& progress) {
    if (target.trimmed().isEmpty()) return failed(QStringLiteral("没有指定备份文件名。"));
    if (QFileInfo(target).isDir()) return failed(QStringLiteral("备份目标是一个文件夹：") + target);
    if (isLiveFile(files, target)) return failed(QStringLiteral("备份目标是正在使用的数据库文件，不能覆盖：") + target);
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder)) return failed(QStringLiteral("无法创建文件夹：") + folder);

    QString error;
    DbHandle source = detail::openCredentialed(files.path(f), QString::fromUtf8(kDbUser), password(f), &error);
    if (!source) return failed(QStringLiteral("无法打开数据库文件 ") + fileName(f) + QStringLiteral("：") + error);

    const QString temp = QFileInfo(target).absoluteFilePath() +
                         QStringLiteral(".part-%1").arg(QRandomGenerator::global()->bounded(100000, 999999));
    bool copied = false;
    {
        DbHandle copy = openPlain(temp, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, &error);
        copied = copy && copyPages(copy.get(), source.get(), progress, &error);
    }
    source.reset();
    if (!copied) {
        removeWithJournal(temp);
        return failed(QStringLiteral("复制数据库失败：") + error);
    }
    if (const QString problem = firstProblem(temp, f); !problem.isEmpty()) {
        removeWithJournal(temp);
        return failed(QStringLiteral("备份副本检查未通过：") + problem);
    }
    // rename() replaces an existing target in one step: readers see the old copy or the new.
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(QFileInfo(target).absoluteFilePath()).constData()) != 0) {
        removeWithJournal(temp);
        return failed(QStringLiteral("无法写入备份文件：") + target);
    }
    return {true, {}};
}

CopyOutcome checkRestoreSource(const QString& path, DbFile f) {
    const QFileInfo info(path);
    if (!info.isFile()) return failed(QStringLiteral("文件不存在：") + path);
    if (info.size() == 0) return failed(QStringLiteral("文件是空的，不是数据库备份：") + path);
    if (const QString problem = firstProblem(path, f); !problem.isEmpty())
        return failed(QStringLiteral("所选文件不是本程序完好的") + fileName(f) + QStringLiteral("备份（") + problem +
                      QStringLiteral("），未做任何改动。"));
    return {true, {}};
}

MainDatabaseSummary summariseMainDatabase(const QString& path) {
    MainDatabaseSummary summary;
    QString error;
    DbHandle db = detail::openCredentialed(path, QString::fromUtf8(kDbUser), password(DbFile::Main), &error);
    if (!db) return summary;
    auto firstText = [&](const char* sql) {
        detail::StmtHandle stmt = detail::prepare(db.get(), QString::fromUtf8(sql), &error);
        if (!stmt || sqlite3_step(stmt.get()) != SQLITE_ROW) return QString();
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0)));
    };
    summary.hospitalName = firstText("SELECT 医院名称 FROM 备份 LIMIT 1");
    summary.patients = firstText("SELECT count(*) FROM 在院病人").toInt();
    summary.newestStay = firstText("SELECT max(入院日期) FROM 在院病人").left(10);
    return summary;
}

QString safetyCopyPath(const DataDirectory& files, DbFile f) {
    return QDir(files.dir()).filePath(QStringLiteral("backup/%1-还原前-%2.mdb")
                                          .arg(dataStem(f), QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss")));
}

CopyOutcome restoreDatabaseFile(const DataDirectory& files, DbFile f, const QString& source,
                                const CopyProgress& progress, QString* safetyCopy) {
    if (isLiveFile(files, source)) return failed(QStringLiteral("所选文件就是正在使用的数据库文件。"));
    if (CopyOutcome checked = checkRestoreSource(source, f); !checked.ok) return checked;
    // This thread's kept connections are not left on the contents being replaced.
    Connection::releaseIdleConnections();

    // The current contents are kept before anything is overwritten.
    QString kept = safetyCopyPath(files, f);
    for (int n = 2; QFileInfo::exists(kept); ++n)
        kept = safetyCopyPath(files, f).replace(QStringLiteral(".mdb"), QStringLiteral("-%1.mdb").arg(n));
    if (CopyOutcome saved = backupDatabaseFile(files, f, kept); !saved.ok)
        return failed(QStringLiteral("无法保留现有数据库的安全副本，未做还原：") + saved.error);
    if (safetyCopy) *safetyCopy = kept;

    QString error;
    DbHandle from = openPlain(source, SQLITE_OPEN_READONLY, &error);
    if (!from) return failed(QStringLiteral("无法打开所选文件：") + error);
    DbHandle live = detail::openCredentialed(files.path(f), QString::fromUtf8(kDbUser), password(f), &error);
    if (!live) return failed(QStringLiteral("无法打开数据库文件 ") + fileName(f) + QStringLiteral("：") + error);
    if (!copyPages(live.get(), from.get(), progress, &error))
        return failed(QStringLiteral("还原失败，现有数据未改变：") + error);
    live.reset();
    // A backup of an earlier version gets what this version's schema adds. Should that fail
    // (another workstation busy), the restored data stand and the next start upgrades them.
    upgradeDatabaseFile(files.path(f), f, schemaSql(f));
    return {true, {}};
}

}  // namespace qh::store
