#include "store/ResultTable.h"

namespace qh::store::detail {

int ResultTable::columnIndex(const QString& name) const {
    // Callers nearly always spell the name as the statement did: the exact match first,
    // cheaper than folding case for every cell a long list reads.
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i] == name) return i;
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

Value ResultTable::at(size_t row, int column) const {
    if (row >= rows.size() || column < 0 || column >= int(rows[row].size())) return Value();
    return rows[row][size_t(column)];
}

}  // namespace qh::store::detail
