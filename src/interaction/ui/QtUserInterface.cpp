#include "interaction/ui/QtUserInterface.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace qh::ui {

QString displayText(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace('\r', '\n');
    return t;
}

int QtUserInterface::messageDialog(const QString& text, bool withCancel) {
    return programDialog(text, withCancel, false);
}

int QtUserInterface::confirmPermanent(const QString& text) { return programDialog(text, true, true); }

int QtUserInterface::programDialog(const QString& text, bool withCancel, bool cancelIsDefault) {
    // The program's own message window: an information icon, the text, 确定 and
    // optionally 取消.
    QDialog dialog(parent_);
    dialog.setObjectName(QStringLiteral("messageDialog"));
    dialog.setWindowTitle(QStringLiteral("青禾电子病历"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel;
    icon->setPixmap(dialog.style()->standardIcon(withCancel ? QStyle::SP_MessageBoxQuestion
                                                            : QStyle::SP_MessageBoxInformation)
                        .pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    auto* label = new QLabel(displayText(text));
    label->setObjectName(QStringLiteral("messageText"));
    label->setWordWrap(true);
    label->setMinimumWidth(260);
    row->addWidget(icon);
    row->addWidget(label, 1);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(QStringLiteral("确  定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    QPushButton* cancel = nullptr;
    if (withCancel) {
        cancel = buttons->addButton(QStringLiteral("取  消"), QDialogButtonBox::RejectRole);
        cancel->setObjectName(QStringLiteral("cancelButton"));
    }
    QPushButton* preferred = cancelIsDefault && cancel ? cancel : ok;
    preferred->setDefault(true);
    preferred->setFocus();
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return dialog.exec() == QDialog::Accepted ? 1 : 0;
}

void QtUserInterface::messageBox(const QString& title, const QString& text) {
    QMessageBox::information(parent_, title, displayText(text));
}

void QtUserInterface::warningBox(const QString& title, const QString& text) {
    QMessageBox::warning(parent_, title, displayText(text));
}

bool QtUserInterface::askOkCancel(const QString& title, const QString& text) {
    return QMessageBox::question(parent_, title, displayText(text), QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

InputResult QtUserInterface::inputBox(const QString& title, const QString& prompt, InputMode mode,
                                      const QString& initial) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(title);
    dialog.setLabelText(displayText(prompt));
    dialog.setTextValue(initial);
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    if (mode == InputMode::Numeric) {
        // Keep the text form (the callers splice it) but accept only a number.
        if (auto* edit = dialog.findChild<QLineEdit*>()) edit->setValidator(new QDoubleValidator(edit));
    }
    const bool ok = dialog.exec() == QDialog::Accepted;
    return {ok, ok ? dialog.textValue() : QString()};
}

QString QtUserInterface::openFileName(const QString& title, const QString& directory, const QString& filter) {
    return QFileDialog::getOpenFileName(parent_, title, directory, filter);
}

QString QtUserInterface::saveFileName(const QString& title, const QString& directory, const QString& filter) {
    return QFileDialog::getSaveFileName(parent_, title, directory, filter);
}

QString QtUserInterface::folderName(const QString& title, const QString& directory) {
    return QFileDialog::getExistingDirectory(parent_, title, directory);
}

}  // namespace qh::ui
