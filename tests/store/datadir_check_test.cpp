// The file check finds what is wrong with a ward's files and stays silent when all is well.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>

#include "support/temp_dir.h"
#include "store/DataDirectory.h"
#include "store/DatabaseFiles.h"
#include "store/FileCheck.h"
#include "store/GbkCollation.h"

using namespace qh::store;
using qh::test::TempDir;

namespace {

class FileCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        emptySeed = {QString(), seed.path()};
        ASSERT_EQ(prepareDataDirectory(data.path(), emptySeed).status, PrepareResult::Created);
    }
    // Changes a file behind the store's back, as a damaged or foreign file would be.
    void tamper(const QString& name, const char* sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(data.file(name).toUtf8().constData(), &db), SQLITE_OK);
        registerGbkCollation(db);
        EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }
    QString problems() { return checkDataDirectory(data.path()).problems.join('\n'); }
    TempDir seed, data;
    CreationSources emptySeed;
};

}  // namespace

TEST_F(FileCheckTest, FreshFilesAreWellAndMissingStructureIsNamed) {
    EXPECT_EQ(problems(), QString());
    tamper("dzbl.mdb", "DROP VIEW view_mbky; DROP TRIGGER qh_date_ins_在院病人_入院日期; DROP INDEX GSMB_名称; ALTER TABLE GSMB DROP COLUMN 名称;");
    const QString p = problems();
    EXPECT_TRUE(p.contains("view_mbky")) << p.toStdString();
    EXPECT_TRUE(p.contains("qh_date_ins_在院病人_入院日期")) << p.toStdString();
    EXPECT_TRUE(p.contains("GSMB") && p.contains("名称")) << p.toStdString();
    EXPECT_FALSE(p.contains("ZYBD.mdb"));
}

TEST_F(FileCheckTest, ForeignCredentialsAndMissingFilesAreNamed) {
    tamper("ZYBD.mdb", "UPDATE qh_credentials SET digest='0'");
    ASSERT_TRUE(QFile::remove(data.file("fwqdz.mdb")));
    const QString p = problems();
    EXPECT_TRUE(p.contains("ZYBD.mdb：凭据")) << p.toStdString();
    EXPECT_TRUE(p.contains("fwqdz.mdb：文件不存在")) << p.toStdString();
}

TEST_F(FileCheckTest, DamagedBytesAreFound) {
    {
        QFile f(data.file("dzbl.mdb"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        const qint64 size = f.size();
        f.seek(size / 2);
        f.write(QByteArray(int(size / 4), '\xA5'));  // pages overwritten in the middle
    }
    const QString p = problems();
    EXPECT_TRUE(p.contains("dzbl.mdb")) << "damage not found";
    EXPECT_FALSE(checkDataDirectory(data.path()).ok());

    // A file that is no database at all gives one line, not a line per missing table.
    {
        QFile f(data.file("ZYBD.mdb"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(8192, 'x'));
    }
    const QStringList lines = problems().split('\n').filter("ZYBD.mdb");
    EXPECT_EQ(lines.size(), 1) << problems().toStdString();
}

// After a crash mid-transaction the file carries a hot journal: check rolls it back first,
// as the next start would, and does not call a sound file unreadable.
TEST_F(FileCheckTest, AHotJournalLeftByACrashIsRolledBackBeforeJudging) {
    TempDir crashed;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(data.file("dzbl.mdb").toUtf8().constData(), &db), SQLITE_OK);
    registerGbkCollation(db);
    // A tiny cache makes the changes reach the file itself before any commit.
    ASSERT_EQ(sqlite3_exec(db,
                           "PRAGMA cache_size=2; BEGIN; "
                           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<3000) "
                           "INSERT INTO 科室 (科室) SELECT 'x' || i FROM n;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK)
        << sqlite3_errmsg(db);
    // The files as a power cut would leave them: copied while the transaction is open.
    for (const char* name : {"dzbl.mdb", "dzbl.mdb-journal", "ZYBD.mdb", "fwqdz.mdb"})
        ASSERT_TRUE(QFile::copy(data.file(name), crashed.file(name))) << name;
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    ASSERT_GT(QFileInfo(crashed.file("dzbl.mdb-journal")).size(), 0);
    const CheckReport report = checkDataDirectory(crashed.path());
    EXPECT_TRUE(report.ok()) << report.problems.join('\n').toStdString();
    EXPECT_FALSE(QFileInfo(crashed.file("dzbl.mdb-journal")).size() > 0);
}

TEST_F(FileCheckTest, AJournalModeOtherThanDeleteIsReported) {
    tamper("ZYBD.mdb", "PRAGMA journal_mode=WAL");
    EXPECT_TRUE(problems().contains("ZYBD.mdb：日志模式为 wal")) << problems().toStdString();
}

