#pragma once
// User accounts: the user-management window's rules (list, select, add, modify, delete)
// for holders of XTGL, and the change-own-password window for everybody. Passwords are
// kept as the 8-character digest the login checks; flags as "1"/"0".
#include <QString>
#include <QVector>
#include <array>

#include "shell/LoginModel.h"
#include "shell/UserContext.h"
#include "store/DatabaseFiles.h"
#include "interaction/UserInterface.h"

namespace qh::shell {

inline const QStringList kUserLevels{QStringLiteral("医师"), QStringLiteral("护师")};
// The flags in their column order, with their captions.
inline const QStringList kRightColumns{QStringLiteral("XTGL"), QStringLiteral("SXBL"), QStringLiteral("XGBL"),
                                       QStringLiteral("CYBL"), QStringLiteral("HZTW"), QStringLiteral("YZCF"),
                                       QStringLiteral("YZWH"), QStringLiteral("TJCX")};
inline const QStringList kRightCaptions{QStringLiteral("系统管理"), QStringLiteral("书写权限"),
                                        QStringLiteral("修改权限"), QStringLiteral("查阅权限"),
                                        QStringLiteral("绘制体温"), QStringLiteral("医嘱处方"),
                                        QStringLiteral("医嘱维护"), QStringLiteral("统计查询")};
inline const QString kLastAdministratorText = QStringLiteral("至少要保留一个有系统管理权限的用户。");

// What the user-management window's boxes hold.
struct UserForm {
    QString name;
    bool setPassword = false;  // "设置密码" ticked: the two password boxes apply (an empty password is one)
    QString password;
    QString confirmation;
    QString level;
    QString department;
    std::array<bool, 8> rights{};  // in the order of kRightColumns
};

class UserManagement {
public:
    UserManagement(const store::DataDirectory& files, const UserContext& user, ui::UserInterface& ui);

    // Fills the list with the users of the logged-in department. False (with the message)
    // when the file does not open or the user lacks XTGL.
    bool open();
    const QVector<ListItem>& users() const { return users_; }
    int current() const { return current_; }
    // The chosen user's boxes (password boxes empty); an empty form for -1.
    UserForm select(int index);
    const UserForm& form() const { return form_; }
    QStringList departments() const;

    bool add(const UserForm& form);
    bool modify(const UserForm& form);
    // Asks first; refuses to delete the last holder of XTGL.
    bool remove();

private:
    void refill(store::Connection& db);
    bool nameTaken(store::Connection& db, const QString& name, const QString& department, qint64 except);
    // Administrators other than id that would remain.
    int otherAdministrators(store::Connection& db, qint64 id);

    store::DataDirectory files_;
    const UserContext& user_;
    ui::UserInterface& ui_;
    QVector<ListItem> users_;
    int current_ = -1;
    UserForm form_;
};

// The change-own-password window: the account is the one logged in, found by its 编号.
class OwnPassword {
public:
    OwnPassword(const store::DataDirectory& files, const UserContext& user, ui::UserInterface& ui);
    // False with a message in first-run mode (there is no account) or when the account is gone.
    bool open();
    bool change(const QString& oldPassword, const QString& newPassword, const QString& confirmation);

private:
    store::DataDirectory files_;
    const UserContext& user_;
    ui::UserInterface& ui_;
};

}  // namespace qh::shell
