// The SQL path: files and credentials, the dialect on real statements, typed reads,
// quoting of hostile values, atomic and durable statements, record sets.
#include <gtest/gtest.h>

#include "store/DatabaseCreation.h"
#include "store/SqlText.h"
#include "store_support.h"

using namespace qh::store;

namespace {

const QString kUser = QStringLiteral("管理员");
const QString kPassword = QStringLiteral("5170462");

class ExternalDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDatabaseFile(path, kUser, kPassword));
        ASSERT_TRUE(db.open(path, kUser, kPassword));
    }
    void exec(const QString& sql) { ASSERT_TRUE(db.execute(sql)) << sql.toStdString() << ": " << db.lastError().toStdString(); }
    QString scalar(const QString& sql) { return qh::test::scalar(db, sql); }

    qh::test::TempDir dir;
    QString path = dir.file(QStringLiteral("dzbl.mdb"));
    ExternalDatabase db;
};

TEST_F(ExternalDatabaseTest, OpenRefusesMissingFilesWrongCredentialsAndForeignFilesAndNeverWrites) {
    db.close();
    const QByteArray before = qh::test::fileBytes(path);
    const QDateTime modified = QFileInfo(path).lastModified();
    ExternalDatabase other;
    const QString missing = dir.file(QStringLiteral("ZYBD.mdb"));
    EXPECT_FALSE(other.open(missing, kUser, kPassword));
    EXPECT_FALSE(QFileInfo::exists(missing));  // nothing created
    EXPECT_FALSE(other.open(path, kUser, QStringLiteral("5170463")));
    EXPECT_FALSE(other.open(path, QStringLiteral("user"), kPassword));
    EXPECT_FALSE(other.open(path, kUser, QString()));
    EXPECT_FALSE(other.isOpen());

    EXPECT_FALSE(other.open(qh::test::writeFile(dir.file(QStringLiteral("notes.mdb")), "not a database"), kUser, kPassword));
    EXPECT_FALSE(CreateDatabaseFile(path, kUser, kPassword));  // never over an existing file

    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(other.open(path, kUser, kPassword));
        other.closeRecordSet(other.query(QStringLiteral("select count(1) from sqlite_master")));
        other.close();
    }
    EXPECT_EQ(qh::test::fileBytes(path), before);
    EXPECT_EQ(QFileInfo(path).lastModified(), modified);
}

TEST_F(ExternalDatabaseTest, ReopenReplacesTheConnectionAndAFailedOpenKeepsIt) {
    exec(QStringLiteral("create table t (n INTEGER)"));
    exec(QStringLiteral("insert into t values (1)"));
    const RecordSet old = db.query(QStringLiteral("select n from t"));

    const QString second = dir.file(QStringLiteral("fwqdz.mdb"));
    ASSERT_TRUE(CreateDatabaseFile(second, kUser, QStringLiteral("hbr62408")));
    EXPECT_FALSE(db.open(second, kUser, QStringLiteral("wrong")));
    EXPECT_EQ(scalar(QStringLiteral("select n from t")), QStringLiteral("1"));  // still the first file
    EXPECT_FALSE(db.isEof(old));

    ASSERT_TRUE(db.open(second, kUser, QStringLiteral("hbr62408")));
    EXPECT_TRUE(db.isEof(old));  // record sets of the replaced connection are gone
    EXPECT_FALSE(db.execute(QStringLiteral("insert into t values (2)")));  // no such table here
}

TEST_F(ExternalDatabaseTest, SuccessfulStatementsSurviveCloseAndFailedOnesChangeNothing) {
    exec(QStringLiteral("create table t (编号 INTEGER PRIMARY KEY AUTOINCREMENT, n INTEGER CHECK (n < 3))"));
    exec(QStringLiteral("insert into t (n) values (1)"));
    exec(QStringLiteral("insert into t (n) values (2)"));
    EXPECT_EQ(db.lastInsertId(), 2);
    // The second row would break the check: the first row must not stay changed.
    EXPECT_FALSE(db.execute(QStringLiteral("update t set n = n + 1")));
    EXPECT_FALSE(db.lastError().isEmpty());
    EXPECT_FALSE(db.execute(QStringLiteral("insert into t (n) values (0); drop table t")));  // one statement only
    EXPECT_FALSE(db.execute(QStringLiteral("delete from nowhere")));
    db.close();
    EXPECT_FALSE(db.execute(QStringLiteral("delete from t")));  // closed

    ExternalDatabase again;
    ASSERT_TRUE(again.open(path, kUser, kPassword));
    const RecordSet rs = again.query(QStringLiteral("select n from t order by 编号"));
    EXPECT_EQ(again.read(rs, 1).toInt(), 1);
    again.moveNext(rs);
    EXPECT_EQ(again.read(rs, 1).toInt(), 2);
    again.moveNext(rs);
    EXPECT_TRUE(again.isEof(rs));
}

TEST_F(ExternalDatabaseTest, ScriptsRunWhollyOrNotAtAll) {
    EXPECT_FALSE(db.executeScript(QStringLiteral("create table a (x); insert into a values (1); insert into nowhere values (1);")));
    EXPECT_TRUE(db.isEof(db.query(QStringLiteral("select * from a"))));  // table a was not kept
    EXPECT_TRUE(db.executeScript(QStringLiteral("create table a (x); -- first\n insert into a values (#2016-3-5#);")));
    EXPECT_EQ(scalar(QStringLiteral("select x from a")), QStringLiteral("2016-03-05 00:00:00"));
}

TEST_F(ExternalDatabaseTest, HostileTextValuesAreStoredExactlyAndAlterNothing) {
    exec(QStringLiteral("create table 用户 (编号 INTEGER PRIMARY KEY AUTOINCREMENT, 用户 TEXT)"));
    exec(QStringLiteral("insert into 用户 (用户) values ('keep')"));
    const QString hostile[] = {QStringLiteral("O'Brien"), QStringLiteral("'; delete from 用户; --"),
                               QStringLiteral("%"), QStringLiteral("_"), QStringLiteral("a\\b"), QString(),
                               QStringLiteral("''"), QStringLiteral("#2016-3-5#")};
    for (const QString& value : hostile) {
        exec(QStringLiteral("insert into 用户 (用户) values ('") + sqlText(value) + QStringLiteral("')"));
        const qint64 id = db.lastInsertId();
        EXPECT_EQ(scalar(QStringLiteral("select 用户 from 用户 where 编号=") + QString::number(id)), value);
        EXPECT_EQ(scalar(QStringLiteral("select count(1) from 用户 where 用户='") + sqlText(value) + QStringLiteral("'")),
                  QStringLiteral("1"));
    }
    EXPECT_EQ(scalar(QStringLiteral("select count(1) from 用户")), QString::number(1 + std::size(hostile)));
    EXPECT_EQ(scalar(QStringLiteral("select 用户 from 用户 where 编号=1")), QStringLiteral("keep"));
}

TEST_F(ExternalDatabaseTest, DialectWorksOnDateColumnsWrittenAsText) {
    exec(QStringLiteral("CREATE TABLE 在院病人 (编号 INTEGER PRIMARY KEY AUTOINCREMENT, 姓名 TEXT, 床号 TEXT,"
                        " 状态 TEXT, 入院日期 DATETIME, 出院日期 DATETIME, 费用 REAL)"));
    for (const char* column : {"入院日期", "出院日期"})
        for (const char* event : {"INSERT", "UPDATE"})
            exec(QStringLiteral("CREATE TRIGGER 在院病人_%1_%2 AFTER %2 ON 在院病人 BEGIN UPDATE 在院病人 SET %1=qh_date(NEW.%1)"
                                " WHERE 编号=NEW.编号 AND %1 IS NOT qh_date(NEW.%1); END")
                     .arg(QString::fromUtf8(column), QString::fromUtf8(event)));
    exec(QStringLiteral("insert into 在院病人 (姓名,床号,状态,入院日期,出院日期,费用) values ('甲','12床','出院','2016年3月5日','2016-3-8 9:07',100.5)"));
    exec(QStringLiteral("insert into 在院病人 (姓名,床号,状态,入院日期,出院日期,费用) values ('乙','3','在院',#2016-3-9 23:00#,NULL,0)"));
    exec(QStringLiteral("insert into 在院病人 (姓名,床号,状态,入院日期,出院日期) values ('丙','abc','待结','2016-03-31 08:00:00','')"));
    EXPECT_FALSE(db.execute(QStringLiteral("insert into 在院病人 (姓名,入院日期) values ('丁','yesterday')")));

    EXPECT_EQ(scalar(QStringLiteral("select 入院日期 from 在院病人 where 姓名='甲'")), QStringLiteral("2016年3月5日"));
    EXPECT_EQ(scalar(QStringLiteral("select count(1) from 在院病人 where 入院日期 between #2016-3-5# and #2016-3-9 23:00#")),
              QStringLiteral("2"));
    EXPECT_EQ(scalar(QStringLiteral("select count(1) from 在院病人 where 入院日期 > #2016-3-9 22:59#")), QStringLiteral("2"));
    EXPECT_EQ(scalar(QStringLiteral("select count(1) from 在院病人 where 出院日期 is null")), QStringLiteral("2"));
    EXPECT_EQ(scalar(QStringLiteral("select datediff('d',入院日期,出院日期) from 在院病人 where 姓名='甲'")), QStringLiteral("3"));
    EXPECT_EQ(scalar(QStringLiteral("select avg(datediff('d',入院日期,出院日期)) from 在院病人")), QStringLiteral("3"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT SUM(IIf( 状态= '在院' ,1 ,0 )) FROM 在院病人")), QStringLiteral("1"));
    EXPECT_EQ(scalar(QStringLiteral("select count(1) from 在院病人 where 姓名 like '%乙%' and true and not false")),
              QStringLiteral("1"));

    EXPECT_EQ(qh::test::rows(db, QStringLiteral("select 床号 from 在院病人 order by Val(床号) ASC")), QStringLiteral("abc\n3\n12床"));

    // Through a view the date column keeps its type; group by counts per state.
    exec(QStringLiteral("create view 出院 as select 姓名, 入院日期 from 在院病人"));
    const RecordSet view = db.query(QStringLiteral("select * from 出院 where 姓名='乙'"));
    EXPECT_EQ(db.read(view, 2).type(), ValueType::DateTime);
    EXPECT_EQ(db.read(view, 2).toDateTime(), QDateTime(QDate(2016, 3, 9), QTime(23, 0)));
    EXPECT_EQ(scalar(QStringLiteral("select count(1) from (select 状态 from 在院病人 group by 状态)")), QStringLiteral("3"));
}

TEST_F(ExternalDatabaseTest, TypedReadsAndEmptyValues) {
    exec(QStringLiteral("create table v (t TEXT, i INTEGER, r REAL, b BOOLEAN, d DATETIME, x BLOB)"));
    exec(QStringLiteral("insert into v values ('12床', 7, -2.9, '1', '2016-03-05 08:30:00', x'00ff')"));
    exec(QStringLiteral("insert into v values (NULL, NULL, 2.5, '0', NULL, NULL)"));
    exec(QStringLiteral("create table XMZDB (参数值 REAL)"));
    exec(QStringLiteral("insert into xmzdb values (1.25)"));  // table names are case-blind

    RecordSet rs = db.query(QStringLiteral("select * from v"));
    ASSERT_EQ(db.columnCount(rs), 6);
    EXPECT_EQ(db.columnName(rs, 4), QStringLiteral("b"));
    EXPECT_EQ(db.read(rs, QStringLiteral("T")).toInt(), 12);  // column names are case-blind too
    EXPECT_EQ(db.read(rs, QStringLiteral("i")).type(), ValueType::Integer);
    EXPECT_EQ(db.read(rs, QStringLiteral("r")).toInt(), -2);  // truncated, not rounded
    EXPECT_EQ(db.read(rs, QStringLiteral("r")).toText(), QStringLiteral("-2.9"));
    EXPECT_EQ(db.read(rs, QStringLiteral("b")).type(), ValueType::Boolean);
    EXPECT_TRUE(db.read(rs, QStringLiteral("b")).toBool());
    EXPECT_EQ(db.read(rs, QStringLiteral("d")).toText(), QStringLiteral("2016年3月5日8时30分"));
    EXPECT_EQ(db.read(rs, 6).toBytes(), QByteArray("\x00\xff", 2));
    EXPECT_TRUE(db.read(rs, QStringLiteral("nope")).isNull());
    EXPECT_TRUE(db.read(rs, 7).isNull());

    db.moveLast(rs);
    EXPECT_EQ(db.read(rs, 3).toInt(), 2);
    EXPECT_EQ(db.read(rs, 3).toText(), QStringLiteral("2.5"));
    EXPECT_FALSE(db.read(rs, 4).toBool());
    for (int column = 1; column <= 6; ++column)
        if (column != 3 && column != 4) {
            EXPECT_TRUE(db.read(rs, column).isNull());
            EXPECT_EQ(db.read(rs, column).toText(), QString());
            EXPECT_EQ(db.read(rs, column).toInt(), 0);
        }
    db.moveNext(rs);
    EXPECT_TRUE(db.isEof(rs));
    EXPECT_TRUE(db.read(rs, 1).isNull());  // past the end reads empty
    db.moveFirst(rs);
    EXPECT_EQ(db.read(rs, 2).toInt(), 7);

    EXPECT_EQ(scalar(QStringLiteral("select 参数值 from XMZDB")), QStringLiteral("1.25"));
    EXPECT_EQ(scalar(QStringLiteral("select 3.0")), QStringLiteral("3"));
    db.closeRecordSet(rs);
    EXPECT_TRUE(db.isEof(rs));
}

TEST_F(ExternalDatabaseTest, FailedAndEmptyQueriesAreAtTheirEnd) {
    exec(QStringLiteral("create table t (n INTEGER)"));
    const RecordSet empty = db.query(QStringLiteral("select * from t where n=1"));
    const RecordSet broken = db.query(QStringLiteral("select * from nowhere"));
    const RecordSet writing = db.query(QStringLiteral("insert into t values (1)"));
    for (RecordSet rs : {empty, broken, writing}) {
        EXPECT_TRUE(db.isEof(rs));
        EXPECT_EQ(db.read(rs, 1).toInt(), 0);
        db.moveLast(rs);
        EXPECT_TRUE(db.isEof(rs));
    }
    EXPECT_NE(empty, broken);
    EXPECT_EQ(scalar(QStringLiteral("select count(1) from t")), QStringLiteral("0"));  // the insert did not run
    EXPECT_EQ(scalar(QStringLiteral("PRAGMA table_info(t)")), QStringLiteral("0"));  // reading pragmas are queries
    ExternalDatabase closed;
    EXPECT_TRUE(closed.isEof(closed.query(QStringLiteral("select 1"))));

    // Several record sets stay independent and keep what they read.
    exec(QStringLiteral("insert into t values (1),(2),(3)"));
    const RecordSet a = db.query(QStringLiteral("select n from t order by n"));
    const RecordSet b = db.query(QStringLiteral("select n from t order by n desc"));
    exec(QStringLiteral("delete from t where n=2"));
    db.moveNext(a);
    EXPECT_EQ(db.read(a, 1).toInt(), 2);
    EXPECT_EQ(db.read(b, 1).toInt(), 3);
    db.closeRecordSet(a);
    EXPECT_TRUE(db.isEof(a));
    EXPECT_FALSE(db.isEof(b));
    db.close();
    EXPECT_TRUE(db.isEof(b));
}

TEST_F(ExternalDatabaseTest, BinaryParameterIsBoundToTheSingleMarker) {
    exec(QStringLiteral("create table 在院病历 (编号 INTEGER PRIMARY KEY AUTOINCREMENT, 名称 TEXT, 数据 BLOB)"));
    QByteArray document(100000, '\0');
    for (int i = 0; i < document.size(); ++i) document[i] = char(i * 7);
    ASSERT_TRUE(db.execute(QStringLiteral("insert into 在院病历 (名称, 数据) values ('病程记录?', ?)"), document));
    const qint64 id = db.lastInsertId();
    ASSERT_TRUE(db.execute(QStringLiteral("UPDATE 在院病历 SET 数据=? where 编号=") + QString::number(id), QByteArray()));
    RecordSet rs = db.query(QStringLiteral("select 数据, 名称 from 在院病历"));
    EXPECT_EQ(db.read(rs, 1).type(), ValueType::Binary);  // empty, not NULL
    EXPECT_EQ(db.read(rs, 2).toText(), QStringLiteral("病程记录?"));
    ASSERT_TRUE(db.execute(QStringLiteral("UPDATE 在院病历 SET 数据=? where 编号=") + QString::number(id), document));
    EXPECT_EQ(db.read(db.query(QStringLiteral("select 数据 from 在院病历")), 1).toBytes(), document);

    EXPECT_FALSE(db.execute(QStringLiteral("UPDATE 在院病历 SET 数据=? where 编号=?"), document));
    EXPECT_FALSE(db.execute(QStringLiteral("UPDATE 在院病历 SET 数据=?")));  // marker without a value
    EXPECT_FALSE(db.execute(QStringLiteral("UPDATE 在院病历 SET 名称='x'"), document));  // value without a marker
}

// Text columns declared COLLATE GBK sort as GBK bytes do: Chinese by pinyin, ASCII without regard to case.
TEST_F(ExternalDatabaseTest, GbkCollationAppliesToStatementsOnTextColumns) {
    exec(QStringLiteral("CREATE TABLE t (状态 TEXT COLLATE GBK)"));
    exec(QStringLiteral("INSERT INTO t values ('出院'),('在院'),('待结'),('XMLB001')"));
    EXPECT_EQ(qh::test::rows(db, QStringLiteral("select 状态 from t order by 状态 DESC")), QStringLiteral("在院\n待结\n出院\nXMLB001"));
    EXPECT_EQ(scalar(QStringLiteral("select count(1) from t where 状态='xmlb001'")), QStringLiteral("1"));
}

}  // namespace
