#include "common/DateText.h"
#include "patients/Admission.h"
#include "patients/PickLists.h"
#include "PatientsFixture.h"

namespace qh::test {
namespace {

using patients::Admission;
using patients::AdmissionForm;

class AdmissionTest : public PatientsFixture {
protected:
    static AdmissionForm form(const QString& name, const QString& number) {
        AdmissionForm f;
        f.name = name;
        f.doctor = QStringLiteral("王医生");
        f.ageNumber = QStringLiteral("3");
        f.ageUnit = QStringLiteral("月");
        f.admissionNumber = number;
        f.sex = QStringLiteral("女");
        f.admissionDate = QDateTime(QDate(2016, 5, 10), QTime(8, 30));
        f.birthDate = QDate(2016, 2, 10);
        f.systolic = QStringLiteral("120");
        f.diastolic = QStringLiteral("80");
        f.bed = QStringLiteral("12");
        return f;
    }
    Admission::Outcome admit(const AdmissionForm& f) { return Admission(user_, ui_).admit(f); }
};

TEST_F(AdmissionTest, RegistersEveryFieldAsTypedWithTheLoggedInDepartment) {
    AdmissionForm f = form(QStringLiteral("张'三"), QStringLiteral("A001"));
    f.address = QStringLiteral("河东路'1号");
    f.complaint = QStringLiteral("头晕'3天");
    f.diagnosis = QStringLiteral("高血压");
    Admission admission(user_, ui_);
    ASSERT_EQ(admission.admit(f), Admission::Outcome::Registered);
    EXPECT_EQ(ui_.texts(), QStringList{patients::kAdmissionDone});

    const qint64 id = admission.patientId();
    EXPECT_EQ(column(id, "姓名"), QStringLiteral("张'三"));
    EXPECT_EQ(column(id, "住址"), QStringLiteral("河东路'1号"));
    EXPECT_EQ(column(id, "主诉"), QStringLiteral("头晕'3天"));
    EXPECT_EQ(column(id, "姓名检索"), QStringLiteral("Z"));  // the quote and 三 split the byte pairs
    EXPECT_EQ(column(id, "年龄"), QStringLiteral("3月"));
    EXPECT_EQ(column(id, "血压"), QStringLiteral("120/80"));
    EXPECT_EQ(column(id, "科室"), QStringLiteral("内科"));
    EXPECT_EQ(column(id, "主管医生"), QStringLiteral("王医生"));
    EXPECT_EQ(column(id, "状态"), QStringLiteral("在院"));
    EXPECT_EQ(column(id, "入院日期"), QStringLiteral("2016-05-10 08:30:00"));
    EXPECT_EQ(column(id, "出生日期"), QStringLiteral("2016年2月10日"));
    // Statistics by admission date count the patient from the day of admission.
    EXPECT_EQ(column(id, "日期部分"), QStringLiteral("2016-05-10 09:07:02"));
    EXPECT_EQ(column(id, "月部分"), QStringLiteral("5月"));
    EXPECT_EQ(column(id, "住院编号"), admission.serialNumber());
}

TEST_F(AdmissionTest, SerialNumberIsTheKeyOfItsOwnZyidRow) {
    ASSERT_EQ(admit(form(QStringLiteral("甲"), QStringLiteral("1"))), Admission::Outcome::Registered);
    ASSERT_EQ(admit(form(QStringLiteral("乙"), QStringLiteral("2"))), Admission::Outcome::Registered);
    EXPECT_EQ(count("select count(1) from 在院病人 where CAST(住院编号 AS INTEGER) = "
                    "(select min(sid) from ZYID) + 1 and 姓名='乙'"),
              1);  // consecutive serials

    // Another workstation inserting right after ours must not hand us its number.
    exec("CREATE TRIGGER other_station AFTER INSERT ON ZYID WHEN NEW.zybh='zybh' "
         "BEGIN INSERT INTO ZYID (zybh) values ('other'); END");
    Admission admission(user_, ui_);
    ASSERT_EQ(admission.admit(form(QStringLiteral("丙"), QStringLiteral("3"))), Admission::Outcome::Registered);
    EXPECT_EQ(count("select count(1) from ZYID where zybh='other' and sid=" + admission.serialNumber()), 0);
    EXPECT_EQ(count("select count(1) from ZYID where zybh='zybh' and sid=" + admission.serialNumber()), 1);
}

TEST_F(AdmissionTest, MissingRequiredFieldsAreRefusedAndNothingIsWritten) {
    for (auto blank : {&AdmissionForm::name, &AdmissionForm::ageNumber, &AdmissionForm::admissionNumber,
                       &AdmissionForm::sex}) {
        AdmissionForm f = form(QStringLiteral("张三"), QStringLiteral("9"));
        f.*blank = QStringLiteral("  ");
        EXPECT_EQ(admit(f), Admission::Outcome::Incomplete);
        EXPECT_EQ(ui_.lastText(), patients::kAdmissionIncomplete);
    }
    EXPECT_EQ(count("select count(1) from 在院病人"), 0);
    EXPECT_EQ(count("select count(1) from ZYID"), 0);
}

TEST_F(AdmissionTest, HospitalisationNumbersCompareAsText) {
    ASSERT_EQ(admit(form(QStringLiteral("甲"), QStringLiteral("0001"))), Admission::Outcome::Registered);
    EXPECT_EQ(admit(form(QStringLiteral("乙"), QStringLiteral("1"))), Admission::Outcome::Registered);
    ui_.clear();
    EXPECT_EQ(admit(form(QStringLiteral("丙"), QStringLiteral("0001"))), Admission::Outcome::Duplicate);
    EXPECT_EQ(ui_.texts(), QStringList{patients::kAdmissionDuplicate});
    EXPECT_EQ(admit(form(QStringLiteral("丁"), QStringLiteral("x' or '1'='1"))), Admission::Outcome::Registered);
    EXPECT_EQ(count("select count(1) from 在院病人"), 3);
}

TEST_F(AdmissionTest, FailedPatientInsertIsReported) {
    failOn("INSERT", "在院病人");
    ui_.clear();
    EXPECT_EQ(admit(form(QStringLiteral("甲"), QStringLiteral("1"))), Admission::Outcome::Failed);
    EXPECT_EQ(ui_.texts(), QStringList{patients::kAdmissionFailed});
    EXPECT_EQ(count("select count(1) from 在院病人"), 0);
}

TEST_F(AdmissionTest, OpeningFillsTheListsAndReportsALostMainDatabase) {
    patients::AdmissionLists lists = Admission(user_, ui_).openLists();
    EXPECT_TRUE(lists.mainOpened);
    EXPECT_EQ(lists.doctors, (QStringList{"李医生", "王医生"}));
    EXPECT_EQ(lists.occupations, (QStringList{"农民", "工人"}));
    EXPECT_EQ(lists.diagnoses, QStringList{"原发性高血压"});
    EXPECT_TRUE(ui_.texts().isEmpty());

    hideMainDatabase();
    lists = Admission(user_, ui_).openLists();
    EXPECT_FALSE(lists.mainOpened);
    EXPECT_EQ(ui_.texts(), QStringList{patients::kServerLoginFailed});
    EXPECT_TRUE(lists.doctors.isEmpty());
    EXPECT_EQ(lists.addresses, QStringList{"青禾镇东街"});
    EXPECT_EQ(lists.complaints, QStringList{"头晕3天"});
    // Validation with the file gone stops without a word.
    ui_.clear();
    EXPECT_EQ(admit(form(QStringLiteral("甲"), QStringLiteral("1"))), Admission::Outcome::NotOpened);
    EXPECT_TRUE(ui_.texts().isEmpty());
}

TEST(AdmissionDates, BirthDateCountsBackInTheChosenUnit) {
    const QDate admitted(2016, 5, 10);
    EXPECT_EQ(dates::birthDateFromAge(admitted, "3", "月"), QDate(2016, 2, 10));
    EXPECT_EQ(dates::birthDateFromAge(admitted, "3.9", "岁"), QDate(2013, 5, 10));
    EXPECT_EQ(dates::birthDateFromAge(admitted, "10", "天"), QDate(2016, 4, 30));
}

TEST_F(AdmissionTest, DiagnosisSearchMatchesInitialsOrNameAndKeepsQuotes) {
    EXPECT_EQ(patients::searchDiagnoses("GX"), (QStringList{"高血压", "冠心病"}));
    EXPECT_EQ(patients::searchDiagnoses("肺"), QStringList{"肺炎"});
    EXPECT_EQ(patients::searchDiagnoses("O'Neil"), QStringList{"糖尿病 O'Neil型"});
}

}  // namespace
}  // namespace qh::test
