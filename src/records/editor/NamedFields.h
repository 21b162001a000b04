#pragma once
// Named cells and inline named fields: table cells or runs of text that carry an alias
// ("XM", "XB", ...) so the host can fill them, and which stay editable in form-fill mode.
#include <QString>
#include <QTextCharFormat>
#include <QTextTableCell>

class QTextDocument;
class QTextCursor;

namespace qh::records {

// The cell carrying the alias, searched through every table including nested ones.
QTextTableCell findNamedCell(const QTextDocument* doc, const QString& alias);
// The first run of consecutive characters carrying the alias; false when there is none.
bool findNamedField(const QTextDocument* doc, const QString& alias, int* start, int* end);
// Sets the text of the named cell or field (cell first); false and no change when absent.
bool setNamedText(QTextDocument* doc, const QString& alias, const QString& text);
// The alias of the named cell or field covering the position, empty when none.
QString aliasAt(const QTextDocument* doc, int position);

// Gives a table cell its alias (empty text removes it).
void setCellAlias(QTextTableCell cell, const QString& alias);
// Marks the cursor's selection as an inline field named alias.
void markNamedField(QTextCursor& cursor, const QString& alias);

// Whether [from, to] lies inside one named cell or one named field (form-fill editing).
bool rangeInsideNamedArea(const QTextDocument* doc, int from, int to);

// A character format stripped of table-cell and object bookkeeping, fit for inserting text.
QTextCharFormat plainCharFormat(QTextCharFormat format);

}  // namespace qh::records
