#include "interaction/ui/DateField.h"

#include <QFocusEvent>
#include <QTimer>

namespace qh::ui {

DateField::DateField(const QDateTime& value, const QString& format, QWidget* parent) : QDateTimeEdit(value, parent) {
    setDisplayFormat(format);
    setCalendarPopup(true);
    setCurrentSectionIndex(0);
}

bool DateField::focusNextPrevChild(bool next) {
    // QDateTimeEdit moves between its sections here; the form moves between fields.
    return QWidget::focusNextPrevChild(next);
}

void DateField::focusInEvent(QFocusEvent* event) {
    QDateTimeEdit::focusInEvent(event);
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
        event->reason() == Qt::ShortcutFocusReason || event->reason() == Qt::OtherFocusReason) {
        // Typing starts at the year, over the whole date.
        QTimer::singleShot(0, this, [this] {
            setCurrentSectionIndex(0);
            selectAll();
        });
    }
}

}  // namespace qh::ui
