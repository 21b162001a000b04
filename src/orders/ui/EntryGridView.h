#pragma once
// The entry grid as the keyboard drives it: Enter moves on (the page decides where), a
// printable key in a lookup column opens that column's pick list instead of an editor, a
// key in the marker column sets the marker (D or 1 单开, X or 2 新组, C or 3 承组).
#include <QSet>

#include "interaction/ui/DataGridView.h"

namespace qh::orders {

class EntryGridView : public ui::DataGridView {
    Q_OBJECT
public:
    explicit EntryGridView(QWidget* parent = nullptr);

    void setLookupColumns(const QSet<int>& columns) { lookupColumns_ = columns; }
    void setMarkerColumn(int column) { markerColumn_ = column; }
    // Grid row and column of the current cell (row 0 when none).
    int currentGridRow() const;
    // The current cell, by grid row, scrolled into view.
    void goTo(int row, int col);
    // Where a pick list opens: under the current cell, in global coordinates.
    QPoint belowCurrentCell() const;

signals:
    // Enter on a cell that is not being edited, or an edit finished with Enter.
    void advance(int row, int col);
    // A printable key on a lookup column (or F4 there, with an empty text).
    void lookup(int row, int col, const QString& typed);
    void markerTyped(int row, const QString& marker);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    QSet<int> lookupColumns_;
    int markerColumn_ = -1;
};

}  // namespace qh::orders
