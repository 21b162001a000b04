#pragma once
// The widget editor seen through the DocumentPort the template logic works on.
#include "records/templates/DocumentPort.h"
#include "records/ui/DocumentEditor.h"

namespace qh::records {

class EditorPort : public DocumentPort {
public:
    explicit EditorPort(DocumentEditor& editor) : editor_(editor) {}
    QByteArray content() const override { return editor_.content(); }
    bool setContent(const QByteArray& bytes) override { return editor_.setContent(bytes); }
    bool isModified() const override { return editor_.isModified(); }
    void setModified(bool modified) override { editor_.setModified(modified); }
    int replace(const QString& find, const QString& replacement, bool caseSensitive) override {
        return editor_.replace(find, replacement, caseSensitive);
    }
    bool setHeaderContent(const QByteArray& bytes) override { return editor_.setHeaderContent(bytes); }
    bool setPageSize(int width, int height) override { return editor_.setPageSize(width, height); }
    void setProtection(Protection p) override { editor_.setProtection(p); }
    Protection protection() const override { return editor_.protection(); }
    void setTrackChanges(bool on) override { editor_.setTrackChanges(on); }
    bool trackChanges() const override { return editor_.trackChanges(); }
    void setRevisionAuthor(const QString& name) override { editor_.setRevisionAuthor(name); }
    bool insertAtCaret(const QString& text, const QString& fontFamily) override {
        return editor_.insertAtCaret(text, fontFamily);
    }

private:
    DocumentEditor& editor_;
};

}  // namespace qh::records
