#include "records/ui/ReplaceDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qh::records {

ReplaceDialog::ReplaceDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("替换"));
    find_ = new QLineEdit(this);
    replacement_ = new QLineEdit(this);
    caseSensitive_ = new QCheckBox(QStringLiteral("区分大小写"), this);
    caseSensitive_->setChecked(true);
    result_ = new QLabel(this);
    auto* replaceAll = new QPushButton(QStringLiteral("全部替换"), this);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    replaceAll->setDefault(true);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("查找内容："), find_);
    form->addRow(QStringLiteral("替换为："), replacement_);
    form->addRow(QString(), caseSensitive_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(result_, 1);
    buttons->addWidget(replaceAll);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    connect(replaceAll, &QPushButton::clicked, this, &ReplaceDialog::requestReplaceAll);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void ReplaceDialog::requestReplaceAll() {
    if (find_->text().isEmpty()) {
        result_->setText(QStringLiteral("请输入查找内容"));
        return;
    }
    emit replaceAllRequested(find_->text(), replacement_->text(), caseSensitive_->isChecked());
}

void ReplaceDialog::showResult(int count) {
    result_->setText(count > 0 ? QStringLiteral("已替换 %1 处").arg(count) : QStringLiteral("未找到“%1”").arg(find_->text()));
}

}  // namespace qh::records
