#pragma once
// One record document as the editor holds it: the body, the page-header document placed
// above it, the paper, how far it has been printed, and the editing rules (protection,
// track changes). Everything here is independent of widgets; DocumentEditor shows it.
#include <QByteArray>
#include <QString>
#include <QTextDocument>
#include <memory>

namespace qh::records {

// Paper in 0.1 mm. A4 is 2100 x 2970, B5 1820 x 2570.
struct PaperSize {
    int width = 2100;
    int height = 2970;
    bool operator==(const PaperSize&) const = default;
};

// How far the body has been printed: every character before `position` is on paper.
// `digest` fingerprints that printed text, so a later change to it is noticed.
struct PrintMark {
    int position = -1;  // -1: never printed
    QByteArray digest;
    bool operator==(const PrintMark&) const = default;
};

enum class Protection : int { None = 0, ReadOnly = 1, FormFill = 2 };

class RecordDocument {
public:
    RecordDocument();
    ~RecordDocument();
    RecordDocument(const RecordDocument&) = delete;
    RecordDocument& operator=(const RecordDocument&) = delete;

    QTextDocument* body() const { return body_.get(); }
    QTextDocument* header() const { return header_.get(); }

    // Exchanges the whole content with another document (used to load atomically).
    void swap(RecordDocument& other);
    // Places the other document's body as this document's page header (and takes this
    // header in exchange), as the header editor's content is placed into a record.
    void swapBodyIntoHeader(RecordDocument& other);

    // Gives this (fresh, unshown) document another body, e.g. a copy of a header to store.
    void adoptBody(std::unique_ptr<QTextDocument> body) { body_ = std::move(body); }

    bool isModified() const;
    void setModified(bool modified);

    PaperSize paper() const { return paper_; }
    // Refuses sizes outside 50 mm .. 2 m; returns whether the paper was taken.
    bool setPaper(int width, int height);

    PrintMark printMark() const { return printMark_; }
    void setPrintMark(const PrintMark& mark);

    Protection protection() const { return protection_; }
    void setProtection(Protection p) { protection_ = p; }

    bool trackChanges() const { return trackChanges_; }
    void setTrackChanges(bool on);
    // The name revisions are signed with: the logged-in user, set by the host.
    QString revisionAuthor() const { return revisionAuthor_; }
    void setRevisionAuthor(const QString& name) { revisionAuthor_ = name; }

    // Replaces every occurrence in the body (table cells included) and the header, each
    // occurrence keeping the look of its first character. Returns how many were replaced.
    int replaceAll(const QString& find, const QString& replacement, bool caseSensitive);

    // The same for the user's replace command: the body only, and only where protection
    // lets the user edit.
    int replaceWhereUserMayEdit(const QString& find, const QString& replacement, bool caseSensitive);

    // Inserts at a position of the body, or, with a target name, at a position inside the
    // named cell or field (-1 or beyond the end: at its end). False when the target is
    // unknown; the document is then unchanged.
    bool insertText(const QString& text, int position, const QString& target = {});

    // Whether the user may change the body range [from, to) under the current protection.
    bool userMayEdit(int from, int to) const;

private:
    std::unique_ptr<QTextDocument> body_;
    std::unique_ptr<QTextDocument> header_;
    PaperSize paper_;
    PrintMark printMark_;
    Protection protection_ = Protection::None;
    bool trackChanges_ = false;
    QString revisionAuthor_;
    bool settingsModified_ = false;
};

// A fresh document with the editor's defaults (font, margins).
std::unique_ptr<QTextDocument> makeTextDocument();

}  // namespace qh::records
