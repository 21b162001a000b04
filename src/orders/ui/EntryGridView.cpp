#include "orders/ui/EntryGridView.h"

#include <QHeaderView>
#include <QKeyEvent>

#include "orders/OrderModel.h"

namespace qh::orders {

EntryGridView::EntryGridView(QWidget* parent) : ui::DataGridView(parent) {
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(true);
    verticalHeader()->setDefaultSectionSize(24);
}

int EntryGridView::currentGridRow() const { return currentIndex().isValid() ? currentIndex().row() + 1 : 0; }

void EntryGridView::goTo(int row, int col) {
    if (!grid() || row < 1 || row >= grid()->rows()) return;
    const QModelIndex i = grid()->index(row - 1, col);
    setCurrentIndex(i);
    scrollTo(i);
    setFocus();
}

QPoint EntryGridView::belowCurrentCell() const {
    const QRect r = visualRect(currentIndex());
    return viewport()->mapToGlobal(r.bottomLeft());
}

void EntryGridView::keyPressEvent(QKeyEvent* event) {
    const QModelIndex i = currentIndex();
    if (!i.isValid() || state() == QAbstractItemView::EditingState) {
        ui::DataGridView::keyPressEvent(event);
        return;
    }
    const int row = i.row() + 1, col = i.column();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit advance(row, col);
        return;
    }
    const QString text = event->text();
    const bool printable = !text.isEmpty() && text.at(0).isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (col == markerColumn_ && printable) {
        const QString k = text.toUpper();
        if (k == u"D" || k == u"1") emit markerTyped(row, kSingle);
        else if (k == u"X" || k == u"2") emit markerTyped(row, kNewGroup);
        else if (k == u"C" || k == u"3") emit markerTyped(row, kInGroup);
        else if (k == u" ") emit markerTyped(row, QString());
        return;
    }
    if (lookupColumns_.contains(col) && (printable || event->key() == Qt::Key_F4)) {
        emit lookup(row, col, printable ? text : QString());
        return;
    }
    ui::DataGridView::keyPressEvent(event);
}

void EntryGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const QModelIndex i = currentIndex();
    ui::DataGridView::closeEditor(editor, hint);
    if (hint == QAbstractItemDelegate::SubmitModelCache && i.isValid()) emit advance(i.row() + 1, i.column());
}

}  // namespace qh::orders
