// The table path: reading, adding, changing and deleting rows of a table or a condition.
#include <gtest/gtest.h>

#include "store/DatabaseCreation.h"
#include "store/ExternalDatabase.h"
#include "store/TableConnection.h"
#include "support/temp_dir.h"

using namespace qh::store;

namespace {

const QString kUser = QStringLiteral("管理员");
const QString kPassword = QStringLiteral("hbr62408");

class TableRowSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDatabaseFile(path, kUser, kPassword));
        ExternalDatabase db;
        ASSERT_TRUE(db.Open(path, kUser, kPassword));
        ASSERT_TRUE(db.ExecuteScript(QStringLiteral(
            "CREATE TABLE 系统设置 (编号 INTEGER PRIMARY KEY AUTOINCREMENT, 项目 TEXT, 备注 TEXT, 数量 REAL, 日期 DATETIME);"
            "CREATE TRIGGER 系统设置_日期 AFTER UPDATE ON 系统设置 BEGIN UPDATE 系统设置 SET 日期=qh_date(NEW.日期)"
            " WHERE 编号=NEW.编号 AND 日期 IS NOT qh_date(NEW.日期); END;"
            "INSERT INTO 系统设置 (项目, 备注) VALUES ('感冒','疾病名称'),('头痛','主诉'),('发热','疾病名称'),"
            " ('咳嗽','疾病名称'),('城关镇','联系地址');")));
        ASSERT_TRUE(connection.Open(path, kPassword));
        rows.Attach(connection);
    }
    QStringList items() {
        QStringList out;
        TableRowSet all;
        all.Attach(connection);
        EXPECT_TRUE(all.OpenTable(QStringLiteral("系统设置")));
        all.MoveFirst();
        for (int i = 0, n = all.RowCount(); i < n; ++i, all.MoveNext())
            out << all.ReadField(QStringLiteral("项目")).toText();
        return out;
    }

    qh::test::TempDir dir;
    QString path = dir.file(QStringLiteral("fwqdz.mdb"));
    TableConnection connection;
    TableRowSet rows;
};

TEST_F(TableRowSetTest, OpenNeedsTheFilesPassword) {
    TableConnection other;
    EXPECT_FALSE(other.Open(path, QStringLiteral("5170462")));
    EXPECT_FALSE(other.Open(dir.file(QStringLiteral("missing.mdb")), kPassword));
    EXPECT_FALSE(other.IsOpen());
    TableRowSet unattached;
    EXPECT_FALSE(unattached.OpenTable(QStringLiteral("系统设置")));
    EXPECT_FALSE(rows.OpenTable(QStringLiteral("不存在")));
    EXPECT_FALSE(rows.OpenWhere(QStringLiteral("备注=="), QStringLiteral("系统设置")));
    EXPECT_TRUE(rows.IsEOF());
}

TEST_F(TableRowSetTest, ReadingAndEmptyingAFilteredSetTouchesEveryRowOfItAndNoOther) {
    ASSERT_TRUE(rows.OpenWhere(QStringLiteral("备注='疾病名称'"), QStringLiteral("系统设置")));
    ASSERT_EQ(rows.RowCount(), 3);
    QStringList read;
    for (rows.MoveFirst(); !rows.IsEOF(); rows.MoveNext()) read << rows.ReadField(QStringLiteral("项目")).toText();
    EXPECT_EQ(read, (QStringList{QStringLiteral("感冒"), QStringLiteral("发热"), QStringLiteral("咳嗽")}));
    EXPECT_TRUE(rows.ReadField(QStringLiteral("项目")).isNull());

    rows.MoveFirst();
    for (int i = 0, count = rows.RowCount(); i < count; ++i) {
        EXPECT_TRUE(rows.Delete());
        EXPECT_FALSE(rows.Delete());  // already gone
        rows.MoveNext();
    }
    EXPECT_TRUE(rows.IsEOF());
    EXPECT_EQ(rows.RowCount(), 0);
    EXPECT_EQ(items(), (QStringList{QStringLiteral("头痛"), QStringLiteral("城关镇")}));
}

TEST_F(TableRowSetTest, AddNewStoresARowWithItsGeneratedKey) {
    ASSERT_TRUE(rows.OpenWhere(QStringLiteral("备注='主诉'"), QStringLiteral("系统设置")));
    ASSERT_TRUE(rows.AddNew());
    EXPECT_TRUE(rows.SetField(QStringLiteral("项目"), QStringLiteral("O'Brien's 胸闷")));
    EXPECT_TRUE(rows.SetField(QStringLiteral("备注"), QStringLiteral("主诉")));
    EXPECT_TRUE(rows.SetField(QStringLiteral("数量"), 2.5));
    EXPECT_TRUE(rows.SetField(QStringLiteral("日期"), QStringLiteral("2016年3月5日")));
    EXPECT_FALSE(rows.SetField(QStringLiteral("没有"), 1));
    EXPECT_FALSE(rows.SetField(QStringLiteral("日期"), QStringLiteral("not a date")));
    ASSERT_TRUE(rows.Update());
    EXPECT_EQ(rows.RowCount(), 2);
    EXPECT_EQ(rows.ReadField(QStringLiteral("编号")).toInt(), 6);  // the new row is current
    EXPECT_EQ(rows.ReadField(QStringLiteral("数量")).toText(), QStringLiteral("2.5"));
    EXPECT_EQ(rows.ReadField(QStringLiteral("日期")).toText(), QStringLiteral("2016年3月5日"));

    ExternalDatabase db;
    ASSERT_TRUE(db.Open(path, kUser, kPassword));
    const RecordSet rs = db.Query(QStringLiteral("select 项目, 日期 from 系统设置 where 编号=6"));
    EXPECT_EQ(db.Read(rs, 1).toText(), QStringLiteral("O'Brien's 胸闷"));
    EXPECT_EQ(db.Read(rs, 2).toDateTime(), QDateTime(QDate(2016, 3, 5), QTime(0, 0)));
}

TEST_F(TableRowSetTest, SetFieldAndUpdateChangeTheCurrentRowOnly) {
    ASSERT_TRUE(rows.OpenTable(QStringLiteral("系统设置")));
    rows.MoveFirst();
    rows.MoveNext();
    ASSERT_TRUE(rows.SetField(QStringLiteral("项目"), QStringLiteral("偏头痛")));
    ASSERT_TRUE(rows.SetField(QStringLiteral("日期"), QStringLiteral("2016-3-5 9:07")));
    EXPECT_EQ(rows.ReadField(QStringLiteral("项目")).toText(), QStringLiteral("偏头痛"));  // edit buffer
    ASSERT_TRUE(rows.Update());
    EXPECT_EQ(rows.ReadField(QStringLiteral("日期")).toDateTime(), QDateTime(QDate(2016, 3, 5), QTime(9, 7)));

    rows.MoveNext();
    ASSERT_TRUE(rows.SetField(QStringLiteral("项目"), QStringLiteral("dropped")));
    rows.MoveFirst();  // moving away drops an edit not yet stored
    EXPECT_TRUE(rows.Update());
    EXPECT_EQ(items(), (QStringList{QStringLiteral("感冒"), QStringLiteral("偏头痛"), QStringLiteral("发热"),
                                    QStringLiteral("咳嗽"), QStringLiteral("城关镇")}));

    while (!rows.IsEOF()) rows.MoveNext();
    EXPECT_FALSE(rows.SetField(QStringLiteral("项目"), QStringLiteral("x")));  // no current row
    connection.Close();
    EXPECT_FALSE(rows.AddNew());
}

}  // namespace
