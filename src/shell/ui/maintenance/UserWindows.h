#pragma once
// The user-management window (holders of XTGL) and the change-own-password window: thin
// views over UserManagement and OwnPassword.
#include <QDialog>
#include <array>

#include "shell/maintenance/UserAccounts.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

namespace qh::shell {

class UserManagementWindow : public QDialog {
    Q_OBJECT
public:
    UserManagementWindow(const store::DataDirectory& files, const UserContext& user, ui::UserInterface& ui,
                         QWidget* parent = nullptr);
    // False when the list could not be filled (no right, no file): do not show it.
    bool prepare();
    UserManagement& model() { return model_; }

private:
    void fillList();
    void showForm(const UserForm& form);
    UserForm readForm() const;

    UserManagement model_;
    QString home_;  // the logged-in department, where a new user starts
    QListWidget* list_;
    QLineEdit* name_;
    QCheckBox* setPassword_;
    QLineEdit* password_;
    QLineEdit* confirmation_;
    QComboBox* level_;
    QComboBox* department_;
    std::array<QCheckBox*, 8> rights_{};
};

class OwnPasswordWindow : public QDialog {
    Q_OBJECT
public:
    OwnPasswordWindow(const store::DataDirectory& files, const UserContext& user, ui::UserInterface& ui,
                      QWidget* parent = nullptr);
    bool prepare() { return model_.open(); }

private:
    OwnPassword model_;
    QLineEdit* old_;
    QLineEdit* new_;
    QLineEdit* confirmation_;
};

}  // namespace qh::shell
