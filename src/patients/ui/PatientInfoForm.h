#pragma once
// The patient-information form, the first sub-page of the record page: shows the current
// patient's particulars and saves them back.
#include <QWidget>

#include "patients/PatientInfo.h"

class QComboBox;
class QDateEdit;
class QDateTimeEdit;
class QLineEdit;

namespace qh::patients {

class PatientInfoForm : public QWidget {
    Q_OBJECT
public:
    PatientInfoForm(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui,
                    QWidget* parent = nullptr);

    // Fills every field from the patient (part of selecting a patient); not modified after.
    void load(const shell::PatientContext& patient);
    // Nobody selected: every field blank, the form closed to typing.
    void clear();
    // Typed into since the last load or save.
    bool isModified() const { return modified_; }
    Particulars particulars() const;
    // Writes the form to the patient row patientId, with its message; true when written.
    bool save(qint64 patientId);

private:
    store::DataDirectory files_;
    const shell::UserContext& user_;
    ui::UserInterface& ui_;
    QLineEdit *name_, *age_, *room_, *card_, *number_, *bed_, *temperature_, *pulse_, *respiration_, *pressure_;
    QLineEdit *phone_, *idCard_, *contact_;
    QComboBox *doctor_, *address_, *diagnosis_, *complaint_, *sex_, *occupation_, *relation_;
    QDateTimeEdit* admitted_;
    QDateEdit* birth_;
    bool loading_ = false;
    bool modified_ = false;
};

}  // namespace qh::patients
