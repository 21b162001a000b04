// User management and the own-password window against a ward, answered by a script.
#include "ward_fixture.h"
#include "common/Identity.h"
#include "shell/maintenance/UserAccounts.h"
#include "interaction/ScriptedUserInterface.h"
#include "store/ExternalDatabase.h"

namespace qh::shell {
namespace {

class UserAccountsTest : public test::WardFixture {
protected:
    void SetUp() override {
        WardFixture::SetUp();
        addDepartment("内科", "√");
        addDepartment("外科");
        adminId_ = addUser("管理员甲", "内科", "root", "11111111");
        admin_.userName = "管理员甲";
        admin_.userId = adminId_;
        admin_.department = "内科";
        admin_.grantAll();
    }
    QString one(const QString& sql) {
        const store::RecordSet rs = db_.query(sql);
        const QString v = db_.read(rs, 1).toText();
        db_.closeRecordSet(rs);
        return v;
    }
    static UserForm form(const QString& name, const QString& pw, const QString& confirm, const QString& dept = "内科") {
        UserForm f;
        f.name = name;
        f.password = pw;
        f.confirmation = confirm;
        f.level = "医师";
        f.department = dept;
        f.rights[1] = true;  // SXBL
        return f;
    }
    ui::ScriptedUserInterface ui_;
    UserContext admin_;
    qint64 adminId_ = 0;
};

TEST_F(UserAccountsTest, AddChecksNameAndPasswordsTrimmedAndSelectsTheNewUser) {
    UserManagement users(files(), admin_, ui_);
    ASSERT_TRUE(users.open());
    ASSERT_EQ(users.users().size(), 1);

    EXPECT_FALSE(users.add(form("王医生", "a", "b")));
    EXPECT_EQ(ui_.lastText(), "你两次输入的密码不一致，请重新输入。");
    EXPECT_FALSE(users.add(form("  ", "a", "a")));  // no name
    EXPECT_EQ(ui_.lastText(), "你两次输入的密码不一致，请重新输入。");

    ASSERT_TRUE(users.add(form("  王医生 ", "pw ", " pw")));  // compared as the digest sees them
    EXPECT_EQ(ui_.lastText(), "新添加用户成功。");
    ASSERT_EQ(users.users().size(), 2);
    EXPECT_EQ(users.current(), 1);
    EXPECT_EQ(users.form().name, "王医生");
    EXPECT_TRUE(users.form().rights[1]);
    EXPECT_FALSE(users.form().rights[0]);
    EXPECT_EQ(one("select 密码 from 用户 where 用户='王医生'"), identity::passwordDigest("pw"));
    EXPECT_EQ(one("select SXBL from 用户 where 用户='王医生'"), "1");

    // The same name (trimmed) in the same department is refused; in another it is a new account.
    EXPECT_FALSE(users.add(form("王医生  ", "x", "x")));
    EXPECT_EQ(ui_.lastText(), "该用户已存在。");
    ASSERT_TRUE(users.add(form("王医生", "x", "x", "外科")));
    EXPECT_EQ(users.users().size(), 2);  // the list shows the logged-in department only
    EXPECT_EQ(one("select count(*) from 用户 where 用户='王医生'"), "2");
}

TEST_F(UserAccountsTest, ModifyResetsPasswordsRefusesDuplicatesAndCarriesRenamesToPatients) {
    const qint64 wang = addUser("王医生", "内科", "old", "01000000");
    addUser("李医生", "内科", "li", "01000000");
    addPatient({.name = "张三", .doctor = "王医生"});
    addPatient({.name = "赵四", .department = "外科", .doctor = "王医生"});  // another department's 王医生
    UserManagement users(files(), admin_, ui_);
    ASSERT_TRUE(users.open());
    users.select(1);

    UserForm f = users.form();
    f.name = "李医生";
    EXPECT_FALSE(users.modify(f));
    EXPECT_EQ(ui_.lastText(), "该用户已存在。");

    // An administrator resets the password without knowing the old one.
    f = users.form();
    f.setPassword = true;
    f.password = "new";
    f.confirmation = "nEw";
    EXPECT_FALSE(users.modify(f));
    EXPECT_EQ(ui_.lastText(), "你两次输入的密码不一致，请重新输入。");
    f.confirmation = " new ";
    ASSERT_TRUE(users.modify(f));
    EXPECT_EQ(ui_.lastText(), "修改成功。");
    EXPECT_EQ(one(QStringLiteral("select 密码 from 用户 where 编号=%1").arg(wang)), identity::passwordDigest("new"));

    // Without "设置密码" the stored password stays.
    f = users.form();
    f.level = "护师";
    ASSERT_TRUE(users.modify(f));
    EXPECT_EQ(one(QStringLiteral("select 密码 from 用户 where 编号=%1").arg(wang)), identity::passwordDigest("new"));
    EXPECT_EQ(one(QStringLiteral("select 级别 from 用户 where 编号=%1").arg(wang)), "护师");

    // A rename asks, and declined changes nothing.
    f = users.form();
    f.name = " 王大夫 ";
    ui_.answerMessageDialog(0);
    EXPECT_FALSE(users.modify(f));
    EXPECT_EQ(one(QStringLiteral("select 用户 from 用户 where 编号=%1").arg(wang)), "王医生");
    ui_.answerMessageDialog(1);
    ASSERT_TRUE(users.modify(f));
    EXPECT_EQ(one(QStringLiteral("select 用户 from 用户 where 编号=%1").arg(wang)), "王大夫");
    EXPECT_EQ(one("select 主管医生 from 在院病人 where 姓名='张三'"), "王大夫");
    EXPECT_EQ(one("select 主管医生 from 在院病人 where 姓名='赵四'"), "王医生");
    EXPECT_EQ(users.users()[1].text, "王大夫");

    users.select(-1);
    EXPECT_FALSE(users.modify(f));
    EXPECT_EQ(ui_.lastText(), "用户信息输入不全！");
}

TEST_F(UserAccountsTest, TheLastAdministratorStaysAndDeletingAsksFirst) {
    addUser("王医生", "内科", "pw", "01000000");
    UserManagement users(files(), admin_, ui_);
    ASSERT_TRUE(users.open());
    users.select(0);
    UserForm f = users.form();
    f.rights[0] = false;
    EXPECT_FALSE(users.modify(f));
    EXPECT_EQ(ui_.lastText(), kLastAdministratorText);
    EXPECT_FALSE(users.remove());
    EXPECT_EQ(ui_.lastText(), kLastAdministratorText);
    EXPECT_EQ(one("select count(*) from 用户 where XTGL=1"), "1");

    users.select(1);
    ui_.answerMessageDialog(0);
    EXPECT_FALSE(users.remove());
    EXPECT_EQ(users.users().size(), 2);
    ui_.answerMessageDialog(1);
    ASSERT_TRUE(users.remove());
    EXPECT_EQ(ui_.lastText(), "删除用户成功。");
    EXPECT_EQ(users.users().size(), 1);
    EXPECT_EQ(users.current(), -1);
    EXPECT_EQ(one("select count(*) from 用户"), "1");
}

TEST_F(UserAccountsTest, OwnPasswordFindsTheAccountByNumber) {
    // Two accounts with one name in one department: only the logged-in one changes.
    const qint64 first = addUser("张伟", "内科", "one", "01000000");
    const qint64 second = addUser("张伟", "内科", "two", "01000000");
    UserContext me;
    me.userName = "张伟";
    me.department = "内科";
    me.userId = second;
    OwnPassword own(files(), me, ui_);
    ASSERT_TRUE(own.open());
    EXPECT_FALSE(own.change("one", "x", "x"));
    EXPECT_EQ(ui_.lastText(), "你输入的密码错误，请重新输入。");
    EXPECT_FALSE(own.change("two", "x", "y"));
    EXPECT_EQ(ui_.lastText(), "你两次输入的密码不一致，请重新输入。");
    ASSERT_TRUE(own.change(" two", "x ", " x"));
    EXPECT_EQ(ui_.lastText(), "密码修改成功。");
    EXPECT_EQ(one(QStringLiteral("select 密码 from 用户 where 编号=%1").arg(second)), identity::passwordDigest("x"));
    EXPECT_EQ(one(QStringLiteral("select 密码 from 用户 where 编号=%1").arg(first)), identity::passwordDigest("one"));

    // First run: there is no account to change.
    UserContext firstRun;
    firstRun.grantAll();
    OwnPassword none(files(), firstRun, ui_);
    EXPECT_FALSE(none.open());
    EXPECT_TRUE(ui_.lastText().contains("没有"));
}

}  // namespace
}  // namespace qh::shell
