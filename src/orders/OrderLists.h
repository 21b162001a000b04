#pragma once
// Reading a patient's stored orders: one indexed query per list (zyid and yzlb), in the
// order each list shows them, and the lines each list displays.
#include <QDateTime>
#include <QString>
#include <QVector>

#include "orders/OrderModel.h"
#include "store/DatabaseFiles.h"

namespace qh::store {
class Row;
}

namespace qh::orders {

// One row of zyb_yzxx as the lists, sheets and cards read it.
struct StoredOrder {
    qint64 sid = 0;
    QString zyid, yzid, sjyz, kind;  // kind: yzlb
    QDateTime ordered;               // yzsj
    QDateTime stopped;               // tzsj (invalid while running)
    QDateTime executed;              // dysj
    qint64 xmid = 0;
    QString content, spec, unit, attribute, dose, route, frequency, slip, marker, state;
    double quantity = 0;  // xmsl
    QString orderingDoctor, executingNurse, stoppingDoctor, confirmingNurse;  // ysxm1, hsxm1, ysxm2, hsxm2
    QString department, bed, categoryDigit, remark;                            // ksbh, cwbh, yzpd, ybsx
    qint64 entryOrder = 0;                                                     // lrsx
    bool archived = false;  // a discharged patient's herb read from zyb_yzxx_cy

    bool isVoided() const { return state == kVoided; }
    bool isMarker() const { return isMarkerContent(content); }
    ContentFields contentFields() const;
};

// A row of zyb_yzxx (or zyb_yzxx_cy) as a StoredOrder, by the columns' names.
StoredOrder storedOrderFromRow(const store::Row& row);

// One displayed line of a list, with the sid of the row it stands for.
struct ListLine {
    qint64 sid = 0;
    QString date, time, content, doctor, nurse, stopDate, stopTime, stopDoctor, stopNurse;
    bool voided = false;
    // Every stored row the line stands for (two herbs share a herbal line).
    QVector<qint64> sids;
    // yzid and sjyz; on the herbal list the prescription's key (its header's yzid) and its
    // prescription number.
    QString orderNumber, group;
    QString remark;         // ybsx
    bool marker = false;    // a "重整医嘱" or "术后医嘱" line
    bool archived = false;  // read from zyb_yzxx_cy
};

class OrderLists {
public:
    explicit OrderLists(const store::DataDirectory& files) : files_(files) {}

    // The patient's rows of one kind: long-term by sid, temporary by yzsj then lrsx,
    // herbal by sid. `discharged` reads herbal rows from both herbal tables.
    QVector<StoredOrder> read(const QString& serial, OrderKind kind, bool discharged = false) const;
    // The lines a list shows: one per long-term or temporary row; on the herbal list two
    // herbs to a line and the closing "上方" line of each prescription.
    QVector<ListLine> lines(const QString& serial, OrderKind kind, bool discharged = false) const;

private:
    store::DataDirectory files_;
};

// The closing line of a prescription: "    上方 " + doses + " 付   " + usage.
QString prescriptionClosing(double doses, const QString& usage);
// A herb as the herbal list shows it: "  " + name + " " + whole dose + unit.
QString herbText(const StoredOrder& herb);

}  // namespace qh::orders
