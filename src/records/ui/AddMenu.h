#pragma once
// The main window's Add menu: the twenty template items filled from buildAddMenu, and the
// "更多模板" list of every template of the paper.
#include <QDialog>
#include <functional>

#include "records/templates/TemplateSettings.h"

class QListWidget;

namespace qh::shell {
class CommandRegistry;
class Workbench;
}

namespace qh::records {

// Hands a template key on to record creation, with the key to fall back on when the
// template of the first is missing (an Add item's own key, after the sex was put in front).
using CreateRecordFn = std::function<void(const QString& key, const QString& fallbackKey)>;

// Captions and visibility of the twenty Add-menu items from the menu built for the paper.
void applyAddMenu(shell::CommandRegistry& commands, const AddMenu& menu);

// Sets the menu and, when a record creator is given, makes the items and "更多模板" run it
// (an item's key goes through the patient's sex for the 住院病历 family). Without a
// creator the items show their captions and stay disabled.
void installAddMenu(shell::Workbench& bench, const TemplateSettings& settings, const CreateRecordFn& create);

// "更多模板": every template of the paper; 添加 hands the chosen one's key on.
class MoreTemplatesDialog : public QDialog {
    Q_OBJECT
public:
    MoreTemplatesDialog(const store::DataDirectory& files, ui::UserInterface& ui, const QString& paper,
                        CreateRecordFn create, QWidget* parent = nullptr);
    QListWidget* list() const { return list_; }
    // The 添加 button: addFromList with the chosen row; closes the dialog when handed on.
    void addChosen();

private:
    store::DataDirectory files_;
    ui::UserInterface& ui_;
    CreateRecordFn create_;
    QVector<TemplateEntry> entries_;
    QListWidget* list_;
};

}  // namespace qh::records
