#pragma once
// A list that drops down under a cell while the user types: the typed text on top, the
// matching rows below with the first one highlighted. ↑/↓ move, Enter or a double click
// takes the row, Esc closes.
#include <QFrame>
#include <functional>

#include "interaction/DataGrid.h"

class QLineEdit;

namespace qh::ui {
class DataGridView;
}

namespace qh::orders {

class PickList : public QFrame {
    Q_OBJECT
public:
    explicit PickList(QWidget* parent = nullptr);

    // Fills the grid for the typed text (called at once and on every change).
    using Refill = std::function<void(ui::DataGrid& grid, const QString& typed)>;
    // Shows the list under `below` (global position) starting from `typed`.
    void open(const QPoint& below, const QString& typed, Refill refill);
    ui::DataGrid& grid() { return grid_; }
    QString typed() const;

signals:
    // Row r of the grid (1-based) was taken.
    void taken(int row);
    void cancelled();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void take();
    void fitRows();

    ui::DataGrid grid_;
    ui::DataGridView* view_;
    QLineEdit* edit_;
    Refill refill_;
    bool done_ = false;
};

}  // namespace qh::orders
