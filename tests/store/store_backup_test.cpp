// Backup and restore of a ward's files: a checked copy renamed into place, consistent while
// another connection writes; a restore that refuses what is not a sound main database of
// this program and leaves the live file as it was.
#include <atomic>
#include <thread>

#include "store_support.h"
#include "store/Connection.h"
#include "store/DataDirectory.h"
#include "store/DatabaseBackup.h"
#include "store/FileCheck.h"
#include "support/full_disk.h"

namespace qh::store {
namespace {

using test::fileBytes;
using test::writeFile;

class BackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir(dir.path()).mkdir("seed");
        const auto prepared = prepareDataDirectory(dir.file("ward"), {QStringLiteral(QH_SOURCE_DIR "/data/schema"), dir.file("seed")});
        ASSERT_EQ(prepared.status, PrepareResult::Created) << prepared.message.toStdString();
        exec("insert into 备份 (医院名称, 精灵狗) values ('青禾医院', 1)");
        addPatient("张三", "2016-03-05 08:30:00");
        addPatient("李四", "2017-11-20 09:00:00");
    }
    DataDirectory files() const { return DataDirectory(dir.file("ward")); }
    QString live() const { return files().path(DbFile::Main); }
    void exec(const QString& sql, const Params& params = {}) {
        Connection db = Connection::open(files(), DbFile::Main);
        ASSERT_TRUE(db.execute(sql, params)) << db.lastError().toStdString();
    }
    void addPatient(const QString& name, const QString& admitted) {
        exec("insert into 在院病人 (姓名, 状态, 入院日期) values (?, '在院', ?)", {name, admitted});
    }
    static int patientsIn(const QString& path) {
        Connection db = Connection::open(path, QString::fromUtf8(kDbUser), password(DbFile::Main));
        return int(db.query("select count(*) from 在院病人").first().value(0).toInt());
    }
    static bool sound(const QString& path, DbFile f = DbFile::Main) {
        return checkDatabaseFile(path, f, schemaSql(f)).ok();
    }
    test::TempDir dir;
};

TEST_F(BackupTest, BackupIsACheckedCopyUnderTheFinalNameOnly) {
    int calls = 0, lastDone = 0, lastTotal = 0;
    const QString target = dir.file("out/nested/copy.mdb");  // folders are made
    const CopyOutcome done = backupDatabaseFile(files(), DbFile::Main, target, [&](int d, int t) {
        ++calls;
        lastDone = d;
        lastTotal = t;
    });
    ASSERT_TRUE(done.ok) << done.error.toStdString();
    EXPECT_GT(calls, 0);
    EXPECT_EQ(lastDone, lastTotal);
    EXPECT_TRUE(sound(target));
    EXPECT_EQ(patientsIn(target), 2);
    // Nothing but the copy is left beside it.
    EXPECT_EQ(QDir(dir.file("out/nested")).entryList(QDir::Files), QStringList{"copy.mdb"});

    // An existing copy is replaced whole.
    addPatient("王五", "2018-01-01 10:00:00");
    ASSERT_TRUE(backupDatabaseFile(files(), DbFile::Main, target).ok);
    EXPECT_EQ(patientsIn(target), 3);

    // The other files keep their own credentials in their copies.
    ASSERT_TRUE(backupDatabaseFile(files(), DbFile::Coding, dir.file("out/fwqdz.mdb")).ok);
    EXPECT_TRUE(sound(dir.file("out/fwqdz.mdb"), DbFile::Coding));
}

// A disk that fills up during the copy: the backup says it failed, and the copy made before
// stays whole under its name, with nothing half-written beside it.
TEST_F(BackupTest, ADiskFullingUpDuringABackupLeavesTheEarlierCopyWhole) {
    const QString target = dir.file("out/copy.mdb");
    ASSERT_TRUE(backupDatabaseFile(files(), DbFile::Main, target).ok);
    addPatient("王五", "2018-01-01 10:00:00");
    CopyOutcome failed;
    {
        qh::test::FullDisk disk(8 * 1024);
        failed = backupDatabaseFile(files(), DbFile::Main, target);
        EXPECT_GT(disk.refusedWrites(), 0);
    }
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.error.isEmpty());
    EXPECT_TRUE(sound(target));
    EXPECT_EQ(patientsIn(target), 2);
    EXPECT_EQ(QDir(dir.file("out")).entryList(QDir::Files), QStringList{"copy.mdb"});
}

TEST_F(BackupTest, BackupRefusesTheLiveFilesAndFolders) {
    const QByteArray before = fileBytes(live());
    for (DbFile f : allDbFiles()) {
        const CopyOutcome refused = backupDatabaseFile(files(), DbFile::Main, files().path(f));
        EXPECT_FALSE(refused.ok);
        EXPECT_FALSE(refused.error.isEmpty());
    }
    // The same file by another spelling of its path.
    EXPECT_FALSE(backupDatabaseFile(files(), DbFile::Main, dir.file("ward/../ward/dzbl.mdb")).ok);
    EXPECT_FALSE(backupDatabaseFile(files(), DbFile::Main, dir.file("ward")).ok);
    EXPECT_EQ(fileBytes(live()), before);
    EXPECT_EQ(QDir(dir.file("ward")).entryList(QDir::Files).size(), 3);
}

TEST_F(BackupTest, BackupWhileAnotherConnectionWritesIsConsistent) {
    // A large enough file that the copy takes several steps.
    exec("insert into 在院病历 (检索, 数据) values ('x', ?)", {QByteArray(3 * 1024 * 1024, 'a')});
    std::atomic<bool> stop{false};
    std::atomic<int> written{0};
    std::thread writer([&] {
        Connection db = Connection::open(files(), DbFile::Main);
        while (!stop) {
            Transaction tx(db);
            if (db.execute("insert into 在院病人 (姓名, 状态) values ('写入', '在院')").changed() &&
                db.execute("insert into 在院病历 (检索, 数据) values ('y', ?)", {QByteArray(8192, 'b')}).changed() &&
                tx.commit())
                ++written;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));  // a busy ward, not a tight loop
        }
    });
    while (written < 5) std::this_thread::yield();
    const CopyOutcome done = backupDatabaseFile(files(), DbFile::Main, dir.file("busy.mdb"));
    stop = true;
    writer.join();
    ASSERT_TRUE(done.ok) << done.error.toStdString();
    EXPECT_TRUE(sound(dir.file("busy.mdb")));
    // Every patient row came with its record row: the copy holds whole transactions.
    Connection copy = Connection::open(dir.file("busy.mdb"), QString::fromUtf8(kDbUser), password(DbFile::Main));
    const qint64 patients = copy.query("select count(*) from 在院病人 where 姓名='写入'").first().value(0).toInt();
    const qint64 records = copy.query("select count(*) from 在院病历 where 检索='y'").first().value(0).toInt();
    EXPECT_EQ(patients, records);
    EXPECT_GE(patients, 5);
}

TEST_F(BackupTest, RestoreRefusesWhatIsNotASoundMainDatabaseAndChangesNothing) {
    ASSERT_TRUE(backupDatabaseFile(files(), DbFile::Main, dir.file("good.mdb")).ok);
    const QByteArray good = fileBytes(dir.file("good.mdb"));
    writeFile(dir.file("text.mdb"), "这不是数据库，只是改了扩展名的文本。\n");
    writeFile(dir.file("empty.mdb"), {});
    writeFile(dir.file("truncated.mdb"), good.left(good.size() / 2));
    ASSERT_TRUE(backupDatabaseFile(files(), DbFile::Reference, dir.file("other/ZYBD.mdb")).ok);

    const QByteArray before = fileBytes(live());
    for (const QString& name : {"text.mdb", "empty.mdb", "truncated.mdb", "other/ZYBD.mdb", "missing.mdb"}) {
        const CopyOutcome refused = restoreDatabaseFile(files(), DbFile::Main, dir.file(name));
        EXPECT_FALSE(refused.ok) << name.toStdString();
        EXPECT_FALSE(refused.error.isEmpty()) << name.toStdString();
        EXPECT_FALSE(checkRestoreSource(dir.file(name), DbFile::Main).ok) << name.toStdString();
    }
    EXPECT_FALSE(restoreDatabaseFile(files(), DbFile::Main, live()).ok);  // itself
    EXPECT_EQ(fileBytes(live()), before);
    EXPECT_FALSE(QFileInfo::exists(dir.file("ward/backup")));  // no safety copy for a refusal
    EXPECT_TRUE(checkRestoreSource(dir.file("good.mdb"), DbFile::Main).ok);
}

TEST_F(BackupTest, RestoreReplacesTheContentsAndKeepsTheOldAsASafetyCopy) {
    ASSERT_TRUE(backupDatabaseFile(files(), DbFile::Main, dir.file("monday.mdb")).ok);
    const MainDatabaseSummary summary = summariseMainDatabase(dir.file("monday.mdb"));
    EXPECT_EQ(summary.hospitalName, "青禾医院");
    EXPECT_EQ(summary.patients, 2);
    EXPECT_EQ(summary.newestStay, "2017-11-20");

    addPatient("王五", "2018-01-01 10:00:00");
    exec("update 备份 set 医院名称='改过的名称'");
    QString kept;
    int calls = 0;
    const CopyOutcome done =
        restoreDatabaseFile(files(), DbFile::Main, dir.file("monday.mdb"), [&](int, int) { ++calls; }, &kept);
    ASSERT_TRUE(done.ok) << done.error.toStdString();
    EXPECT_GT(calls, 0);
    EXPECT_EQ(patientsIn(live()), 2);
    EXPECT_TRUE(sound(live()));
    EXPECT_EQ(summariseMainDatabase(live()).hospitalName, "青禾医院");
    // What was there before is kept, dated, in backup/.
    EXPECT_TRUE(kept.startsWith(dir.file("ward/backup/dzbl-还原前-")));
    EXPECT_EQ(patientsIn(kept), 3);
    // A second restore in the same second keeps its own safety copy.
    QString second;
    ASSERT_TRUE(restoreDatabaseFile(files(), DbFile::Main, dir.file("monday.mdb"), {}, &second).ok);
    EXPECT_NE(second, kept);
    EXPECT_EQ(patientsIn(kept), 3);
}

}  // namespace
}  // namespace qh::store
