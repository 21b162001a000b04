#pragma once
// Texts made from the time of day: the main window's clock, the default vital-sign slot and
// the Chinese numeral time of a new chart event.
#include <QString>
#include <QTime>

namespace qh::dates {

// "9︰05︰07": hour without padding, minute and second two digits.
QString clockText(const QTime& t);

// The slot ("上4" … "下12") a new vital-sign row defaults to; only the hour counts:
// 3-6 "上4", 7-10 "上8", 11-14 "上12", 15-18 "下4", 19-22 "下8", 23-2 "下12".
QString defaultTimeSlot(int hour);

// Simplified Chinese numerals for 0-999: 0 "零", 10 "十", 15 "十五", 20 "二十", 105 "一百零五".
QString chineseNumeral(int n);

// Time of a new chart event: "十五时七分" for 15:07.
QString eventTimeText(const QTime& t);

}  // namespace qh::dates
