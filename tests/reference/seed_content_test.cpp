// The reference base a new installation gets: every tree opens to entries, every entry has
// its text, and the formula analysis finds every herb a formula names.
#include "reference_fixture.h"

#include <QRegularExpression>

#include "store/Connection.h"

namespace qh::reference {
namespace {

class SeedContentTest : public test::ReferenceFixture {
protected:
    void SetUp() override { makeWard(true); }

    // Every entry under the node, opening every level; depth is the deepest level met.
    void collect(Kind kind, const TreeNode& node, int level, QList<TreeNode>& leaves, int& depth) {
        depth = qMax(depth, level);
        if (node.isLeaf()) {
            leaves << node;
            return;
        }
        const QList<TreeNode> children = base().children(kind, node);
        EXPECT_FALSE(children.isEmpty()) << node.text.toStdString();
        for (const TreeNode& c : children) collect(kind, c, level + 1, leaves, depth);
    }
    QList<TreeNode> allEntries(Kind kind, int* depth = nullptr) {
        QList<TreeNode> leaves;
        int deepest = 0;
        for (const TreeNode& root : base().roots(kind)) collect(kind, root, 1, leaves, deepest);
        if (depth) *depth = deepest;
        return leaves;
    }
    // The headings of a detail text with their values.
    static QList<QPair<QString, QString>> headings(const QString& text) {
        QList<QPair<QString, QString>> list;
        static const QRegularExpression heading(QStringLiteral("^【([^】]+)】(.*)$"));
        for (const QString& line : text.split(QStringLiteral("\r\n"))) {
            const auto m = heading.match(line);
            if (m.hasMatch()) list.append({m.captured(1), m.captured(2)});
        }
        return list;
    }
};

TEST_F(SeedContentTest, EveryTreeHasAtLeastTwoLevelsAndEveryEntryItsText) {
    for (Kind kind : {Kind::Formula, Kind::Herb, Kind::Internal, Kind::Disease}) {
        int depth = 0;
        const QList<TreeNode> entries = allEntries(kind, &depth);
        EXPECT_GE(depth, 2) << kindCaption(kind).toStdString();
        EXPECT_EQ(entries.size(), base().search(kind, QString()).size()) << kindCaption(kind).toStdString();
        for (const TreeNode& e : entries)
            EXPECT_FALSE(base().detail(kind, e.id).isEmpty()) << e.text.toStdString();
    }
    const QList<TreeNode> drugs = base().roots(Kind::WesternDrug);
    EXPECT_GE(drugs.size(), 30);
    for (const TreeNode& d : drugs) EXPECT_TRUE(base().detail(Kind::WesternDrug, d.id).startsWith("【")) << d.text.toStdString();
    // 五官科 is among the departments.
    QStringList departments;
    for (const TreeNode& n : base().roots(Kind::Disease)) departments << n.text;
    EXPECT_TRUE(departments.contains("五官科"));
}

TEST_F(SeedContentTest, FormulaeFillEveryHeadingAndTheAnalysisFindsEveryHerb) {
    const QList<TreeNode> formulae = allEntries(Kind::Formula);
    ASSERT_GE(formulae.size(), 39);
    store::Connection db = store::Connection::open(files(), store::DbFile::Reference);
    const QStringList order = {"方名", "出处", "分类", "组成", "用法", "功用", "主治", "方解", "运用", "文献", "临床报道"};
    for (const TreeNode& f : formulae) {
        const auto shown = headings(base().detail(Kind::Formula, f.id));
        QStringList names;
        for (const auto& [heading, value] : shown) {
            names << heading;
            EXPECT_FALSE(value.isEmpty()) << f.text.toStdString() << " " << heading.toStdString();
        }
        EXPECT_EQ(names, order) << f.text.toStdString();

        const QString fjzc = db.query("select FJZC from FJX where ID=?", {f.id}).first().text("FJZC");
        const QStringList herbs = ReferenceBase::formulaHerbs(fjzc);
        const auto lines = headings(base().formulaAnalysis(f.id).section("━ ━", 1));
        ASSERT_EQ(lines.size(), herbs.size()) << f.text.toStdString();
        for (int i = 0; i < herbs.size(); ++i) {
            EXPECT_EQ(lines[i].first, herbs[i]);
            EXPECT_FALSE(lines[i].second.trimmed().isEmpty()) << herbs[i].toStdString();
        }
    }
}

TEST_F(SeedContentTest, HerbsAndSyndromesFillTheirHeadings) {
    const QList<TreeNode> herbs = allEntries(Kind::Herb);
    ASSERT_GE(herbs.size(), 98);
    // 使用注意, 鉴别用药, 古籍摘要 and 附药 stay empty where the books give nothing for the herb.
    const QStringList always = {"药名", "出处", "科属", "性能", "功效", "应用", "用法"};
    int compared = 0;
    for (const TreeNode& h : herbs) {
        for (const auto& [heading, value] : headings(base().detail(Kind::Herb, h.id)))
            if (always.contains(heading)) EXPECT_FALSE(value.isEmpty()) << h.text.toStdString() << " " << heading.toStdString();
            else if (heading == "鉴别用药" && !value.isEmpty()) ++compared;
        EXPECT_TRUE(base().herbFormulae(h.id).startsWith("【" + h.text + "】 引用方剂"));
    }
    EXPECT_GE(compared, herbs.size() - 1);
    for (const QString name : {"竹叶", "淡豆豉", "芦根", "粳米", "水牛角", "木通", "莲子", "白扁豆", "桑寄生", "首乌藤",
                               "茯神", "乌梅", "胆南星"})
        EXPECT_EQ(base().search(Kind::Herb, name).value(0).name, name);

    for (const TreeNode& t : allEntries(Kind::Internal))
        for (const auto& [heading, value] : headings(base().detail(Kind::Internal, t.id)))
            EXPECT_FALSE(value.isEmpty()) << t.text.toStdString() << " " << heading.toStdString();
}

}  // namespace
}  // namespace qh::reference
