#pragma once
// The menu bar, the command panel and the patient list's pop-up menu, built from the
// command lists of MainCommands and kept in step with the CommandRegistry: an item runs its
// command, is enabled while the command is, and shows the caption the registry gives it.
#include <QHash>
#include <QList>
#include <QObject>

#include "shell/CommandRegistry.h"
#include "shell/PatientList.h"
#include "shell/UserContext.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace qh::shell {

class CommandMenus : public QObject {
    Q_OBJECT
public:
    CommandMenus(QMainWindow& window, CommandRegistry& registry, const UserContext& user);

    QList<QAction*> actions(const QString& id) const { return actions_.value(id); }
    QMenu* patientListMenu() const { return listMenu_; }
    QToolBar* panel() const { return panel_; }
    // Shows the panel entries and list-menu items that apply to the user and the status.
    void showFor(PatientStatus status);

private:
    void add(QAction* action, const QString& id);
    void update(const QString& id);

    CommandRegistry& registry_;
    const UserContext& user_;
    QHash<QString, QList<QAction*>> actions_;
    QMenu* listMenu_ = nullptr;
    QToolBar* panel_ = nullptr;
};

}  // namespace qh::shell
