#include "store/DataDirectory.h"

#include "store/BulkLoad.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "store/DatabaseFiles.h"
#include "store/Connection.h"
#include "store/SchemaCreation.h"
#include "store/SeedLoader.h"

namespace qh::store {

namespace {

QString temporaryName(const QString& finalPath) { return finalPath + QStringLiteral(".creating"); }

// Present while complete files are being renamed into place: a crash in between leaves it,
// and the next start finishes the renames instead of asking for a backup.
QString placingMarker(const QDir& d) { return d.filePath(QStringLiteral(".qinghe-placing")); }

void removeFile(const QString& path) {
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

// Builds one complete file (schema and seed) under its temporary name.
bool buildFile(const QString& tempPath, DbFile f, const CreationSources& sources, QString* error) {
    removeFile(tempPath);  // left over from an interrupted start: never a ward's data
    const QString sql = schemaSql(f, sources.schemaDir, error);
    if (sql.isEmpty()) return false;
    if (!createSchemaFile(tempPath, f, sql, error)) return false;
    const QString seedRoot = sources.seedDir.isEmpty() ? QStringLiteral(":/seed") : sources.seedDir;
    Connection db = Connection::open(tempPath, QString::fromUtf8(kDbUser), password(f));
    if (!db.isOpen()) {
        *error = "cannot open new " + fileName(f) + ": " + db.lastError();
        return false;
    }
    const SeedResult seeded = loadSeedDirectory(db, QDir(seedRoot).filePath(dataStem(f)));
    // The planner's statistics from the first day, so it picks the lists' indexes.
    if (seeded.ok && !refreshPlannerStatistics(db)) {
        *error = fileName(f) + " ANALYZE " + db.lastError();
        return false;
    }
    db.close();
    if (!seeded.ok) *error = fileName(f) + " seed " + seeded.error;
    return seeded.ok;
}

PrepareResult failed(const QString& message) {
    PrepareResult r;
    r.status = PrepareResult::Failed;
    r.message = message;
    return r;
}

// The three complete "*.creating" files take their names. rename never replaces.
bool placeCompleteFiles(const QDir& d) {
    QFile marker(placingMarker(d));
    if (!marker.open(QIODevice::WriteOnly) || marker.write("placing\n") < 0 || !marker.flush()) return false;
    marker.close();
    QStringList placed;
    for (DbFile f : allDbFiles()) {
        const QString target = d.filePath(fileName(f));
        if (!QFile::rename(temporaryName(target), target)) {
            for (const QString& p : placed) QFile::rename(p, temporaryName(p));  // back as they were
            QFile::remove(placingMarker(d));
            return false;
        }
        placed << target;
    }
    return QFile::remove(placingMarker(d));
}

PrepareResult createAll(const QString& dir, const CreationSources& sources) {
    if (!QDir().mkpath(dir)) return failed(QStringLiteral("无法创建数据目录 ") + dir);
    const QDir d(dir);
    QStringList temps;
    const auto discard = [&] {
        for (const QString& t : temps) removeFile(t);
    };
    for (DbFile f : allDbFiles()) {
        const QString temp = temporaryName(d.filePath(fileName(f)));
        temps << temp;
        QString error;
        if (!buildFile(temp, f, sources, &error)) {
            discard();
            return failed(QStringLiteral("创建 %1 失败：%2").arg(fileName(f), error));
        }
    }
    if (!placeCompleteFiles(d)) {
        discard();
        return failed(QStringLiteral("无法写入 ") + d.absolutePath());
    }
    PrepareResult r;
    r.status = PrepareResult::Created;
    r.message = QStringLiteral("已在数据目录 %1 创建新的数据库文件").arg(QDir::toNativeSeparators(d.absolutePath()));
    return r;
}

QStringList presentFiles(const QString& dir) {
    QStringList present;
    for (DbFile f : allDbFiles())
        if (QFileInfo::exists(QDir(dir).filePath(fileName(f)))) present << fileName(f);
    return present;
}

}  // namespace

QString resolveDataDirectory(const QStringList& arguments) {
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--data") && i + 1 < arguments.size()) return QDir(arguments[i + 1]).absolutePath();
        if (a.startsWith(QLatin1String("--data="))) return QDir(a.mid(7)).absolutePath();
    }
    const QString env = qEnvironmentVariable("QINGHE_DATA");
    if (!env.isEmpty()) return QDir(env).absolutePath();
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

PrepareResult prepareDataDirectory(const QString& dir) { return prepareDataDirectory(dir, {}); }

QString recoverInterruptedCreation(const QString& dir) {
    const QDir d(dir);
    QStringList done;
    if (QFileInfo::exists(placingMarker(d))) {
        // All three were complete before the first rename: finish the renames.
        for (DbFile f : allDbFiles()) {
            const QString target = d.filePath(fileName(f));
            if (!QFileInfo::exists(target) && QFileInfo::exists(temporaryName(target)) &&
                QFile::rename(temporaryName(target), target))
                done << fileName(f);
        }
        QFile::remove(placingMarker(d));
        if (!done.isEmpty()) return QStringLiteral("已完成上次中断的创建：") + done.join(QStringLiteral("、"));
        return QString();
    }
    // A build that never reached its renames: its files are no ward's data.
    for (DbFile f : allDbFiles()) {
        const QString temp = temporaryName(d.filePath(fileName(f)));
        if (QFileInfo::exists(temp)) {
            removeFile(temp);
            done << QFileInfo(temp).fileName();
        }
    }
    return done.isEmpty() ? QString() : QStringLiteral("已删除上次中断的创建留下的 ") + done.join(QStringLiteral("、"));
}

PrepareResult publishDataFiles(const QString& builtDir, const QString& dir) {
    // Files about to move hold no kept connection (a system that cannot move an open file).
    Connection::releaseIdleConnections();
    if (!presentFiles(dir).isEmpty())
        return failed(QStringLiteral("%1 已存在于 %2，不覆盖").arg(presentFiles(dir).join(QStringLiteral("、")), dir));
    if (!QDir().mkpath(dir)) return failed(QStringLiteral("无法创建数据目录 ") + dir);
    const QDir d(dir), built(builtDir);
    QStringList moved;
    for (DbFile f : allDbFiles()) {
        const QString temp = temporaryName(d.filePath(fileName(f)));
        removeFile(temp);
        if (!QFile::rename(built.filePath(fileName(f)), temp)) {
            for (const QString& m : moved) QFile::rename(temporaryName(d.filePath(m)), built.filePath(m));
            return failed(QStringLiteral("无法把 %1 移入 %2").arg(fileName(f), dir));
        }
        moved << fileName(f);
    }
    if (!placeCompleteFiles(d)) {
        for (const QString& m : moved) QFile::rename(temporaryName(d.filePath(m)), built.filePath(m));
        return failed(QStringLiteral("无法写入 ") + dir);
    }
    PrepareResult r;
    r.status = PrepareResult::Created;
    r.message = QStringLiteral("已在数据目录 %1 创建新的数据库文件").arg(QDir::toNativeSeparators(d.absolutePath()));
    return r;
}

PrepareResult prepareDataDirectory(const QString& dir, const CreationSources& sources) {
    recoverInterruptedCreation(dir);
    const QStringList present = presentFiles(dir);
    if (present.size() == allDbFiles().size()) {
        PrepareResult r;
        r.status = PrepareResult::Existing;
        r.message = QStringLiteral("数据目录 ") + QDir::toNativeSeparators(QDir(dir).absolutePath());
        return r;
    }
    if (!present.isEmpty()) {
        PrepareResult r;
        r.status = PrepareResult::Incomplete;
        for (DbFile f : allDbFiles())
            if (!present.contains(fileName(f))) r.missing << fileName(f);
        r.message = QStringLiteral("数据目录 %1 缺少 %2，未创建任何文件；请从备份恢复缺少的文件。")
                        .arg(QDir::toNativeSeparators(QDir(dir).absolutePath()), r.missing.join(QStringLiteral("、")));
        return r;
    }
    return createAll(dir, sources);
}

PrepareResult createDataFiles(const QString& dir, const CreationSources& sources) {
    recoverInterruptedCreation(dir);
    const QStringList present = presentFiles(dir);
    if (!present.isEmpty())
        return failed(QStringLiteral("%1 已存在于 %2，不覆盖").arg(present.join(QStringLiteral("、")), dir));
    return createAll(dir, sources);
}

}  // namespace qh::store
