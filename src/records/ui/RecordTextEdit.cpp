#include "records/ui/RecordTextEdit.h"

#include "common/Clock.h"
#include "records/editor/DocumentProperties.h"
#include "records/editor/PagePrinter.h"
#include "records/editor/RecordDocument.h"
#include "records/editor/Revisions.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextFrame>
#include <QTextTable>
#include <QTimer>
#include <QToolTip>

namespace qh::records {
namespace {

bool isEditingKey(QKeyEvent* e) {
    if (e->matches(QKeySequence::Cut) || e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Undo) ||
        e->matches(QKeySequence::Redo) || e->matches(QKeySequence::Delete) || e->matches(QKeySequence::DeleteStartOfWord) ||
        e->matches(QKeySequence::DeleteEndOfWord) || e->matches(QKeySequence::DeleteEndOfLine) ||
        e->matches(QKeySequence::InsertParagraphSeparator) || e->matches(QKeySequence::InsertLineSeparator))
        return true;
    switch (e->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab: return true;
    default: break;
    }
    const QString text = e->text();
    return !text.isEmpty() && text.at(0).isPrint() && !(e->modifiers() & Qt::ControlModifier);
}

}  // namespace

RecordTextEdit::RecordTextEdit(RecordDocument* record, bool forBody, QWidget* parent)
    : QTextEdit(parent), record_(record), forBody_(forBody), breakTimer_(new QTimer(this)) {
    breakTimer_->setSingleShot(true);
    breakTimer_->setInterval(400);  // re-paginate once typing pauses, not on every key
    connect(breakTimer_, &QTimer::timeout, this, &RecordTextEdit::refreshPageBreaks);
    setAcceptRichText(true);
    attach();
}

void RecordTextEdit::attach() {
    QTextDocument* doc = forBody_ ? record_->body() : record_->header();
    if (document() != doc) {
        const QFont font = doc->defaultFont();  // the view must not impose its own font
        setDocument(doc);
        doc->setDefaultFont(font);
        connect(doc, &QTextDocument::contentsChanged, breakTimer_, qOverload<>(&QTimer::start));
        pageBreaks_.clear();  // they were the old document's positions
    }
    const bool readOnly = record_->protection() == Protection::ReadOnly;
    setReadOnly(readOnly);
    if (readOnly) setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Dragging text around is a move that protection and revisions cannot follow.
    setAcceptDrops(record_->protection() == Protection::None && !record_->trackChanges());
    if (forBody_) {
        setLineWrapMode(QTextEdit::FixedPixelWidth);
        setLineWrapColumnOrWidth(int(bodyTextWidth(*record_, logicalDpiX()) + 2 * doc->documentMargin()));
        // Paginating lays the whole document out again; composing a record re-attaches
        // several times in a row (content, header, paper, protection), so once is enough.
        breakTimer_->start();
    }
}

bool RecordTextEdit::tracking() const { return forBody_ && record_->trackChanges(); }

bool RecordTextEdit::userMayChangeSelection(int extendBack, int extendForward) const {
    if (isReadOnly()) return false;
    if (!forBody_) return record_->protection() == Protection::None;
    QTextCursor c = textCursor();
    return record_->userMayEdit(qMax(0, c.selectionStart() - extendBack), c.selectionEnd() + extendForward);
}

void RecordTextEdit::keyPressEvent(QKeyEvent* e) {
    if (!isEditingKey(e)) {
        QTextEdit::keyPressEvent(e);
        return;
    }
    const bool hasSelection = textCursor().hasSelection();
    const bool back = e->key() == Qt::Key_Backspace;
    const bool forward = e->key() == Qt::Key_Delete;
    if (e->matches(QKeySequence::Paste)) {
        guardedPaste();
        return;
    }
    if (e->matches(QKeySequence::Cut)) {
        guardedCut();
        return;
    }
    if (!userMayChangeSelection(back && !hasSelection ? 1 : 0, forward && !hasSelection ? 1 : 0)) {
        e->accept();  // refused: protected text
        return;
    }
    if (!tracking() || e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo)) {
        typeWithoutRevisionMarks();
        QTextEdit::keyPressEvent(e);
        return;
    }
    if (back || forward) {
        trackedDelete(back);
    } else if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        insertTyped(QStringLiteral("\n"));
    } else if (!e->text().isEmpty()) {
        insertTyped(e->text());
    }
    e->accept();
}

void RecordTextEdit::inputMethodEvent(QInputMethodEvent* e) {
    if (e->commitString().isEmpty() && !textCursor().hasSelection()) {
        QTextEdit::inputMethodEvent(e);  // composing: nothing enters the document yet
        return;
    }
    if (!userMayChangeSelection()) {
        e->accept();
        return;
    }
    if (!tracking()) {
        typeWithoutRevisionMarks();
        QTextEdit::inputMethodEvent(e);
        return;
    }
    const QString commit = e->commitString();
    QInputMethodEvent composing(e->preeditString(), e->attributes());
    QTextEdit::inputMethodEvent(&composing);
    if (!commit.isEmpty()) insertTyped(commit);
}

void RecordTextEdit::typeWithoutRevisionMarks() {
    // Typed next to a revision, text would take over its marks and be attributed to
    // someone who never wrote it: untracked typing gets the plain look underneath.
    QTextCharFormat format = currentCharFormat();
    if (format.hasProperty(RevisionKindProperty)) setCurrentCharFormat(withoutRevision(format));
}

void RecordTextEdit::insertTyped(const QString& text) {
    QTextCursor c = textCursor();
    insertTracked(c, text, record_->revisionAuthor(), qh::Clock::now());
    setTextCursor(c);
}

void RecordTextEdit::trackedDelete(bool backwards) {
    QTextCursor c = textCursor();
    if (!c.hasSelection()) c.movePosition(backwards ? QTextCursor::PreviousCharacter : QTextCursor::NextCharacter,
                                          QTextCursor::KeepAnchor);
    if (!c.hasSelection()) return;
    const int start = c.selectionStart();
    const int end = deleteTracked(c, record_->revisionAuthor(), qh::Clock::now());
    c.setPosition(backwards ? start : end);
    setTextCursor(c);
}

void RecordTextEdit::guardedPaste() {
    if (!userMayChangeSelection()) return;
    paste();
}

bool RecordTextEdit::insertPassage(const QString& text) {
    if (!userMayChangeSelection()) return false;
    QMimeData passage;
    passage.setText(text);
    insertFromMimeData(&passage);
    return true;
}

void RecordTextEdit::guardedCut() {
    if (!textCursor().hasSelection() || !userMayChangeSelection()) return;
    if (!tracking()) {
        cut();
        return;
    }
    copy();
    trackedDelete(false);
}

void RecordTextEdit::guardedDelete() {
    if (!textCursor().hasSelection() || !userMayChangeSelection()) return;
    if (tracking()) {
        trackedDelete(false);
        return;
    }
    textCursor().removeSelectedText();
}

QMenu* RecordTextEdit::createEditingMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    const bool selected = textCursor().hasSelection();
    const bool mayChange = userMayChangeSelection();
    menu->addAction(QStringLiteral("剪切"), this, &RecordTextEdit::guardedCut)->setEnabled(selected && mayChange);
    menu->addAction(QStringLiteral("复制"), this, &QTextEdit::copy)->setEnabled(selected);
    menu->addAction(QStringLiteral("粘贴"), this, &RecordTextEdit::guardedPaste)->setEnabled(mayChange && canPaste());
    menu->addAction(QStringLiteral("删除"), this, &RecordTextEdit::guardedDelete)->setEnabled(selected && mayChange);
    menu->addSeparator();
    menu->addAction(QStringLiteral("全选"), this, &QTextEdit::selectAll);
    return menu;
}

void RecordTextEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createEditingMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

bool RecordTextEdit::dragMayMoveText() const {
    return !isReadOnly() && record_->protection() == Protection::None && !tracking();
}

void RecordTextEdit::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || dragMayMoveText()) {
        QTextEdit::mouseMoveEvent(event);
        return;
    }
    // A drag started here copies: a move would take text away past protection and revisions.
    const Qt::TextInteractionFlags flags = textInteractionFlags();
    setTextInteractionFlags(flags & ~Qt::TextEditable);
    QTextEdit::mouseMoveEvent(event);
    setTextInteractionFlags(flags);
}

bool RecordTextEdit::canInsertFromMimeData(const QMimeData* source) const {
    return userMayChangeSelection() && QTextEdit::canInsertFromMimeData(source);
}

void RecordTextEdit::insertFromMimeData(const QMimeData* source) {
    if (!userMayChangeSelection()) return;
    if (!tracking()) {
        if (record_->protection() == Protection::FormFill) {
            textCursor().insertText(source->text());  // a form cell takes text, not tables
            return;
        }
        QTextEdit::insertFromMimeData(source);
        return;
    }
    QTextCursor c = textCursor();
    c.beginEditBlock();
    if (c.hasSelection()) c.setPosition(deleteTracked(c, record_->revisionAuthor(), qh::Clock::now()));
    const int start = c.position();
    setTextCursor(c);
    QTextEdit::insertFromMimeData(source);
    markInserted(document(), start, textCursor().position(), record_->revisionAuthor(), qh::Clock::now());
    c.endEditBlock();
}

bool RecordTextEdit::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        auto revision = revisionAt(document(), cursorForPosition(help->pos()).position());
        if (revision)
            QToolTip::showText(help->globalPos(), describeRevision(*revision), viewport());
        else
            QToolTip::hideText();
        return true;
    }
    return QTextEdit::viewportEvent(event);
}

void RecordTextEdit::refreshPageBreaks() {
    if (!forBody_) return;
    pageBreaks_ = pageStartPositions(*record_);
    viewport()->update();
}

void RecordTextEdit::setShowNames(bool on) {
    showNames_ = on;
    viewport()->update();
}

namespace {

void collectNamedCells(QTextFrame* frame, QList<QPair<QTextTableCell, QString>>* out) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child))
            for (int r = 0; r < table->rows(); ++r)
                for (int c = 0; c < table->columns(); ++c) {
                    const QTextTableCell cell = table->cellAt(r, c);
                    if (cell.row() != r || cell.column() != c) continue;
                    const QString alias = cell.format().property(AliasProperty).toString();
                    if (!alias.isEmpty()) out->append({cell, alias});
                }
        collectNamedCells(child, out);
    }
}

}  // namespace

void RecordTextEdit::paintNames(QPainter& painter) {
    const QColor colour(0, 120, 215);
    QFont small = font();
    small.setPointSizeF(7.5);
    painter.setFont(small);
    const QPoint offset(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    const auto label = [&](const QRect& box, const QString& alias) {
        painter.setPen(QPen(colour, 1, Qt::DashLine));
        painter.drawRect(box);
        const QRect tag(box.left(), box.top(), painter.fontMetrics().horizontalAdvance(alias) + 6,
                        painter.fontMetrics().height());
        painter.fillRect(tag, QColor(0, 120, 215, 40));
        painter.setPen(colour);
        painter.drawText(tag, Qt::AlignCenter, alias);
    };
    QList<QPair<QTextTableCell, QString>> cells;
    collectNamedCells(document()->rootFrame(), &cells);
    for (const auto& [cell, alias] : cells) {
        QRectF box;
        for (QTextBlock b = document()->findBlock(cell.firstPosition());
             b.isValid() && b.position() <= cell.lastPosition(); b = b.next())
            box = box.united(layout->blockBoundingRect(b));
        label(box.toRect().translated(offset).adjusted(-1, -1, 1, 1), alias);
    }
    // Inline fields: each run of text carrying an alias.
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QString alias = f.charFormat().property(AliasProperty).toString();
            if (alias.isEmpty()) continue;
            QTextCursor from(document()), to(document());
            from.setPosition(f.position());
            to.setPosition(f.position() + f.length());
            const QRect a = cursorRect(from), z = cursorRect(to);
            const QRect box = a.top() == z.top() ? QRect(a.topLeft(), z.bottomRight()) : a.united(z);
            label(box.adjusted(-1, -1, 1, 1), alias);
        }
}

void RecordTextEdit::paintEvent(QPaintEvent* event) {
    QTextEdit::paintEvent(event);
    if (showNames_ && forBody_) {
        QPainter names(viewport());
        paintNames(names);
    }
    if (!forBody_ || pageBreaks_.isEmpty()) return;
    QPainter painter(viewport());
    painter.setPen(QPen(QColor(120, 120, 120), 1, Qt::DashLine));
    QFont small = font();
    small.setPointSizeF(8);
    painter.setFont(small);
    int page = 1;
    for (int position : pageBreaks_) {
        QTextCursor c(document());
        c.setPosition(qMin(position, document()->characterCount() - 1));
        const int y = cursorRect(c).top() - 2;
        painter.drawLine(0, y, viewport()->width(), y);
        painter.drawText(QRect(0, y - 14, viewport()->width() - 4, 13), Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("第 %1 页 ↑ 第 %2 页 ↓").arg(page).arg(page + 1));
        ++page;
    }
}

}  // namespace qh::records
