// The front-page row: prefill, the two saves with their messages, loading, the date checks.
#include <gtest/gtest.h>

#include "frontpage/FrontPageColumns.h"
#include "frontpage/FrontPageRecord.h"
#include "frontpage_fixture.h"

using namespace qh;
using namespace qh::frontpage;

namespace {

class FrontPageRecordTest : public test::FrontPageFixture {
protected:
    FrontPageValues filled() {
        FrontPageValues v = record.prefill(patient(), QStringLiteral("内科"));
        v["HYDM"] = "2";
        v["CYZD1"] = "肺炎";
        v["CYBM1"] = "J18";
        v["CYBQ1"] = "2 临床未确定";
        v["SSMC1"] = "阑尾切除术";
        v["SSRQ1"] = "2016-03-06";
        v["ZFY"] = "1234.56";
        v["XYFY"] = "";
        return v;
    }
    FrontPageRecord record{files(), ui_};
    const QDateTime saved{QDate(2016, 3, 10), QTime(8, 0)};
};

TEST_F(FrontPageRecordTest, ANewStayIsPrefilledFromThePatientAndNothingIsWrittenBeforeSaving) {
    ASSERT_FALSE(record.exists(serial_));
    // The stay has ended: 出院日期 is its discharge date.
    expectValues(record.prefill(patient(), QStringLiteral("内科")),
                 {{"BAH", "A100"}, {"XM", "张三"}, {"XB", "1"}, {"CSRQ", "1960-05-02 00:00:00"}, {"GJ", "中国"},
                  {"XZDZ", "河东路1号"}, {"LXRXM", "张四"}, {"LXRGX", "配偶"}, {"RYRQ", "2016-03-05 08:30:00"},
                  {"CYRQ", "2016-03-09 10:00:00"}, {"ZYTS", "4"}, {"RYKS", "内科"}, {"CYKS", "内科"}, {"RYBF", "3"}});
    EXPECT_EQ(rows(), 0);

    // A sex the form does not know stays unselected instead of becoming 女.
    shell::PatientContext unknown = patient();
    unknown.sex = "未知";
    EXPECT_EQ(record.prefill(unknown, "内科")["XB"], "");
    unknown.sex = "女";
    EXPECT_EQ(record.prefill(unknown, "内科")["XB"], "2");
}

TEST_F(FrontPageRecordTest, TheWesternSaveInsertsTheKeyRowUpdatesItAndLoadsBack) {
    ASSERT_EQ(record.saveWestern(serial_, "张三", filled(), saved), SaveOutcome::Saved);
    ASSERT_EQ(ui_.shown().size(), 1);
    EXPECT_EQ(ui_.shown()[0].title, kSaveTitle);
    EXPECT_EQ(ui_.lastText(), "患者 【张三】  病案信息保存成功！");
    EXPECT_EQ(rows(), 1);
    // An empty cost is no value, not a failed statement; so is an empty date.
    for (const auto& [column, text] : {std::pair{"HYDM", "2"}, {"CYBQ1", "2 临床未确定"}, {"ZFY", "1234.56"},
                                       {"XYFY", "<null>"}, {"ZKRQ", "<null>"}, {"BCRQ", "2016-03-10 08:00:00"}})
        EXPECT_EQ(bajk(column), QString::fromUtf8(text)) << column;
    expectValues(record.load(serial_), {{"XM", "张三"}, {"XB", "1"}, {"CSRQ", "1960-05-02 00:00:00"},
                                        {"SSRQ1", "2016-03-06"}, {"ZFY", "1234.56"}, {"XYFY", ""}});

    // An operation date stored with a time shows its day; 1900-01-01 shows nothing.
    exec(QStringLiteral("update BAJK set SSRQ1='2016-03-06 09:30:00', SSRQ2='1900-01-01 00:00:00'"));
    EXPECT_EQ(record.load(serial_)["SSRQ1"], "2016-03-06");
    EXPECT_EQ(record.load(serial_)["SSRQ2"], "");

    // A second save updates the same row.
    FrontPageValues again = filled();
    again["XM"] = "张叁";
    ASSERT_EQ(record.saveWestern(serial_, "张三", again, saved), SaveOutcome::Saved);
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(bajk("XM"), "张叁");
}

// As written, a failing cost statement hid behind the first statement's success message and
// left half a front page; now the insert and both updates stand or fall together.
TEST_F(FrontPageRecordTest, AFailingStatementUndoesTheWholeSaveAndSaysSo) {
    exec("CREATE TRIGGER no_costs BEFORE UPDATE OF ZFY ON BAJK BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_EQ(record.saveWestern(serial_, "张三", filled(), saved), SaveOutcome::Failed);
    EXPECT_EQ(ui_.lastText(), "患者 【张三】  病案信息保存失败！");
    EXPECT_EQ(rows(), 0);  // not even the key row

    exec("DROP TRIGGER no_costs");
    ASSERT_EQ(record.saveWestern(serial_, "张三", filled(), saved), SaveOutcome::Saved);
    exec("CREATE TRIGGER no_costs BEFORE UPDATE OF ZFY ON BAJK BEGIN SELECT RAISE(ABORT, 'refused'); END");
    FrontPageValues changed = filled();
    changed["XM"] = "李四";
    EXPECT_EQ(record.saveWestern(serial_, "张三", changed, saved), SaveOutcome::Failed);
    EXPECT_EQ(bajk("XM"), "张三");  // the first statement was undone with the second
}

TEST_F(FrontPageRecordTest, ACostThatIsNoNumberIsRefusedNamingItsFieldBeforeAnythingIsWritten) {
    for (const char* typed : {"12元", "nan", "1e999", "1,5"}) {
        ui_.clear();
        FrontPageValues v = filled();
        v["SSF"] = QString::fromUtf8(typed);
        EXPECT_EQ(record.saveWestern(serial_, "张三", v, saved), SaveOutcome::Refused) << typed;
        EXPECT_EQ(ui_.texts(), QStringList{"操作错误，手术费必须是数字"});
    }
    FrontPageValues badDate = filled();
    badDate["ZKRQ"] = "2016-13-45";
    EXPECT_EQ(record.saveWestern(serial_, "张三", badDate, saved), SaveOutcome::Refused);
    EXPECT_EQ(ui_.lastText(), "操作错误，质控日期不是有效的日期");
    EXPECT_EQ(rows(), 0);
}

TEST_F(FrontPageRecordTest, CodesTheListDoesNotKnowAreKeptAsTheyWereStored) {
    // "7": a code from another edition of the list.
    for (const auto& [shown, code] : {std::pair{"2 已婚", "2"}, {"4.两者都有", "4"}, {" 9 其他 ", "9"}, {"7", "7"},
                                      {"未知", "未知"}, {"", ""}})
        EXPECT_EQ(storedCode(QString::fromUtf8(shown)), QString::fromUtf8(code)) << shown;

    ASSERT_EQ(record.saveWestern(serial_, "张三", filled(), saved), SaveOutcome::Saved);
    exec("update BAJK set HYDM='7'");
    FrontPageValues back = record.load(serial_);
    EXPECT_EQ(back["HYDM"], "7");
    ASSERT_EQ(record.saveWestern(serial_, "张三", back, saved), SaveOutcome::Saved);
    EXPECT_EQ(bajk("HYDM"), "7");
}

// With no current patient there is no key: nothing is written, not even a row keyed "".
TEST_F(FrontPageRecordTest, NothingIsSavedWithoutAPatient) {
    EXPECT_EQ(record.saveWestern("", "", filled(), saved), SaveOutcome::NoPatient);
    EXPECT_EQ(record.saveTcm("  ", "", {}), SaveOutcome::NoPatient);
    EXPECT_EQ(rows(), 0);
    EXPECT_TRUE(ui_.shown().isEmpty());
}

TEST_F(FrontPageRecordTest, TheTcmPageSavedFirstCreatesTheRowAndKeepsItsOwnMessages) {
    FrontPageValues tcm{{"MZZY", "感冒"}, {"MZZYBM", "BNW010"}, {"ZLLB", "2.中西医"}, {"DRGS", "4.两者都有"},
                        {"ZYZD1", "感冒"}, {"ZYZX1", "风寒犯表证"}, {"ZYBQ1", "1 有"}};
    ASSERT_EQ(record.saveTcm(serial_, "张三", tcm), SaveOutcome::Saved);
    EXPECT_EQ(ui_.lastText(), "患者 【张三】  中医病案信息保存成功！");
    EXPECT_EQ(bajk("DRGS"), "4");
    EXPECT_EQ(bajk("ZLLB"), "2.中西医");
    EXPECT_EQ(bajk("XM"), "<null>");  // the western page is not written by the TCM save
    ASSERT_EQ(record.saveWestern(serial_, "张三", filled(), saved), SaveOutcome::Saved);
    EXPECT_EQ(bajk("ZYZX1"), "风寒犯表证");  // nor the TCM page by the western one

    exec("CREATE TRIGGER no_tcm BEFORE UPDATE OF MZZY ON BAJK BEGIN SELECT RAISE(ABORT, 'refused'); END");
    EXPECT_EQ(record.saveTcm(serial_, "张三", tcm), SaveOutcome::Failed);
    EXPECT_EQ(ui_.lastText(), "患者 【张三】  中医病案信息保存失败！");
}

// The previous value comes back and the check runs once: as written, resetting to "now"
// and checking again looped for ever when the admission lay in the future.
TEST_F(FrontPageRecordTest, DateChecksRestoreThePreviousValueOnce) {
    const QDateTime admitted(QDate(2016, 3, 5), QTime(8, 30)), left(QDate(2016, 3, 9), QTime(10, 0));
    EXPECT_EQ(record.checkDischarge(admitted, left, left.addDays(2)), left.addDays(2));
    EXPECT_TRUE(ui_.shown().isEmpty());
    EXPECT_EQ(record.checkDischarge(admitted, left, admitted.addDays(-1)), left);
    EXPECT_EQ(ui_.texts(), QStringList{kDateOrderRefused});

    const QDateTime future = QDateTime::currentDateTime().addYears(5);
    ui_.clear();
    EXPECT_EQ(record.checkDischarge(future, QDateTime(), QDateTime::currentDateTime()), QDateTime());
    EXPECT_EQ(ui_.shown().size(), 1);

    ui_.clear();
    EXPECT_EQ(record.checkAdmission(left, admitted, left.addDays(1)), admitted);
    EXPECT_EQ(ui_.texts(), QStringList{kDateOrderRefused});
    EXPECT_EQ(record.checkAdmission(QDateTime(), admitted, future), future);  // no discharge yet: nothing to compare

    EXPECT_EQ(stayDays(admitted, admitted.addSecs(3600)), "1");  // the same day counts one
    EXPECT_EQ(stayDays(QDateTime(QDate(2016, 3, 5), QTime(23, 0)), QDateTime(QDate(2016, 3, 6), QTime(1, 0))), "1");
    EXPECT_EQ(stayDays(admitted, left), "4");
    EXPECT_EQ(stayDays(admitted, QDateTime()), "");
}

TEST_F(FrontPageRecordTest, TheColumnListsCoverTheRowOnce) {
    const QStringList all = allColumns();
    EXPECT_EQ(all.size(), QSet<QString>(all.begin(), all.end()).size());
    store::Connection db = store::Connection::open(files(), store::DbFile::Main);
    for (const QString& c : all) EXPECT_TRUE(db.query("select " + c + " from BAJK").ok()) << c.toStdString();
    EXPECT_EQ(all.size(), 179);  // every column but ZYBH and BCRQ, which the saves write themselves
}

}  // namespace
