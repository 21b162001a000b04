#include "patients/StatusTransitions.h"

#include <cmath>

#include "common/Clock.h"
#include "common/DateText.h"
#include "store/Connection.h"
#include "store/SqlText.h"

namespace qh::patients {

using shell::PatientSelection;
using shell::PatientStatus;
using store::sqlText;

namespace {

QString patientText(const QString& name, const char* what) {
    return QStringLiteral("患者") + name + QString::fromUtf8(what);
}

}  // namespace

QString StatusTransitions::pendingStatement(qint64 id, const QDateTime& now) {
    return QStringLiteral("UPDATE 在院病人 SET 状态='待结',出院日期='") + dates::dateWithCurrentTimeText(now.date()) +
           QStringLiteral("' WHERE 编号=") + QString::number(id);
}

QString StatusTransitions::dischargeStatement(qint64 id, const DischargeChoice& choice) {
    return QStringLiteral("UPDATE 在院病人 SET 状态='出院',费用='") + sqlText(choice.fee) +
           QStringLiteral("',出院日期='") + dates::dateWithCurrentTimeText(choice.date) + QStringLiteral("' WHERE 编号=") +
           QString::number(id);
}

QString StatusTransitions::returnStatement(qint64 id) {
    return QStringLiteral("UPDATE 在院病人 SET 状态='在院' where 编号=") + QString::number(id);
}

QString StatusTransitions::transferStatement(const QString& serial, const QString& doctor, const QString& department) {
    return QStringLiteral("UPDATE 在院病人 SET 主管医生='") + sqlText(doctor) + QStringLiteral("',科室='") +
           sqlText(department) + QStringLiteral("' WHERE 住院编号='") + sqlText(serial) + QStringLiteral("'");
}

TransitionOutcome StatusTransitions::update(const QString& sql, const QString& success, const QString& failure) {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return TransitionOutcome::NotOpened;
    // Only a changed row is success: a patient removed meanwhile by another workstation,
    // or a failed statement, is reported rather than passed in silence.
    if (!db.execute(sql).changed()) {
        ui_.messageDialog(failure);
        return TransitionOutcome::Failed;
    }
    ui_.messageDialog(success);
    return TransitionOutcome::Done;
}

bool StatusTransitions::refused(const PatientSelection& patient, PatientStatus wrongList) {
    // Nobody selected, or selected from the list this command does not apply to.
    if (!patient.isEmpty() && patient.listStatus() != wrongList) return false;
    ui_.messageDialog(kChooseInWardPatient);
    return true;
}

TransitionOutcome StatusTransitions::setPending(const PatientSelection& patient) {
    if (refused(patient, PatientStatus::Pending)) return TransitionOutcome::Refused;
    if (beforeChange_) beforeChange_();
    const QString name = patient.patient().name;
    return update(pendingStatement(patient.id(), Clock::now()), patientText(name, "待结账成功"),
                  patientText(name, "待结账失败"));
}

TransitionOutcome StatusTransitions::discharge(const PatientSelection& patient,
                                               const std::function<std::optional<DischargeChoice>()>& askDischarge) {
    if (refused(patient, PatientStatus::Discharged)) return TransitionOutcome::Refused;
    if (beforeChange_) beforeChange_();
    const std::optional<DischargeChoice> choice = askDischarge();
    if (!choice) return TransitionOutcome::Cancelled;
    const QString name = patient.patient().name;
    return update(dischargeStatement(patient.id(), *choice), patientText(name, "病历出科成功"),
                  patientText(name, "病历出科失败"));
}

TransitionOutcome StatusTransitions::returnToWard(const PatientSelection& patient) {
    if (refused(patient, PatientStatus::InWard)) return TransitionOutcome::Refused;
    if (beforeChange_) beforeChange_();
    const QString name = patient.patient().name;
    return update(returnStatement(patient.id()), patientText(name, "患者返院成功"), patientText(name, "患者返院失败"));
}

TransitionOutcome StatusTransitions::transfer(const PatientSelection& patient, const QString& doctor,
                                              const QString& department) {
    if (patient.isEmpty()) return TransitionOutcome::Cancelled;
    if (doctor.trimmed().isEmpty() || department.trimmed().isEmpty()) {
        ui_.messageDialog(kTransferIncomplete);
        return TransitionOutcome::Refused;
    }
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    const bool written =
        db.isOpen() && db.execute(transferStatement(patient.serialNumber(), doctor, department)).changed();
    ui_.messageDialog(patientText(patient.patient().name, written ? "病人转科成功" : "病人转科失败"));
    return written ? TransitionOutcome::Done : TransitionOutcome::Failed;
}

TransitionOutcome StatusTransitions::deletePatient(const PatientSelection& selected) {
    if (selected.isEmpty()) return TransitionOutcome::Cancelled;
    const shell::PatientContext& patient = selected.patient();
    if (user_.userName != patient.doctor || selected.listStatus() == PatientStatus::Discharged) {
        ui_.messageDialog(kNoRightToDelete);
        return TransitionOutcome::Refused;
    }
    if (beforeChange_) beforeChange_();
    const QString question = QStringLiteral("你确定要删除患者【") + patient.name +
                             QStringLiteral("】病历吗？\r\n\r\n注意：删除后病历不可恢复！");
    if (ui_.confirmPermanent(question) != 1) return TransitionOutcome::Cancelled;

    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return TransitionOutcome::NotOpened;
    // The stay and its documents go together or not at all: the documents are removed
    // only when the patient row itself was there to delete, and was this very stay.
    const QString where = QStringLiteral(" where 编号=") + QString::number(selected.id());
    const QString serial = sqlText(patient.serialNumber);
    bool ok = false;
    {
        store::Transaction tx(db);
        ok = tx.isActive() &&
             db.execute(QStringLiteral("delete from 在院病人") + where + QStringLiteral(" and 住院编号='") + serial +
                        QStringLiteral("'"))
                     .rowsChanged == 1 &&
             db.execute(QStringLiteral("delete from 在院病历 where 检索='") + serial + QStringLiteral("' ")).ok &&
             tx.commit();
    }
    ui_.messageDialog(patientText(patient.name, ok ? "资料删除成功" : "资料删除失败"));
    return ok ? TransitionOutcome::Done : TransitionOutcome::Failed;
}

QString dischargeHeader(const shell::PatientContext& p) {
    return QStringLiteral("患者  姓  名：") + p.name + QStringLiteral("    ") + p.sex + QStringLiteral("  ") + p.age +
           QStringLiteral("\r\n      住院号：") + p.admissionNumber;
}

std::optional<QDate> recordedDischargeDate(const store::DataDirectory& files, qint64 id) {
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return std::nullopt;
    const QDateTime at =
        db.query(QStringLiteral("select * from 在院病人 where  编号=?"), {id}).first().dateTime(QStringLiteral("出院日期"));
    if (!at.isValid()) return std::nullopt;
    return at.date();
}

std::optional<QString> dischargeFee(const QString& typed) {
    const QString fee = typed.trimmed();
    if (fee.isEmpty()) return QStringLiteral("0");
    bool number = false;
    const double value = fee.toDouble(&number);
    if (!number || !std::isfinite(value)) return std::nullopt;
    return fee;
}

bool transferAllowed(PatientStatus shown) { return shown == PatientStatus::InWard; }

QString transferLabel(PatientStatus shown, const shell::PatientContext& p) {
    if (!transferAllowed(shown)) return QStringLiteral("病人转科失败，请确保打开在院病人。");
    return QStringLiteral("转科患者信息确认\r\n\r\n姓名：") + p.name + QStringLiteral("\r\n性别：") + p.sex +
           QStringLiteral("    年龄：") + p.age + QStringLiteral("\r\n诊断：") + p.diagnosis +
           QStringLiteral("\r\n当前主管医生：") + p.department + QStringLiteral("  ") + p.doctor;
}

}  // namespace qh::patients
