#pragma once
// What the template logic needs of a document editor: the record editor, the template
// editor and the hidden page-header editor all answer to it. The widget editor is adapted
// to it in the views; RecordDocumentPort serves where no widget is wanted (tests, the
// generator of the starter templates, composing off screen).
#include <QByteArray>
#include <QString>

#include "records/editor/RecordDocument.h"

namespace qh::records {

class DocumentPort {
public:
    virtual ~DocumentPort() = default;
    virtual QByteArray content() const = 0;
    // False, with the document unchanged, for bytes that are not a document.
    virtual bool setContent(const QByteArray& bytes) = 0;
    virtual bool isModified() const = 0;
    virtual void setModified(bool modified) = 0;
    virtual int replace(const QString& find, const QString& replacement, bool caseSensitive) = 0;
    // Places the body of another document (its bytes) as this document's page header.
    virtual bool setHeaderContent(const QByteArray& bytes) = 0;
    virtual bool setPageSize(int width, int height) = 0;
    // The editing rules of the open document: who may change it, and whether changes are
    // kept as revisions signed by the author. Editors that show no record ignore them.
    virtual void setProtection(Protection) {}
    virtual Protection protection() const { return Protection::None; }
    virtual void setTrackChanges(bool) {}
    virtual bool trackChanges() const { return false; }
    virtual void setRevisionAuthor(const QString&) {}
    // Plain text at the caret (the end, for an editor without one) in the given font, under
    // the document's editing rules; the clipboard is not used. False when refused there.
    virtual bool insertAtCaret(const QString& text, const QString& fontFamily) = 0;
};

// A DocumentPort over a RecordDocument of its own.
class RecordDocumentPort : public DocumentPort {
public:
    QByteArray content() const override;
    bool setContent(const QByteArray& bytes) override;
    bool isModified() const override { return doc_.isModified(); }
    void setModified(bool modified) override { doc_.setModified(modified); }
    int replace(const QString& find, const QString& replacement, bool caseSensitive) override {
        return doc_.replaceAll(find, replacement, caseSensitive);
    }
    bool setHeaderContent(const QByteArray& bytes) override;
    bool setPageSize(int width, int height) override { return doc_.setPaper(width, height); }
    void setProtection(Protection p) override { doc_.setProtection(p); }
    Protection protection() const override { return doc_.protection(); }
    void setTrackChanges(bool on) override { doc_.setTrackChanges(on); }
    bool trackChanges() const override { return doc_.trackChanges(); }
    void setRevisionAuthor(const QString& name) override { doc_.setRevisionAuthor(name); }
    bool insertAtCaret(const QString& text, const QString& fontFamily) override;

    RecordDocument& document() { return doc_; }

private:
    RecordDocument doc_;
};

}  // namespace qh::records
