#pragma once
// The date fields of the front-page forms (used by the Designer forms): a date box that is
// one field for Tab and can be empty, shown blank; its earliest value stands for "no date".
#include <QDateTime>

#include "interaction/ui/DateField.h"

namespace qh::frontpage {

class FrontDateEdit : public ui::DateField {
    Q_OBJECT
public:
    explicit FrontDateEdit(QWidget* parent = nullptr);
    // An invalid value empties the field.
    void setValue(const QDateTime& at);
    // Invalid when the field is empty.
    QDateTime value() const;
};

}  // namespace qh::frontpage
