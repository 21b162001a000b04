// The tables, columns and views the ward's statements use, each in the file that holds it.
#include <gtest/gtest.h>

#include <QMap>

#include "store_support.h"

using namespace qh::store;
using qh::test::openSchemaFile;
using qh::test::TempDir;

namespace {

struct Relation {
    DbFile file;
    QString name;
    QString columns;  // blank-separated; "name:TYPE" where the declared type matters
};

const QList<Relation> kContract = {
    {DbFile::Main, "在院病人", "编号 住院编号 住院号 姓名 姓名检索 性别 年龄 出生日期:TEXT 住址 诊断 主诉 床号 科室 病室 主管医生 "
                              "医疗证号 职业 联系电话 身份证号 联系人 患者关系 体温 脉搏 呼吸 血压 入院日期:DATETIME 日期部分:DATETIME 月部分 "
                              "状态 出院日期:DATETIME 费用:REAL 通知 通知时间 是否已读"},
    {DbFile::Main, "ZYID", "sid zybh"},
    {DbFile::Main, "用户", "编号 用户 密码 级别 科室 XTGL:BOOLEAN SXBL XGBL CYBL HZTW YZCF YZWH TJCX:BOOLEAN"},
    {DbFile::Main, "科室", "编号 科室 床位:INTEGER 默认"},
    {DbFile::Main, "备份", "医院名称 IP地址 备份地址 精灵狗:INTEGER"},
    {DbFile::Main, "xmzdb", "参数名称 参数值 备注 说明 数量"},
    {DbFile::Main, "GSMB", "编号 检索 标题 病历标题 名称 纸张 备注 顺序 选中:BOOLEAN 添加 页眉 删除 数据"},
    {DbFile::Main, "基础模板", "A4数据:BLOB B5数据 纸张数据:BOOLEAN"},
    {DbFile::Main, "抬头", "编号 项目 选中"},
    {DbFile::Main, "在院病历", "编号 检索 病历 标题 病历次数 顺序 数据:BLOB"},
    {DbFile::Main, "疾病模板", "编号 名称1 JSM 名称2 加密 所有者 内容"},
    {DbFile::Main, "示例病历", "编号 名称1 JSM 名称2 加密 所有者 内容"},
    {DbFile::Main, "SXZS", "编号 模块主表 模块名称 加密 所属 内容 属性"},
    {DbFile::Main, "外科手术记录", "编号 诊断 加密 所有者 科室 内容"},
    {DbFile::Main, "相关病历", "编号 住院号 姓名 状态 主管医生 诊断 病历"},
    {DbFile::Main, "待结病历", "编号 检索 病历 标题 数据"},
    {DbFile::Main, "出院病历", "编号 检索 病历 标题 数据"},
    {DbFile::Main, "zyb_yzxx", "sid zyid yzid yzsj:DATETIME kssj xmid xmmc xmgg xmdw xmsx yzsx xmsl:REAL yzjl yzfs yzpd yzyf qllb ysxm1 "
                               "hsxm1 tzsj:DATETIME ysxm2 hsxm2 hsxm3 hldy ksbh cwbh yzlb sjyz yzzt yyjs zmjs zxjs srcs sysx qrlb "
                               "zmsl group_from group_till group_sort locked hlks dysj:DATETIME lrsx czsj ybsx doctor ypcz"},
    {DbFile::Main, "zyb_yzxx_cy", "zyid sid yzlb sjyz yzsj xmsl yzfs ysxm1 hsxm1 yzid xmmc xmdw"},
    {DbFile::Main, "adm_sid", "sid code"},
    {DbFile::Main, "模板序号", "sid mbmc mblb ysid ksbh 加密"},
    {DbFile::Main, "医嘱模板", "ID sid xmid kjsl yzdw yzjl yyfs yzpc czdm mbsl sldw jldw zyfs"},
    {DbFile::Main, "zyb_ypqlxx", "qldh zyid yzid xmsl xmdj xmdw hldy ksbh Fyzt yzlb xmzt qlyf djsj czry"},
    {DbFile::Main, "VIEW_zyb_yzd", "sid zyid yzid yzsj xmid xmmc xmgg xmdw xmsl yzjl yzfs yzyf qllb ysxm1 hsxm1 tzsj ysxm2 "
                                   "hsxm2 yzlb sjyz yzzt dysj lrsx ybsx ypcz xmlb ps"},
    {DbFile::Main, "view_syk", "zyid sid yzzt yzlb yzsj tzsj yzfs xmmc yzjl ypcz yzyf"},
    {DbFile::Main, "view_yzky", "xmid xmmc xmsy xmgg xmdw xmdj jldw jldj sysl ypjx xmlb yzjl yzdw lbmc xmlx"},
    {DbFile::Main, "view_mbky", "ID sid czdm xmid xmmc xmgg kjsl yzdw yzjl jldw yyfs yzpc lbmc ypjx xmlb mbsl sldw tsyf jldj"},
    {DbFile::Main, "体温单", "编号 检索 时刻检索 日期 时刻 住院日数 手术日数 体温类型 体温1 体温2 脉搏 心率 呼吸 记录者 排序1 "
                            "排序2 排序3 排序4 事项1 事项时间1 事项2 事项时间2 血压 总入量 大便次数 小便次数 总出量 体重 "
                            "药物过敏 舌质 扩展2 舌苔 腹围 扩展名称1 扩展1 脉象 基础代谢率"},
    {DbFile::Main, "BAJK", "ZYBH YLFFFS JKKH ZYCS BAH XM XB CSRQ NL GJ NLY TZ RYTZ CSSF JGSF MZ SFZH ZY HYDM XZDZ XZDH "
                           "XZYB HKDZ HKYB GZDW DWDH DWYB LXRXM LXRGX LXRDZ LXRDH TJBM RYRQ RYKS RYBF ZKKB CYRQ:DATETIME CYKS "
                           "CYBF ZYTS MZZD MZBM CYZD1 CYZD5 CYBM1 CYBM5 CYBQ1 CYBQ5 WBYY WBBM BLZD BLH BLBM YWGM GMYW "
                           "SWSJ XX RH KZRQM FZRQM ZZQM ZYQM HSQM JXQM SXQM BMYQM BAZL ZKQM ZKHS ZKRQ SSCZBM1 SSRQ1:TEXT "
                           "SSJB1 SSMC1 SZ1 YZ1 EZ1 QKDJ1 MZFS1 MZYS1 SSCZBM4 SSRQ4 MZYS4 LYFS JSYY SQYY ZZJH ZZMD LNQT "
                           "LNQXS LNQFZ LNHT LNHXS LNHFZ ZFY:REAL ZFFY SSF MZFY KFFY XYFY ZCYFY CYFY XZPFY ZLCLFY BCRQ MZZY "
                           "MZZYBM XSRPF BLFX ZLLB ZYSB ZYJS ZYHL ZYZJ LCLJ LJGL DRGS BZSH DBZ KSS XJPY CRB SSJH JHT "
                           "JHXS ZYZD1 ZYZD4 ZYZX1 ZYZX4 ZYBM1 ZYBM4 ZHBM1 ZHBM4 ZYBQ1 ZYBQ4"},
    {DbFile::Main, "ddt_costitems", "xmid xmmc xmsy xmlx xmlb it_code xmdw xmdj:REAL jldw jldj yblb czsj:TEXT xmzt xmgg pfdj clbl "
                                    "plbl ypjx xmsx dm gz cf zz ps yzjl yzdw"},
    {DbFile::Main, "view_ypzd", "xmid xmmc xmsy xmlx xmlb it_code xmdw xmdj jldw jldj yblb xmzt xmgg ypjx xmsx ps yzjl yzdw mc"},
    {DbFile::Main, "adm_xmlb", "xmlb xmmc"},
    {DbFile::Main, "YWBM", "BMMC SSBM"},
    {DbFile::Main, "床位查询", "科室 床位 状态 入院日期 出院日期"},
    {DbFile::Main, "科室查询", "科室"},
    {DbFile::Main, "结构查询", "科室 性别 日期部分 费用"},
    {DbFile::Reference, "FJX", "ID 名称 MCJS 出处 DXDM FJDL XLDM FJXL FJZC 组成 用法 功用 主治 方解 运用 文献摘要 临床报道"},
    {DbFile::Reference, "ZYX", "ID 名称 YPJS FY DLDM ZYDL XLDM ZYXL 出处 科属 性能 功效 应用 用法 使用注意 鉴别用药 古籍摘要 附药"},
    {DbFile::Reference, "ZYNK", "ID DXDM 病名 XLDM 分类 证型 症状 治则 方剂"},
    {DbFile::Reference, "XYSM", "ID YPMC YPJS YPSM"},
    {DbFile::Coding, "系统设置", "项目 备注"},
    {DbFile::Coding, "ICD10", "JSM ICDMC BM"},
    {DbFile::Coding, "ICD_10", "JSM ICDMC BM BZ"},
    {DbFile::Coding, "ICD_SS", "JSM SSMC BM"},
    {DbFile::Coding, "ICD_WS", "JSM ICDMC BM"},
    {DbFile::Coding, "ICD_BL", "JSM ICDMC BM"},
    {DbFile::Coding, "JBZL", "编号 科室 SX 诊断 内容"},
};

// Declared type by column name (lower-cased), read the way any caller would.
QMap<QString, QString> declaredColumns(ExternalDatabase& db, const QString& relation) {
    QMap<QString, QString> columns;
    const RecordSet rs = db.query("PRAGMA table_info(\"" + relation + "\")");
    for (db.moveFirst(rs); !db.isEof(rs); db.moveNext(rs))
        columns.insert(db.read(rs, "name").toText().toLower(), db.read(rs, "type").toText());
    db.closeRecordSet(rs);
    return columns;
}

}  // namespace

TEST(SchemaContract, EveryNamedTableViewAndColumnIsInItsFileWithItsType) {
    TempDir dir;
    for (DbFile f : allDbFiles()) {
        ExternalDatabase db;
        openSchemaFile(db, dir, f);
        for (const Relation& r : kContract) {
            if (r.file != f) continue;
            const auto columns = declaredColumns(db, r.name);
            ASSERT_FALSE(columns.isEmpty()) << fileName(f).toStdString() << " lacks " << r.name.toStdString();
            for (const QString& c : r.columns.split(' ', Qt::SkipEmptyParts)) {
                const QString name = c.section(':', 0, 0).toLower(), type = c.section(':', 1);
                EXPECT_TRUE(columns.contains(name)) << r.name.toStdString() << " lacks " << c.toStdString();
                if (!type.isEmpty()) EXPECT_EQ(columns.value(name), type) << r.name.toStdString() << '.' << c.toStdString();
            }
            // Every statement may read it, whatever the case of its name.
            db.closeRecordSet(db.query("select count(1) from " + r.name.toLower()));
            EXPECT_TRUE(db.lastError().isEmpty()) << r.name.toStdString() << ": " << db.lastError().toStdString();
        }
    }
}

TEST(SchemaContract, GeneratedKeysIncreaseAndAreNeverReused) {
    TempDir dir;
    ExternalDatabase db;
    openSchemaFile(db, dir, DbFile::Main);
    ASSERT_TRUE(db.execute("INSERT INTO ZYID (zybh) values ('zybh')"));
    ASSERT_TRUE(db.execute("INSERT INTO ZYID (zybh) values ('zybh')"));
    ASSERT_TRUE(db.execute("delete from ZYID where sid=2"));
    ASSERT_TRUE(db.execute("INSERT INTO ZYID (zybh) values ('zybh')"));
    // A serial number once handed out never comes back, even after its row is gone.
    EXPECT_EQ(qh::test::scalar(db, "SELECT *  FROM ZYID order by sid desc"), "3");
}
