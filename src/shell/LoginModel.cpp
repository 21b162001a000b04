#include "shell/LoginModel.h"

#include "common/Identity.h"
#include "store/DatabaseFiles.h"
#include "store/ExternalDatabase.h"
#include "store/SqlText.h"

namespace qh::shell {

using store::sqlText;

LoginModel::LoginModel(ui::UserInterface& ui) : ui_(ui) {}

QString LoginModel::noticeText() {
    return QStringLiteral("     初始用户名、密码均为空  ") + QStringLiteral("\n") +
           QStringLiteral("请进入程序后及时注册你自己的用户");
}

QString LoginModel::wrongPasswordText() { return QStringLiteral("用户名或密码输入错误。"); }

QString LoginModel::departmentText() const {
    return currentDepartment_ >= 0 ? departments_[currentDepartment_].text : QString();
}

QString LoginModel::userText() const { return currentUser_ >= 0 ? users_[currentUser_].text : QString(); }

void LoginModel::open() {
    departments_.clear();
    users_.clear();
    currentDepartment_ = currentUser_ = -1;
    if (!store::openFile(db_, store::DbFile::Main)) return;  // both lists stay empty; the notice shows
    const store::RecordSet rs = db_.Query(QStringLiteral("select * from 科室"));
    int marked = -1;
    db_.MoveFirst(rs);
    while (!db_.IsEOF(rs)) {
        departments_.push_back({db_.Read(rs, QStringLiteral("科室")).toText(), db_.Read(rs, QStringLiteral("编号")).toInt()});
        if (db_.Read(rs, QStringLiteral("默认")).toText().trimmed() == QStringLiteral("√"))
            marked = int(departments_.size()) - 1;  // the last marked row wins
        db_.MoveNext(rs);
    }
    db_.CloseRecordSet(rs);
    currentDepartment_ = marked;
    fillUsers();
}

void LoginModel::chooseDepartment(int index) {
    currentDepartment_ = (index >= 0 && index < departments_.size()) ? index : -1;
    users_.clear();
    currentUser_ = -1;
    if (!store::openFile(db_, store::DbFile::Main)) return;
    fillUsers();
}

void LoginModel::fillUsers() {
    users_.clear();
    currentUser_ = -1;
    const store::RecordSet rs = db_.Query(QStringLiteral("select * from 用户 where 科室='") +
                                          sqlText(departmentText()) + QStringLiteral("' order by 编号 asc"));
    db_.MoveFirst(rs);
    while (!db_.IsEOF(rs)) {
        users_.push_back({db_.Read(rs, QStringLiteral("用户")).toText(), db_.Read(rs, QStringLiteral("编号")).toInt()});
        db_.MoveNext(rs);
    }
    db_.CloseRecordSet(rs);
}

void LoginModel::chooseUser(int index) { currentUser_ = (index >= 0 && index < users_.size()) ? index : -1; }

void LoginModel::readSettings(UserContext& user) {
    if (!db_.IsOpen()) return;  // no connection: name, code and format stay empty or 0
    const store::RecordSet rs = db_.Query(QStringLiteral("select * from 备份"));
    user.hospitalName = db_.Read(rs, QStringLiteral("医院名称")).toText();
    user.organisationCode = db_.Read(rs, QStringLiteral("IP地址")).toText();
    user.frontPageFormat = int(db_.Read(rs, QStringLiteral("精灵狗")).toInt());
    db_.CloseRecordSet(rs);
    db_.Close();
}

bool LoginModel::logIn(const QString& password, UserContext& user) {
    if (!noticeVisible() && store::openFile(db_, store::DbFile::Main)) {
        if (currentUser_ < 0) {  // no user chosen: no row, no digest to match
            ui_.messageBox(QStringLiteral("青禾电子病历"), wrongPasswordText());
            return false;
        }
        const store::RecordSet rs = db_.Query(QStringLiteral("select * from 用户 where 编号=") +
                                              QString::number(users_[currentUser_].value));
        const QString stored = db_.Read(rs, QStringLiteral("密码")).toText();
        // The digest is never empty, so a user without a stored digest never gets in.
        if (stored.isEmpty() || identity::passwordDigest(password) != stored || userText().isEmpty()) {
            db_.CloseRecordSet(rs);
            ui_.messageBox(QStringLiteral("青禾电子病历"), wrongPasswordText());
            return false;
        }
        user.XTGL = db_.Read(rs, QStringLiteral("XTGL")).toBool();
        user.SXBL = db_.Read(rs, QStringLiteral("SXBL")).toBool();
        user.XGBL = db_.Read(rs, QStringLiteral("XGBL")).toBool();
        user.CYBL = db_.Read(rs, QStringLiteral("CYBL")).toBool();
        user.HZTW = db_.Read(rs, QStringLiteral("HZTW")).toBool();
        user.YZCF = db_.Read(rs, QStringLiteral("YZCF")).toBool();
        user.YZWH = db_.Read(rs, QStringLiteral("YZWH")).toBool();
        user.TJCX = db_.Read(rs, QStringLiteral("TJCX")).toBool();
        db_.CloseRecordSet(rs);
        readSettings(user);
        user.userName = userText();
        user.department = departmentText().trimmed();
        return true;
    }
    // First-run branch.
    if (!userText().isEmpty()) return true;  // users listed but the file would not open
    readSettings(user);
    user.department = departmentText().trimmed();
    user.userName.clear();
    user.grantAll();
    return true;
}

}  // namespace qh::shell
