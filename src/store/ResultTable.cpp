#include "store/ResultTable.h"

#include <sqlite3.h>

#include "store/ColumnValue.h"

namespace qh::store::detail {

int ResultTable::columnIndex(const QString& name) const {
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

Value ResultTable::at(int index) const {
    if (atEnd() || index < 0 || index >= int(rows[cursor].size())) return Value();
    return rows[cursor][size_t(index)];
}

bool ResultTable::fill(sqlite3_stmt* stmt) {
    const int count = sqlite3_column_count(stmt);
    columns.clear();
    rows.clear();
    cursor = 0;
    for (int i = 0; i < count; ++i) columns << QString::fromUtf8(sqlite3_column_name(stmt, i));
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        std::vector<Value> row;
        row.reserve(size_t(count));
        for (int i = 0; i < count; ++i) row.push_back(columnValue(stmt, i));
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) rows.clear();
    return rc == SQLITE_DONE;
}

}  // namespace qh::store::detail
