#include "store/Connection.h"

#include "store/Backend.h"
#include "store/SqlDialect.h"

namespace qh::store {

using detail::ResultTable;

// ---- rows ------------------------------------------------------------------------------

Value Row::value(const QString& column) const {
    return table_ ? table_->at(index_, table_->columnIndex(column)) : Value();
}

Value Row::value(int index) const { return table_ ? table_->at(index_, index) : Value(); }

int Rows::size() const { return table_ ? int(table_->rows.size()) : 0; }

QStringList Rows::columns() const { return table_ ? table_->columns : QStringList(); }

Row Rows::operator[](int index) const {
    if (index < 0 || index >= size()) return Row();
    return Row(table_, size_t(index));
}

// ---- connection ------------------------------------------------------------------------

namespace {
const QString kNotOpen = QStringLiteral("database not open");
StatementObserver& observer() {
    static StatementObserver o;
    return o;
}
}  // namespace

void setStatementObserver(StatementObserver o) { observer() = std::move(o); }

Connection::Connection() = default;
Connection::~Connection() { close(); }
Connection::Connection(Connection&& other) noexcept = default;

Connection& Connection::operator=(Connection&& other) noexcept {
    if (this != &other) {
        close();
        backend_ = std::move(other.backend_);
        openError_ = std::move(other.openError_);
        path_ = std::move(other.path_);
    }
    return *this;
}

Connection Connection::open(const DataDirectory& files, DbFile file) {
    return open(files.path(file), QString::fromUtf8(kDbUser), password(file));
}

Connection Connection::open(const QString& path, const QString& user, const QString& password) {
    Connection c;
    c.backend_ = detail::openSqliteBackend(path, user, password, &c.openError_);
    c.path_ = path;
    return c;
}

bool Connection::isOpen() const { return backend_ != nullptr; }

QString Connection::lastError() const { return openError_; }

Engine Connection::engine() const { return backend_ ? backend_->engine() : Engine::Sqlite; }

Rows Connection::query(const QString& sql, const Params& params) {
    Rows rows;
    if (!backend_) {
        rows.error_ = openError_ = kNotOpen;
        return rows;
    }
    auto table = std::make_shared<ResultTable>();
    QString error;
    const QString statement = translateSql(sql, backend_->engine());
    if (observer()) observer()(path_, statement, params);
    if (!backend_->query(statement, params, table.get(), &error)) {
        rows.error_ = openError_ = error.isEmpty() ? QStringLiteral("query failed") : error;
        return rows;
    }
    openError_.clear();
    rows.table_ = std::move(table);
    return rows;
}

ExecResult Connection::execute(const QString& sql, const Params& params) {
    if (!backend_) return ExecResult{false, 0, 0, openError_ = kNotOpen};
    const QString statement = translateSql(sql, backend_->engine());
    if (observer()) observer()(path_, statement, params);
    ExecResult result = backend_->execute(statement, params);
    openError_ = result.error;
    return result;
}

ExecResult Connection::executeScript(const QString& sql) {
    if (!backend_) return ExecResult{false, 0, 0, openError_ = kNotOpen};
    ExecResult result = backend_->executeScript(translateSql(sql, backend_->engine()));
    openError_ = result.error;
    return result;
}

void Connection::close() {
    // An open transaction that nobody committed is undone with the connection.
    if (backend_) {
        while (backend_->depth > 0) backend_->rollback(--backend_->depth);
    }
    backend_.reset();
}

// ---- transactions ----------------------------------------------------------------------

Transaction::Transaction(Connection& connection) : connection_(connection), backend_(connection.backend_.get()) {
    detail::Backend* backend = backend_;
    if (!backend) return;
    depth_ = backend->depth;
    QString error;
    active_ = backend->begin(depth_, &error);
    if (active_) ++backend->depth;
    else connection_.openError_ = error;
}

Transaction::~Transaction() { rollback(); }

detail::Backend* Transaction::liveBackend() {
    // A connection closed meanwhile has rolled the transaction back already.
    if (active_ && connection_.backend_.get() != backend_) active_ = false;
    return active_ ? backend_ : nullptr;
}

bool Transaction::commit() {
    detail::Backend* backend = liveBackend();
    if (!backend) return false;
    QString error;
    if (!backend->commit(depth_, &error)) {
        connection_.openError_ = error;
        rollback();
        return false;
    }
    active_ = false;
    backend->depth = depth_;
    return true;
}

void Transaction::rollback() {
    detail::Backend* backend = liveBackend();
    if (!backend) return;
    backend->rollback(depth_);
    backend->depth = depth_;
    active_ = false;
}

}  // namespace qh::store
