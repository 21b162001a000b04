#include "orders/OrderLifecycle.h"

#include <limits>

#include "common/Clock.h"
#include "orders/OrderEntry.h"
#include "orders/OrderNumbers.h"
#include "store/Connection.h"

namespace qh::orders {
namespace {

// Rows that are orders, not the reorganisation or post-operative marker lines.
const QString kNotMarker = QStringLiteral("coalesce(xmmc,'') not in ('重整医嘱','术后医嘱')");
const QString kNotExecuted = QStringLiteral("(hsxm1 is null or hsxm1='')");
const QString kValidRow = QStringLiteral("yzzt='OK'");

QString nowText() {
    const QDateTime now = Clock::now();
    return dateTimeText(now.date(), now.time());
}

// The rows a group statement reaches, as a condition with its values.
struct Scope {
    bool ok = false;
    QString where;
    store::Params params;
    QString error;
};

Scope scopeOf(store::Connection& db, const GroupTarget& t) {
    Scope s;
    const QString group = t.group.trimmed();
    if (group.isEmpty() || group == u"0") {
        // An orphan 承组 line (and the post-operative marker) shares "0" with every other
        // orphan of every patient: the group is the row alone.
        s.ok = true;
        s.where = QStringLiteral("sid=? and zyid=?");
        s.params = {t.sid, t.serial};
        return s;
    }
    // The generation of the row: after the reorganisation marker before it, before the one
    // after it. Copies above a marker share yzid and sjyz with their originals below it.
    const store::Rows before = db.query(
        QStringLiteral("select max(sid) as m from zyb_yzxx where zyid=? and yzlb='长期医嘱' and xmmc='重整医嘱' and sid<?"),
        {t.serial, t.sid});
    const store::Rows after = db.query(
        QStringLiteral("select min(sid) as m from zyb_yzxx where zyid=? and yzlb='长期医嘱' and xmmc='重整医嘱' and sid>?"),
        {t.serial, t.sid});
    if (!before.ok() || !after.ok()) {
        s.error = before.ok() ? after.error() : before.error();
        return s;
    }
    const qint64 low = before.first().value(0).isNull() ? 0 : before.first().integer(QStringLiteral("m"));
    const qint64 high = after.first().value(0).isNull() ? std::numeric_limits<qint64>::max()
                                                         : after.first().integer(QStringLiteral("m"));
    s.ok = true;
    if (t.kind == OrderKind::Herbal) {
        // A prescription: its herbs (sjyz = the header's yzid) and the header itself.
        s.where = QStringLiteral("(sjyz=? or yzid=?) and zyid=? and yzlb=? and sid>? and sid<?");
        s.params = {group, group, t.serial, kindText(t.kind), low, high};
    } else {
        s.where = QStringLiteral("sjyz=? and zyid=? and yzlb=? and sid>? and sid<?");
        s.params = {group, t.serial, kindText(t.kind), low, high};
    }
    return s;
}

store::Params joined(store::Params first, const store::Params& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

GroupChange failed(const QString& error) {
    GroupChange c;
    c.outcome = GroupChange::Failed;
    c.error = error;
    return c;
}

QVector<qint64> sidsOf(const store::Rows& rows) {
    QVector<qint64> sids;
    for (const store::Row& r : rows) sids.append(r.integer(QStringLiteral("sid")));
    return sids;
}

// One UPDATE on the rows of the scope that are in the expected state. The rows are read
// first in the same transaction; the statement must change exactly those.
GroupChange updateWhere(store::Connection& db, const QString& where, const store::Params& whereParams,
                        const QString& set, const store::Params& setParams) {
    const store::Rows rows =
        db.query(QStringLiteral("select sid from zyb_yzxx where ") + where + QStringLiteral(" order by sid"), whereParams);
    if (!rows.ok()) return failed(rows.error());
    GroupChange c;
    c.sids = sidsOf(rows);
    if (c.sids.isEmpty()) {
        c.outcome = GroupChange::Unchanged;
        return c;
    }
    const store::ExecResult done =
        db.execute(QStringLiteral("UPDATE zyb_yzxx SET ") + set + QStringLiteral(" where ") + where,
                   joined(setParams, whereParams));
    if (!done.ok) return failed(done.error);
    if (done.rowsChanged != c.sids.size()) return failed(QStringLiteral("医嘱已被他人修改"));
    c.outcome = GroupChange::Changed;
    return c;
}

// A group statement in its own transaction.
GroupChange groupUpdate(const store::DataDirectory& files, const GroupTarget& t, const QString& expected,
                        const QString& set, const store::Params& setParams, const QString& at = QString()) {
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return failed(db.lastError());
    store::Transaction tx(db);
    if (!tx.isActive()) return failed(db.lastError());
    const Scope scope = scopeOf(db, t);
    if (!scope.ok) return failed(scope.error);
    GroupChange c = updateWhere(db, scope.where + QStringLiteral(" and ") + expected, scope.params, set, setParams);
    if (c.outcome != GroupChange::Changed) return c;
    if (!tx.commit()) return failed(db.lastError());
    c.at = at;
    return c;
}

}  // namespace

GroupChange OrderLifecycle::execute(const GroupTarget& t) {
    const QString expected = kNotExecuted + QStringLiteral(" and ") + kValidRow + QStringLiteral(" and ") + kNotMarker;
    if (t.kind == OrderKind::LongTerm)
        return groupUpdate(files_, t, expected, QStringLiteral("hsxm1=?"), {user_});
    // Temporary orders and herbs are complete once executed: dysj, and yyjs 0.
    const QString now = nowText();
    return groupUpdate(files_, t, expected, QStringLiteral("hsxm1=?,dysj=?,yyjs=0"), {user_, now}, now);
}

GroupChange OrderLifecycle::confirmStop(const GroupTarget& t) {
    if (t.kind != OrderKind::LongTerm) return failed(QStringLiteral("只有长期医嘱需要确认停嘱"));
    return groupUpdate(files_, t,
                       QStringLiteral("tzsj is not null and (hsxm2 is null or hsxm2='') and ") + kNotMarker,
                       QStringLiteral("hsxm2=?"), {user_});
}

GroupChange OrderLifecycle::stop(const GroupTarget& t) {
    if (t.kind != OrderKind::LongTerm) return failed(QStringLiteral("只有长期医嘱可以停止"));
    const QString now = nowText();
    return groupUpdate(files_, t, QStringLiteral("tzsj is null and ") + kNotMarker, QStringLiteral("ysxm2=?,tzsj=?"),
                       {user_, now}, now);
}

GroupChange OrderLifecycle::voidGroup(const GroupTarget& t) {
    return groupUpdate(files_, t, QStringLiteral("coalesce(yzzt,'')<>'Del' and ") + kNotMarker,
                       QStringLiteral("yzzt='Del',yyjs=0"), {});
}

GroupChange OrderLifecycle::remove(const GroupTarget& t) {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return failed(db.lastError());
    store::Transaction tx(db);
    if (!tx.isActive()) return failed(db.lastError());
    const Scope scope = scopeOf(db, t);
    if (!scope.ok) return failed(scope.error);
    const QString orders = scope.where + QStringLiteral(" and ") + kNotMarker;
    const store::Rows all = db.query(QStringLiteral("select sid from zyb_yzxx where ") + orders, scope.params);
    const store::Rows open = db.query(
        QStringLiteral("select sid from zyb_yzxx where ") + orders + QStringLiteral(" and ") + kNotExecuted +
            QStringLiteral(" order by sid"),
        scope.params);
    if (!all.ok() || !open.ok()) return failed(all.ok() ? open.error() : all.error());
    GroupChange c;
    c.sids = sidsOf(open);
    // A group with an executed row is kept whole.
    if (c.sids.isEmpty() || c.sids.size() != all.size()) {
        c.outcome = GroupChange::Unchanged;
        c.sids.clear();
        return c;
    }
    const store::ExecResult done = db.execute(
        QStringLiteral("delete FROM zyb_yzxx  where ") + orders + QStringLiteral(" and ") + kNotExecuted, scope.params);
    if (!done.ok) return failed(done.error);
    if (done.rowsChanged != c.sids.size()) return failed(QStringLiteral("医嘱已被他人修改"));
    if (!tx.commit()) return failed(db.lastError());
    c.outcome = GroupChange::Changed;
    return c;
}

GroupChange OrderLifecycle::recordSkinTest(const GroupTarget& t, const QString& result) {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return failed(db.lastError());
    store::Transaction tx(db);
    if (!tx.isActive()) return failed(db.lastError());
    const store::Rows own =
        db.query(QStringLiteral("select xmmc, yzzt from zyb_yzxx where sid=? and zyid=?"), {t.sid, t.serial});
    if (!own.ok()) return failed(own.error());
    GroupChange c;
    if (own.isEmpty() || own.first().text(QStringLiteral("yzzt")) != kValid ||
        isMarkerContent(own.first().text(QStringLiteral("xmmc")))) {
        c.outcome = GroupChange::Unchanged;
        return c;
    }
    // The result goes after the stored content, not after the padded text the list shows.
    const QString stored = own.first().text(QStringLiteral("xmmc"));
    if (!isSkinTestItem(stored)) {
        c.outcome = GroupChange::NotSkinTest;
        return c;
    }
    const Scope scope = scopeOf(db, t);
    if (!scope.ok) return failed(scope.error);
    const QString now = nowText();
    c = updateWhere(db, scope.where + QStringLiteral(" and ") + kValidRow + QStringLiteral(" and ") + kNotMarker,
                    scope.params, QStringLiteral("hsxm1=?,dysj=?,yyjs=0"), {user_, now});
    if (c.outcome != GroupChange::Changed) return c;
    const QString content = skinTestResultContent(stored, result);
    if (!db.execute(QStringLiteral("UPDATE zyb_yzxx SET xmmc=? where sid=?"), {content, t.sid}).changed())
        return failed(db.lastError());
    if (!tx.commit()) return failed(db.lastError());
    c.at = now;
    c.content = content;
    return c;
}

Reorganisation OrderLifecycle::reorganise(const QString& serial) {
    Reorganisation r;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) {
        r.error = db.lastError();
        return r;
    }
    store::Transaction tx(db);
    if (!tx.isActive()) {
        r.error = db.lastError();
        return r;
    }
    const store::Rows patient = db.query(QStringLiteral("select 床号 from 在院病人 where 住院编号=?"), {serial});
    if (!patient.ok() || patient.isEmpty()) {
        r.error = patient.ok() ? QStringLiteral("住院编号%1的患者不存在").arg(serial) : patient.error();
        return r;
    }
    const qint64 base = reserveOrderNumbers(db, 1);
    if (base < 0) {
        r.error = QStringLiteral("医嘱编号无法取得：") + db.lastError();
        return r;
    }
    // The marker is valid so that the order sheet prints it; its key is its own insert's.
    const store::ExecResult marker = db.execute(
        QStringLiteral("INSERT INTO zyb_yzxx (zyid,yzid,xmmc,hldy,ksbh,cwbh,yzlb,yzzt) values "
                       "(?,?,'重整医嘱','护理单元',?,?,'长期医嘱','OK')"),
        {serial, idText(base + 1), department_, patient.first().text(QStringLiteral("床号"))});
    if (!marker.changed() || marker.insertedKey <= 0) {
        r.error = marker.error;
        return r;
    }
    r.marker = marker.insertedKey;
    const QString running = QStringLiteral("zyid=? and tzsj is null and yzlb='长期医嘱' and yzzt='OK' and ") + kNotMarker +
                            QStringLiteral(" and sid <?");
    const store::Rows count = db.query(QStringLiteral("select count(*) from zyb_yzxx where ") + running, {serial, r.marker});
    if (!count.ok()) {
        r.error = count.error();
        return r;
    }
    const qint64 originals = count.first().value(0).toInt();
    const QString now = nowText();
    const store::ExecResult copied = db.execute(
        QStringLiteral(
            "insert into zyb_yzxx (zyid, yzid, yzsj, kssj, xmid, xmmc, xmgg, xmdw, xmsx, xmsl, yzjl, yzfs, yzpd,yzyf, "
            "qllb, ysxm1, hsxm1, tzsj, ysxm2, hsxm2, hsxm3, hldy, ksbh, cwbh, yzlb, sjyz,yzzt, yyjs, zmjs, zxjs, srcs, "
            "dysj, lrsx, sysx, qrlb, czsj, zmsl, ybsx, yzsx,group_from, group_till, group_sort, doctor, locked, hlks, "
            "ypcz) select zyid, yzid,?, kssj, xmid, xmmc, xmgg, xmdw, xmsx, xmsl, yzjl, yzfs, yzpd,yzyf, qllb, ?, "
            "hsxm1, tzsj, ysxm2, hsxm2, hsxm3, hldy,?, cwbh, yzlb, sjyz,yzzt, yyjs, zmjs, zxjs, srcs, dysj, lrsx, "
            "sysx, qrlb, czsj, zmsl, ybsx, yzsx,group_from, group_till, group_sort, doctor, locked, hlks, ypcz from "
            "zyb_yzxx where ") +
            running + QStringLiteral(" order by sid"),
        {now, user_, department_, serial, r.marker});
    if (!copied.ok || copied.rowsChanged != originals) {
        r.error = copied.ok ? QStringLiteral("重整医嘱复制不完整") : copied.error;
        return r;
    }
    const store::ExecResult stopped =
        db.execute(QStringLiteral("UPDATE zyb_yzxx SET ysxm2=?,tzsj=? where ") + running, {user_, now, serial, r.marker});
    if (!stopped.ok || stopped.rowsChanged != originals) {
        r.error = stopped.ok ? QStringLiteral("重整医嘱停止不完整") : stopped.error;
        return r;
    }
    if (!tx.commit()) {
        r.error = db.lastError();
        return r;
    }
    r.ok = true;
    r.copied = int(originals);
    return r;
}

GroupChange OrderLifecycle::stopAllRunning(const QString& serial) {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return failed(db.lastError());
    store::Transaction tx(db);
    if (!tx.isActive()) return failed(db.lastError());
    const QString now = nowText();
    GroupChange c = updateWhere(
        db, QStringLiteral("zyid=? and tzsj is null and yzlb='长期医嘱' and yzzt='OK' and ") + kNotMarker, {serial},
        QStringLiteral("ysxm2=?,tzsj=?"), {user_, now});
    if (c.outcome == GroupChange::Failed) return c;
    if (c.outcome == GroupChange::Changed && !tx.commit()) return failed(db.lastError());
    c.at = now;
    return c;
}

RowState OrderLifecycle::state(qint64 sid) const {
    RowState s;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return s;
    const store::Rows rows = db.query(
        QStringLiteral("select xmmc, yzzt, hsxm1, tzsj, hsxm2 from zyb_yzxx where sid=?"), {sid});
    if (rows.isEmpty()) return s;
    const store::Row row = rows.first();
    s.exists = true;
    s.content = row.text(QStringLiteral("xmmc"));
    s.voided = row.text(QStringLiteral("yzzt")) == kVoided;
    s.executed = !row.text(QStringLiteral("hsxm1")).trimmed().isEmpty();
    s.stopped = !row.value(QStringLiteral("tzsj")).isNull();
    s.stopConfirmed = !row.text(QStringLiteral("hsxm2")).trimmed().isEmpty();
    return s;
}

bool startPostOperative(OrderLifecycle& lifecycle, const QString& serial, WesternEntry& entry, ui::UserInterface& ui) {
    if (serial.trimmed().isEmpty()) return false;
    const QString question = entry.hasData() ? kPostOperativeDiscardQuestion : kPostOperativeQuestion;
    if (ui.messageDialog(question, true) != 1) return false;
    if (lifecycle.stopAllRunning(serial).outcome == GroupChange::Failed) {
        ui.warningBox(kMessageTitle, kOperationFailed);
        return false;
    }
    entry.reset();
    ui::DataGrid& g = entry.grid();
    const int r = entry.addRow();
    g.setText(r, WesternEntry::Content, kPostOperativeMarker);
    g.setCellAlignment(r, WesternEntry::Content, Qt::AlignCenter);
    g.setCellFontStyle(r, WesternEntry::Content, ui::Bold);
    return true;
}

}  // namespace qh::orders
