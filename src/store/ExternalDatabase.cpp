#include "store/ExternalDatabase.h"

#include <sqlite3.h>

#include <map>

#include "store/JetDialect.h"
#include "store/ResultTable.h"
#include "store/SqliteFile.h"

namespace qh::store {

using detail::ResultTable;

struct ExternalDatabase::Impl {
    detail::DbHandle db;
    std::map<RecordSet, ResultTable> sets;
    RecordSet nextHandle = 1;  // never reused, so a stale handle cannot reach a newer result
    qint64 lastInsertId = 0;
    QString lastError;

    RecordSet newSet(ResultTable table = {}) {
        const RecordSet handle = nextHandle++;
        sets.emplace(handle, std::move(table));
        return handle;
    }
    ResultTable* find(RecordSet rs) {
        const auto it = sets.find(rs);
        return it == sets.end() ? nullptr : &it->second;
    }
    bool fail(const QString& error) {
        lastError = error;
        return false;
    }
    // True when nothing but blanks, comments and semicolons follows the first statement.
    bool onlyOneStatement(const QString& tail) {
        QString rest = tail;
        while (!rest.trimmed().isEmpty()) {
            QString error, next;
            detail::StmtHandle stmt = detail::prepare(db.get(), rest, &error, &next);
            if (stmt || !error.isEmpty() || next == rest) return false;
            rest = next;
        }
        return true;
    }
    bool run(const QString& sql, const QByteArray* binary);
};

ExternalDatabase::ExternalDatabase() : d(std::make_unique<Impl>()) {}
ExternalDatabase::~ExternalDatabase() = default;

bool ExternalDatabase::Open(const QString& path, const QString& user, const QString& password) {
    QString error;
    detail::DbHandle db = detail::openCredentialed(path, user, password, &error);
    if (!db) return d->fail(error);
    Close();
    d->db = std::move(db);
    d->lastError.clear();
    return true;
}

bool ExternalDatabase::IsOpen() const { return d->db != nullptr; }

RecordSet ExternalDatabase::Query(const QString& sql) {
    if (!d->db) {
        d->fail(QStringLiteral("database not open"));
        return d->newSet();
    }
    d->lastError.clear();
    QString error, tail;
    detail::StmtHandle stmt = detail::prepare(d->db.get(), translateJetSql(sql), &error, &tail);
    if (!stmt) {
        d->fail(error.isEmpty() ? QStringLiteral("no statement") : error);
        return d->newSet();
    }
    // A query reads: a statement that would change the file is refused here.
    if (!sqlite3_stmt_readonly(stmt.get()) || !d->onlyOneStatement(tail)) {
        d->fail(QStringLiteral("Query runs one reading statement: ") + sql);
        return d->newSet();
    }
    ResultTable table;
    if (!table.fill(stmt.get())) d->fail(detail::lastSqliteError(d->db.get()));
    return d->newSet(std::move(table));
}

void ExternalDatabase::MoveFirst(RecordSet rs) {
    if (ResultTable* t = d->find(rs)) t->cursor = 0;
}

void ExternalDatabase::MoveNext(RecordSet rs) {
    if (ResultTable* t = d->find(rs); t && !t->atEnd()) ++t->cursor;
}

void ExternalDatabase::MoveLast(RecordSet rs) {
    if (ResultTable* t = d->find(rs)) t->cursor = t->rows.empty() ? 0 : t->rows.size() - 1;
}

bool ExternalDatabase::IsEOF(RecordSet rs) {
    const ResultTable* t = d->find(rs);
    return !t || t->atEnd();
}

Value ExternalDatabase::Read(RecordSet rs, const QString& column) {
    const ResultTable* t = d->find(rs);
    return t ? t->at(t->columnIndex(column)) : Value();
}

Value ExternalDatabase::Read(RecordSet rs, int position) {
    const ResultTable* t = d->find(rs);
    return t ? t->at(position - 1) : Value();
}

int ExternalDatabase::ColumnCount(RecordSet rs) {
    const ResultTable* t = d->find(rs);
    return t ? int(t->columns.size()) : 0;
}

QString ExternalDatabase::ColumnName(RecordSet rs, int position) {
    const ResultTable* t = d->find(rs);
    return t && position >= 1 && position <= t->columns.size() ? t->columns[position - 1] : QString();
}

void ExternalDatabase::CloseRecordSet(RecordSet rs) { d->sets.erase(rs); }

bool ExternalDatabase::Impl::run(const QString& sql, const QByteArray* binary) {
    if (!db) return fail(QStringLiteral("database not open"));
    QString error, tail;
    detail::StmtHandle stmt = detail::prepare(db.get(), translateJetSql(sql), &error, &tail);
    if (!stmt) return fail(error.isEmpty() ? QStringLiteral("no statement") : error);
    if (!onlyOneStatement(tail)) return fail(QStringLiteral("Execute runs one statement at a time"));
    const int markers = sqlite3_bind_parameter_count(stmt.get());
    if (markers != (binary ? 1 : 0))
        return fail(QStringLiteral("the statement has %1 ? markers, %2 binary values given").arg(markers).arg(binary ? 1 : 0));
    if (binary) {
        // An empty byte string is stored as an empty blob, not as NULL.
        const int rc = binary->isEmpty() ? sqlite3_bind_zeroblob(stmt.get(), 1, 0)
                                         : sqlite3_bind_blob64(stmt.get(), 1, binary->constData(),
                                                               sqlite3_uint64(binary->size()), SQLITE_TRANSIENT);
        if (rc != SQLITE_OK) return fail(detail::lastSqliteError(db.get()));
    }
    // One statement outside a transaction is atomic: when it fails part-way, SQLite
    // undoes the rows it had already changed.
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) return fail(detail::lastSqliteError(db.get()));
    lastInsertId = sqlite3_last_insert_rowid(db.get());
    lastError.clear();
    return true;
}

bool ExternalDatabase::Execute(const QString& sql) { return d->run(sql, nullptr); }

bool ExternalDatabase::Execute(const QString& sql, const QByteArray& binary) { return d->run(sql, &binary); }

bool ExternalDatabase::ExecuteScript(const QString& sql) {
    if (!d->db) return d->fail(QStringLiteral("database not open"));
    sqlite3* db = d->db.get();
    if (sqlite3_exec(db, "SAVEPOINT qh_script", nullptr, nullptr, nullptr) != SQLITE_OK)
        return d->fail(detail::lastSqliteError(db));
    QString rest = translateJetSql(sql);
    while (!rest.trimmed().isEmpty()) {
        QString error, next;
        detail::StmtHandle stmt = detail::prepare(db, rest, &error, &next);
        int rc = SQLITE_DONE;
        if (stmt) {
            while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
            }
            if (rc != SQLITE_DONE) error = detail::lastSqliteError(db);
        } else if (!error.isEmpty() || next == rest) {
            rc = SQLITE_ERROR;  // the statement does not compile
        }
        if (rc != SQLITE_DONE) {
            sqlite3_exec(db, "ROLLBACK TO qh_script; RELEASE qh_script", nullptr, nullptr, nullptr);
            return d->fail(error);
        }
        rest = next;
    }
    if (sqlite3_exec(db, "RELEASE qh_script", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const QString error = detail::lastSqliteError(db);
        sqlite3_exec(db, "ROLLBACK TO qh_script; RELEASE qh_script", nullptr, nullptr, nullptr);
        return d->fail(error);
    }
    d->lastInsertId = sqlite3_last_insert_rowid(db);
    d->lastError.clear();
    return true;
}

qint64 ExternalDatabase::LastInsertId() const { return d->lastInsertId; }

QString ExternalDatabase::LastError() const { return d->lastError; }

void ExternalDatabase::Close() {
    d->sets.clear();
    d->db.reset();
}

}  // namespace qh::store
