#pragma once
// The record-documents page of the main window: the document list on the left, whose
// entry 0 is the patient-information entry, and on the right the patient-information form
// (entry 0) or the record editor with the selected document. The page is the document in
// front of the user that the unsaved-changes prompt offers: the form on entry 0, the open
// record otherwise. What it does with documents is PatientRecords'.
#include <QWidget>

#include "records/documents/PatientRecords.h"
#include "records/ui/EditorPort.h"
#include "shell/OfferSave.h"

class QLabel;
class QListWidget;
class QMenu;
class QStackedWidget;

namespace qh::shell {
class Workbench;
}

namespace qh::records {

class DocumentEditor;
class LibraryPanel;

class RecordPage : public QWidget, public shell::EditableDocument {
    Q_OBJECT
public:
    RecordPage(shell::Workbench& bench, const TemplateSettings& settings, QWidget* parent = nullptr);
    ~RecordPage() override;

    QListWidget* documentList() const { return list_; }
    DocumentEditor* editor() const { return editor_; }
    // The template library beside the editor, and the button that shows or hides it.
    LibraryPanel* library() const { return library_; }
    void showLibrary(bool shown);
    PatientRecords& records() { return *records_; }
    // The record-document pop-up menu ("剪切" … "保存病历"), enabled by the edit right.
    QMenu* documentMenu() const { return menu_; }

    // Lists the selected patient's documents (entry 0 selected).
    void refresh();
    int currentEntry() const { return records_->selected(); }
    bool showsPatientInformation() const { return records_->showsInformation(); }
    void selectEntry(int row) { records_->selectEntry(row); }

    // "保存病历" on this page: entry 0 saves the form, a document entry the document.
    void saveShown();
    // "打开文件": a file read into the open document (stored only by "保存病历").
    void importFile();
    // "另存为..": the open document written to a .ewd file.
    void exportFile();

    // EditableDocument
    bool isModified() const override;
    QString title() const override;
    bool save() override;
    void discardChanges() override;
    // A reference passage goes to the open record's caret; the information form takes none.
    bool insertAtCaret(const QString& text) override;

private:
    void showEntries();
    void showDocument();
    void buildMenu();
    void updateMenu();

    shell::Workbench& bench_;
    DocumentEditor* editor_;
    EditorPort port_;
    PatientRecords* records_;
    QListWidget* list_;
    QStackedWidget* area_;
    QLabel* status_;
    LibraryPanel* library_;
    QMenu* menu_ = nullptr;
    bool filling_ = false;
};

}  // namespace qh::records
