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
    virtual QByteArray GetContent() const = 0;
    // False, with the document unchanged, for bytes that are not a document.
    virtual bool SetContent(const QByteArray& bytes) = 0;
    virtual bool IsModified() const = 0;
    virtual void SetModified(bool modified) = 0;
    virtual int Replace(const QString& find, const QString& replacement, bool caseSensitive) = 0;
    // Places the body of another document (its bytes) as this document's page header.
    virtual bool SetHeaderContent(const QByteArray& bytes) = 0;
    virtual bool SetPageSize(int width, int height) = 0;
};

// A DocumentPort over a RecordDocument of its own.
class RecordDocumentPort : public DocumentPort {
public:
    QByteArray GetContent() const override;
    bool SetContent(const QByteArray& bytes) override;
    bool IsModified() const override { return doc_.isModified(); }
    void SetModified(bool modified) override { doc_.setModified(modified); }
    int Replace(const QString& find, const QString& replacement, bool caseSensitive) override {
        return doc_.replaceAll(find, replacement, caseSensitive);
    }
    bool SetHeaderContent(const QByteArray& bytes) override;
    bool SetPageSize(int width, int height) override { return doc_.setPaper(width, height); }

    RecordDocument& document() { return doc_; }

private:
    RecordDocument doc_;
};

}  // namespace qh::records
