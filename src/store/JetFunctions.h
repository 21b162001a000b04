#pragma once
// datediff, the date function of the SQL dialect that SQLite lacks, as plain C++. Val is
// qh::text::val (common/NumericText.h), shared with the code that sorts beds.
#include <QString>
#include <optional>

#include "store/StoreDate.h"

namespace qh::store {

// The number of interval boundaries crossed from `from` to `to` ("yyyy", "q", "m", "d"/"y",
// "w", "ww", "h", "n", "s"); nullopt for an unknown interval. 23:00 to 01:00 the next day
// is one day and two hours.
std::optional<qint64> jetDateDiff(const QString& interval, const StoreDate& from, const StoreDate& to);

}  // namespace qh::store
