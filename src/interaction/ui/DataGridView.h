#pragma once
// A table view over a DataGrid: applies its widths, hidden columns, row heights and merged
// cells, offers a column's drop-down items when a cell is edited, and keeps the grid's
// current cell in step with the view's.
#include <QTableView>

#include "interaction/DataGrid.h"

namespace qh::ui {

class DataGridView : public QTableView {
    Q_OBJECT
public:
    explicit DataGridView(QWidget* parent = nullptr);
    void setGrid(DataGrid* grid);
    DataGrid* grid() const { return grid_; }

private:
    void applyLayout();
    void followGridCurrent(int row, int col);

    DataGrid* grid_ = nullptr;
};

}  // namespace qh::ui
