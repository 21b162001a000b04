#include <QFile>

#include "WardFixture.h"
#include "shell/LoginModel.h"
#include "widgets/ScriptedUserInterface.h"

namespace qh::shell {
namespace {

class LoginTest : public test::WardFixture {
protected:
    void SetUp() override {
        WardFixture::SetUp();
        setHospital(QStringLiteral("青禾医院"), QStringLiteral("45012377-X"), 2);
    }
    ui::ScriptedUserInterface ui_;
};

TEST_F(LoginTest, FirstRunEntersWithEveryRightAndEmptyName) {
    addDepartment(QStringLiteral("  内科 "), QStringLiteral("√"));
    LoginModel login(ui_);
    login.open();
    ASSERT_EQ(login.currentDepartment(), 0);
    EXPECT_TRUE(login.noticeVisible());
    UserContext user;
    ASSERT_TRUE(login.logIn(QString(), user));
    EXPECT_TRUE(ui_.shown().isEmpty());
    EXPECT_EQ(user.userName, QString());
    EXPECT_EQ(user.department, QStringLiteral("内科"));
    EXPECT_EQ(user.hospitalName, QStringLiteral("青禾医院"));
    EXPECT_EQ(user.organisationCode, QStringLiteral("45012377-X"));
    EXPECT_EQ(user.frontPageFormat, 2);
    EXPECT_TRUE(user.XTGL && user.SXBL && user.XGBL && user.CYBL && user.HZTW && user.YZCF && user.YZWH && user.TJCX);
}

TEST_F(LoginTest, DefaultDepartmentIsTheLastMarkedAndNoneWhenUnmarked) {
    addDepartment(QStringLiteral("内科"), QStringLiteral("√"));
    addDepartment(QStringLiteral("外科"));
    addDepartment(QStringLiteral("儿科"), QStringLiteral(" √ "));
    addUser(QStringLiteral("王医生"), QStringLiteral("儿科"), QStringLiteral("1"));
    LoginModel login(ui_);
    login.open();
    ASSERT_EQ(login.departments().size(), 3);
    EXPECT_EQ(login.departmentText(), QStringLiteral("儿科"));
    ASSERT_EQ(login.users().size(), 1);
    EXPECT_EQ(login.currentUser(), -1);  // nobody chosen by the fill
    EXPECT_FALSE(login.noticeVisible());

    exec(QStringLiteral("update 科室 set 默认=''"));
    login.open();
    EXPECT_EQ(login.currentDepartment(), -1);
    EXPECT_TRUE(login.users().isEmpty());
    EXPECT_TRUE(login.noticeVisible());
    login.chooseDepartment(2);
    EXPECT_FALSE(login.noticeVisible());
}

TEST_F(LoginTest, PasswordIsCheckedAfterTrimmingAndFailuresResetNothing) {
    addDepartment(QStringLiteral("内科"), QStringLiteral("√"));
    addUser(QStringLiteral("李医生"), QStringLiteral("内科"), QStringLiteral("ab c"), QStringLiteral("01000001"));
    LoginModel login(ui_);
    login.open();
    login.chooseUser(0);

    UserContext user;
    EXPECT_FALSE(login.logIn(QStringLiteral("abc"), user));  // inner spaces count
    ASSERT_EQ(ui_.shown().size(), 1);
    EXPECT_EQ(ui_.shown()[0].kind, ui::ShownKind::MessageBox);
    EXPECT_EQ(ui_.lastText(), QStringLiteral("用户名或密码输入错误。"));
    EXPECT_EQ(login.currentUser(), 0);
    EXPECT_EQ(user.userName, QString());

    ASSERT_TRUE(login.logIn(QStringLiteral("  ab c "), user));
    EXPECT_EQ(user.userName, QStringLiteral("李医生"));
    EXPECT_EQ(user.department, QStringLiteral("内科"));
    EXPECT_EQ(user.hospitalName, QStringLiteral("青禾医院"));
    EXPECT_FALSE(user.XTGL);
    EXPECT_TRUE(user.SXBL);
    EXPECT_FALSE(user.XGBL || user.CYBL || user.HZTW || user.YZCF || user.YZWH);
    EXPECT_TRUE(user.TJCX);
}

TEST_F(LoginTest, NoUserChosenOrEmptyStoredDigestNeverLogsIn) {
    addDepartment(QStringLiteral("内科"), QStringLiteral("√"));
    addUser(QStringLiteral("无密码"), QStringLiteral("内科"), QString(), QStringLiteral("11111111"), false);
    LoginModel login(ui_);
    login.open();
    UserContext user;
    EXPECT_FALSE(login.logIn(QString(), user));  // nobody chosen
    login.chooseUser(0);
    EXPECT_FALSE(login.logIn(QString(), user));
    EXPECT_FALSE(login.logIn(QStringLiteral("anything"), user));
    EXPECT_EQ(ui_.shown().size(), 3);
    EXPECT_FALSE(user.XTGL);
}

TEST_F(LoginTest, SameNameUsersAreToldApartByNumber) {
    addDepartment(QStringLiteral("内科"), QStringLiteral("√"));
    addUser(QStringLiteral("张伟"), QStringLiteral("内科"), QStringLiteral("first"), QStringLiteral("10000000"));
    addUser(QStringLiteral("张伟"), QStringLiteral("内科"), QStringLiteral("second"), QStringLiteral("00000001"));
    LoginModel login(ui_);
    login.open();
    ASSERT_EQ(login.users().size(), 2);
    EXPECT_LT(login.users()[0].value, login.users()[1].value);

    login.chooseUser(1);
    UserContext user;
    EXPECT_FALSE(login.logIn(QStringLiteral("first"), user));
    ASSERT_TRUE(login.logIn(QStringLiteral("second"), user));
    EXPECT_FALSE(user.XTGL);
    EXPECT_TRUE(user.TJCX);
}

TEST_F(LoginTest, MissingMainDatabaseEntersFirstRunWithEmptySettings) {
    db_.Close();
    ASSERT_TRUE(QFile::remove(store::path(store::DbFile::Main)));
    LoginModel login(ui_);
    login.open();
    EXPECT_TRUE(login.departments().isEmpty());
    EXPECT_TRUE(login.noticeVisible());
    UserContext user;
    ASSERT_TRUE(login.logIn(QString(), user));
    EXPECT_EQ(user.hospitalName, QString());
    EXPECT_EQ(user.frontPageFormat, 0);
    EXPECT_TRUE(user.XTGL);
}

}  // namespace
}  // namespace qh::shell
