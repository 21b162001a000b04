#include "store/TableConnection.h"

#include <sqlite3.h>

#include <map>
#include <vector>

#include "store/ColumnValue.h"
#include "store/DatabaseFiles.h"
#include "store/SqlDialect.h"
#include "store/SqlText.h"
#include "store/SqliteFile.h"
#include "store/StoreDate.h"

namespace qh::store {

struct TableConnection::Impl {
    detail::DbHandle db;
};

TableConnection::TableConnection() : d(std::make_unique<Impl>()) {}
TableConnection::~TableConnection() = default;

bool TableConnection::open(const QString& path, const QString& password) {
    QString error;
    detail::DbHandle db = detail::openCredentialed(path, QString::fromUtf8(kDbUser), password, &error);
    if (!db) return false;  // a failed open keeps the connection held before
    d->db = std::move(db);
    return true;
}

bool TableConnection::open(const DataDirectory& files, DbFile file) {
    return open(files.path(file), password(file));
}

void TableConnection::close() { d->db.reset(); }

bool TableConnection::isOpen() const { return d->db != nullptr; }

namespace {

struct Row {
    qint64 rowid = 0;
    std::vector<Value> values;
    bool deleted = false;
};

enum class EditMode { Browse, Adding, Editing };

}  // namespace

struct TableRowSet::Impl {
    TableConnection* connection = nullptr;
    QString table;
    QStringList columns;
    std::vector<bool> dateColumn;
    std::vector<Row> rows;
    size_t cursor = 0;
    EditMode mode = EditMode::Browse;
    std::map<int, Value> pending;  // column index -> value set since AddNew or the first SetField

    sqlite3* db() const { return connection ? connection->d->db.get() : nullptr; }
    bool onRow() const { return cursor < rows.size() && !rows[cursor].deleted; }
    void cancelEdit() {
        mode = EditMode::Browse;
        pending.clear();
    }
    void skipDeleted() {
        while (cursor < rows.size() && rows[cursor].deleted) ++cursor;
    }
    int columnIndex(const QString& name) const {
        for (int i = 0; i < columns.size(); ++i)
            if (columns[i].compare(name, Qt::CaseInsensitive) == 0) return i;
        return -1;
    }
    // The row set's query with the rowid in front: "select * from " + table [+ " where " + condition].
    QString selectText(const QString& condition) const {
        QString sql = QStringLiteral("select rowid as qh_rowid, * from ") + table;
        if (!condition.isNull()) sql += QStringLiteral(" where ") + condition;
        return sql;
    }
    static Row readRow(sqlite3_stmt* stmt, const detail::ColumnReader& reader) {
        Row row;
        row.rowid = sqlite3_column_int64(stmt, 0);
        const int count = sqlite3_column_count(stmt);
        for (int i = 1; i < count; ++i) row.values.push_back(reader.value(i));
        return row;
    }
    bool load(const QString& tableName, const QString& condition);
    bool reloadRow(qint64 rowid, Row* out);
    bool write();
};

bool TableRowSet::Impl::load(const QString& tableName, const QString& condition) {
    table = tableName;
    columns.clear();
    dateColumn.clear();
    rows.clear();
    cursor = 0;
    cancelEdit();
    if (!db()) return false;
    QString error;
    detail::StmtHandle stmt = detail::prepare(db(), translateSql(selectText(condition), Engine::Sqlite), &error);
    if (!stmt || !sqlite3_stmt_readonly(stmt.get())) return false;
    const int count = sqlite3_column_count(stmt.get());
    for (int i = 1; i < count; ++i) {
        columns << QString::fromUtf8(sqlite3_column_name(stmt.get(), i));
        const QByteArray decl = QByteArray(sqlite3_column_decltype(stmt.get(), i)).trimmed().toUpper();
        dateColumn.push_back(decl == "DATETIME" || decl == "DATE" || decl == "TIMESTAMP");
    }
    int rc;
    const detail::ColumnReader reader(stmt.get());
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) rows.push_back(readRow(stmt.get(), reader));
    if (rc != SQLITE_DONE) {
        rows.clear();
        columns.clear();
        return false;
    }
    return true;
}

bool TableRowSet::Impl::reloadRow(qint64 rowid, Row* out) {
    QString error;
    detail::StmtHandle stmt = detail::prepare(
        db(), QStringLiteral("select rowid as qh_rowid, * from %1 where rowid=%2").arg(table).arg(rowid), &error);
    if (!stmt || sqlite3_step(stmt.get()) != SQLITE_ROW) return false;
    *out = readRow(stmt.get(), detail::ColumnReader(stmt.get()));
    return true;
}

bool TableRowSet::Impl::write() {
    QStringList names, markers;
    for (const auto& [index, value] : pending) {
        names << sqlIdentifier(columns[index]);
        markers << QStringLiteral("?");
    }
    QString sql;
    if (mode == EditMode::Adding) {
        sql = names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                              : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                    .arg(table, names.join(u','), markers.join(u','));
    } else {
        QStringList assignments;
        for (const QString& name : names) assignments << name + QStringLiteral("=?");
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid=%3")
                  .arg(table, assignments.join(u','))
                  .arg(rows[cursor].rowid);
    }
    QString error;
    detail::StmtHandle stmt = detail::prepare(db(), sql, &error);
    if (!stmt) return false;
    int marker = 1;
    for (const auto& [index, value] : pending)
        if (!detail::bindValue(stmt.get(), marker++, value)) return false;
    if (sqlite3_step(stmt.get()) != SQLITE_DONE) return false;

    // Read the stored row back: it carries the generated key and what triggers made of it.
    const qint64 rowid = mode == EditMode::Adding ? sqlite3_last_insert_rowid(db()) : rows[cursor].rowid;
    Row stored;
    if (!reloadRow(rowid, &stored)) stored.rowid = rowid;
    if (mode == EditMode::Adding) {
        rows.push_back(std::move(stored));
        cursor = rows.size() - 1;  // the new row becomes the current one
    } else {
        rows[cursor] = std::move(stored);
    }
    cancelEdit();
    return true;
}

TableRowSet::TableRowSet() : d(std::make_unique<Impl>()) {}
TableRowSet::~TableRowSet() = default;

void TableRowSet::attach(TableConnection& connection) { d->connection = &connection; }

bool TableRowSet::openTable(const QString& table) { return d->load(table, QString()); }

bool TableRowSet::openWhere(const QString& condition, const QString& table) {
    return d->load(table, condition.isNull() ? QStringLiteral("") : condition);
}

void TableRowSet::moveFirst() {
    d->cancelEdit();
    d->cursor = 0;
    d->skipDeleted();
}

void TableRowSet::moveNext() {
    d->cancelEdit();
    if (d->cursor < d->rows.size()) ++d->cursor;
    d->skipDeleted();
}

bool TableRowSet::isEof() const { return d->cursor >= d->rows.size(); }

int TableRowSet::rowCount() const {
    int count = 0;
    for (const Row& row : d->rows) count += row.deleted ? 0 : 1;
    return count;
}

Value TableRowSet::readField(const QString& column) const {
    const int index = d->columnIndex(column);
    if (index < 0) return Value();
    if (const auto it = d->pending.find(index); it != d->pending.end()) return it->second;
    if (d->mode == EditMode::Adding || !d->onRow()) return Value();
    return d->rows[d->cursor].values[size_t(index)];
}

bool TableRowSet::addNew() {
    if (!d->db() || d->table.isEmpty() || d->columns.isEmpty()) return false;
    d->cancelEdit();
    d->mode = EditMode::Adding;
    return true;
}

bool TableRowSet::setField(const QString& column, const QVariant& value) {
    const int index = d->columnIndex(column);
    if (index < 0) return false;
    if (d->mode == EditMode::Browse) {
        if (!d->onRow()) return false;
        d->mode = EditMode::Editing;
    }
    Value v;
    if (d->dateColumn[size_t(index)]) {
        // Date columns take a date, a date text or nothing (empty text), never other text.
        if (value.metaType().id() == QMetaType::QDateTime || value.metaType().id() == QMetaType::QDate) {
            const QDateTime dt = value.toDateTime();
            if (!dt.isValid()) return false;
            v = Value::dateTime(dt);
        } else if (!value.isNull() && !value.toString().trimmed().isEmpty()) {
            const auto parsed = parseStoreDate(value.toString());
            if (!parsed) return false;
            v = Value::dateTime(QDateTime(parsed->date, parsed->time));
        }
    } else {
        switch (value.metaType().id()) {
        case QMetaType::UnknownType: break;
        case QMetaType::Bool: v = Value::boolean(value.toBool()); break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort: v = Value::integer(value.toLongLong()); break;
        case QMetaType::ULong:
        case QMetaType::ULongLong: v = Value::integer(qint64(value.toULongLong())); break;
        case QMetaType::Double:
        case QMetaType::Float: v = Value::real(value.toDouble()); break;
        case QMetaType::QByteArray: v = Value::binary(value.toByteArray()); break;
        case QMetaType::QDateTime:
        case QMetaType::QDate: v = Value::dateTime(value.toDateTime()); break;
        default:
            if (!value.isNull()) v = Value::text(value.toString());
            break;
        }
    }
    d->pending[index] = v;
    return true;
}

bool TableRowSet::update() {
    if (!d->db()) return false;
    if (d->mode == EditMode::Browse) return true;  // nothing changed
    if (d->mode == EditMode::Editing && !d->onRow()) return false;
    return d->write();
}

bool TableRowSet::deleteRow() {
    d->cancelEdit();
    if (!d->db() || !d->onRow()) return false;
    QString error;
    detail::StmtHandle stmt = detail::prepare(
        d->db(), QStringLiteral("DELETE FROM %1 WHERE rowid=%2").arg(d->table).arg(d->rows[d->cursor].rowid), &error);
    if (!stmt || sqlite3_step(stmt.get()) != SQLITE_DONE) return false;
    // The row stays current, marked deleted, until the cursor moves on to the next one.
    d->rows[d->cursor].deleted = true;
    return true;
}

void TableRowSet::close() {
    d->cancelEdit();
    d->table.clear();
    d->columns.clear();
    d->dateColumn.clear();
    d->rows.clear();
    d->cursor = 0;
}

}  // namespace qh::store
