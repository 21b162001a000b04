#pragma once
// Date texts of the program: the plain date text ("2016年3月5日8时30分"), DateTimeToText
// ("2016-03-05 09:07:02"), the record placeholders' formats, and ages.
#include <QDate>
#include <QDateTime>
#include <QString>

namespace qh::dates {

// "2016年3月5日", followed when there is a time of day by "8时", "8时30分" or "8时30分2秒".
QString plainDateText(const QDateTime& dt);
QString plainDateText(const QDate& d);
// Reads the plain date text and the "2016-03-05 09:07:02" form (padding and time optional).
// Invalid QDateTime when the text is neither.
QDateTime parseDateText(const QString& text);

// Date part of d, time of day from the clock; every part but the year two digits.
QString DateTimeToText(const QDateTime& d);

}  // namespace qh::dates
