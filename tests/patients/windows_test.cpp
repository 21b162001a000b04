// The registry's windows on the main window, driven as a user would, and their screenshots.
#include <QtWidgets>

#include "common/Clock.h"
#include "patients/DemoWard.h"
#include "patients/WardFiles.h"
#include "patients/ui/AdmissionWindow.h"
#include "patients/ui/DischargeDialog.h"
#include "patients/ui/PatientCommands.h"
#include "patients/ui/PatientInfoForm.h"
#include "records/ui/RecordPage.h"
#include "shell/ui/LoginWindow.h"
#include "shell/ui/MainWindow.h"
#include "store/DataDirectory.h"
#include "store/DatabaseFiles.h"
#include "support/temp_dir.h"
#include "patients_fixture.h"

namespace qh::test {
namespace {

using shell::MainWindow;
using shell::PatientStatus;

template <typename T>
T* child(QWidget* w, const char* name) {
    T* found = w->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// A look at a window: always drawn, and saved for the manual when QH_SCREENSHOT_DIR
// names a folder (docs/images when the pictures are retaken).
void screenshot(QWidget* w, const char* file, bool fit = true) {
    if (fit) w->adjustSize();
    const QPixmap picture = w->grab();
    EXPECT_FALSE(picture.isNull());
    const QString dir = qEnvironmentVariable("QH_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    EXPECT_TRUE(picture.save(QDir(dir).filePath(QString::fromUtf8(file))));
}

// Runs `act` on the modal dialog the next command opens.
void onNextDialog(std::function<void(QWidget*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        act(dialog);
    });
}

class WindowsTest : public PatientsFixture {
protected:
    void SetUp() override {
        PatientsFixture::SetUp();
        if (HasFatalFailure()) return;
        window_ = new MainWindow(user_, ui_);
        page_ = patients::installPatientCommands(*window_, ui_);
    }
    void TearDown() override {
        delete window_;
        PatientsFixture::TearDown();
    }
    void run(const QString& id) { window_->actions(id).first()->trigger(); }
    int rows() { return int(window_->patientList().rows().size()); }

    MainWindow* window_ = nullptr;
    records::RecordPage* page_ = nullptr;
};

TEST_F(WindowsTest, AdmissionWindowRegistersAndTheNewPatientIsSelected) {
    addPatient({QStringLiteral("旧病人"), "男", "50岁", "肺炎", "2", "", "内科", "李医生"});
    onNextDialog([](QWidget* d) {
        child<QLineEdit>(d, "name")->setText("王小'明");
        child<QPushButton>(d, "register")->click();
        EXPECT_TRUE(d->isVisible());  // incomplete: refused, still open
        child<QComboBox>(d, "ageUnit")->setCurrentText("月");
        child<QLineEdit>(d, "age")->setText("3");
        // The age number counts in the unit chosen: three months, not three years.
        EXPECT_EQ(child<QDateEdit>(d, "birthDate")->date(), QDate(2016, 2, 10));
        child<QLineEdit>(d, "admissionNumber")->setText("H-1");
        child<QComboBox>(d, "sex")->setCurrentText("男");
        child<QComboBox>(d, "diagnosis")->lineEdit()->setText("GX");
        EXPECT_EQ(child<QComboBox>(d, "diagnosis")->count(), 2);  // 高血压, 冠心病 from the code table
        EXPECT_EQ(child<QComboBox>(d, "diagnosis")->currentText(), "GX");
        child<QComboBox>(d, "diagnosis")->setEditText("高血压");
        EXPECT_EQ(child<QComboBox>(d, "doctor")->currentText(), "李医生");
        child<QLineEdit>(d, "bed")->setText("7");
        screenshot(d, "admission-window.png");
        child<QPushButton>(d, "register")->click();
    });
    run(shell::cmd::Admit);
    EXPECT_EQ(ui_.texts(), (QStringList{patients::kAdmissionIncomplete, patients::kAdmissionDone}));
    EXPECT_EQ(window_->patientList().status(), PatientStatus::InWard);
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(window_->patient().name, "王小'明");
    EXPECT_EQ(window_->patient().age, "3月");
    EXPECT_EQ(window_->selectedPatientId(), window_->patientList().rows().last().id);
}

TEST_F(WindowsTest, InformationFormLoadsOnSelectionAndSavesWithTheSaveCommand) {
    const qint64 id = addPatient({QStringLiteral("张三"), "男", "40岁", "肺炎", "3", "Z1", "内科", "李医生"});
    exec("update 在院病人 set 出生日期='1976年2月3日' where 编号=" + QString::number(id));
    addPatient({QStringLiteral("李四"), "女", "30岁", "肺炎", "4", "Z2", "内科", "李医生"});
    window_->chooseStatus(PatientStatus::InWard);
    window_->selectPatientRow(0);
    EXPECT_EQ(page_->currentEntry(), 0);
    EXPECT_EQ(window_->currentPage(), shell::RecordsPage);
    auto* form = page_->findChild<patients::PatientInfoForm*>();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(child<QLineEdit>(form, "name")->text(), "张三");
    EXPECT_EQ(child<QDateEdit>(form, "birthDate")->date(), QDate(1976, 2, 3));
    EXPECT_EQ(child<QDateTimeEdit>(form, "admissionDate")->dateTime(), QDateTime(QDate(2016, 3, 5), QTime(8, 30)));
    screenshot(form, "patient-information.png");

    child<QLineEdit>(form, "name")->setText("张三丰");
    child<QLineEdit>(form, "bed")->setText("15");
    child<QComboBox>(form, "complaint")->setEditText("咳嗽'2天");
    ui_.clear();
    run(shell::cmd::SaveRecord);
    EXPECT_EQ(ui_.texts(), QStringList{patients::kParticularsSaved});
    expectColumns(id, {{"姓名", "张三丰"}, {"姓名检索", "ZSF"}, {"主诉", "咳嗽'2天"}, {"入院日期", "2016-03-05 08:30:00"},
                       {"出生日期", "1976年2月3日"}, {"日期部分", "2016-03-05 09:07:02"}, {"月部分", "3月"}});
    // The list row shows its new text and stays selected.
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(window_->selectedPatientId(), id);
    EXPECT_EQ(window_->patientList().rows().first().text, "15床 张三丰");
    EXPECT_EQ(window_->patient().name, "张三丰");

    // A failed save keeps what was typed.
    failOn("UPDATE", "在院病人");
    child<QLineEdit>(form, "name")->setText("张三");
    ui_.clear();
    run(shell::cmd::SaveRecord);
    EXPECT_EQ(ui_.texts(), QStringList{patients::kParticularsFailed});
    EXPECT_EQ(child<QLineEdit>(form, "name")->text(), "张三");
    EXPECT_EQ(column(id, "姓名"), "张三丰");
}

TEST_F(WindowsTest, MovesAPatientThroughEveryStateAndDeletesTheStay) {
    const qint64 id = addPatient({QStringLiteral("张三")});
    window_->chooseStatus(PatientStatus::InWard);
    window_->selectPatientRow(0);

    run(shell::cmd::Pending);
    EXPECT_EQ(ui_.lastText(), "患者张三待结账成功");
    EXPECT_EQ(rows(), 0);  // the in-ward list no longer holds the patient
    EXPECT_EQ(window_->currentPage(), shell::RecordsPage0);

    window_->chooseStatus(PatientStatus::Pending);
    window_->selectPatientRow(0);
    onNextDialog([](QWidget* d) {
        EXPECT_EQ(child<QDateEdit>(d, "dischargeDate")->date(), QDate(2016, 5, 10));
        child<QLineEdit>(d, "fee")->setText("三百");
        child<QPushButton>(d, "confirm")->click();
        EXPECT_TRUE(d->isVisible());  // refused, still open
        child<QLineEdit>(d, "fee")->setText("300");
        screenshot(d, "discharge-dialog.png");
        child<QPushButton>(d, "confirm")->click();
    });
    run(shell::cmd::Discharge);
    EXPECT_EQ(ui_.texts().mid(ui_.texts().size() - 2),
              (QStringList{patients::kFeeNotNumber, "患者张三病历出科成功"}));
    EXPECT_EQ(column(id, "状态"), "出院");
    EXPECT_EQ(column(id, "费用"), "300.0");

    window_->chooseStatus(PatientStatus::Discharged);
    window_->selectPatientRow(0);
    run(shell::cmd::Return);
    EXPECT_EQ(ui_.lastText(), "患者张三患者返院成功");
    EXPECT_EQ(column(id, "状态"), "在院");

    window_->chooseStatus(PatientStatus::InWard);
    window_->selectPatientRow(0);
    onNextDialog([](QWidget* d) {
        child<QComboBox>(d, "department")->setCurrentText("外科");
        EXPECT_EQ(child<QComboBox>(d, "doctor")->count(), 1);
        child<QComboBox>(d, "doctor")->setCurrentText("陈医生");
        child<QPushButton>(d, "confirm")->click();
    });
    run(shell::cmd::Transfer);
    EXPECT_EQ(ui_.lastText(), "患者张三病人转科成功");
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(column(id, "科室"), "外科");

    // Back to our ward by the same window, then deleted with its documents.
    exec("update 在院病人 set 科室='内科', 主管医生='李医生' where 编号=" + QString::number(id));
    addDocument(column(id, "住院编号"), "入院记录");
    window_->refreshList();
    window_->selectPatientRow(0);
    ui_.answerMessageDialog(1);
    run(shell::cmd::DeletePatient);
    EXPECT_EQ(ui_.lastText(), "患者张三资料删除成功");
    EXPECT_EQ(count("select count(1) from 在院病人"), 0);
    EXPECT_EQ(count("select count(1) from 在院病历"), 0);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(ui_.unanswered(), 0);
}

// The demo ward: forty stays in the three states, made through the registry. A newcomer
// meets it as 张明华, logs in, lists the department's in-ward
// patients and picks one by right-clicking it, which makes that row's patient current
// before its pop-up menu acts on it.
TEST(DemoWard, FortyStaysThenLogInListTheDepartmentAndRightClickAPatient) {
    TempDir dir;
    ASSERT_EQ(store::createDataFiles(dir.path()).status, store::PrepareResult::Created);
    store::setDataDirectory(dir.path());
    Clock::set([] { return QDateTime(QDate(2024, 6, 15), QTime(10, 0)); });
    const patients::DemoWardResult ward = patients::populateDemoWard();
    Clock::set({});
    ASSERT_TRUE(ward.ok) << ward.message.toStdString();
    EXPECT_EQ(ward.inWard + ward.pending + ward.discharged, 40);
    EXPECT_GT(ward.inWard, 5);
    EXPECT_GT(ward.pending, 0);
    EXPECT_GT(ward.discharged, 5);
    store::ExternalDatabase db;
    ASSERT_TRUE(store::openFile(db, store::DbFile::Main));
    auto count = [&db](const QString& sql) {
        const store::RecordSet rs = db.query(sql);
        const qint64 n = db.read(rs, 1).toInt();
        db.closeRecordSet(rs);
        return n;
    };
    EXPECT_EQ(count("select count(1) from 在院病人 where 状态='出院' and 费用 > 0 and 出院日期 > 入院日期"),
              ward.discharged);
    EXPECT_EQ(count("select count(1) from 在院病人 where 状态='待结' and 出院日期 > 入院日期"), ward.pending);
    EXPECT_EQ(count("select count(1) from 在院病人 where 状态='在院' and 出院日期 is null"), ward.inWard);
    EXPECT_EQ(count("select count(distinct 住院编号) from 在院病人"), 40);
    EXPECT_EQ(count("select count(1) from 在院病人 where 入院日期 < '2024-01-01' or 入院日期 > '2024-06-16'"), 0);
    EXPECT_EQ(count("select count(1) from 在院病人 where 日期部分 is null or 诊断 = '' or 姓名检索 = '' "
                    "or 职业 = '' or 出生日期 is null"),
              0);
    // Every in-ward patient of a department has a bed of their own.
    EXPECT_EQ(count("select count(1) from (select 科室, 床号 from 在院病人 where 状态='在院' "
                    "group by 科室, 床号 having count(1) > 1)"),
              0);
    EXPECT_EQ(count("select count(1) from 用户"), patients::demoAccounts().size());
    const qint64 inWard = count("select count(1) from 在院病人 where 科室='内科' and 状态='在院'");
    db.close();

    ui::ScriptedUserInterface ui;
    QPointer<MainWindow> main;
    auto* login = new shell::LoginWindow(ui, nullptr);
    login->setOnLoggedIn([&](const shell::UserContext& user) {
        main = new MainWindow(user, ui, login);
        patients::installPatientCommands(*main, ui);
    });
    login->show();
    auto* users = child<QComboBox>(login, "userList");
    users->setCurrentIndex(users->findText("张明华"));
    child<QLineEdit>(login, "passwordBox")->setText("zmh123");
    screenshot(login, "login.png");
    child<QPushButton>(login, "okButton")->click();
    ASSERT_TRUE(main);
    main->resize(1100, 720);
    main->show();

    main->switchDoctor(1);  // clears the work area
    EXPECT_EQ(main->currentPage(), -1);
    main->chooseStatus(PatientStatus::InWard);
    ASSERT_GT(inWard, 3);
    EXPECT_EQ(child<QLabel>(main, "countLabel")->text(), QStringLiteral("共有患者 %1 人").arg(inWard));

    auto* list = child<QListWidget>(main, "patientList");
    main->selectPatientRow(0);
    const QPoint at = list->visualItemRect(list->item(2)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, list->viewport()->mapToGlobal(at), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &press);
    EXPECT_EQ(main->selectedPatientId(), list->item(2)->data(Qt::UserRole).toLongLong());
    EXPECT_TRUE(list->item(2)->text().endsWith(main->patient().name));
    EXPECT_TRUE(child<QLabel>(main, "patientSummary")->text().contains(main->patient().name));
    EXPECT_EQ(main->currentPage(), shell::RecordsPage);
    QApplication::processEvents();
    screenshot(main, "main-window.png", false);
    delete main;
}

}  // namespace
}  // namespace qh::test
