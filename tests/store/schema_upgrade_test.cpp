// A ward made by an earlier version is brought up to this version's schema: what it lacks
// is made, what changed is remade, retired objects go, the rows stay, and a failure half-way
// leaves the file as it was.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include "support/full_disk.h"
#include "support/temp_dir.h"
#include "store/Connection.h"
#include "store/DataDirectory.h"
#include "store/DatabaseBackup.h"
#include "store/FileCheck.h"
#include "store/GbkCollation.h"
#include "store/SchemaUpgrade.h"

using namespace qh::store;
using qh::test::TempDir;

namespace {

class SchemaUpgradeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(prepareDataDirectory(data.path(), {QString(), seed.path()}).status, PrepareResult::Created);
        // dzbl.mdb as the previous version left it: no version, the narrow diagnosis index,
        // the slow form of a view, a table it never had; and a patient, and an index the
        // hospital made itself.
        raw("PRAGMA user_version = 0;"
            "DROP INDEX 在院病人_科室_编号_诊断;"
            "CREATE INDEX 在院病人_科室_诊断 ON 在院病人 (科室, 诊断);"
            "DROP VIEW 待结病历;"
            "CREATE VIEW 待结病历 AS SELECT * FROM 在院病历 WHERE 检索 IN (SELECT 住院编号 FROM 在院病人 WHERE 状态='待结');"
            "DROP TABLE 备份;"
            "CREATE INDEX 本院_住址 ON 在院病人 (住址);");
        Connection db = Connection::open(DataDirectory(data.path()), DbFile::Main);
        ASSERT_TRUE(db.execute("INSERT INTO 在院病人 (住院编号, 姓名, 科室, 诊断, 状态) VALUES ('Z1', '张三', '内科', '肺炎', '待结')").ok);
        ASSERT_TRUE(db.execute("INSERT INTO 在院病历 (检索, 病历, 标题) VALUES ('Z1', '首次病程记录', '首次病程记录')").ok);
        db.close();
        Connection::releaseIdleConnections();
    }
    void raw(const char* sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(data.file("dzbl.mdb").toUtf8().constData(), &db), SQLITE_OK);
        registerGbkCollation(db);
        EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }
    QString one(const QString& sql) {
        Connection db = Connection::open(DataDirectory(data.path()), DbFile::Main);
        return db.query(sql).first().value(0).toText();
    }
    QString problems() { return checkDataDirectory(data.path()).problems.join('\n'); }
    TempDir seed, data;
};

}  // namespace

TEST_F(SchemaUpgradeTest, AnOlderWardIsBroughtUpToDateKeepingItsRows) {
    EXPECT_EQ(filesNeedingUpgrade(data.path()), QStringList{"dzbl.mdb"});
    const QString before = problems();
    EXPECT_TRUE(before.contains("结构版本为 0")) << before.toStdString();
    EXPECT_TRUE(before.contains("在院病人_科室_编号_诊断")) << before.toStdString();

    const UpgradeReport report = upgradeDataDirectory(data.path());
    ASSERT_TRUE(report.ok) << report.error.toStdString();
    const QString changes = report.changes.join('\n');
    for (const char* expected : {"删除 在院病人_科室_诊断", "新建索引 在院病人_科室_编号_诊断", "重建视图 待结病历", "新建表 备份"})
        EXPECT_TRUE(changes.contains(QString::fromUtf8(expected))) << expected << "\n" << changes.toStdString();

    EXPECT_EQ(problems(), QString());
    EXPECT_TRUE(filesNeedingUpgrade(data.path()).isEmpty());
    EXPECT_EQ(one("select 姓名 from 在院病人 where 住院编号='Z1'"), "张三");
    EXPECT_EQ(one("select 病历 from 待结病历 where 检索='Z1'"), "首次病程记录");
    EXPECT_EQ(one("select count(*) from sqlite_master where name='在院病人_科室_诊断'"), "0");
    EXPECT_EQ(one("select count(*) from sqlite_master where name='本院_住址'"), "1");  // the hospital's own
    // The planner knows the new index at once.
    EXPECT_EQ(one("select count(*) from sqlite_stat1 where idx='在院病人_科室_编号_诊断'"), "1");

    // Nothing left to do the second time.
    const UpgradeReport again = upgradeDataDirectory(data.path());
    EXPECT_TRUE(again.ok);
    EXPECT_TRUE(again.changes.isEmpty()) << again.changes.join('\n').toStdString();
}

TEST_F(SchemaUpgradeTest, AFailureHalfWayLeavesTheFileAsItWas) {
    {
        qh::test::FullDisk disk(0);
        const UpgradeReport report = upgradeDataDirectory(data.path());
        EXPECT_FALSE(report.ok);
        EXPECT_TRUE(report.error.startsWith("dzbl.mdb")) << report.error.toStdString();
    }
    Connection::releaseIdleConnections();
    EXPECT_EQ(filesNeedingUpgrade(data.path()), QStringList{"dzbl.mdb"});
    EXPECT_EQ(one("select count(*) from sqlite_master where name='在院病人_科室_诊断'"), "1");
    EXPECT_EQ(one("select count(*) from sqlite_master where name='备份'"), "0");
    EXPECT_EQ(one("select 姓名 from 在院病人 where 住院编号='Z1'"), "张三");
    // And it is completed once the disk has room.
    EXPECT_TRUE(upgradeDataDirectory(data.path()).ok);
    EXPECT_EQ(problems(), QString());
}

TEST_F(SchemaUpgradeTest, ABackupOfAnEarlierVersionIsTakenAndRestoredIntoTheCurrentSchema) {
    const DataDirectory older(data.path());
    const QString copy = seed.file("older-dzbl.mdb");
    const CopyOutcome saved = backupDatabaseFile(older, DbFile::Main, copy);
    ASSERT_TRUE(saved.ok) << saved.error.toStdString();

    TempDir current;
    ASSERT_EQ(prepareDataDirectory(current.path(), {QString(), seed.path() + "/none"}).status, PrepareResult::Created);
    const CopyOutcome restored = restoreDatabaseFile(DataDirectory(current.path()), DbFile::Main, copy);
    ASSERT_TRUE(restored.ok) << restored.error.toStdString();
    const CheckReport report = checkDataDirectory(current.path());
    EXPECT_TRUE(report.ok()) << report.problems.join('\n').toStdString();
    Connection db = Connection::open(DataDirectory(current.path()), DbFile::Main);
    EXPECT_EQ(db.query("select 姓名 from 在院病人 where 住院编号='Z1'").first().value(0).toText(), "张三");
}
