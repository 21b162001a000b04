#pragma once
// What an operation uses to reach a database file: a connection that closes itself, queries
// whose rows are plain values to loop over, statements with bound values, the count of rows
// a statement changed, and transactions that roll back unless committed.
//
//     store::Connection db = store::Connection::open(files, store::DbFile::Main);
//     if (!db.isOpen()) return;
//     for (const store::Row& row : db.query(u"select 姓名 from 在院病人 where 科室=?"_s, {dept}))
//         names << row.text(u"姓名"_s);
//     store::Transaction tx(db);
//     if (!db.execute(u"update 在院病人 set 状态='出院' where 编号=?"_s, {id}).changed()) return;
//     tx.commit();
//
// Statements are written in the ward's dialect (SqlDialect.h) and translated for the engine
// behind the connection; nothing of the engine shows through this interface.
#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <concepts>
#include <cstddef>
#include <functional>
#include <iterator>
#include <memory>
#include <vector>

#include "store/DatabaseFiles.h"
#include "store/Engine.h"
#include "store/Value.h"

namespace qh::store {

namespace detail {
struct ResultTable;
class Backend;
}  // namespace detail

// A value bound to a ? marker. Text stays text (a quote in it is only a character), dates
// are stored in the store's canonical date form, yes/no as 1/0, bytes as a binary value.
class Param {
public:
    Param(std::nullptr_t) {}
    Param(const QString& text) : value_(Value::text(text)) {}
    Param(const char16_t* text) : value_(Value::text(QString::fromUtf16(text))) {}
    template <std::integral T>
    Param(T number) : value_(std::same_as<T, bool> ? Value::boolean(number) : Value::integer(qint64(number))) {}
    template <std::floating_point T>
    Param(T number) : value_(Value::real(double(number))) {}
    Param(const QByteArray& bytes) : value_(Value::binary(bytes)) {}
    Param(const QDateTime& at) : value_(Value::dateTime(at)) {}
    Param(const QDate& day) : value_(Value::dateTime(day.startOfDay())) {}
    Param(const Value& value) : value_(value) {}

    const Value& value() const { return value_; }

private:
    Value value_;
};
using Params = std::vector<Param>;

// One row of a query's result. Reading a column the row lacks, or any column of the empty
// row (a query that found nothing), gives an empty value of the type asked for.
class Row {
public:
    Row() = default;
    bool isValid() const { return table_ != nullptr; }

    Value value(const QString& column) const;  // by name, without regard to case
    Value value(int index) const;              // 0-based position
    QString text(const QString& column) const { return value(column).toText(); }
    qint64 integer(const QString& column) const { return value(column).toInt(); }
    double real(const QString& column) const { return value(column).toDouble(); }
    bool boolean(const QString& column) const { return value(column).toBool(); }
    QDateTime dateTime(const QString& column) const { return value(column).toDateTime(); }
    QByteArray bytes(const QString& column) const { return value(column).toBytes(); }

private:
    friend class Rows;
    Row(std::shared_ptr<const detail::ResultTable> table, size_t index) : table_(std::move(table)), index_(index) {}
    std::shared_ptr<const detail::ResultTable> table_;
    size_t index_ = 0;
};

// The rows of one query, read completely when it ran: they hold no lock on the file and
// stay valid after the connection closes. A failed query gives no rows and an error.
class Rows {
public:
    Rows() = default;
    bool ok() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }

    int size() const;
    bool isEmpty() const { return size() == 0; }
    QStringList columns() const;
    Row operator[](int index) const;
    // The first row, or the empty row when there is none (a lookup that found nothing).
    Row first() const { return isEmpty() ? Row() : (*this)[0]; }

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Row;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Row;
        const_iterator() = default;
        Row operator*() const { return (*rows_)[index_]; }
        const_iterator& operator++() {
            ++index_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator old = *this;
            ++index_;
            return old;
        }
        bool operator==(const const_iterator& other) const { return index_ == other.index_; }

    private:
        friend class Rows;
        const_iterator(const Rows* rows, int index) : rows_(rows), index_(index) {}
        const Rows* rows_ = nullptr;
        int index_ = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    friend class Connection;
    std::shared_ptr<const detail::ResultTable> table_;
    QString error_;
};

// What a writing statement did.
struct ExecResult {
    bool ok = false;
    qint64 rowsChanged = 0;  // rows the statement inserted, updated or deleted
    qint64 insertedKey = 0;  // the key an INSERT generated
    QString error;
    // The failure was about this row's values (a constraint, a value too big or of the wrong
    // kind): the file itself is fine and other rows may still be written. Any other failure
    // (disk full, I/O, a lock, a read-only file) ends the whole operation.
    bool rowRefused = false;

    explicit operator bool() const { return ok; }
    // Ran and changed at least one row: what "saved" means.
    bool changed() const { return ok && rowsChanged > 0; }
};

class Connection {
public:
    Connection();
    ~Connection();
    Connection(Connection&& other) noexcept;
    Connection& operator=(Connection&& other) noexcept;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // A file of the data directory with its fixed user and password.
    static Connection open(const DataDirectory& files, DbFile file);
    // Any file by its path and credentials (the administrator's tool). Never creates a file;
    // fails when the credentials are not the file's.
    static Connection open(const QString& path, const QString& user, const QString& password);

    bool isOpen() const;
    // Why the last open, query or statement failed; empty after a success.
    QString lastError() const;
    Engine engine() const;

    // One reading statement. A statement that would write is refused.
    Rows query(const QString& sql, const Params& params = {});
    // One INSERT, UPDATE or DELETE (or DDL). Each ? marker takes one value, in order; a
    // count that does not match refuses the statement.
    ExecResult execute(const QString& sql, const Params& params = {});
    // Several statements separated by ";" (a schema, a trigger set): all of them or none.
    ExecResult executeScript(const QString& sql);

    // Ends the connection. An idle connection (no transaction, no statement running, no
    // setting changed) is kept for the next open() of the same file on this thread: opening
    // checks the credentials and reads the schema, which costs more than most list queries.
    // A kept connection holds no lock; it is dropped when its file is replaced or removed,
    // after a while unused, or by releaseIdleConnections().
    void close();

    // Closes every kept connection of this thread (before a file is replaced or removed).
    static void releaseIdleConnections();

private:
    friend class Transaction;
    std::unique_ptr<detail::Backend> backend_;
    QString openError_;
    QString path_, user_, password_;
    bool reusable_ = true;  // false once a statement changed how the connection works
};

// Measurement: while an observer is set, every statement a Connection runs is handed to it
// in the engine's dialect with its file and values (the benchmark replays them on a bare
// connection). Not for production use; set and cleared on one thread.
using StatementObserver = std::function<void(const QString& file, const QString& statement, const Params& params)>;
void setStatementObserver(StatementObserver observer);

// Begins a transaction; everything the connection executes until commit() is one change.
// Without commit(), leaving the scope rolls it back. Transactions nest (an inner one is a
// part of the outer that can be undone alone).
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Began and not yet committed or rolled back.
    bool isActive() const { return active_; }
    // True when the changes are stored; a failed commit rolls back.
    bool commit();
    void rollback();

private:
    detail::Backend* liveBackend();

    Connection& connection_;
    detail::Backend* backend_;
    int depth_ = 0;
    bool active_ = false;
};

}  // namespace qh::store
