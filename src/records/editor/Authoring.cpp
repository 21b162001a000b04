#include "records/editor/Authoring.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include "records/documents/RecordComposition.h"
#include "records/editor/DocumentProperties.h"
#include "records/editor/NamedFields.h"

namespace qh::records {

namespace {

// The selected paragraphs, first to last (the caret's one without a selection).
QList<QTextBlock> selectedBlocks(const QTextCursor& cursor) {
    QList<QTextBlock> blocks;
    QTextDocument* doc = cursor.document();
    const QTextBlock last = doc->findBlock(cursor.selectionEnd());
    for (QTextBlock b = doc->findBlock(cursor.selectionStart()); b.isValid(); b = b.next()) {
        blocks << b;
        if (b == last) break;
    }
    return blocks;
}

}  // namespace

void indentParagraphs(QTextCursor& cursor, int steps) {
    cursor.beginEditBlock();
    for (const QTextBlock& block : selectedBlocks(cursor)) {
        QTextCursor c(block);
        QTextBlockFormat f = block.blockFormat();
        f.setIndent(qMax(0, f.indent() + steps));
        c.setBlockFormat(f);
    }
    cursor.endEditBlock();
}

void toggleList(QTextCursor& cursor, QTextListFormat::Style style) {
    cursor.beginEditBlock();
    QTextList* current = cursor.currentList();
    if (current && current->format().style() == style) {
        for (const QTextBlock& block : selectedBlocks(cursor)) {
            if (QTextList* list = block.textList()) list->remove(block);
            QTextCursor c(block);
            QTextBlockFormat f = block.blockFormat();
            f.setIndent(0);
            c.setBlockFormat(f);
        }
    } else {
        QTextListFormat format;
        format.setStyle(style);
        format.setIndent(1);
        cursor.createList(format);
    }
    cursor.endEditBlock();
}

QTextTable* insertFormTable(QTextCursor& cursor, int rows, int columns) {
    if (rows < 1 || rows > 50 || columns < 1 || columns > 50) return nullptr;
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellPadding(2);
    format.setCellSpacing(0);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QList<QTextLength> widths;
    for (int c = 0; c < columns; ++c) widths << QTextLength(QTextLength::PercentageLength, 100.0 / columns);
    format.setColumnWidthConstraints(widths);
    return cursor.insertTable(rows, columns, format);
}

bool editTable(QTextCursor& cursor, TableEdit edit) {
    QTextTable* table = cursor.currentTable();
    if (!table) return false;
    const QTextTableCell cell = table->cellAt(cursor);
    if (!cell.isValid()) return false;
    switch (edit) {
    case TableEdit::RowAbove: table->insertRows(cell.row(), 1); break;
    case TableEdit::RowBelow: table->insertRows(cell.row() + cell.rowSpan(), 1); break;
    case TableEdit::ColumnLeft: table->insertColumns(cell.column(), 1); break;
    case TableEdit::ColumnRight: table->insertColumns(cell.column() + cell.columnSpan(), 1); break;
    case TableEdit::DeleteRow:
        if (table->rows() == 1) return false;  // the last row goes with the table, not here
        table->removeRows(cell.row(), 1);
        break;
    case TableEdit::DeleteColumn:
        if (table->columns() == 1) return false;
        table->removeColumns(cell.column(), 1);
        break;
    }
    // Widths in percent follow the new number of columns.
    if (edit == TableEdit::ColumnLeft || edit == TableEdit::ColumnRight || edit == TableEdit::DeleteColumn) {
        QTextTableFormat f = table->format();
        QList<QTextLength> widths;
        for (int c = 0; c < table->columns(); ++c)
            widths << QTextLength(QTextLength::PercentageLength, 100.0 / table->columns());
        f.setColumnWidthConstraints(widths);
        table->setFormat(f);
    }
    return true;
}

bool mergeSelectedCells(QTextCursor& cursor) {
    QTextTable* table = cursor.currentTable();
    if (!table || !cursor.hasComplexSelection()) {
        // A selection from one cell into another of the same table is not "complex" until
        // it covers whole cells; take the two ends' cells.
        if (!table || !cursor.hasSelection()) return false;
        QTextCursor a(cursor.document()), b(cursor.document());
        a.setPosition(cursor.selectionStart());
        b.setPosition(cursor.selectionEnd());
        if (a.currentTable() != table || b.currentTable() != table) return false;
        const QTextTableCell first = table->cellAt(a), last = table->cellAt(b);
        if (first == last) return false;
        const int top = qMin(first.row(), last.row()), left = qMin(first.column(), last.column());
        const int bottom = qMax(first.row() + first.rowSpan(), last.row() + last.rowSpan());
        const int right = qMax(first.column() + first.columnSpan(), last.column() + last.columnSpan());
        table->mergeCells(top, left, bottom - top, right - left);
        return true;
    }
    table->mergeCells(cursor);
    return true;
}

bool splitCellAtCaret(QTextCursor& cursor) {
    QTextTable* table = cursor.currentTable();
    if (!table) return false;
    const QTextTableCell cell = table->cellAt(cursor);
    if (!cell.isValid() || (cell.rowSpan() == 1 && cell.columnSpan() == 1)) return false;
    table->splitCell(cell.row(), cell.column(), 1, 1);
    return true;
}

bool setColumnWidths(QTextCursor& cursor, const QList<double>& percents) {
    QTextTable* table = cursor.currentTable();
    if (!table) return false;
    QList<QTextLength> widths;
    for (int c = 0; c < table->columns(); ++c) {
        const double p = c < percents.size() ? percents[c] : 0;
        widths << (p > 0 ? QTextLength(QTextLength::PercentageLength, p) : QTextLength());
    }
    QTextTableFormat f = table->format();
    f.setColumnWidthConstraints(widths);
    table->setFormat(f);
    return true;
}

bool setTableBorder(QTextCursor& cursor, double width) {
    QTextTable* table = cursor.currentTable();
    if (!table) return false;
    QTextTableFormat f = table->format();
    f.setBorder(qMax(0.0, width));
    f.setBorderStyle(width > 0 ? QTextFrameFormat::BorderStyle_Solid : QTextFrameFormat::BorderStyle_None);
    table->setFormat(f);
    return true;
}

bool nameAtCaret(QTextCursor& cursor, const QString& alias) {
    const QString name = alias.trimmed();
    if (cursor.hasSelection() && !cursor.hasComplexSelection()) {
        if (name.isEmpty()) {
            // An empty alias is no alias: the property goes from every character.
            QTextCursor c(cursor);
            const int from = cursor.selectionStart(), to = cursor.selectionEnd();
            for (int pos = from; pos < to; ++pos) {
                c.setPosition(pos);
                c.setPosition(pos + 1, QTextCursor::KeepAnchor);
                QTextCharFormat own = c.charFormat();
                own.clearProperty(AliasProperty);
                c.setCharFormat(own);
            }
            return true;
        }
        markNamedField(cursor, name);
        return true;
    }
    QTextTable* table = cursor.currentTable();
    if (!table) return false;
    const QTextTableCell cell = table->cellAt(cursor);
    if (!cell.isValid()) return false;
    setCellAlias(cell, name);
    return true;
}

QString nameAtCaretOf(const QTextCursor& cursor) {
    if (QTextTable* table = cursor.currentTable()) {
        const QString alias = table->cellAt(cursor).format().property(AliasProperty).toString();
        if (!alias.isEmpty()) return alias;
    }
    return cursor.charFormat().property(AliasProperty).toString();
}

QStringList knownFormAliases() {
    CompositionInput input;
    input.key = QStringLiteral("住院病历");
    QStringList names = cellValues(input).keys();
    names.sort();
    return names;
}

QStringList knownPlaceholders() {
    return {QStringLiteral("{姓名}"),     QStringLiteral("{性别}"),     QStringLiteral("{年龄}"),
            QStringLiteral("{诊断}"),     QStringLiteral("{床号}"),     QStringLiteral("{住址}"),
            QStringLiteral("{科室}"),     QStringLiteral("{主诉}"),     QStringLiteral("{住院号}"),
            QStringLiteral("{主管医生}"), QStringLiteral("{病室}"),     QStringLiteral("{医疗证号}"),
            QStringLiteral("{职业}"),     QStringLiteral("{出生日期}"), QStringLiteral("{联系电话}"),
            QStringLiteral("{身份证号}"), QStringLiteral("{联系人}"),   QStringLiteral("{患者关系}"),
            QStringLiteral("{T}"),        QStringLiteral("{P}"),        QStringLiteral("{R}"),
            QStringLiteral("{Bp}"),       QStringLiteral("{入院日期}"), QStringLiteral("{入院日期1}"),
            QStringLiteral("{入院日期2}"), QStringLiteral("{入院日期3}"), QStringLiteral("{入院日期4}"),
            QStringLiteral("{入院日期5}"), QStringLiteral("{日期}"),     QStringLiteral("{日期1}"),
            QStringLiteral("{日期2}"),    QStringLiteral("{日期3}"),    QStringLiteral("{日期4}"),
            QStringLiteral("{日期5}"),    QStringLiteral("{天数}")};
}

}  // namespace qh::records
