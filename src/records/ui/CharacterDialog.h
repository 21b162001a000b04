#pragma once
// "字符": superscript and subscript, character spacing, and the special characters that
// records need (℃, ±, ×, ↑ ...).
#include <QDialog>
#include <QTextCharFormat>

class QComboBox;
class QDoubleSpinBox;
class QRadioButton;

namespace qh::records {

class CharacterDialog : public QDialog {
    Q_OBJECT
public:
    CharacterDialog(const QTextCharFormat& current, QWidget* parent = nullptr);
    // Only the properties this dialog sets, to merge into the selection.
    QTextCharFormat format() const;
    // The chosen special character, empty for none.
    QString specialCharacter() const;

    QRadioButton* superscriptButton() const { return superscript_; }
    QRadioButton* subscriptButton() const { return subscript_; }
    QDoubleSpinBox* spacingBox() const { return spacing_; }
    QComboBox* specialBox() const { return special_; }

private:
    QRadioButton* normal_;
    QRadioButton* superscript_;
    QRadioButton* subscript_;
    QDoubleSpinBox* spacing_;
    QComboBox* special_;
};

}  // namespace qh::records
