#include "store/JetFunctions.h"

#include <cmath>

namespace qh::store {

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

}  // namespace

double jetVal(const QString& text) {
    // Collect the characters of the number (blanks dropped), then let the C locale parse them.
    QString number;
    int i = 0;
    const int n = text.size();
    auto skipBlanks = [&] {
        while (i < n && isBlank(text[i])) ++i;
    };
    auto takeDigits = [&] {
        int count = 0;
        for (skipBlanks(); i < n && text[i].isDigit() && text[i].unicode() < 128; skipBlanks()) {
            number += text[i++];
            ++count;
        }
        return count;
    };
    skipBlanks();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) number += text[i++];
    int digits = takeDigits();
    if (i < n && text[i] == u'.') {
        number += text[i++];
        digits += takeDigits();
    }
    if (digits == 0) return 0.0;
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        // An exponent counts only when digits follow it ("12e" is 12).
        int j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < n && (text[j] == u'+' || text[j] == u'-')) exponent += text[j++];
        int expDigits = 0;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            exponent += text[j++];
            ++expDigits;
        }
        if (expDigits > 0) number += exponent;
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

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
