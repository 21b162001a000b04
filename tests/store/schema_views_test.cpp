// The views the sheets, order entry, templates, catalogue, library and statistics read.
#include <gtest/gtest.h>

#include "store_support.h"

using namespace qh::store;

namespace {

class SchemaViews : public qh::test::SchemaFileTest {
protected:
    void SetUp() override {
        SchemaFileTest::SetUp();
        ASSERT_TRUE(db.execute("INSERT INTO adm_xmlb (xmlb,xmmc) values ('XMLB001','西药费'),('XMLB003','中草药费'),"
                               "('XMLB010','卫生材料费'),('XMLB011','一次性耗材'),('XMLB005','护理费')"));
        ASSERT_TRUE(db.execute("INSERT INTO ddt_costitems (xmid,xmmc,xmsy,xmlb,ps,xmzt,tsyf,jldj) values "
                               "(1,'注射用青霉素钠','ZSYQMSN','XMLB001','1','OK',NULL,NULL),(2,'一次性输液器','YCXSYQ','XMLB010',NULL,'OK',NULL,NULL),"
                               "(3,'一次性注射器','YCXZSQ','XMLB011',NULL,'OK',NULL,NULL),(4,'一级护理','YJHL','XMLB005',NULL,'OK',NULL,NULL),"
                               "(5,'生石膏','SSG','XMLB003',NULL,'OK','先煎',0.05),(6,'会诊费','HZF','XMLB009',NULL,'Del',NULL,NULL)"))
            << db.lastError().toStdString();
    }
};

}  // namespace

TEST_F(SchemaViews, OrderSheetAndInfusionViewsTellDrugsFromMaterials) {
    ASSERT_TRUE(db.execute("INSERT INTO zyb_yzxx (zyid,xmid,xmmc,yzzt,qllb,yzfs) values ('9',1,'注射用青霉素钠','OK','请领单','静滴'),"
                           "('9',2,'一次性输液器','OK',NULL,NULL),('9',3,'一次性注射器','OK',NULL,NULL),"
                           "('9',4,'一级护理','OK','执行单',NULL)"));
    ASSERT_TRUE(db.execute("INSERT INTO zyb_yzxx (zyid,xmmc,yzlb) values ('9','重整医嘱','长期医嘱')"));
    EXPECT_EQ(one("SELECT xmmc FROM VIEW_zyb_yzd where zyid='9' and (xmlb='XMLB001' or xmlb='XMLB002')"), "注射用青霉素钠");
    EXPECT_EQ(one("SELECT ps FROM VIEW_zyb_yzd where xmid=1"), "1");
    // The sheets' filter keeps the drug, the nursing item and the marker row, and drops
    // both materials, the consumable included.
    EXPECT_EQ(one("SELECT count(1) FROM VIEW_zyb_yzd where zyid='9' and (xmlb not like'%材料%' OR xmlb IS NULL)"), "3");
    EXPECT_EQ(one("SELECT xmlb FROM VIEW_zyb_yzd where xmid=2"), "卫生材料费");
    EXPECT_EQ(one("SELECT count(1) from view_syk where zyid='9'"), "1");  // infusion cards see the drug line only
}

TEST_F(SchemaViews, OrderEntryAndCatalogueViewsCarryCategoryNames) {
    EXPECT_EQ(one("SELECT lbmc FROM view_yzky where xmid=1"), "西药费");
    // Disabled items cannot be ordered but stay in the catalogue.
    EXPECT_EQ(one("SELECT count(1) FROM view_yzky where xmid=6"), "0");
    EXPECT_EQ(one("SELECT count(1) FROM view_ypzd where xmid=6"), "1");
    // An item whose category is not listed is still found by the fee-item search.
    EXPECT_EQ(one("SELECT xmmc FROM view_ypzd WHERE mc not LIKE '%材料%' and   mc not  LIKE '%耗料%'  and "
                  "(xmlb<>'XMLB001'and xmlb<>'XMLB002' and xmlb<>'XMLB003')  AND (xmsy like '%HZ%') order by xmmc"),
              "会诊费");
    EXPECT_EQ(one("SELECT count(1) FROM view_ypzd WHERE (mc LIKE '%材料%' OR   mc LIKE '%耗料%')"), "1");
}

TEST_F(SchemaViews, TemplateLinesComeWithTheirItemsInOrder) {
    ASSERT_TRUE(db.execute("INSERT INTO 模板序号 (mbmc,mblb,ysid,ksbh) values ('白虎汤','ZY-CYCF','王','中医科')"));
    ASSERT_TRUE(db.execute("INSERT INTO 医嘱模板 (sid,xmid,kjsl,yzdw,yzjl,zyfs) values (1,5,'30','g','30','3'),(1,4,'1','次','1','3')"));
    const RecordSet rs = db.query("select * from view_mbky where sid=1  order by ID");
    EXPECT_EQ(db.read(rs, "xmmc").toText(), "生石膏");
    EXPECT_EQ(db.read(rs, "tsyf").toText(), "先煎");
    EXPECT_DOUBLE_EQ(db.read(rs, "jldj").toDouble(), 0.05);
    db.moveNext(rs);
    EXPECT_EQ(db.read(rs, "lbmc").toText(), "护理费");
    EXPECT_EQ(db.read(rs, "ID").toInt(), 2);
    db.closeRecordSet(rs);
}

TEST_F(SchemaViews, RelatedRecordsOpenFromTheTableTheirStatusNames) {
    ASSERT_TRUE(db.execute("INSERT INTO 在院病人 (住院编号,住院号,姓名,状态,主管医生,诊断) values ('1','A1','甲','在院','王','急性阑尾炎'),"
                           "('2','A2','乙','待结','王','慢性阑尾炎'),('3','A3','丙','出院','王','慢性阑尾炎')"));
    for (int i = 1; i <= 3; ++i)
        ASSERT_TRUE(db.execute(QString("INSERT INTO 在院病历 (检索,病历,顺序,标题,数据) values ('%1','入院记录',1,'入院记录',?)").arg(i),
                               QByteArray("doc") + QByteArray::number(i)));
    const RecordSet rs = db.query("select * from 相关病历 where 主管医生='王' and 诊断 like '%性阑尾炎%' and 病历='入院记录'order by 状态 DESC,编号 DESC");
    QStringList seen;
    for (db.moveFirst(rs); !db.isEof(rs); db.moveNext(rs))
        seen << db.read(rs, "状态").toText() + db.read(rs, "编号").toText();
    db.closeRecordSet(rs);
    seen.sort();
    EXPECT_EQ(seen, QStringList({"出院3", "在院1", "待结2"}));
    // 状态 + "病历" names where each one is opened.
    EXPECT_EQ(one("select 数据 from 待结病历 where 编号=2"), "doc2");
    EXPECT_EQ(one("select 数据 from 出院病历 where 编号=3"), "doc3");
    EXPECT_EQ(one("select count(1) from 出院病历 where 编号=2"), "0");
}

TEST_F(SchemaViews, StatisticsQueriesSeeBedsAndWardPatients) {
    ASSERT_TRUE(db.execute("INSERT INTO 科室 (科室,床位,默认) values ('内科',40,'√')"));
    ASSERT_TRUE(db.execute("INSERT INTO 在院病人 (科室,状态,性别,入院日期,出院日期,费用) values ('内科','出院','男','2016-3-1','2016-3-11',1000),"
                           "('内科','在院','女','2016-3-2',NULL,NULL),('外科','出院',NULL,'2016-3-1','2016-3-3',NULL)"));
    const RecordSet rs = db.query("SELECT 科室,床位,sum(datediff('d',入院日期,出院日期)) as TS FROM 床位查询 where 出院日期 "
                                  "between #2016-3-1# and #2016-3-31# and 状态= '出院' GROUP BY 科室,床位 order by 床位");
    // A department missing from 科室 has no beds (the report asks for them to be kept).
    EXPECT_EQ(db.read(rs, "科室").toText() + db.read(rs, "床位").toText() + "/" + db.read(rs, "TS").toText(), "外科0/2");
    db.moveNext(rs);
    EXPECT_EQ(db.read(rs, "科室").toText() + db.read(rs, "床位").toText() + "/" + db.read(rs, "TS").toText(), "内科40/10");
    db.closeRecordSet(rs);
    EXPECT_EQ(one("SELECT count(科室) AS SL  FROM 科室查询 GROUP BY 科室 order by 科室"), "1");
    EXPECT_EQ(one("SELECT SUM(IIf( 性别= '男' ,费用 ,0 )) FROM 结构查询"), "1000");
}
