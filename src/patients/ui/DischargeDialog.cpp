#include "patients/ui/DischargeDialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/Clock.h"

namespace qh::patients {

DischargeDialog::DischargeDialog(const store::DataDirectory& files, const shell::PatientContext& patient,
                                 qint64 patientId, ui::UserInterface& ui, QWidget* parent)
    : QDialog(parent), ui_(ui) {
    setWindowTitle(QStringLiteral("患者出院"));
    setModal(true);
    auto* header = new QLabel(dischargeHeader(patient).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    header->setObjectName(QStringLiteral("header"));
    date_ = new QDateEdit(recordedDischargeDate(files, patientId).value_or(Clock::now().date()));
    date_->setObjectName(QStringLiteral("dischargeDate"));
    date_->setCalendarPopup(true);
    date_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    fee_ = new QLineEdit;
    fee_->setObjectName(QStringLiteral("fee"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("出院日期："), date_);
    form->addRow(QStringLiteral("住院费用："), fee_);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("confirm"));
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(ok, &QPushButton::clicked, this, &DischargeDialog::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void DischargeDialog::confirm() {
    const std::optional<QString> fee = dischargeFee(fee_->text());
    if (!fee) {
        ui_.messageDialog(kFeeNotNumber);
        fee_->setFocus();
        return;
    }
    choice_ = DischargeChoice{date_->date(), *fee};
    accept();
}

std::optional<DischargeChoice> DischargeDialog::ask(const store::DataDirectory& files,
                                                    const shell::PatientContext& patient, qint64 patientId,
                                                    ui::UserInterface& ui, QWidget* parent) {
    DischargeDialog dialog(files, patient, patientId, ui, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

}  // namespace qh::patients
