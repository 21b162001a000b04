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

QStringList names(const QList<Entry>& list) {
    QStringList n;
    for (const Entry& e : list) n << e.name;
    return n;
}

QStringList texts(const QList<TreeNode>& list) {
    QStringList n;
    for (const TreeNode& e : list) n << e.text;
    return n;
}

TEST_F(ReferenceBaseTest, FormulaAnalysisPrefersTheHerbOfThatNameAndSkipsHerbsTheBaseLacks) {
    addHerb("白芍", 13, "补虚药", 1303, "补血药", "养血调经", "芍药,白芍药");
    addHerb("赤芍", 2, "清热药", 204, "清热凉血药", "散瘀止痛", "山芍药");
    addHerb("芍药", 13, "补虚药", 1303, "补血药", "柔肝止痛");  // a base that also lists the name itself
    addHerb("甘草", 13, "补虚药", 1301, "补气药", "调和诸药", "炙甘草");
    addHerb("熟地黄", 13, "补虚药", 1303, "补血药", "补血滋阴", "熟地");
    const qint64 f = addFormula("试方", 3, "和解剂", 302, "调和肝脾", "芍药, 炙甘草,无此药,,熟地，山芍");

    const QString text = base().formulaAnalysis(f);
    EXPECT_EQ(text.toStdString(),
              "【方名】试方\r\n【功用】功用\r\n【主治】主治\r\n【用法】用法\r\n━ ━ ━ ━ ━ ━ ━ ━ ━ ━ ━ ━ ━ "
              "\r\n【芍药】 柔肝止痛"      // the herb named 芍药, not 白芍 whose other names list it
              "\r\n【炙甘草】 调和诸药"    // by other name
              "\r\n【熟地】 补血滋阴"      // after a full-width comma
              "\r\n【山芍】 散瘀止痛");    // no herb of that name or other name: the first whose other names contain it
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
              "【地黄】 引用方剂\r\n——————————————————————\r\n"
              "补益剂 ：补阳—甲方\r\n补益剂 ：补阴—丁方\r\n");
    EXPECT_EQ(base().herbFormulae(baishao).toStdString(),
              "【白芍】 引用方剂\r\n——————————————————————\r\n"
              "解表剂 ：辛温解表—丙方\r\n补益剂 ：补阴—丁方\r\n");
    // Nothing names 艾叶 exactly: the formulae whose herbs contain it.
    EXPECT_TRUE(base().herbFormulae(ai).endsWith("理血剂 ：止血—戊方\r\n"));
}

TEST_F(ReferenceBaseTest, TreesLoadLevelByLevelWithOnePlaceholderPerUnopenedNode) {
    addFormula("桂枝汤", 1, "解表剂", 101, "辛温解表", "桂枝");
    addFormula("麻黄汤", 1, "解表剂", 101, "辛温解表", "麻黄");
    addFormula("银翘散", 1, "解表剂", 102, "辛凉解表", "金银花");
    addFormula("理中丸", 5, "温里剂", 501, "温中祛寒", "干姜");

    CategoryTree tree(base(), Kind::Formula);
    ASSERT_EQ(tree.rowCount(), 2);
    const QModelIndex top = tree.index(0, 0);
    EXPECT_EQ(tree.data(top).toString(), "解表剂");
    ASSERT_EQ(tree.rowCount(top), 1);
    EXPECT_EQ(tree.data(tree.index(0, 0, top)).toString(), CategoryTree::placeholderText());
    EXPECT_EQ(CategoryTree::placeholderText(), "待加入");
    EXPECT_FALSE(tree.open(tree.index(0, 0, top)));  // the placeholder opens nothing

    ASSERT_TRUE(tree.open(top));
    EXPECT_FALSE(tree.open(top));  // a second opening loads nothing twice
    ASSERT_EQ(tree.rowCount(top), 2);
    const QModelIndex warm = tree.index(0, 0, top);
    EXPECT_EQ(tree.data(warm).toString(), "辛温解表");
    EXPECT_EQ(tree.data(tree.index(1, 0, top)).toString(), "辛凉解表");
    EXPECT_EQ(tree.entryId(warm), 0);
    ASSERT_TRUE(tree.open(warm));
    ASSERT_EQ(tree.rowCount(warm), 2);
    const QModelIndex leaf = tree.index(0, 0, warm);
    EXPECT_EQ(tree.data(leaf).toString(), "桂枝汤");
    EXPECT_EQ(tree.rowCount(leaf), 0);  // an entry has no placeholder
    EXPECT_EQ(tree.entryId(leaf), 1);
    EXPECT_FALSE(tree.open(leaf));

    tree.reload();  // everything closed again
    EXPECT_EQ(tree.rowCount(tree.index(0, 0)), 1);
}

TEST_F(ReferenceBaseTest, HerbCategoryWithOneSubCategoryListsItsHerbsDirectly) {
    addHerb("苍术", 4, "化湿药", 401, "化湿药", "燥湿健脾");
    addHerb("厚朴", 4, "化湿药", 401, "化湿药", "燥湿消痰");
    addHerb("陈皮", 7, "理气药", 1, "行气药", "理气健脾");
    addHerb("沉香", 7, "理气药", 2, "降气药", "行气止痛");
    addHerb("麻黄", 1, "解表药", 1, "发散风寒药", "发汗散寒");  // sub-categories numbered within each category
    addHerb("薄荷", 1, "解表药", 2, "发散风热药", "疏散风热");
    const ReferenceBase b = base();
    const QList<TreeNode> roots = b.roots(Kind::Herb);
    ASSERT_EQ(texts(roots), QStringList({"解表药", "化湿药", "理气药"}));
    const QList<TreeNode> damp = b.children(Kind::Herb, roots[1]);
    EXPECT_EQ(texts(damp), QStringList({"苍术", "厚朴"}));  // by pinyin
    EXPECT_TRUE(damp[0].isLeaf());
    const QList<TreeNode> qi = b.children(Kind::Herb, roots[2]);
    ASSERT_EQ(texts(qi), QStringList({"行气药", "降气药"}));
    EXPECT_EQ(texts(b.children(Kind::Herb, qi[1])), QStringList({"沉香"}));
}

TEST_F(ReferenceBaseTest, InternalMedicineAndDiseaseTrees) {
    exec(DbFile::Reference, "insert into ZYNK (DXDM, 病名, XLDM, 分类, 证型, 症状, 治则, 方剂) values "
                            "(2, '咳嗽', 202, '内伤咳嗽', '痰湿蕴肺', '痰多', '燥湿化痰', '二陈汤'),"
                            "(2, '咳嗽', 201, '外感咳嗽', '风寒袭肺', '咳声重', '疏风散寒', '三拗汤'),"
                            "(1, '感冒', 101, '实证感冒', '风寒束表', NULL, NULL, NULL)");
    exec(DbFile::Coding, "insert into JBZL (科室, SX, 诊断, 内容) values ('外科', 2, '急性阑尾炎', '阑尾'),"
                         "('内科', 1, '肺炎', '【概述】肺'), ('内科', 1, '高血压', '血压')");
    const ReferenceBase b = base();
    const QList<TreeNode> diseases = b.roots(Kind::Internal);
    ASSERT_EQ(texts(diseases), QStringList({"感冒", "咳嗽"}));
    const QList<TreeNode> groups = b.children(Kind::Internal, diseases[1]);
    ASSERT_EQ(texts(groups), QStringList({"外感咳嗽", "内伤咳嗽"}));
    const QList<TreeNode> types = b.children(Kind::Internal, groups[1]);
    ASSERT_EQ(texts(types), QStringList({"痰湿蕴肺"}));
    EXPECT_EQ(b.detail(Kind::Internal, types[0].id).toStdString(),
              "【病名】咳嗽\r\n【分类】内伤咳嗽——痰湿蕴肺\r\n【症状】痰多\r\n【治则】燥湿化痰\r\n【方剂】二陈汤");
    // Every heading shows, empty or not.
    EXPECT_EQ(b.detail(Kind::Internal, 3).toStdString(),
              "【病名】感冒\r\n【分类】实证感冒——风寒束表\r\n【症状】\r\n【治则】\r\n【方剂】");

    const QList<TreeNode> departments = b.roots(Kind::Disease);
    ASSERT_EQ(texts(departments), QStringList({"内科", "外科"}));
    const QList<TreeNode> inner = b.children(Kind::Disease, departments[0]);
    ASSERT_EQ(texts(inner), QStringList({"肺炎", "高血压"}));
    EXPECT_EQ(b.detail(Kind::Disease, inner[0].id), "【概述】肺");
    EXPECT_TRUE(b.detail(Kind::Disease, 99).isEmpty());
}

TEST_F(ReferenceBaseTest, SearchesByNameAndInitials) {
    addFormula("麻黄汤", 1, "解表剂", 101, "辛温解表", "麻黄", QStringLiteral("组成"), "MHT");
    addFormula("大黄牡丹汤", 2, "泻下剂", 201, "寒下", "大黄", QStringLiteral("组成"), "DHMDT");
    addHerb("黄芪", 13, "补虚药", 1301, "补气药", "补气", QString(), "HQ");
    addHerb("黄芩", 2, "清热药", 202, "清热燥湿药", "清热", QString(), "HQ");
    exec(DbFile::Reference, "insert into XYSM (YPMC, YPJS, YPSM) values ('阿莫西林胶囊', 'AMXLJN', '甲'),"
                            "('注射用阿莫西林钠', 'ZSYAMXLN', '乙'), ('0.9%氯化钠注射液', '09LHNZSY', '丙')");
    exec(DbFile::Reference, "insert into ZYNK (DXDM, 病名, XLDM, 分类, 证型) values (1, '感冒', 101, '实证', '风寒束表'),"
                            "(6, '眩晕', 601, '实证', '肝阳上亢')");
    exec(DbFile::Coding, "insert into JBZL (科室, SX, 诊断) values ('内科', 1, '社区获得性肺炎'), ('儿科', 5, '小儿支气管肺炎')");
    const ReferenceBase b = base();

    EXPECT_EQ(names(b.search(Kind::Formula, "mht")), QStringList({"麻黄汤"}));
    EXPECT_EQ(names(b.search(Kind::Formula, "黄")), QStringList({"大黄牡丹汤", "麻黄汤"}));
    QStringList hq = names(b.search(Kind::Herb, "HQ"));
    hq.sort();
    EXPECT_EQ(hq, QStringList({"黄芩", "黄芪"}));
    EXPECT_EQ(names(b.search(Kind::Herb, "芩")), QStringList({"黄芩"}));
    EXPECT_EQ(b.search(Kind::Herb, "").size(), 2);  // an empty text lists every entry

    EXPECT_EQ(names(b.search(Kind::WesternDrug, "AMXL")), QStringList({"阿莫西林胶囊", "注射用阿莫西林钠"}));
    EXPECT_EQ(names(b.search(Kind::WesternDrug, "AMXL", InitialsMatch::AtStart)), QStringList({"阿莫西林胶囊"}));
    EXPECT_EQ(names(b.search(Kind::WesternDrug, "阿莫西林", InitialsMatch::AtStart)).size(), 2);  // names anywhere
    EXPECT_EQ(names(b.search(Kind::WesternDrug, "0.9%")), QStringList({"0.9%氯化钠注射液"}));

    // These tables keep no initials; they are worked out from the names.
    EXPECT_EQ(names(b.search(Kind::Internal, "gysk")), QStringList({"眩晕—肝阳上亢"}));
    EXPECT_EQ(names(b.search(Kind::Internal, "感冒")), QStringList({"感冒—风寒束表"}));
    EXPECT_EQ(names(b.search(Kind::Disease, "FY")), QStringList({"社区获得性肺炎", "小儿支气管肺炎"}));
    EXPECT_EQ(names(b.search(Kind::Disease, "小儿")), QStringList({"小儿支气管肺炎"}));
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
}

TEST(Decipher, PlainTextUnchangedBytesDecodedUnknownBytesEmpty) {
    EXPECT_EQ(decipherText(store::Value::text("【功效】补气")), "【功效】补气");
    EXPECT_EQ(decipherText(store::Value::binary(QByteArray("补气"))), "补气");
    EXPECT_EQ(decipherText(store::Value::binary(text::toGbk("补气"))), "补气");
    EXPECT_TRUE(decipherText(store::Value::binary(QByteArray("\xff\xff\x01\x80", 4))).isEmpty());
    EXPECT_TRUE(decipherText(store::Value()).isEmpty());
}

}  // namespace
}  // namespace qh::reference
