#pragma once
// Date texts of the program: the plain date text ("2016年3月5日8时30分"), a date stamped with the
// current time of day ("2016-03-05 09:07:02"), the record placeholders' formats, and ages.
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

// The date d with the clock's current time of day: "2016-03-05 09:07:02", every part but
// the year two digits. Empty for an invalid date.
QString dateWithCurrentTimeText(const QDate& d);

// --- Formats of the record placeholders; nothing is zero-padded unless said. ---
// "2016年2月3日" ({日期5}, {入院日期2}, {出生日期}).
QString dayText(const QDate& d);
// "2016年2月3日15时" ({日期4}, {入院日期1}).
QString dayHourText(const QDateTime& dt);
// "2016年2月3日15时5分" ({日期3}, {入院日期}).
QString dayHourMinuteText(const QDateTime& dt);
// "2016-2-3" ({日期2}, {入院日期3}; also the date of a vital-sign row).
QString dashDateText(const QDate& d);
// "2016-2-3-3Pm": 12-hour hour, "Am" before noon ({日期1}, {入院日期5}).
QString dashDateHalfDayText(const QDateTime& dt);
// "2016-2-3 03：05": 12-hour hour and minute two digits, full-width colon ({日期}, {入院日期4}).
QString dashDateClockText(const QDateTime& dt);
// The 12-hour hour: the hour minus 12 from noon on (12:30 is 0, 15:05 is 3).
int halfDayHour(const QTime& t);
// Whole days from admission to now, the fraction dropped ({天数}); 0 on the admission day.
int daysSince(const QDateTime& admission, const QDateTime& now);

// The value of a date placeholder ("{天数}", "{日期}" … "{日期5}", "{入院日期}" … "{入院日期5}")
// or of its form alias ("TS", "RQ" … "RQ5", "RYRQ" … "RYRQ5"). Null QString for any other
// name; empty text for an admission placeholder when the admission date is invalid.
QString datePlaceholderValue(const QString& name, const QDateTime& admission, const QDateTime& now);

// Birth date: the admission date minus the age in the unit ("岁" years, "月" months,
// "天" days; any other unit counts years). The age is the numeric value of ageText, truncated.
QDate birthDateFromAge(const QDate& admission, const QString& ageText, const QString& unit);

}  // namespace qh::dates
