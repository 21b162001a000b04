#include "store/SchemaObjects.h"

#include <sqlite3.h>

#include <QMap>
#include <QRegularExpression>

#include "store/SchemaCreation.h"
#include "store/SqlText.h"

namespace qh::store::detail {

QString kindName(const QString& type) {
    if (type == QLatin1String("table")) return QStringLiteral("表");
    if (type == QLatin1String("view")) return QStringLiteral("视图");
    if (type == QLatin1String("index")) return QStringLiteral("索引");
    if (type == QLatin1String("trigger")) return QStringLiteral("触发器");
    return type;
}

QList<QStringList> rowsOf(sqlite3* db, const QString& sql, QString* error) {
    QList<QStringList> rows;
    StmtHandle stmt = prepare(db, sql, error);
    if (!stmt) return rows;
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        QStringList row;
        for (int i = 0; i < sqlite3_column_count(stmt.get()); ++i)
            row << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), i)));
        rows << row;
    }
    if (rc != SQLITE_DONE && error) *error = lastSqliteError(db);
    return rows;
}

QList<SchemaObject> schemaObjectsOf(sqlite3* db) {
    QList<SchemaObject> objects;
    for (const QStringList& row :
         rowsOf(db, QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_master "
                                   "WHERE name NOT LIKE 'sqlite_%' ORDER BY rowid")))
        objects << SchemaObject{row[0], row[1], row[2], row[3]};
    return objects;
}

QMap<QString, QPair<QString, QString>> columnsOf(sqlite3* db, const QString& table, QString* error) {
    QMap<QString, QPair<QString, QString>> columns;
    for (const QStringList& row : rowsOf(db, "PRAGMA table_info(" + sqlIdentifier(table) + ")", error))
        columns.insert(row[1].toLower(), {row[1], row[2]});
    return columns;
}

DbHandle expectedSchema(const QString& schemaSql, QString* error) {
    sqlite3* raw = nullptr;
    sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    DbHandle db(raw);
    if (!db || !configureConnection(db.get()) || !applySchema(db.get(), schemaSql, error)) {
        if (error && error->isEmpty()) *error = QStringLiteral("cannot build the schema in memory");
        return nullptr;
    }
    return db;
}

int declaredSchemaVersion(const QString& schemaSql) {
    static const QRegularExpression version(QStringLiteral(R"(PRAGMA\s+user_version\s*=\s*(\d+))"),
                                            QRegularExpression::CaseInsensitiveOption);
    int found = 0;
    for (auto it = version.globalMatch(schemaSql); it.hasNext();) found = it.next().captured(1).toInt();
    return found;
}

int storedSchemaVersion(sqlite3* db) { return rowsOf(db, QStringLiteral("PRAGMA user_version")).value(0).value(0).toInt(); }

bool sameDefinition(const QString& a, const QString& b) {
    const auto normal = [](QString s) {
        static const QRegularExpression spaces(QStringLiteral(R"(\s+)"));
        s.replace(spaces, QStringLiteral(" "));
        // Spaces around punctuation do not change a statement.
        static const QRegularExpression punct(QStringLiteral(R"( ?([(),;=]) ?)"));
        s.replace(punct, QStringLiteral("\\1"));
        return s.trimmed();
    };
    return normal(a).compare(normal(b), Qt::CaseInsensitive) == 0;
}

}  // namespace qh::store::detail
