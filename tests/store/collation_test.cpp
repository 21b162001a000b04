// Text columns sort as GBK bytes do: Chinese by pinyin, ASCII without regard to case.
#include <QDir>
#include <gtest/gtest.h>

#include "store/DatabaseCreation.h"
#include "store/ExternalDatabase.h"
#include "store/GbkCollation.h"
#include "support/TempDir.h"

using namespace qh::store;

TEST(GbkCollation, OrdersChineseByPinyinAndAsciiWithoutCase) {
    EXPECT_LT(compareGbk("出院", "待结"), 0);   // C < D
    EXPECT_LT(compareGbk("待结", "在院"), 0);   // D < Z
    EXPECT_LT(compareGbk("张三", "张三丰"), 0);  // a prefix first
    EXPECT_LT(compareGbk("座", "亍"), 0);       // level 1 before level 2
    EXPECT_LT(compareGbk("Z9", "阿"), 0);       // ASCII before Chinese, as bytes go
    EXPECT_EQ(compareGbk("xmlb001", "XMLB001"), 0);
    EXPECT_GT(compareGbk("😀", "齄"), 0);       // beyond GBK: after everything in it
}

TEST(GbkCollation, AppliesToStatementsOnTextColumns) {
    qh::test::TempDir dir;
    const QString path = dir.file("t.mdb");
    ASSERT_TRUE(CreateDatabaseFile(path, "管理员", "pw"));
    ExternalDatabase db;
    ASSERT_TRUE(db.Open(path, "管理员", "pw"));
    ASSERT_TRUE(db.Execute("CREATE TABLE t (状态 TEXT COLLATE GBK)"));
    for (const char* s : {"出院", "在院", "待结", "XMLB001"})
        ASSERT_TRUE(db.Execute(QStringLiteral("INSERT INTO t values ('%1')").arg(QString::fromUtf8(s))));
    QStringList order;
    for (RecordSet rs = db.Query("select 状态 from t order by 状态 DESC"); !db.IsEOF(rs); db.MoveNext(rs))
        order << db.Read(rs, 1).toText();
    EXPECT_EQ(order.join(','), "在院,待结,出院,XMLB001");
    RecordSet rs = db.Query("select count(1) from t where 状态='xmlb001'");
    EXPECT_EQ(db.Read(rs, 1).toInt(), 1);
}
