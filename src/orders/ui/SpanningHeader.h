#pragma once
// Column headers that show the header-row merges of a DataGrid: a caption that spans two
// columns ("开具数量" over the quantity and its unit) is drawn across both.
#include <QHeaderView>

#include "interaction/DataGrid.h"

namespace qh::orders {

class SpanningHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit SpanningHeader(ui::DataGrid* grid, QWidget* parent = nullptr);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    // The merge of the header row that starts at or covers the column, as (first, last).
    std::pair<int, int> spanOf(int column) const;

    ui::DataGrid* grid_;
};

}  // namespace qh::orders
