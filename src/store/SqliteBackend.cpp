// The SQLite engine behind Connection: credentialed files, statements with bound values,
// transactions as BEGIN IMMEDIATE (the outer one) and savepoints (the inner ones).
#include <sqlite3.h>

#include "store/Backend.h"
#include "store/ColumnValue.h"
#include "store/SqliteFile.h"

namespace qh::store::detail {

namespace {

class SqliteBackend final : public Backend {
public:
    explicit SqliteBackend(DbHandle db) : db_(std::move(db)), fileLayer_(sqlite3_vfs_find(nullptr)) {}

    Engine engine() const override { return Engine::Sqlite; }

    bool idle() const override {
        // A connection made through another file layer than the one in force now (a test's
        // full disk) is not the connection a new open would make.
        return depth == 0 && sqlite3_get_autocommit(db_.get()) != 0 && sqlite3_next_stmt(db_.get(), nullptr) == nullptr &&
               sqlite3_vfs_find(nullptr) == fileLayer_;
    }

    bool query(const QString& statement, const Params& params, ResultTable* out, QString* error) override {
        StmtHandle stmt = prepareOne(statement, params, error);
        if (!stmt) return false;
        // A query reads: a statement that would change the file is refused here.
        if (!sqlite3_stmt_readonly(stmt.get())) {
            *error = QStringLiteral("a query runs one reading statement: ") + statement;
            return false;
        }
        const int count = sqlite3_column_count(stmt.get());
        for (int i = 0; i < count; ++i) out->columns << QString::fromUtf8(sqlite3_column_name(stmt.get(), i));
        const ColumnReader reader(stmt.get());
        int rc;
        while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
            std::vector<Value> row;
            row.reserve(size_t(count));
            for (int i = 0; i < count; ++i) row.push_back(reader.value(i));
            out->rows.push_back(std::move(row));
        }
        if (rc != SQLITE_DONE) {
            out->rows.clear();
            *error = lastSqliteError(db_.get());
            return false;
        }
        return true;
    }

    ExecResult execute(const QString& statement, const Params& params) override {
        ExecResult result;
        StmtHandle stmt = prepareOne(statement, params, &result.error);
        if (!stmt) return result;
        // One statement outside a transaction is atomic: when it fails part-way, SQLite
        // undoes the rows it had already changed.
        int rc;
        while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) {
            result.error = lastSqliteError(db_.get());
            const int primary = rc & 0xff;
            result.rowRefused = primary == SQLITE_CONSTRAINT || primary == SQLITE_MISMATCH || primary == SQLITE_TOOBIG;
            return result;
        }
        result.ok = true;
        result.rowsChanged = sqlite3_changes64(db_.get());
        result.insertedKey = sqlite3_last_insert_rowid(db_.get());
        return result;
    }

    ExecResult executeScript(const QString& statements) override {
        ExecResult result;
        sqlite3* db = db_.get();
        if (sqlite3_exec(db, "SAVEPOINT qh_script", nullptr, nullptr, nullptr) != SQLITE_OK) {
            result.error = lastSqliteError(db);
            return result;
        }
        const qint64 before = sqlite3_total_changes64(db);
        QString rest = statements;
        while (!rest.trimmed().isEmpty()) {
            QString error, next;
            StmtHandle stmt = prepare(db, rest, &error, &next);
            int rc = SQLITE_DONE;
            if (stmt) {
                while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
                }
                if (rc != SQLITE_DONE) error = lastSqliteError(db);
            } else if (!error.isEmpty() || next == rest) {
                rc = SQLITE_ERROR;  // the statement does not compile
            }
            if (rc != SQLITE_DONE) {
                sqlite3_exec(db, "ROLLBACK TO qh_script; RELEASE qh_script", nullptr, nullptr, nullptr);
                result.error = error;
                return result;
            }
            rest = next;
        }
        if (sqlite3_exec(db, "RELEASE qh_script", nullptr, nullptr, nullptr) != SQLITE_OK) {
            result.error = lastSqliteError(db);
            sqlite3_exec(db, "ROLLBACK TO qh_script; RELEASE qh_script", nullptr, nullptr, nullptr);
            return result;
        }
        result.ok = true;
        result.rowsChanged = sqlite3_total_changes64(db) - before;
        result.insertedKey = sqlite3_last_insert_rowid(db);
        return result;
    }

    bool begin(int depth, QString* error) override {
        // IMMEDIATE takes the write lock at once, so two workstations never both read and
        // then fail to write half-way.
        return run(depth == 0 ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("SAVEPOINT qh_part%1").arg(depth),
                   error);
    }
    bool commit(int depth, QString* error) override {
        return run(depth == 0 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE qh_part%1").arg(depth), error);
    }
    void rollback(int depth) override {
        if (depth == 0) run(QStringLiteral("ROLLBACK"), nullptr);
        else run(QStringLiteral("ROLLBACK TO qh_part%1; RELEASE qh_part%1").arg(depth), nullptr);
    }

private:
    bool run(const QString& sql, QString* error) {
        if (sqlite3_exec(db_.get(), sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK) return true;
        if (error) *error = lastSqliteError(db_.get());
        return false;
    }

    // True when nothing but blanks, comments and semicolons follows the first statement.
    bool onlyOneStatement(const QString& tail) {
        QString rest = tail;
        while (!rest.trimmed().isEmpty()) {
            QString error, next;
            StmtHandle stmt = prepare(db_.get(), rest, &error, &next);
            if (stmt || !error.isEmpty() || next == rest) return false;
            rest = next;
        }
        return true;
    }

    // Prepares the single statement and binds its values; null with *error otherwise.
    StmtHandle prepareOne(const QString& statement, const Params& params, QString* error) {
        QString tail;
        StmtHandle stmt = prepare(db_.get(), statement, error, &tail);
        if (!stmt) {
            if (error->isEmpty()) *error = QStringLiteral("no statement");
            return nullptr;
        }
        // One statement at a time limits the damage of a value that escaped its quotes.
        if (!onlyOneStatement(tail)) {
            *error = QStringLiteral("one statement at a time: ") + statement;
            return nullptr;
        }
        const int markers = sqlite3_bind_parameter_count(stmt.get());
        if (markers != int(params.size())) {
            *error = QStringLiteral("the statement has %1 ? markers, %2 values given").arg(markers).arg(params.size());
            return nullptr;
        }
        for (int i = 0; i < markers; ++i) {
            if (!bindValue(stmt.get(), i + 1, params[size_t(i)].value())) {
                *error = lastSqliteError(db_.get());
                return nullptr;
            }
        }
        return stmt;
    }

    DbHandle db_;
    sqlite3_vfs* fileLayer_;
};

}  // namespace

std::unique_ptr<Backend> openSqliteBackend(const QString& path, const QString& user, const QString& password,
                                           QString* error) {
    DbHandle db = openCredentialed(path, user, password, error);
    if (!db) return nullptr;
    return std::make_unique<SqliteBackend>(std::move(db));
}

}  // namespace qh::store::detail
