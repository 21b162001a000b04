#pragma once
// The modal admission window: the particulars of a newly admitted patient and "确定".
#include <QDialog>

#include "patients/Admission.h"

class QComboBox;
class QDateTimeEdit;
class QLineEdit;

namespace qh::patients {

class AdmissionWindow : public QDialog {
    Q_OBJECT
public:
    // Opening fills the lists (and reports a main database that does not open).
    AdmissionWindow(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui,
                    QWidget* parent = nullptr);

    AdmissionForm form() const;
    // "确定": validation and registration; the window closes after a registration or its failure.
    void registerPatient();
    // The 编号 of the patient registered, 0 when none.
    qint64 registeredPatientId() const { return registeredId_; }

protected:
    // Enter moves to the next field; Ctrl+Enter registers.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* fieldWidget(AdmissionField field) const;
    void searchDiagnoses(const QString& typed);
    void recomputeBirthDate();

    store::DataDirectory files_;
    Admission admission_;
    qint64 registeredId_ = 0;
    QLineEdit *name_, *age_, *number_, *bed_, *room_, *card_, *phone_, *idCard_, *contact_;
    QLineEdit *temperature_, *pulse_, *respiration_, *systolic_, *diastolic_;
    QComboBox *doctor_, *unit_, *address_, *diagnosis_, *sex_, *complaint_, *occupation_, *relation_;
    QDateTimeEdit *admitted_, *birth_;
};

}  // namespace qh::patients
