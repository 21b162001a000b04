#pragma once
// DocumentEditor: the rich-text editor every record, template, library entry and the
// common page header is written in. The host keeps its content as opaque bytes
// (content/setContent, the .ewd format) and changes it only through the operations here.
#include "records/editor/PagePrinter.h"
#include "records/editor/RecordDocument.h"
#include "interaction/UserInterface.h"

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
    QByteArray content() const;
    // Empty bytes give an empty document; bytes that are not a document leave the editor as
    // it was and return false with the reason in `error`.
    bool setContent(const QByteArray& bytes, QString* error = nullptr);
    bool isModified() const;
    void setModified(bool modified);

    // Every occurrence in body, table cells and header; returns how many.
    int replace(const QString& find, const QString& replacement, bool caseSensitive);
    // At a body position, or inside the named cell or field `target`; -1 means the end.
    bool insertText(const QString& text, int position, const QString& target = {});
    // At the caret of the body, as pasting it would (protection and track changes apply);
    // false when the caret's place may not be edited.
    bool insertAtCaret(const QString& text, const QString& fontFamily = {});
    // None, ReadOnly (no user edit at all), FormFill (only named cells and fields).
    void setProtection(Protection kind);
    Protection protection() const { return record_.protection(); }
    bool openFile(const QString& path, QString* error = nullptr);
    // The file the user chooses in the open dialog, read into the editor; false when the
    // dialog was cancelled or the file could not be read (said through `ui`).
    bool importChosenFile(ui::UserInterface& ui);
    bool saveFile(const QString& path, QString* error = nullptr);
    // Sets the text of the table cell or field carrying the alias; false and no change
    // when the document has none.
    bool setCellText(const QString& alias, const QString& text);
    // Paper in 0.1 mm (A4 2100 x 2970, B5 1820 x 2570); false for an impossible size.
    bool setPageSize(int width, int height);
    // The font of the selection, or of the whole document when nothing is selected.
    void setFontFamily(const QString& family);
    void selectAll();
    void copy();
    void paste();  // at the caret, or into the page header while that is being edited
    void cut();
    void undo();
    void redo();

    // Revisions ("修订").
    void setRevisionAuthor(const QString& name);
    void setTrackChanges(bool on);
    bool trackChanges() const { return record_.trackChanges(); }
    bool acceptRevision();  // 接受修订: the revision at the caret
    bool rejectRevision();  // 拒绝修订
    int acceptAllRevisions();  // 接受所有
    int rejectAllRevisions();  // 拒绝所有

    // The page header: another editor's document placed above this one's body.
    bool setHeaderContent(const QByteArray& bytes, QString* error = nullptr);
    QByteArray headerContent() const;
    void setHeaderEditing(bool on);
    bool isHeaderEditing() const { return headerEditing_; }

    // The editing menu's dialogs.
    void showReplaceDialog();
    void showFontDialog();
    void showCharacterDialog();
    // Inserts an image file at the caret, at most as wide as the page's text; with an empty
    // path the user picks the file.
    bool insertPicture(const QString& path = {});

    // Printing. With no printer given the user chooses one in the print dialog.
    PrintOutcome printRecord(QPrinter* printer = nullptr);
    PrintOutcome continuePrintRecord(QPrinter* printer = nullptr);
    void printPreview();
    bool exportPdf(const QString& path, QString* error = nullptr);

    RecordDocument& document() { return record_; }
    RecordTextEdit* bodyView() const { return body_; }
    RecordTextEdit* headerView() const { return header_; }

signals:
    void contentReplaced();
    // The protection changed: what the user may change is different now.
    void protectionChanged();

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
