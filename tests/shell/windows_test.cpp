// The login and main windows driven through their controls on the offscreen platform.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTextBrowser>
#include <QToolBar>

#include "WardFixture.h"
#include "shell/ui/HelpWindow.h"
#include "shell/ui/LoginWindow.h"
#include "shell/ui/MainWindow.h"
#include "widgets/ScriptedUserInterface.h"

namespace qh::shell {
namespace {

class WindowsTest : public test::WardFixture {
protected:
    void SetUp() override {
        WardFixture::SetUp();
        setHospital(QStringLiteral("青禾医院"), QStringLiteral("X1"), 1);
        addDepartment(QStringLiteral("内科"), QStringLiteral("√"));
    }
    // Logs in through the login window and returns the main window it opened.
    MainWindow* logInThroughWindow(int userIndex, const QString& password) {
        QPointer<MainWindow> main;
        auto* login = new LoginWindow(ui_, nullptr);
        login->setOnLoggedIn([&](const UserContext& user) { main = new MainWindow(user, ui_, login); });
        login->show();
        if (userIndex >= 0) login->findChild<QComboBox*>(QStringLiteral("userList"))->setCurrentIndex(userIndex);
        login->findChild<QLineEdit*>(QStringLiteral("passwordBox"))->setText(password);
        login->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
        QApplication::processEvents();
        if (!main) delete login;
        return main;
    }
    ui::ScriptedUserInterface ui_;
};

TEST_F(WindowsTest, FreshInstallationEntersFirstRunIntoAnEmptyWard) {
    QPointer<LoginWindow> login = new LoginWindow(ui_, nullptr);
    EXPECT_FALSE(login->findChild<QLabel*>(QStringLiteral("noticeLabel"))->isHidden());
    EXPECT_EQ(login->findChild<QComboBox*>(QStringLiteral("departmentList"))->currentText(), QStringLiteral("内科"));
    delete login;

    MainWindow* main = logInThroughWindow(-1, QString());
    ASSERT_TRUE(main);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("青禾电子病历"));
    EXPECT_EQ(main->findChild<QLabel*>(QStringLiteral("banner"))->text(),
              QStringLiteral("青禾医院 电子病历书写系统    内科"));
    EXPECT_EQ(main->statusBar()->currentMessage(), QStringLiteral("当前用户："));
    EXPECT_EQ(main->menuBar()->actions().size(), 8);
    EXPECT_FALSE(main->findChild<QLabel*>(QStringLiteral("clockLabel"))->text().isEmpty());
    // Features of later work are present but disabled; exit and help work.
    ASSERT_EQ(main->actions(cmd::Admit).size(), 2);
    EXPECT_FALSE(main->actions(cmd::Admit)[0]->isEnabled());
    EXPECT_EQ(main->actions(cmd::Admit)[0]->toolTip(), kNotAvailableTip);
    EXPECT_TRUE(main->actions(cmd::Exit)[0]->isEnabled());
    for (QAction* help : main->actions(cmd::Help)) EXPECT_TRUE(help->isEnabled());

    main->findChild<QRadioButton*>(QStringLiteral("status_在院"))->click();
    EXPECT_EQ(main->findChild<QLabel*>(QStringLiteral("countLabel"))->text(), QStringLiteral("共有患者 0 人"));

    main->showHelp();
    auto* help = main->findChild<HelpWindow*>();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("查找患者")));

    QPointer<MainWindow> guard = main;
    main->actions(cmd::Exit)[0]->trigger();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

TEST_F(WindowsTest, ListsFilterSelectAndSwitchDoctor) {
    addUser(QStringLiteral("李医生"), QStringLiteral("内科"), QStringLiteral("pw"), QStringLiteral("00000000"));
    addPatient({.name = QStringLiteral("张三"), .bed = QStringLiteral("3")});
    addPatient({.name = QStringLiteral("李四"), .doctor = QStringLiteral("王医生")});
    addPatient({.name = QStringLiteral("王五"), .status = QStringLiteral("出院"), .discharged = QStringLiteral("2016-2-1")});

    EXPECT_EQ(logInThroughWindow(0, QStringLiteral("wrong")), nullptr);
    EXPECT_EQ(ui_.lastText(), QStringLiteral("用户名或密码输入错误。"));

    MainWindow* main = logInThroughWindow(0, QStringLiteral("pw"));
    ASSERT_TRUE(main);
    EXPECT_EQ(main->statusBar()->currentMessage(), QStringLiteral("当前用户：李医生"));
    auto* panel = main->findChild<QToolBar*>(QStringLiteral("commandPanel"));
    int visible = 0;
    for (QAction* a : panel->actions()) visible += a->isVisible();
    EXPECT_EQ(visible, int(commandPanel().size()) - 5);  // no XTGL, no TJCX

    auto* list = main->findChild<QListWidget*>(QStringLiteral("patientList"));
    auto* count = main->findChild<QLabel*>(QStringLiteral("countLabel"));
    main->findChild<QRadioButton*>(QStringLiteral("status_在院"))->click();
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("3床  张三"));
    EXPECT_FALSE(main->actions(cmd::Return).last()->isVisible());  // list menu under 在院

    main->findChild<QTabBar*>(QStringLiteral("doctorSwitch"))->setCurrentIndex(1);
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(count->text(), QStringLiteral("共有患者 2 人"));
    EXPECT_TRUE(main->findChild<QRadioButton*>(QStringLiteral("status_在院"))->isChecked());

    main->selectPatientRow(1);
    EXPECT_EQ(main->patient().name, QStringLiteral("李四"));
    EXPECT_EQ(main->selectedPatientId(), list->item(1)->data(Qt::UserRole).toLongLong());
    EXPECT_TRUE(main->findChild<QLabel*>(QStringLiteral("patientSummary"))->text().startsWith(QStringLiteral("【姓  名】李四")));

    auto* box = main->findChild<QLineEdit*>(QStringLiteral("searchBox"));
    box->setText(QStringLiteral("ww"));
    main->findChild<QPushButton*>(QStringLiteral("searchButton"))->click();
    EXPECT_EQ(box->text(), QStringLiteral("查询到 1 人"));
    EXPECT_TRUE(list->item(0)->text().endsWith(QStringLiteral("王五")));
    delete main;
}

TEST_F(WindowsTest, ChangingPatientOffersToSaveTheOpenRecord) {
    struct Doc : EditableDocument {
        bool isModified() const override { return modified; }
        QString title() const override { return QStringLiteral("病程记录"); }
        bool save() override { modified = false; return true; }
        void discardChanges() override { modified = false; }
        bool modified = true;
    } doc;
    addPatient({.name = QStringLiteral("张三")});
    addPatient({.name = QStringLiteral("赵六")});
    MainWindow* main = logInThroughWindow(-1, QString());
    ASSERT_TRUE(main);
    main->switchDoctor(1);  // first-run has no name: the department's patients
    main->findChild<QRadioButton*>(QStringLiteral("status_在院"))->click();
    main->selectPatientRow(0);
    main->showPage(RecordsPage);
    main->setOpenDocument(&doc);
    ui_.clear();
    ui_.answerMessageDialog(0);
    main->selectPatientRow(1);
    ASSERT_EQ(ui_.shown().size(), 1);
    EXPECT_EQ(ui_.shown()[0].text, QStringLiteral("     患者     【张三】\r\r《病程记录》已修改，是否保存？"));
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(main->patient().name, QStringLiteral("赵六"));
    delete main;
}

}  // namespace
}  // namespace qh::shell
