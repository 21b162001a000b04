#include "shell/LoginModel.h"

#include "common/Identity.h"
namespace qh::shell {

LoginModel::LoginModel(const store::DataDirectory& files, ui::UserInterface& ui) : files_(files), ui_(ui) {}

QString LoginModel::noticeText() {
    return QStringLiteral("     初始用户名、密码均为空  ") + QStringLiteral("\n") +
           QStringLiteral("请进入程序后及时注册你自己的用户");
}

QString LoginModel::wrongPasswordText() { return QStringLiteral("用户名或密码输入错误。"); }

QString LoginModel::openFailedText() {
    return QStringLiteral("服务器登录失败") + QStringLiteral("\n") + QStringLiteral("请确认服务器连接真确或服务器开启。");
}

QString LoginModel::departmentText() const {
    return currentDepartment_ >= 0 ? departments_[currentDepartment_].text : QString();
}

QString LoginModel::userText() const { return currentUser_ >= 0 ? users_[currentUser_].text : QString(); }

void LoginModel::open() {
    departments_.clear();
    users_.clear();
    currentDepartment_ = currentUser_ = -1;
    firstRun_ = true;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return;  // both lists stay empty; the notice shows
    int marked = -1;
    for (const store::Row& row : db.query(QStringLiteral("select * from 科室"))) {
        departments_.push_back({row.text(QStringLiteral("科室")), row.integer(QStringLiteral("编号"))});
        if (row.text(QStringLiteral("默认")).trimmed() == QStringLiteral("√"))
            marked = int(departments_.size()) - 1;  // the last marked row wins
    }
    currentDepartment_ = marked;
    firstRun_ = db.query(QStringLiteral("select count(*) from 用户")).first().value(0).toInt() == 0;
    fillUsers(db);
}

void LoginModel::chooseDepartment(int index) {
    currentDepartment_ = (index >= 0 && index < departments_.size()) ? index : -1;
    users_.clear();
    currentUser_ = -1;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (db.isOpen()) fillUsers(db);
}

void LoginModel::fillUsers(store::Connection& db) {
    users_.clear();
    currentUser_ = -1;
    for (const store::Row& row :
         db.query(QStringLiteral("select * from 用户 where 科室=? order by 编号 asc"), {departmentText()}))
        users_.push_back({row.text(QStringLiteral("用户")), row.integer(QStringLiteral("编号"))});
}

void LoginModel::chooseUser(int index) { currentUser_ = (index >= 0 && index < users_.size()) ? index : -1; }

void LoginModel::readSettings(store::Connection& db, UserContext& user) {
    if (!db.isOpen()) return;  // no connection: name, code and format stay empty or 0
    const store::Row row = db.query(QStringLiteral("select * from 备份")).first();
    user.hospitalName = row.text(QStringLiteral("医院名称"));
    user.organisationCode = row.text(QStringLiteral("IP地址"));
    user.frontPageFormat = int(row.integer(QStringLiteral("精灵狗")));
}

bool LoginModel::logIn(const QString& password, UserContext& user) {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) {  // no file, no accounts to check against: nobody enters
        ui_.messageBox(QStringLiteral("青禾电子病历"), openFailedText());
        return false;
    }
    // Every right without a password only while the ward has no account at all; a
    // department without users is no way in once anybody has an account.
    const store::Rows count = db.query(QStringLiteral("select count(*) from 用户"));
    if (!count.ok()) {
        ui_.messageBox(QStringLiteral("青禾电子病历"), openFailedText());
        return false;
    }
    if (count.first().value(0).toInt() == 0) {
        readSettings(db, user);
        user.department = departmentText().trimmed();
        user.userName.clear();
        user.userId = 0;
        user.grantAll();
        return true;
    }
    if (currentUser_ < 0) {  // no user chosen: no row, no digest to match
        ui_.warningBox(QStringLiteral("青禾电子病历"), wrongPasswordText());
        return false;
    }
    const store::Row row =
        db.query(QStringLiteral("select * from 用户 where 编号=?"), {users_[currentUser_].value}).first();
    const QString stored = row.text(QStringLiteral("密码"));
    // The digest is never empty, so a user without a stored digest never gets in.
    if (stored.isEmpty() || identity::passwordDigest(password) != stored || userText().isEmpty()) {
        ui_.warningBox(QStringLiteral("青禾电子病历"), wrongPasswordText());
        return false;
    }
    user.XTGL = row.boolean(QStringLiteral("XTGL"));
    user.SXBL = row.boolean(QStringLiteral("SXBL"));
    user.XGBL = row.boolean(QStringLiteral("XGBL"));
    user.CYBL = row.boolean(QStringLiteral("CYBL"));
    user.HZTW = row.boolean(QStringLiteral("HZTW"));
    user.YZCF = row.boolean(QStringLiteral("YZCF"));
    user.YZWH = row.boolean(QStringLiteral("YZWH"));
    user.TJCX = row.boolean(QStringLiteral("TJCX"));
    readSettings(db, user);
    user.userName = userText();
    user.userId = users_[currentUser_].value;
    user.department = departmentText().trimmed();
    return true;
}

}  // namespace qh::shell
