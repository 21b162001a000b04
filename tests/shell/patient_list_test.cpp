#include "WardFixture.h"
#include "shell/BedList.h"
#include "shell/PatientList.h"

namespace qh::shell {
namespace {

class PatientListTest : public test::WardFixture {
protected:
    void SetUp() override {
        WardFixture::SetUp();
        user_.department = QStringLiteral("内科");
        user_.userName = QStringLiteral("李医生");
    }
    QStringList texts(const PatientList& list) const {
        QStringList out;
        for (const PatientRow& r : list.rows()) out << r.text;
        return out;
    }
    UserContext user_;
};

TEST_F(PatientListTest, StatusAndDoctorFilterTheList) {
    addPatient({.name = QStringLiteral("张三"), .bed = QStringLiteral("3")});
    addPatient({.name = QStringLiteral("李四"), .bed = QStringLiteral(" 12 "), .doctor = QStringLiteral("王医生")});
    addPatient({.name = QStringLiteral("王五"), .status = QStringLiteral("待结")});
    addPatient({.name = QStringLiteral("外科人"), .department = QStringLiteral("外科")});

    PatientList list(user_);
    ASSERT_TRUE(list.fill(PatientStatus::InWard, ListMode::Name));
    EXPECT_EQ(texts(list), QStringList{QStringLiteral("3床  张三")});
    EXPECT_EQ(list.countText(), QStringLiteral("共有患者 1 人"));

    list.setOwnPatients(false);
    ASSERT_TRUE(list.fill(PatientStatus::InWard, ListMode::Diagnosis));
    EXPECT_EQ(texts(list), (QStringList{QStringLiteral("3床  肺炎"), QStringLiteral("12床 肺炎")}));
    ASSERT_TRUE(list.fill(PatientStatus::Pending, ListMode::Name));
    EXPECT_EQ(texts(list), QStringList{QStringLiteral("1床  王五")});
    ASSERT_TRUE(list.fill(PatientStatus::Discharged, ListMode::Name));
    EXPECT_TRUE(list.rows().isEmpty());
    EXPECT_EQ(list.countText(), QStringLiteral("共有患者 0 人"));
}

TEST_F(PatientListTest, RowsCarryIdBedTextAndAgeIcon) {
    const qint64 id = addPatient({.name = QStringLiteral("小红"), .sex = QStringLiteral("女"), .age = QStringLiteral("3月"),
                                  .bed = QStringLiteral("101A")});
    addPatient({.name = QStringLiteral("老王"), .age = QStringLiteral("70岁")});
    addPatient({.name = QStringLiteral("小明"), .age = QStringLiteral("10岁")});
    addPatient({.name = QStringLiteral("刘姐"), .sex = QStringLiteral("女"), .age = QStringLiteral("11岁")});
    PatientList list(user_);
    ASSERT_TRUE(list.fill(PatientStatus::InWard, ListMode::Name));
    ASSERT_EQ(list.rows().size(), 4);
    EXPECT_EQ(list.rows()[0].id, id);
    EXPECT_EQ(list.rows()[0].text, QStringLiteral("101A床小红"));  // 6 bytes: no padding
    EXPECT_EQ(list.rows()[0].icon, 4);                               // months count as a child
    EXPECT_EQ(list.rows()[1].icon, 3);                               // 70 is elderly
    EXPECT_EQ(list.rows()[2].icon, 5);                               // 10 is a child
    EXPECT_EQ(list.rows()[3].icon, 0);
}

TEST_F(PatientListTest, DischargedListIsOrderedByDateAndStopsAt201) {
    for (int i = 0; i < 205; ++i)
        addPatient({.name = QStringLiteral("病人%1").arg(i), .status = QStringLiteral("出院"),
                    .discharged = QStringLiteral("2016-%1-01").arg(1 + i % 12)});
    PatientList list(user_);
    ASSERT_TRUE(list.fill(PatientStatus::Discharged, ListMode::Name));
    EXPECT_EQ(list.rows().size(), 201);
    EXPECT_EQ(list.countText(), QStringLiteral("共有患者 201 人"));
    // January first; within a date the higher 编号 first.
    EXPECT_TRUE(list.rows()[0].text.endsWith(QStringLiteral("病人204")));
    EXPECT_TRUE(list.rows()[1].text.endsWith(QStringLiteral("病人192")));
    // The limit belongs to the discharged list only.
    for (int i = 0; i < 205; ++i) addPatient({.name = QStringLiteral("在院%1").arg(i)});
    ASSERT_TRUE(list.fill(PatientStatus::InWard, ListMode::Name));
    EXPECT_EQ(list.rows().size(), 205);
}

TEST_F(PatientListTest, SearchByInitialsDiagnosisAndNumberIgnoresStatus) {
    addPatient({.name = QStringLiteral("张三"), .diagnosis = QStringLiteral("急性心肌梗死"), .number = QStringLiteral("A100")});
    addPatient({.name = QStringLiteral("张四"), .doctor = QStringLiteral("王医生"), .status = QStringLiteral("出院"),
                .discharged = QStringLiteral("2016-1-1")});
    addPatient({.name = QStringLiteral("赵六"), .diagnosis = QStringLiteral("心衰"), .number = QStringLiteral("A1000")});

    PatientList list(user_);
    EXPECT_EQ(list.search(SearchKind::Name, QStringLiteral("z")), QStringLiteral("请选择病人来源。"));
    EXPECT_TRUE(list.rows().isEmpty());

    list.setOwnPatients(false);
    ASSERT_TRUE(list.fill(PatientStatus::InWard, ListMode::Name));
    EXPECT_EQ(list.search(SearchKind::Name, QStringLiteral(" zs ")), QStringLiteral("查询到 2 人"));
    EXPECT_EQ(list.search(SearchKind::Name, QStringLiteral("张")), QStringLiteral("查询到 2 人"));
    EXPECT_EQ(list.search(SearchKind::Diagnosis, QStringLiteral("心")), QStringLiteral("查询到 2 人"));
    EXPECT_TRUE(list.rows()[0].text.endsWith(QStringLiteral("急性心肌梗死")));
    EXPECT_EQ(list.search(SearchKind::HospitalNumber, QStringLiteral("A100")), QStringLiteral("查询到 1 人"));
    EXPECT_EQ(list.search(SearchKind::HospitalNumber, QStringLiteral("A10")), QStringLiteral("查询到 0 人"));

    list.setOwnPatients(true);
    EXPECT_EQ(list.search(SearchKind::Name, QStringLiteral("ZS")), QStringLiteral("查询到 1 人"));
    EXPECT_EQ(list.countText(), QStringLiteral("共有患者 1 人"));
}

TEST_F(PatientListTest, QuotesInValuesNeitherBreakNorWidenTheQuery) {
    addPatient({.name = QStringLiteral("O'Neil"), .department = QStringLiteral("内'科")});
    addPatient({.name = QStringLiteral("张三")});
    user_.department = QStringLiteral("内'科");
    PatientList list(user_);
    list.setOwnPatients(false);
    ASSERT_TRUE(list.fill(PatientStatus::InWard, ListMode::Name));
    EXPECT_EQ(list.rows().size(), 1);
    EXPECT_EQ(list.search(SearchKind::Name, QStringLiteral("x' or '1'='1")), QStringLiteral("查询到 0 人"));
}

TEST_F(PatientListTest, LoadPatientFillsContextAndSummary) {
    const qint64 id = addPatient({.name = QStringLiteral("张三"), .bed = QStringLiteral("7"), .number = QStringLiteral("Z9")});
    PatientContext patient;
    ASSERT_TRUE(PatientList::loadPatient(id, patient));
    EXPECT_EQ(patient.name, QStringLiteral("张三"));
    EXPECT_EQ(patient.value(QStringLiteral("住院号")), QStringLiteral("Z9"));
    EXPECT_FALSE(patient.serialNumber.isEmpty());
    EXPECT_EQ(patient.admissionDate, QStringLiteral("2016年3月5日8时30分"));
    const QStringList lines = PatientList::summary(patient).split('\n');
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines[0], QStringLiteral("【姓  名】张三"));
    EXPECT_EQ(lines[4], QStringLiteral("【床  号】7床"));
    EXPECT_EQ(lines[9], QStringLiteral("【医疗证号】YB001"));

    // A row that is gone leaves the context as it was.
    EXPECT_FALSE(PatientList::loadPatient(id + 100, patient));
    EXPECT_EQ(patient.name, QStringLiteral("张三"));
}

TEST_F(PatientListTest, BedListSortsByBedNumberAndNarrowsByInitials) {
    addPatient({.name = QStringLiteral("张三"), .bed = QStringLiteral("12")});
    addPatient({.name = QStringLiteral("李四"), .sex = QStringLiteral("女"), .bed = QStringLiteral("2")});
    addPatient({.name = QStringLiteral("赵六"), .bed = QStringLiteral("加1")});
    addPatient({.name = QStringLiteral("外科"), .bed = QStringLiteral("1"), .department = QStringLiteral("外科")});
    BedList beds(QStringLiteral("内科"));
    ASSERT_TRUE(beds.fill());
    ASSERT_EQ(beds.rows().size(), 3);
    EXPECT_EQ(beds.rows()[0].text, QStringLiteral("加1床 男 赵六"));  // Val gives 0
    EXPECT_EQ(beds.rows()[1].text, QStringLiteral("2床   女 李四"));
    EXPECT_EQ(beds.rows()[2].text, QStringLiteral("12床  男 张三"));
    EXPECT_GT(beds.rows()[2].serial, 0);

    beds.setTicked(2, true);
    beds.setTicked(0, true);
    EXPECT_EQ(beds.tickedSerials(), (QVector<qint64>{beds.rows()[0].serial, beds.rows()[2].serial}));

    ASSERT_TRUE(beds.fill(QStringLiteral("ZS")));
    ASSERT_EQ(beds.rows().size(), 1);
    EXPECT_TRUE(beds.rows()[0].text.endsWith(QStringLiteral("张三")));
}

}  // namespace
}  // namespace qh::shell
