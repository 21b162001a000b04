#include "store/ExternalDatabase.h"

namespace qh::store {

bool ExternalDatabase::open(const QString& path, const QString& user, const QString& password) {
    return take(Connection::open(path, user, password));
}

bool ExternalDatabase::open(const DataDirectory& files, DbFile file) { return take(Connection::open(files, file)); }

bool ExternalDatabase::take(Connection opened) {
    if (!opened.isOpen()) {
        error_ = opened.lastError();
        return false;
    }
    close();
    connection_ = std::move(opened);
    error_.clear();
    return true;
}

RecordSet ExternalDatabase::query(const QString& sql) {
    const RecordSet handle = nextHandle_++;
    Rows rows = connection_.query(sql);
    error_ = rows.error();
    sets_.emplace(handle, Cursor{std::move(rows), 0});
    return handle;
}

const ExternalDatabase::Cursor* ExternalDatabase::find(RecordSet rs) const {
    const auto it = sets_.find(rs);
    return it == sets_.end() ? nullptr : &it->second;
}

void ExternalDatabase::moveFirst(RecordSet rs) {
    if (auto it = sets_.find(rs); it != sets_.end()) it->second.row = 0;
}

void ExternalDatabase::moveNext(RecordSet rs) {
    if (auto it = sets_.find(rs); it != sets_.end() && it->second.row < it->second.rows.size()) ++it->second.row;
}

void ExternalDatabase::moveLast(RecordSet rs) {
    if (auto it = sets_.find(rs); it != sets_.end()) it->second.row = qMax(0, it->second.rows.size() - 1);
}

bool ExternalDatabase::isEof(RecordSet rs) const {
    const Cursor* c = find(rs);
    return !c || c->row >= c->rows.size();
}

Value ExternalDatabase::read(RecordSet rs, const QString& column) const {
    const Cursor* c = find(rs);
    return c ? c->rows[c->row].value(column) : Value();
}

Value ExternalDatabase::read(RecordSet rs, int position) const {
    const Cursor* c = find(rs);
    return c ? c->rows[c->row].value(position - 1) : Value();
}

int ExternalDatabase::columnCount(RecordSet rs) const {
    const Cursor* c = find(rs);
    return c ? int(c->rows.columns().size()) : 0;
}

QString ExternalDatabase::columnName(RecordSet rs, int position) const {
    const Cursor* c = find(rs);
    return c ? c->rows.columns().value(position - 1) : QString();
}

void ExternalDatabase::closeRecordSet(RecordSet rs) { sets_.erase(rs); }

bool ExternalDatabase::record(const ExecResult& result) {
    error_ = result.error;
    if (result.ok) {
        lastInsertId_ = result.insertedKey;
        rowsChanged_ = result.rowsChanged;
    }
    return result.ok;
}

bool ExternalDatabase::execute(const QString& sql) { return record(connection_.execute(sql)); }

bool ExternalDatabase::execute(const QString& sql, const QByteArray& binary) {
    return record(connection_.execute(sql, {binary}));
}

bool ExternalDatabase::executeScript(const QString& sql) { return record(connection_.executeScript(sql)); }

void ExternalDatabase::close() {
    sets_.clear();
    connection_.close();
}

}  // namespace qh::store
