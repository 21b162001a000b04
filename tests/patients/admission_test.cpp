#include "common/DateText.h"
#include "patients/Admission.h"
#include "patients/PickLists.h"
#include "patients_fixture.h"

namespace qh::test {
namespace {

using patients::Admission;
using patients::AdmissionForm;

class AdmissionTest : public PatientsFixture {
protected:
    static AdmissionForm form(const QString& name, const QString& number) {
        AdmissionForm f;
        f.name = name;
        f.doctor = "王医生";
        f.ageNumber = "3";
        f.ageUnit = "月";
        f.admissionNumber = number;
        f.sex = "女";
        f.admissionDate = QDateTime(QDate(2016, 5, 10), QTime(8, 30));
        f.birthDate = QDate(2016, 2, 10);
        f.systolic = "120";
        f.diastolic = "80";
        f.bed = name + number;  // a bed of its own, unless a test shares one
        return f;
    }
    Admission::Outcome admit(const AdmissionForm& f) { return Admission(files(), user_, ui_).admit(f); }
};

TEST_F(AdmissionTest, RegistersEveryFieldAsTypedWithTheLoggedInDepartment) {
    AdmissionForm f = form("张'三", "A001");
    f.address = "河东路'1号";
    f.complaint = "头晕'3天";
    f.diagnosis = "高血压";
    Admission admission(files(), user_, ui_);
    ASSERT_EQ(admission.admit(f), Admission::Outcome::Registered);
    EXPECT_EQ(ui_.texts(), QStringList{"病人登记成功"});
    // 姓名检索: the quote and 三 split the byte pairs. 日期部分 counts the patient from the day of admission.
    expectColumns(admission.patientId(),
                  {{"姓名", "张'三"}, {"住址", "河东路'1号"}, {"主诉", "头晕'3天"}, {"姓名检索", "Z"},
                   {"年龄", "3月"}, {"血压", "120/80"}, {"科室", "内科"}, {"主管医生", "王医生"}, {"状态", "在院"},
                   {"入院日期", "2016-05-10 08:30:00"}, {"出生日期", "2016年2月10日"},
                   {"日期部分", "2016-05-10 09:07:02"}, {"月部分", "5月"}});
    EXPECT_EQ(column(admission.patientId(), "住院编号"), admission.serialNumber());
}

TEST_F(AdmissionTest, SerialNumberIsTheKeyOfItsOwnZyidRow) {
    ASSERT_EQ(admit(form("甲", "1")), Admission::Outcome::Registered);
    ASSERT_EQ(admit(form("乙", "2")), Admission::Outcome::Registered);
    EXPECT_EQ(count("select count(1) from 在院病人 where CAST(住院编号 AS INTEGER) = "
                    "(select min(sid) from ZYID) + 1 and 姓名='乙'"),
              1);  // consecutive serials

    // Another workstation inserting right after ours must not hand us its number.
    exec("CREATE TRIGGER other_station AFTER INSERT ON ZYID WHEN NEW.zybh='zybh' "
         "BEGIN INSERT INTO ZYID (zybh) values ('other'); END");
    Admission admission(files(), user_, ui_);
    ASSERT_EQ(admission.admit(form("丙", "3")), Admission::Outcome::Registered);
    EXPECT_EQ(count("select count(1) from ZYID where zybh='other' and sid=" + admission.serialNumber()), 0);
    EXPECT_EQ(count("select count(1) from ZYID where zybh='zybh' and sid=" + admission.serialNumber()), 1);
}

TEST_F(AdmissionTest, IncompleteFormsAndAFailedInsertWriteNothing) {
    for (auto blank : {&AdmissionForm::name, &AdmissionForm::ageNumber, &AdmissionForm::admissionNumber,
                       &AdmissionForm::sex}) {
        AdmissionForm f = form("张三", "9");
        f.*blank = "  ";
        EXPECT_EQ(admit(f), Admission::Outcome::Incomplete);
        EXPECT_EQ(ui_.lastText(), patients::kAdmissionIncomplete);
    }
    EXPECT_EQ(ui_.lastText(), "你输入的患者信息缺失，登记失败！\r\n\r\n    请检查后重新输入！");
    EXPECT_EQ(count("select count(1) from ZYID"), 0);

    // The serial number and the patient row are one change: a refused patient row leaves
    // no ZYID row behind either.
    failOn("INSERT", "在院病人");
    ui_.clear();
    EXPECT_EQ(admit(form("甲", "1")), Admission::Outcome::Failed);
    EXPECT_EQ(ui_.texts(), QStringList{"病人登记失败!"});
    EXPECT_EQ(count("select count(1) from 在院病人"), 0);
    EXPECT_EQ(count("select count(1) from ZYID"), 0);
}

TEST_F(AdmissionTest, OnlyTheDepartmentsDoctorsAreAttendingAndTheFocusGoesToWhatToCorrect) {
    addUser("赵护士", "内科", "1");
    exec("update 用户 set 级别='护师' where 用户='赵护士'");
    Admission admission(files(), user_, ui_);
    EXPECT_EQ(admission.openLists().doctors, (QStringList{"李医生", "王医生"}));
    for (const char* doctor : {"45", "赵护士", "陈医生"}) {  // typed, a nurse, another department's
        AdmissionForm f = form("甲", "1");
        f.doctor = doctor;
        ui_.clear();
        EXPECT_EQ(admission.admit(f), Admission::Outcome::Incomplete) << doctor;
        EXPECT_EQ(admission.fieldToCorrect(), patients::AdmissionField::Doctor);
        EXPECT_EQ(ui_.texts(), QStringList{patients::kAdmissionUnknownDoctor});
    }
    AdmissionForm f = form("甲", "1");
    f.doctor.clear();  // no attending doctor yet is allowed
    f.ageNumber.clear();
    f.sex.clear();
    EXPECT_EQ(admission.admit(f), Admission::Outcome::Incomplete);
    EXPECT_EQ(admission.fieldToCorrect(), patients::AdmissionField::Age);  // the first missing one
    f.ageNumber = "40";
    f.sex = "男";
    EXPECT_EQ(admission.admit(f), Admission::Outcome::Registered);
    EXPECT_EQ(admission.fieldToCorrect(), patients::AdmissionField::None);
    EXPECT_EQ(count("select count(1) from 在院病人"), 1);
}

TEST_F(AdmissionTest, AnOccupiedBedIsAskedAboutNamingItsPatient) {
    addPatient({.name = "旧病人", .bed = " 12"});
    addPatient({.name = "出院者", .bed = "15", .status = "出院", .discharged = "2016-2-1"});
    addPatient({.name = "外科病人", .bed = "16", .department = "外科"});
    AdmissionForm f = form("甲", "1");
    f.bed = "12";
    Admission admission(files(), user_, ui_);
    ui_.answerMessageDialog(0);
    EXPECT_EQ(admission.admit(f), Admission::Outcome::Incomplete);
    EXPECT_EQ(admission.fieldToCorrect(), patients::AdmissionField::Bed);
    EXPECT_EQ(ui_.texts(), QStringList{patients::occupiedBedQuestion("12", "旧病人")});
    EXPECT_TRUE(ui_.lastText().contains("12") && ui_.lastText().contains("旧病人"));
    EXPECT_EQ(count("select count(1) from 在院病人 where 姓名='甲'"), 0);
    ui_.answerMessageDialog(1);
    EXPECT_EQ(admission.admit(f), Admission::Outcome::Registered);
    // A discharged patient's bed and another department's bed are free.
    ui_.clear();
    for (const char* bed : {"15", "16"}) {
        AdmissionForm g = form(bed, bed);
        g.bed = bed;
        EXPECT_EQ(admit(g), Admission::Outcome::Registered);
    }
    EXPECT_EQ(ui_.texts(), (QStringList{"病人登记成功", "病人登记成功"}));
}

TEST_F(AdmissionTest, HospitalisationNumbersCompareAsText) {
    ASSERT_EQ(admit(form("甲", "0001")), Admission::Outcome::Registered);
    EXPECT_EQ(admit(form("乙", "1")), Admission::Outcome::Registered);
    ui_.clear();
    EXPECT_EQ(admit(form("丙", "0001")), Admission::Outcome::Duplicate);
    EXPECT_EQ(ui_.texts(), QStringList{"你输入的住院号与以往重复。\r\n\r\n    请检查后重新输入！"});
    EXPECT_EQ(count("select count(1) from ZYID"), 2);  // a refused number takes no serial
    EXPECT_EQ(admit(form("丁", "x' or '1'='1")), Admission::Outcome::Registered);
    EXPECT_EQ(count("select count(1) from 在院病人"), 3);
}

TEST_F(AdmissionTest, ListsAndDiagnosisSearchFillAndALostMainDatabaseIsReported) {
    patients::AdmissionLists lists = Admission(files(), user_, ui_).openLists();
    EXPECT_TRUE(lists.mainOpened);
    EXPECT_EQ(lists.doctors, (QStringList{"李医生", "王医生"}));
    EXPECT_EQ(lists.occupations, (QStringList{"农民", "工人"}));
    EXPECT_EQ(lists.diagnoses, QStringList{"原发性高血压"});
    EXPECT_TRUE(ui_.texts().isEmpty());
    // The code table matches initials or name and keeps quotes.
    EXPECT_EQ(patients::searchDiagnoses(files(), "GX"), (QStringList{"高血压", "冠心病"}));
    EXPECT_EQ(patients::searchDiagnoses(files(), "肺"), QStringList{"肺炎"});
    EXPECT_EQ(patients::searchDiagnoses(files(), "O'Neil"), QStringList{"糖尿病 O'Neil型"});

    hideMainDatabase();
    lists = Admission(files(), user_, ui_).openLists();
    EXPECT_FALSE(lists.mainOpened);
    EXPECT_EQ(ui_.texts(), QStringList{"服务器登录失败\r请确认服务器连接真确或服务器开启。"});
    EXPECT_TRUE(lists.doctors.isEmpty());
    EXPECT_EQ(lists.addresses, QStringList{"青禾镇东街"});
    EXPECT_EQ(lists.complaints, QStringList{"头晕3天"});
    // Validation with the file gone stops without a word.
    ui_.clear();
    EXPECT_EQ(admit(form("甲", "1")), Admission::Outcome::NotOpened);
    EXPECT_TRUE(ui_.texts().isEmpty());
}

TEST(AdmissionDates, BirthDateCountsBackInTheChosenUnit) {
    const QDate admitted(2016, 5, 10);
    EXPECT_EQ(dates::birthDateFromAge(admitted, "3", "月"), QDate(2016, 2, 10));
    EXPECT_EQ(dates::birthDateFromAge(admitted, "3.9", "岁"), QDate(2013, 5, 10));
    EXPECT_EQ(dates::birthDateFromAge(admitted, "10", "天"), QDate(2016, 4, 30));
}

}  // namespace
}  // namespace qh::test
