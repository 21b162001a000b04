#pragma once
// The login window's state and rules: the department and user lists read from dzbl.mdb,
// the notice shown while the chosen department has no users, the password check and
// the filling of the UserContext. The window is a thin view over this class.
#include <QString>
#include <QVector>

#include "shell/UserContext.h"
#include "store/Connection.h"
#include "interaction/UserInterface.h"

namespace qh::shell {

struct ListItem {
    QString text;
    qint64 value = 0;  // the row's 编号
};

class LoginModel {
public:
    LoginModel(const store::DataDirectory& files, ui::UserInterface& ui);

    static QString noticeText();
    static QString wrongPasswordText();  // "用户名或密码输入错误。"
    static QString openFailedText();     // dzbl.mdb does not open

    // Fills both lists: departments (the last one marked "√" in 默认 preselected) and the
    // users of the preselected department, none of them chosen.
    void open();
    const QVector<ListItem>& departments() const { return departments_; }
    int currentDepartment() const { return currentDepartment_; }  // -1: none
    QString departmentText() const;
    // Department changed: refills the user list for it.
    void chooseDepartment(int index);

    const QVector<ListItem>& users() const { return users_; }
    int currentUser() const { return currentUser_; }  // -1: none
    QString userText() const;
    void chooseUser(int index);

    // The first-run notice: shown while the ward has no account at all (a department
    // without users is no first run when other departments have accounts).
    bool noticeVisible() const { return firstRun_; }

    // "确  定": true when the main window may open with `user`. With no account in 用户
    // the user enters with every right and no name (first run); otherwise only with a
    // chosen user and that user's password. A wrong password, no user chosen or a file
    // that does not open shows the message and changes nothing.
    bool logIn(const QString& password, UserContext& user);

private:
    void fillUsers(store::Connection& db);
    void readSettings(store::Connection& db, UserContext& user);

    store::DataDirectory files_;
    ui::UserInterface& ui_;
    QVector<ListItem> departments_;
    QVector<ListItem> users_;
    int currentDepartment_ = -1;
    int currentUser_ = -1;
    bool firstRun_ = true;
};

}  // namespace qh::shell
