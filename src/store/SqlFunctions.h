#pragma once
// The dialect's SQL functions, registered on every connection the store opens:
//   qh_date(x)            canonical date-time text of a date text; NULL for NULL or '';
//                         an SQL error for any other text (date columns' triggers call it)
//   Val(x)                numeric prefix of a text (common/NumericText.h)
//   datediff(i, d1, d2)   interval boundaries crossed between two dates
// IIf is SQLite's own iif (function names are case-blind).
struct sqlite3;

namespace qh::store {

bool registerDialectFunctions(sqlite3* db);

}  // namespace qh::store
