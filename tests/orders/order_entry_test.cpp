// The entry grids as a doctor fills them: items taken over, quantities and doses, the
// group's route and frequency moved to its last line, skin tests, the herbal grid, and the
// lists they leave.
#include <gtest/gtest.h>

#include <QFile>

#include "orders/ItemLookup.h"
#include "orders/OrderEntry.h"
#include "orders/OrderLists.h"
#include "orders/TypedEntry.h"
#include "orders/orders_fixture.h"

using namespace qh;
using namespace qh::orders;
using W = WesternEntry;
using H = HerbalEntry;

namespace {

class OrderEntryTest : public test::OrdersFixture {
protected:
    void SetUp() override {
        OrdersFixture::SetUp();
        entry_.reset();
    }
    OrderItem item(qint64 xmid) { return *ItemLookup(files()).item(xmid); }
    // Chooses the given drug, or cancels with an empty text.
    AllergyDrugChooser choose(const QString& drug) {
        return [drug](const QStringList&) -> std::optional<QString> {
            if (drug.isEmpty()) return std::nullopt;
            return drug;
        };
    }
    QString cell(int r, int c) { return grid_.text(r, c); }

    ui::DataGrid grid_;
    WesternEntry entry_{grid_, QStringLiteral("李医生")};
};

TEST_F(OrderEntryTest, NewRowsArePresetAndNumberedAgainAfterInsertAndDelete) {
    EXPECT_EQ(grid_.rows(), 1);
    const int r = entry_.addRow();
    EXPECT_EQ(cell(r, W::No), QStringLiteral("1"));
    EXPECT_EQ(cell(r, W::Date), QStringLiteral("2016-05-10 09:07:02"));
    EXPECT_EQ(cell(r, W::Doctor), QStringLiteral("李医生"));
    entry_.addRow();
    entry_.insertRow(1);
    entry_.deleteRow(2);
    EXPECT_EQ(grid_.rows(), 3);
    EXPECT_EQ(cell(1, W::No) + cell(2, W::No), QStringLiteral("12"));
}

TEST_F(OrderEntryTest, SingleDrugFromPickToFrequency) {
    const int r = entry_.addRow();
    entry_.setMarker(r, kSingle);
    CellMove next;
    ASSERT_TRUE(entry_.takeItem(r, item(3), {}, {}, ui_, &next));
    EXPECT_EQ(next.col, W::Quantity);
    EXPECT_EQ(cell(r, W::Content), QStringLiteral("阿莫西林胶囊"));
    EXPECT_EQ(cell(r, W::Spec), QStringLiteral("0.25g×24粒"));
    EXPECT_EQ(cell(r, W::DrugFlag), QStringLiteral("yp"));
    EXPECT_EQ(cell(r, W::Unit), QStringLiteral("粒"));
    EXPECT_EQ(entry_.unitChoices(r), QStringList({QStringLiteral("盒"), QStringLiteral("粒")}));
    EXPECT_EQ(grid_.cellBackColor(r, W::Content), kSingleShade);
    grid_.setText(r, W::Quantity, "2");
    EXPECT_EQ(entry_.quantityEntered(r).col, W::Unit);
    EXPECT_EQ(entry_.unitSettled(r).col, W::Dose);
    EXPECT_EQ(cell(r, W::Dose) + cell(r, W::DoseUnit), QStringLiteral("0.5g"));
    EXPECT_EQ(entry_.doseEntered(r).col, W::Route);
    entry_.routeTaken(r, QStringLiteral("口服"));
    const CellMove after = entry_.frequencyTaken(r, {QStringLiteral("3"), QStringLiteral("tid"), QString()});
    EXPECT_EQ(cell(r, W::PerDay) + cell(r, W::PerDayUnit), QStringLiteral("2粒"));
    EXPECT_EQ(after.row, r + 1);
    EXPECT_EQ(after.col, W::Marker);
}

TEST_F(OrderEntryTest, NonDrugItemsStandAloneAndCompleteAfterTheQuantity) {
    const int r = entry_.addRow();
    entry_.setMarker(r, kInGroup);
    ASSERT_TRUE(entry_.takeItem(r, item(4), {}, {}, ui_));
    EXPECT_EQ(cell(r, W::Marker), kSingle);
    EXPECT_EQ(cell(r, W::Spec) + cell(r, W::DrugFlag), QString());
    EXPECT_EQ(grid_.cellBackColor(r, 0), kSingleShade);
    grid_.setText(r, W::Quantity, "1");
    const CellMove next = entry_.quantityEntered(r);
    EXPECT_EQ(next.row, r + 1);
    EXPECT_EQ(cell(r, W::PerDay) + cell(r, W::PerDayUnit), QStringLiteral("1日"));
}

TEST_F(OrderEntryTest, InfusionGroupCarriesRouteAndFrequencyDownToItsLastLine) {
    int r = entry_.addRow();
    entry_.setMarker(r, kNewGroup);
    entry_.takeItem(r, item(1), {}, {}, ui_);
    grid_.setText(r, W::Quantity, "1");
    entry_.quantityEntered(r);
    entry_.unitSettled(r);
    grid_.setText(r, W::Dose, "250");
    entry_.doseEntered(r);
    entry_.routeTaken(r, QStringLiteral("静脉滴注"));
    r = entry_.frequencyTaken(r, {QStringLiteral("2"), QStringLiteral("bid"), QString()}).row;
    EXPECT_EQ(cell(1, W::PerDay), QStringLiteral("2"));
    for (qint64 xmid : {2, 6}) {
        entry_.setMarker(r, kInGroup);
        entry_.takeItem(r, item(xmid), {}, {}, ui_);
        grid_.setText(r, W::Quantity, "2");
        entry_.quantityEntered(r);
        entry_.unitSettled(r);
        // Twice a day, as the line above: 2 × 2.
        EXPECT_EQ(cell(r, W::PerDay), QStringLiteral("4"));
        grid_.setText(r, W::Dose, "1");
        r = entry_.doseEntered(r).row;
    }
    EXPECT_EQ(cell(1, W::Route) + cell(2, W::Route) + cell(2, W::Frequency), QString());
    EXPECT_EQ(cell(3, W::Route) + cell(3, W::Frequency), QStringLiteral("静脉滴注bid"));
    EXPECT_EQ(cell(2, W::Dose) + cell(2, W::DoseUnit), QStringLiteral("1g"));
    EXPECT_EQ(grid_.rows(), 5);  // the three lines and the empty row to go on with

    const SaveResult saved = entry_.save(*std::make_unique<OrderSave>(files(), user_, ui_), serial_, OrderKind::LongTerm, ui_);
    ASSERT_TRUE(saved.saved()) << saved.reason.toStdString();
    EXPECT_EQ(grid_.rows(), 1);
    const store::Rows rows = orders();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[2].text("yzfs"), QStringLiteral("静脉滴注"));
    EXPECT_EQ(rows[1].text("sjyz"), rows[0].text("yzid"));
}

TEST_F(OrderEntryTest, RouteTypedOnAnyLineOfAGroupIsSavedOnItsLast) {
    for (const char* m : {"新组", "承组", "承组", "单开"}) {
        const int r = entry_.addRow();
        entry_.setMarker(r, QString::fromUtf8(m));
        entry_.takeText(r, QStringLiteral("项") + QString::number(r));
    }
    grid_.setText(1, W::Route, QStringLiteral("静脉滴注"));
    grid_.setText(2, W::Frequency, QStringLiteral("qd"));
    grid_.setText(4, W::Route, QStringLiteral("口服"));
    QVector<EntryLine> lines;
    ASSERT_TRUE(entry_.lines(&lines));
    EXPECT_EQ(lines[0].route + lines[1].frequency, QString());
    EXPECT_EQ(lines[2].route + lines[2].frequency, QStringLiteral("静脉滴注qd"));
    EXPECT_EQ(lines[3].route, QStringLiteral("口服"));
    // Two routes in one group cannot both be meant: the save is refused, the grid kept.
    grid_.setText(3, W::Route, QStringLiteral("口服"));
    const SaveResult r = entry_.save(*std::make_unique<OrderSave>(files(), user_, ui_), serial_, OrderKind::LongTerm, ui_);
    EXPECT_EQ(r.outcome, SaveResult::Refused);
    EXPECT_EQ(r.badLine, 3);
    EXPECT_EQ(ui_.texts(), QStringList{kSaveFailed});
    EXPECT_EQ(grid_.rows(), 5);
    EXPECT_EQ(count("select count(*) from zyb_yzxx"), 0);
}

TEST_F(OrderEntryTest, SkinTestNeedsAnAllergyDrugFromTheList) {
    const QStringList drugs = ItemLookup(files()).skinTestDrugs();
    EXPECT_EQ(drugs, QStringList({QStringLiteral("阿莫西林胶囊"), QStringLiteral("注射用青霉素钠")}));
    const int r = entry_.addRow();
    for (const QString& wrong : {QString(), QStringLiteral("阿司匹林")}) {
        ui_.clear();
        EXPECT_FALSE(entry_.takeItem(r, item(5), drugs, choose(wrong), ui_));
        EXPECT_EQ(ui_.texts(), QStringList{kChooseAllergyDrug});
        EXPECT_EQ(cell(r, W::Content) + cell(r, W::ItemId), QString());
    }
    ASSERT_TRUE(entry_.takeItem(r, item(5), drugs, choose(QStringLiteral("注射用青霉素钠")), ui_));
    EXPECT_EQ(cell(r, W::Content), QStringLiteral("注射用青霉素钠青霉素皮试( )"));
    EXPECT_EQ(cell(r, W::ItemId), QStringLiteral("5"));
}

TEST_F(OrderEntryTest, LookupFindsInitialsAndNamesWithoutWildcards) {
    ItemLookup lookup(files());
    auto names = [&](const QString& typed, bool herbal) {
        QStringList n;
        for (const OrderItem& i : lookup.find(typed, herbal)) n << i.name;
        return n;
    };
    EXPECT_EQ(names(QStringLiteral("amx"), false), QStringList{QStringLiteral("阿莫西林胶囊")});
    EXPECT_EQ(names(QStringLiteral("青霉素"), false),
              QStringList({QStringLiteral("注射用青霉素钠"), QStringLiteral("青霉素皮试")}));
    EXPECT_EQ(names(QStringLiteral("g"), true), QStringList{QStringLiteral("当归")});
    // "%" and "_" are characters to find, not patterns; disabled items are not offered.
    EXPECT_TRUE(names(QStringLiteral("%"), false).contains(QStringLiteral("0.9%氯化钠注射液")));
    EXPECT_EQ(names(QStringLiteral("_"), false), QStringList());
    EXPECT_EQ(names(QStringLiteral("TYDY"), false), QStringList());
    EXPECT_FALSE(lookup.item(9).has_value());
    EXPECT_EQ(lookup.usages(QStringLiteral("静"), false).size(), 1);
    const QVector<UsageEntry> frequencies = lookup.usages(QString(), true);
    ASSERT_EQ(frequencies.size(), 3);
    EXPECT_EQ(frequencies[1].timesPerDay(), 2);
    EXPECT_EQ(frequencies[2].timesPerDay(), 1);  // prn: no count multiplies by 1
    EXPECT_EQ(lookup.herbalUsages(), QStringList{QStringLiteral("水煎服，每日一剂")});
}

TEST_F(OrderEntryTest, HerbalGridHasOneDoseCountAndAReferenceAmount) {
    ui::DataGrid grid;
    HerbalEntry herbal(grid, QStringLiteral("李医生"));
    herbal.reset();
    int r = herbal.addRow();
    EXPECT_EQ(herbal.takeItem(r, item(7)).col, H::Amount);
    EXPECT_EQ(grid.text(r, H::Price) + grid.text(r, H::Unit), QStringLiteral("0.06g"));
    grid.setText(r, H::Amount, "30");
    herbal.setDoses("7");
    EXPECT_EQ(grid.text(r, H::Reference), QStringLiteral("12.6"));
    r = herbal.addRow();
    EXPECT_EQ(grid.text(r, H::Doses), QStringLiteral("7"));
    herbal.takeItem(r, item(8));
    grid.setText(r, H::Amount, "10");
    herbal.setDoses("5");
    EXPECT_EQ(grid.text(1, H::Doses) + grid.text(2, H::Doses), QStringLiteral("55"));
    EXPECT_DOUBLE_EQ(herbal.total(), 9 + 6);
    OrderSave saver(files(), user_, ui_);
    ASSERT_TRUE(herbal.save(saver, serial_, QStringLiteral("水煎服，每日一剂")).saved());
    EXPECT_EQ(grid.rows(), 1);
    const QVector<ListLine> lines = OrderLists(files()).lines(serial_, OrderKind::Herbal);
    ASSERT_EQ(lines.size(), 2);
    // Two herbs to a line, six blanks apart, then the closing line of the prescription.
    EXPECT_EQ(lines[0].content, QStringLiteral("  黄芪  30g") + QString(6, u' ') + QStringLiteral("  当归  10g"));
    EXPECT_EQ(lines[1].content, QStringLiteral("    上方 5 付   水煎服，每日一剂"));
}

}  // namespace
