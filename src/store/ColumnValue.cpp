#include "store/ColumnValue.h"

#include <sqlite3.h>

#include "store/StoreDate.h"

namespace qh::store::detail {

namespace {

using Declared = ColumnReader::Declared;

Declared declaredKind(sqlite3_stmt* stmt, int index) {
    const char* decl = sqlite3_column_decltype(stmt, index);
    if (!decl) return Declared::Other;
    const QByteArray type = QByteArray(decl).trimmed().toUpper();
    if (type == "DATETIME" || type == "DATE" || type == "TIMESTAMP") return Declared::Date;
    if (type == "BOOLEAN" || type == "BOOL" || type == "BIT" || type == "YESNO") return Declared::Boolean;
    return Declared::Other;
}

QString columnText(sqlite3_stmt* stmt, int index) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt, index));
    return QString::fromUtf8(bytes, sqlite3_column_bytes(stmt, index));
}

Value storedValue(sqlite3_stmt* stmt, int index) {
    switch (sqlite3_column_type(stmt, index)) {
    case SQLITE_INTEGER: return Value::integer(sqlite3_column_int64(stmt, index));
    case SQLITE_FLOAT: return Value::real(sqlite3_column_double(stmt, index));
    case SQLITE_TEXT: return Value::text(columnText(stmt, index));
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt, index));
        return Value::binary(QByteArray(data, sqlite3_column_bytes(stmt, index)));
    }
    default: return Value();
    }
}

}  // namespace

ColumnReader::ColumnReader(sqlite3_stmt* stmt) : stmt_(stmt) {
    const int count = sqlite3_column_count(stmt);
    declared_.reserve(size_t(count));
    for (int i = 0; i < count; ++i) declared_.push_back(declaredKind(stmt, i));
}

Value ColumnReader::value(int index) const {
    sqlite3_stmt* stmt = stmt_;
    if (sqlite3_column_type(stmt, index) == SQLITE_NULL) return Value();
    const Declared kind = index >= 0 && index < int(declared_.size()) ? declared_[size_t(index)] : Declared::Other;
    switch (kind) {
    case Declared::Date:
        if (sqlite3_column_type(stmt, index) == SQLITE_TEXT) {
            if (const auto d = parseStoreDate(columnText(stmt, index)))
                return Value::dateTime(QDateTime(d->date, d->time));
        }
        break;  // a stored value that is not a date text reads as what it is
    case Declared::Boolean: return Value::boolean(storedValue(stmt, index).toBool());
    case Declared::Other: break;
    }
    return storedValue(stmt, index);
}

}  // namespace qh::store::detail
