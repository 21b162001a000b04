#include "orders/ui/OrderListView.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace qh::orders {

OrderListView::OrderListView(QWidget* parent) : ui::DataGridView(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setWordWrap(false);
    verticalHeader()->setDefaultSectionSize(24);
    QFont cells = font();
    cells.setFamilies({QStringLiteral("NSimSun"), QStringLiteral("新宋体"), QStringLiteral("WenQuanYi Zen Hei Mono"),
                       QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("monospace")});
    cells.setStyleHint(QFont::TypeWriter);
    cells.setPointSize(10);
    setFont(cells);
}

int OrderListView::currentGridRow() const { return currentIndex().isValid() ? currentIndex().row() + 1 : 0; }

void OrderListView::keyPressEvent(QKeyEvent* event) {
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier));
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && plain) {
        emit executeKey();
        return;
    }
    ui::DataGridView::keyPressEvent(event);
}

}  // namespace qh::orders
