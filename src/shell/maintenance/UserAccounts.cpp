#include "shell/maintenance/UserAccounts.h"

#include "common/Identity.h"
#include "shell/MainCommands.h"
#include "store/Connection.h"

namespace qh::shell {

namespace {

const QString kDuplicate = QStringLiteral("该用户已存在。");
const QString kMismatch = QStringLiteral("你两次输入的密码不一致，请重新输入。");
const QString kIncomplete = QStringLiteral("用户信息输入不全！");
const QString kConnectFailed = QStringLiteral("服务器连接失败！");

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

// The column list and values of the eight flags, for the statements below.
store::Params flagParams(const UserForm& form) {
    store::Params params;
    for (bool on : form.rights) params.emplace_back(flag(on));
    return params;
}

}  // namespace

UserManagement::UserManagement(const store::DataDirectory& files, const UserContext& user, ui::UserInterface& ui)
    : files_(files), user_(user), ui_(ui) {}

bool UserManagement::open() {
    if (!requireRight(user_.XTGL, ui_)) return false;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) {
        ui_.messageDialog(LoginModel::openFailedText());
        return false;
    }
    refill(db);
    return true;
}

void UserManagement::refill(store::Connection& db) {
    const qint64 keep = current_ >= 0 ? users_[current_].value : 0;
    users_.clear();
    current_ = -1;
    for (const store::Row& row :
         db.query(QStringLiteral("select * from 用户 where 科室=? order by 编号 asc"), {user_.department})) {
        users_.push_back({row.text(QStringLiteral("用户")), row.integer(QStringLiteral("编号"))});
        if (row.integer(QStringLiteral("编号")) == keep) current_ = int(users_.size()) - 1;
    }
}

QStringList UserManagement::departments() const {
    QStringList out;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    for (const store::Row& row : db.query(QStringLiteral("select * from 科室 order by 编号")))
        out << row.text(QStringLiteral("科室"));
    return out;
}

UserForm UserManagement::select(int index) {
    current_ = (index >= 0 && index < users_.size()) ? index : -1;
    form_ = UserForm();
    if (current_ < 0) return form_;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    const store::Row row = db.query(QStringLiteral("select * from 用户 where 编号=?"), {users_[current_].value}).first();
    form_.name = row.text(QStringLiteral("用户"));
    form_.level = row.text(QStringLiteral("级别"));
    form_.department = row.text(QStringLiteral("科室"));
    for (int i = 0; i < 8; ++i) form_.rights[i] = row.boolean(kRightColumns[i]);
    return form_;
}

bool UserManagement::nameTaken(store::Connection& db, const QString& name, const QString& department, qint64 except) {
    return !db.query(QStringLiteral("select * from 用户 where 科室=? and 用户=? and 编号<>?"),
                     {department, name, except})
                .isEmpty();
}

int UserManagement::otherAdministrators(store::Connection& db, qint64 id) {
    return int(db.query(QStringLiteral("select count(*) from 用户 where XTGL=1 and 编号<>?"), {id})
                   .first()
                   .value(0)
                   .toInt());
}

bool UserManagement::add(const UserForm& form) {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) {
        ui_.messageDialog(kConnectFailed);
        return false;
    }
    const QString name = form.name.trimmed();
    const QString department = form.department.trimmed();
    if (nameTaken(db, name, department, 0)) {
        ui_.messageDialog(kDuplicate);
        return false;
    }
    // The digest trims the password, so the two boxes are compared trimmed as well.
    if (form.password.trimmed() != form.confirmation.trimmed() || name.isEmpty()) {
        ui_.messageDialog(kMismatch);
        return false;
    }
    if (department.isEmpty()) {
        ui_.messageDialog(kIncomplete);
        return false;
    }
    store::Params params{identity::passwordDigest(form.password), name, form.level.trimmed(), department};
    for (store::Param& p : flagParams(form)) params.push_back(p);
    const bool added = db.execute(QStringLiteral("INSERT INTO 用户 (密码,用户,级别,科室,XTGL,SXBL,XGBL,CYBL,HZTW,YZCF,YZWH,"
                                                 "TJCX) values (?,?,?,?,?,?,?,?,?,?,?,?)"),
                                  params)
                           .changed();
    if (!added) {
        ui_.messageDialog(QStringLiteral("新添加用户失败。"));
        return false;
    }
    ui_.messageDialog(QStringLiteral("新添加用户成功。"));
    refill(db);
    select(int(users_.size()) - 1);
    return true;
}

bool UserManagement::modify(const UserForm& form) {
    const QString name = form.name.trimmed();
    const QString department = form.department.trimmed();
    if (current_ < 0 || form.level.trimmed().isEmpty() || department.isEmpty() || name.isEmpty()) {
        ui_.messageDialog(kIncomplete);
        return false;
    }
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) {
        ui_.messageDialog(kConnectFailed);
        return false;
    }
    const qint64 id = users_[current_].value;
    const store::Row old = db.query(QStringLiteral("select * from 用户 where 编号=?"), {id}).first();
    if (!old.isValid()) {
        ui_.messageDialog(QStringLiteral("修改失败。"));
        return false;
    }
    if (nameTaken(db, name, department, id)) {
        ui_.messageDialog(kDuplicate);
        return false;
    }
    // An administrator sets (or resets) the password outright: the old one is not asked.
    if (form.setPassword && form.password.trimmed() != form.confirmation.trimmed()) {
        ui_.messageDialog(kMismatch);
        return false;
    }
    if (!form.rights[0] && old.boolean(QStringLiteral("XTGL")) && otherAdministrators(db, id) == 0) {
        ui_.messageDialog(kLastAdministratorText);
        return false;
    }
    // A renamed doctor stays the responsible doctor of their patients.
    const QString oldName = old.text(QStringLiteral("用户"));
    const QString oldDepartment = old.text(QStringLiteral("科室"));
    int patients = 0;
    if (oldName != name) {
        patients = int(db.query(QStringLiteral("select count(*) from 在院病人 where 主管医生=? and 科室=?"),
                                {oldName, oldDepartment})
                           .first()
                           .value(0)
                           .toInt());
        if (patients > 0 &&
            ui_.messageDialog(QStringLiteral("%1是%2位病人的主管医生，改名后这些病人的主管医生将一并改为%3。确定修改吗？")
                                  .arg(oldName)
                                  .arg(patients)
                                  .arg(name),
                              true) != 1)
            return false;
    }
    store::Params params;
    if (form.setPassword) params.emplace_back(identity::passwordDigest(form.password));
    params.emplace_back(name);
    params.emplace_back(form.level.trimmed());
    params.emplace_back(department);
    for (store::Param& p : flagParams(form)) params.push_back(p);
    params.emplace_back(id);
    const QString sql = QStringLiteral("UPDATE 用户 SET ") + (form.setPassword ? QStringLiteral("密码=?,") : QString()) +
                        QStringLiteral("用户=?,级别=?,科室=?,XTGL=?,SXBL=?,XGBL=?,CYBL=?,HZTW=?,YZCF=?,YZWH=?,TJCX=? "
                                       "WHERE 编号=?");
    store::Transaction tx(db);
    bool ok = db.execute(sql, params).changed();
    if (ok && patients > 0)
        ok = db.execute(QStringLiteral("update 在院病人 set 主管医生=? where 主管医生=? and 科室=?"),
                        {name, oldName, oldDepartment})
                 .ok;
    ok = ok && tx.commit();
    ui_.messageDialog(ok ? QStringLiteral("修改成功。") : QStringLiteral("修改失败。"));
    if (ok) {
        refill(db);
        if (current_ >= 0) select(current_);
        else form_ = UserForm();
    }
    return ok;
}

bool UserManagement::remove() {
    if (current_ < 0) {
        ui_.messageDialog(QStringLiteral("请先选择要删除的用户。"));
        return false;
    }
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) {
        ui_.messageDialog(kConnectFailed);
        return false;
    }
    const qint64 id = users_[current_].value;
    const bool admin = db.query(QStringLiteral("select * from 用户 where 编号=?"), {id}).first().boolean(QStringLiteral("XTGL"));
    if (admin && otherAdministrators(db, id) == 0) {
        ui_.messageDialog(kLastAdministratorText);
        return false;
    }
    if (ui_.messageDialog(QStringLiteral("确定要删除用户“%1”吗？").arg(users_[current_].text), true) != 1) return false;
    if (!db.execute(QStringLiteral("delete from 用户 where 编号=?"), {id}).changed()) {
        ui_.messageDialog(QStringLiteral("删除失败!"));
        return false;
    }
    ui_.messageDialog(QStringLiteral("删除用户") + QStringLiteral("成功。"));
    users_.removeAt(current_);
    current_ = -1;
    form_ = UserForm();
    return true;
}

OwnPassword::OwnPassword(const store::DataDirectory& files, const UserContext& user, ui::UserInterface& ui)
    : files_(files), user_(user), ui_(ui) {}

bool OwnPassword::open() {
    if (user_.userId <= 0) {
        ui_.messageDialog(QStringLiteral("现在是初次使用，没有登录的用户帐号。请在 维护-用户密码 中先添加用户。"));
        return false;
    }
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) {
        ui_.messageDialog(LoginModel::openFailedText());
        return false;
    }
    if (db.query(QStringLiteral("select * from 用户 where 编号=?"), {user_.userId}).isEmpty()) {
        ui_.messageDialog(QStringLiteral("找不到你的用户帐号，它可能已被删除。"));
        return false;
    }
    return true;
}

bool OwnPassword::change(const QString& oldPassword, const QString& newPassword, const QString& confirmation) {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen() || user_.userId <= 0) {
        ui_.messageDialog(kConnectFailed);
        return false;
    }
    const store::Row row = db.query(QStringLiteral("select * from 用户 where 编号=?"), {user_.userId}).first();
    if (!row.isValid() || identity::passwordDigest(oldPassword) != row.text(QStringLiteral("密码"))) {
        ui_.messageDialog(QStringLiteral("你输入的密码错误，请重新输入。"));
        return false;
    }
    if (newPassword.trimmed() != confirmation.trimmed()) {
        ui_.messageDialog(kMismatch);
        return false;
    }
    if (!db.execute(QStringLiteral("UPDATE 用户 SET 密码=? WHERE 编号=?"), {identity::passwordDigest(newPassword), user_.userId})
             .changed()) {
        ui_.messageDialog(QStringLiteral("密码修改失败。"));
        return false;
    }
    ui_.messageDialog(QStringLiteral("密码修改成功。"));
    return true;
}

}  // namespace qh::shell
