#pragma once
// The rows of one query, read out completely when the query runs, so that a record set
// holds no lock on the file and can move to its first or last row at will.
#include <QStringList>
#include <vector>

#include "store/Value.h"

struct sqlite3_stmt;

namespace qh::store::detail {

struct ResultTable {
    QStringList columns;
    std::vector<std::vector<Value>> rows;
    size_t cursor = 0;

    bool atEnd() const { return cursor >= rows.size(); }
    // Column index (0-based) by name without regard to case; -1 when there is none.
    int columnIndex(const QString& name) const;
    // The value in the current row; an empty value at the end or for an unknown column.
    Value at(int index) const;

    // Steps stmt to its end. False (and no rows) when a step fails.
    bool fill(sqlite3_stmt* stmt);
};

}  // namespace qh::store::detail
