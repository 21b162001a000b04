#include "orders/OrderLists.h"

#include <cmath>

#include "store/Connection.h"

namespace qh::orders {

StoredOrder storedOrderFromRow(const store::Row& row) {
    StoredOrder o;
    o.sid = row.integer(QStringLiteral("sid"));
    o.zyid = row.text(QStringLiteral("zyid"));
    o.yzid = row.text(QStringLiteral("yzid"));
    o.sjyz = row.text(QStringLiteral("sjyz"));
    o.kind = row.text(QStringLiteral("yzlb"));
    o.ordered = row.dateTime(QStringLiteral("yzsj"));
    o.stopped = row.dateTime(QStringLiteral("tzsj"));
    o.executed = row.dateTime(QStringLiteral("dysj"));
    o.xmid = row.integer(QStringLiteral("xmid"));
    o.content = row.text(QStringLiteral("xmmc"));
    o.spec = row.text(QStringLiteral("xmgg"));
    o.unit = row.text(QStringLiteral("xmdw"));
    o.attribute = row.text(QStringLiteral("xmsx"));
    o.dose = row.text(QStringLiteral("yzjl"));
    o.route = row.text(QStringLiteral("yzfs"));
    o.frequency = row.text(QStringLiteral("yzyf"));
    o.slip = row.text(QStringLiteral("qllb"));
    o.marker = row.text(QStringLiteral("ypcz"));
    o.state = row.text(QStringLiteral("yzzt"));
    o.quantity = row.real(QStringLiteral("xmsl"));
    o.orderingDoctor = row.text(QStringLiteral("ysxm1"));
    o.executingNurse = row.text(QStringLiteral("hsxm1"));
    o.stoppingDoctor = row.text(QStringLiteral("ysxm2"));
    o.confirmingNurse = row.text(QStringLiteral("hsxm2"));
    o.department = row.text(QStringLiteral("ksbh"));
    o.bed = row.text(QStringLiteral("cwbh"));
    o.categoryDigit = row.text(QStringLiteral("yzpd"));
    o.remark = row.text(QStringLiteral("ybsx"));
    o.entryOrder = row.integer(QStringLiteral("lrsx"));
    return o;
}

namespace {


QString dayText(const QDateTime& dt) { return dt.isValid() ? dt.toString(QStringLiteral("yyyy-MM-dd")) : QString(); }
QString clockText(const QDateTime& dt) { return dt.isValid() ? dt.toString(QStringLiteral("HH:mm")) : QString(); }

}  // namespace

ContentFields StoredOrder::contentFields() const {
    return {content, spec, quantity, unit, dose, route, frequency, marker, slip};
}

QVector<StoredOrder> OrderLists::read(const QString& serial, OrderKind kind, bool discharged) const {
    QVector<StoredOrder> orders;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return orders;
    store::Rows rows;
    switch (kind) {
    case OrderKind::LongTerm:
        rows = db.query(QStringLiteral("SELECT * FROM zyb_yzxx where zyid=? and yzlb='长期医嘱' order by SID"), {serial});
        break;
    case OrderKind::Temporary:
        rows = db.query(QStringLiteral("SELECT * FROM zyb_yzxx where zyid=? and yzlb='临时医嘱' order by yzsj,lrsx"),
                        {serial});
        break;
    case OrderKind::Herbal:
        if (discharged) {
            // Herbs entered here stay in zyb_yzxx after discharge; older ones were moved to
            // zyb_yzxx_cy. The list shows both.
            for (const store::Row& row :
                 db.query(QStringLiteral("SELECT * FROM zyb_yzxx_cy where zyid=? and yzlb='处方用药' order by sid asc"),
                          {serial})) {
                orders.append(storedOrderFromRow(row));
                orders.last().archived = true;
            }
        }
        rows = db.query(QStringLiteral("SELECT * FROM zyb_yzxx where zyid=? and yzlb='处方用药' order by sid asc"), {serial});
        break;
    }
    for (const store::Row& row : rows) orders.append(storedOrderFromRow(row));
    return orders;
}

QString prescriptionClosing(double doses, const QString& usage) {
    return QStringLiteral("    上方 ") + QString::number(qint64(std::floor(doses))) + QStringLiteral(" 付   ") + usage;
}

QString herbText(const StoredOrder& herb) {
    return QStringLiteral("  ") + herb.content + u' ' + QString::number(qint64(std::floor(herb.quantity))) + herb.unit;
}

QVector<ListLine> OrderLists::lines(const QString& serial, OrderKind kind, bool discharged) const {
    QVector<ListLine> lines;
    const QVector<StoredOrder> orders = read(serial, kind, discharged);
    if (kind != OrderKind::Herbal) {
        for (const StoredOrder& o : orders) {
            ListLine l;
            l.sid = o.sid;
            l.date = dayText(o.ordered);
            l.time = clockText(o.ordered);
            l.content = listContentText(o.contentFields());
            l.doctor = o.orderingDoctor;
            l.nurse = o.executingNurse;
            if (kind == OrderKind::LongTerm) {
                l.stopDate = dayText(o.stopped);
                l.stopTime = clockText(o.stopped);
                l.stopDoctor = o.stoppingDoctor;
                l.stopNurse = o.confirmingNurse;
            } else {
                l.stopDate = o.executed.isValid() ? o.executed.toString(QStringLiteral("yyyy-MM-dd HH:mm")) : QString();
            }
            l.voided = o.isVoided();
            l.sids = {o.sid};
            l.orderNumber = o.yzid;
            l.group = o.sjyz;
            l.remark = o.remark;
            l.marker = o.isMarker();
            lines.append(l);
        }
        return lines;
    }
    // Herbal: the herbs of a prescription precede its header row (草药处方单), which
    // closes it with the number of doses and the usage.
    QVector<StoredOrder> herbs;
    for (const StoredOrder& o : orders) {
        if (o.content != kHerbalHeader) {
            herbs.append(o);
            continue;
        }
        QVector<StoredOrder> mine;
        for (const StoredOrder& h : herbs)
            if (h.sjyz == o.yzid && h.archived == o.archived) mine.append(h);
        for (int i = 0; i < mine.size(); i += 2) {
            ListLine l;
            l.sid = mine[i].sid;
            l.date = dayText(mine[i].ordered);
            l.time = clockText(mine[i].ordered);
            l.content = herbText(mine[i]);
            if (i + 1 < mine.size()) l.content += QStringLiteral("      ") + herbText(mine[i + 1]);
            l.doctor = mine[i].orderingDoctor;
            l.nurse = mine[i].executingNurse;
            l.voided = mine[i].isVoided();
            l.sids = {mine[i].sid};
            if (i + 1 < mine.size()) l.sids.append(mine[i + 1].sid);
            l.orderNumber = mine[i].yzid;
            l.group = o.yzid;
            l.remark = o.sjyz;
            l.archived = o.archived;
            lines.append(l);
        }
        ListLine close;
        close.sid = o.sid;
        close.content = prescriptionClosing(o.quantity, o.route);
        close.doctor = o.orderingDoctor;
        close.nurse = o.executingNurse;
        close.voided = o.isVoided();
        close.sids = {o.sid};
        close.orderNumber = o.yzid;
        close.group = o.yzid;
        close.remark = o.sjyz;
        close.archived = o.archived;
        lines.append(close);
        herbs.erase(std::remove_if(herbs.begin(), herbs.end(),
                                   [&](const StoredOrder& h) { return h.sjyz == o.yzid && h.archived == o.archived; }),
                    herbs.end());
    }
    return lines;
}

}  // namespace qh::orders
