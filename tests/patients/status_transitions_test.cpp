#include "patients/StatusTransitions.h"
#include "patients_fixture.h"
#include "shell/PatientSelection.h"

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
        serial_ = column(id_, "住院编号");
        transitions_.setBeforeChange([this] { ++offers_; });
    }
    static std::function<std::optional<DischargeChoice>()> answer(std::optional<DischargeChoice> c) {
        return [c] { return c; };
    }
    // 张三, as if picked from the list of that status.
    bool pickFrom(PatientStatus list) { return selection_.select(id_, list); }
    QString state() { return column(id_, "状态"); }

    qint64 id_ = 0;
    QString serial_;
    int offers_ = 0;
    shell::PatientSelection selection_{files()};
    StatusTransitions transitions_{files(), user_, ui_};
};

TEST_F(StatusTest, WithNobodySelectedTheStatusCommandsRefuseAndChangeNothing) {
    EXPECT_EQ(transitions_.setPending(selection_), TransitionOutcome::Refused);
    EXPECT_EQ(transitions_.discharge(selection_, answer(DischargeChoice{{2016, 5, 12}, "88"})),
              TransitionOutcome::Refused);
    EXPECT_EQ(transitions_.returnToWard(selection_), TransitionOutcome::Refused);
    EXPECT_EQ(ui_.texts(), QStringList(3, "操作错误，请选择在院病人！"));
    // Transfer and deletion are not offered without a patient: they pass in silence.
    EXPECT_EQ(transitions_.transfer(selection_, "陈医生", "外科"), TransitionOutcome::Cancelled);
    EXPECT_EQ(transitions_.deletePatient(selection_), TransitionOutcome::Cancelled);
    EXPECT_EQ(ui_.texts().size(), 3);
    EXPECT_EQ(offers_, 0);
    EXPECT_EQ(state(), "在院");
    EXPECT_EQ(column(id_, "主管医生"), "李医生");
    EXPECT_EQ(patients::recordedDischargeDate(files(), id_), std::nullopt);
}

TEST_F(StatusTest, PendingWritesNowAndIsRefusedFromThePendingList) {
    ASSERT_TRUE(pickFrom(PatientStatus::Pending));
    EXPECT_EQ(transitions_.setPending(selection_), TransitionOutcome::Refused);
    EXPECT_EQ(ui_.texts(), QStringList{patients::kChooseInWardPatient});
    EXPECT_EQ(offers_, 0);
    EXPECT_EQ(state(), "在院");

    ui_.clear();
    ASSERT_TRUE(pickFrom(PatientStatus::InWard));
    EXPECT_EQ(transitions_.setPending(selection_), TransitionOutcome::Done);
    EXPECT_EQ(ui_.texts(), QStringList{"患者张三待结账成功"});
    EXPECT_EQ(offers_, 1);
    EXPECT_EQ(state(), "待结");
    EXPECT_EQ(column(id_, "出院日期"), "2016-05-10 09:07:02");
    EXPECT_EQ(patients::recordedDischargeDate(files(), id_), QDate(2016, 5, 10));  // where the discharge dialog starts

    // From the discharged list it moves back to pending and the date becomes now again.
    ASSERT_TRUE(pickFrom(PatientStatus::Pending));
    ASSERT_EQ(transitions_.discharge(selection_, answer(DischargeChoice{{2016, 5, 12}, "88"})), TransitionOutcome::Done);
    Clock::set([] { return QDateTime(QDate(2016, 6, 1), QTime(10, 0, 0)); });
    ASSERT_TRUE(pickFrom(PatientStatus::Discharged));
    EXPECT_EQ(transitions_.setPending(selection_), TransitionOutcome::Done);
    EXPECT_EQ(state(), "待结");
    EXPECT_EQ(column(id_, "出院日期"), "2016-06-01 10:00:00");
}

TEST_F(StatusTest, DischargeWritesFeeAndChosenDateOnlyWhenConfirmed) {
    ASSERT_TRUE(pickFrom(PatientStatus::Discharged));
    EXPECT_EQ(transitions_.discharge(selection_, answer(std::nullopt)), TransitionOutcome::Refused);
    ASSERT_TRUE(pickFrom(PatientStatus::InWard));
    EXPECT_EQ(transitions_.discharge(selection_, answer(std::nullopt)), TransitionOutcome::Cancelled);
    EXPECT_EQ(state(), "在院");
    EXPECT_EQ(column(id_, "出院日期"), "");

    ui_.clear();
    EXPECT_EQ(transitions_.discharge(selection_, answer(DischargeChoice{{2016, 3, 5}, "1234.5"})),
              TransitionOutcome::Done);
    EXPECT_EQ(ui_.texts(), QStringList{"患者张三病历出科成功"});
    EXPECT_EQ(state(), "出院");
    EXPECT_EQ(column(id_, "费用"), "1234.5");
    EXPECT_EQ(column(id_, "出院日期"), "2016-03-05 09:07:02");  // chosen day, time of the moment

    // Returning keeps the fee and the discharge date; from the in-ward list it is refused.
    ASSERT_TRUE(pickFrom(PatientStatus::Discharged));
    EXPECT_EQ(transitions_.returnToWard(selection_), TransitionOutcome::Done);
    EXPECT_EQ(ui_.lastText(), "患者张三患者返院成功");
    EXPECT_EQ(state(), "在院");
    EXPECT_EQ(column(id_, "费用"), "1234.5");
    EXPECT_EQ(column(id_, "出院日期"), "2016-03-05 09:07:02");
    ASSERT_TRUE(pickFrom(PatientStatus::InWard));
    EXPECT_EQ(transitions_.returnToWard(selection_), TransitionOutcome::Refused);
    EXPECT_EQ(ui_.lastText(), "操作错误，请选择在院病人！");
}

TEST_F(StatusTest, FailedUpdatesAreReportedNotPassedOver) {
    failOn("UPDATE", "在院病人");
    ASSERT_TRUE(pickFrom(PatientStatus::InWard));
    EXPECT_EQ(transitions_.setPending(selection_), TransitionOutcome::Failed);
    EXPECT_EQ(transitions_.discharge(selection_, answer(DischargeChoice{{2016, 3, 5}, "0"})), TransitionOutcome::Failed);
    EXPECT_EQ(transitions_.transfer(selection_, "陈医生", "外科"), TransitionOutcome::Failed);
    ASSERT_TRUE(pickFrom(PatientStatus::Pending));
    EXPECT_EQ(transitions_.returnToWard(selection_), TransitionOutcome::Failed);
    EXPECT_EQ(ui_.texts(), (QStringList{"患者张三待结账失败", "患者张三病历出科失败", "患者张三病人转科失败",
                                        "患者张三患者返院失败"}));
    EXPECT_EQ(state(), "在院");
    EXPECT_EQ(column(id_, "科室"), "内科");

    // A patient removed meanwhile by another workstation: the statements run but change
    // no row, which is reported as the failure it is.
    exec("drop trigger fail_UPDATE");
    ASSERT_TRUE(pickFrom(PatientStatus::InWard));
    exec("delete from 在院病人 where 编号=" + QString::number(id_));
    ui_.clear();
    EXPECT_EQ(transitions_.setPending(selection_), TransitionOutcome::Failed);
    EXPECT_EQ(transitions_.discharge(selection_, answer(DischargeChoice{{2016, 3, 5}, "0"})), TransitionOutcome::Failed);
    EXPECT_EQ(transitions_.transfer(selection_, "陈医生", "外科"), TransitionOutcome::Failed);
    ASSERT_TRUE(selection_.select(addPatient({QStringLiteral("李四")}), PatientStatus::Discharged));
    exec("delete from 在院病人 where 姓名='李四'");
    EXPECT_EQ(transitions_.returnToWard(selection_), TransitionOutcome::Failed);
    EXPECT_EQ(ui_.texts(), (QStringList{"患者张三待结账失败", "患者张三病历出科失败", "患者张三病人转科失败",
                                        "患者李四患者返院失败"}));
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
    ASSERT_TRUE(pickFrom(PatientStatus::InWard));
    EXPECT_EQ(transitions_.transfer(selection_, "", "外科"), TransitionOutcome::Refused);
    EXPECT_EQ(ui_.lastText(), "请正确输入主管医生与转入科室。");
    EXPECT_EQ(transitions_.transfer(selection_, "陈医生", " "), TransitionOutcome::Refused);
    EXPECT_EQ(ui_.lastText(), patients::kTransferIncomplete);
    EXPECT_EQ(column(id_, "科室"), "内科");
    EXPECT_EQ(transitions_.transfer(selection_, "陈医生", "外科"), TransitionOutcome::Done);
    EXPECT_EQ(ui_.lastText(), "患者张三病人转科成功");
    EXPECT_EQ(column(id_, "科室"), "外科");
    EXPECT_EQ(column(id_, "主管医生"), "陈医生");
    // Same department, another doctor.
    EXPECT_EQ(transitions_.transfer(selection_, "王医生", "外科"), TransitionOutcome::Done);
    EXPECT_EQ(column(id_, "主管医生"), "王医生");

    EXPECT_EQ(patients::transferLabel(PatientStatus::Pending, selection_.patient()), "病人转科失败，请确保打开在院病人。");
    EXPECT_TRUE(patients::transferLabel(PatientStatus::InWard, selection_.patient())
                    .startsWith("转科患者信息确认\r\n\r\n姓名：张三"));
}

class DeletionTest : public StatusTest {
protected:
    void SetUp() override {
        StatusTest::SetUp();
        if (HasFatalFailure()) return;
        addDocument(serial_, "入院记录");
        addDocument(serial_, "病程记录");
        other_ = addPatient({QStringLiteral("李四")});
        addDocument(column(other_, "住院编号"), "入院记录");
    }
    qint64 documents() { return count("select count(1) from 在院病历 where 检索='" + serial_ + "'"); }
    qint64 other_ = 0;
};

TEST_F(DeletionTest, OnlyTheResponsibleDoctorOutsideTheDischargedListRemovesTheStayAndItsDocuments) {
    exec("update 在院病人 set 主管医生='王医生' where 编号=" + QString::number(id_));
    ASSERT_TRUE(pickFrom(PatientStatus::InWard));
    EXPECT_EQ(transitions_.deletePatient(selection_), TransitionOutcome::Refused);
    exec("update 在院病人 set 主管医生='李医生' where 编号=" + QString::number(id_));
    ASSERT_TRUE(pickFrom(PatientStatus::Discharged));
    EXPECT_EQ(transitions_.deletePatient(selection_), TransitionOutcome::Refused);
    EXPECT_EQ(ui_.texts(), (QStringList{patients::kNoRightToDelete,
                                        "你无权限删除此病人！\r\n你不是此患者的主管医生，或者此患者已经出院。"}));
    EXPECT_EQ(offers_, 0);
    ASSERT_TRUE(pickFrom(PatientStatus::Pending));
    ui_.answerMessageDialog(0);
    EXPECT_EQ(transitions_.deletePatient(selection_), TransitionOutcome::Cancelled);
    EXPECT_EQ(ui_.lastText(), "你确定要删除患者【张三】病历吗？\r\n\r\n注意：删除后病历不可恢复！");
    EXPECT_TRUE(ui_.shown().last().cancelIsDefault);
    EXPECT_EQ(count("select count(1) from 在院病人"), 2);
    EXPECT_EQ(documents(), 2);

    ASSERT_TRUE(pickFrom(PatientStatus::InWard));
    ui_.answerMessageDialog(1);
    EXPECT_EQ(transitions_.deletePatient(selection_), TransitionOutcome::Done);
    EXPECT_EQ(ui_.lastText(), "患者张三资料删除成功");
    EXPECT_EQ(offers_, 2);  // offered before each confirmation, the cancelled one too
    EXPECT_EQ(count("select count(1) from 在院病人 where 编号=" + QString::number(id_)), 0);
    EXPECT_EQ(documents(), 0);
    EXPECT_EQ(count("select count(1) from 在院病历"), 1);  // the other patient's
    EXPECT_EQ(count("select count(1) from 在院病人"), 1);
}

TEST_F(DeletionTest, NothingIsDeletedWhenEitherHalfFails) {
    ASSERT_TRUE(pickFrom(PatientStatus::InWard));
    for (const QString table : {"在院病历", "在院病人"}) {
        SCOPED_TRACE(table.toStdString());
        failOn("DELETE", table);
        ui_.answerMessageDialog(1);
        EXPECT_EQ(transitions_.deletePatient(selection_), TransitionOutcome::Failed);
        EXPECT_EQ(ui_.lastText(), "患者张三资料删除失败");
        EXPECT_EQ(count("select count(1) from 在院病人 where 编号=" + QString::number(id_)), 1);
        EXPECT_EQ(documents(), 2);
        exec("drop trigger fail_DELETE");
    }

    // The row under the selected 编号 that is no longer this stay (another 住院编号) is
    // neither deleted nor are the stay's documents.
    exec("update 在院病人 set 住院编号='9' where 编号=" + QString::number(id_));
    ui_.answerMessageDialog(1);
    EXPECT_EQ(transitions_.deletePatient(selection_), TransitionOutcome::Failed);
    EXPECT_EQ(count("select count(1) from 在院病人"), 2);
    EXPECT_EQ(count("select count(1) from 在院病历"), 3);
    exec("update 在院病人 set 住院编号=" + q(serial_) + " where 编号=" + QString::number(id_));

    exec("delete from 在院病人 where 编号=" + QString::number(id_));  // gone from another workstation
    ui_.answerMessageDialog(1);
    EXPECT_EQ(transitions_.deletePatient(selection_), TransitionOutcome::Failed);
    EXPECT_EQ(ui_.lastText(), "患者张三资料删除失败");
    EXPECT_EQ(documents(), 2);
    EXPECT_EQ(ui_.unanswered(), 0);
}

}  // namespace
}  // namespace qh::test
