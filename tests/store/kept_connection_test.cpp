#include <gtest/gtest.h>

#include <QFile>

#include "store/Connection.h"
#include "store/DataDirectory.h"
#include "support/temp_dir.h"

namespace qh::store {
namespace {

// Connections are kept between operations; what a kept one must never do is behave
// differently from a connection opened afresh.
class KeptConnectionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(createDataFiles(dir_.path()).status, PrepareResult::Created); }
    DataDirectory files() const { return DataDirectory(dir_.path()); }
    test::TempDir dir_;
};

TEST_F(KeptConnectionTest, ASettingChangedOnOneOperationDoesNotReachTheNext) {
    {
        Connection db = Connection::open(files(), DbFile::Main);
        ASSERT_TRUE(db.execute(QStringLiteral("PRAGMA query_only=1")).ok);
        EXPECT_FALSE(db.execute(QStringLiteral("insert into 科室 (科室) values ('甲')")).ok);
    }
    Connection next = Connection::open(files(), DbFile::Main);
    EXPECT_TRUE(next.execute(QStringLiteral("insert into 科室 (科室) values ('乙')")).changed());
}

TEST_F(KeptConnectionTest, AnOperationLeftHalfWayHoldsNoLockAndLeavesNothing) {
    {
        Connection db = Connection::open(files(), DbFile::Main);
        Transaction tx(db);
        ASSERT_TRUE(db.execute(QStringLiteral("insert into 科室 (科室) values ('未提交')")).changed());
    }  // never committed
    // Another connection (another workstation) can write at once.
    Connection other = Connection::open(dir_.file(QStringLiteral("dzbl.mdb")), QString::fromUtf8(kDbUser),
                                        password(DbFile::Main));
    Connection db = Connection::open(files(), DbFile::Main);
    EXPECT_EQ(db.query(QStringLiteral("select count(*) from 科室 where 科室='未提交'")).first().value(0).toInt(), 0);
    EXPECT_TRUE(db.execute(QStringLiteral("insert into 科室 (科室) values ('之后')")).changed());
}

TEST_F(KeptConnectionTest, AFileRemovedOrReplacedIsOpenedAfresh) {
    const QString path = dir_.file(QStringLiteral("dzbl.mdb"));
    { Connection db = Connection::open(files(), DbFile::Main); ASSERT_TRUE(db.isOpen()); }
    ASSERT_TRUE(QFile::rename(path, path + QStringLiteral(".away")));
    EXPECT_FALSE(Connection::open(files(), DbFile::Main).isOpen());
    // Something that is not a ward's file under the name: refused as on a first open.
    QFile foreign(path);
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write(QByteArray(4096, 'x'));
    foreign.close();
    EXPECT_FALSE(Connection::open(files(), DbFile::Main).isOpen());
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(path + QStringLiteral(".away"), path));
    Connection back = Connection::open(files(), DbFile::Main);
    EXPECT_TRUE(back.isOpen());
    Connection::releaseIdleConnections();
}

}  // namespace
}  // namespace qh::store
