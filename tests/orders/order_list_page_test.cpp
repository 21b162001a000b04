// The list tabs of the order page driven as a nurse drives them (arrows and Enter down the
// list, the pop-up menu), and the template panel beside the entry tabs.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QMenu>

#include "orders/OrderLifecycle.h"
#include "orders/order_page_fixture.h"
#include "orders/ui/OrderListView.h"
#include "orders/ui/OrderTemplatePanel.h"

using namespace qh;
using namespace qh::orders;
using M = OrderListModel;

namespace {

class OrderListPageTest : public test::OrderPageFixture {
protected:
    void save(OrderKind kind, const QVector<orders::EntryLine>& lines) { saveBatch(kind, lines); }
    QAction* menuItem(int tab, const QString& caption) {
        for (QAction* a : page_->listMenu(tab)->actions())
            if (a->text() == caption) return a;
        return nullptr;
    }
    int viewRow(int tab) { return page_->listView(tab)->currentGridRow(); }

};

TEST_F(OrderListPageTest, EnterExecutesAndMovesDownTheList) {
    save(OrderKind::LongTerm, nursingGroupAndCapsule());
    page_->showTab(3);
    OrderListView* view = page_->listView(3);
    ASSERT_EQ(page_->list(3)->grid().rows(), 5);
    EXPECT_EQ(viewRow(3), 1);  // the first order waiting for a nurse
    EXPECT_FALSE(page_->templates()->isVisible());
    key(view, Qt::Key_Down);
    EXPECT_EQ(viewRow(3), 2);
    key(view, Qt::Key_Return);
    EXPECT_EQ(page_->list(3)->grid().text(3, M::LNurse), QStringLiteral("李医生"));
    EXPECT_EQ(viewRow(3), 4);
    key(view, Qt::Key_Return);
    EXPECT_EQ(viewRow(3), 4);  // nothing left below
    key(view, Qt::Key_Return);
    EXPECT_EQ(ui_.lastText(), kAlreadyExecuted);
    EXPECT_EQ(count("select count(*) from zyb_yzxx where hsxm1='李医生'"), 3);

    // The pop-up menu of the long-term list runs on the selected row.
    QStringList captions;
    for (QAction* a : page_->listMenu(3)->actions()) captions << a->text();
    EXPECT_EQ(captions, QStringList({"护士执行", "停止医嘱", "删除医嘱", "作废医嘱", "重整医嘱", "打印医嘱"}));
    EXPECT_FALSE(menuItem(3, QStringLiteral("打印医嘱"))->isEnabled());
    key(view, Qt::Key_Up);
    menuItem(3, QStringLiteral("停止医嘱"))->trigger();
    EXPECT_FALSE(page_->list(3)->grid().text(2, M::LStopDate).isEmpty());
    page_->setSheetPrinter([](OrderKind) {});
    EXPECT_TRUE(menuItem(3, QStringLiteral("打印医嘱"))->isEnabled());

    // The temporary list offers the skin-test results; the herbal list only execution.
    QStringList temporary;
    for (QAction* a : page_->listMenu(4)->actions()) temporary << a->text();
    EXPECT_EQ(temporary, QStringList({"护士执行", "皮试阳性", "皮试阴性", "删除医嘱", "作废医嘱", "打印临时"}));
    EXPECT_EQ(page_->listMenu(5)->actions().size(), 1);
}

TEST_F(OrderListPageTest, TemplatePanelShowsTheTabsKindAndAppliesToItsGrid) {
    WesternEntry& e = page_->western(0);
    const int r = e.addRow();
    e.takeItem(r, *ItemLookup(files()).item(4), {}, {}, ui_);
    ui_.answerInput(true, QStringLiteral("一般护理"));
    page_->saveAsTemplate();
    EXPECT_EQ(ui_.lastText(), QStringLiteral("医嘱模板【一般护理】保存成功！"));
    QListWidget* list = page_->templates()->list();
    ASSERT_EQ(list->count(), 1);
    page_->showTab(1);
    EXPECT_TRUE(page_->templates()->isVisible());
    EXPECT_EQ(list->count(), 0);
    page_->showTab(0);
    ASSERT_EQ(list->count(), 1);
    list->setCurrentRow(0);
    emit list->itemDoubleClicked(list->item(0));
    EXPECT_EQ(e.grid().rows(), 3);
    EXPECT_EQ(e.grid().text(2, WesternEntry::Content), QStringLiteral("Ⅱ级护理"));
    page_->templates()->scope()->setCurrentIndex(1);
    EXPECT_EQ(list->count(), 1);
}

TEST_F(OrderListPageTest, PostOperativeFromTheEntryMenuAndTheScreenshot) {
    save(OrderKind::LongTerm, nursingGroupAndCapsule());
    page_->showTab(1);
    ui_.answerMessageDialog(1);
    page_->startPostOperative();
    EXPECT_EQ(page_->currentTab(), 0);
    EXPECT_EQ(page_->western(0).grid().text(1, WesternEntry::Content), kPostOperativeMarker);
    EXPECT_EQ(count("select count(*) from zyb_yzxx where tzsj is null"), 0);

    // A screenshot of the long-term list with every kind of line, when asked for.
    const QByteArray shots = qgetenv("QH_SCREENSHOTS");
    if (shots.isEmpty()) return;
    page_->saveOrders();
    shell::UserContext nurse;
    nurse.userName = QStringLiteral("赵护士");
    nurse.department = QStringLiteral("内科");
    save(OrderKind::LongTerm, {line(kSingle, QStringLiteral("Ⅰ级护理"), "4"), line(kSingle, QStringLiteral("禁食"), ""),
                               line(kNewGroup, QStringLiteral("0.9%氯化钠注射液"), "1"), line(kInGroup, QStringLiteral("注射用头孢曲松钠"), "2"),
                               line(kSingle, QStringLiteral("阿莫西林胶囊"), "3")});
    exec(QStringLiteral("update zyb_yzxx set xmgg=(select xmgg from ddt_costitems c where c.xmid=zyb_yzxx.xmid), "
                        "qllb='请领单', xmsl=2, xmdw='支', yzjl='1g' where xmid in (1,2,3)"));
    exec(QStringLiteral("update zyb_yzxx set yzjl='250ml', xmsl=1, xmdw='袋' where xmid=1"));
    exec(QStringLiteral("update zyb_yzxx set yzfs='静脉滴注', yzyf='bid' where xmid=2"));
    exec(QStringLiteral("update zyb_yzxx set yzjl='0.5g', yzfs='口服', yzyf='tid' where xmid=3"));
    page_->showTab(3);
    OrderListModel nurseList(files(), nurse, ui_, OrderKind::LongTerm);
    nurseList.load(serial_);
    for (int r = nurseList.nextWaitingRow(0); r > 0; r = nurseList.nextWaitingRow(r)) {
        nurseList.select(r);
        nurseList.execute();
    }
    OrderListModel* doctor = page_->list(3);
    doctor->reload();
    doctor->select(doctor->grid().rows() - 1);
    doctor->voidOrder();
    ui_.answerMessageDialog(1);
    Clock::set([] { return QDateTime(QDate(2016, 5, 14), QTime(8, 30, 0)); });
    doctor->reorganise();
    doctor->select(doctor->grid().rows() - 4);
    QApplication::processEvents();
    QDir().mkpath(QString::fromLocal8Bit(shots));
    EXPECT_TRUE(page_->grab().save(QString::fromLocal8Bit(shots) + "/orders-lists.png"));
}

}  // namespace
