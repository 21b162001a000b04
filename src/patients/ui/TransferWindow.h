#pragma once
// The modal transfer window: the patient's summary, the target department and doctor.
#include <QDialog>

#include "patients/StatusTransitions.h"

class QComboBox;
class QLabel;

namespace qh::patients {

class TransferWindow : public QDialog {
    Q_OBJECT
public:
    // Only a patient selected from the in-ward list may transfer.
    TransferWindow(const store::DataDirectory& files, const shell::PatientSelection& patient,
                   StatusTransitions& transitions, QWidget* parent = nullptr);

    void chooseDepartment(const QString& department);
    // Writes the transfer; the window closes when it succeeded.
    void confirm();
    bool transferred() const { return transferred_; }

private:
    store::DataDirectory files_;
    const shell::PatientSelection& patient_;
    StatusTransitions& transitions_;
    QComboBox* department_;
    QComboBox* doctor_;
    bool transferred_ = false;
};

}  // namespace qh::patients
