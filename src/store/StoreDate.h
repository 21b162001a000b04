#pragma once
// Date texts as the store accepts them in #…# literals, date columns and qh_date():
// "2016-3-5 9:07:02" (any zero padding, "/" as well as "-", time or seconds optional)
// and the plain date text "2016年3月5日8时30分2秒" (time parts optional). Date columns
// hold the canonical "2016-03-05 09:07:02".
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <optional>

namespace qh::store {

struct StoreDate {
    QDate date;
    QTime time;  // 00:00:00 when the text had no time of day
};

std::optional<StoreDate> parseStoreDate(const QString& text);
QString canonicalDateText(const StoreDate& d);
QString canonicalDateText(const QDateTime& dt);
// Canonical text of a date text; nullopt when the text is not a date.
std::optional<QString> canonicalDateText(const QString& text);

}  // namespace qh::store
