// The connection operations use: rows as values, bound values, the count of rows a
// statement changed, and transactions that undo everything unless committed.
#include "store_support.h"
#include "store/Connection.h"

#include <sqlite3.h>

#include <QDir>
#include <chrono>
#include <thread>

namespace qh::store {
namespace {

class ConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::openSchemaFile(legacy, dir, DbFile::Main);  // makes the file from the schema
        legacy.close();
        db = Connection::open(DataDirectory(dir.path()), DbFile::Main);
        ASSERT_TRUE(db.isOpen()) << db.lastError().toStdString();
    }
    QStringList names() {
        QStringList out;
        for (const Row& row : db.query(QStringLiteral("select 科室 from 科室 order by 编号")))
            out << row.text(QStringLiteral("科室"));
        return out;
    }
    test::TempDir dir;
    ExternalDatabase legacy;
    Connection db;
};

TEST_F(ConnectionTest, BoundValuesAreDataRowsAreValuesAndChangesAreCounted) {
    const ExecResult first = db.execute(QStringLiteral("insert into 科室 (科室, 床位) values (?, ?)"), {u"内'科", 30});
    ASSERT_TRUE(first.ok) << first.error.toStdString();
    EXPECT_EQ(first.rowsChanged, 1);
    EXPECT_GT(first.insertedKey, 0);
    ASSERT_TRUE(db.execute(QStringLiteral("insert into 科室 (科室, 床位) values ('外科', 20)")).changed());

    // A quote in a bound value is a character, not the end of a literal.
    EXPECT_EQ(names(), (QStringList{"内'科", "外科"}));
    const Row found = db.query(QStringLiteral("select * from 科室 where 编号=?"), {first.insertedKey}).first();
    ASSERT_TRUE(found.isValid());
    EXPECT_EQ(found.integer(QStringLiteral("床位")), 30);
    EXPECT_EQ(found.text(QStringLiteral("科室")), "内'科");

    // An update that matches nothing runs, but changes nothing: not "saved".
    const ExecResult none = db.execute(QStringLiteral("update 科室 set 床位=1 where 编号=?"), {9999});
    EXPECT_TRUE(none.ok);
    EXPECT_FALSE(none.changed());
    EXPECT_EQ(db.execute(QStringLiteral("update 科室 set 床位=床位+1")).rowsChanged, 2);

    // A lookup that finds nothing gives the empty row, which reads as empty values.
    const Row missing = db.query(QStringLiteral("select * from 科室 where 编号=-1")).first();
    EXPECT_FALSE(missing.isValid());
    EXPECT_EQ(missing.text(QStringLiteral("科室")), QString());
    EXPECT_EQ(missing.integer(QStringLiteral("床位")), 0);

    // Rows stay readable after the connection has closed.
    const Rows rows = db.query(QStringLiteral("select 科室 from 科室 order by 编号"));
    db.close();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1].text(QStringLiteral("科室")), "外科");
    EXPECT_FALSE(db.execute(QStringLiteral("delete from 科室")).ok);
}

TEST_F(ConnectionTest, RefusesWhatCouldDoHarm) {
    // A query only reads; one statement at a time; every ? takes exactly one value.
    EXPECT_FALSE(db.query(QStringLiteral("delete from 科室")).ok());
    EXPECT_FALSE(db.execute(QStringLiteral("insert into 科室 (科室) values ('a'); delete from 科室")).ok);
    EXPECT_FALSE(db.execute(QStringLiteral("insert into 科室 (科室, 床位) values (?, ?)"), {u"a"}).ok);
    EXPECT_FALSE(db.execute(QStringLiteral("insert into 科室 (科室) values ('a')"), {u"b"}).ok);
    EXPECT_TRUE(names().isEmpty());
    const Rows failed = db.query(QStringLiteral("select * from 没有这个表"));
    EXPECT_FALSE(failed.ok());
    EXPECT_TRUE(failed.isEmpty());
    EXPECT_FALSE(db.lastError().isEmpty());

    // A file without the ward's credentials, or no file at all, does not open.
    EXPECT_FALSE(Connection::open(dir.file("dzbl.mdb"), QString::fromUtf8(kDbUser), QStringLiteral("wrong")).isOpen());
    EXPECT_FALSE(Connection::open(DataDirectory(dir.file("nowhere")), DbFile::Main).isOpen());
    EXPECT_FALSE(QFileInfo::exists(dir.file("nowhere/dzbl.mdb")));
}

TEST_F(ConnectionTest, TransactionsCommitAllOrUndoAllAndNest) {
    {
        Transaction tx(db);
        ASSERT_TRUE(tx.isActive());
        ASSERT_TRUE(db.execute(QStringLiteral("insert into 科室 (科室) values ('甲')")).ok);
        ASSERT_TRUE(db.execute(QStringLiteral("insert into 科室 (科室) values ('乙')")).ok);
        // Leaving without commit undoes both.
    }
    EXPECT_TRUE(names().isEmpty());

    {
        Transaction outer(db);
        ASSERT_TRUE(db.execute(QStringLiteral("insert into 科室 (科室) values ('甲')")).ok);
        {
            Transaction inner(db);
            ASSERT_TRUE(inner.isActive());
            ASSERT_TRUE(db.execute(QStringLiteral("insert into 科室 (科室) values ('乙')")).ok);
        }  // only the inner part is undone
        {
            Transaction inner(db);
            ASSERT_TRUE(db.execute(QStringLiteral("insert into 科室 (科室) values ('丙')")).ok);
            EXPECT_TRUE(inner.commit());
        }
        EXPECT_TRUE(outer.commit());
        EXPECT_FALSE(outer.isActive());
    }
    EXPECT_EQ(names(), (QStringList{"甲", "丙"}));

    // Another connection sees nothing of an open transaction; closing the connection
    // undoes it.
    {
        Transaction tx(db);
        ASSERT_TRUE(db.execute(QStringLiteral("insert into 科室 (科室) values ('丁')")).ok);
        db.close();
        EXPECT_FALSE(tx.commit());
    }
    db = Connection::open(DataDirectory(dir.path()), DbFile::Main);
    EXPECT_EQ(names(), (QStringList{"甲", "丙"}));
}

// Opening while another process commits waits for it (the credentials are read under the
// same busy timeout as every statement) instead of failing with "database is locked".
TEST_F(ConnectionTest, OpeningWaitsForAnotherWritersCommit) {
    db.close();
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(QDir(dir.path()).filePath("dzbl.mdb").toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread release([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    });
    const Connection waited = Connection::open(DataDirectory(dir.path()), DbFile::Main);
    release.join();
    sqlite3_close(other);
    EXPECT_TRUE(waited.isOpen()) << waited.lastError().toStdString();
}

}  // namespace
}  // namespace qh::store
