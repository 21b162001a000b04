#pragma once
// What order entry looks up: the items that can be ordered (view_yzky), the skin-test
// drugs, the route, frequency and herbal-usage lists of xmzdb and the free-text orders.
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "store/DatabaseFiles.h"
#include "interaction/DataGrid.h"

namespace qh::store {
class Row;
}

namespace qh::orders {

// One row of view_yzky.
struct OrderItem {
    qint64 xmid = 0;
    QString name;             // xmmc
    QString initials;         // xmsy
    QString spec;             // xmgg
    QString unit;             // xmdw, unit of sale
    double price = 0;         // xmdj
    QString doseUnit;         // jldw
    double dosePrice = 0;     // jldj
    double stock = 0;         // sysl
    QString attribute;        // ypjx
    QString category;         // xmlb
    QString defaultDose;      // yzjl
    QString defaultDoseUnit;  // yzdw
    QString categoryName;     // lbmc
    QString type;             // xmlx

    // Drugs, materials and consumables: the category name holds "药费", "材料" or "耗材".
    bool isSupply() const;
    static OrderItem fromRow(const store::Row& row);
};

// A row of the route or frequency list: 数量 (times a day), 参数名称, 说明.
struct UsageEntry {
    QString count, name, note;
    // The whole part of 数量 when it exceeds 0.0000001, else 1.
    int timesPerDay() const;
};

class ItemLookup {
public:
    static constexpr int kMaxRows = 100;  // a pick list shows at most this many

    explicit ItemLookup(const store::DataDirectory& files) : files_(files) {}

    // Items whose initials or name contain the typed text (herbs only in herbal mode),
    // drugs first by category; at most kMaxRows.
    QVector<OrderItem> find(const QString& typed, bool herbal) const;
    // One item that can be ordered; nothing for an unknown or disabled item.
    std::optional<OrderItem> item(qint64 xmid) const;
    // The names of the items that need a skin test (ps '1').
    QStringList skinTestDrugs() const;
    // Routes (frequency false) or frequencies whose name or initials contain the typed text.
    QVector<UsageEntry> usages(const QString& typed, bool frequency) const;
    // The herbal prescription usages of "处方用法：".
    QStringList herbalUsages() const;
    // The free-text orders kept in the settings ("文字医嘱").
    QStringList freeTextOrders() const;

private:
    store::DataDirectory files_;
};

// The item pick list: 编码, 项目名称 (narrower for herbs), 药品规格, 药品单位, 药品价格, 剂量单位,
// 剂量单价, 库存数量 (hidden), 项目属性, 医保, then the hidden xmlb, yzjl, yzdw, lbmc, xmlx.
// Prices and stock rounded to 2 decimals. Row r holds items[r - 1].
void fillItemPickList(ui::DataGrid& grid, const QVector<OrderItem>& items, bool herbal);
// The usage pick list: 数量, 参数名称, 说明.
void fillUsagePickList(ui::DataGrid& grid, const QVector<UsageEntry>& usages);

}  // namespace qh::orders
