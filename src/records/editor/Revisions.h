#pragma once
// Track changes: insertions and deletions kept in the text as marked revisions signed with
// author and time (insertions underlined in colour, deletions struck through and kept),
// until someone accepts or rejects them. Every edit of a record stays traceable.
#include "records/editor/DocumentProperties.h"

#include <QDateTime>
#include <QString>
#include <QTextCharFormat>
#include <functional>
#include <optional>

class QTextCursor;
class QTextDocument;

namespace qh::records {

struct Revision {
    RevisionKind kind = RevisionKind::None;
    QString author;
    QString time;  // 'YYYY-MM-DD HH:MM:SS'
    int start = 0;
    int end = 0;  // one past the last character
};

QString revisionTimeText(const QDateTime& when);

// Inserts text at the cursor as a revision; a selection is first deleted as a revision and
// the text goes after it. Typing on from one's own insertion continues that revision.
void insertTracked(QTextCursor& cursor, const QString& text, const QString& author, const QDateTime& when);
// Deletes the selection as a revision: the text stays, struck through; one's own pending
// insertions simply disappear. Returns the position the end of the selection moved to.
int deleteTracked(QTextCursor& cursor, const QString& author, const QDateTime& when);

// Marks [start, end) as inserted (after pasting or inserting a picture in tracking mode).
void markInserted(QTextDocument* doc, int start, int end, const QString& author, const QDateTime& when);
// Replaces every occurrence as revisions (old text struck, new text inserted); `allowed`
// decides per occurrence (protection). Returns how many were replaced.
int replaceTracked(QTextDocument* doc, const QString& find, const QString& replacement, bool caseSensitive,
                   const QString& author, const QDateTime& when, const std::function<bool(int, int)>& allowed);

// The format for text typed at `base` in tracking mode (used for the caret's typing format).
QTextCharFormat insertionFormat(const QTextCharFormat& base, const QString& author, const QString& time);
// The format with any revision marking taken off and the writer's own look restored.
QTextCharFormat withoutRevision(QTextCharFormat format);

// The revision covering the position (or ending just before it), if any.
std::optional<Revision> revisionAt(const QTextDocument* doc, int position);
bool acceptRevisionAt(QTextDocument* doc, int position);
bool rejectRevisionAt(QTextDocument* doc, int position);
// Returns how many revisions were settled.
int acceptAllRevisions(QTextDocument* doc);
int rejectAllRevisions(QTextDocument* doc);
int revisionCount(const QTextDocument* doc);

// What the editor shows on hovering a revision.
QString describeRevision(const Revision& revision);

}  // namespace qh::records
