#include <gtest/gtest.h>

#include "store/BulkLoad.h"
#include "store/Connection.h"
#include "store/DataDirectory.h"
#include "support/temp_dir.h"

namespace qh::store {
namespace {

class BulkLoadTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(createDataFiles(dir_.path()).status, PrepareResult::Created); }
    DataDirectory files() const { return DataDirectory(dir_.path()); }
    qint64 number(const QString& sql) {
        Connection db = Connection::open(files(), DbFile::Main);
        return db.query(sql).first().value(0).toInt();
    }
    QString objects() {
        Connection db = Connection::open(files(), DbFile::Main);
        QStringList out;
        for (const Row& r : db.query(QStringLiteral("select type || ' ' || name || ' ' || sql from sqlite_master "
                                                    "where tbl_name in ('在院病人','体温单') order by name")))
            out << r.value(0).toText();
        return out.join('\n');
    }
    test::TempDir dir_;
};

TEST_F(BulkLoadTest, RowsGoInAndIndexesTriggersAndStatisticsComeBack) {
    const QString before = objects();
    ASSERT_TRUE(before.contains(QStringLiteral("在院病人_科室_状态")));
    ASSERT_TRUE(before.contains(QStringLiteral("qh_date_ins_在院病人_入院日期")));
    {
        BulkLoad load = BulkLoad::open(files(), DbFile::Main, {QStringLiteral("在院病人"), QStringLiteral("体温单")});
        ASSERT_TRUE(load.isOpen()) << load.error().toStdString();
        const int patient = load.prepare(QStringLiteral("在院病人"), {QStringLiteral("姓名"), QStringLiteral("科室"),
                                                                     QStringLiteral("状态"), QStringLiteral("入院日期")});
        ASSERT_GE(patient, 0) << load.error().toStdString();
        for (int i = 0; i < 300; ++i)
            ASSERT_TRUE(load.insert(patient, {QStringLiteral("病人%1").arg(i), QStringLiteral("内科"), QStringLiteral("出院"),
                                              QStringLiteral("2016-03-05 08:00:00")}));
        EXPECT_EQ(load.lastKey(), 300);
        EXPECT_EQ(load.rowsInserted(), 300);
        // A row of the wrong width is refused and says why.
        EXPECT_FALSE(load.insert(patient, {QStringLiteral("少")}));
        EXPECT_FALSE(load.error().isEmpty());
        QStringList built;
        ASSERT_TRUE(load.finish([&built](const QString& name) { built << name; })) << load.error().toStdString();
        EXPECT_TRUE(built.contains(QStringLiteral("在院病人_科室_状态")));
        EXPECT_TRUE(built.contains(QStringLiteral("ANALYZE")));
    }
    EXPECT_EQ(objects(), before);
    EXPECT_EQ(number(QStringLiteral("select count(*) from 在院病人 where 科室='内科'")), 300);
    EXPECT_GT(number(QStringLiteral("select count(*) from sqlite_stat1 where idx='在院病人_科室_状态'")), 0);
    // The triggers work again for what the program writes next.
    Connection db = Connection::open(files(), DbFile::Main);
    ASSERT_TRUE(db.execute(QStringLiteral("update 在院病人 set 出院日期='2016-3-9' where 编号=1")).changed());
    EXPECT_EQ(db.query(QStringLiteral("select CAST(出院日期 AS TEXT) from 在院病人 where 编号=1")).first().value(0).toText(),
              QStringLiteral("2016-03-09 00:00:00"));
}

TEST_F(BulkLoadTest, ALoadThatIsNotFinishedLeavesTheFileAsItWas) {
    const QString before = objects();
    {
        BulkLoad load = BulkLoad::open(files(), DbFile::Main, {QStringLiteral("在院病人")});
        ASSERT_TRUE(load.isOpen());
        const int patient = load.prepare(QStringLiteral("在院病人"), {QStringLiteral("姓名")});
        ASSERT_TRUE(load.insert(patient, {QStringLiteral("半途")}));
        // A misspelt column is refused before any row.
        EXPECT_EQ(load.prepare(QStringLiteral("在院病人"), {QStringLiteral("没有这列")}), -1);
    }
    EXPECT_EQ(objects(), before);
    EXPECT_EQ(number(QStringLiteral("select count(*) from 在院病人")), 0);
    // The file is free again for the program.
    Connection db = Connection::open(files(), DbFile::Main);
    EXPECT_TRUE(db.execute(QStringLiteral("insert into 在院病人 (姓名) values ('之后')")).changed());
}

TEST_F(BulkLoadTest, NewFilesAndImportsCarryPlannerStatistics) {
    // The seeded catalogue has statistics from the start.
    EXPECT_GT(number(QStringLiteral("select count(*) from sqlite_stat1 where tbl='ddt_costitems'")), 0);
    EXPECT_FALSE(BulkLoad::open(DataDirectory(dir_.file(QStringLiteral("nowhere"))), DbFile::Main, {}).isOpen());
}

}  // namespace
}  // namespace qh::store
