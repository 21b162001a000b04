#include "orders/OrderSave.h"

#include "common/Clock.h"
#include "common/DateText.h"
#include "orders/OrderNumbers.h"
#include "store/Connection.h"

namespace qh::orders {
namespace {

store::Param numberParam(const StrictNumber& n) { return n.empty ? store::Param(nullptr) : store::Param(n.value); }

// The order date a row carries, or today for an empty cell; invalid when unreadable.
QDate lineDate(const QString& text, const QDate& today) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return today;
    const QDateTime dt = dates::parseDateText(t);
    return dt.isValid() ? dt.date() : QDate();
}

struct PatientRow {
    bool found = false;
    QString bed, doctor;
};

// The patient's row read inside the save's transaction: the bed at entry and the attending
// doctor are those stored now, not those of a selection made earlier.
PatientRow patientRow(store::Connection& db, const QString& serial) {
    PatientRow p;
    const store::Rows rows = db.query(QStringLiteral("select 床号, 主管医生 from 在院病人 where 住院编号=?"), {serial});
    if (!rows.ok() || rows.isEmpty()) return p;
    p.found = true;
    p.bed = rows.first().text(QStringLiteral("床号"));
    p.doctor = rows.first().text(QStringLiteral("主管医生"));
    return p;
}

bool itemExists(store::Connection& db, qint64 xmid) {
    return !db.query(QStringLiteral("select xmid from ddt_costitems where xmid=?"), {xmid}).isEmpty();
}

// An item id: whole, positive and written without decimals.
bool parseItemId(const QString& text, qint64* id) {
    const QString t = text.trimmed();
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    if (!ok || v <= 0 || QString::number(v) != t) return false;
    *id = v;
    return true;
}

SaveResult refuse(int line, const QString& reason) {
    SaveResult r;
    r.outcome = SaveResult::Refused;
    r.badLine = line;
    r.reason = line > 0 ? QStringLiteral("第%1行：%2").arg(line).arg(reason) : reason;
    return r;
}

SaveResult saved(qint64 base, int stored) {
    SaveResult r;
    r.outcome = SaveResult::Saved;
    r.base = base;
    r.stored = stored;
    return r;
}

// The lines with something in `field`, and each one's number among the lines given (from
// 1), so that a refusal names the line as the user sees it.
template <typename Line>
QVector<Line> withContent(const QVector<Line>& given, QString Line::*field, QVector<int>* origin) {
    QVector<Line> lines;
    for (int i = 0; i < given.size(); ++i) {
        if ((given[i].*field).trimmed().isEmpty()) continue;
        lines.append(given[i]);
        origin->append(i + 1);
    }
    return lines;
}

SaveResult failed(const QString& reason) {
    SaveResult r;
    r.outcome = SaveResult::Failed;
    r.reason = reason;
    return r;
}

}  // namespace

SaveResult OrderSave::finish(SaveResult result) {
    if (result.outcome == SaveResult::Saved)
        ui_.messageDialog(kSaved);
    else if (result.outcome == SaveResult::Refused || result.outcome == SaveResult::Failed)
        ui_.messageDialog(kSaveFailed);
    else if (result.outcome == SaveResult::NoUsage)
        ui_.messageDialog(kChooseHerbalUsage);
    return result;
}

SaveResult OrderSave::saveWestern(const QString& serial, OrderKind kind, const QVector<EntryLine>& given) {
    if (serial.trimmed().isEmpty()) return SaveResult();
    if (kind == OrderKind::Herbal) return finish(refuse(0, QStringLiteral("草药处方不能按西药医嘱保存")));

    // Every line without content is left out before numbering; the line numbers of a
    // refusal are those of the lines given.
    QVector<int> origin;
    const QVector<EntryLine> lines = withContent(given, &EntryLine::content, &origin);
    if (lines.isEmpty()) return finish(refuse(0, QStringLiteral("没有医嘱内容")));

    // One moment for the whole batch: every line's time of day and czsj are the same.
    const QDateTime now = Clock::now();
    struct Checked {
        QString time;
        StrictNumber perDay;
        bool hasItem = false;
        qint64 xmid = 0;
    };
    QVector<Checked> checked(lines.size());
    QStringList markers;
    for (int i = 0; i < lines.size(); ++i) {
        const EntryLine& l = lines[i];
        const QString marker = l.marker.trimmed();
        if (!marker.isEmpty() && !kMarkers.contains(marker))
            return finish(refuse(origin[i], QStringLiteral("组标记“%1”不是单开、新组或承组").arg(marker)));
        markers << marker;
        const QDate day = lineDate(l.dateText, now.date());
        if (!day.isValid()) return finish(refuse(origin[i], QStringLiteral("医嘱日期“%1”无法识别").arg(l.dateText)));
        checked[i].time = dateTimeText(day, now.time());
        if (!parseStrictNumber(l.quantity).ok)
            return finish(refuse(origin[i], QStringLiteral("开具数量“%1”不是数字").arg(l.quantity)));
        checked[i].perDay = parseStrictNumber(l.perDay);
        if (!checked[i].perDay.ok)
            return finish(refuse(origin[i], QStringLiteral("每日数量“%1”不是数字").arg(l.perDay)));
        if (!l.itemId.trimmed().isEmpty()) {
            if (!parseItemId(l.itemId, &checked[i].xmid))
                return finish(refuse(origin[i], QStringLiteral("项目编码“%1”不是编码").arg(l.itemId)));
            checked[i].hasItem = true;
        }
    }

    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return finish(failed(db.lastError()));
    store::Transaction tx(db);
    if (!tx.isActive()) return finish(failed(db.lastError()));
    const PatientRow patient = patientRow(db, serial);
    if (!patient.found) return finish(failed(QStringLiteral("住院编号%1的患者不存在").arg(serial)));
    for (int i = 0; i < lines.size(); ++i)
        if (checked[i].hasItem && !itemExists(db, checked[i].xmid))
            return finish(refuse(origin[i], QStringLiteral("项目%1不在收费项目中").arg(checked[i].xmid)));

    // One number per grid row, the header row included (one stays unused).
    const qint64 base = reserveOrderNumbers(db, lines.size() + 1);
    if (base < 0) return finish(failed(QStringLiteral("医嘱编号无法取得：") + db.lastError()));
    const QVector<LineIds> ids = westernIdentifiers(markers, base);
    const QString kindName = kindText(kind);
    for (int i = 0; i < lines.size(); ++i) {
        const EntryLine& l = lines[i];
        const QString category = l.category.trimmed();
        const store::ExecResult done = db.execute(
            QStringLiteral("insert into zyb_yzxx(zyid,yzid,yzsj,xmid,xmmc,xmgg,xmdw,yzsx,xmsx,xmsl,yzjl,yzfs,yzyf,yzpd,"
                           "ypcz,qllb,ysxm1,hldy,ksbh,cwbh,yzlb,sjyz,yzzt,lrsx,czsj)values "
                           "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
            {serial, idText(ids[i].yzid), checked[i].time,
             checked[i].hasItem ? store::Param(checked[i].xmid) : store::Param(nullptr), l.content, l.spec, l.perDayUnit,
             l.attribute, l.attribute, numberParam(checked[i].perDay), l.dose + l.doseUnit, l.route, l.frequency,
             category.isEmpty() ? QString() : category.right(1), markers[i],
             l.drugFlag.trimmed() == u"yp" ? kRequisition : kExecutionSlip, l.doctor, kNursingUnit, user_.department,
             patient.bed, kindName, ids[i].sjyz, kValid, ids[i].yzid, checked[i].time});
        if (!done.changed()) return finish(failed(done.error));
    }
    if (!tx.commit()) return finish(failed(db.lastError()));
    return finish(saved(base, int(lines.size())));
}

SaveResult OrderSave::saveHerbal(const QString& serial, const QString& usage, const QVector<HerbLine>& given) {
    if (serial.trimmed().isEmpty()) return SaveResult();
    if (usage.trimmed().isEmpty()) {
        SaveResult r;
        r.outcome = SaveResult::NoUsage;
        r.reason = kChooseHerbalUsage;
        return finish(r);
    }
    QVector<int> origin;
    const QVector<HerbLine> herbs = withContent(given, &HerbLine::name, &origin);
    if (herbs.isEmpty()) return finish(refuse(0, QStringLiteral("处方没有药物")));

    // One number of doses for the prescription: the first herb's, which the others repeat
    // or leave empty.
    const StrictNumber doses = parseStrictNumber(herbs.first().doses);
    if (!doses.ok || doses.empty || doses.value <= 0)
        return finish(refuse(origin.first(), QStringLiteral("处方付数“%1”不是正数").arg(herbs.first().doses)));
    struct Checked {
        qint64 xmid = 0;
        StrictNumber amount, price;
    };
    QVector<Checked> checked(herbs.size());
    for (int i = 0; i < herbs.size(); ++i) {
        const HerbLine& h = herbs[i];
        const StrictNumber own = parseStrictNumber(h.doses);
        if (!own.ok || (!own.empty && own.value != doses.value))
            return finish(refuse(origin[i], QStringLiteral("一张处方只有一个付数")));
        if (!parseItemId(h.itemId, &checked[i].xmid))
            return finish(refuse(origin[i], QStringLiteral("药物“%1”未从药品中选取").arg(h.name)));
        checked[i].amount = parseStrictNumber(h.amount);
        if (!checked[i].amount.ok || checked[i].amount.empty || checked[i].amount.value <= 0)
            return finish(refuse(origin[i], QStringLiteral("剂量“%1”不是正数").arg(h.amount)));
        checked[i].price = parseStrictNumber(h.price);
        if (!checked[i].price.ok) return finish(refuse(origin[i], QStringLiteral("单价“%1”不是数字").arg(h.price)));
    }

    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return finish(failed(db.lastError()));
    store::Transaction tx(db);
    if (!tx.isActive()) return finish(failed(db.lastError()));
    const PatientRow patient = patientRow(db, serial);
    if (!patient.found) return finish(failed(QStringLiteral("住院编号%1的患者不存在").arg(serial)));
    for (int i = 0; i < herbs.size(); ++i)
        if (!itemExists(db, checked[i].xmid))
            return finish(refuse(origin[i], QStringLiteral("项目%1不在收费项目中").arg(checked[i].xmid)));

    const QString number = makePrescriptionNumber();
    const qint64 base = reserveOrderNumbers(db, herbs.size() + 1);
    if (base < 0) return finish(failed(QStringLiteral("医嘱编号无法取得：") + db.lastError()));
    const HerbalIds ids = herbalIdentifiers(herbs.size(), base, number);
    const QString now = dateTimeToText(Clock::now().date());
    const QString kind = kindText(OrderKind::Herbal);
    const QString dosesText = numberText(doses.value);
    for (int i = 0; i < herbs.size(); ++i) {
        const HerbLine& h = herbs[i];
        const store::ExecResult done = db.execute(
            QStringLiteral("INSERT INTO zyb_yzxx (zyid,yzid,yzsj,xmid,xmmc,xmgg,xmdw,xmsx,xmsl,yzpd,qllb,ysxm1,tzsj,hldy,"
                           "ksbh,cwbh,yzlb,sjyz,yzzt,lrsx,czsj,doctor) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
            {serial, idText(ids.herbs[i].yzid), now, checked[i].xmid, h.name + u' ' + h.specialUsage, h.spec, h.unit,
             kHerbalAttribute, checked[i].amount.value, dosesText, kPrescriptionSlip, patient.doctor, now, kNursingUnit,
             user_.department, patient.bed, kind, ids.herbs[i].sjyz, kValid, ids.herbs[i].yzid, now,
             QStringLiteral("No")});
        if (!done.changed()) return finish(failed(done.error));
    }
    const store::ExecResult header = db.execute(
        QStringLiteral("INSERT INTO zyb_yzxx (zyid,yzid,yzsj,xmmc,xmsl,yzpd,qllb,ysxm1,tzsj,hldy,ksbh,cwbh,yzlb,sjyz,yzzt,"
                       "lrsx,czsj,doctor,yzfs) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
        {serial, idText(ids.header.yzid), now, kHerbalHeader, doses.value, QStringLiteral("1"), kPrescriptionSlip,
         user_.userName, now, kNursingUnit, user_.department, patient.bed, kind, ids.header.sjyz, kValid, ids.header.yzid,
         now, QStringLiteral("No"), usage.trimmed()});
    if (!header.changed()) return finish(failed(header.error));
    for (int i = 0; i < herbs.size(); ++i) {
        const HerbLine& h = herbs[i];
        const store::ExecResult done = db.execute(
            QStringLiteral("INSERT INTO zyb_ypqlxx (qldh,zyid,yzid,xmsl,xmdj,xmdw,hldy,ksbh,Fyzt,yzlb,xmzt,qlyf,djsj,czry) "
                           "values (?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
            {number, serial, idText(ids.herbs[i].yzid), checked[i].amount.value * doses.value,
             numberParam(checked[i].price), h.unit, kNursingUnit, user_.department, QStringLiteral("YZSQ"), kind, kValid,
             QStringLiteral("中药房"), now, user_.userName});
        if (!done.changed()) return finish(failed(done.error));
    }
    if (!tx.commit()) return finish(failed(db.lastError()));
    SaveResult r = saved(base, int(herbs.size()) + 1);
    r.prescriptionNumber = number;
    return finish(r);
}

}  // namespace qh::orders
