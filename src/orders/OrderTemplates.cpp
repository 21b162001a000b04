#include "orders/OrderTemplates.h"

#include <cmath>

#include "orders/OrderEntry.h"
#include "orders/OrderLifecycle.h"
#include "store/Connection.h"
#include "store/SqlText.h"

namespace qh::orders {
namespace {

const QString kSharedCondition = QStringLiteral("(加密='否' or 加密='' or 加密 is null)");

OrderTemplate fromRow(const store::Row& row) {
    OrderTemplate t;
    t.sid = row.integer(QStringLiteral("sid"));
    t.name = row.text(QStringLiteral("mbmc"));
    t.kindCode = row.text(QStringLiteral("mblb"));
    t.owner = row.text(QStringLiteral("ysid"));
    t.department = row.text(QStringLiteral("ksbh"));
    const QString flag = row.text(QStringLiteral("加密")).trimmed();
    t.shared = flag.isEmpty() || flag == u"否";
    return t;
}

// An item id as stored: whole and positive, else none.
bool itemId(const QString& text, qint64* id) {
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok || v <= 0) return false;
    *id = v;
    return true;
}

store::Param numberOrNull(const QString& text) {
    const StrictNumber n = parseStrictNumber(text);
    return n.ok && !n.empty ? store::Param(n.value) : store::Param(nullptr);
}

}  // namespace

QString templateKindCode(OrderKind kind) {
    switch (kind) {
    case OrderKind::LongTerm: return QStringLiteral("ZY-CQXY");
    case OrderKind::Temporary: return QStringLiteral("ZY-LSXY");
    case OrderKind::Herbal: break;
    }
    return QStringLiteral("ZY-CYCF");
}

qint64 OrderTemplates::save(WesternEntry& entry, OrderKind kind) {
    if (kind == OrderKind::Herbal) return 0;
    const ui::DataGrid& g = entry.grid();
    QVector<QStringList> lines;
    QStringList leftOut;
    for (int r = 1; r < g.rows(); ++r) {
        const QString content = g.text(r, WesternEntry::Content).trimmed();
        if (content.isEmpty() || isMarkerContent(content)) continue;
        qint64 id = 0;
        if (!itemId(g.text(r, WesternEntry::ItemId), &id)) {
            leftOut << content;
            continue;
        }
        auto t = [&](int c) { return g.text(r, c).trimmed(); };
        lines.append({QString::number(id), t(WesternEntry::Quantity), t(WesternEntry::Unit), t(WesternEntry::Dose),
                      t(WesternEntry::Route), t(WesternEntry::Frequency), t(WesternEntry::Marker),
                      t(WesternEntry::PerDay), t(WesternEntry::PerDayUnit), t(WesternEntry::DoseUnit)});
    }
    if (lines.isEmpty() && leftOut.isEmpty()) return 0;  // only when the grid has lines
    const ui::InputResult name = ui_.inputBox(kTemplateSaveTitle, kTemplateNamePrompt);
    if (!name.ok || name.text.trimmed().isEmpty()) return 0;
    return store(kind, name.text.trimmed(), lines, leftOut);
}

qint64 OrderTemplates::save(HerbalEntry& entry) {
    const ui::DataGrid& g = entry.grid();
    QVector<QStringList> lines;
    QStringList leftOut;
    for (int r = 1; r < g.rows(); ++r) {
        const QString herb = g.text(r, HerbalEntry::Herb).trimmed();
        if (herb.isEmpty()) continue;
        qint64 id = 0;
        if (!itemId(g.text(r, HerbalEntry::ItemId), &id)) {
            leftOut << herb;
            continue;
        }
        auto t = [&](int c) { return g.text(r, c).trimmed(); };
        lines.append({QString::number(id), t(HerbalEntry::Amount), t(HerbalEntry::Unit), t(HerbalEntry::Amount),
                      t(HerbalEntry::Doses)});
    }
    if (lines.isEmpty() && leftOut.isEmpty()) return 0;
    const ui::InputResult name = ui_.inputBox(kTemplateSaveTitle, kTemplateNamePrompt);
    if (!name.ok || name.text.trimmed().isEmpty()) return 0;
    return store(OrderKind::Herbal, name.text.trimmed(), lines, leftOut);
}

qint64 OrderTemplates::store(OrderKind kind, const QString& name, const QVector<QStringList>& lines,
                             const QStringList& leftOut) {
    auto failed = [this]() -> qint64 {
        ui_.messageDialog(kTemplateSaveFailed);
        return 0;
    };
    if (lines.isEmpty()) {
        ui_.messageDialog(kTemplateSaveFailed + QStringLiteral("\r\n文字医嘱没有收费项目，不能存入模板：") +
                          leftOut.join(QStringLiteral("、")));
        return 0;
    }
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return failed();
    store::Transaction tx(db);
    if (!tx.isActive()) return failed();
    const store::ExecResult head =
        db.execute(QStringLiteral("INSERT INTO 模板序号 (mbmc,mblb,ysid,ksbh) values (?,?,?,?)"),
                   {name, templateKindCode(kind), user_.userName, user_.department});
    // The template's key is the one its own insert generated.
    if (!head.changed() || head.insertedKey <= 0) return failed();
    const qint64 sid = head.insertedKey;
    for (const QStringList& l : lines) {
        store::ExecResult done;
        if (kind == OrderKind::Herbal) {
            done = db.execute(QStringLiteral("INSERT INTO 医嘱模板 (sid,xmid,kjsl,yzdw,yzjl,zyfs) values (?,?,?,?,?,?)"),
                              {sid, l[0].toLongLong(), l[1], l[2], l[3], l[4]});
        } else {
            done = db.execute(QStringLiteral("INSERT INTO 医嘱模板 (sid,xmid,kjsl,yzdw,yzjl,yyfs,yzpc,czdm,mbsl,sldw,jldw) "
                                             "values (?,?,?,?,?,?,?,?,?,?,?)"),
                              {sid, l[0].toLongLong(), l[1], l[2], l[3], l[4], l[5], l[6], numberOrNull(l[7]), l[8],
                               l[9]});
        }
        if (!done.changed()) return failed();
    }
    if (!tx.commit()) return failed();
    ui_.messageDialog(QStringLiteral("医嘱模板【") + name + QStringLiteral("】保存成功！"));
    if (!leftOut.isEmpty())
        ui_.messageDialog(QStringLiteral("文字医嘱没有收费项目，未存入模板：") + leftOut.join(QStringLiteral("、")));
    return sid;
}

QVector<OrderTemplate> OrderTemplates::list(OrderKind kind, TemplateScope scope, const QString& text) const {
    QVector<OrderTemplate> out;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return out;
    const QString code = templateKindCode(kind);
    store::Rows rows;
    switch (scope) {
    case TemplateScope::Own:
        rows = db.query(QStringLiteral("select * from 模板序号 where ysid=? and mblb=? order by sid"),
                        {user_.userName, code});
        break;
    case TemplateScope::Shared:
        rows = db.query(QStringLiteral("select * from 模板序号 where mblb=? and ") + kSharedCondition +
                            QStringLiteral(" order by sid"),
                        {code});
        break;
    case TemplateScope::Search:
        // The user's own private templates are found too.
        rows = db.query(QStringLiteral("select * from 模板序号 where mblb=? and (") + kSharedCondition +
                            QStringLiteral(" or ysid=?) and mbmc like ? escape '\\' order by sid"),
                        {code, user_.userName, store::sqlLikeContains(text.trimmed())});
        break;
    }
    for (const store::Row& row : rows) out.append(fromRow(row));
    return out;
}

std::optional<OrderTemplate> OrderTemplates::find(qint64 sid) const {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return std::nullopt;
    const store::Rows rows = db.query(QStringLiteral("select * from 模板序号 where sid=?"), {sid});
    if (rows.isEmpty()) return std::nullopt;
    return fromRow(rows.first());
}

int OrderTemplates::apply(qint64 sid, WesternEntry& entry, OrderKind kind) {
    const std::optional<OrderTemplate> t = find(sid);
    if (!t || t->kindCode != templateKindCode(kind) || kind == OrderKind::Herbal) return -1;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return -1;
    const store::Rows rows = db.query(QStringLiteral("select * from view_mbky where sid=?  order by ID"), {sid});
    ItemLookup lookup(files_);
    ui::DataGrid& g = entry.grid();
    int added = 0;
    for (const store::Row& row : rows) {
        const QString name = row.text(QStringLiteral("xmmc"));
        if (name.trimmed().isEmpty()) continue;  // the item has left the catalogue
        const int r = entry.editRow();
        entry.setMarker(r, row.text(QStringLiteral("czdm")));
        g.setText(r, WesternEntry::Content, name);
        g.setText(r, WesternEntry::Spec, row.text(QStringLiteral("xmgg")));
        g.setText(r, WesternEntry::Quantity, row.text(QStringLiteral("kjsl")));
        g.setText(r, WesternEntry::Unit, row.text(QStringLiteral("yzdw")));
        g.setText(r, WesternEntry::Dose, row.text(QStringLiteral("yzjl")));
        g.setText(r, WesternEntry::DoseUnit, row.text(QStringLiteral("jldw")));
        g.setText(r, WesternEntry::Route, row.text(QStringLiteral("yyfs")));
        g.setText(r, WesternEntry::Frequency, row.text(QStringLiteral("yzpc")));
        const qint64 xmid = row.integer(QStringLiteral("xmid"));
        g.setText(r, WesternEntry::ItemId, QString::number(xmid));
        const QString category = row.text(QStringLiteral("lbmc"));
        const bool supply = category.contains(u"药费") || category.contains(u"材料") || category.contains(u"耗材");
        g.setText(r, WesternEntry::DrugFlag, supply ? QStringLiteral("yp") : QString());
        g.setText(r, WesternEntry::Attribute, row.text(QStringLiteral("ypjx")));
        g.setText(r, WesternEntry::Category, row.text(QStringLiteral("xmlb")));
        const bool noPerDay = row.value(QStringLiteral("mbsl")).isNull();
        g.setText(r, WesternEntry::PerDay, noPerDay ? QString() : numberText(row.real(QStringLiteral("mbsl"))));
        g.setText(r, WesternEntry::PerDayUnit, row.text(QStringLiteral("sldw")));
        // The item's own dose per unit and its sale and dosing units, as taking it over gives.
        if (const std::optional<OrderItem> item = lookup.item(xmid)) {
            g.setText(r, WesternEntry::DefaultDose, item->defaultDose);
            g.setText(r, WesternEntry::DefaultDoseUnit, item->defaultDoseUnit);
            if (supply) {
                QStringList units;
                for (const QString& u : {item->unit, item->doseUnit})
                    if (!u.trimmed().isEmpty() && !units.contains(u)) units << u;
                g.setRowValue(r, units);
            }
        }
        ++added;
    }
    return added;
}

int OrderTemplates::apply(qint64 sid, HerbalEntry& entry) {
    const std::optional<OrderTemplate> t = find(sid);
    if (!t || t->kindCode != templateKindCode(OrderKind::Herbal)) return -1;
    const ui::InputResult doses = ui_.inputBox(kHerbalDosesTitle, kHerbalDosesPrompt, ui::InputMode::Numeric);
    if (!doses.ok) return -1;
    const StrictNumber n = parseStrictNumber(doses.text);
    if (!n.ok || n.empty || n.value <= 0) return -1;
    const QString dosesText = numberText(n.value);
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return -1;
    const store::Rows rows = db.query(QStringLiteral("select * from view_mbky where sid=?  order by ID"), {sid});
    ui::DataGrid& g = entry.grid();
    int added = 0;
    for (const store::Row& row : rows) {
        const QString name = row.text(QStringLiteral("xmmc"));
        if (name.trimmed().isEmpty()) continue;
        const int r = entry.editRow();
        g.setText(r, HerbalEntry::Herb, name);
        g.setText(r, HerbalEntry::SpecialUsage, row.text(QStringLiteral("tsyf")));
        g.setText(r, HerbalEntry::Amount, row.text(QStringLiteral("kjsl")));
        g.setText(r, HerbalEntry::Unit, row.text(QStringLiteral("yzdw")));
        g.setText(r, HerbalEntry::Price, numberText(std::round(row.real(QStringLiteral("jldj")) * 1000) / 1000));
        // The item and its specification, without which the line could not be saved.
        g.setText(r, HerbalEntry::ItemId, QString::number(row.integer(QStringLiteral("xmid"))));
        g.setText(r, HerbalEntry::Spec, row.text(QStringLiteral("xmgg")));
        ++added;
    }
    // One number of doses for the whole prescription, the lines already there included.
    if (added > 0) entry.setDoses(dosesText);
    return added;
}

bool OrderTemplates::rename(qint64 sid, const QString& name) {
    if (name.trimmed().isEmpty()) return false;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return false;
    if (db.execute(QStringLiteral("UPDATE 模板序号 SET mbmc=? where ysid=? and sid=?"),
                   {name.trimmed(), user_.userName, sid})
            .changed())
        return true;
    ui_.warningBox(kMessageTitle, kTemplateNotOwn);
    return false;
}

bool OrderTemplates::remove(qint64 sid) {
    const std::optional<OrderTemplate> t = find(sid);
    if (!t) return false;
    if (t->owner != user_.userName) {
        ui_.warningBox(kMessageTitle, kTemplateNotOwn);
        return false;
    }
    if (ui_.confirmPermanent(QStringLiteral("你确定要删除模板【") + t->name +
                             QStringLiteral("】吗\r\n\r\n点击确定按钮删除模板！")) != 1)
        return false;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return false;
    store::Transaction tx(db);
    if (!db.execute(QStringLiteral("delete from 模板序号 where sid=? and ysid=?"), {sid, user_.userName}).changed())
        return false;
    if (!db.execute(QStringLiteral("delete from 医嘱模板 where sid=?"), {sid})) return false;
    return tx.commit();
}

bool OrderTemplates::setShared(qint64 sid, bool shared) {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return false;
    if (db.execute(QStringLiteral("UPDATE 模板序号 SET 加密=? where ysid=? and sid=?"),
                   {shared ? QStringLiteral("否") : QStringLiteral("是"), user_.userName, sid})
            .changed())
        return true;
    ui_.warningBox(kMessageTitle, kTemplateNotOwn);
    return false;
}

}  // namespace qh::orders
