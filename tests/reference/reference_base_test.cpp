// The reference base over a handful of rows: trees level by level, searches, detail texts,
// the formula's herbs and the herb's formulae, and reading stored texts.
#include "reference_fixture.h"

#include "common/GbkText.h"
#include "reference/CategoryTree.h"
#include "reference/Decipher.h"

namespace qh::reference {
namespace {

using store::DbFile;

class ReferenceBaseTest : public test::ReferenceFixture {};

template <typename T>
QStringList names(const QList<T>& list) {
    QStringList n;
    for (const T& e : list) {
        if constexpr (std::is_same_v<T, Entry>) n << e.name;
        else n << e.text;
    }
    return n;
}

TEST_F(ReferenceBaseTest, FormulaAnalysisPrefersTheHerbOfThatNameAndSkipsHerbsTheBaseLacks) {
    addHerb("白芍", 13, "补虚药", 1303, "补血药", "养血调经", "芍药,白芍药");
    addHerb("赤芍", 2, "清热药", 204, "清热凉血药", "散瘀止痛", "山芍药");
    addHerb("芍药", 13, "补虚药", 1303, "补血药", "柔肝止痛");  // a base that also lists the name itself
    addHerb("甘草", 13, "补虚药", 1301, "补气药", "调和诸药", "炙甘草");
    addHerb("熟地黄", 13, "补虚药", 1303, "补血药", "补血滋阴", "熟地");
    const qint64 f = addFormula("试方", 3, "和解剂", 302, "调和肝脾", "芍药, 炙甘草,无此药,,熟地，山芍");
    EXPECT_EQ(base().formulaAnalysis(f).toStdString(),
              "【方名】试方\r\n【功用】功用\r\n【主治】主治\r\n【用法】用法\r\n━ ━ ━ ━ ━ ━ ━ ━ ━ ━ ━ ━ ━ "
              "\r\n【芍药】 柔肝止痛"      // the herb named 芍药, not 白芍 whose other names list it
              "\r\n【炙甘草】 调和诸药"    // by other name
              "\r\n【熟地】 补血滋阴"      // after a full-width comma
              "\r\n【山芍】 散瘀止痛");    // else the first whose other names contain it
    EXPECT_TRUE(base().formulaAnalysis(999).isEmpty());
}

TEST_F(ReferenceBaseTest, HerbFormulaeListExactNamesAndOtherNamesNotLongerNamesContainingIt) {
    const qint64 dihuang = addHerb("地黄", 13, "补虚药", 1304, "补阴药", "清热凉血", "干地黄");
    const qint64 baishao = addHerb("白芍", 13, "补虚药", 1303, "补血药", "养血调经", "芍药");
    const qint64 ai = addHerb("艾叶", 9, "止血药", 901, "温经止血药", "温经止血");
    addFormula("乙方", 6, "补益剂", 602, "补血", "熟地黄,当归");
    addFormula("甲方", 6, "补益剂", 605, "补阳", "干地黄,山药");
    addFormula("丙方", 1, "解表剂", 101, "辛温解表", "桂枝,芍药");
    addFormula("丁方", 6, "补益剂", 604, "补阴", "地黄,芍药");
    addFormula("戊方", 9, "理血剂", 901, "止血", "艾叶炭,阿胶");
    EXPECT_EQ(base().herbFormulae(dihuang).toStdString(),
              "【地黄】 引用方剂\r\n——————————————————————\r\n补益剂 ：补阳—甲方\r\n补益剂 ：补阴—丁方\r\n");
    EXPECT_TRUE(base().herbFormulae(baishao).endsWith("\r\n解表剂 ：辛温解表—丙方\r\n补益剂 ：补阴—丁方\r\n"));
    // Nothing names 艾叶 exactly: the formulae whose herbs contain it.
    EXPECT_TRUE(base().herbFormulae(ai).endsWith("——\r\n理血剂 ：止血—戊方\r\n"));
}

TEST_F(ReferenceBaseTest, TreesLoadLevelByLevelWithOnePlaceholderPerUnopenedNode) {
    addFormula("桂枝汤", 1, "解表剂", 101, "辛温解表", "桂枝");
    addFormula("麻黄汤", 1, "解表剂", 101, "辛温解表", "麻黄");
    addFormula("银翘散", 1, "解表剂", 102, "辛凉解表", "金银花");
    addFormula("理中丸", 5, "温里剂", 501, "温中祛寒", "干姜");
    CategoryTree tree(base(), Kind::Formula);
    ASSERT_EQ(tree.rowCount(), 2);
    const QModelIndex top = tree.index(0, 0);
    ASSERT_EQ(tree.rowCount(top), 1);
    EXPECT_EQ(tree.data(tree.index(0, 0, top)).toString(), "待加入");
    EXPECT_FALSE(tree.open(tree.index(0, 0, top)));  // the placeholder opens nothing
    ASSERT_TRUE(tree.open(top));
    EXPECT_FALSE(tree.open(top));  // a second opening loads nothing twice
    ASSERT_EQ(tree.rowCount(top), 2);
    const QModelIndex warm = tree.index(0, 0, top);
    EXPECT_EQ(tree.data(warm).toString(), "辛温解表");
    ASSERT_TRUE(tree.open(warm));
    const QModelIndex leaf = tree.index(0, 0, warm);
    EXPECT_EQ(tree.rowCount(warm), 2);
    EXPECT_EQ(tree.data(leaf).toString(), "桂枝汤");
    EXPECT_EQ(tree.rowCount(leaf), 0);  // an entry has no placeholder
    EXPECT_EQ(tree.entryId(leaf), 1);
    EXPECT_EQ(tree.entryId(warm), 0);
}

TEST_F(ReferenceBaseTest, HerbSubCategoriesStayWithinTheirCategoryAndASingleOneIsSkipped) {
    addHerb("苍术", 4, "化湿药", 401, "化湿药", "燥湿健脾");
    addHerb("厚朴", 4, "化湿药", 401, "化湿药", "燥湿消痰");
    addHerb("陈皮", 7, "理气药", 1, "行气药", "理气健脾");
    addHerb("沉香", 7, "理气药", 2, "降气药", "行气止痛");
    addHerb("麻黄", 1, "解表药", 1, "发散风寒药", "发汗散寒");  // sub-categories numbered within each category
    addHerb("薄荷", 1, "解表药", 2, "发散风热药", "疏散风热");
    const ReferenceBase b = base();
    const QList<TreeNode> roots = b.roots(Kind::Herb);
    ASSERT_EQ(names(roots), QStringList({"解表药", "化湿药", "理气药"}));
    const QList<TreeNode> damp = b.children(Kind::Herb, roots[1]);
    EXPECT_EQ(names(damp), QStringList({"苍术", "厚朴"}));
    EXPECT_TRUE(damp[0].isLeaf());
    const QList<TreeNode> qi = b.children(Kind::Herb, roots[2]);
    ASSERT_EQ(names(qi), QStringList({"行气药", "降气药"}));
    EXPECT_EQ(names(b.children(Kind::Herb, qi[1])), QStringList({"沉香"}));
}

TEST_F(ReferenceBaseTest, InternalMedicineAndDiseaseTreesAndSearches) {
    exec(DbFile::Reference, "insert into ZYNK (DXDM, 病名, XLDM, 分类, 证型, 症状, 治则, 方剂) values "
                            "(6, '眩晕', 601, '实证', '肝阳上亢', '眩晕耳鸣', '平肝潜阳', '天麻钩藤饮'),"
                            "(1, '感冒', 102, '虚体感冒', '气虚感冒', NULL, NULL, NULL),"
                            "(1, '感冒', 101, '实证感冒', '风寒束表', NULL, NULL, NULL)");
    exec(DbFile::Coding, "insert into JBZL (科室, SX, 诊断, 内容) values ('儿科', 5, '小儿支气管肺炎', '小儿'),"
                         "('内科', 1, '社区获得性肺炎', '【概述】肺'), ('内科', 1, '高血压', '血压')");
    const ReferenceBase b = base();
    const QList<TreeNode> diseases = b.roots(Kind::Internal);
    ASSERT_EQ(names(diseases), QStringList({"感冒", "眩晕"}));
    const QList<TreeNode> groups = b.children(Kind::Internal, diseases[0]);
    ASSERT_EQ(names(groups), QStringList({"实证感冒", "虚体感冒"}));
    const QList<TreeNode> types = b.children(Kind::Internal, groups[1]);
    ASSERT_EQ(names(types), QStringList({"气虚感冒"}));
    // Every heading shows, empty or not.
    EXPECT_EQ(b.detail(Kind::Internal, types[0].id).toStdString(),
              "【病名】感冒\r\n【分类】虚体感冒——气虚感冒\r\n【症状】\r\n【治则】\r\n【方剂】");
    EXPECT_EQ(b.detail(Kind::Internal, 1).toStdString(),
              "【病名】眩晕\r\n【分类】实证——肝阳上亢\r\n【症状】眩晕耳鸣\r\n【治则】平肝潜阳\r\n【方剂】天麻钩藤饮");

    const QList<TreeNode> departments = b.roots(Kind::Disease);
    ASSERT_EQ(names(departments), QStringList({"内科", "儿科"}));  // by SX
    const QList<TreeNode> inner = b.children(Kind::Disease, departments[0]);
    ASSERT_EQ(names(inner), QStringList({"社区获得性肺炎", "高血压"}));
    EXPECT_EQ(b.detail(Kind::Disease, inner[0].id), "【概述】肺");

    // These tables keep no initials; they are worked out from the names.
    EXPECT_EQ(names(b.search(Kind::Internal, "gysk")), QStringList({"眩晕—肝阳上亢"}));
    EXPECT_EQ(names(b.search(Kind::Disease, "FY")), QStringList({"社区获得性肺炎", "小儿支气管肺炎"}));
    EXPECT_EQ(names(b.search(Kind::Disease, "小儿")), QStringList({"小儿支气管肺炎"}));
}

TEST_F(ReferenceBaseTest, SearchesByNameAndInitials) {
    addFormula("麻黄汤", 1, "解表剂", 101, "辛温解表", "麻黄", QStringLiteral("组成"), "MHT");
    addFormula("大黄牡丹汤", 2, "泻下剂", 201, "寒下", "大黄", QStringLiteral("组成"), "DHMDT");
    addHerb("黄芩", 2, "清热药", 202, "清热燥湿药", "清热", QString(), "HQ");
    exec(DbFile::Reference, "insert into XYSM (YPMC, YPJS, YPSM) values ('阿莫西林胶囊', 'AMXLJN', '甲'),"
                            "('注射用阿莫西林钠', 'ZSYAMXLN', '乙')");
    const ReferenceBase b = base();
    EXPECT_EQ(names(b.search(Kind::Formula, "mht")), QStringList({"麻黄汤"}));
    EXPECT_EQ(names(b.search(Kind::Formula, "黄")), QStringList({"大黄牡丹汤", "麻黄汤"}));
    EXPECT_EQ(names(b.search(Kind::Herb, "hq")), QStringList({"黄芩"}));
    EXPECT_EQ(names(b.search(Kind::WesternDrug, "AMXL")), QStringList({"阿莫西林胶囊", "注射用阿莫西林钠"}));
    EXPECT_EQ(names(b.search(Kind::WesternDrug, "AMXL", InitialsMatch::AtStart)), QStringList({"阿莫西林胶囊"}));
    EXPECT_EQ(b.search(Kind::WesternDrug, "阿莫西林", InitialsMatch::AtStart).size(), 2);  // names anywhere
}

TEST_F(ReferenceBaseTest, DetailsShowEveryHeadingInOrderAndReadStoredTexts) {
    // 组成 stored as bytes, the way an older base keeps its long texts.
    const qint64 f = addFormula("四君子汤", 6, "补益剂", 601, "补气", "人参", QByteArray("人参 白术"));
    EXPECT_EQ(base().detail(Kind::Formula, f).toStdString(),
              "【方名】四君子汤\r\n【出处】《伤寒论》\r\n【分类】补益剂—补气\r\n【组成】人参 白术\r\n【用法】用法"
              "\r\n【功用】功用\r\n【主治】主治\r\n【方解】\r\n【运用】\r\n【文献】\r\n【临床报道】");
    const qint64 h = addHerb("人参", 13, "补虚药", 1301, "补气药", "大补元气");
    EXPECT_EQ(base().detail(Kind::Herb, h).toStdString(),
              "【药名】人参\r\n【出处】\r\n【科属】\r\n【性能】\r\n【功效】大补元气\r\n【应用】\r\n【用法】"
              "\r\n【使用注意】\r\n【鉴别用药】\r\n【古籍摘要】\r\n【附药】");
    exec(DbFile::Reference, "insert into XYSM (YPMC, YPSM) values ('甲药', ?)", {text::toGbk("【用法】口服")});
    EXPECT_EQ(base().detail(Kind::WesternDrug, 1), "【用法】口服");
    EXPECT_TRUE(base().detail(Kind::Formula, 999).isEmpty());
    // Bytes that are neither UTF-8 nor GBK (another program's cipher) read as nothing, not garbage.
    EXPECT_TRUE(decipherText(store::Value::binary(QByteArray("\xff\xff\x01\x80", 4))).isEmpty());
}

}  // namespace
}  // namespace qh::reference
