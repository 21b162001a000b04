// The chart page: paging, PDF, the buttons the chart right shows, and a ward round by
// keyboard that goes on at the next bed with the same date and slot.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QApplication>

#include "interaction/ui/DataGridView.h"
#include "vitals/ui/ChartPage.h"
#include "support/screenshot.h"
#include "vitals_fixture.h"

namespace qh::test {
namespace {

using vitals::VitalSigns;

class ChartPageTest : public VitalsFixture {
protected:
    void SetUp() override {
        VitalsFixture::SetUp();
        if (HasFatalFailure()) return;
        user_.hospitalName = "青禾县人民医院";
        setNow(QDateTime(QDate(2016, 2, 10), QTime(9, 0)));  // day 10: two pages
        const char* temps[] = {"36.6", "37.9", "38.6", "38.1", "37.2", "36.8"};
        for (int day = 1; day <= 10; ++day)
            for (int s = 0; s < 6; ++s) {
                const QString date = vitals::rowDateText(QDate(2016, 2, day));
                const QString slot = vitals::timeSlots()[s];
                if (day == 10 && s > 1) break;
                insertRow("日期, 时刻, 时刻检索, 体温类型, 体温1, 脉搏, 呼吸, 排序4",
                          {date, slot, date + slot + "1001", "腋温", day >= 3 && day <= 4 ? temps[s] : "36.7",
                           QString::number(76 + 2 * s), s % 2 ? "20" : "", QString::number(s + 1)});
            }
        exec("update 体温单 set 事项1='手术', 事项时间1='十时' where 日期='2016-2-3' and 时刻='上12'");
        exec("update 体温单 set 体温2='37.6' where 日期='2016-2-3' and 时刻='上12'");
    }
};

TEST_F(ChartPageTest, PagesPdfAndTheButtonsOfTheRight) {
    vitals::ChartPage page(files(), user_, ui_);
    page.resize(1200, 900);
    page.showPatient(patient_);
    EXPECT_EQ(page.findChild<QLabel*>("pageCount")->text(), "共 2 页");
    auto* previous = page.findChild<QPushButton*>("previousPage");
    auto* next = page.findChild<QPushButton*>("nextPage");
    EXPECT_FALSE(previous->isEnabled());
    next->click();
    EXPECT_EQ(page.page(), 2);
    EXPECT_TRUE(previous->isEnabled());
    EXPECT_FALSE(next->isEnabled());
    page.showPage(9);
    EXPECT_EQ(page.page(), 2);

    TempDir out;
    ASSERT_TRUE(page.exportPdf(out.file("chart.pdf"), true));
    QFile pdf(out.file("chart.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));

    page.showPage(1);
    test::screenshot(page, "temperature-chart-page.png");

    int visible = 0;
    for (QPushButton* b : page.findChildren<QPushButton*>())
        if (b->text() == "保存" && !b->isHidden()) ++visible;
    EXPECT_EQ(visible, 3);
    user_.HZTW = false;
    page.showPatient(patient_);
    for (QPushButton* b : page.findChildren<QPushButton*>())
        EXPECT_FALSE(!b->isHidden() && (b->text() == "保存" || b->text() == "添加" || b->text() == "修改"));
}

TEST_F(ChartPageTest, EnterOnTheLastValueSavesAndTheNextBedFollows) {
    vitals::ChartPage page(files(), user_, ui_);
    shell::PatientContext nextBed = patient_;
    nextBed.serialNumber = "1002";
    nextBed.name = "李秀英";
    int asked = 0;
    page.setNextPatient([&] {
        ++asked;
        page.showPatient(nextBed);
        return true;
    });
    page.showPatient(patient_);
    ASSERT_TRUE(page.vitals().addTemperature());
    ui::DataGrid& g = page.vitals().temperatures();
    g.setText(1, VitalSigns::TSlot, "下4");
    g.setText(1, VitalSigns::TTemp, "36.9");
    g.setText(1, VitalSigns::TPulse, "72");
    ui::DataGridView* view = nullptr;
    for (ui::DataGridView* v : page.findChildren<ui::DataGridView*>())
        if (v->grid() == &g) view = v;
    ASSERT_NE(view, nullptr);
    view->setCurrentIndex(g.index(0, VitalSigns::TTemp));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(view, &enter);
    EXPECT_EQ(view->currentIndex().column(), VitalSigns::TCooled);  // Enter moves on
    EXPECT_EQ(asked, 0);
    view->setCurrentIndex(g.index(0, VitalSigns::TResp));
    QApplication::sendEvent(view, &enter);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(stored("2016-2-10", "下4", "体温1,脉搏"), "36.9|72");
    // The next bed's row is waiting with the same date and slot.
    EXPECT_EQ(page.vitals().serialNumber(), "1002");
    ASSERT_EQ(g.rows(), 2);
    EXPECT_EQ(g.text(1, VitalSigns::TSlot), "下4");
    EXPECT_EQ(g.text(1, VitalSigns::TDate), "2016-2-10");
    EXPECT_TRUE(g.text(1, VitalSigns::TTemp).isEmpty());
}

}  // namespace
}  // namespace qh::test
