#include "store/FileCheck.h"

#include "store/GbkCollation.h"

#include <sqlite3.h>

#include <QDir>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <QFileInfo>
#include <QMap>

#include "store/SchemaCreation.h"
#include "store/SchemaObjects.h"
#include "store/SqlText.h"
#include "store/SqliteFile.h"

namespace qh::store {

namespace {

using detail::DbHandle;

using detail::columnsOf;
using detail::rowsOf;
using detail::SchemaObject;

// Schema objects by lower-cased name (the ward's names compare without regard to case).
QMap<QString, SchemaObject> objectsOf(sqlite3* db) {
    QMap<QString, SchemaObject> objects;
    for (const SchemaObject& o : detail::schemaObjectsOf(db)) objects.insert(o.name.toLower(), o);
    return objects;
}

// After a crash a file may carry a hot journal (or a WAL) that only a writing connection can
// roll back; read-only, SQLite would then call a sound file unreadable. Opening it once for
// writing and reading its schema lets SQLite recover it, exactly as the next start would.
bool recoverJournal(const QString& path, QString* error) {
    const bool journal = QFileInfo(path + QStringLiteral("-journal")).size() > 0 ||
                         QFileInfo::exists(path + QStringLiteral("-wal"));
    if (!journal) return true;
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFileInfo(path).absoluteFilePath().toUtf8().constData(), &raw,
                                   SQLITE_OPEN_READWRITE, nullptr);
    DbHandle db(raw);
    if (rc != SQLITE_OK) {
        *error = raw ? detail::lastSqliteError(raw) : QStringLiteral("cannot open");
        return false;
    }
    sqlite3_busy_timeout(db.get(), detail::kBusyTimeoutMs);
    rowsOf(db.get(), QStringLiteral("SELECT count(*) FROM sqlite_master"), error);
    return error->isEmpty();
}

void checkJournalMode(sqlite3* db, const QString& name, QStringList& problems) {
    // The ward's files keep a rollback journal deleted after each commit: one self-contained
    // file that a copy backs up. WAL (or a kept journal) splits it.
    const QString mode = rowsOf(db, QStringLiteral("PRAGMA journal_mode")).value(0).value(0).toLower();
    if (!mode.isEmpty() && mode != QLatin1String("delete"))
        problems << name + QStringLiteral("：日志模式为 %1，应为 delete（请用 sqlite3 执行 PRAGMA journal_mode=DELETE）").arg(mode);
}

DbHandle openReadOnly(const QString& path, QString* error) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFileInfo(path).absoluteFilePath().toUtf8().constData(), &raw,
                                   SQLITE_OPEN_READONLY, nullptr);
    DbHandle db(raw);
    if (rc != SQLITE_OK) {
        *error = raw ? detail::lastSqliteError(raw) : QStringLiteral("cannot open");
        return nullptr;
    }
    // Indexes on text columns need the collation even to be checked.
    registerGbkCollation(db.get());
    return db;
}

void checkCredentials(sqlite3* db, DbFile f, const QString& name, QStringList& problems) {
    QString error;
    const auto rows = rowsOf(db, QStringLiteral("SELECT salt, digest FROM %1").arg(QLatin1String(detail::kCredentialsTable)), &error);
    if (!error.isEmpty()) {
        problems << name + QStringLiteral("：没有凭据记录（") + error + QStringLiteral("）");
        return;
    }
    for (const QStringList& row : rows)
        if (detail::credentialsDigest(row[0], QString::fromUtf8(kDbUser), password(f)) == row[1]) return;
    problems << name + QStringLiteral("：凭据不是本文件的用户和密码");
}

// The integrity check is one long step inside SQLite that says nothing until it ends
// (minutes on a ward of ten years): while it runs, a line every ten seconds says it is
// still at work and for how long.
class Heartbeat {
public:
    Heartbeat(const CheckProgress& progress, const QString& step) {
        if (!progress) return;
        progress(step);
        thread_ = std::thread([this, progress, step] {
            std::unique_lock lock(mutex_);
            for (int seconds = 10; !wake_.wait_for(lock, std::chrono::seconds(10), [this] { return done_; }); seconds += 10)
                progress(step + QStringLiteral("进行中（已 %1 秒）").arg(seconds));
        });
    }
    ~Heartbeat() {
        if (!thread_.joinable()) return;
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool done_ = false;
    std::thread thread_;
};

void checkIntegrity(sqlite3* db, const QString& name, QStringList& problems, const CheckProgress& progress) {
    QString error;
    const Heartbeat heartbeat(progress, name + QStringLiteral("：完整性检查"));
    const auto rows = rowsOf(db, QStringLiteral("PRAGMA integrity_check"), &error);
    if (!error.isEmpty()) {
        problems << name + QStringLiteral("：完整性检查失败：") + error;
        return;
    }
    for (const QStringList& row : rows)
        if (row.value(0) != QLatin1String("ok")) problems << name + QStringLiteral("：") + row.value(0);
}

void checkSchema(sqlite3* actual, sqlite3* expected, const QString& name, CheckReport& report) {
    QStringList& problems = report.problems;
    const auto want = objectsOf(expected);
    const auto have = objectsOf(actual);
    for (const SchemaObject& w : want) {
        const QString kind = detail::kindName(w.type);
        const auto h = have.find(w.name.toLower());
        if (h == have.end()) {
            problems << name + QStringLiteral("：缺少%1 %2").arg(kind, w.name);
            // What a file of an earlier version lacks, the upgrade makes; no rows are at stake.
            report.upgradable << problems.last();
            continue;
        }
        if (h->type != w.type) {
            problems << name + QStringLiteral("：%1 应为%2").arg(w.name, kind);
            continue;
        }
        if (w.type != QLatin1String("table") && w.type != QLatin1String("view")) continue;
        QString error;
        const auto haveColumns = columnsOf(actual, h->name, &error);
        if (!error.isEmpty()) {
            problems << name + QStringLiteral("：%1%2 无法读取：%3").arg(kind, w.name, error);
            continue;
        }
        const auto wantColumns = columnsOf(expected, w.name, nullptr);
        for (auto c = wantColumns.begin(); c != wantColumns.end(); ++c) {
            const auto& [column, type] = c.value();
            if (!haveColumns.contains(c.key())) {
                problems << name + QStringLiteral("：%1 %2 缺少列 %3").arg(kind, w.name, column);
                report.upgradable << problems.last();
            }
            else if (w.type == QLatin1String("table") && haveColumns[c.key()].second.compare(type, Qt::CaseInsensitive) != 0)
                problems << name + QStringLiteral("：表 %1 的列 %2 类型为 %3，应为 %4")
                                       .arg(w.name, column, haveColumns[c.key()].second, type);
        }
    }
}

}  // namespace

CheckReport checkDatabaseFile(const QString& path, DbFile f, const QString& schemaSql, const CheckProgress& progress) {
    CheckReport report;
    const QString name = fileName(f);
    if (!QFileInfo(path).isFile()) {
        report.problems << name + QStringLiteral("：文件不存在");
        return report;
    }
    QString error;
    if (!recoverJournal(path, &error)) {
        report.problems << name + QStringLiteral("：崩溃后留下的日志无法恢复：") + error;
        return report;
    }
    DbHandle db = openReadOnly(path, &error);
    if (!db) {
        report.problems << name + QStringLiteral("：无法打开：") + error;
        return report;
    }
    // A file that is no database at all is said so once, not as every table it lacks.
    rowsOf(db.get(), QStringLiteral("SELECT count(*) FROM sqlite_master"), &error);
    if (!error.isEmpty()) {
        report.problems << name + QStringLiteral("：不是可读的数据库文件（") + error + QStringLiteral("）");
        return report;
    }
    checkCredentials(db.get(), f, name, report.problems);
    checkIntegrity(db.get(), name, report.problems, progress);
    checkJournalMode(db.get(), name, report.problems);

    // What the file should hold: the schema built afresh in memory.
    DbHandle expected = detail::expectedSchema(schemaSql, &error);
    if (!expected) {
        report.problems << name + QStringLiteral("：结构定义无法使用：") + error;
        return report;
    }
    checkSchema(db.get(), expected.get(), name, report);
    // A file of an earlier version works, but without what the newer schema adds.
    const int have = detail::storedSchemaVersion(db.get()), want = detail::storedSchemaVersion(expected.get());
    if (have < want) {
        report.problems << name + QStringLiteral("：结构版本为 %1，本程序为 %2：请运行 qinghe-emr-admin upgrade（或启动一次工作站）")
                                      .arg(have)
                                      .arg(want);
        report.upgradable << report.problems.last();
    }
    return report;
}

CheckReport checkDataDirectory(const QString& dir, const QString& schemaDir, const CheckProgress& progress) {
    CheckReport report;
    for (DbFile f : allDbFiles()) {
        QString error;
        const QString sql = schemaSql(f, schemaDir, &error);
        if (sql.isEmpty()) {
            report.problems << fileName(f) + QStringLiteral("：") + error;
            continue;
        }
        const CheckReport one = checkDatabaseFile(QDir(dir).filePath(fileName(f)), f, sql, progress);
        report.problems << one.problems;
        report.upgradable << one.upgradable;
    }
    return report;
}

}  // namespace qh::store
