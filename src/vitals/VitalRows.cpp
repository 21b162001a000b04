#include "vitals/VitalRows.h"

#include <algorithm>

#include "vitals/VitalSigns.h"

namespace qh::vitals {

QList<OrderedRow> readChartRows(store::Connection& db, const QString& serial) {
    QList<OrderedRow> rows;
    for (const store::Row& row :
         db.query(QStringLiteral("select * from 体温单 where 检索=? order by 日期 ASC,排序4 ASC"), {serial})) {
        OrderedRow r;
        r.date = parseRowDate(row.text(QStringLiteral("日期")));
        r.slot = chartSlotIndex(row.text(QStringLiteral("时刻"))) + 1;
        r.row = row;
        rows << r;
    }
    std::stable_sort(rows.begin(), rows.end(), [](const OrderedRow& a, const OrderedRow& b) {
        if (a.date != b.date) return a.date < b.date;  // an invalid date sorts first
        return a.slot < b.slot;
    });
    return rows;
}

}  // namespace qh::vitals
