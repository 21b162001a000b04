#include "store/JetFunctions.h"

namespace qh::store {

namespace {

qint64 floorDiv(qint64 a, qint64 b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

}  // namespace

std::optional<qint64> jetDateDiff(const QString& interval, const StoreDate& from, const StoreDate& to) {
    const QString unit = interval.trimmed().toLower();
    const qint64 days = from.date.daysTo(to.date);
    const qint64 yearDiff = to.date.year() - from.date.year();
    if (unit == u"yyyy") return yearDiff;
    if (unit == u"q") return yearDiff * 4 + (to.date.month() - 1) / 3 - (from.date.month() - 1) / 3;
    if (unit == u"m") return yearDiff * 12 + to.date.month() - from.date.month();
    if (unit == u"d" || unit == u"y") return days;
    if (unit == u"w") return days / 7;  // whole weeks, truncated toward zero
    if (unit == u"ww") {
        // Sundays crossed: weeks counted from Sunday. Julian day 0 is a Monday.
        return floorDiv(to.date.toJulianDay() + 1, 7) - floorDiv(from.date.toJulianDay() + 1, 7);
    }
    const qint64 hours = days * 24 + to.time.hour() - from.time.hour();
    if (unit == u"h") return hours;
    const qint64 minutes = hours * 60 + to.time.minute() - from.time.minute();
    if (unit == u"n") return minutes;
    if (unit == u"s") return minutes * 60 + to.time.second() - from.time.second();
    return std::nullopt;
}

}  // namespace qh::store
