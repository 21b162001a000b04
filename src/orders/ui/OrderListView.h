#pragma once
// An order list as the nurse works it: whole rows are selected with the arrow keys, Enter
// executes the selected group (护士执行), the right button opens the list's pop-up menu.
// Content texts are padded in bytes, so the list uses a font whose Chinese characters are
// exactly twice as wide as the others.
#include "interaction/ui/DataGridView.h"

namespace qh::orders {

class OrderListView : public ui::DataGridView {
    Q_OBJECT
public:
    explicit OrderListView(QWidget* parent = nullptr);
    // Grid row of the current cell, 0 when none.
    int currentGridRow() const;

signals:
    // Enter or Return on a row: the one key that executes.
    void executeKey();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace qh::orders
