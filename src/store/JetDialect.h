#pragma once
// Translates the program's SQL dialect into SQLite's. Only what SQLite does not already
// understand is rewritten: #…# date literals become quoted canonical date texts. IIf, Val,
// datediff and qh_date are SQL functions registered on every connection (SqlFunctions.h);
// true/false, LIKE with %, count(1), is null and case-blind table names SQLite takes as is.
#include <QString>

namespace qh::store {

// Quoted literals, quoted identifiers and comments pass through untouched. A #…# whose
// content is not a date is left as it is, so the statement fails instead of meaning
// something else.
QString translateJetSql(const QString& sql);

}  // namespace qh::store
