#pragma once
// The login window: a thin view over LoginModel. On a successful "确  定" it hands the
// filled UserContext to onLoggedIn, which opens the main window (the main window then
// closes this one).
#include <QWidget>
#include <functional>

#include "shell/LoginModel.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qh::shell {

class LoginWindow : public QWidget {
    Q_OBJECT
public:
    LoginWindow(const store::DataDirectory& files, ui::UserInterface& ui,
                std::function<void(const UserContext&)> onLoggedIn,
                QWidget* parent = nullptr);

    LoginModel& model() { return model_; }
    void setOnLoggedIn(std::function<void(const UserContext&)> onLoggedIn) { onLoggedIn_ = std::move(onLoggedIn); }
    // "确  定".
    void logIn();

private:
    void showDepartments();
    void showUsers();

    LoginModel model_;
    std::function<void(const UserContext&)> onLoggedIn_;
    QComboBox* departments_;
    QComboBox* users_;
    QLineEdit* password_;
    QLabel* notice_;
    bool filling_ = false;
};

}  // namespace qh::shell
