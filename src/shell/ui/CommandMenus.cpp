#include "shell/ui/CommandMenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "shell/MainCommands.h"

namespace qh::shell {

CommandMenus::CommandMenus(QMainWindow& window, CommandRegistry& registry, const UserContext& user)
    : QObject(&window), registry_(registry), user_(user) {
    for (const MenuDef& def : mainMenus()) {
        QMenu* menu = window.menuBar()->addMenu(def.title);
        menu->setToolTipsVisible(true);
        for (const CommandItem& item : def.items) {
            QAction* action = menu->addAction(item.text);
            add(action, item.id);
            // Ctrl+S saves what is open: the information form or the record document.
            if (item.id == cmd::SaveRecord) action->setShortcut(QKeySequence::Save);
            // The Add menu's template items show once the templates have filled them.
            if (item.id.startsWith(QLatin1String("add.")) && item.id != cmd::MoreTemplates) action->setVisible(false);
        }
    }
    listMenu_ = new QMenu(&window);
    listMenu_->setToolTipsVisible(true);
    for (const CommandItem& item : shell::patientListMenu()) {
        if (item.id.isEmpty()) listMenu_->addSeparator();
        else add(listMenu_->addAction(item.text), item.id);
    }
    panel_ = window.addToolBar(QStringLiteral("命令"));
    panel_->setObjectName(QStringLiteral("commandPanel"));
    panel_->setMovable(false);
    panel_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const CommandItem& item : commandPanel()) add(panel_->addAction(item.text), item.id);
    connect(&registry_, &CommandRegistry::stateChanged, this, &CommandMenus::update);
}

void CommandMenus::add(QAction* action, const QString& id) {
    action->setData(id);
    actions_[id].push_back(action);
    connect(action, &QAction::triggered, this, [this, id] { registry_.run(id); });
    update(id);
}

void CommandMenus::update(const QString& id) {
    const bool available = registry_.isAvailable(id);
    for (QAction* a : actions_.value(id)) {
        // A command the user has no right for stays disabled wherever it shows.
        a->setEnabled(registry_.isEnabled(id) && commandAllowed(id, user_));
        if (registry_.hasCaption(id)) {
            a->setVisible(registry_.isShown(id));
            a->setText(registry_.caption(id));
        }
        a->setToolTip(available ? a->text() : kNotAvailableTip);
    }
}

void CommandMenus::showFor(PatientStatus status) {
    for (QAction* a : panel_->actions()) a->setVisible(commandVisible(a->data().toString(), user_, status));
    for (QAction* a : listMenu_->actions())
        if (!a->isSeparator()) a->setVisible(commandVisible(a->data().toString(), user_, status));
}

}  // namespace qh::shell
