#pragma once
// The status commands of the patient list: pending settlement, discharge, return to the
// ward, transfer and deletion of a stay. Each acts on the selected patient; the caller
// refills the list afterwards.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

#include "shell/PatientContext.h"
#include "shell/PatientSelection.h"
#include "shell/UserContext.h"
#include "store/DatabaseFiles.h"
#include "interaction/UserInterface.h"

namespace qh::patients {

inline const QString kChooseInWardPatient = QStringLiteral("操作错误，请选择在院病人！");
inline const QString kNoRightToDelete =
    QStringLiteral("你无权限删除此病人！\r\n你不是此患者的主管医生，或者此患者已经出院。");

// What the discharge dialog hands back when confirmed.
struct DischargeChoice {
    QDate date;
    QString fee;  // a number's text; "0" when left empty
};

enum class TransitionOutcome {
    Refused,    // refusal message shown, nothing changed
    Cancelled,  // the user stopped it
    NotOpened,  // dzbl.mdb did not open: nothing changed, nothing shown
    Done,       // written, success message shown
    Failed,     // not written, failure message shown
};

class StatusTransitions {
public:
    StatusTransitions(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui)
        : files_(files), user_(user), ui_(ui) {}

    // OfferSave of the main window, run after the refusal checks and before any change.
    void setBeforeChange(std::function<void()> offerSave) { beforeChange_ = std::move(offerSave); }

    // Each refuses when nobody is selected or the patient was selected from a list the
    // command does not apply to.
    TransitionOutcome setPending(const shell::PatientSelection& patient);
    // askDischarge opens the discharge dialog; nullopt when it was cancelled.
    TransitionOutcome discharge(const shell::PatientSelection& patient,
                                const std::function<std::optional<DischargeChoice>()>& askDischarge);
    TransitionOutcome returnToWard(const shell::PatientSelection& patient);
    TransitionOutcome transfer(const shell::PatientSelection& patient, const QString& doctor, const QString& department);
    TransitionOutcome deletePatient(const shell::PatientSelection& patient);

    static QString pendingStatement(qint64 id, const QDateTime& now);
    static QString dischargeStatement(qint64 id, const DischargeChoice& choice);
    static QString returnStatement(qint64 id);
    static QString transferStatement(const QString& serial, const QString& doctor, const QString& department);

private:
    TransitionOutcome update(const QString& sql, const QString& success, const QString& failure);
    bool refused(const shell::PatientSelection& patient, shell::PatientStatus wrongList);

    store::DataDirectory files_;
    const shell::UserContext& user_;
    ui::UserInterface& ui_;
    std::function<void()> beforeChange_;
};

// --- The discharge dialog's texts and checks ---
QString dischargeHeader(const shell::PatientContext& patient);
// The 出院日期 already written for the row (at 待结), if any.
std::optional<QDate> recordedDischargeDate(const store::DataDirectory& files, qint64 id);
// The fee as written: trimmed, "0" when empty; nullopt when it is not a number.
std::optional<QString> dischargeFee(const QString& typed);
inline const QString kFeeNotNumber = QStringLiteral("费用必须是数字，请重新输入！");

// --- The transfer window's texts ---
bool transferAllowed(shell::PatientStatus shown);
// The label: the patient's summary, or the refusal when the in-ward list is not showing.
QString transferLabel(shell::PatientStatus shown, const shell::PatientContext& patient);
inline const QString kTransferIncomplete = QStringLiteral("请正确输入主管医生与转入科室。");

}  // namespace qh::patients
