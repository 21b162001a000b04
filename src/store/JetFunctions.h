#pragma once
// The scalar functions of the SQL dialect that SQLite lacks, as plain C++ so that the
// typed reads and the SQL functions share one definition.
#include <QString>
#include <optional>

#include "store/StoreDate.h"

namespace qh::store {

// The numeric prefix of a text: blanks are skipped, then an optional sign, digits, a
// decimal part and an exponent are read up to the first other character ("12床" is 12,
// " -3.5kg" is -3.5, "abc" is 0). Blanks inside the number are skipped too ("1 2" is 12).
double jetVal(const QString& text);

// The number of interval boundaries crossed from `from` to `to` ("yyyy", "q", "m", "d"/"y",
// "w", "ww", "h", "n", "s"); nullopt for an unknown interval. 23:00 to 01:00 the next day
// is one day and two hours.
std::optional<qint64> jetDateDiff(const QString& interval, const StoreDate& from, const StoreDate& to);

}  // namespace qh::store
