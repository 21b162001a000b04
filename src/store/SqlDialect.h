#pragma once
// The one place where the program's SQL dialect is translated for the engine that holds
// the files. The dialect: #…# date literals, IIf, Val, datediff, true/false, LIKE with %,
// count(1), is null, case-blind table names, ? markers for bound values.
#include <QString>

#include "store/Engine.h"

namespace qh::store {

// For SQLite only what it does not already understand is rewritten: #…# date literals
// become quoted canonical date texts; IIf, Val, datediff and qh_date are SQL functions
// registered on every connection (SqlFunctions.h). Quoted literals, quoted identifiers
// and comments pass through untouched. A #…# whose content is not a date is left as it
// is, so the statement fails instead of meaning something else.
QString translateSql(const QString& sql, Engine target);

}  // namespace qh::store
