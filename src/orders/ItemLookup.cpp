#include "orders/ItemLookup.h"

#include <cmath>

#include "common/Pinyin.h"
#include "orders/OrderModel.h"
#include "store/Connection.h"
#include "store/SqlText.h"

namespace qh::orders {

bool OrderItem::isSupply() const {
    return categoryName.contains(u"药费") || categoryName.contains(u"材料") || categoryName.contains(u"耗材");
}

OrderItem OrderItem::fromRow(const store::Row& row) {
    OrderItem i;
    i.xmid = row.integer(QStringLiteral("xmid"));
    i.name = row.text(QStringLiteral("xmmc"));
    i.initials = row.text(QStringLiteral("xmsy"));
    i.spec = row.text(QStringLiteral("xmgg"));
    i.unit = row.text(QStringLiteral("xmdw"));
    i.price = row.real(QStringLiteral("xmdj"));
    i.doseUnit = row.text(QStringLiteral("jldw"));
    i.dosePrice = row.real(QStringLiteral("jldj"));
    i.stock = row.real(QStringLiteral("sysl"));
    i.attribute = row.text(QStringLiteral("ypjx"));
    i.category = row.text(QStringLiteral("xmlb"));
    i.defaultDose = row.text(QStringLiteral("yzjl"));
    i.defaultDoseUnit = row.text(QStringLiteral("yzdw"));
    i.categoryName = row.text(QStringLiteral("lbmc"));
    i.type = row.text(QStringLiteral("xmlx"));
    return i;
}

int UsageEntry::timesPerDay() const {
    bool ok = false;
    const double n = count.trimmed().toDouble(&ok);
    return ok && n > 0.0000001 ? qMax(1, int(n)) : 1;
}

QVector<OrderItem> ItemLookup::find(const QString& typed, bool herbal) const {
    QVector<OrderItem> items;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return items;
    const QString like = store::sqlLikeContains(typed.trimmed());
    const QString limit = QStringLiteral(" limit %1").arg(kMaxRows);
    const store::Rows rows =
        herbal ? db.query(QStringLiteral("SELECT * FROM view_yzky where (xmsy like ? escape '\\' or xmmc like ? escape '\\') "
                                         "and xmlb='XMLB003' order by xmsy") + limit,
                          {like, like})
               : db.query(QStringLiteral("SELECT * FROM view_yzky where (xmsy like ? escape '\\' or xmmc like ? escape '\\') "
                                         "order by xmlb, xmsy") + limit,
                          {like, like});
    for (const store::Row& row : rows) items.append(OrderItem::fromRow(row));
    return items;
}

std::optional<OrderItem> ItemLookup::item(qint64 xmid) const {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return std::nullopt;
    const store::Rows rows = db.query(QStringLiteral("SELECT * FROM view_yzky where xmid=?"), {xmid});
    if (rows.isEmpty()) return std::nullopt;
    return OrderItem::fromRow(rows.first());
}

QStringList ItemLookup::skinTestDrugs() const {
    QStringList names;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    for (const store::Row& row : db.query(QStringLiteral("SELECT * FROM ddt_costitems where ps='1'")))
        if (row.text(QStringLiteral("xmzt")) != u"Del") names << row.text(QStringLiteral("xmmc"));
    return names;
}

QVector<UsageEntry> ItemLookup::usages(const QString& typed, bool frequency) const {
    QVector<UsageEntry> list;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    // The lists are short: the names are matched here, by their text or their initials
    // ("jm" finds 静脉滴注), so that a route can be typed without a Chinese input method.
    const store::Rows rows = db.query(QStringLiteral("SELECT *  FROM xmzdb  where 备注=? order by 参数值"),
                                      {frequency ? QStringLiteral("医嘱频次") : QStringLiteral("医嘱用法")});
    const QString t = typed.trimmed();
    for (const store::Row& row : rows) {
        const QString name = row.text(QStringLiteral("参数名称"));
        if (!t.isEmpty() && !name.contains(t, Qt::CaseInsensitive) &&
            !text::searchInitials(name).contains(t, Qt::CaseInsensitive))
            continue;
        list.append({row.text(QStringLiteral("数量")), name, row.text(QStringLiteral("说明"))});
    }
    return list;
}

QStringList ItemLookup::herbalUsages() const {
    QStringList list;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    for (const store::Row& row : db.query(QStringLiteral("select * from xmzdb where 备注='中药用法' order by 参数值")))
        list << row.text(QStringLiteral("参数名称"));
    return list;
}

QStringList ItemLookup::freeTextOrders() const {
    QStringList list;
    store::Connection db = store::Connection::open(files_, store::DbFile::Coding);
    for (const store::Row& row : db.query(QStringLiteral("select * from 系统设置 where 备注='文字医嘱' order by 编号")))
        list << row.text(QStringLiteral("项目"));
    return list;
}

namespace {
QString twoDecimals(double v) { return numberText(std::round(v * 100) / 100); }
}  // namespace

void fillItemPickList(ui::DataGrid& grid, const QVector<OrderItem>& items, bool herbal) {
    grid.clearRows();
    grid.setCols(15);
    grid.setHeader({QStringLiteral("编码"), QStringLiteral("项目名称"), QStringLiteral("药品规格"),
                    QStringLiteral("药品单位"), QStringLiteral("药品价格"), QStringLiteral("剂量单位"),
                    QStringLiteral("剂量单价"), QStringLiteral("库存数量"), QStringLiteral("项目属性"),
                    QStringLiteral("医保"), QString(), QString(), QString(), QString(), QString()});
    const int widths[15] = {40, herbal ? 120 : 200, 100, 60, 60, 55, 55, 0, 55, 50, 0, 0, 0, 0, 0};
    for (int c = 0; c < 15; ++c) {
        grid.setColumnWidth(c, widths[c]);
        grid.setColumnHidden(c, c == 7 || c >= 10);
    }
    for (const OrderItem& i : items)
        grid.addRow({QString::number(i.xmid), i.name, i.spec, i.unit, twoDecimals(i.price), i.doseUnit,
                     twoDecimals(i.dosePrice), twoDecimals(i.stock), i.attribute, QString(), i.category, i.defaultDose,
                     i.defaultDoseUnit, i.categoryName, i.type});
    grid.setCurrent(items.isEmpty() ? -1 : 1, items.isEmpty() ? -1 : 1);
}

void fillUsagePickList(ui::DataGrid& grid, const QVector<UsageEntry>& usages) {
    grid.clearRows();
    grid.setCols(3);
    grid.setHeader({QStringLiteral("数量"), QStringLiteral("参数名称"), QStringLiteral("说明")});
    const int widths[3] = {2, 50, 100};
    for (int c = 0; c < 3; ++c) grid.setColumnWidth(c, widths[c]);
    for (const UsageEntry& u : usages) grid.addRow({u.count, u.name, u.note});
    grid.setCurrent(usages.isEmpty() ? -1 : 1, usages.isEmpty() ? -1 : 1);
}

}  // namespace qh::orders
