// Date and yes/no columns keep one stored form whatever text a statement writes.
#include <gtest/gtest.h>

#include "store_support.h"

using namespace qh::store;

namespace {

class SchemaTriggers : public qh::test::SchemaFileTest {
protected:
    // The stored value itself: an expression has no declared type, so no date conversion on reading.
    QString raw(const QString& expr, const QString& table, const QString& where = "1=1") {
        return one("select (" + expr + ") || '' from " + table + " where " + where);
    }
};

}  // namespace

TEST_F(SchemaTriggers, QuotedDateTextsAreStoredCanonically) {
    ASSERT_TRUE(db.execute("INSERT INTO 在院病人 (姓名,入院日期,状态) values ('甲','2016-3-5 9:07:02','在院'),"
                           "('乙','2016年3月5日8时30分','在院'),('丙','2016年12月1日','在院')"));
    EXPECT_EQ(raw("入院日期", "在院病人", "姓名='甲'"), "2016-03-05 09:07:02");
    EXPECT_EQ(raw("入院日期", "在院病人", "姓名='乙'"), "2016-03-05 08:30:00");
    EXPECT_EQ(raw("入院日期", "在院病人", "姓名='丙'"), "2016-12-01 00:00:00");

    // Updates too, and an empty text is no date.
    ASSERT_TRUE(db.execute("UPDATE 在院病人 SET 状态='待结',出院日期='2016-3-15 10:00:00' where 姓名='甲'"));
    EXPECT_EQ(raw("出院日期", "在院病人", "姓名='甲'"), "2016-03-15 10:00:00");
    ASSERT_TRUE(db.execute("UPDATE 在院病人 SET 出院日期='' where 姓名='甲'"));
    EXPECT_EQ(raw("count(1)", "在院病人", "出院日期 is null"), "3");

    // Date order, ranges and day counts work on the stored form (12月 after 3月).
    ASSERT_TRUE(db.execute("UPDATE 在院病人 SET 出院日期='2016年3月15日' where 姓名='乙'"));
    EXPECT_EQ(raw("count(1)", "在院病人", "入院日期 between #2016-3-5# and #2016-3-5 23:59:59#"), "2");
    EXPECT_EQ(raw("max(姓名)", "在院病人", "入院日期 > #2016-11-30#"), "丙");
    EXPECT_EQ(raw("datediff('d',入院日期,出院日期)", "在院病人", "姓名='乙'"), "10");
}

TEST_F(SchemaTriggers, TextThatIsNoDateIsRefusedAndChangesNothing) {
    EXPECT_FALSE(db.execute("INSERT INTO 在院病人 (姓名,入院日期) values ('丁','昨天')"));
    EXPECT_EQ(raw("count(1)", "在院病人"), "0");
    ASSERT_TRUE(db.execute("INSERT INTO zyb_yzxx (zyid,yzsj) values ('7',#2016-03-05 09:07:02#)"));
    EXPECT_FALSE(db.execute("UPDATE zyb_yzxx SET tzsj='not a date' where zyid='7'"));
    EXPECT_EQ(raw("count(1)", "zyb_yzxx", "tzsj is null"), "1");
}

TEST_F(SchemaTriggers, EveryDateColumnOfEveryTableHasItsTriggers) {
    // The order copy of a reorganisation writes through INSERT ... SELECT: rows are still kept canonical.
    ASSERT_TRUE(db.execute("INSERT INTO zyb_yzxx (zyid,yzsj,dysj,czsj) values ('7','2016-3-5 9:07','2016-3-5','2016-3-5 8:00')"));
    ASSERT_TRUE(db.execute("insert into zyb_yzxx (zyid, yzsj, kssj) select zyid, '2016年3月6日', yzsj from zyb_yzxx"));
    EXPECT_EQ(raw("yzsj || '|' || kssj", "zyb_yzxx", "sid=2"), "2016-03-06 00:00:00|2016-03-05 09:07:00");
    ASSERT_TRUE(db.execute("INSERT INTO BAJK (ZYBH) values ('7')"));
    ASSERT_TRUE(db.execute("UPDATE BAJK SET CSRQ=#1980-1-2#,BCRQ='2016-3-5 9:07:02' where ZYBH='7'"));
    EXPECT_EQ(raw("CSRQ", "BAJK"), "1980-01-02 00:00:00");
    ASSERT_TRUE(db.execute("INSERT INTO zyb_ypqlxx (qldh,djsj) values ('CYCF1','2016-3-5 9:07:02')"));
    EXPECT_EQ(raw("djsj", "zyb_ypqlxx"), "2016-03-05 09:07:02");
}

TEST_F(SchemaTriggers, YesNoTextsAreStoredAsOneOrZero) {
    ASSERT_TRUE(db.execute("INSERT INTO 抬头 (项目,选中) values ('姓名','√'),('科室','')"));
    EXPECT_EQ(raw("选中", "抬头", "项目='姓名'"), "1");
    EXPECT_EQ(raw("选中", "抬头", "项目='科室'"), "0");
    // The paper setting is saved as 'A' (A4) or 'B' (B5) and read as a yes/no.
    ASSERT_TRUE(db.execute("INSERT INTO 基础模板 (纸张数据) values (true)"));
    ASSERT_TRUE(db.execute("UPDATE 基础模板 SET 纸张数据='B'"));
    EXPECT_EQ(raw("纸张数据", "基础模板"), "0");
    ASSERT_TRUE(db.execute("UPDATE 基础模板 SET 纸张数据='A'"));
    EXPECT_EQ(raw("纸张数据", "基础模板"), "1");
    // User flags are written as '1' and '0'; templates selected with 选中=true.
    ASSERT_TRUE(db.execute("INSERT INTO 用户 (用户,XTGL,SXBL) values ('王','1','0')"));
    EXPECT_EQ(raw("XTGL || SXBL", "用户"), "10");
    ASSERT_TRUE(db.execute("INSERT INTO GSMB (检索,纸张,选中) values ('入院记录','A','真')"));
    EXPECT_EQ(raw("count(1)", "GSMB", "选中=true AND 纸张='a'"), "1");
}
