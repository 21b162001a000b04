// The backup and restore commands as the windows run them: the right, the ".mdb" rule, the
// remembered place, the refusal before the question, and the order of save offer, restore
// and reload.
#include "ward_fixture.h"
#include "shell/maintenance/BackupRestore.h"
#include "shell/maintenance/HospitalSettings.h"
#include "shell/maintenance/UserAccounts.h"
#include "interaction/ScriptedUserInterface.h"
#include "store/Connection.h"

namespace qh::shell {
namespace {

class BackupRestoreTest : public test::WardFixture {
protected:
    void SetUp() override {
        WardFixture::SetUp();
        setHospital("青禾医院", "X1", 1);
        addPatient({.name = "张三"});
        admin_.grantAll();
    }
    QString stored() { return storedBackupPath(files()); }
    int patients() {
        store::Connection db = store::Connection::open(files(), store::DbFile::Main);
        return int(db.query("select count(*) from 在院病人").first().value(0).toInt());
    }
    ui::ScriptedUserInterface ui_;
    UserContext admin_;
};

TEST_F(BackupRestoreTest, TheMdbRuleComparesExactly) {
    EXPECT_EQ(backupFileName("/b/周一"), "/b/周一.mdb");
    EXPECT_EQ(backupFileName("/b/周一.mdb"), "/b/周一.mdb");
    EXPECT_EQ(backupFileName("/b/周一.MDB"), "/b/周一.MDB.mdb");
    EXPECT_EQ(companionBackupPath("/b/周一.mdb", store::DbFile::Coding), "/b/周一-fwqdz.mdb");
}

TEST_F(BackupRestoreTest, BackupWritesTheThreeFilesAndRemembersThePlaceOnlyOnSuccess) {
    // Nothing stored yet: the dialog starts in backup/ of the data directory, dated.
    const QString start = startingBackupPath(files());
    EXPECT_TRUE(start.startsWith(files().dir() + "/backup/青禾病历"));
    EXPECT_TRUE(QFileInfo(QFileInfo(start).absolutePath()).isDir());

    // A refused target (the live file) stores nothing.
    ui_.answerPath(files().path(store::DbFile::Main));
    EXPECT_FALSE(BackupRestore(files(), admin_, ui_).backup());
    EXPECT_TRUE(ui_.lastText().startsWith("数据库备份失败！"));
    EXPECT_TRUE(stored().isEmpty());

    const QString target = dir_.file("copies/周一");
    ui_.answerPath(target);
    ASSERT_TRUE(BackupRestore(files(), admin_, ui_).backup());
    EXPECT_EQ(ui_.lastText(), "数据库备份成功！");
    EXPECT_EQ(stored(), target + ".mdb");
    for (const QString& name : {"周一.mdb", "周一-fwqdz.mdb", "周一-ZYBD.mdb"})
        EXPECT_TRUE(QFileInfo::exists(dir_.file("copies/" + name))) << name.toStdString();
    EXPECT_EQ(startingBackupPath(files()), target + ".mdb");

    ui_.answerPath(QString());  // cancelled: nothing shown after the dialog
    const int shown = ui_.shown().size();
    EXPECT_FALSE(BackupRestore(files(), admin_, ui_).backup());
    EXPECT_EQ(ui_.shown().size(), shown + 1);
}

TEST_F(BackupRestoreTest, RestoreRefusesBeforeAskingAndReloadsAfter) {
    ASSERT_TRUE(backupToFile(files(), dir_.file("good"), false).ok);
    addPatient({.name = "李四"});
    QStringList steps;
    auto before = [&] { steps << "offer save"; };
    auto after = [&] { steps << QStringLiteral("reload %1").arg(patients()); };

    QFile text(dir_.file("notes.mdb"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("plain text\n");
    text.close();
    ui_.answerPath(dir_.file("notes.mdb"));
    EXPECT_FALSE(BackupRestore(files(), admin_, ui_).restore({}, before, after));
    EXPECT_TRUE(ui_.lastText().startsWith("数据库还原失败！"));
    EXPECT_EQ(ui_.unanswered(), 0);  // no question for a file that cannot be restored
    EXPECT_TRUE(steps.isEmpty());
    EXPECT_EQ(patients(), 2);

    // Declined: nothing happens.
    ui_.answerPath(dir_.file("good.mdb"));
    ui_.answerOkCancel(false);
    EXPECT_FALSE(BackupRestore(files(), admin_, ui_).restore({}, before, after));
    EXPECT_EQ(patients(), 2);
    const QString question = ui_.lastText();
    EXPECT_TRUE(question.startsWith("你确定要还原数据库" + dir_.file("good.mdb") + "到本程序吗？"));
    EXPECT_TRUE(question.contains("青禾医院"));
    EXPECT_TRUE(question.contains("病人 1 人"));
    EXPECT_TRUE(question.endsWith("   注意：还原后现有数据将被覆盖！"));

    ui_.answerPath(dir_.file("good.mdb"));
    ui_.answerOkCancel(true);
    ASSERT_TRUE(BackupRestore(files(), admin_, ui_).restore({}, before, after));
    EXPECT_TRUE(ui_.lastText().startsWith("数据库还原成功！"));
    EXPECT_EQ(steps, (QStringList{"offer save", "reload 1"}));
}

// The logic behind every administrative window refuses by itself, whoever calls it.
TEST_F(BackupRestoreTest, WithoutXtglTheMaintenanceLogicRefuses) {
    UserContext doctor;
    doctor.department = "内科";
    doctor.SXBL = true;
    EXPECT_FALSE(BackupRestore(files(), doctor, ui_).backup());
    EXPECT_FALSE(BackupRestore(files(), doctor, ui_).restore());
    HospitalSettings settings(files(), doctor, ui_);
    EXPECT_FALSE(settings.load());
    EXPECT_FALSE(settings.save(SettingsTab::Users));
    EXPECT_FALSE(UserManagement(files(), doctor, ui_).open());
    EXPECT_EQ(ui_.texts(), QStringList(5, "你没有此项操作权限！"));
    EXPECT_EQ(ui_.unanswered(), 0);  // no file dialog was opened
}

}  // namespace
}  // namespace qh::shell
