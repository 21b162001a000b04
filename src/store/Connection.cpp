#include "store/Connection.h"

#include <sys/stat.h>

#include <QElapsedTimer>
#include <QFile>

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

// ---- kept connections ------------------------------------------------------------------

namespace {

// What identifies the file behind a path: a file replaced under the same name (a restore,
// a new ward) is another file.
// A file written since (by anyone) is looked at afresh too: cheap, and a file overwritten
// in place by something that is not a database is then refused as on a first open.
struct FileIdentity {
    bool exists = false;
    quint64 device = 0, inode = 0;
    qint64 size = 0, modified = 0;
    bool operator==(const FileIdentity&) const = default;
};

FileIdentity identify(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return {};
#ifdef __linux__
    const qint64 modified = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
#else
    const qint64 modified = qint64(info.st_mtime);
#endif
    return {true, quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size), modified};
}

struct IdleConnection {
    QString path, user, password;
    FileIdentity file;
    std::unique_ptr<detail::Backend> backend;
    qint64 since = 0;  // ms of the monotonic clock
};

constexpr size_t kIdleMax = 4;
constexpr qint64 kIdleForMs = 60000;

qint64 monotonicMs() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

std::vector<IdleConnection>& idleConnections() {
    thread_local std::vector<IdleConnection> idle;
    return idle;
}

// A statement that changes how the connection works (a setting, an attached file, a
// temporary object) makes it unfit for the next operation.
bool changesConnection(const QString& statement) {
    const QString s = statement.trimmed();
    if (s.startsWith(QLatin1String("PRAGMA"), Qt::CaseInsensitive)) return s.contains(u'=');
    return s.startsWith(QLatin1String("ATTACH"), Qt::CaseInsensitive) ||
           s.startsWith(QLatin1String("DETACH"), Qt::CaseInsensitive) ||
           (s.contains(QLatin1String("TEMP"), Qt::CaseInsensitive) && s.startsWith(QLatin1String("CREATE"), Qt::CaseInsensitive));
}

std::unique_ptr<detail::Backend> takeIdle(const QString& path, const QString& user, const QString& password) {
    auto& idle = idleConnections();
    const qint64 now = monotonicMs();
    const FileIdentity file = identify(path);
    std::unique_ptr<detail::Backend> found;
    for (auto it = idle.begin(); it != idle.end();) {
        const bool stale = now - it->since > kIdleForMs;
        if (!stale && !found && it->path == path && it->user == user && it->password == password && file.exists &&
            it->file == file && it->backend->idle()) {
            found = std::move(it->backend);
            it = idle.erase(it);
        } else if (stale || !it->backend->idle() || (it->path == path && !(it->file == file))) {
            it = idle.erase(it);  // closes it
        } else {
            ++it;
        }
    }
    return found;
}

}  // namespace

void Connection::releaseIdleConnections() { idleConnections().clear(); }

Connection::Connection() = default;
Connection::~Connection() { close(); }
Connection::Connection(Connection&& other) noexcept = default;

Connection& Connection::operator=(Connection&& other) noexcept {
    if (this != &other) {
        close();
        backend_ = std::move(other.backend_);
        openError_ = std::move(other.openError_);
        path_ = std::move(other.path_);
        user_ = std::move(other.user_);
        password_ = std::move(other.password_);
        reusable_ = other.reusable_;
    }
    return *this;
}

Connection Connection::open(const DataDirectory& files, DbFile file) {
    return open(files.path(file), QString::fromUtf8(kDbUser), password(file));
}

Connection Connection::open(const QString& path, const QString& user, const QString& password) {
    Connection c;
    c.backend_ = takeIdle(path, user, password);
    if (!c.backend_) c.backend_ = detail::openSqliteBackend(path, user, password, &c.openError_);
    c.path_ = path;
    c.user_ = user;
    c.password_ = password;
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
    if (reusable_ && changesConnection(statement)) reusable_ = false;
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
    if (reusable_ && changesConnection(statement)) reusable_ = false;
    ExecResult result = backend_->execute(statement, params);
    openError_ = result.error;
    return result;
}

ExecResult Connection::executeScript(const QString& sql) {
    if (!backend_) return ExecResult{false, 0, 0, openError_ = kNotOpen};
    const QString statements = translateSql(sql, backend_->engine());
    // A script may hold anything: its connection is not kept.
    reusable_ = false;
    ExecResult result = backend_->executeScript(statements);
    openError_ = result.error;
    return result;
}

void Connection::close() {
    // An open transaction that nobody committed is undone with the connection.
    if (backend_) {
        while (backend_->depth > 0) backend_->rollback(--backend_->depth);
        if (reusable_ && backend_->idle()) {
            auto& idle = idleConnections();
            if (idle.size() >= kIdleMax) idle.erase(idle.begin());
            idle.push_back({path_, user_, password_, identify(path_), std::move(backend_), monotonicMs()});
        }
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
