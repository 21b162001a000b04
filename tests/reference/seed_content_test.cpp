// The reference base a new installation gets: every tree opens to entries, every entry shows
// its headings with content, and the formula analysis finds every herb a formula names.
#include "reference_fixture.h"

#include <QRegularExpression>

namespace qh::reference {
namespace {

class SeedContentTest : public test::ReferenceFixture {
protected:
    void SetUp() override { makeWard(true); }

    // Every entry under the nodes, opening every level; depth is the deepest level met.
    void collect(Kind kind, const QList<TreeNode>& nodes, int level, QList<TreeNode>& leaves, int& depth) {
        for (const TreeNode& n : nodes) {
            depth = qMax(depth, level);
            if (n.isLeaf()) leaves << n;
            else collect(kind, base().children(kind, n), level + 1, leaves, depth);
        }
    }
    // The headings of a text whose value is empty, and all headings in order.
    static QStringList headings(const QString& text, QStringList* empty = nullptr) {
        QStringList all;
        static const QRegularExpression heading(QStringLiteral("^【([^】]+)】(.*)$"));
        for (const QString& line : text.split(QRegularExpression(QStringLiteral("\r?\n")))) {
            const auto m = heading.match(line);
            if (!m.hasMatch()) continue;
            all << m.captured(1);
            if (empty && m.captured(2).trimmed().isEmpty()) *empty << m.captured(1);
        }
        return all;
    }
};

TEST_F(SeedContentTest, EveryTreeOpensToEntriesWhoseHeadingsHaveContent) {
    // Herbs keep 使用注意, 鉴别用药, 古籍摘要 and 附药 empty where the books give nothing.
    const QStringList mayBeEmpty = {"使用注意", "鉴别用药", "古籍摘要", "附药"};
    for (Kind kind : {Kind::Formula, Kind::Herb, Kind::Internal, Kind::Disease}) {
        QList<TreeNode> entries;
        int depth = 0;
        collect(kind, base().roots(kind), 1, entries, depth);
        EXPECT_GE(depth, 2) << kindCaption(kind).toStdString();
        EXPECT_EQ(entries.size(), base().search(kind, QString()).size()) << kindCaption(kind).toStdString();
        for (const TreeNode& e : entries) {
            QStringList empty;
            const QString text = base().detail(kind, e.id);
            EXPECT_GE(headings(text, &empty).size(), 3) << e.text.toStdString();
            for (const QString& h : empty)
                EXPECT_TRUE(kind == Kind::Herb && mayBeEmpty.contains(h)) << e.text.toStdString() << " " << h.toStdString();
        }
    }
    for (const TreeNode& d : base().roots(Kind::WesternDrug))
        EXPECT_TRUE(base().detail(Kind::WesternDrug, d.id).startsWith("【")) << d.text.toStdString();
    EXPECT_EQ(base().search(Kind::Disease, "急性闭角型青光眼").size(), 1);  // 五官科
}

TEST_F(SeedContentTest, FormulaeShowTheirHeadingsInOrderAndTheAnalysisFindsEveryHerb) {
    const QStringList order = {"方名", "出处", "分类", "组成", "用法", "功用", "主治", "方解", "运用", "文献", "临床报道"};
    store::Connection db = store::Connection::open(files(), store::DbFile::Reference);
    for (const Entry& f : base().search(Kind::Formula, QString())) {
        EXPECT_EQ(headings(base().detail(Kind::Formula, f.id)), order) << f.name.toStdString();
        const QStringList herbs =
            ReferenceBase::formulaHerbs(db.query("select FJZC from FJX where ID=?", {f.id}).first().text("FJZC"));
        QStringList empty;
        EXPECT_EQ(headings(base().formulaAnalysis(f.id).section("━ ━", 1), &empty), herbs) << f.name.toStdString();
        EXPECT_TRUE(empty.isEmpty());
    }
}

}  // namespace
}  // namespace qh::reference
