#pragma once
// The rows of one query, read out completely when the query runs, so that a result holds
// no lock on the file and stays readable after the connection closes.
#include <QStringList>
#include <vector>

#include "store/Value.h"

namespace qh::store::detail {

struct ResultTable {
    QStringList columns;
    std::vector<std::vector<Value>> rows;

    // Column index (0-based) by name without regard to case; -1 when there is none.
    int columnIndex(const QString& name) const;
    // The value at a row and column; an empty value outside the table.
    Value at(size_t row, int column) const;
};

}  // namespace qh::store::detail
