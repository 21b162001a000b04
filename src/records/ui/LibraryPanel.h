#pragma once
// The template library beside the record editor: the five kinds as tabs, own or shared
// entries, the search box, the list (text modules under their groups), and the library
// editor with the entry shown. What it does is TemplateLibrary's.
#include <QWidget>
#include <memory>

#include "records/library/TemplateLibrary.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace qh::records {

class DocumentEditor;
class EditorPort;
class PatientRecords;

class LibraryPanel : public QWidget {
    Q_OBJECT
public:
    // `records` and `recordEditor` are the record page's; the library applies to them.
    LibraryPanel(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui,
                 PatientRecords& records, DocumentPort& recordEditor, QWidget* parent = nullptr);
    ~LibraryPanel() override;

    TemplateLibrary& library() { return *library_; }
    DocumentEditor* editor() const { return editor_; }
    QTreeWidget* list() const { return list_; }
    QTabBar* kinds() const { return kinds_; }
    QLineEdit* searchBox() const { return search_; }
    QMenu* entryMenu() const { return entryMenu_; }

    LibraryKind kind() const;
    void setKind(LibraryKind kind);
    void setShared(bool shared);
    // Lists again for the open record (its name and patient).
    void refresh();
    // The entry at a list row (groups give none).
    const LibraryEntry* entryOf(QTreeWidgetItem* item) const;

    // The panel's commands.
    void openCurrent();
    void applyCurrent();         // 引用模板
    void saveCurrent();          // 保存模板
    void saveAsNew();            // 另存为 / 新增模板
    void renameCurrent();        // 修改标题
    void setCurrentPrivate(bool isPrivate);  // 加密模板 / 共享模板
    void deleteCurrent();        // 删除模板
    void importFile();           // 导入病历
    void exportFile();           // 导出
    // "存为范文": the open record saved as a sample record or disease template.
    void saveRecordAsSample();
    // "新增模板": an empty page in the library editor, saved with 另存为.
    void startNewEntry();
    // A changed entry of the user's is offered for saving before another takes its place.
    void offerSave();

private:
    void showList();
    LibraryContext context() const;
    const LibraryEntry* currentEntry() const;

    store::DataDirectory files_;
    shell::UserContext user_;
    ui::UserInterface& ui_;
    PatientRecords& records_;
    DocumentPort& recordEditor_;
    std::unique_ptr<TemplateLibrary> library_;
    DocumentEditor* editor_;
    std::unique_ptr<EditorPort> port_;
    QTabBar* kinds_;
    QRadioButton* own_;
    QRadioButton* shared_;
    QLineEdit* search_;
    QTreeWidget* list_;
    QLabel* caption_;
    QMenu* entryMenu_;
    QVector<LibraryEntry> entries_;
    QString paper_;
};

}  // namespace qh::records
