#include "records/editor/RecordDocument.h"

#include "records/editor/NamedFields.h"

#include <QTextCursor>
#include <QTextTable>
#include <functional>

namespace qh::records {

std::unique_ptr<QTextDocument> makeTextDocument() {
    auto doc = std::make_unique<QTextDocument>();
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("AR PL UKai CN"),
                      QStringLiteral("WenQuanYi Zen Hei")});
    font.setPointSizeF(12);
    doc->setDefaultFont(font);
    doc->setUndoRedoEnabled(true);
    return doc;
}

RecordDocument::RecordDocument() : body_(makeTextDocument()), header_(makeTextDocument()) {}

RecordDocument::~RecordDocument() = default;

void RecordDocument::swap(RecordDocument& other) {
    std::swap(body_, other.body_);
    std::swap(header_, other.header_);
    std::swap(paper_, other.paper_);
    std::swap(printMark_, other.printMark_);
    std::swap(protection_, other.protection_);
    std::swap(trackChanges_, other.trackChanges_);
    std::swap(settingsModified_, other.settingsModified_);
    // The author is the logged-in user, not part of a document: it stays with the editor.
}

void RecordDocument::swapBodyIntoHeader(RecordDocument& other) {
    std::swap(header_, other.body_);
    settingsModified_ = true;
}

bool RecordDocument::isModified() const {
    return body_->isModified() || header_->isModified() || settingsModified_;
}

void RecordDocument::setModified(bool modified) {
    body_->setModified(modified);
    header_->setModified(modified);
    settingsModified_ = modified;
}

bool RecordDocument::setPaper(int width, int height) {
    // 50 mm to 2 m: anything else is a caller's mistake, not a sheet of paper.
    if (width < 500 || height < 500 || width > 20000 || height > 20000) return false;
    PaperSize next{width, height};
    if (next != paper_) {
        paper_ = next;
        settingsModified_ = true;
    }
    return true;
}

void RecordDocument::setPrintMark(const PrintMark& mark) {
    if (mark == printMark_) return;
    printMark_ = mark;
    settingsModified_ = true;
}

void RecordDocument::setTrackChanges(bool on) {
    if (on == trackChanges_) return;
    trackChanges_ = on;
    settingsModified_ = true;
}

static int replaceIn(QTextDocument* doc, const QString& find, const QString& replacement, bool caseSensitive,
                     const std::function<bool(int, int)>& allowed = {}) {
    QTextDocument::FindFlags flags;
    if (caseSensitive) flags |= QTextDocument::FindCaseSensitively;
    QTextCursor edit(doc);
    edit.beginEditBlock();  // one undo step for the whole replacement
    int count = 0;
    QTextCursor found(doc);
    for (;;) {
        found = doc->find(find, found, flags);
        if (found.isNull()) break;
        if (allowed && !allowed(found.selectionStart(), found.selectionEnd())) continue;
        QTextCursor first(doc);
        first.setPosition(found.selectionStart() + 1);
        found.insertText(replacement, plainCharFormat(first.charFormat()));
        ++count;
    }
    edit.endEditBlock();
    return count;
}

int RecordDocument::replaceAll(const QString& find, const QString& replacement, bool caseSensitive) {
    if (find.isEmpty()) return 0;
    return replaceIn(body_.get(), find, replacement, caseSensitive) +
           replaceIn(header_.get(), find, replacement, caseSensitive);
}

int RecordDocument::replaceWhereUserMayEdit(const QString& find, const QString& replacement, bool caseSensitive) {
    if (find.isEmpty() || protection_ == Protection::ReadOnly) return 0;
    return replaceIn(body_.get(), find, replacement, caseSensitive,
                     [this](int from, int to) { return userMayEdit(from, to); });
}

bool RecordDocument::insertText(const QString& text, int position, const QString& target) {
    int start = 0;
    int end = body_->characterCount() - 1;
    if (!target.isEmpty()) {
        QTextTableCell cell = findNamedCell(body_.get(), target);
        if (cell.isValid()) {
            start = cell.firstPosition();
            end = cell.lastPosition();
        } else if (!findNamedField(body_.get(), target, &start, &end)) {
            return false;
        }
    }
    int at = (position < 0 || start + position > end) ? end : start + position;
    QTextCursor cursor(body_.get());
    cursor.setPosition(at);
    if (!target.isEmpty() && at == end && at > start) {
        // At the end of a field the text joins the field rather than what follows it.
        QTextCursor before(body_.get());
        before.setPosition(at);
        cursor.insertText(text, plainCharFormat(before.charFormat()));
    } else {
        cursor.insertText(text);
    }
    return true;
}

bool RecordDocument::userMayEdit(int from, int to) const {
    switch (protection_) {
    case Protection::None: return true;
    case Protection::ReadOnly: return false;
    case Protection::FormFill: return rangeInsideNamedArea(body_.get(), from, to);
    }
    return false;
}

}  // namespace qh::records
