#pragma once
// The widget editor seen through the DocumentPort the template logic works on.
#include "records/templates/DocumentPort.h"
#include "records/ui/DocumentEditor.h"

namespace qh::records {

class EditorPort : public DocumentPort {
public:
    explicit EditorPort(DocumentEditor& editor) : editor_(editor) {}
    QByteArray GetContent() const override { return editor_.GetContent(); }
    bool SetContent(const QByteArray& bytes) override { return editor_.SetContent(bytes); }
    bool IsModified() const override { return editor_.IsModified(); }
    void SetModified(bool modified) override { editor_.SetModified(modified); }
    int Replace(const QString& find, const QString& replacement, bool caseSensitive) override {
        return editor_.Replace(find, replacement, caseSensitive);
    }
    bool SetHeaderContent(const QByteArray& bytes) override { return editor_.SetHeaderContent(bytes); }
    bool SetPageSize(int width, int height) override { return editor_.SetPageSize(width, height); }

private:
    DocumentEditor& editor_;
};

}  // namespace qh::records
