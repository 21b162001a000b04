#pragma once
// The settings page: sixteen tabs of hospital-wide data, each a grid loaded from its table
// and saved on its own. Every save checks the grid first and writes in one transaction, so
// a refusal or a failure half-way leaves the stored data as it was.
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <functional>
#include <memory>

#include "shell/UserContext.h"
#include "store/DatabaseFiles.h"
#include "interaction/DataGrid.h"
#include "interaction/UserInterface.h"

namespace qh::shell {

enum class SettingsTab {
    Hospital, Departments, Users, Diagnoses, Complaints, Addresses, OrderUsages, OrderFrequencies,
    HerbalUsages, TextOrders, Paper, HeaderItems, DrugForms, DoseUnits, DrugClasses, FrontPage
};
inline constexpr int kSettingsTabCount = 16;

struct SettingsTabInfo {
    QString caption;     // the tab's caption
    QStringList columns;  // the grid's header
    QString help;        // the help line under the grid
    bool growing = false;  // keeps an empty last row for a new entry
};
const SettingsTabInfo& settingsTabInfo(SettingsTab tab);

// The text a chosen cell holds in the mark columns (default department, rights, choices).
inline const QString kMark = QStringLiteral("√");

class HospitalSettings {
public:
    // userChanged receives the user with the new hospital name or front-page format after
    // those are saved (the main window rebuilds its banner).
    HospitalSettings(const store::DataDirectory& files, const UserContext& user, ui::UserInterface& ui,
                     std::function<void(const UserContext&)> userChanged = {});
    ~HospitalSettings();

    ui::DataGrid& grid(SettingsTab tab) { return *grids_[size_t(tab)]; }
    const UserContext& user() const { return user_; }

    // Fills every grid. False, with the refusal, for a user without XTGL.
    bool load();
    // Saves the tab: checks, writes in one transaction, says how it went. False when
    // refused or failed (the stored data then unchanged).
    bool save(SettingsTab tab);

    // A double-click on a mark cell: the default department and the paper and front-page
    // choices are exclusive marks, rights and header items toggle. False for other cells.
    bool toggleMark(SettingsTab tab, int row, int col);
    // A growing grid always ends with one empty row.
    static void keepEmptyLastRow(ui::DataGrid& grid);

private:
    bool loadTab(SettingsTab tab);
    bool saveHospital();
    bool saveDepartments();
    bool saveUsers();
    bool saveList(SettingsTab tab);
    bool savePaper();
    bool saveHeader();
    bool saveFrontPage();
    // The data rows a save reads: every row but the empty last one of a growing grid.
    int dataRows(SettingsTab tab) const;
    bool refuse(const QString& text);

    store::DataDirectory files_;
    UserContext user_;
    ui::UserInterface& ui_;
    std::function<void(const UserContext&)> userChanged_;
    std::array<std::unique_ptr<ui::DataGrid>, kSettingsTabCount> grids_;
};

}  // namespace qh::shell
