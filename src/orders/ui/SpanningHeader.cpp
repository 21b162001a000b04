#include "orders/ui/SpanningHeader.h"

#include <QPainter>

namespace qh::orders {

SpanningHeader::SpanningHeader(ui::DataGrid* grid, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), grid_(grid) {
    setSectionsClickable(false);
    setHighlightSections(false);
}

std::pair<int, int> SpanningHeader::spanOf(int column) const {
    for (const QRect& m : grid_->merges())
        if (m.top() == 0 && column >= m.left() && column <= m.right()) return {m.left(), m.right()};
    return {column, column};
}

void SpanningHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const auto [first, last] = spanOf(logicalIndex);
    if (first == last) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    // Every section of the span paints the whole span, so whichever is painted last leaves
    // the caption whole.
    QRect whole = rect;
    whole.setLeft(sectionViewportPosition(first));
    whole.setRight(sectionViewportPosition(last) + sectionSize(last) - 1);
    painter->save();
    painter->setClipRect(rect);
    QHeaderView::paintSection(painter, whole, first);
    painter->restore();
}

}  // namespace qh::orders
