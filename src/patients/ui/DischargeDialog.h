#pragma once
// The modal discharge dialog: the patient line, the discharge date and the fee.
#include <QDialog>
#include <optional>

#include "patients/StatusTransitions.h"

class QDateEdit;
class QLabel;
class QLineEdit;

namespace qh::patients {

class DischargeDialog : public QDialog {
    Q_OBJECT
public:
    // The date starts at the 出院日期 already written for the row (at 待结), else today.
    DischargeDialog(const store::DataDirectory& files, const shell::PatientContext& patient, qint64 patientId, ui::UserInterface& ui,
                    QWidget* parent = nullptr);

    // "确定": keeps the date and the fee and closes confirmed; a fee that is not a number
    // is refused and the dialog stays open.
    void confirm();
    std::optional<DischargeChoice> choice() const { return choice_; }

    // Runs the dialog modally; nullopt when cancelled.
    static std::optional<DischargeChoice> ask(const store::DataDirectory& files, const shell::PatientContext& patient,
                                               qint64 patientId,
                                              ui::UserInterface& ui, QWidget* parent);

private:
    ui::UserInterface& ui_;
    QDateEdit* date_;
    QLineEdit* fee_;
    std::optional<DischargeChoice> choice_;
};

}  // namespace qh::patients
