#include "interaction/DataGrid.h"

#include <QFont>

namespace qh::ui {

QColor colorFromBgr(quint32 bgr) {
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

quint32 bgrFromColor(const QColor& c) {
    return quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
}

DataGrid::DataGrid(int cols, QObject* parent) : QAbstractTableModel(parent) {
    columns_.resize(qMax(1, cols));
    rows_.push_back(makeRow());
}

DataGrid::Row DataGrid::makeRow() const {
    Row r;
    r.cells.resize(cols());
    return r;
}

void DataGrid::setRows(int n) {
    n = qMax(1, n);
    if (n == rows()) return;
    if (n > rows()) {
        beginInsertRows(QModelIndex(), rows() - 1, n - 2);
        while (rows() < n) rows_.push_back(makeRow());
        endInsertRows();
    } else {
        beginRemoveRows(QModelIndex(), n - 1, rows() - 2);
        rows_.resize(n);
        endRemoveRows();
        merges_.erase(std::remove_if(merges_.begin(), merges_.end(),
                                     [n](const QRect& m) { return m.bottom() >= n; }),
                      merges_.end());
        if (currentRow_ >= n) setCurrent(n > 1 ? n - 1 : -1, n > 1 ? currentCol_ : -1);
        emit layoutSettingsChanged();
    }
}

void DataGrid::setCols(int n) {
    n = qMax(1, n);
    if (n == cols()) return;
    beginResetModel();
    columns_.resize(n);
    for (Row& r : rows_) r.cells.resize(n);
    merges_.erase(std::remove_if(merges_.begin(), merges_.end(),
                                 [n](const QRect& m) { return m.right() >= n; }),
                  merges_.end());
    if (currentCol_ >= n) currentCol_ = n - 1;
    endResetModel();
    emit layoutSettingsChanged();
}

int DataGrid::addRow(const QStringList& texts) {
    const int r = rows();
    beginInsertRows(QModelIndex(), r - 1, r - 1);
    Row row = makeRow();
    for (int c = 0; c < cols() && c < texts.size(); ++c) row.cells[c].text = texts[c];
    rows_.push_back(row);
    endInsertRows();
    return r;
}

void DataGrid::insertRow(int at) {
    if (at < 1 || at > rows()) return;
    beginInsertRows(QModelIndex(), at - 1, at - 1);
    rows_.insert(at, makeRow());
    endInsertRows();
    // Merges below move down with their rows; a merge the new row lands inside grows by it,
    // so that it still covers every row it covered before.
    bool moved = false;
    for (QRect& m : merges_) {
        if (m.top() >= at) {
            m.translate(0, 1);
            moved = true;
        } else if (m.bottom() >= at) {
            m.setBottom(m.bottom() + 1);
            moved = true;
        }
    }
    if (currentRow_ >= at) ++currentRow_;
    if (moved) emit layoutSettingsChanged();
}

void DataGrid::removeRow(int r) {
    if (r < 1 || r >= rows()) return;
    beginRemoveRows(QModelIndex(), r - 1, r - 1);
    rows_.remove(r);
    endRemoveRows();
    QVector<QRect> kept;
    for (QRect m : merges_) {
        if (m.top() <= r && m.bottom() >= r) continue;  // the merge lost a row: undone
        if (m.top() > r) m.translate(0, -1);
        kept.push_back(m);
    }
    merges_ = kept;
    if (currentRow_ == r) setCurrent(r < rows() ? r : rows() - 1, currentCol_);
    else if (currentRow_ > r) --currentRow_;
    if (currentRow_ == 0) setCurrent(-1, -1);
    emit layoutSettingsChanged();
}

void DataGrid::clearRows() { setRows(1); }

QString DataGrid::text(int r, int c) const {
    const Cell* x = cell(r, c);
    return x ? x->text : QString();
}

void DataGrid::setText(int r, int c, const QString& text) {
    if (Cell* x = cell(r, c)) {
        x->text = text;
        cellChanged(r, c);
    }
}

void DataGrid::setHeader(const QStringList& captions) {
    if (captions.size() > cols()) setCols(int(captions.size()));
    for (int c = 0; c < captions.size(); ++c) rows_[0].cells[c].text = captions[c];
    emit headerDataChanged(Qt::Horizontal, 0, cols() - 1);
}

void DataGrid::setCurrent(int r, int c) {
    if (!valid(r, c)) r = c = -1;
    if (r == currentRow_ && c == currentCol_) return;
    currentRow_ = r;
    currentCol_ = c;
    emit currentCellChanged(r, c);
}

QVariant DataGrid::rowValue(int r) const { return (r >= 0 && r < rows()) ? rows_[r].value : QVariant(); }

void DataGrid::setRowValue(int r, const QVariant& value) {
    if (r >= 0 && r < rows()) rows_[r].value = value;
}

void DataGrid::setColumnItems(int c, const QStringList& items) {
    if (c >= 0 && c < cols()) columns_[c].items = items;
}

QStringList DataGrid::columnItems(int c) const {
    return (c >= 0 && c < cols()) ? columns_[c].items : QStringList();
}

void DataGrid::setColumnWidth(int c, int pixels) {
    if (c < 0 || c >= cols()) return;
    columns_[c].width = qMax(0, pixels);
    emit layoutSettingsChanged();
}

int DataGrid::columnWidth(int c) const { return (c >= 0 && c < cols()) ? columns_[c].width : 0; }

void DataGrid::setColumnHidden(int c, bool hidden) {
    if (c < 0 || c >= cols()) return;
    columns_[c].hidden = hidden;
    emit layoutSettingsChanged();
}

bool DataGrid::isColumnHidden(int c) const { return c >= 0 && c < cols() && columns_[c].hidden; }

void DataGrid::setColumnAlignment(int c, Qt::Alignment a) {
    if (c < 0 || c >= cols()) return;
    columns_[c].align = a;
    if (rows() > 1) emit dataChanged(index(0, c), index(rows() - 2, c));
}

int DataGrid::cellFontStyle(int r, int c) const {
    const Cell* x = cell(r, c);
    return x ? x->style : 0;
}

void DataGrid::setCellFontStyle(int r, int c, int style) {
    if (Cell* x = cell(r, c)) {
        x->style = style;
        cellChanged(r, c);
    }
}

qint64 DataGrid::cellForeColor(int r, int c) const {
    const Cell* x = cell(r, c);
    return x ? x->fore : -1;
}

void DataGrid::setCellForeColor(int r, int c, quint32 bgr) {
    if (Cell* x = cell(r, c)) {
        x->fore = bgr & 0xFFFFFF;
        cellChanged(r, c);
    }
}

qint64 DataGrid::cellBackColor(int r, int c) const {
    const Cell* x = cell(r, c);
    return x ? x->back : -1;
}

void DataGrid::setCellBackColor(int r, int c, quint32 bgr) {
    if (Cell* x = cell(r, c)) {
        x->back = bgr & 0xFFFFFF;
        cellChanged(r, c);
    }
}

Qt::Alignment DataGrid::cellAlignment(int r, int c) const {
    const Cell* x = cell(r, c);
    if (!x) return {};
    return x->align ? x->align : columns_[c].align;
}

void DataGrid::setCellAlignment(int r, int c, Qt::Alignment a) {
    if (Cell* x = cell(r, c)) {
        x->align = a;
        cellChanged(r, c);
    }
}

void DataGrid::setRowFontStyle(int r, int style) {
    for (int c = 0; c < cols(); ++c) setCellFontStyle(r, c, style);
}

void DataGrid::setRowForeColor(int r, quint32 bgr) {
    for (int c = 0; c < cols(); ++c) setCellForeColor(r, c, bgr);
}

bool DataGrid::mergeCells(int r1, int c1, int r2, int c2) {
    if (!valid(r1, c1) || !valid(r2, c2)) return false;
    const QRect m = QRect(QPoint(qMin(c1, c2), qMin(r1, r2)), QPoint(qMax(c1, c2), qMax(r1, r2)));
    if (m.width() == 1 && m.height() == 1) return false;
    // The header row is the view's column headers and cannot join data rows.
    if (m.top() == 0 && m.bottom() > 0) return false;
    for (const QRect& other : merges_)
        if (other.intersects(m)) return false;
    merges_.push_back(m);
    emit layoutSettingsChanged();
    return true;
}

void DataGrid::clearMerges() {
    merges_.clear();
    emit layoutSettingsChanged();
}

void DataGrid::setRowHeight(int r, int pixels) {
    if (r < 0 || r >= rows()) return;
    rows_[r].height = qMax(0, pixels);
    emit layoutSettingsChanged();
}

int DataGrid::rowHeight(int r) const { return (r >= 0 && r < rows()) ? rows_[r].height : 0; }

void DataGrid::cellChanged(int r, int c) {
    if (r == 0) {
        emit headerDataChanged(Qt::Horizontal, c, c);
    } else {
        const QModelIndex i = index(r - 1, c);
        emit dataChanged(i, i);
    }
}

int DataGrid::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows() - 1; }

int DataGrid::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : cols(); }

QVariant DataGrid::data(const QModelIndex& index, int role) const {
    const int r = index.row() + 1;
    const int c = index.column();
    const Cell* x = cell(r, c);
    if (!x) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return x->text;
    case Qt::FontRole:
        if (x->style) {
            QFont f;
            f.setBold(x->style & Bold);
            f.setStrikeOut(x->style & StrikeOut);
            return f;
        }
        return {};
    case Qt::ForegroundRole:
        return x->fore >= 0 ? QVariant(colorFromBgr(quint32(x->fore))) : QVariant();
    case Qt::BackgroundRole:
        return x->back >= 0 ? QVariant(colorFromBgr(quint32(x->back))) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(int(cellAlignment(r, c)));
    default:
        return {};
    }
}

bool DataGrid::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !editable_) return false;
    const int r = index.row() + 1;
    if (!valid(r, index.column())) return false;
    setText(r, index.column(), value.toString());
    return true;
}

QVariant DataGrid::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal && role == Qt::DisplayRole) return text(0, section);
    if (o == Qt::Horizontal && role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return QAbstractTableModel::headerData(section, o, role);
}

Qt::ItemFlags DataGrid::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (editable_) f |= Qt::ItemIsEditable;
    return f;
}

}  // namespace qh::ui
