#pragma once
// Reads one column of the current row of a statement as a typed Value. The declared type
// decides dates and booleans (DATETIME, BOOLEAN, also through views); otherwise the stored
// value's own kind decides.
#include "store/Value.h"

struct sqlite3_stmt;

namespace qh::store::detail {

Value columnValue(sqlite3_stmt* stmt, int index);  // 0-based

}  // namespace qh::store::detail
