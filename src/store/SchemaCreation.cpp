#include "store/SchemaCreation.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>

#include "store/DatabaseCreation.h"
#include "store/SqlText.h"
#include "store/SqliteFile.h"

namespace qh::store {

namespace {

// Texts the ward writes into yes/no columns, compared trimmed and lower-cased.
const char* const kYesTexts = "'1','-1','√','真','是','a','true','yes','y'";
const char* const kNoTexts = "'0','','假','否','b','false','no','n'";

QStringList tablesOf(sqlite3* db) {
    QStringList tables;
    detail::StmtHandle stmt = detail::prepare(
        db, QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' "
                           "AND name <> '%1' ORDER BY name").arg(QLatin1String(detail::kCredentialsTable)),
        nullptr);
    while (stmt && sqlite3_step(stmt.get()) == SQLITE_ROW)
        tables << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0)));
    return tables;
}

// (column, declared type) of a table.
QList<QPair<QString, QString>> columnsOf(sqlite3* db, const QString& table) {
    QList<QPair<QString, QString>> columns;
    detail::StmtHandle stmt = detail::prepare(db, "PRAGMA table_info(" + sqlIdentifier(table) + ")", nullptr);
    while (stmt && sqlite3_step(stmt.get()) == SQLITE_ROW)
        columns.append({QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 1))),
                        QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 2)))});
    return columns;
}

QStringList dateTriggers(const QString& table, const QString& column) {
    const QString t = sqlIdentifier(table), c = sqlIdentifier(column);
    // The WHEN clause stops at the canonical value, so the trigger ends even on a
    // connection that has recursive triggers switched on.
    const QString body = QStringLiteral(" WHEN new.%2 IS NOT NULL AND new.%2 IS NOT qh_date(new.%2)"
                                        " BEGIN UPDATE %1 SET %2 = qh_date(new.%2) WHERE rowid = new.rowid; END")
                             .arg(t, c);
    const QString name = table + '_' + column;
    return {"CREATE TRIGGER " + sqlIdentifier("qh_date_ins_" + name) + " AFTER INSERT ON " + t + body,
            "CREATE TRIGGER " + sqlIdentifier("qh_date_upd_" + name) + " AFTER UPDATE OF " + c + " ON " + t + body};
}

QStringList booleanTriggers(const QString& table, const QString& column) {
    const QString t = sqlIdentifier(table), c = sqlIdentifier(column);
    const QString v = QStringLiteral("lower(trim(new.%1))").arg(c);
    const QString body =
        QStringLiteral(" WHEN typeof(new.%2) = 'text' AND %3 IN (%4, %5)"
                       " BEGIN UPDATE %1 SET %2 = CASE WHEN %3 IN (%4) THEN 1 ELSE 0 END WHERE rowid = new.rowid; END")
            .arg(t, c, v, QString::fromUtf8(kYesTexts), QString::fromUtf8(kNoTexts));
    const QString name = table + '_' + column;
    return {"CREATE TRIGGER " + sqlIdentifier("qh_bool_ins_" + name) + " AFTER INSERT ON " + t + body,
            "CREATE TRIGGER " + sqlIdentifier("qh_bool_upd_" + name) + " AFTER UPDATE OF " + c + " ON " + t + body};
}

bool exec(sqlite3* db, const QString& sql, QString* error) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) == SQLITE_OK) return true;
    if (error) *error = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
    sqlite3_free(message);
    return false;
}

}  // namespace

QString schemaSql(DbFile f, const QString& schemaDir, QString* error) {
    const QString file = schemaDir.isEmpty() ? QStringLiteral(":/schema/%1.sql").arg(dataStem(f))
                                             : QDir(schemaDir).filePath(dataStem(f) + ".sql");
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error) *error = "cannot read " + file;
        return {};
    }
    return QString::fromUtf8(in.readAll());
}

QStringList columnTriggerStatements(sqlite3* db) {
    QStringList statements;
    for (const QString& table : tablesOf(db)) {
        for (const auto& [column, type] : columnsOf(db, table)) {
            if (type.compare(QLatin1String("DATETIME"), Qt::CaseInsensitive) == 0)
                statements << dateTriggers(table, column);
            else if (type.compare(QLatin1String("BOOLEAN"), Qt::CaseInsensitive) == 0)
                statements << booleanTriggers(table, column);
        }
    }
    return statements;
}

bool applySchema(sqlite3* db, const QString& sql, QString* error) {
    if (!exec(db, QStringLiteral("BEGIN"), error)) return false;
    bool ok = exec(db, sql, error);
    if (ok) {
        for (const QString& statement : columnTriggerStatements(db)) {
            if (!(ok = exec(db, statement, error))) break;
        }
    }
    if (ok) ok = exec(db, QStringLiteral("COMMIT"), error);
    if (!ok) exec(db, QStringLiteral("ROLLBACK"), nullptr);
    return ok;
}

bool createSchemaFile(const QString& path, DbFile f, const QString& sql, QString* error) {
    if (!CreateDatabaseFile(path, QString::fromUtf8(kDbUser), password(f))) {
        if (error) *error = "cannot create " + path;
        return false;
    }
    bool ok = false;
    {
        detail::DbHandle db = detail::openCredentialed(path, QString::fromUtf8(kDbUser), password(f), error);
        ok = db && applySchema(db.get(), sql, error);
    }
    if (!ok) {
        QFile::remove(path);
        QFile::remove(path + QStringLiteral("-journal"));
    }
    return ok;
}

}  // namespace qh::store
