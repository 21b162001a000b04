// The maintenance commands in the main window: what a user without XTGL can reach, the
// user-management window through its controls, and the settings page.
#include <QtWidgets>

#include "support/screenshot.h"
#include "ward_fixture.h"
#include "common/Identity.h"
#include "shell/MainCommands.h"
#include "shell/ui/CommandMenus.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/maintenance/MaintenanceCommands.h"
#include "shell/ui/maintenance/SettingsPage.h"
#include "shell/ui/maintenance/UserWindows.h"
#include "interaction/ScriptedUserInterface.h"

namespace qh::shell {
namespace {

void screenshot(QWidget* w, const char* file) { test::screenshot(*w, file); }

class MaintenanceWindowsTest : public test::WardFixture {
protected:
    void SetUp() override {
        WardFixture::SetUp();
        setHospital("青禾医院", "X1", 1);
        addDepartment("内科", "√");
        addDepartment("外科");
    }
    std::unique_ptr<MainWindow> mainWindow(const UserContext& user) {
        auto main = std::make_unique<MainWindow>(user, files(), ui_);
        installMaintenanceCommands(*main);
        return main;
    }
    ui::ScriptedUserInterface ui_;
};

TEST_F(MaintenanceWindowsTest, WithoutXtglNoMenuReachesSettingsBackupOrRestore) {
    UserContext doctor;
    doctor.userName = "王医生";
    doctor.department = "内科";
    doctor.SXBL = doctor.TJCX = true;
    auto main = mainWindow(doctor);
    for (const QString& id : {cmd::Settings, cmd::Backup, cmd::Restore}) {
        ASSERT_FALSE(main->menus().actions(id).isEmpty());
        for (QAction* a : main->menus().actions(id)) {
            EXPECT_FALSE(a->isEnabled()) << id.toStdString();
            a->trigger();  // a disabled item does nothing
        }
        // The handler refuses by itself when reached another way.
        ui_.clear();
        EXPECT_TRUE(main->commands().run(id));
        EXPECT_EQ(ui_.texts(), QStringList{kNoRightText}) << id.toStdString();
    }
    EXPECT_NE(main->pages().current(), WorkPage::Settings);
    // A right-protected command added later is closed the same way, before any save prompt.
    bool ran = false;
    doctor.TJCX = false;
    auto noStats = mainWindow(doctor);
    noStats->commands().setHandler(cmd::Statistics, [&] { ran = true; });
    ui_.clear();
    EXPECT_FALSE(noStats->menus().actions(cmd::Statistics)[0]->isEnabled());
    noStats->commands().run(cmd::Statistics);
    EXPECT_FALSE(ran);
    EXPECT_EQ(ui_.texts(), QStringList{kNoRightText});
    // The menu bar's user-account item stays: it opens the own-password window.
    EXPECT_TRUE(main->menus().actions(cmd::Users)[0]->isEnabled());

    UserContext admin = doctor;
    admin.XTGL = true;
    auto adminMain = mainWindow(admin);
    for (const QString& id : {cmd::Settings, cmd::Backup, cmd::Restore})
        for (QAction* a : adminMain->menus().actions(id)) EXPECT_TRUE(a->isEnabled()) << id.toStdString();
    ui_.clear();
    adminMain->menus().actions(cmd::Settings)[0]->trigger();
    EXPECT_EQ(adminMain->pages().current(), WorkPage::Settings);
    EXPECT_TRUE(ui_.shown().isEmpty());
}

TEST_F(MaintenanceWindowsTest, BackupAndRestoreFromTheMenusClearTheSelection) {
    const qint64 id = addPatient({.name = "张三", .doctor = "管理员"});
    UserContext admin;
    admin.userName = "管理员";
    admin.department = "内科";
    admin.grantAll();
    auto main = mainWindow(admin);
    ui_.answerPath(dir_.file("copies/周一"));
    main->menus().actions(cmd::Backup)[0]->trigger();
    EXPECT_EQ(ui_.lastText(), "数据库备份成功！");
    ASSERT_TRUE(QFileInfo::exists(dir_.file("copies/周一.mdb")));

    ASSERT_TRUE(main->selection().select(id, PatientStatus::InWard));
    ui_.answerPath(dir_.file("copies/周一.mdb"));
    ui_.answerOkCancel(true);
    main->menus().actions(cmd::Restore)[0]->trigger();
    EXPECT_TRUE(ui_.lastText().startsWith("数据库还原成功！"));
    EXPECT_TRUE(main->selection().isEmpty());  // nothing keeps keys of the replaced file
}

TEST_F(MaintenanceWindowsTest, SavingTheHospitalNameRebuildsTheBanner) {
    UserContext admin;
    admin.userName = "管理员";
    admin.department = "内科";
    admin.hospitalName = "青禾医院";
    admin.grantAll();
    auto main = mainWindow(admin);
    main->commands().run(cmd::Settings);
    auto* page = main->findChild<SettingsPage*>();
    ASSERT_TRUE(page);
    EXPECT_EQ(page->tabs()->count(), 16);
    page->model().grid(SettingsTab::Hospital).setText(1, 1, "青禾县中医院");
    page->tabs()->setCurrentIndex(0);
    ASSERT_TRUE(page->saveCurrent());
    EXPECT_EQ(main->findChild<QLabel*>("banner")->text(), "青禾县中医院 电子病历书写系统    内科");
    EXPECT_EQ(main->user().hospitalName, "青禾县中医院");

    page->tabs()->setCurrentIndex(1);
    main->resize(1000, 640);
    main->show();
    QApplication::processEvents();
    screenshot(main.get(), "settings.png");
}

TEST_F(MaintenanceWindowsTest, UserWindowMasksPasswordsAndAddsThroughItsControls) {
    addUser("管理员", "内科", "pw", "11111111");
    UserContext admin;
    admin.userName = "管理员";
    admin.department = "内科";
    admin.grantAll();
    UserManagementWindow window(files(), admin, ui_);
    ASSERT_TRUE(window.prepare());
    for (const char* box : {"password", "confirmation"})
        EXPECT_EQ(window.findChild<QLineEdit*>(box)->echoMode(), QLineEdit::Password);
    window.findChild<QLineEdit*>("name")->setText("王医生");
    window.findChild<QLineEdit*>("password")->setText("abc");
    window.findChild<QLineEdit*>("confirmation")->setText("abc");
    window.findChild<QComboBox*>("department")->setCurrentText("内科");
    window.findChild<QCheckBox*>("SXBL")->setChecked(true);
    window.findChild<QPushButton*>("add")->click();
    EXPECT_EQ(ui_.lastText(), "新添加用户成功。");
    auto* list = window.findChild<QListWidget*>("userList");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_TRUE(window.findChild<QLineEdit*>("password")->text().isEmpty());  // never shown back
    EXPECT_TRUE(window.findChild<QCheckBox*>("SXBL")->isChecked());
    EXPECT_FALSE(window.findChild<QCheckBox*>("XTGL")->isChecked());
    window.show();
    QApplication::processEvents();
    screenshot(&window, "users.png");

    OwnPasswordWindow own(files(), admin, ui_);
    for (QLineEdit* box : own.findChildren<QLineEdit*>())
        if (box->isEnabled()) EXPECT_EQ(box->echoMode(), QLineEdit::Password);
}

}  // namespace
}  // namespace qh::shell
