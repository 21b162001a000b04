#include "frontpage/ui/FrontDateEdit.h"

namespace qh::frontpage {

namespace {
const QDateTime kEmpty(QDate(1900, 1, 1), QTime(0, 0));
}

FrontDateEdit::FrontDateEdit(QWidget* parent) : ui::DateField(kEmpty, QStringLiteral("yyyy-MM-dd HH:mm"), parent) {
    setMinimumDateTime(kEmpty);
    setSpecialValueText(QStringLiteral(" "));
}

void FrontDateEdit::setValue(const QDateTime& at) { setDateTime(at.isValid() ? at : kEmpty); }

QDateTime FrontDateEdit::value() const { return dateTime() == kEmpty ? QDateTime() : dateTime(); }

}  // namespace qh::frontpage
