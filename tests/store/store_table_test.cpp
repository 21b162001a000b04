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
        ASSERT_TRUE(db.open(path, kUser, kPassword));
        ASSERT_TRUE(db.executeScript(QStringLiteral(
            "CREATE TABLE 系统设置 (编号 INTEGER PRIMARY KEY AUTOINCREMENT, 项目 TEXT, 备注 TEXT, 数量 REAL, 日期 DATETIME);"
            "CREATE TRIGGER 系统设置_日期 AFTER UPDATE ON 系统设置 BEGIN UPDATE 系统设置 SET 日期=qh_date(NEW.日期)"
            " WHERE 编号=NEW.编号 AND 日期 IS NOT qh_date(NEW.日期); END;"
            "INSERT INTO 系统设置 (项目, 备注) VALUES ('感冒','疾病名称'),('头痛','主诉'),('发热','疾病名称'),"
            " ('咳嗽','疾病名称'),('城关镇','联系地址');")));
        ASSERT_TRUE(connection.open(path, kPassword));
        rows.attach(connection);
    }
    QStringList items() {
        QStringList out;
        TableRowSet all;
        all.attach(connection);
        EXPECT_TRUE(all.openTable(QStringLiteral("系统设置")));
        all.moveFirst();
        for (int i = 0, n = all.rowCount(); i < n; ++i, all.moveNext())
            out << all.readField(QStringLiteral("项目")).toText();
        return out;
    }

    qh::test::TempDir dir;
    QString path = dir.file(QStringLiteral("fwqdz.mdb"));
    TableConnection connection;
    TableRowSet rows;
};

TEST_F(TableRowSetTest, OpenNeedsTheFilesPassword) {
    TableConnection other;
    EXPECT_FALSE(other.open(path, QStringLiteral("5170462")));
    EXPECT_FALSE(other.open(dir.file(QStringLiteral("missing.mdb")), kPassword));
    EXPECT_FALSE(other.isOpen());
    TableRowSet unattached;
    EXPECT_FALSE(unattached.openTable(QStringLiteral("系统设置")));
    EXPECT_FALSE(rows.openTable(QStringLiteral("不存在")));
    EXPECT_FALSE(rows.openWhere(QStringLiteral("备注=="), QStringLiteral("系统设置")));
    EXPECT_TRUE(rows.isEof());
}

TEST_F(TableRowSetTest, ReadingAndEmptyingAFilteredSetTouchesEveryRowOfItAndNoOther) {
    ASSERT_TRUE(rows.openWhere(QStringLiteral("备注='疾病名称'"), QStringLiteral("系统设置")));
    ASSERT_EQ(rows.rowCount(), 3);
    QStringList read;
    for (rows.moveFirst(); !rows.isEof(); rows.moveNext()) read << rows.readField(QStringLiteral("项目")).toText();
    EXPECT_EQ(read, (QStringList{QStringLiteral("感冒"), QStringLiteral("发热"), QStringLiteral("咳嗽")}));
    EXPECT_TRUE(rows.readField(QStringLiteral("项目")).isNull());

    rows.moveFirst();
    for (int i = 0, count = rows.rowCount(); i < count; ++i) {
        EXPECT_TRUE(rows.deleteRow());
        EXPECT_FALSE(rows.deleteRow());  // already gone
        rows.moveNext();
    }
    EXPECT_TRUE(rows.isEof());
    EXPECT_EQ(rows.rowCount(), 0);
    EXPECT_EQ(items(), (QStringList{QStringLiteral("头痛"), QStringLiteral("城关镇")}));
}

TEST_F(TableRowSetTest, AddNewStoresARowWithItsGeneratedKey) {
    ASSERT_TRUE(rows.openWhere(QStringLiteral("备注='主诉'"), QStringLiteral("系统设置")));
    ASSERT_TRUE(rows.addNew());
    EXPECT_TRUE(rows.setField(QStringLiteral("项目"), QStringLiteral("O'Brien's 胸闷")));
    EXPECT_TRUE(rows.setField(QStringLiteral("备注"), QStringLiteral("主诉")));
    EXPECT_TRUE(rows.setField(QStringLiteral("数量"), 2.5));
    EXPECT_TRUE(rows.setField(QStringLiteral("日期"), QStringLiteral("2016年3月5日")));
    EXPECT_FALSE(rows.setField(QStringLiteral("没有"), 1));
    EXPECT_FALSE(rows.setField(QStringLiteral("日期"), QStringLiteral("not a date")));
    ASSERT_TRUE(rows.update());
    EXPECT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.readField(QStringLiteral("编号")).toInt(), 6);  // the new row is current
    EXPECT_EQ(rows.readField(QStringLiteral("数量")).toText(), QStringLiteral("2.5"));
    EXPECT_EQ(rows.readField(QStringLiteral("日期")).toText(), QStringLiteral("2016年3月5日"));

    ExternalDatabase db;
    ASSERT_TRUE(db.open(path, kUser, kPassword));
    const RecordSet rs = db.query(QStringLiteral("select 项目, 日期 from 系统设置 where 编号=6"));
    EXPECT_EQ(db.read(rs, 1).toText(), QStringLiteral("O'Brien's 胸闷"));
    EXPECT_EQ(db.read(rs, 2).toDateTime(), QDateTime(QDate(2016, 3, 5), QTime(0, 0)));
}

TEST_F(TableRowSetTest, SetFieldAndUpdateChangeTheCurrentRowOnly) {
    ASSERT_TRUE(rows.openTable(QStringLiteral("系统设置")));
    rows.moveFirst();
    rows.moveNext();
    ASSERT_TRUE(rows.setField(QStringLiteral("项目"), QStringLiteral("偏头痛")));
    ASSERT_TRUE(rows.setField(QStringLiteral("日期"), QStringLiteral("2016-3-5 9:07")));
    EXPECT_EQ(rows.readField(QStringLiteral("项目")).toText(), QStringLiteral("偏头痛"));  // edit buffer
    ASSERT_TRUE(rows.update());
    EXPECT_EQ(rows.readField(QStringLiteral("日期")).toDateTime(), QDateTime(QDate(2016, 3, 5), QTime(9, 7)));

    rows.moveNext();
    ASSERT_TRUE(rows.setField(QStringLiteral("项目"), QStringLiteral("dropped")));
    rows.moveFirst();  // moving away drops an edit not yet stored
    EXPECT_TRUE(rows.update());
    EXPECT_EQ(items(), (QStringList{QStringLiteral("感冒"), QStringLiteral("偏头痛"), QStringLiteral("发热"),
                                    QStringLiteral("咳嗽"), QStringLiteral("城关镇")}));

    while (!rows.isEof()) rows.moveNext();
    EXPECT_FALSE(rows.setField(QStringLiteral("项目"), QStringLiteral("x")));  // no current row
    connection.close();
    EXPECT_FALSE(rows.addNew());
}

}  // namespace
