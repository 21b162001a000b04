#include "patients/StatusTransitions.h"
#include "patients_fixture.h"

namespace qh::test {
namespace {

using patients::DischargeChoice;
using patients::StatusTransitions;
using patients::TransitionOutcome;
using shell::PatientStatus;

class StatusTest : public PatientsFixture {
protected:
    void SetUp() override {
        PatientsFixture::SetUp();
        if (HasFatalFailure()) return;
        id_ = addPatient({QStringLiteral("张三")});
        patient_.name = QStringLiteral("张三");
        patient_.doctor = QStringLiteral("李医生");
        patient_.serialNumber = column(id_, "住院编号");
        transitions_.setBeforeChange([this] { ++offers_; });
    }
    static std::function<std::optional<DischargeChoice>()> answer(std::optional<DischargeChoice> c) {
        return [c] { return c; };
    }
    QString state() { return column(id_, "状态"); }

    qint64 id_ = 0;
    int offers_ = 0;
    shell::PatientContext patient_;
    StatusTransitions transitions_{user_, ui_};
};

TEST_F(StatusTest, PendingWritesNowAndIsRefusedFromThePendingList) {
    // Nothing selected does nothing.
    EXPECT_EQ(transitions_.setPending(PatientStatus::InWard, 0, ""), TransitionOutcome::Cancelled);
    EXPECT_EQ(transitions_.deletePatient(PatientStatus::InWard, 0, patient_), TransitionOutcome::Cancelled);
    EXPECT_TRUE(ui_.texts().isEmpty());
    EXPECT_EQ(patients::recordedDischargeDate(id_), std::nullopt);

    EXPECT_EQ(transitions_.setPending(PatientStatus::Pending, id_, "张三"), TransitionOutcome::Refused);
    EXPECT_EQ(ui_.texts(), QStringList{patients::kChooseInWardPatient});
    EXPECT_EQ(offers_, 0);
    EXPECT_EQ(state(), "在院");

    ui_.clear();
    EXPECT_EQ(transitions_.setPending(PatientStatus::InWard, id_, "张三"), TransitionOutcome::Done);
    EXPECT_EQ(ui_.texts(), QStringList{"患者张三待结账成功"});
    EXPECT_EQ(offers_, 1);
    EXPECT_EQ(state(), "待结");
    EXPECT_EQ(column(id_, "出院日期"), "2016-05-10 09:07:02");
    EXPECT_EQ(patients::recordedDischargeDate(id_), QDate(2016, 5, 10));  // where the discharge dialog starts

    // From the discharged list it moves back to pending and the date becomes now again.
    ASSERT_EQ(transitions_.discharge(PatientStatus::Pending, id_, "张三", answer(DischargeChoice{{2016, 5, 12}, "88"})),
              TransitionOutcome::Done);
    Clock::set([] { return QDateTime(QDate(2016, 6, 1), QTime(10, 0, 0)); });
    EXPECT_EQ(transitions_.setPending(PatientStatus::Discharged, id_, "张三"), TransitionOutcome::Done);
    EXPECT_EQ(column(id_, "出院日期"), "2016-06-01 10:00:00");
}

TEST_F(StatusTest, DischargeWritesFeeAndChosenDateOnlyWhenConfirmed) {
    EXPECT_EQ(transitions_.discharge(PatientStatus::Discharged, id_, "张三", answer(std::nullopt)),
              TransitionOutcome::Refused);
    EXPECT_EQ(transitions_.discharge(PatientStatus::InWard, id_, "张三", answer(std::nullopt)),
              TransitionOutcome::Cancelled);
    EXPECT_EQ(state(), "在院");
    EXPECT_EQ(column(id_, "出院日期"), "");

    ui_.clear();
    EXPECT_EQ(transitions_.discharge(PatientStatus::InWard, id_, "张三",
                                     answer(DischargeChoice{{2016, 3, 5}, "1234.5"})),
              TransitionOutcome::Done);
    EXPECT_EQ(ui_.texts(), QStringList{"患者张三病历出科成功"});
    EXPECT_EQ(state(), "出院");
    EXPECT_EQ(column(id_, "费用"), "1234.5");
    EXPECT_EQ(column(id_, "出院日期"), "2016-03-05 09:07:02");  // chosen day, time of the moment

    // Returning keeps the fee and the discharge date; from the in-ward list it is refused.
    EXPECT_EQ(transitions_.returnToWard(PatientStatus::Discharged, id_, "张三"), TransitionOutcome::Done);
    EXPECT_EQ(ui_.lastText(), "患者张三患者返院成功");
    EXPECT_EQ(state(), "在院");
    EXPECT_EQ(column(id_, "费用"), "1234.5");
    EXPECT_EQ(column(id_, "出院日期"), "2016-03-05 09:07:02");
    EXPECT_EQ(transitions_.returnToWard(PatientStatus::InWard, id_, "张三"), TransitionOutcome::Refused);
    EXPECT_EQ(ui_.lastText(), patients::kChooseInWardPatient);
}

TEST_F(StatusTest, FailedUpdatesAreReportedNotPassedOver) {
    failOn("UPDATE", "在院病人");
    EXPECT_EQ(transitions_.setPending(PatientStatus::InWard, id_, "张三"), TransitionOutcome::Failed);
    EXPECT_EQ(transitions_.discharge(PatientStatus::InWard, id_, "张三", answer(DischargeChoice{{2016, 3, 5}, "0"})),
              TransitionOutcome::Failed);
    EXPECT_EQ(transitions_.returnToWard(PatientStatus::Pending, id_, "张三"), TransitionOutcome::Failed);
    EXPECT_EQ(transitions_.transfer(patient_, "陈医生", "外科"), TransitionOutcome::Failed);
    EXPECT_EQ(ui_.texts(), (QStringList{"患者张三待结账失败", "患者张三病历出科失败", "患者张三患者返院失败",
                                        "患者张三病人转科失败"}));
    EXPECT_EQ(state(), "在院");

    // A patient removed meanwhile by another workstation: nothing changed, so no success.
    exec("drop trigger fail_UPDATE");
    exec("delete from 在院病人 where 编号=" + QString::number(id_));
    EXPECT_EQ(transitions_.setPending(PatientStatus::InWard, id_, "张三"), TransitionOutcome::Failed);
    EXPECT_EQ(transitions_.transfer(patient_, "陈医生", "外科"), TransitionOutcome::Failed);
}

TEST(Discharge, FeeMustBeANumberAndTheHeaderNamesThePatient) {
    EXPECT_EQ(patients::dischargeFee("  "), std::optional<QString>("0"));
    EXPECT_EQ(patients::dischargeFee(" 12.50 "), std::optional<QString>("12.50"));
    EXPECT_EQ(patients::dischargeFee("12元"), std::nullopt);
    EXPECT_EQ(patients::dischargeFee("inf"), std::nullopt);
    shell::PatientContext patient;
    patient.name = "张三";
    patient.sex = "男";
    patient.age = "40岁";
    patient.admissionNumber = "A1";
    EXPECT_EQ(patients::dischargeHeader(patient), "患者  姓  名：张三    男  40岁\r\n      住院号：A1");
}

TEST_F(StatusTest, TransferNeedsBothAndMovesByTheSerialNumber) {
    EXPECT_EQ(transitions_.transfer(patient_, "", "外科"), TransitionOutcome::Refused);
    EXPECT_EQ(ui_.lastText(), patients::kTransferIncomplete);
    EXPECT_EQ(transitions_.transfer(patient_, "陈医生", "外科"), TransitionOutcome::Done);
    EXPECT_EQ(ui_.lastText(), "患者张三病人转科成功");
    EXPECT_EQ(column(id_, "科室"), "外科");
    EXPECT_EQ(column(id_, "主管医生"), "陈医生");
    // Same department, another doctor.
    EXPECT_EQ(transitions_.transfer(patient_, "王医生", "外科"), TransitionOutcome::Done);
    EXPECT_EQ(column(id_, "主管医生"), "王医生");

    EXPECT_EQ(patients::transferLabel(PatientStatus::Pending, patient_), "病人转科失败，请确保打开在院病人。");
    EXPECT_TRUE(patients::transferLabel(PatientStatus::InWard, patient_).startsWith("转科患者信息确认\r\n\r\n姓名：张三"));
}

class DeletionTest : public StatusTest {
protected:
    void SetUp() override {
        StatusTest::SetUp();
        if (HasFatalFailure()) return;
        addDocument(patient_.serialNumber, "入院记录");
        addDocument(patient_.serialNumber, "病程记录");
        other_ = addPatient({QStringLiteral("李四")});
        addDocument(column(other_, "住院编号"), "入院记录");
    }
    qint64 documents() { return count("select count(1) from 在院病历 where 检索='" + patient_.serialNumber + "'"); }
    qint64 other_ = 0;
};

TEST_F(DeletionTest, OnlyTheResponsibleDoctorOutsideTheDischargedListRemovesTheStayAndItsDocuments) {
    patient_.doctor = "王医生";
    EXPECT_EQ(transitions_.deletePatient(PatientStatus::InWard, id_, patient_), TransitionOutcome::Refused);
    patient_.doctor = "李医生";
    EXPECT_EQ(transitions_.deletePatient(PatientStatus::Discharged, id_, patient_), TransitionOutcome::Refused);
    EXPECT_EQ(ui_.texts(), (QStringList{patients::kNoRightToDelete, patients::kNoRightToDelete}));
    ui_.answerMessageDialog(0);
    EXPECT_EQ(transitions_.deletePatient(PatientStatus::Pending, id_, patient_), TransitionOutcome::Cancelled);
    EXPECT_EQ(ui_.lastText(), "你确定要删除患者【张三】病历吗？\r\n\r\n注意：删除后病历不可恢复！");
    EXPECT_EQ(count("select count(1) from 在院病人"), 2);
    EXPECT_EQ(documents(), 2);

    ui_.answerMessageDialog(1);
    EXPECT_EQ(transitions_.deletePatient(PatientStatus::InWard, id_, patient_), TransitionOutcome::Done);
    EXPECT_EQ(ui_.lastText(), "患者张三资料删除成功");
    EXPECT_EQ(offers_, 2);  // offered before each confirmation, the cancelled one too
    EXPECT_EQ(count("select count(1) from 在院病人 where 编号=" + QString::number(id_)), 0);
    EXPECT_EQ(documents(), 0);
    EXPECT_EQ(count("select count(1) from 在院病历"), 1);  // the other patient's
}

TEST_F(DeletionTest, NothingIsDeletedWhenEitherHalfFails) {
    failOn("DELETE", "在院病历");
    ui_.answerMessageDialog(1);
    EXPECT_EQ(transitions_.deletePatient(PatientStatus::InWard, id_, patient_), TransitionOutcome::Failed);
    EXPECT_EQ(count("select count(1) from 在院病人 where 编号=" + QString::number(id_)), 1);
    EXPECT_EQ(documents(), 2);
    exec("drop trigger fail_DELETE");

    // A row that is not the current patient's stay is neither deleted nor its documents.
    ui_.answerMessageDialog(1);
    EXPECT_EQ(transitions_.deletePatient(PatientStatus::InWard, other_, patient_), TransitionOutcome::Failed);
    EXPECT_EQ(count("select count(1) from 在院病人"), 2);
    EXPECT_EQ(count("select count(1) from 在院病历"), 3);

    exec("delete from 在院病人 where 编号=" + QString::number(id_));  // gone from another workstation
    ui_.answerMessageDialog(1);
    EXPECT_EQ(transitions_.deletePatient(PatientStatus::InWard, id_, patient_), TransitionOutcome::Failed);
    EXPECT_EQ(ui_.lastText(), "患者张三资料删除失败");
    EXPECT_EQ(documents(), 2);
}

}  // namespace
}  // namespace qh::test
