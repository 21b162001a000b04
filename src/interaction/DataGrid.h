#pragma once
// The grid behind every list and entry table: row 0 is the header row, rows 1.. hold
// data. Cells carry text, a font style (bold 1, strike-out 8), text and background
// colours given as 0x00BBGGRR, and an alignment; columns carry widths, drop-down item
// lists and a hidden flag; rows a height and a value (e.g. the 编号 of the row's record).
// As a table model it offers the data rows to a view (model row r is grid row r + 1);
// the header row becomes the view's column headers.
#include <QAbstractTableModel>
#include <QColor>
#include <QRect>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace qh::ui {

enum FontStyle { Bold = 1, StrikeOut = 8 };

// 0x00BBGGRR, the colour form stored with grids and drawings.
QColor colorFromBgr(quint32 bgr);
quint32 bgrFromColor(const QColor& c);

class DataGrid : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataGrid(int cols = 1, QObject* parent = nullptr);

    // Rows, including the header row 0; at least 1.
    int rows() const { return int(rows_.size()); }
    void setRows(int n);
    int cols() const { return int(columns_.size()); }
    void setCols(int n);
    // Appends a data row; texts fill its cells from column 0. Returns its row index.
    int addRow(const QStringList& texts = QStringList());
    // Inserts an empty row before row `at` (1..rows(); rows() appends). A merge it lands
    // inside grows by the new row.
    void insertRow(int at);
    void removeRow(int r);
    // Back to the header row alone.
    void clearRows();

    QString text(int r, int c) const;
    void setText(int r, int c, const QString& text);
    void setHeader(const QStringList& captions);

    // The current cell; -1 when none.
    int row() const { return currentRow_; }
    int col() const { return currentCol_; }
    void setCurrent(int r, int c);

    QVariant rowValue(int r) const;
    void setRowValue(int r, const QVariant& value);

    // Drop-down item list of a column: an edited cell of that column offers these items.
    void setColumnItems(int c, const QStringList& items);
    QStringList columnItems(int c) const;
    void setColumnWidth(int c, int pixels);
    int columnWidth(int c) const;  // 0: the view's default
    void setColumnHidden(int c, bool hidden);
    bool isColumnHidden(int c) const;
    void setColumnAlignment(int c, Qt::Alignment a);

    int cellFontStyle(int r, int c) const;  // FontStyle bits
    void setCellFontStyle(int r, int c, int style);
    // -1 when the cell uses the view's default.
    qint64 cellForeColor(int r, int c) const;
    void setCellForeColor(int r, int c, quint32 bgr);
    qint64 cellBackColor(int r, int c) const;
    void setCellBackColor(int r, int c, quint32 bgr);
    Qt::Alignment cellAlignment(int r, int c) const;  // the column's when the cell has none
    void setCellAlignment(int r, int c, Qt::Alignment a);
    // Sets style and colours on every cell of a row.
    void setRowFontStyle(int r, int style);
    void setRowForeColor(int r, quint32 bgr);

    // Merged cells: the rectangle shows as one cell with the top-left cell's text.
    // Ranges that overlap an existing one are refused (false).
    bool mergeCells(int r1, int c1, int r2, int c2);
    void clearMerges();
    const QVector<QRect>& merges() const { return merges_; }  // x = column, y = row

    void setRowHeight(int r, int pixels);
    int rowHeight(int r) const;  // 0: the view's default

    void setEditable(bool on) { editable_ = on; }
    bool isEditable() const { return editable_; }

    // QAbstractTableModel over the data rows.
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // Widths, heights, hidden columns or merges changed: the view re-applies them.
    void layoutSettingsChanged();
    void currentCellChanged(int row, int col);

private:
    struct Cell {
        QString text;
        int style = 0;
        qint64 fore = -1;
        qint64 back = -1;
        Qt::Alignment align;
    };
    struct Row {
        QVector<Cell> cells;
        int height = 0;
        QVariant value;
    };
    struct Column {
        int width = 0;
        bool hidden = false;
        QStringList items;
        Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    };

    bool valid(int r, int c) const { return r >= 0 && r < rows() && c >= 0 && c < cols(); }
    Cell* cell(int r, int c) { return valid(r, c) ? &rows_[r].cells[c] : nullptr; }
    const Cell* cell(int r, int c) const { return valid(r, c) ? &rows_[r].cells[c] : nullptr; }
    Row makeRow() const;
    void cellChanged(int r, int c);

    QVector<Row> rows_;
    QVector<Column> columns_;
    QVector<QRect> merges_;
    int currentRow_ = -1;
    int currentCol_ = -1;
    bool editable_ = false;
};

}  // namespace qh::ui
