#pragma once
// A date (or date and time) box that is one field for the keyboard: Tab and Shift+Tab leave
// it instead of stepping through its day, month and hour parts, and the whole text is
// selected when it gets the focus, so a date typed over it replaces it. The calendar opens
// from its arrow or with Alt+↓.
#include <QDateTimeEdit>

namespace qh::ui {

class DateField : public QDateTimeEdit {
public:
    // format: "yyyy-MM-dd" for a date, "yyyy-MM-dd HH:mm" for a date and time.
    DateField(const QDateTime& value, const QString& format, QWidget* parent = nullptr);

protected:
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace qh::ui
