#pragma once
// What a form's author does to a document at the caret: paragraph layout (alignment,
// indent, lists), tables (insert, rows and columns, merge and split, widths, borders) and
// names (a table cell or a run of text given the alias the program fills). The format bar
// runs these on its editor's cursor; they keep to plain QTextCursor edits, so that undo
// takes each back in one step.
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextListFormat>

class QTextCursor;
class QTextTable;

namespace qh::records {

enum class TableEdit { RowAbove, RowBelow, ColumnLeft, ColumnRight, DeleteRow, DeleteColumn };

// Indents the selected paragraphs by `steps` (negative: out, never below 0).
void indentParagraphs(QTextCursor& cursor, int steps);
// Puts the selected paragraphs in a list of the style, or takes them out of the list they
// are in when it already has that style.
void toggleList(QTextCursor& cursor, QTextListFormat::Style style);

// A table of rows x columns at the caret, columns of equal width over the page, borders of
// one pixel. Null when the sizes are out of 1..50.
QTextTable* insertFormTable(QTextCursor& cursor, int rows, int columns);
// Rows and columns around the caret's cell; false outside a table.
bool editTable(QTextCursor& cursor, TableEdit edit);
// Merges the selected cells; false unless the selection spans cells of one table.
bool mergeSelectedCells(QTextCursor& cursor);
// Splits the merged cell at the caret back into single cells; false when it is not merged.
bool splitCellAtCaret(QTextCursor& cursor);
// Column widths of the caret's table in percent of the page ("20,30,50"); a missing or
// non-positive value leaves that column's width free. False outside a table.
bool setColumnWidths(QTextCursor& cursor, const QList<double>& percents);
// The border of the caret's table in pixels (0 none); false outside a table.
bool setTableBorder(QTextCursor& cursor, double width);

// Gives the alias to the selected text (an inline field) or, without a selection inside a
// table, to the caret's cell; an empty alias takes the name away. False when there is
// neither a selection nor a cell.
bool nameAtCaret(QTextCursor& cursor, const QString& alias);
// The alias at the caret (cell or field), empty when none.
QString nameAtCaretOf(const QTextCursor& cursor);

// The aliases the program fills in forms (XM, XB, … and the 住院病历 family's), sorted.
QStringList knownFormAliases();
// The placeholders a record's text may hold ("{姓名}", …), in a fixed order.
QStringList knownPlaceholders();

}  // namespace qh::records
