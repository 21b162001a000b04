// The records behind the chart page: new rows, day counts, the three saves and modifies
// with their messages, and the checks that keep wrong values and other columns out.
#include <gtest/gtest.h>

#include <QFile>

#include "vitals_fixture.h"

namespace qh::test {
namespace {

using vitals::VitalSigns;

class VitalSignsTest : public VitalsFixture {};

TEST_F(VitalSignsTest, NewRowsTakeTodayTheSlotOfTheHourAndTheUser) {
    setNow(QDateTime(QDate(2016, 2, 4), QTime(22, 30)));
    ASSERT_TRUE(vitals_->addTemperature());
    const ui::DataGrid& t = vitals_->temperatures();
    ASSERT_EQ(t.rows(), 2);
    EXPECT_EQ(QStringList({t.text(1, 1), t.text(1, 2), t.text(1, 3), t.text(1, 9)}),
              QStringList({"2016-2-4", "下8", "腋温", "赵丽"}));

    setNow(QDateTime(QDate(2016, 2, 4), QTime(9, 7)));
    ASSERT_TRUE(vitals_->addEvent());
    const ui::DataGrid& e = vitals_->events();
    EXPECT_EQ(QStringList({e.text(1, 2), e.text(1, 4), e.text(1, 5)}), QStringList({"上8", "九时七分", "1"}));
    EXPECT_TRUE(e.columnItems(VitalSigns::VEvent).contains("拒测"));
    vitals_->events().setText(1, VitalSigns::VEvent, "外出");
    vitals_->eventEdited(1);
    EXPECT_EQ(e.text(1, 5), "2");

    // The entry layout replaces the list; a second item row keeps the first one's slot.
    ASSERT_TRUE(vitals_->addOther());
    vitals_->others().setText(1, VitalSigns::ESlot, "下4");
    ASSERT_TRUE(vitals_->addOther());
    EXPECT_TRUE(vitals_->othersInEntryLayout());
    EXPECT_EQ(vitals_->others().text(0, 3), "项目名称");
    EXPECT_EQ(vitals_->others().text(2, VitalSigns::ESlot), "下4");
}

TEST_F(VitalSignsTest, SaveTemperatureInsertsTheSlotRowOnceThenUpdatesIt) {
    enterTemperature("2016-2-4", "上8", "36.8", "80", "18");
    ASSERT_TRUE(vitals_->saveTemperature());
    EXPECT_EQ(ui_.lastText(), "患者王建国体温数据保存成功");
    EXPECT_EQ(stored("2016-2-4", "上8", "时刻检索,住院日数,手术日数,体温类型,体温1,脉搏,呼吸,记录者,排序1,排序2,排序3,排序4"),
              "2016-2-4上81001|4||腋温|36.8|80|18|赵丽|2016|2|4|2");
    EXPECT_FALSE(vitals_->temperatures().text(1, 0).isEmpty());  // the new row's 编号

    enterTemperature("2016-2-4", "上8", "37.2", "84");
    ASSERT_TRUE(vitals_->saveTemperature());
    EXPECT_EQ(rowCount(), 1);
    EXPECT_EQ(stored("2016-2-4", "上8", "体温1,脉搏"), "37.2|84");

    // A padded date is stored as the row date, so the slot key stays the same.
    enterTemperature("2016-02-04", "上8", "37.0");
    ASSERT_TRUE(vitals_->saveTemperature());
    EXPECT_EQ(rowCount(), 1);

    // More than one row: nothing happens.
    vitals_->temperatures().addRow();
    ui_.clear();
    EXPECT_FALSE(vitals_->saveTemperature());
    EXPECT_TRUE(ui_.shown().isEmpty());
}

TEST_F(VitalSignsTest, DayCountsFromAdmissionAndTheDayBefore) {
    EXPECT_EQ(vitals_->hospitalDay(QDate(2016, 2, 1)), 1);
    EXPECT_EQ(vitals_->hospitalDay(QDate(2016, 2, 4)), 4);
    store::Connection db = store::Connection::open(files(), store::DbFile::Main);
    const QDate day(2016, 2, 4);
    EXPECT_EQ(vitals_->surgeryDay(db, day), "");  // no row the day before
    insertRow("日期, 时刻, 手术日数", {"2016-2-3", "上8", "13"});
    EXPECT_EQ(vitals_->surgeryDay(db, day), "14");
    exec("update 体温单 set 手术日数='14'");
    EXPECT_EQ(vitals_->surgeryDay(db, day), "");
    exec("update 体温单 set 手术日数=''");
    EXPECT_EQ(vitals_->surgeryDay(db, day), "");
    // An operation the day before starts the count.
    exec("update 体温单 set 事项1='手术'");
    EXPECT_EQ(vitals_->surgeryDay(db, day), "1");
}

TEST_F(VitalSignsTest, EventsAndItemsGoIntoTheSlotRowAndKeepWhatIsThere) {
    enterTemperature("2016-2-4", "下4", "38.5");
    ASSERT_TRUE(vitals_->saveTemperature());
    enterEvent("2016-2-4", "下4", "手术", "十五时");
    ASSERT_TRUE(vitals_->saveEvents());
    EXPECT_EQ(ui_.lastText(), "患者 手术 数据保存成功");
    EXPECT_EQ(stored("2016-2-4", "下4", "体温1,事项1,事项时间1"), "38.5|手术|十五时");

    enterItem("2016-2-4", "下4", "血压", "120/80");
    enterItem("2016-2-4", "下4", "体重", "61.5");
    ASSERT_TRUE(vitals_->saveOthers());
    EXPECT_EQ(ui_.lastText(), "患者 血压 体重 数据保存成功");
    EXPECT_EQ(stored("2016-2-4", "下4", "体温1,血压,体重"), "38.5|120/80|61.5");
    EXPECT_EQ(rowCount(), 1);

    // A row with both events lists twice, each with the row's 编号.
    exec("update 体温单 set 事项2='外出', 事项时间2='十六时'");
    vitals_->listEvents();
    const ui::DataGrid& e = vitals_->events();
    ASSERT_EQ(e.rows(), 3);
    EXPECT_EQ(e.text(1, 0), e.text(2, 0));
    EXPECT_EQ(QStringList({e.text(1, 3), e.text(1, 5), e.text(2, 3), e.text(2, 5)}),
              QStringList({"手术", "1", "外出", "2"}));
}

TEST_F(VitalSignsTest, MixedDatesOrSlotsAreRefusedWhole) {
    enterItem("2016-2-4", "下4", "血压", "120/80");
    enterItem("2016-2-4", "下8", "体重", "61");
    EXPECT_FALSE(vitals_->saveOthers());
    EXPECT_EQ(ui_.lastText(), "所添加项目的时刻必须一致，若一定要改请单个添加");
    vitals_->others().setText(2, VitalSigns::ESlot, "下4");
    vitals_->others().setText(2, VitalSigns::EDate, "2016-2-5");
    EXPECT_FALSE(vitals_->saveOthers());
    EXPECT_EQ(ui_.lastText(), "所添加项目的日期必须一致，若一定要改请单个添加");
    EXPECT_EQ(rowCount(), 0);
}

TEST_F(VitalSignsTest, AnItemNameIsNeverAColumnName) {
    enterItem("2016-2-4", "上8", "检索", "x");
    ASSERT_TRUE(vitals_->saveOthers());
    EXPECT_EQ(stored("2016-2-4", "上8", "检索,扩展名称1,扩展1"), "1001|检索|x");

    // The list shows "name  value"; modify splits it again, so nothing grows on a round trip.
    for (int round = 0; round < 2; ++round) {
        vitals_->listOthers();
        ASSERT_EQ(vitals_->others().rows(), 2);
        EXPECT_EQ(vitals_->others().text(1, 14), "检索  x");
        ASSERT_TRUE(vitals_->modifyOther(1));
    }
    EXPECT_EQ(stored("2016-2-4", "上8", "扩展名称1,扩展1"), "检索|x");
    EXPECT_TRUE(ui_.lastText().endsWith(" 数据修改成功")) << ui_.lastText().toStdString();

    // "其他" and a listed item map as the table says.
    enterItem("2016-2-4", "下4", "其他", "吸氧");
    enterItem("2016-2-4", "下4", "小便量", "1500");
    ASSERT_TRUE(vitals_->saveOthers());
    EXPECT_EQ(stored("2016-2-4", "下4", "扩展名称1,扩展1,扩展2"), "其他|吸氧|1500");
}

TEST_F(VitalSignsTest, ModifyWritesByNumberAndNeverOntoAnotherRowsSlot) {
    enterTemperature("2016-2-4", "上8", "36.8");
    ASSERT_TRUE(vitals_->saveTemperature());
    enterTemperature("2016-2-4", "下4", "37.1");
    ASSERT_TRUE(vitals_->saveTemperature());
    vitals_->listTemperatures();
    ui::DataGrid& t = vitals_->temperatures();
    ASSERT_EQ(t.rows(), 3);
    const QString second = t.text(2, 0);

    t.setText(2, VitalSigns::TSlot, "上8");
    EXPECT_FALSE(vitals_->modifyTemperature(2));
    EXPECT_EQ(ui_.lastText(), vitals::kSlotTaken);
    EXPECT_EQ(stored("2016-2-4", "下4", "体温1"), "37.1");

    t.setText(2, VitalSigns::TSlot, "下8");
    t.setText(2, VitalSigns::TTemp, "37.4");
    ASSERT_TRUE(vitals_->modifyTemperature(2));
    EXPECT_EQ(ui_.lastText(), "患者 王建国 编号为 " + second + " 体温数据修改成功");
    EXPECT_EQ(stored("2016-2-4", "下8", "时刻检索,体温1,排序4"), "2016-2-4下81001|37.4|5");

    EXPECT_FALSE(vitals_->modifyTemperature(0));
    EXPECT_EQ(ui_.lastText(), vitals::kChooseRow);
}

TEST_F(VitalSignsTest, ModifyEventMovesItToThePairItsTextBelongsTo) {
    enterEvent("2016-2-4", "下4", "转入", "十五时");
    ASSERT_TRUE(vitals_->saveEvents());
    vitals_->listEvents();
    vitals_->events().setText(1, VitalSigns::VEvent, "请假");
    ASSERT_TRUE(vitals_->modifyEvent(1));
    EXPECT_TRUE(ui_.lastText().endsWith(" 事项数据修改成功"));
    EXPECT_EQ(stored("2016-2-4", "下4", "事项1,事项2,事项时间2"), "|请假|十五时");
}

TEST_F(VitalSignsTest, TheEventDecidesItsPairOnEverySave) {
    enterEvent("2016-2-4", "下8", "请假", "二十时");
    vitals_->events().setText(1, VitalSigns::VType, "1");  // as typed, never re-read from the event
    ASSERT_TRUE(vitals_->saveEvents());
    EXPECT_EQ(stored("2016-2-4", "下8", "事项1,事项2,住院日数,排序1,排序2,排序3,排序4"), "|请假|4|2016|2|4|5");
}

TEST_F(VitalSignsTest, FailuresAreNeverReportedAsSaved) {
    exec("CREATE TRIGGER refuse BEFORE INSERT ON 体温单 BEGIN SELECT RAISE(ABORT, 'refused'); END");
    enterTemperature("2016-2-4", "上8", "36.8");
    EXPECT_FALSE(vitals_->saveTemperature());
    EXPECT_EQ(ui_.lastText(), "患者王建国体温数据保存失败");
    enterEvent("2016-2-4", "上8", "入院");
    EXPECT_FALSE(vitals_->saveEvents());
    EXPECT_EQ(ui_.lastText(), "患者王建国 数据保存失败");
    for (const QString& text : ui_.texts()) EXPECT_FALSE(text.contains("成功")) << text.toStdString();

    // An update that finds its row gone is no success either.
    exec("DROP TRIGGER refuse");
    enterTemperature("2016-2-4", "上8", "36.8");
    ASSERT_TRUE(vitals_->saveTemperature());
    vitals_->listTemperatures();
    exec("delete from 体温单");
    EXPECT_FALSE(vitals_->modifyTemperature(1));
    EXPECT_TRUE(ui_.lastText().endsWith("体温数据修改失败"));

    // The file gone.
    db_.close();
    const QString main = files().path(store::DbFile::Main);
    ASSERT_TRUE(QFile::rename(main, main + ".away"));
    enterTemperature("2016-2-4", "上8", "36.8");
    EXPECT_FALSE(vitals_->saveTemperature());
    EXPECT_EQ(ui_.lastText(), "患者王建国体温数据保存失败");
}

TEST_F(VitalSignsTest, ListsRunInDateOrderNotTextOrder) {
    insertRow("日期, 时刻, 体温1", {"2016-10-1", "上8", "36.6"});
    insertRow("日期, 时刻, 体温1", {"2016-2-4", "下4", "37.0"});
    insertRow("日期, 时刻, 体温1", {"2016-2-4", "上4", "36.9"});
    vitals_->listTemperatures();
    const ui::DataGrid& t = vitals_->temperatures();
    ASSERT_EQ(t.rows(), 4);
    EXPECT_EQ(QStringList({t.text(1, 4), t.text(2, 4), t.text(3, 4)}), QStringList({"36.9", "37.0", "36.6"}));
}

TEST_F(VitalSignsTest, ValuesAreCheckedBeforeAnythingIsStored) {
    struct Case {
        const char *temperature, *pulse, *message;
    } refused[] = {{"abc", "", "操作错误！体温数值不正确。"},
                   {"拒测", "", "操作错误！体温数值不正确。"},
                   {"36.8", "8O", "操作错误！脉搏数值不正确。"},
                   {"36..8", "", "操作错误！体温数值不正确。"}};
    for (const Case& c : refused) {
        enterTemperature("2016-2-4", "上8", c.temperature, c.pulse);
        EXPECT_FALSE(vitals_->saveTemperature()) << c.temperature;
        EXPECT_EQ(ui_.lastText(), QString::fromUtf8(c.message));
    }
    EXPECT_EQ(rowCount(), 0);

    // Full-width digits are stored as ASCII; empty means not measured.
    enterTemperature("2016-2-4", "上8", "３６．８", "");
    ASSERT_TRUE(vitals_->saveTemperature());
    EXPECT_EQ(stored("2016-2-4", "上8", "体温1,脉搏"), "36.8|");

    // Outside the usual range: one question for all of them; cancel stores nothing.
    enterTemperature("2016-2-4", "下4", "43", "200", "50");
    ui_.clear();
    ui_.answerMessageDialog(0);
    EXPECT_FALSE(vitals_->saveTemperature());
    ASSERT_EQ(ui_.shown().size(), 1);
    EXPECT_TRUE(ui_.shown()[0].withCancel);
    EXPECT_EQ(ui_.lastText(), "体温 43，脉搏 200，呼吸 50 超出常见范围，确定要保存吗？");
    EXPECT_EQ(stored("2016-2-4", "下4", "体温1"), "<none>");
    ui_.answerMessageDialog(1);
    ASSERT_TRUE(vitals_->saveTemperature());
    EXPECT_EQ(stored("2016-2-4", "下4", "体温1,脉搏"), "43|200");

    // Blood pressure is S/D, the systolic above the diastolic.
    enterItem("2016-2-4", "下8", "血压", "120-80");
    EXPECT_FALSE(vitals_->saveOthers());
    EXPECT_EQ(ui_.lastText(), "操作错误！血压数值不正确。");
    vitals_->others().setText(1, VitalSigns::EValue, "１２０／８０");
    ASSERT_TRUE(vitals_->saveOthers());
    EXPECT_EQ(stored("2016-2-4", "下8", "血压"), "120/80");
    vitals_->listOthers();
    enterItem("2016-2-4", "下12", "血压", "80/120");
    ui_.answerMessageDialog(0);
    EXPECT_FALSE(vitals_->saveOthers());
    EXPECT_EQ(ui_.lastText(), "血压 80/120 超出常见范围，确定要保存吗？");

    // A bad date or slot is named too.
    enterTemperature("2016-2-30", "上8", "36.8");
    EXPECT_FALSE(vitals_->saveTemperature());
    EXPECT_EQ(ui_.lastText(), "操作错误！日期数值不正确。");
}

TEST_F(VitalSignsTest, WithoutTheChartRightNothingIsAddedSavedOrModified) {
    insertRow("日期, 时刻, 时刻检索, 体温1", {"2016-2-4", "上8", "2016-2-4上81001", "36.8"});
    user_.HZTW = false;
    vitals_->setPatient(patient_);
    EXPECT_FALSE(vitals_->temperatures().isEditable());
    EXPECT_FALSE(vitals_->addTemperature());
    EXPECT_FALSE(vitals_->addEvent());
    EXPECT_FALSE(vitals_->addOther());
    vitals_->temperatures().setText(1, VitalSigns::TTemp, "39");
    EXPECT_FALSE(vitals_->modifyTemperature(1));
    EXPECT_FALSE(vitals_->saveTemperature());
    EXPECT_EQ(ui_.lastText(), vitals::kNoRight);
    EXPECT_EQ(stored("2016-2-4", "上8", "体温1"), "36.8");
}

TEST_F(VitalSignsTest, PageCountCountsTheNextEmptyWeekFromDaySeven) {
    setNow(QDateTime(QDate(2016, 2, 6), QTime(8, 0)));
    EXPECT_EQ(vitals_->pageCountText(), "共 1 页");
    setNow(QDateTime(QDate(2016, 2, 7), QTime(8, 0)));
    EXPECT_EQ(vitals_->pageCountText(), "共 2 页");
}

}  // namespace
}  // namespace qh::test
