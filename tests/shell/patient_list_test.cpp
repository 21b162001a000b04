#include "ward_fixture.h"
#include "shell/BedList.h"
#include "shell/PatientList.h"
#include "shell/PatientSelection.h"
#include "store/Connection.h"
#include "store/SqlText.h"

#include <QRegularExpression>

namespace qh::shell {
namespace {

class PatientListTest : public test::WardFixture {
protected:
    void SetUp() override {
        WardFixture::SetUp();
        user_.department = "内科";
        user_.userName = "李医生";
    }
    QStringList texts(const PatientList& list) const {
        QStringList out;
        for (const PatientRow& r : list.rows()) out << r.text;
        return out;
    }
    UserContext user_;
};

TEST_F(PatientListTest, StatusAndDoctorFilterTheList) {
    addPatient({.name = "张三", .bed = "3"});
    addPatient({.name = "李四", .bed = " 12 ", .doctor = "王医生"});
    addPatient({.name = "王五", .status = "待结"});
    addPatient({.name = "外科人", .department = "外科"});

    PatientList list(files(), user_);
    ASSERT_TRUE(list.fill(PatientStatus::InWard, ListMode::Name));
    EXPECT_EQ(texts(list), QStringList{"3床  张三"});
    EXPECT_EQ(list.countText(), "共有患者 1 人");

    list.setOwnPatients(false);
    ASSERT_TRUE(list.fill(PatientStatus::InWard, ListMode::Diagnosis));
    EXPECT_EQ(texts(list), (QStringList{"3床  肺炎", "12床 肺炎"}));
    ASSERT_TRUE(list.fill(PatientStatus::Pending, ListMode::Name));
    EXPECT_EQ(texts(list), QStringList{"1床  王五"});
    ASSERT_TRUE(list.fill(PatientStatus::Discharged, ListMode::Name));
    EXPECT_TRUE(list.rows().isEmpty());
    EXPECT_EQ(list.countText(), "共有患者 0 人");
}

TEST_F(PatientListTest, RowsCarryIdBedTextAndAgeIcon) {
    const qint64 id = addPatient({.name = "小红", .sex = "女", .age = "3月", .bed = "101A"});
    addPatient({.name = "老王", .age = "70岁"});
    addPatient({.name = "小明", .age = "10岁"});
    addPatient({.name = "刘姐", .sex = "女", .age = "11岁"});
    PatientList list(files(), user_);
    ASSERT_TRUE(list.fill(PatientStatus::InWard, ListMode::Name));
    ASSERT_EQ(list.rows().size(), 4);
    EXPECT_EQ(list.rows()[0].id, id);
    EXPECT_EQ(list.rows()[0].text, "101A床小红");  // 6 bytes: no padding
    const int icons[] = {4, 3, 5, 0};  // months count as a child, 70 is elderly, 10 is a child
    for (int i = 0; i < 4; ++i) EXPECT_EQ(list.rows()[i].icon, icons[i]) << i;
}

TEST_F(PatientListTest, DischargedListShowsTheNewest201) {
    for (int i = 0; i < 205; ++i)
        addPatient({.name = QStringLiteral("病人%1").arg(i), .status = "出院",
                    .discharged = QStringLiteral("2016-%1-01").arg(1 + i % 12)});
    PatientList list(files(), user_);
    ASSERT_TRUE(list.fill(PatientStatus::Discharged, ListMode::Name));
    EXPECT_EQ(list.rows().size(), 201);
    EXPECT_EQ(list.countText(), "共有患者 201 人");
    // December first; within a date the higher 编号 first.
    EXPECT_TRUE(list.rows()[0].text.endsWith("病人203"));
    EXPECT_TRUE(list.rows()[1].text.endsWith("病人191"));
    // What the cap leaves out is the oldest: January's lowest numbers.
    EXPECT_TRUE(list.rows()[200].text.endsWith("病人48"));
    EXPECT_EQ(list.rowOf(1), -1);
    // A doctor's own list in the same order.
    list.setOwnPatients(true);
    ASSERT_TRUE(list.fill(PatientStatus::Discharged, ListMode::Name));
    EXPECT_TRUE(list.rows()[0].text.endsWith("病人203"));
    // The limit belongs to the discharged list only.
    for (int i = 0; i < 205; ++i) addPatient({.name = QStringLiteral("在院%1").arg(i)});
    ASSERT_TRUE(list.fill(PatientStatus::InWard, ListMode::Name));
    EXPECT_EQ(list.rows().size(), 205);
}

TEST_F(PatientListTest, SearchByInitialsDiagnosisAndNumberIgnoresStatus) {
    addPatient({.name = "张三", .diagnosis = "急性心肌梗死", .number = "A100"});
    addPatient({.name = "张四", .doctor = "王医生", .status = "出院",
                .discharged = "2016-1-1"});
    addPatient({.name = "赵六", .diagnosis = "心衰", .number = "A1000"});

    PatientList list(files(), user_);
    EXPECT_EQ(list.search(SearchKind::Name, "z"), "请选择病人来源。");
    EXPECT_TRUE(list.rows().isEmpty());

    list.setOwnPatients(false);
    ASSERT_TRUE(list.fill(PatientStatus::InWard, ListMode::Name));
    EXPECT_EQ(list.search(SearchKind::Name, " zs "), "查询到 2 人");
    EXPECT_EQ(list.search(SearchKind::Name, "张"), "查询到 2 人");
    EXPECT_EQ(list.search(SearchKind::Diagnosis, "心"), "查询到 2 人");
    EXPECT_TRUE(list.rows()[0].text.endsWith("急性心肌梗死"));
    EXPECT_EQ(list.search(SearchKind::HospitalNumber, "A100"), "查询到 1 人");
    EXPECT_EQ(list.search(SearchKind::HospitalNumber, "A10"), "查询到 0 人");

    list.setOwnPatients(true);
    EXPECT_EQ(list.search(SearchKind::Name, "ZS"), "查询到 1 人");
    EXPECT_EQ(list.countText(), "共有患者 1 人");

    // Quotes in the department or the search text neither break nor widen the query.
    addPatient({.name = "O'Neil", .department = "内'科"});
    user_.department = "内'科";
    PatientList quoted(files(), user_);
    quoted.setOwnPatients(false);
    ASSERT_TRUE(quoted.fill(PatientStatus::InWard, ListMode::Name));
    EXPECT_EQ(quoted.rows().size(), 1);
    EXPECT_EQ(quoted.search(SearchKind::Name, "x' or '1'='1"), "查询到 0 人");
}

TEST_F(PatientListTest, BeginningsFindWhatLikeFindsAndUseTheIndexes) {
    // Initials in either case, names by their first characters, texts beside the range's
    // ends, and a prefix that ends in Z or 9 (whose next character is no letter or digit).
    const char* names[] = {"张明", "张敏华", "赵宁", "张", "章", "王五", "汪六", "O'Neil", "zm小写", "Z9号", "Z_下划"};
    for (const char* n : names) addPatient({.name = QString::fromUtf8(n)});
    store::Connection db = store::Connection::open(files(), store::DbFile::Main);
    ASSERT_TRUE(db.execute("update 在院病人 set 姓名检索='zmx' where 姓名='zm小写'").ok);
    ASSERT_TRUE(db.execute("update 在院病人 set 姓名检索='Z9H' where 姓名='Z9号'").ok);
    ASSERT_TRUE(db.execute("update 在院病人 set 姓名检索='Z_X' where 姓名='Z_下划'").ok);
    auto ids = [&db](const QString& where) {
        QStringList out;
        for (const store::Row& r : db.query("select 姓名 from 在院病人 where " + where + " order by 编号")) out << r.text("姓名");
        return out;
    };
    for (const char* prefix : {"ZM", "zm", "Z", "Z9", "ZMH", "Y", "Z_", "Z%", "O'", ""})
        EXPECT_EQ(ids(beginsWith("姓名检索", QString::fromUtf8(prefix))),
                  ids("姓名检索 like '" + store::sqlText(QString::fromUtf8(prefix)) + "%'"))
            << prefix;
    for (const char* prefix : {"张", "张敏", "王", "O'N", "z", "Z9号"})
        EXPECT_EQ(ids(beginsWith("姓名", QString::fromUtf8(prefix))),
                  ids("姓名 like '" + store::sqlText(QString::fromUtf8(prefix)) + "%'"))
            << prefix;
    EXPECT_EQ(beginsWith("姓名检索", "ZM"), "姓名检索>='ZM' and 姓名检索<'ZN'");

    // The lists and searches read through their indexes: no scan of every stay, no sort.
    auto plan = [&db](const QString& sql) {
        QStringList steps;
        for (const store::Row& r : db.query("EXPLAIN QUERY PLAN " + sql)) steps << r.text("detail");
        return steps.join(" / ");
    };
    for (const QString& sql :
         {PatientList::listQuery(PatientStatus::Discharged, false, "内科", "李医生"),
          PatientList::listQuery(PatientStatus::Discharged, true, "内科", "李医生"),
          PatientList::listQuery(PatientStatus::InWard, false, "内科", "李医生"),
          PatientList::searchQuery(SearchKind::Name, false, "内科", "李医生", "ZM"),
          BedList::searchQuery("内科", "ZM")}) {
        const QString steps = plan(sql);
        EXPECT_TRUE(steps.contains("INDEX")) << steps.toStdString();
        EXPECT_FALSE(steps.contains(QRegularExpression("SCAN 在院病人$|SCAN 在院病人 /"))) << steps.toStdString();
        if (sql.contains("出院日期 DESC")) EXPECT_FALSE(steps.contains("TEMP B-TREE")) << steps.toStdString();
    }
}

TEST_F(PatientListTest, SelectionLoadsTheParticularsAndSummaryAndClearsWhenTheRowIsGone) {
    const qint64 id = addPatient({.name = "张三", .bed = "7", .number = "Z9"});
    PatientSelection selection(files());
    int changes = 0;
    QObject::connect(&selection, &PatientSelection::changed, [&] { ++changes; });
    ASSERT_TRUE(selection.select(id, PatientStatus::InWard));
    const PatientContext& patient = selection.patient();
    EXPECT_EQ(selection.id(), id);
    EXPECT_EQ(selection.listStatus(), PatientStatus::InWard);
    EXPECT_EQ(selection.serialNumber(), patient.serialNumber);
    EXPECT_EQ(patient.name, "张三");
    EXPECT_EQ(patient.value("住院号"), "Z9");
    EXPECT_FALSE(patient.serialNumber.isEmpty());
    EXPECT_EQ(patient.admissionDate, "2016年3月5日8时30分");
    const QStringList lines = PatientList::summary(patient).split('\n');
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[0], "【姓  名】张三");
    EXPECT_EQ(lines[4], "【床  号】7床");
    EXPECT_EQ(lines[9], "【医疗证号】YB001");

    // Selecting a row that is gone leaves the selection as it was.
    EXPECT_FALSE(selection.select(id + 100, PatientStatus::InWard));
    EXPECT_EQ(selection.patient().name, "张三");
    EXPECT_EQ(changes, 1);

    // Read again after a save; a row deleted meanwhile clears the selection.
    exec(QStringLiteral("update 在院病人 set 姓名='张叁' where 编号=%1").arg(id));
    ASSERT_TRUE(selection.reload());
    EXPECT_EQ(selection.patient().name, "张叁");
    exec(QStringLiteral("delete from 在院病人 where 编号=%1").arg(id));
    EXPECT_FALSE(selection.reload());
    EXPECT_TRUE(selection.isEmpty());
    EXPECT_TRUE(selection.patient().name.isEmpty());
    EXPECT_EQ(changes, 3);
}

TEST_F(PatientListTest, OneChangedRowIsReadAgainOrLeavesTheListItNoLongerBelongsTo) {
    const qint64 first = addPatient({.name = "张三", .bed = "3"});
    const qint64 second = addPatient({.name = "李四", .bed = "4"});
    PatientList list(files(), user_);
    ASSERT_TRUE(list.fill(PatientStatus::InWard, ListMode::Name));
    ASSERT_EQ(list.rows().size(), 2);

    exec(QStringLiteral("update 在院病人 set 姓名='张叁', 床号='9' where 编号=%1").arg(first));
    EXPECT_EQ(list.refreshRow(first), PatientList::RowChange::Updated);
    EXPECT_EQ(texts(list), (QStringList{"9床  张叁", "4床  李四"}));

    // Another doctor now: the own-patients list no longer shows the row.
    exec(QStringLiteral("update 在院病人 set 主管医生='王医生' where 编号=%1").arg(second));
    EXPECT_EQ(list.refreshRow(second), PatientList::RowChange::Removed);
    EXPECT_EQ(texts(list), QStringList{"9床  张叁"});
    EXPECT_EQ(list.countText(), "共有患者 1 人");
    EXPECT_EQ(list.refreshRow(second), PatientList::RowChange::NotListed);
}

TEST_F(PatientListTest, BedListSortsInWardPatientsByBedNumberAndNarrowsByInitials) {
    addPatient({.name = "张三", .bed = "12"});
    // Earlier stays in the same beds are no longer in them.
    addPatient({.name = "张旧", .bed = "12", .status = "出院", .discharged = "2016-2-1"});
    addPatient({.name = "李待", .bed = "2", .status = "待结"});
    addPatient({.name = "李四", .sex = "女", .bed = "2"});
    addPatient({.name = "赵六", .bed = "加1"});
    addPatient({.name = "外科", .bed = "1", .department = "外科"});
    BedList beds(files(), "内科");
    ASSERT_TRUE(beds.fill());
    ASSERT_EQ(beds.rows().size(), 3);
    EXPECT_EQ(beds.rows()[0].text, "加1床 男 赵六");  // Val gives 0
    EXPECT_EQ(beds.rows()[1].text, "2床   女 李四");
    EXPECT_EQ(beds.rows()[2].text, "12床  男 张三");
    EXPECT_GT(beds.rows()[2].serial, 0);

    beds.setTicked(2, true);
    beds.setTicked(0, true);
    EXPECT_EQ(beds.tickedSerials(), (QVector<qint64>{beds.rows()[0].serial, beds.rows()[2].serial}));

    ASSERT_TRUE(beds.fill("zs"));
    ASSERT_EQ(beds.rows().size(), 1);
    EXPECT_TRUE(beds.rows()[0].text.endsWith("张三"));
}

}  // namespace
}  // namespace qh::shell
