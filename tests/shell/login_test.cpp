#include <QFile>

#include "ward_fixture.h"
#include "shell/LoginModel.h"
#include "interaction/ScriptedUserInterface.h"

namespace qh::shell {
namespace {

class LoginTest : public test::WardFixture {
protected:
    void SetUp() override {
        WardFixture::SetUp();
        setHospital("青禾医院", "45012377-X", 2);
        addDepartment("内科", "√");
    }
    ui::ScriptedUserInterface ui_;
    UserContext user_;
};

TEST_F(LoginTest, FirstRunEntersWithEveryRightAndEmptyName) {
    exec("update 科室 set 科室='  内科 '");  // the department name is trimmed on the way in
    LoginModel login(files(), ui_);
    login.open();
    ASSERT_EQ(login.currentDepartment(), 0);
    EXPECT_TRUE(login.noticeVisible());
    ASSERT_TRUE(login.logIn(QString(), user_));
    EXPECT_TRUE(ui_.shown().isEmpty());
    EXPECT_EQ(user_.userName, QString());
    EXPECT_EQ(user_.department, "内科");
    EXPECT_EQ(user_.hospitalName, "青禾医院");
    EXPECT_EQ(user_.organisationCode, "45012377-X");
    EXPECT_EQ(user_.frontPageFormat, 2);
    EXPECT_TRUE(user_.XTGL && user_.SXBL && user_.XGBL && user_.CYBL && user_.HZTW && user_.YZCF && user_.YZWH && user_.TJCX);
}

TEST_F(LoginTest, DefaultDepartmentIsTheLastMarkedAndNoneWhenUnmarked) {
    addDepartment("外科");
    addDepartment("儿科", " √ ");
    addUser("王医生", "儿科", "1");
    LoginModel login(files(), ui_);
    login.open();
    ASSERT_EQ(login.departments().size(), 3);
    EXPECT_EQ(login.departmentText(), "儿科");
    ASSERT_EQ(login.users().size(), 1);
    EXPECT_EQ(login.currentUser(), -1);  // nobody chosen by the fill
    EXPECT_FALSE(login.noticeVisible());

    exec("update 科室 set 默认=''");
    login.open();
    EXPECT_EQ(login.currentDepartment(), -1);
    EXPECT_TRUE(login.users().isEmpty());
    EXPECT_FALSE(login.noticeVisible());  // the ward has accounts: no first-run notice
    login.chooseDepartment(2);
    EXPECT_EQ(login.users().size(), 1);
}

TEST_F(LoginTest, ADepartmentWithoutUsersIsNoWayInOnceAnyAccountExists) {
    addDepartment("五官科");
    addUser("王医生", "内科", "pw", "00000000");
    LoginModel login(files(), ui_);
    login.open();
    login.chooseDepartment(1);  // 五官科: nobody
    EXPECT_TRUE(login.users().isEmpty());
    EXPECT_FALSE(login.noticeVisible());
    EXPECT_FALSE(login.logIn(QString(), user_));
    EXPECT_EQ(ui_.lastText(), "用户名或密码输入错误。");
    EXPECT_FALSE(user_.XTGL || user_.TJCX);

    // The account found at login is remembered by its 编号 (names may repeat).
    login.chooseDepartment(0);
    login.chooseUser(0);
    ASSERT_TRUE(login.logIn("pw", user_));
    EXPECT_EQ(user_.userId, login.users()[0].value);

    // Every account deleted: the first run comes back.
    exec("delete from 用户");
    login.open();
    EXPECT_TRUE(login.noticeVisible());
    UserContext fresh;
    ASSERT_TRUE(login.logIn(QString(), fresh));
    EXPECT_TRUE(fresh.XTGL);
    EXPECT_EQ(fresh.userId, 0);
}

TEST_F(LoginTest, PasswordIsCheckedAfterTrimmingAndFailuresResetNothing) {
    addUser("李医生", "内科", "ab c", "01000001");
    LoginModel login(files(), ui_);
    login.open();
    login.chooseUser(0);
    EXPECT_FALSE(login.logIn("abc", user_));  // inner spaces count
    ASSERT_EQ(ui_.shown().size(), 1);
    EXPECT_EQ(ui_.shown()[0].kind, ui::ShownKind::MessageBox);
    EXPECT_TRUE(ui_.shown()[0].warning);
    EXPECT_EQ(ui_.lastText(), "用户名或密码输入错误。");
    EXPECT_EQ(login.currentUser(), 0);
    EXPECT_EQ(user_.userName, QString());

    ASSERT_TRUE(login.logIn("  ab c ", user_));
    EXPECT_EQ(user_.userName, "李医生");
    EXPECT_EQ(user_.department, "内科");
    EXPECT_EQ(user_.hospitalName, "青禾医院");
    EXPECT_TRUE(user_.SXBL && user_.TJCX);
    EXPECT_FALSE(user_.XTGL || user_.XGBL || user_.CYBL || user_.HZTW || user_.YZCF || user_.YZWH);
}

TEST_F(LoginTest, EmptyDigestNeverMatchesAndSameNameUsersAreToldApartByNumber) {
    addUser("无密码", "内科", QString(), "11111111", false);
    addUser("张伟", "内科", "first", "10000000");
    addUser("张伟", "内科", "second", "00000001");
    LoginModel login(files(), ui_);
    login.open();
    ASSERT_EQ(login.users().size(), 3);
    EXPECT_LT(login.users()[1].value, login.users()[2].value);
    EXPECT_FALSE(login.logIn(QString(), user_));  // nobody chosen
    login.chooseUser(0);
    EXPECT_FALSE(login.logIn(QString(), user_));
    EXPECT_FALSE(login.logIn("anything", user_));
    EXPECT_EQ(ui_.shown().size(), 3);

    login.chooseUser(2);
    EXPECT_FALSE(login.logIn("first", user_));
    ASSERT_TRUE(login.logIn("second", user_));
    EXPECT_FALSE(user_.XTGL);
    EXPECT_TRUE(user_.TJCX);
}

TEST_F(LoginTest, AMainDatabaseThatDoesNotOpenLetsNobodyIn) {
    addUser("李医生", "内科", "pw");
    LoginModel login(files(), ui_);
    login.open();
    login.chooseUser(0);
    db_.close();
    ASSERT_TRUE(QFile::remove(files().path(store::DbFile::Main)));
    EXPECT_FALSE(login.logIn("pw", user_));
    EXPECT_EQ(ui_.lastText(), LoginModel::openFailedText());

    login.open();
    EXPECT_TRUE(login.departments().isEmpty());
    EXPECT_FALSE(login.logIn(QString(), user_));
    EXPECT_FALSE(user_.XTGL || user_.SXBL || user_.TJCX);
    EXPECT_EQ(user_.userName, QString());
}

}  // namespace
}  // namespace qh::shell
