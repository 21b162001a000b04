#pragma once
// The settings page of the work area: the sixteen tabs of HospitalSettings, each a grid
// with its help line; "保  存" saves the tab that shows.
#include <QWidget>

#include "shell/maintenance/HospitalSettings.h"

class QTabWidget;

namespace qh::shell {

class SettingsPage : public QWidget {
    Q_OBJECT
public:
    SettingsPage(const store::DataDirectory& files, const UserContext& user, ui::UserInterface& ui,
                 std::function<void(const UserContext&)> userChanged, QWidget* parent = nullptr);
    // Reads every tab again; false (refused) without XTGL.
    bool load() { return model_.load(); }
    bool saveCurrent();
    QTabWidget* tabs() const { return tabs_; }
    HospitalSettings& model() { return model_; }

private:
    HospitalSettings model_;
    QTabWidget* tabs_;
};

}  // namespace qh::shell
