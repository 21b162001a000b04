#include "patients/PatientInfo.h"
#include "patients_fixture.h"

namespace qh::test {
namespace {

using patients::Particulars;
using PatientInfoTest = PatientsFixture;

TEST(PatientInfo, DateTextsOfEitherFormBecomePickerDates) {
    shell::PatientContext c;
    c.admissionDate = "2016年3月5日8时30分";
    c.birthDate = "1976-2-3";
    Particulars p = patients::particularsOf(c);
    EXPECT_EQ(p.admissionDate, QDateTime(QDate(2016, 3, 5), QTime(8, 30)));
    EXPECT_EQ(p.birthDate, QDate(1976, 2, 3));
    c.birthDate.clear();
    EXPECT_FALSE(patients::particularsOf(c).birthDate.isValid());
}

TEST_F(PatientInfoTest, SavingMovesThePatientIntoTheLoggedInDepartmentAndAllowsDuplicateNumbers) {
    const qint64 other = addPatient({QStringLiteral("甲"), "男", "40岁", "肺炎", "1", "N1"});
    const qint64 id = addPatient({QStringLiteral("乙"), "女", "30岁", "肺炎", "2", "N2", "外科", "陈医生"});
    Particulars p;
    p.name = QStringLiteral("乙'二");
    p.address = QStringLiteral("O'Neil 路");
    p.admissionNumber = QStringLiteral("N1");  // no uniqueness check here
    p.admissionDate = QDateTime(QDate(2016, 12, 1), QTime(0, 0));
    ASSERT_TRUE(patients::saveParticulars(files(), p, id, user_, ui_));
    EXPECT_EQ(ui_.texts(), QStringList{"病人信息修改成功"});
    expectColumns(id, {{"科室", "内科"}, {"姓名", "乙'二"}, {"住址", "O'Neil 路"}, {"住院号", "N1"}, {"月部分", "12月"},
                       {"出生日期", ""}});  // an empty picker stays empty
    expectColumns(other, {{"姓名", "甲"}, {"住址", "河东路1号"}});  // only the one row

    // A row deleted meanwhile is not reported as saved.
    exec("delete from 在院病人 where 编号=" + QString::number(id));
    EXPECT_FALSE(patients::saveParticulars(files(), p, id, user_, ui_));
    EXPECT_EQ(ui_.lastText(), "病人信息修改失败\r\n请正确填写一般信息。");
}

}  // namespace
}  // namespace qh::test
