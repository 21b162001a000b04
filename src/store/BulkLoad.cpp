#include "store/BulkLoad.h"

#include <sqlite3.h>

#include "store/SqlText.h"
#include "store/SqliteFile.h"

namespace qh::store {

namespace {
// Rows per transaction: large enough that commits cost nothing, small enough that the
// rollback journal stays modest.
constexpr qint64 kRowsPerCommit = 200000;
}  // namespace

struct BulkLoad::State {
    detail::DbHandle db;
    std::vector<detail::StmtHandle> statements;
    QStringList setAside;     // CREATE INDEX / CREATE TRIGGER statements to run again
    QStringList indexNames;   // for progress
    qint64 sinceCommit = 0;
    bool inTransaction = false;

    bool run(const QString& sql, QString* error) {
        char* message = nullptr;
        if (sqlite3_exec(db.get(), sql.toUtf8().constData(), nullptr, nullptr, &message) == SQLITE_OK) return true;
        if (error) *error = QString::fromUtf8(message ? message : sqlite3_errmsg(db.get())) + QStringLiteral(": ") + sql;
        sqlite3_free(message);
        return false;
    }
};

BulkLoad::BulkLoad() = default;
BulkLoad::~BulkLoad() {
    if (state_ && state_->inTransaction) state_->run(QStringLiteral("ROLLBACK"), nullptr);
}
BulkLoad::BulkLoad(BulkLoad&&) noexcept = default;
BulkLoad& BulkLoad::operator=(BulkLoad&&) noexcept = default;

bool BulkLoad::isOpen() const { return state_ && state_->db; }

BulkLoad BulkLoad::open(const DataDirectory& files, DbFile file, const QStringList& tables) {
    BulkLoad load;
    auto state = std::make_unique<State>();
    state->db = detail::openCredentialed(files.path(file), QString::fromUtf8(kDbUser), password(file), &load.error_);
    if (!state->db) return load;
    // The file is not in use while it is loaded: a failed load is thrown away whole, so
    // the journal and the waits for the disk are of no use until finish() makes it durable.
    if (!state->run(QStringLiteral("PRAGMA synchronous=OFF"), &load.error_) ||
        !state->run(QStringLiteral("PRAGMA cache_size=-262144"), &load.error_) ||
        !state->run(QStringLiteral("BEGIN IMMEDIATE"), &load.error_))
        return load;
    state->inTransaction = true;
    for (const QString& table : tables) {
        detail::StmtHandle stmt = detail::prepare(
            state->db.get(),
            QStringLiteral("SELECT type, name, sql FROM sqlite_master WHERE tbl_name=? AND type IN ('index','trigger') "
                           "AND sql IS NOT NULL ORDER BY type, name"),
            &load.error_);
        if (!stmt) return load;
        const QByteArray name = table.toUtf8();
        sqlite3_bind_text(stmt.get(), 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
        QStringList drops;
        while (sqlite3_step(stmt.get()) == SQLITE_ROW) {
            const QString type = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0)));
            const QString object = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 1)));
            state->setAside << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 2)));
            if (type == QLatin1String("index")) state->indexNames << object;
            else state->indexNames << QString();
            drops << QStringLiteral("DROP ") + type.toUpper() + QLatin1Char(' ') + sqlIdentifier(object);
        }
        for (const QString& drop : drops)
            if (!state->run(drop, &load.error_)) return load;
    }
    load.state_ = std::move(state);
    return load;
}

int BulkLoad::prepare(const QString& table, const QStringList& columns) {
    if (!isOpen()) return -1;
    QStringList names, marks;
    for (const QString& c : columns) {
        names << sqlIdentifier(c);
        marks << QStringLiteral("?");
    }
    detail::StmtHandle stmt = detail::prepare(state_->db.get(),
                                              QStringLiteral("INSERT INTO ") + sqlIdentifier(table) + " (" +
                                                  names.join(',') + ") VALUES (" + marks.join(',') + ')',
                                              &error_);
    if (!stmt) return -1;
    state_->statements.push_back(std::move(stmt));
    return int(state_->statements.size()) - 1;
}

bool BulkLoad::insert(int statement, const Params& values) {
    if (!isOpen() || statement < 0 || statement >= int(state_->statements.size())) return false;
    sqlite3_stmt* stmt = state_->statements[size_t(statement)].get();
    if (sqlite3_bind_parameter_count(stmt) != int(values.size())) {
        error_ = QStringLiteral("%1 values for %2 columns").arg(values.size()).arg(sqlite3_bind_parameter_count(stmt));
        return false;
    }
    for (size_t i = 0; i < values.size(); ++i)
        if (!detail::bindValue(stmt, int(i) + 1, values[i].value())) {
            error_ = detail::lastSqliteError(state_->db.get());
            return false;
        }
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE) {
        error_ = detail::lastSqliteError(state_->db.get());
        return false;
    }
    ++inserted_;
    if (++state_->sinceCommit >= kRowsPerCommit) {
        state_->sinceCommit = 0;
        if (!state_->run(QStringLiteral("COMMIT"), &error_) || !state_->run(QStringLiteral("BEGIN IMMEDIATE"), &error_))
            return false;
    }
    return true;
}

qint64 BulkLoad::lastKey() const { return isOpen() ? sqlite3_last_insert_rowid(state_->db.get()) : 0; }

bool BulkLoad::finish(const std::function<void(const QString&)>& progress) {
    if (!isOpen()) return false;
    state_->statements.clear();
    for (int i = 0; i < state_->setAside.size(); ++i) {
        if (progress && !state_->indexNames[i].isEmpty()) progress(state_->indexNames[i]);
        if (!state_->run(state_->setAside[i], &error_)) return false;
    }
    if (!state_->run(QStringLiteral("COMMIT"), &error_)) return false;
    state_->inTransaction = false;
    if (progress) progress(QStringLiteral("ANALYZE"));
    if (!state_->run(QStringLiteral("ANALYZE"), &error_)) return false;
    // Back to the durability every other connection has before the file is handed over.
    return state_->run(QStringLiteral("PRAGMA synchronous=FULL"), &error_);
}

bool refreshPlannerStatistics(Connection& db) { return db.execute(QStringLiteral("ANALYZE")).ok; }

}  // namespace qh::store
