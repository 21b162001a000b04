#include "interaction/ui/DataGridView.h"

#include <QComboBox>
#include <QHeaderView>
#include <QStyledItemDelegate>

namespace qh::ui {

namespace {

// Cells of a column with a drop-down list edit through an editable combo box.
class ItemListDelegate : public QStyledItemDelegate {
public:
    ItemListDelegate(DataGrid* grid, QObject* parent) : QStyledItemDelegate(parent), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        const QStringList items = grid_->columnItems(index.column());
        if (items.isEmpty()) return QStyledItemDelegate::createEditor(parent, option, index);
        auto* box = new QComboBox(parent);
        box->setEditable(true);
        box->addItems(items);
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) box->setCurrentText(index.data(Qt::EditRole).toString());
        else QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) model->setData(index, box->currentText(), Qt::EditRole);
        else QStyledItemDelegate::setModelData(editor, model, index);
    }

private:
    DataGrid* grid_;
};

}  // namespace

DataGridView::DataGridView(QWidget* parent) : QTableView(parent) {
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    horizontalHeader()->setHighlightSections(false);
}

void DataGridView::setGrid(DataGrid* grid) {
    if (grid_) disconnect(grid_, nullptr, this, nullptr);
    grid_ = grid;
    setModel(grid);
    if (!grid) return;
    setItemDelegate(new ItemListDelegate(grid, this));
    connect(grid, &DataGrid::layoutSettingsChanged, this, &DataGridView::applyLayout);
    connect(grid, &QAbstractItemModel::rowsInserted, this, &DataGridView::applyLayout);
    connect(grid, &QAbstractItemModel::modelReset, this, &DataGridView::applyLayout);
    connect(grid, &DataGrid::currentCellChanged, this, &DataGridView::followGridCurrent);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& now) {
                if (grid_ && now.isValid()) grid_->setCurrent(now.row() + 1, now.column());
            });
    applyLayout();
}

void DataGridView::applyLayout() {
    if (!grid_) return;
    for (int c = 0; c < grid_->cols(); ++c) {
        setColumnHidden(c, grid_->isColumnHidden(c));
        if (grid_->columnWidth(c) > 0) setColumnWidth(c, grid_->columnWidth(c));
    }
    if (grid_->rowHeight(0) > 0) horizontalHeader()->setFixedHeight(grid_->rowHeight(0));
    for (int r = 1; r < grid_->rows(); ++r)
        if (grid_->rowHeight(r) > 0) setRowHeight(r - 1, grid_->rowHeight(r));
    clearSpans();
    for (const QRect& m : grid_->merges())
        if (m.top() >= 1) setSpan(m.top() - 1, m.left(), m.height(), m.width());
}

void DataGridView::followGridCurrent(int row, int col) {
    if (row >= 1 && col >= 0) {
        const QModelIndex i = grid_->index(row - 1, col);
        if (currentIndex() != i) setCurrentIndex(i);
    }
}

}  // namespace qh::ui
