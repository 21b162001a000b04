// Order templates: saved from an entry grid whole or not at all, listed per kind and
// scope, poured back into a grid of the same kind so that saving the lines works, and
// renamed, shared or deleted by their owner only.
#include <gtest/gtest.h>

#include "orders/OrderEntry.h"
#include "orders/OrderTemplates.h"
#include "orders/orders_fixture.h"

using namespace qh;
using namespace qh::orders;
using W = WesternEntry;
using H = HerbalEntry;

namespace {

class TemplateTest : public test::OrdersFixture {
protected:
    void SetUp() override {
        OrdersFixture::SetUp();
        if (HasFatalFailure()) return;
        western_.reset();
        herbal_.reset();
    }
    std::optional<OrderItem> item(qint64 xmid) { return ItemLookup(files()).item(xmid); }
    // An infusion group of two and a nursing order, typed as in the window, and an empty last row.
    void typeLongTerm() {
        int r = western_.addRow();
        western_.setMarker(r, kNewGroup);
        western_.takeItem(r, *item(1), {}, {}, ui_);
        westernGrid_.setText(r, W::Quantity, "1");
        western_.unitSettled(r);
        westernGrid_.setText(r, W::Dose, "250");
        westernGrid_.setText(r, W::DoseUnit, "ml");
        r = western_.addRow();
        western_.setMarker(r, kInGroup);
        western_.takeItem(r, *item(2), {}, {}, ui_);
        westernGrid_.setText(r, W::Quantity, "2");
        westernGrid_.setText(r, W::Dose, "2");
        westernGrid_.setText(r, W::DoseUnit, "g");
        westernGrid_.setText(r, W::Route, QStringLiteral("静脉滴注"));
        western_.frequencyTaken(r, {QStringLiteral("2"), QStringLiteral("bid"), QString()});
        western_.takeItem(western_.editRow(), *item(4), {}, {}, ui_);
        westernGrid_.setText(3, W::Quantity, "1");
        western_.quantityEntered(3);  // appends the empty row to go on with
    }

    ui::DataGrid westernGrid_, herbalGrid_;
    W western_{westernGrid_, QStringLiteral("李医生")};
    H herbal_{herbalGrid_, QStringLiteral("李医生")};
};

TEST_F(TemplateTest, SavedFromTheLongTermTabAndAppliedThereOnly) {
    typeLongTerm();
    ASSERT_EQ(westernGrid_.rows(), 5);
    // A free-text order has no item to keep: it is named, the rest is stored.
    western_.takeText(4, QStringLiteral("低盐饮食"));
    OrderTemplates templates(files(), user_, ui_);
    ui_.answerInput(true, QStringLiteral(" 肺炎输液 "));
    const qint64 sid = templates.save(western_, OrderKind::LongTerm);
    ASSERT_GT(sid, 0);
    EXPECT_EQ(ui_.shown()[0].title, kTemplateSaveTitle);
    EXPECT_EQ(ui_.shown()[0].text, kTemplateNamePrompt);
    EXPECT_EQ(ui_.texts().mid(1), QStringList({QStringLiteral("医嘱模板【肺炎输液】保存成功！"),
                                               QStringLiteral("文字医嘱没有收费项目，未存入模板：低盐饮食")}));
    EXPECT_EQ(count("select count(*) from 医嘱模板 where sid=" + QString::number(sid)), 3);
    const store::Rows head = store::Connection::open(files(), store::DbFile::Main)
                                 .query(QStringLiteral("select * from 模板序号 where sid=?"), {sid});
    EXPECT_EQ(head.first().text("mblb") + head.first().text("ysid") + head.first().text("ksbh"),
              QStringLiteral("ZY-CQXY李医生内科"));

    EXPECT_EQ(templates.list(OrderKind::LongTerm, TemplateScope::Own).size(), 1);
    EXPECT_TRUE(templates.list(OrderKind::Temporary, TemplateScope::Own).isEmpty());
    EXPECT_TRUE(templates.list(OrderKind::Herbal, TemplateScope::Shared).isEmpty());
    EXPECT_EQ(templates.list(OrderKind::LongTerm, TemplateScope::Search, QStringLiteral("输液")).size(), 1);
    EXPECT_TRUE(templates.list(OrderKind::LongTerm, TemplateScope::Search, QStringLiteral("%")).isEmpty());

    ui::DataGrid tempGrid;
    W temporary(tempGrid, QStringLiteral("李医生"));
    temporary.reset();
    EXPECT_EQ(templates.apply(sid, temporary, OrderKind::Temporary), -1);
    EXPECT_EQ(tempGrid.rows(), 1);

    western_.reset();
    ASSERT_EQ(templates.apply(sid, western_, OrderKind::LongTerm), 3);
    ASSERT_EQ(westernGrid_.rows(), 4);
    EXPECT_EQ(westernGrid_.text(1, W::Marker), kNewGroup);
    EXPECT_EQ(westernGrid_.cellBackColor(1, W::Content), kNewGroupShade);
    EXPECT_EQ(westernGrid_.text(2, W::Content), QStringLiteral("注射用头孢曲松钠"));
    EXPECT_EQ(westernGrid_.text(2, W::Route) + westernGrid_.text(2, W::Frequency), QStringLiteral("静脉滴注bid"));
    EXPECT_EQ(westernGrid_.text(2, W::DrugFlag), QStringLiteral("yp"));
    EXPECT_EQ(westernGrid_.text(3, W::DrugFlag), QString());
    EXPECT_EQ(westernGrid_.text(1, W::Doctor), QStringLiteral("李医生"));
    EXPECT_EQ(western_.unitChoices(1), QStringList{QStringLiteral("袋")});
    OrderSave saver(files(), user_, ui_);
    const SaveResult saved = western_.save(saver, serial_, OrderKind::LongTerm, ui_);
    ASSERT_TRUE(saved.saved()) << saved.reason.toStdString();
    EXPECT_EQ(count("select count(*) from zyb_yzxx where yzfs='静脉滴注' and yzyf='bid' and ypcz='承组'"), 1);
}

TEST_F(TemplateTest, AHerbalTemplateAsksForTheDosesOnceAndSavesAsAPrescription) {
    int r = herbal_.addRow();
    herbal_.takeItem(r, *item(7));
    herbalGrid_.setText(r, H::Amount, "30");
    herbal_.setDoses("7");
    r = herbal_.addRow();
    herbal_.takeItem(r, *item(8));
    herbalGrid_.setText(r, H::Amount, "10");
    OrderTemplates templates(files(), user_, ui_);
    ui_.answerInput(true, QStringLiteral("补气养血"));
    const qint64 sid = templates.save(herbal_);
    ASSERT_GT(sid, 0);
    EXPECT_EQ(count("select count(*) from 医嘱模板 where zyfs='7' and kjsl=yzjl"), 2);

    herbal_.reset();
    ui_.clear();
    EXPECT_EQ(templates.apply(sid, herbal_), -1);  // the dose count was not given
    EXPECT_EQ(herbalGrid_.rows(), 1);
    ui_.answerInput(true, "3");
    ASSERT_EQ(templates.apply(sid, herbal_), 2);
    EXPECT_EQ(ui_.shown().size(), 2);
    EXPECT_EQ(ui_.shown()[1].title, kHerbalDosesTitle);
    EXPECT_EQ(ui_.shown()[1].text, kHerbalDosesPrompt);
    for (int row : {1, 2}) EXPECT_EQ(herbalGrid_.text(row, H::Doses), QStringLiteral("3"));
    EXPECT_EQ(herbalGrid_.text(1, H::ItemId), QStringLiteral("7"));
    EXPECT_EQ(herbalGrid_.text(1, H::Reference), QStringLiteral("5.4"));  // 30 g × 0.06 × 3
    OrderSave saver(files(), user_, ui_);
    ASSERT_TRUE(herbal_.save(saver, serial_, QStringLiteral("水煎服，每日一剂")).saved());
    EXPECT_EQ(count("select count(*) from zyb_yzxx where yzlb='处方用药'"), 3);
    EXPECT_EQ(count("select count(*) from zyb_ypqlxx where xmsl=90"), 1);
}

TEST_F(TemplateTest, ATemplateIsStoredWholeOrNotAtAll) {
    typeLongTerm();
    failInsert(QStringLiteral("医嘱模板"), QStringLiteral("NEW.xmid=4"));
    OrderTemplates templates(files(), user_, ui_);
    ui_.answerInput(true, QStringLiteral("坏模板"));
    EXPECT_EQ(templates.save(western_, OrderKind::LongTerm), 0);
    EXPECT_EQ(ui_.lastText(), kTemplateSaveFailed);
    EXPECT_EQ(count("select count(*) from 模板序号"), 0);
    EXPECT_EQ(count("select count(*) from 医嘱模板"), 0);
    // Cancelled name, or a grid without lines: nothing is asked or stored.
    ui_.clear();
    EXPECT_EQ(templates.save(western_, OrderKind::LongTerm), 0);
    EXPECT_EQ(ui_.unanswered(), 1);
    western_.reset();
    ui_.clear();
    EXPECT_EQ(templates.save(western_, OrderKind::LongTerm), 0);
    EXPECT_TRUE(ui_.shown().isEmpty());
}

TEST_F(TemplateTest, OnlyTheOwnerRenamesSharesAndDeletes) {
    typeLongTerm();
    OrderTemplates mine(files(), user_, ui_);
    ui_.answerInput(true, QStringLiteral("常用"));
    const qint64 sid = mine.save(western_, OrderKind::LongTerm);
    ASSERT_GT(sid, 0);
    shell::UserContext other;
    other.userName = QStringLiteral("王医生");
    other.department = QStringLiteral("内科");
    OrderTemplates theirs(files(), other, ui_);
    EXPECT_EQ(theirs.list(OrderKind::LongTerm, TemplateScope::Shared).size(), 1);
    EXPECT_TRUE(theirs.list(OrderKind::LongTerm, TemplateScope::Own).isEmpty());
    EXPECT_FALSE(theirs.rename(sid, QStringLiteral("我的")));
    EXPECT_EQ(ui_.lastText(), kTemplateNotOwn);
    EXPECT_FALSE(theirs.setShared(sid, false));
    EXPECT_FALSE(theirs.remove(sid));
    EXPECT_EQ(mine.find(sid)->name, QStringLiteral("常用"));

    EXPECT_TRUE(mine.setShared(sid, false));
    EXPECT_TRUE(theirs.list(OrderKind::LongTerm, TemplateScope::Shared).isEmpty());
    EXPECT_TRUE(theirs.list(OrderKind::LongTerm, TemplateScope::Search, QStringLiteral("常")).isEmpty());
    EXPECT_EQ(mine.list(OrderKind::LongTerm, TemplateScope::Search, QStringLiteral("常")).size(), 1);
    EXPECT_TRUE(mine.rename(sid, QStringLiteral("常用输液")));

    ui_.clear();
    EXPECT_FALSE(mine.remove(sid));  // the question is answered with 取消
    EXPECT_TRUE(ui_.shown().last().cancelIsDefault);
    EXPECT_EQ(ui_.lastText(), QStringLiteral("你确定要删除模板【常用输液】吗\r\n\r\n点击确定按钮删除模板！"));
    ui_.answerMessageDialog(1);
    EXPECT_TRUE(mine.remove(sid));
    EXPECT_EQ(count("select count(*) from 模板序号") + count("select count(*) from 医嘱模板"), 0);
}

}  // namespace
