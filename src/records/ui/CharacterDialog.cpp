#include "records/ui/CharacterDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

namespace qh::records {

CharacterDialog::CharacterDialog(const QTextCharFormat& current, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("字符"));
    normal_ = new QRadioButton(QStringLiteral("正常"), this);
    superscript_ = new QRadioButton(QStringLiteral("上标"), this);
    subscript_ = new QRadioButton(QStringLiteral("下标"), this);
    switch (current.verticalAlignment()) {
    case QTextCharFormat::AlignSuperScript: superscript_->setChecked(true); break;
    case QTextCharFormat::AlignSubScript: subscript_->setChecked(true); break;
    default: normal_->setChecked(true); break;
    }
    spacing_ = new QDoubleSpinBox(this);
    spacing_->setRange(-5, 20);
    spacing_->setSingleStep(0.5);
    spacing_->setSuffix(QStringLiteral(" 磅"));
    if (current.fontLetterSpacingType() == QFont::AbsoluteSpacing) spacing_->setValue(current.fontLetterSpacing());
    special_ = new QComboBox(this);
    special_->addItem(QStringLiteral("（不插入）"));
    for (const char* symbol : {"℃", "±", "×", "÷", "≤", "≥", "≈", "≠", "↑", "↓", "→", "←", "°", "‰", "μ", "Ⅰ", "Ⅱ",
                               "Ⅲ", "Ⅳ", "Ⅴ", "①", "②", "③", "④", "⑤", "√", "□", "■", "○", "●", "△", "☆", "♀", "♂"})
        special_->addItem(QString::fromUtf8(symbol));
    auto* position = new QHBoxLayout;
    position->addWidget(normal_);
    position->addWidget(superscript_);
    position->addWidget(subscript_);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("位置："), position);
    form->addRow(QStringLiteral("字符间距："), spacing_);
    form->addRow(QStringLiteral("特殊字符："), special_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QTextCharFormat CharacterDialog::format() const {
    QTextCharFormat f;
    f.setVerticalAlignment(superscript_->isChecked() ? QTextCharFormat::AlignSuperScript
                           : subscript_->isChecked() ? QTextCharFormat::AlignSubScript
                                                     : QTextCharFormat::AlignNormal);
    f.setFontLetterSpacingType(QFont::AbsoluteSpacing);
    f.setFontLetterSpacing(spacing_->value());
    return f;
}

QString CharacterDialog::specialCharacter() const {
    return special_->currentIndex() > 0 ? special_->currentText() : QString();
}

}  // namespace qh::records
