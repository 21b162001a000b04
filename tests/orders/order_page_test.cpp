// The order page driven by the keyboard: an infusion group typed without the mouse, the
// pick list, markers by key, saving with its message, and lines kept per tab for one
// patient only.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include "orders/order_page_fixture.h"
#include "orders/ui/EntryGridView.h"
#include "orders/ui/OrderCommands.h"
#include "orders/ui/OrderPage.h"
#include "orders/ui/PickList.h"
#include "shell/MainCommands.h"
#include "shell/PatientSelection.h"
#include "shell/ui/MainWindow.h"

using namespace qh;
using namespace qh::orders;
using W = WesternEntry;

namespace {

class OrderPageTest : public test::OrderPageFixture {
protected:
    EntryGridView* view(int tab = 0) { return page_->view(tab); }
    QLineEdit* pickText() { return page_->pickList()->findChild<QLineEdit*>(QStringLiteral("pickText")); }
    ui::DataGrid& grid(int tab = 0) { return *view(tab)->grid(); }
    int row(int tab = 0) { return view(tab)->currentGridRow(); }
    int col(int tab = 0) { return view(tab)->currentIndex().column(); }
    // Types a value into the current cell through the cell's editor and ends it with Enter.
    void enterValue(const QString& value, int tab = 0) {
        type(view(tab), value.left(1));
        QLineEdit* line = nullptr;
        for (QLineEdit* e : view(tab)->viewport()->findChildren<QLineEdit*>())
            if (e->isVisible()) line = e;
        ASSERT_NE(line, nullptr) << "no cell editor";
        line->setText(value);
        key(line, Qt::Key_Return);
        QApplication::processEvents();  // the delegate commits and closes on a queued call
    }

};

TEST_F(OrderPageTest, InfusionGroupTypedWithoutTheMouse) {
    page_->addOrderRow();
    EXPECT_EQ(col(), W::Marker);
    type(view(), "x");  // 新组
    EXPECT_EQ(grid().text(1, W::Marker), kNewGroup);
    EXPECT_EQ(col(), W::Content);
    // Typing in the content cell shows the pick list at once, the first row highlighted.
    type(view(), "l");
    ASSERT_TRUE(page_->pickList()->isVisible());
    type(pickText(), "hn");
    EXPECT_EQ(page_->pickList()->grid().text(1, 1), QStringLiteral("0.9%氯化钠注射液"));
    key(pickText(), Qt::Key_Return);
    EXPECT_FALSE(page_->pickList()->isVisible());
    EXPECT_EQ(grid().text(1, W::Content), QStringLiteral("0.9%氯化钠注射液"));
    EXPECT_EQ(col(), W::Quantity);
    enterValue("1");
    EXPECT_EQ(col(), W::Unit);
    key(view(), Qt::Key_Return);
    EXPECT_EQ(col(), W::Dose);
    enterValue("250");
    EXPECT_EQ(col(), W::Route);
    type(view(), "j");
    key(pickText(), Qt::Key_Return);
    EXPECT_EQ(grid().text(1, W::Route), QStringLiteral("静脉滴注"));
    EXPECT_EQ(col(), W::Frequency);
    type(view(), "b");
    key(pickText(), Qt::Key_Return);
    EXPECT_EQ(grid().text(1, W::Frequency), QStringLiteral("bid"));
    EXPECT_EQ(grid().text(1, W::PerDay), QStringLiteral("2"));
    // On to the next row: the second line of the group, ↓ in the pick list.
    EXPECT_EQ(row(), 2);
    EXPECT_EQ(col(), W::Marker);
    type(view(), "c");
    type(view(), "z");
    type(pickText(), "sy");
    key(pickText(), Qt::Key_Down);
    key(pickText(), Qt::Key_Escape);
    EXPECT_TRUE(grid().text(2, W::Content).isEmpty());
    type(view(), "t");
    type(pickText(), "b");
    key(pickText(), Qt::Key_Return);
    EXPECT_EQ(grid().text(2, W::Content), QStringLiteral("注射用头孢曲松钠"));
    enterValue("1");
    key(view(), Qt::Key_Return);
    EXPECT_EQ(grid().text(2, W::PerDay), QStringLiteral("2"));
    enterValue("1");
    EXPECT_EQ(grid().text(2, W::Route) + grid().text(2, W::Frequency), QStringLiteral("静脉滴注bid"));
    EXPECT_EQ(grid().text(1, W::Route), QString());
    EXPECT_EQ(row(), 3);

    page_->saveOrders();
    EXPECT_EQ(ui_.texts(), QStringList{kSaved});
    EXPECT_EQ(grid().rows(), 1);
    const store::Rows rows = orders();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1].text("sjyz"), rows[0].text("yzid"));
    EXPECT_EQ(rows[1].text("yzjl"), QStringLiteral("1g"));
}

TEST_F(OrderPageTest, ContentRewrittenByHandNoLongerCarriesTheItem) {
    page_->addOrderRow();
    type(view(), "d");
    type(view(), "a");
    key(pickText(), Qt::Key_Return);
    ASSERT_EQ(grid().text(1, W::ItemId), QStringLiteral("3"));
    view()->goTo(1, W::Content);
    key(view(), Qt::Key_Return);  // unchanged: the item stays
    EXPECT_EQ(grid().text(1, W::ItemId), QStringLiteral("3"));
    grid().setText(1, W::Content, QStringLiteral("头孢克洛胶囊"));
    view()->goTo(1, W::Content);
    key(view(), Qt::Key_Return);
    EXPECT_EQ(grid().text(1, W::ItemId) + grid().text(1, W::DrugFlag) + grid().text(1, W::Spec), QString());
    EXPECT_EQ(grid().text(1, W::Content), QStringLiteral("头孢克洛胶囊"));
}

TEST_F(OrderPageTest, TabsKeepTheirLinesForTheSamePatientOnly) {
    page_->addOrderRow();
    grid(0).setText(1, W::Content, QStringLiteral("长期一"));
    page_->showTab(1);
    page_->addOrderRow();
    page_->addOrderRow();
    page_->showTab(2);
    page_->addOrderRow();
    page_->showTab(0);
    page_->refresh();  // the same patient read again
    EXPECT_EQ(grid(0).rows(), 2);
    EXPECT_EQ(grid(1).rows(), 3);
    EXPECT_EQ(grid(2).rows(), 2);
    const qint64 other = addPatient({QStringLiteral("李四")});
    ASSERT_TRUE(selection_->select(other, shell::PatientStatus::InWard));
    page_->refresh();
    EXPECT_EQ(grid(0).rows() + grid(1).rows() + grid(2).rows(), 3);
}

TEST_F(OrderPageTest, SavingNeedsTheSamePatientAndHerbsNeedAUsage) {
    page_->addOrderRow();
    grid(0).setText(1, W::Content, QStringLiteral("按内科护理常规"));
    grid(0).setText(1, W::PerDay, QStringLiteral("1+1"));
    page_->saveOrders();
    EXPECT_EQ(ui_.lastText(), kSaveFailed);
    EXPECT_TRUE(page_->problem().startsWith(QStringLiteral("第1行"))) << page_->problem().toStdString();
    grid(0).setText(1, W::PerDay, QString());
    // Another patient selected behind the page's back: nothing is saved for either.
    const qint64 other = addPatient({QStringLiteral("李四")});
    ASSERT_TRUE(selection_->select(other, shell::PatientStatus::InWard));
    page_->saveOrders();
    EXPECT_EQ(count("select count(*) from zyb_yzxx"), 0);

    page_->showTab(2);
    page_->addOrderRow();
    type(view(2), "h");
    key(pickText(), Qt::Key_Return);
    EXPECT_EQ(grid(2).text(1, HerbalEntry::Herb), QStringLiteral("黄芪"));
    enterValue("30", 2);
    EXPECT_EQ(col(2), HerbalEntry::Doses);
    enterValue("7", 2);
    page_->saveOrders();
    EXPECT_EQ(ui_.lastText(), kChooseHerbalUsage);
    EXPECT_EQ(grid(2).rows(), 2);
    page_->herbalUsage()->setCurrentIndex(1);
    page_->saveOrders();
    EXPECT_EQ(ui_.lastText(), kSaved);
    EXPECT_EQ(count("select count(*) from zyb_yzxx where zyid='" + selection_->serialNumber() + "'"), 2);
}

TEST_F(OrderPageTest, SkinTestFromThePickListAndTheScreenshot) {
    page_->showTab(1);
    page_->addOrderRow();
    type(view(1), "d");
    type(view(1), "q");
    type(pickText(), "msps");
    key(pickText(), Qt::Key_Return);
    EXPECT_EQ(grid(1).text(1, W::Content), QStringLiteral("注射用青霉素钠青霉素皮试( )"));
    // A screenshot of a long-term tab with a group, when asked for.
    const QByteArray shots = qgetenv("QH_SCREENSHOTS");
    if (shots.isEmpty()) return;
    page_->resize(1200, 520);  // the size of the manual's picture
    page_->showTab(0);
    WesternEntry& e = page_->western(0);
    const char* lines[][4] = {{"新组", "1", "1", "250"}, {"承组", "2", "1", "1"}, {"承组", "6", "2", "160"},
                              {"单开", "3", "2", ""},   {"单开", "4", "1", ""}};
    for (auto& l : lines) {
        const int r = e.editRow();
        e.setMarker(r, QString::fromUtf8(l[0]));
        e.takeItem(r, *ItemLookup(files()).item(QString(l[1]).toLongLong()), {}, {}, ui_);
        grid(0).setText(r, W::Quantity, l[2]);
        if (e.quantityEntered(r).col == W::Unit) e.unitSettled(r);
        if (*l[3]) grid(0).setText(r, W::Dose, l[3]);
        e.doseEntered(r);
        if (r == 1) {
            e.routeTaken(r, QStringLiteral("静脉滴注"));
            e.frequencyTaken(r, {QStringLiteral("2"), QStringLiteral("bid"), QString()});
        }
        if (r == 4) {
            e.routeTaken(r, QStringLiteral("口服"));
            e.frequencyTaken(r, {QStringLiteral("3"), QStringLiteral("tid"), QString()});
        }
    }
    view(0)->goTo(e.editRow(), W::Content);
    QApplication::processEvents();
    type(view(0), "a");
    QApplication::processEvents();
    QPixmap shot = page_->grab();
    QPixmap pick = page_->pickList()->grab();
    {
        QPainter p(&shot);
        p.drawPixmap(page_->mapFromGlobal(page_->pickList()->pos()), pick);
    }
    QDir().mkpath(QString::fromLocal8Bit(shots));
    EXPECT_TRUE(shot.save(QString::fromLocal8Bit(shots) + "/orders-entry.png"));
}

// ---- installed in the main window

TEST_F(OrderPageTest, InstalledPageOpensForTheSelectedPatientOnly) {
    shell::MainWindow main(user_, files(), ui_);
    OrderPage* page = installOrderPage(main);
    EXPECT_FALSE(main.commands().isEnabled(shell::cmd::OrdersPage));
    ASSERT_TRUE(main.selection().select(patientId_, shell::PatientStatus::InWard));
    EXPECT_TRUE(main.commands().isEnabled(shell::cmd::OrdersPage));
    EXPECT_TRUE(main.commands().run(shell::cmd::OrdersPage));
    EXPECT_EQ(main.pages().current(), shell::WorkPage::Orders);
    page->addOrderRow();
    EXPECT_EQ(page->western(0).grid().rows(), 2);
    main.selection().clear();
    EXPECT_FALSE(page->isEnabled());
}

}  // namespace
