#pragma once
// The commands of the main window: the menu bar in its fixed order, the command panel
// and the patient list's pop-up menu. Each item names a command id; the main window runs
// the handler registered for the id, and an item whose feature is not built yet stays
// disabled with the tooltip kNotAvailableTip.
#include <QString>
#include <QStringList>
#include <QVector>

#include "shell/PatientList.h"
#include "shell/UserContext.h"
#include "interaction/UserInterface.h"

namespace qh::shell {

inline const QString kNotAvailableTip = QStringLiteral("尚未开放");
inline constexpr int kAddMenuItems = 20;

struct CommandItem {
    QString id;    // e.g. "file.exit"; empty for a separator
    QString text;  // caption as shown
};

struct MenuDef {
    QString title;
    QVector<CommandItem> items;
};

namespace cmd {
// Ids other windows refer to when they register their handlers.
inline const QString OpenFile = QStringLiteral("file.open");
inline const QString SaveRecord = QStringLiteral("file.save");
inline const QString SaveAs = QStringLiteral("file.saveAs");
inline const QString PrintRecord = QStringLiteral("file.print");
inline const QString ContinuePrint = QStringLiteral("file.continuePrint");
inline const QString Exit = QStringLiteral("file.exit");
inline const QString Admit = QStringLiteral("patient.admit");
inline const QString DeletePatient = QStringLiteral("patient.delete");
inline const QString Pending = QStringLiteral("patient.pending");
inline const QString Discharge = QStringLiteral("patient.discharge");
inline const QString Return = QStringLiteral("patient.return");
inline const QString Transfer = QStringLiteral("patient.transfer");
inline const QString MoreTemplates = QStringLiteral("add.more");
inline const QString DiseaseInfo = QStringLiteral("business.disease");
inline const QString DrugReference = QStringLiteral("business.drugs");
inline const QString Statistics = QStringLiteral("business.statistics");
inline const QString InfusionCards = QStringLiteral("business.infusion");
inline const QString Users = QStringLiteral("maint.users");
inline const QString Settings = QStringLiteral("maint.settings");
inline const QString DrugCatalogue = QStringLiteral("maint.drugCatalogue");
inline const QString FeeItems = QStringLiteral("maint.feeItems");
inline const QString FormatTemplates = QStringLiteral("maint.formatTemplates");
inline const QString Help = QStringLiteral("help.manual");
inline const QString Backup = QStringLiteral("help.backup");
inline const QString Restore = QStringLiteral("help.restore");
inline const QString RecordsPage = QStringLiteral("page.records");
inline const QString OrdersPage = QStringLiteral("page.orders");
inline const QString ChartPage = QStringLiteral("page.chart");
inline const QString OrderSheets = QStringLiteral("page.orderSheets");
inline const QString FrontPage = QStringLiteral("page.front");
inline const QString NewLibraryTemplate = QStringLiteral("library.newTemplate");
// "add.1" .. "add.20": the Add menu's template items.
QString addItem(int index);
}  // namespace cmd

// The menu bar, every menu and item in order. The twenty Add items carry placeholder
// captions until the templates fill them.
QVector<MenuDef> mainMenus();
// The patient list's pop-up menu.
QVector<CommandItem> patientListMenu();
// The command panel.
QVector<CommandItem> commandPanel();

// The refusal of a command the user has no right for.
inline const QString kNoRightText = QStringLiteral("你没有此项操作权限！");

// Whether the user holds the right a command needs: XTGL for the settings page, backup and
// restore, TJCX for the statistics. The user-account command is everybody's (without XTGL it
// changes the user's own password). Menu items of a command not allowed are disabled, and
// the command's handler checks again (requireRight) before it does anything.
bool commandAllowed(const QString& id, const UserContext& user);
// Shows kNoRightText and returns false when has is false.
bool requireRight(bool has, ui::UserInterface& ui);

// Whether an item of the command panel or the list menu shows for this user and status:
// XTGL false hides the four administrative entries, TJCX false the statistics entry, and
// each status option hides the status command that does not apply to it.
bool commandVisible(const QString& id, const UserContext& user, PatientStatus status);

// Commands that run only after the unsaved-changes prompt.
bool offersSaveFirst(const QString& id);

}  // namespace qh::shell
