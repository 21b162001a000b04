#include "store/SchemaUpgrade.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

#include "store/Connection.h"
#include "store/SchemaCreation.h"
#include "store/SchemaObjects.h"
#include "store/SqlText.h"

namespace qh::store {

namespace {

using detail::SchemaObject;

bool exec(sqlite3* db, const QString& sql, QString* error) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) == SQLITE_OK) return true;
    *error = QString::fromUtf8(message ? message : sqlite3_errmsg(db)) + QStringLiteral("（") + sql.left(80) +
             QStringLiteral("）");
    sqlite3_free(message);
    return false;
}

// The objects the schema retires: its "DROP INDEX|VIEW|TRIGGER IF EXISTS name" statements,
// which do nothing on a new file.
QStringList retiredStatements(const QString& schemaSql) {
    static const QRegularExpression drop(QStringLiteral(R"(DROP\s+(INDEX|VIEW|TRIGGER)\s+IF\s+EXISTS\s+[^;]+;)"),
                                         QRegularExpression::CaseInsensitiveOption);
    QStringList statements;
    for (auto it = drop.globalMatch(schemaSql); it.hasNext();) statements << it.next().captured(0);
    return statements;
}

// A column the table lacks, added as the schema declares its type; the file's text columns
// all compare with the GBK collation.
QString addColumnStatement(const QString& table, const QString& column, const QString& type) {
    QString sql = QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3").arg(sqlIdentifier(table), sqlIdentifier(column), type);
    if (type.compare(QLatin1String("TEXT"), Qt::CaseInsensitive) == 0) sql += QStringLiteral(" COLLATE GBK");
    return sql;
}

// Everything that brings db up to expected, in an order SQLite accepts: retired objects and
// changed views go first (a view may name another), then tables and columns, then indexes,
// views and triggers in the order the schema makes them.
QStringList upgradeStatements(sqlite3* db, sqlite3* expected, const QString& schemaSql, const QString& name,
                              QStringList& changes) {
    QMap<QString, SchemaObject> have;
    for (const SchemaObject& o : detail::schemaObjectsOf(db)) have.insert(o.name.toLower(), o);
    QStringList drops, creates;
    for (const QString& statement : retiredStatements(schemaSql)) {
        const QString object = statement.section(QRegularExpression(QStringLiteral(R"(\s+)")), 4, 4).remove(u';');
        const QString bare = object.startsWith(u'"') ? object.mid(1, object.size() - 2) : object;
        if (!have.contains(bare.toLower())) continue;
        drops << statement;
        have.remove(bare.toLower());
        changes << name + QStringLiteral("：删除 ") + bare;
    }
    for (const SchemaObject& want : detail::schemaObjectsOf(expected)) {
        const auto h = have.constFind(want.name.toLower());
        if (want.type == QLatin1String("table")) {
            if (h == have.cend()) {
                creates << want.sql;
                changes << name + QStringLiteral("：新建表 ") + want.name;
                continue;
            }
            const auto haveColumns = detail::columnsOf(db, h->name);
            const auto wantColumns = detail::columnsOf(expected, want.name);
            for (auto c = wantColumns.begin(); c != wantColumns.end(); ++c) {
                if (haveColumns.contains(c.key())) continue;
                creates << addColumnStatement(h->name, c->first, c->second);
                changes << name + QStringLiteral("：表 %1 增加列 %2").arg(want.name, c->first);
            }
            continue;
        }
        if (want.sql.isEmpty()) continue;  // an index SQLite makes for a constraint
        if (h != have.cend()) {
            if (h->type == want.type && detail::sameDefinition(h->sql, want.sql)) continue;
            drops << QStringLiteral("DROP %1 %2").arg(h->type.toUpper(), sqlIdentifier(h->name));
            changes << name + QStringLiteral("：重建%1 %2").arg(detail::kindName(want.type), want.name);
        } else {
            changes << name + QStringLiteral("：新建%1 %2").arg(detail::kindName(want.type), want.name);
        }
        creates << want.sql;
    }
    return drops + creates;
}

}  // namespace

QStringList filesNeedingUpgrade(const QString& dir) {
    QStringList older;
    for (DbFile f : allDbFiles()) {
        const int want = detail::declaredSchemaVersion(schemaSql(f));
        if (want == 0) continue;
        Connection db = Connection::open(QDir(dir).filePath(fileName(f)), QString::fromUtf8(kDbUser), password(f));
        if (!db.isOpen()) continue;  // the start's own checks speak of a file it cannot open
        if (db.query(QStringLiteral("PRAGMA user_version")).first().value(0).toInt() < want) older << fileName(f);
    }
    return older;
}

UpgradeReport upgradeDatabaseFile(const QString& path, DbFile f, const QString& sql, const UpgradeProgress& progress) {
    UpgradeReport report;
    const QString name = fileName(f);
    const auto fail = [&](const QString& why) {
        report.ok = false;
        report.error = name + QStringLiteral("：") + why;
        return report;
    };
    // No kept connection may hold the old schema while it changes.
    Connection::releaseIdleConnections();
    QString error;
    detail::DbHandle db = detail::openCredentialed(QFileInfo(path).absoluteFilePath(), QString::fromUtf8(kDbUser),
                                                   password(f), &error);
    if (!db) return fail(error);
    detail::DbHandle expected = detail::expectedSchema(sql, &error);
    if (!expected) return fail(QStringLiteral("结构定义无法使用：") + error);
    const int want = detail::storedSchemaVersion(expected.get());
    // The write lock first, so that what is compared is what will be changed.
    if (!exec(db.get(), QStringLiteral("BEGIN IMMEDIATE"), &error)) return fail(error);
    QStringList changes;
    QStringList statements = upgradeStatements(db.get(), expected.get(), sql, name, changes);
    const bool newIndexes = std::any_of(statements.cbegin(), statements.cend(), [](const QString& s) {
        return s.startsWith(QLatin1String("CREATE INDEX"), Qt::CaseInsensitive) ||
               s.startsWith(QLatin1String("CREATE UNIQUE INDEX"), Qt::CaseInsensitive);
    });
    if (detail::storedSchemaVersion(db.get()) != want) statements << QStringLiteral("PRAGMA user_version = %1").arg(want);
    // The planner learns the new indexes' worth at once.
    if (newIndexes) statements << QStringLiteral("ANALYZE");
    for (int i = 0; i < statements.size(); ++i) {
        if (progress) progress(QStringLiteral("%1 %2/%3 %4").arg(name).arg(i + 1).arg(statements.size()).arg(statements[i].left(60).simplified()));
        if (!exec(db.get(), statements[i], &error)) {
            exec(db.get(), QStringLiteral("ROLLBACK"), &error);
            return fail(error);
        }
    }
    if (!exec(db.get(), QStringLiteral("COMMIT"), &error)) {
        exec(db.get(), QStringLiteral("ROLLBACK"), &error);
        return fail(error);
    }
    report.changes = changes;
    return report;
}

UpgradeReport upgradeDataDirectory(const QString& dir, const UpgradeProgress& progress, const QString& schemaDir) {
    UpgradeReport all;
    for (DbFile f : allDbFiles()) {
        QString error;
        const QString sql = schemaSql(f, schemaDir, &error);
        if (sql.isEmpty()) {
            all.ok = false;
            all.error = fileName(f) + QStringLiteral("：") + error;
            return all;
        }
        const UpgradeReport one = upgradeDatabaseFile(QDir(dir).filePath(fileName(f)), f, sql, progress);
        all.changes << one.changes;
        if (!one.ok) {
            all.ok = false;
            all.error = one.error;
            return all;
        }
    }
    return all;
}

}  // namespace qh::store
