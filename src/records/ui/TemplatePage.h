#pragma once
// The template page of the main window ("格式模板"): the paper's templates on the left with
// their count and the order buttons, on the right the open template in the editor with
// its titles, its three options, the header-preview field boxes and the page's buttons.
#include <QWidget>
#include <memory>

#include "records/templates/TemplatePageModel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace qh::ui {
class UserInterface;
}

namespace qh::records {

class DocumentEditor;
class EditorPort;

class TemplatePage : public QWidget {
    Q_OBJECT
public:
    // hospitalName and department are the logged-in user's (the header preview uses them).
    TemplatePage(const store::DataDirectory& files, ui::UserInterface& ui, const TemplateSettings& settings,
                 const QString& hospitalName, const QString& department, QWidget* parent = nullptr);
    ~TemplatePage() override;

    // Reads the list again and opens its first template when none is open.
    void refresh();
    TemplatePageModel& model() { return *model_; }
    DocumentEditor* editor() const { return editor_; }
    QListWidget* list() const { return list_; }
    QLabel* countLabel() const { return count_; }
    QLabel* captionLabel() const { return caption_; }

    // The page's buttons, as the user presses them.
    void openRow(int row);
    void newTemplate();
    void saveTemplate();
    void renameTemplate();
    void deleteTemplate();
    void moveUp();
    void moveDown();
    void previewHeader();
    void showOptionsHelp();
    // "导入": a file into the open template (stored only by 保存模板); "导出": the template
    // to a file.
    void importFile();
    void exportFile();
    QCheckBox* fieldBox(int index) const;  // 0 姓名 .. 4 住院号
    QCheckBox* headerBox() const { return headerBox_; }

signals:
    // Templates were saved, added, renamed, deleted or moved: the Add menu is built again.
    void templatesChanged();

private:
    // True with a template open; otherwise the user is told there is none.
    bool templateOpen();
    void showList();
    void showOpenTemplate();
    void takeOptions();

    store::DataDirectory files_;
    ui::UserInterface& ui_;
    QString hospitalName_, department_;
    DocumentEditor* editor_ = nullptr;
    std::unique_ptr<EditorPort> port_;
    std::unique_ptr<TemplatePageModel> model_;
    QListWidget* list_ = nullptr;
    QLabel* count_ = nullptr;
    QLabel* caption_ = nullptr;
    QLineEdit* title_ = nullptr;
    QComboBox* recordTitle_ = nullptr;
    QLineEdit* newName_ = nullptr;
    QCheckBox* headerBox_ = nullptr;
    QCheckBox* multiAddBox_ = nullptr;
    QCheckBox* menuBox_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QList<QCheckBox*> fieldBoxes_;
    bool filling_ = false;
};

}  // namespace qh::records
