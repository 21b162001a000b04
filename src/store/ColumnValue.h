#pragma once
// Reads one column of the current row of a statement as a typed Value. The declared type
// decides dates and booleans (DATETIME, BOOLEAN, also through views); otherwise the stored
// value's own kind decides.
#include <vector>

#include "store/Value.h"

struct sqlite3_stmt;

namespace qh::store::detail {

// The declared kinds are read once per statement, not once per value: a list of
// thousands of rows would otherwise ask SQLite for each cell's type text.
class ColumnReader {
public:
    enum class Declared { Other, Date, Boolean };
    explicit ColumnReader(sqlite3_stmt* stmt);
    Value value(int index) const;  // 0-based, of the current row

private:
    sqlite3_stmt* stmt_;
    std::vector<Declared> declared_;
};

}  // namespace qh::store::detail
