// The login and main windows driven through their controls on the offscreen platform.
#include <QtWidgets>

#include "ward_fixture.h"
#include "shell/ui/HelpWindow.h"
#include "shell/ui/LoginWindow.h"
#include "shell/MainCommands.h"
#include "shell/ui/CommandMenus.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/PatientListPanel.h"
#include "shell/ui/QtTranslations.h"
#include "interaction/ScriptedUserInterface.h"

namespace qh::shell {
namespace {

class WindowsTest : public test::WardFixture {
protected:
    void SetUp() override {
        WardFixture::SetUp();
        setHospital("青禾医院", "X1", 1);
        addDepartment("内科", "√");
    }
    // Logs in through the login window and returns the main window it opened.
    MainWindow* logInThroughWindow(int userIndex, const QString& password) {
        QPointer<MainWindow> main;
        auto* login = new LoginWindow(files(), ui_, nullptr);
        login->setOnLoggedIn([&](const UserContext& user) { main = new MainWindow(user, files(), ui_, login); });
        login->show();
        if (userIndex >= 0) login->findChild<QComboBox*>("userList")->setCurrentIndex(userIndex);
        login->findChild<QLineEdit*>("passwordBox")->setText(password);
        login->findChild<QPushButton*>("okButton")->click();
        QApplication::processEvents();
        if (!main) delete login;
        return main;
    }
    ui::ScriptedUserInterface ui_;
};

TEST_F(WindowsTest, FreshInstallationEntersFirstRunIntoAnEmptyWard) {
    QPointer<LoginWindow> login = new LoginWindow(files(), ui_, nullptr);
    EXPECT_FALSE(login->findChild<QLabel*>("noticeLabel")->isHidden());
    EXPECT_EQ(login->findChild<QComboBox*>("departmentList")->currentText(), "内科");
    delete login;

    MainWindow* main = logInThroughWindow(-1, QString());
    ASSERT_TRUE(main);
    EXPECT_EQ(main->windowTitle(), "青禾电子病历");
    EXPECT_EQ(main->findChild<QLabel*>("banner")->text(),
              "青禾医院 电子病历书写系统    内科");
    EXPECT_EQ(main->findChild<QLabel*>("userLabel")->text(), "当前用户：");
    EXPECT_EQ(main->menuBar()->actions().size(), 8);
    EXPECT_FALSE(main->findChild<QLabel*>("clockLabel")->text().isEmpty());
    // Features of later work are present but disabled; exit and help work.
    ASSERT_EQ(main->menus().actions(cmd::Admit).size(), 2);
    EXPECT_FALSE(main->menus().actions(cmd::Admit)[0]->isEnabled());
    EXPECT_EQ(main->menus().actions(cmd::Admit)[0]->toolTip(), kNotAvailableTip);
    EXPECT_TRUE(main->menus().actions(cmd::Exit)[0]->isEnabled());
    for (QAction* help : main->menus().actions(cmd::Help)) EXPECT_TRUE(help->isEnabled());

    main->findChild<QRadioButton*>("status_在院")->click();
    EXPECT_EQ(main->findChild<QLabel*>("countLabel")->text(), "共有患者 0 人");

    main->showHelp();
    auto* help = main->findChild<HelpWindow*>();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->browser()->toPlainText().contains("查找患者"));

    QPointer<MainWindow> guard = main;
    main->menus().actions(cmd::Exit)[0]->trigger();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

TEST_F(WindowsTest, ListsFilterSelectAndSwitchDoctor) {
    addUser("李医生", "内科", "pw", "00000000");
    addPatient({.name = "张三", .bed = "3"});
    addPatient({.name = "李四", .doctor = "王医生"});
    addPatient({.name = "王五", .status = "出院", .discharged = "2016-2-1"});

    EXPECT_EQ(logInThroughWindow(0, "wrong"), nullptr);
    EXPECT_EQ(ui_.lastText(), "用户名或密码输入错误。");

    MainWindow* main = logInThroughWindow(0, "pw");
    ASSERT_TRUE(main);
    // The user's name stays in the status bar while a menu item's hint shows there.
    auto* userLabel = main->findChild<QLabel*>("userLabel");
    main->statusBar()->showMessage("打开文件");
    EXPECT_EQ(userLabel->text(), "当前用户：李医生");
    EXPECT_TRUE(userLabel->isVisibleTo(main));
    auto* panel = main->findChild<QToolBar*>("commandPanel");
    int visible = 0;
    for (QAction* a : panel->actions()) visible += a->isVisible();
    EXPECT_EQ(visible, int(commandPanel().size()) - 5);  // no XTGL, no TJCX

    auto* list = main->findChild<QListWidget*>("patientList");
    auto* count = main->findChild<QLabel*>("countLabel");
    main->findChild<QRadioButton*>("status_在院")->click();
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "3床  张三");
    EXPECT_FALSE(main->menus().actions(cmd::Return).last()->isVisible());  // list menu under 在院

    main->findChild<QTabBar*>("doctorSwitch")->setCurrentIndex(1);
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(count->text(), "共有患者 2 人");
    EXPECT_TRUE(main->findChild<QRadioButton*>("status_在院")->isChecked());

    EXPECT_TRUE(main->selection().isEmpty());
    main->listPanel().selectRow(1);
    EXPECT_EQ(main->selection().patient().name, "李四");
    EXPECT_EQ(main->selection().id(), list->item(1)->data(Qt::UserRole).toLongLong());
    EXPECT_TRUE(main->findChild<QLabel*>("patientSummary")->text().startsWith("【姓  名】李四"));

    // Changing patient offers to save the record open on the records page.
    struct Doc : EditableDocument {
        bool isModified() const override { return modified; }
        QString title() const override { return "病程记录"; }
        bool save() override { modified = false; return true; }
        void discardChanges() override { modified = false; }
        bool modified = true;
    } doc;
    main->pages().show(WorkPage::Records);
    main->setOpenDocument(&doc);
    ui_.clear();
    ui_.answerMessageDialog(0);
    main->listPanel().selectRow(0);
    ASSERT_EQ(ui_.shown().size(), 1);
    EXPECT_EQ(ui_.shown()[0].text, "     患者     【李四】\r\r《病程记录》已修改，是否保存？");
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(main->selection().patient().name, "张三");
    main->setOpenDocument(nullptr);

    // A list the patient is not on clears the selection and its summary.
    main->findChild<QRadioButton*>("status_待结")->click();
    EXPECT_TRUE(main->selection().isEmpty());
    EXPECT_TRUE(main->findChild<QLabel*>("patientSummary")->text().isEmpty());
    main->findChild<QRadioButton*>("status_在院")->click();

    auto* box = main->findChild<QLineEdit*>("searchBox");
    box->setText("ww");
    main->findChild<QPushButton*>("searchButton")->click();
    EXPECT_EQ(box->text(), "查询到 1 人");
    // The result is selected, so typing replaces it; Enter on it is no search for "查询到 1 人".
    EXPECT_EQ(box->selectedText(), box->text());
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(box, &enter);
    EXPECT_EQ(list->count(), 1);
    // A search looks through every state: a discharged patient found from the 在院 list says
    // so, and is selected in its own state, so the 在院 commands refuse it.
    EXPECT_TRUE(list->item(0)->text().endsWith("王五（出院）"));
    main->listPanel().selectRow(0);
    EXPECT_EQ(main->selection().patient().name, "王五");
    EXPECT_EQ(main->selection().listStatus(), PatientStatus::Discharged);

    delete main;
}

// Qt's own texts read in Chinese: the editors' context menus and the standard buttons.
TEST(QtTranslations, StandardMenusAndButtonsReadInChinese) {
    ASSERT_TRUE(installQtChineseTranslations(*QCoreApplication::instance()));
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (QAction* a : menu->actions()) texts << a->text();
    const QString all = texts.join(' ');
    EXPECT_TRUE(all.contains(QStringLiteral("复制")) && all.contains(QStringLiteral("粘贴"))) << all.toStdString();
    EXPECT_FALSE(all.contains(QStringLiteral("Undo")));
    QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().remove('&'), QStringLiteral("取消"));
}

}  // namespace
}  // namespace qh::shell
