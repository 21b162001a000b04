#pragma once
// DocumentEditor: the rich-text editor every record, template, library entry and the
// common page header is written in. The host keeps its content as opaque bytes
// (GetContent/SetContent, the .ewd format) and changes it only through the operations here.
#include "records/editor/PagePrinter.h"
#include "records/editor/RecordDocument.h"

#include <QByteArray>
#include <QString>
#include <QWidget>

class QLabel;
class QPrinter;

namespace qh::records {

class RecordTextEdit;

class DocumentEditor : public QWidget {
    Q_OBJECT
public:
    explicit DocumentEditor(QWidget* parent = nullptr);
    ~DocumentEditor() override;

    // The whole document, header, paper, revisions and print mark included.
    QByteArray GetContent() const;
    // Empty bytes give an empty document; bytes that are not a document leave the editor as
    // it was and return false with the reason in `error`.
    bool SetContent(const QByteArray& bytes, QString* error = nullptr);
    bool IsModified() const;
    void SetModified(bool modified);

    // Every occurrence in body, table cells and header; returns how many.
    int Replace(const QString& find, const QString& replacement, bool caseSensitive);
    // At a body position, or inside the named cell or field `target`; -1 means the end.
    bool InsertText(const QString& text, int position, const QString& target = {});
    // 0 none, 1 read-only (no user edit at all), 2 form-fill (only named cells and fields).
    void SetProtection(int kind);
    int GetProtection() const { return int(record_.protection()); }
    bool OpenFile(const QString& path, QString* error = nullptr);
    bool SaveFile(const QString& path, QString* error = nullptr);
    // Sets the text of the table cell or field carrying the alias; false and no change
    // when the document has none.
    bool SetCellText(const QString& alias, const QString& text);
    // Paper in 0.1 mm (A4 2100 x 2970, B5 1820 x 2570); false for an impossible size.
    bool SetPageSize(int width, int height);
    // The font of the selection, or of the whole document when nothing is selected.
    void SetFont(const QString& family);
    void SelectAll();
    void Copy();
    void Paste();  // at the caret, or into the page header while that is being edited
    void Cut();
    void Undo();
    void Redo();

    // Revisions ("修订").
    void SetRevisionAuthor(const QString& name);
    void SetTrackChanges(bool on);
    bool TrackChanges() const { return record_.trackChanges(); }
    bool AcceptRevision();  // 接受修订: the revision at the caret
    bool RejectRevision();  // 拒绝修订
    int AcceptAllRevisions();  // 接受所有
    int RejectAllRevisions();  // 拒绝所有

    // The page header: another editor's document placed above this one's body.
    bool SetHeaderContent(const QByteArray& bytes, QString* error = nullptr);
    QByteArray HeaderContent() const;
    void SetHeaderEditing(bool on);
    bool IsHeaderEditing() const { return headerEditing_; }

    // The editing menu's dialogs.
    void ShowReplaceDialog();
    void ShowFontDialog();
    void ShowCharacterDialog();
    // Inserts an image file at the caret, at most as wide as the page's text; with an empty
    // path the user picks the file.
    bool InsertPicture(const QString& path = {});

    // Printing. With no printer given the user chooses one in the print dialog.
    PrintOutcome PrintRecord(QPrinter* printer = nullptr);
    PrintOutcome ContinuePrintRecord(QPrinter* printer = nullptr);
    void PrintPreview();
    bool ExportPdf(const QString& path, QString* error = nullptr);

    RecordDocument& document() { return record_; }
    RecordTextEdit* bodyView() const { return body_; }
    RecordTextEdit* headerView() const { return header_; }

signals:
    void contentReplaced();

private:
    // Shows a freshly loaded document in place of the open one.
    void takeOver(RecordDocument& incoming);
    void reattach();
    RecordTextEdit* activeView() const;
    bool userMayEdit() const;
    void fitHeaderHeight();

    RecordDocument record_;
    RecordTextEdit* header_;
    RecordTextEdit* body_;
    QLabel* headerCaption_;
    bool headerEditing_ = false;
};

}  // namespace qh::records
