#include "records/editor/NamedFields.h"

#include "records/editor/DocumentProperties.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace qh::records {
namespace {

QString cellAlias(const QTextTableCell& cell) {
    return cell.format().property(AliasProperty).toString();
}

QTextTableCell searchFrame(QTextFrame* frame, const QString& alias) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) {
            for (int r = 0; r < table->rows(); ++r) {
                for (int c = 0; c < table->columns(); ++c) {
                    QTextTableCell cell = table->cellAt(r, c);
                    // A merged cell is met once per covered slot; look at it only once.
                    if (cell.row() != r || cell.column() != c) continue;
                    if (cellAlias(cell) == alias) return cell;
                }
            }
        }
        QTextTableCell inner = searchFrame(child, alias);
        if (inner.isValid()) return inner;
    }
    return {};
}

// The innermost named cell around the position, walking out through enclosing tables.
QTextTableCell namedCellAt(const QTextDocument* doc, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(doc));
    cursor.setPosition(qBound(0, position, doc->characterCount() - 1));
    for (QTextFrame* frame = cursor.currentFrame(); frame; frame = frame->parentFrame()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (!table) continue;
        QTextTableCell cell = table->cellAt(position);
        if (cell.isValid() && !cellAlias(cell).isEmpty()) return cell;
    }
    return {};
}

QString runAliasAt(const QTextDocument* doc, int position) {
    if (position < 0) return {};
    QTextBlock block = doc->findBlock(position);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        QTextFragment fragment = it.fragment();
        if (fragment.contains(position)) return fragment.charFormat().property(AliasProperty).toString();
    }
    return {};
}

}  // namespace

QTextTableCell findNamedCell(const QTextDocument* doc, const QString& alias) {
    if (alias.isEmpty()) return {};
    return searchFrame(doc->rootFrame(), alias);
}

bool findNamedField(const QTextDocument* doc, const QString& alias, int* start, int* end) {
    if (alias.isEmpty()) return false;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        bool inField = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment fragment = it.fragment();
            bool named = fragment.charFormat().property(AliasProperty).toString() == alias;
            if (named && !inField) {
                inField = true;
                *start = fragment.position();
            }
            if (named) *end = fragment.position() + fragment.length();
            if (!named && inField) return true;
        }
        if (inField) return true;
    }
    return false;
}

QTextCharFormat plainCharFormat(QTextCharFormat format) {
    format.clearProperty(QTextFormat::ObjectIndex);
    format.clearProperty(QTextFormat::ObjectType);
    for (int id = QTextFormat::TableCellRowSpan; id <= QTextFormat::TableCellRightBorderBrush; ++id)
        format.clearProperty(id);
    for (int id = QTextFormat::ImageName; id <= QTextFormat::ImageQuality; ++id) format.clearProperty(id);
    return format;
}

bool setNamedText(QTextDocument* doc, const QString& alias, const QString& text) {
    QTextTableCell cell = findNamedCell(doc, alias);
    if (cell.isValid()) {
        QTextCursor cursor = cell.firstCursorPosition();
        QTextCharFormat format = cursor.blockCharFormat();
        if (cell.lastPosition() > cell.firstPosition()) {
            QTextCursor first = cell.firstCursorPosition();
            first.movePosition(QTextCursor::NextCharacter);
            format = first.charFormat();
        }
        format = plainCharFormat(format);
        format.clearProperty(AliasProperty);  // the name belongs to the cell, not its text
        cursor.setPosition(cell.lastPosition(), QTextCursor::KeepAnchor);
        cursor.insertText(text, format);
        return true;
    }
    int start = 0, end = 0;
    if (!findNamedField(doc, alias, &start, &end)) return false;
    QTextCursor cursor(doc);
    cursor.setPosition(start + 1);
    QTextCharFormat format = plainCharFormat(cursor.charFormat());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    // An inline field exists only through its characters: a blank keeps an emptied field
    // fillable and editable in form-fill mode.
    cursor.insertText(text.isEmpty() ? QStringLiteral(" ") : text, format);
    return true;
}

QString aliasAt(const QTextDocument* doc, int position) {
    QTextTableCell cell = namedCellAt(doc, position);
    if (cell.isValid()) return cellAlias(cell);
    QString alias = runAliasAt(doc, position);
    if (alias.isEmpty()) alias = runAliasAt(doc, position - 1);  // caret just after a field
    return alias;
}

void setCellAlias(QTextTableCell cell, const QString& alias) {
    QTextCharFormat format = cell.format();
    if (alias.isEmpty())
        format.clearProperty(AliasProperty);
    else
        format.setProperty(AliasProperty, alias);
    cell.setFormat(format);
}

void markNamedField(QTextCursor& cursor, const QString& alias) {
    QTextCharFormat format;
    format.setProperty(AliasProperty, alias);
    cursor.mergeCharFormat(format);
}

bool rangeInsideNamedArea(const QTextDocument* doc, int from, int to) {
    if (from > to) std::swap(from, to);
    QTextTableCell a = namedCellAt(doc, from);
    if (a.isValid()) {
        QTextTableCell b = namedCellAt(doc, to);
        return b.isValid() && b.firstPosition() == a.firstPosition();
    }
    QString alias = aliasAt(doc, from);
    if (alias.isEmpty()) return false;
    for (int pos = from; pos < to;) {
        QTextBlock block = doc->findBlock(pos);
        bool covered = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment f = it.fragment();
            if (!f.contains(pos)) continue;
            if (f.charFormat().property(AliasProperty).toString() != alias) return false;
            pos = f.position() + f.length();
            covered = true;
            break;
        }
        if (!covered) ++pos;  // a paragraph end inside the field
    }
    return true;
}

}  // namespace qh::records
