#include "patients/ui/TransferWindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "patients/PickLists.h"

namespace qh::patients {

TransferWindow::TransferWindow(const store::DataDirectory& files, const shell::PatientSelection& patient,
                               StatusTransitions& transitions, QWidget* parent)
    : QDialog(parent), files_(files), patient_(patient), transitions_(transitions) {
    const shell::PatientStatus shown = patient.listStatus();
    setWindowTitle(QStringLiteral("患者转科"));
    setModal(true);
    auto* label = new QLabel(transferLabel(shown, patient.patient()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    label->setObjectName(QStringLiteral("summary"));
    department_ = new QComboBox;
    department_->setObjectName(QStringLiteral("department"));
    doctor_ = new QComboBox;
    doctor_->setObjectName(QStringLiteral("doctor"));
    doctor_->setEditable(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("转入科室："), department_);
    form->addRow(QStringLiteral("主管医生："), doctor_);
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("confirm"));
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(form);
    layout->addWidget(buttons);

    // Outside the in-ward list the window shows the refusal only.
    if (!transferAllowed(shown)) {
        department_->setEnabled(false);
        doctor_->setEnabled(false);
        ok->setEnabled(false);
        return;
    }
    department_->addItems(departments(files_));
    department_->setCurrentIndex(-1);
    connect(department_, &QComboBox::currentTextChanged, this, &TransferWindow::chooseDepartment);
    connect(ok, &QPushButton::clicked, this, &TransferWindow::confirm);
}

void TransferWindow::chooseDepartment(const QString& department) {
    doctor_->clear();
    doctor_->addItems(doctorsOfDepartment(files_, department));
    doctor_->setCurrentIndex(-1);
}

void TransferWindow::confirm() {
    if (transitions_.transfer(patient_, doctor_->currentText(), department_->currentText()) == TransitionOutcome::Done) {
        transferred_ = true;
        accept();
    }
}

}  // namespace qh::patients
