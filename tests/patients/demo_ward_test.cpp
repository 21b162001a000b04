#include <gtest/gtest.h>

#include "common/Clock.h"
#include "patients/DemoWard.h"
#include "patients/WardFiles.h"
#include "store/DataDirectory.h"
#include "store/DatabaseFiles.h"
#include "support/TempDir.h"

namespace qh::test {
namespace {

qint64 count(store::ExternalDatabase& db, const QString& sql) {
    const store::RecordSet rs = db.Query(sql);
    const qint64 n = db.Read(rs, 1).toInt();
    db.CloseRecordSet(rs);
    return n;
}

TEST(DemoWard, FortyStaysInTheThreeStatesMadeThroughTheRegistry) {
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
    EXPECT_EQ(count(db, "select count(1) from 在院病人 where 状态='出院' and 费用 > 0 and 出院日期 > 入院日期"),
              ward.discharged);
    EXPECT_EQ(count(db, "select count(1) from 在院病人 where 状态='待结' and 出院日期 > 入院日期"), ward.pending);
    EXPECT_EQ(count(db, "select count(1) from 在院病人 where 状态='在院' and 出院日期 is null"), ward.inWard);
    EXPECT_EQ(count(db, "select count(distinct 住院编号) from 在院病人"), 40);
    EXPECT_EQ(count(db, "select count(1) from 在院病人 where 入院日期 < '2024-01-01' or 入院日期 > '2024-06-16'"), 0);
    EXPECT_EQ(count(db, "select count(1) from 在院病人 where 日期部分 is null or 诊断 = '' or 姓名检索 = '' "
                        "or 职业 = '' or 出生日期 is null"),
              0);
    // Every in-ward patient of a department has a bed of their own.
    EXPECT_EQ(count(db, "select count(1) from (select 科室, 床号 from 在院病人 where 状态='在院' "
                        "group by 科室, 床号 having count(1) > 1)"),
              0);
    EXPECT_EQ(count(db, "select count(1) from 用户"), patients::demoAccounts().size());
}

}  // namespace
}  // namespace qh::test
