#include "records/editor/Revisions.h"

#include "records/editor/NamedFields.h"

#include <QBrush>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <vector>

namespace qh::records {
namespace {

const QColor kInsertionColor(0x00, 0x50, 0xC8);
const QColor kDeletionColor(0xC0, 0x00, 0x00);

struct Piece {
    int start;
    int end;
    QTextCharFormat format;
};

RevisionKind kindOf(const QTextCharFormat& f) {
    return RevisionKind(f.intProperty(RevisionKindProperty));
}

bool sameRevision(const QTextCharFormat& a, const QTextCharFormat& b) {
    return kindOf(a) == kindOf(b) && a.stringProperty(RevisionAuthorProperty) == b.stringProperty(RevisionAuthorProperty) &&
           a.stringProperty(RevisionTimeProperty) == b.stringProperty(RevisionTimeProperty);
}

// Fragments overlapping [start, end), cut to the range, in document order.
std::vector<Piece> piecesIn(const QTextDocument* doc, int start, int end) {
    std::vector<Piece> out;
    for (QTextBlock block = doc->findBlock(start); block.isValid() && block.position() < end; block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment f = it.fragment();
            int s = qMax(start, f.position()), e = qMin(end, f.position() + f.length());
            if (s < e) out.push_back({s, e, f.charFormat()});
        }
    }
    return out;
}

void setFormat(QTextDocument* doc, int start, int end, const QTextCharFormat& format) {
    QTextCursor c(doc);
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    c.setCharFormat(format);
}

void removeRange(QTextDocument* doc, int start, int end) {
    QTextCursor c(doc);
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    c.removeSelectedText();
}

QTextCharFormat marked(const QTextCharFormat& base, RevisionKind kind, const QString& author, const QString& time) {
    QTextCharFormat f = withoutRevision(base);
    if (f.hasProperty(QTextFormat::ForegroundBrush)) f.setProperty(SavedForegroundProperty, f.foreground());
    if (f.hasProperty(QTextFormat::TextUnderlineStyle))
        f.setProperty(SavedUnderlineStyleProperty, f.intProperty(QTextFormat::TextUnderlineStyle));
    if (f.hasProperty(QTextFormat::TextUnderlineColor)) f.setProperty(SavedUnderlineColorProperty, f.underlineColor());
    if (f.hasProperty(QTextFormat::FontStrikeOut)) f.setProperty(SavedStrikeOutProperty, f.fontStrikeOut());
    if (f.hasProperty(QTextFormat::FontUnderline))
        f.setProperty(SavedFontUnderlineProperty, f.boolProperty(QTextFormat::FontUnderline));
    if (kind == RevisionKind::Insertion) {
        f.setForeground(kInsertionColor);
        f.setUnderlineStyle(QTextCharFormat::SingleUnderline);
        f.setUnderlineColor(kInsertionColor);
    } else {
        f.setForeground(kDeletionColor);
        f.setFontStrikeOut(true);
    }
    f.setProperty(RevisionKindProperty, int(kind));
    f.setProperty(RevisionAuthorProperty, author);
    f.setProperty(RevisionTimeProperty, time);
    return f;
}

// The same container (frame, and cell within a table): revisions never reach across.
bool sameContainer(QTextDocument* doc, int a, int b) {
    QTextCursor ca(doc), cb(doc);
    ca.setPosition(a);
    cb.setPosition(b);
    if (ca.currentFrame() != cb.currentFrame()) return false;
    if (QTextTable* t = ca.currentTable()) return t->cellAt(a) == t->cellAt(b);
    return true;
}

// All revisions of the document, consecutive marked pieces of one revision joined.
std::vector<Revision> allRevisions(const QTextDocument* doc) {
    auto* mutableDoc = const_cast<QTextDocument*>(doc);
    std::vector<Revision> out;
    QTextCharFormat last;
    for (const Piece& p : piecesIn(doc, 0, doc->characterCount())) {
        RevisionKind kind = kindOf(p.format);
        if (kind == RevisionKind::None) continue;
        // Pieces of one revision join when they touch, or when only the end of a paragraph
        // lies between them; an unmarked character between them keeps them apart.
        const bool adjacent = !out.empty() && (p.start == out.back().end ||
                                               (p.start == out.back().end + 1 &&
                                                doc->characterAt(out.back().end) == QChar::ParagraphSeparator));
        if (adjacent && sameRevision(last, p.format) && sameContainer(mutableDoc, out.back().start, p.start)) {
            out.back().end = p.end;
            continue;
        }
        out.push_back({kind, p.format.stringProperty(RevisionAuthorProperty), p.format.stringProperty(RevisionTimeProperty),
                       p.start, p.end});
        last = p.format;
    }
    return out;
}

void settle(QTextDocument* doc, const Revision& r, bool accept) {
    const bool removeText = (r.kind == RevisionKind::Insertion) != accept;
    if (removeText) {
        removeRange(doc, r.start, r.end);
        return;
    }
    for (const Piece& p : piecesIn(doc, r.start, r.end))
        if (kindOf(p.format) != RevisionKind::None) setFormat(doc, p.start, p.end, withoutRevision(p.format));
}

bool settleAt(QTextDocument* doc, int position, bool accept) {
    auto r = revisionAt(doc, position);
    if (!r) return false;
    QTextCursor edit(doc);
    edit.beginEditBlock();
    settle(doc, *r, accept);
    edit.endEditBlock();
    return true;
}

int settleAll(QTextDocument* doc, bool accept) {
    auto revisions = allRevisions(doc);
    QTextCursor edit(doc);
    edit.beginEditBlock();
    // From the end, so that removing text does not move revisions not yet settled.
    for (auto it = revisions.rbegin(); it != revisions.rend(); ++it) settle(doc, *it, accept);
    edit.endEditBlock();
    return int(revisions.size());
}

}  // namespace

QString revisionTimeText(const QDateTime& when) { return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }

QTextCharFormat withoutRevision(QTextCharFormat f) {
    if (!f.hasProperty(RevisionKindProperty)) return f;
    auto restore = [&f](int saved, int property) {
        if (f.hasProperty(saved))
            f.setProperty(property, f.property(saved));
        else
            f.clearProperty(property);
        f.clearProperty(saved);
    };
    restore(SavedForegroundProperty, QTextFormat::ForegroundBrush);
    restore(SavedUnderlineStyleProperty, QTextFormat::TextUnderlineStyle);
    restore(SavedUnderlineColorProperty, QTextFormat::TextUnderlineColor);
    restore(SavedStrikeOutProperty, QTextFormat::FontStrikeOut);
    restore(SavedFontUnderlineProperty, QTextFormat::FontUnderline);
    f.clearProperty(RevisionKindProperty);
    f.clearProperty(RevisionAuthorProperty);
    f.clearProperty(RevisionTimeProperty);
    return f;
}

QTextCharFormat insertionFormat(const QTextCharFormat& base, const QString& author, const QString& time) {
    if (kindOf(base) == RevisionKind::Insertion && base.stringProperty(RevisionAuthorProperty) == author)
        return plainCharFormat(base);  // continue one's own insertion as one revision
    return marked(plainCharFormat(base), RevisionKind::Insertion, author, time);
}

void insertTracked(QTextCursor& cursor, const QString& text, const QString& author, const QDateTime& when) {
    cursor.beginEditBlock();
    if (cursor.hasSelection()) {
        int end = deleteTracked(cursor, author, when);
        cursor.setPosition(end);
    }
    cursor.insertText(text, insertionFormat(cursor.charFormat(), author, revisionTimeText(when)));
    cursor.endEditBlock();
}

int deleteTracked(QTextCursor& cursor, const QString& author, const QDateTime& when) {
    const int start = cursor.selectionStart();
    int end = cursor.selectionEnd();
    QTextDocument* doc = cursor.document();
    const QString time = revisionTimeText(when);
    auto pieces = piecesIn(doc, start, end);
    cursor.beginEditBlock();
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) {
        RevisionKind kind = kindOf(it->format);
        if (kind == RevisionKind::Insertion && it->format.stringProperty(RevisionAuthorProperty) == author) {
            removeRange(doc, it->start, it->end);
            end -= it->end - it->start;
        } else if (kind != RevisionKind::Deletion) {
            setFormat(doc, it->start, it->end, marked(it->format, RevisionKind::Deletion, author, time));
        }
    }
    cursor.endEditBlock();
    cursor.setPosition(start);
    return end;
}

void markInserted(QTextDocument* doc, int start, int end, const QString& author, const QDateTime& when) {
    const QString time = revisionTimeText(when);
    auto pieces = piecesIn(doc, start, end);
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it)
        setFormat(doc, it->start, it->end, marked(it->format, RevisionKind::Insertion, author, time));
}

int replaceTracked(QTextDocument* doc, const QString& find, const QString& replacement, bool caseSensitive,
                   const QString& author, const QDateTime& when, const std::function<bool(int, int)>& allowed) {
    if (find.isEmpty()) return 0;
    QTextDocument::FindFlags flags;
    if (caseSensitive) flags |= QTextDocument::FindCaseSensitively;
    QTextCursor edit(doc);
    edit.beginEditBlock();
    int count = 0;
    QTextCursor found(doc);
    for (;;) {
        found = doc->find(find, found, flags);
        if (found.isNull()) break;
        QTextCursor first(doc);
        first.setPosition(found.selectionStart() + 1);
        // Text already struck out is history, not text to replace.
        if (kindOf(first.charFormat()) == RevisionKind::Deletion) continue;
        if (allowed && !allowed(found.selectionStart(), found.selectionEnd())) continue;
        insertTracked(found, replacement, author, when);
        ++count;
    }
    edit.endEditBlock();
    return count;
}

std::optional<Revision> revisionAt(const QTextDocument* doc, int position) {
    for (const Revision& r : allRevisions(doc))
        if (position >= r.start && position <= r.end) return r;
    return std::nullopt;
}

bool acceptRevisionAt(QTextDocument* doc, int position) { return settleAt(doc, position, true); }
bool rejectRevisionAt(QTextDocument* doc, int position) { return settleAt(doc, position, false); }
int acceptAllRevisions(QTextDocument* doc) { return settleAll(doc, true); }
int rejectAllRevisions(QTextDocument* doc) { return settleAll(doc, false); }
int revisionCount(const QTextDocument* doc) { return int(allRevisions(doc).size()); }

QString describeRevision(const Revision& r) {
    return QStringLiteral("修订（%1）\n修改人：%2\n时间：%3")
        .arg(r.kind == RevisionKind::Insertion ? QStringLiteral("插入") : QStringLiteral("删除"),
             r.author.isEmpty() ? QStringLiteral("（未登录）") : r.author, r.time);
}

}  // namespace qh::records
