#pragma once
// Order rows written straight into zyb_yzxx as entry, execution, stop, void and
// reorganisation leave them, for the sheets, cards and slips to read.
#include "interaction/DrawingBoard.h"
#include "interaction/RecordingBoard.h"
#include "orders/OrderSheetData.h"
#include "orders_fixture.h"

namespace qh::test {

class SheetFixture : public OrdersFixture {
protected:
    struct Row {
        QString kind = QStringLiteral("长期医嘱");
        QString content;
        qint64 xmid = 0;  // 0: no item (markers, herbal headers)
        QString ordered = QStringLiteral("2016-05-10 09:07:02");
        QString stopped, executed;
        QString marker = QStringLiteral("单开");
        QString slip = QStringLiteral("请领单");
        double quantity = 1;
        QString unit = QStringLiteral("支"), spec, dose, route, frequency;
        QString doctor = QStringLiteral("李医生"), nurse, stopDoctor, stopNurse;
        QString state = QStringLiteral("OK");
        QString group;  // sjyz; empty: its own yzid
        QString yzid;   // empty: a fresh number
        QString serial;  // empty: the fixture's patient
    };
    // Inserts the row; its sid.
    qint64 add(const Row& r) {
        static qint64 next = 5000;
        const QString yzid = r.yzid.isEmpty() ? QString::number(++next) : r.yzid;
        const auto nullable = [](const QString& v) { return v.isEmpty() ? QStringLiteral("NULL") : q(v); };
        exec(QStringLiteral("insert into zyb_yzxx (zyid, yzid, yzsj, xmid, xmmc, xmgg, xmdw, xmsl, yzjl, yzfs, yzyf, "
                            "qllb, ysxm1, hsxm1, tzsj, ysxm2, hsxm2, hldy, yzlb, sjyz, yzzt, dysj, lrsx, ypcz) values "
                            "(%1, %2, %3, %4, %5, %6, %7, %8, %9, %10, %11, %12, %13, %14, %15, %16, %17, '护理单元', "
                            "%18, %19, %20, %21, %22, %23)")
                 .arg(q(r.serial.isEmpty() ? serial_ : r.serial), q(yzid), q(r.ordered),
                      r.xmid ? QString::number(r.xmid) : QStringLiteral("NULL"), q(r.content), q(r.spec), q(r.unit),
                      QString::number(r.quantity), q(r.dose))
                 .arg(q(r.route), q(r.frequency), q(r.slip), q(r.doctor), q(r.nurse), nullable(r.stopped),
                      q(r.stopDoctor), q(r.stopNurse), q(r.kind))
                 .arg(q(r.group.isEmpty() ? yzid : r.group), q(r.state), nullable(r.executed), yzid, q(r.marker)));
        return db_.lastInsertId();
    }
    // A plain long-term drug order.
    qint64 drug(const QString& content, const QString& ordered = QStringLiteral("2016-05-10 09:07:02")) {
        Row r;
        r.content = content;
        r.xmid = 2;
        r.ordered = ordered;
        r.dose = QStringLiteral("1g");
        r.route = QStringLiteral("静脉滴注");
        r.frequency = QStringLiteral("bid");
        return add(r);
    }
    // One herb of a prescription whose header row has yzid `group`.
    qint64 herb(const QString& name, double grams, const QString& group, const QString& ordered, qint64 xmid = 7) {
        return add({.kind = QStringLiteral("处方用药"), .content = name, .xmid = xmid, .ordered = ordered, .marker = {},
                    .slip = QStringLiteral("处方单"), .quantity = grams, .unit = QStringLiteral("g"), .group = group});
    }
    // The header row of a herbal prescription: its doses and usage.
    qint64 herbalHeader(const QString& yzid, double doses, const QString& usage, const QString& ordered) {
        return add({.kind = QStringLiteral("处方用药"), .content = QStringLiteral("草药处方单"), .ordered = ordered,
                    .marker = {}, .slip = QStringLiteral("处方单"), .quantity = doses, .route = usage,
                    .group = QStringLiteral("CYCF16051010000") + yzid, .yzid = yzid});
    }
    shell::PatientContext patient() {
        shell::PatientContext p;
        EXPECT_TRUE(orders::readStayPatient(files(), serial_, &p));
        return p;
    }

    // The recorded lines whose fields match `parts` from field 1 on (field 0 is the page).
    static QStringList matching(const ui::RecordingBoard& rec, const QStringList& parts) {
        QStringList found;
        for (const QString& line : rec.lines()) {
            const QStringList f = line.split(u'\t');
            bool ok = f.size() > parts.size();
            for (int i = 0; ok && i < parts.size(); ++i) ok = parts[i].isEmpty() || f[i + 1] == parts[i];
            if (ok) found << line;
        }
        return found;
    }
    static qsizetype drawn(const ui::RecordingBoard& rec, const QStringList& parts) { return matching(rec, parts).size(); }
    // The text calls, as "page x y text".
    static QStringList texts(const ui::RecordingBoard& rec) {
        QStringList found;
        for (const QString& line : rec.lines()) {
            const QStringList f = line.split(u'\t');
            if (f.value(1) == u"text") found << f[0] + u' ' + f[2] + u' ' + f[3] + u' ' + f.value(8);
        }
        return found;
    }
};

}  // namespace qh::test
