// The chart page in the main window: the command shows it for the selected patient, and a
// ward round by keyboard goes down the department's bed list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "interaction/ui/DataGridView.h"
#include "shell/MainCommands.h"
#include "shell/ui/MainWindow.h"
#include "vitals/ui/ChartCommands.h"
#include "vitals/ui/ChartPage.h"
#include "vitals_fixture.h"

namespace qh::test {
namespace {

using vitals::VitalSigns;

TEST_F(VitalsFixture, TheChartCommandShowsThePageAndARoundGoesToTheNextBed) {
    addDepartment("内科", "√");
    const qint64 first = addPatient({.name = "王建国", .bed = "1"});
    const qint64 second = addPatient({.name = "李秀英", .sex = "女", .bed = "2"});
    user_.department = "内科";
    user_.grantAll();
    setNow(QDateTime(QDate(2016, 3, 8), QTime(15, 40)));

    shell::MainWindow window(user_, files(), ui_);
    vitals::ChartPage* page = vitals::installChart(window);
    ASSERT_TRUE(window.selection().select(first, shell::PatientStatus::InWard));
    ASSERT_TRUE(window.commands().run(shell::cmd::ChartPage));
    EXPECT_EQ(window.pages().current(), shell::WorkPage::Chart);
    EXPECT_EQ(page->vitals().serialNumber(), window.selection().serialNumber());
    EXPECT_EQ(page->pageCount(), 1);  // admitted 2016-3-5, today day 4

    ASSERT_TRUE(page->vitals().addTemperature());
    ui::DataGrid& g = page->vitals().temperatures();
    g.setText(1, VitalSigns::TTemp, "37.2");
    ui::DataGridView* view = nullptr;
    for (ui::DataGridView* v : page->findChildren<ui::DataGridView*>())
        if (v->grid() == &g) view = v;
    ASSERT_NE(view, nullptr);
    view->setCurrentIndex(g.index(0, VitalSigns::TResp));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(view, &enter);

    EXPECT_EQ(window.selection().id(), second);
    EXPECT_EQ(page->vitals().serialNumber(), window.selection().serialNumber());
    ASSERT_EQ(g.rows(), 2);
    EXPECT_EQ(g.text(1, VitalSigns::TSlot), "下4");
    EXPECT_TRUE(g.text(1, VitalSigns::TTemp).isEmpty());
}

}  // namespace
}  // namespace qh::test
