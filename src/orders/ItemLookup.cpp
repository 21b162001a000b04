#include "orders/ItemLookup.h"

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
    const store::Rows rows = db.query(QStringLiteral("SELECT *  FROM xmzdb  where 备注=? and 参数名称 like ? escape '\\' "
                                                     "order by 参数值"),
                                      {frequency ? QStringLiteral("医嘱频次") : QStringLiteral("医嘱用法"),
                                       store::sqlLikeContains(typed.trimmed())});
    for (const store::Row& row : rows)
        list.append({row.text(QStringLiteral("数量")), row.text(QStringLiteral("参数名称")), row.text(QStringLiteral("说明"))});
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

}  // namespace qh::orders
