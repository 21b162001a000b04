#pragma once
// Reading a patient's 体温单 rows in chart order. The stored date text has no leading zeros,
// so the text order of 日期 puts 2016-10-1 before 2016-2-4; rows are put in order by the
// date's value and the slot number, whatever the statement's order gave.
#include <QDate>
#include <QList>

#include "store/Connection.h"

namespace qh::vitals {

struct OrderedRow {
    QDate date;  // invalid when 日期 is not a date
    int slot = 0;  // 1-6, 0 when 时刻 is none of the six
    store::Row row;
};

// "select * from 体温单 where 检索=K order by 日期 ASC,排序4 ASC", then ordered by value.
QList<OrderedRow> readChartRows(store::Connection& db, const QString& serial);

}  // namespace qh::vitals
