// Infusion cards: which orders of the day go on them, how they are cut into cards, and
// where the cards stand on the page.
#include <gtest/gtest.h>

#include "orders/InfusionCard.h"
#include "sheet_fixture.h"

namespace qh::test {
namespace {

using orders::CardOption;

class InfusionCardTest : public SheetFixture {
protected:
    QStringList names(CardOption option, const QDate& day = QDate(2016, 5, 10)) {
        QStringList n;
        for (const orders::StoredOrder& o : orders::cardOrders(files(), serial_, day, option)) n << o.content;
        return n;
    }
    static Row line(const QString& content, const QString& marker, const QString& group, const QString& route = {},
                    const QString& yzid = {}) {
        return {.content = content, .marker = marker, .dose = QStringLiteral("1g"), .route = route,
                .frequency = route.isEmpty() ? QString() : QStringLiteral("qd"), .group = group, .yzid = yzid};
    }
};

TEST_F(InfusionCardTest, AGroupIsTakenOrLeftWholeByItsRouteUnderEveryOption) {
    // Clock: 2016-05-10 09:07:02.
    add(line(QStringLiteral("0.9%氯化钠注射液"), QStringLiteral("新组"), QStringLiteral("6001"), {}, QStringLiteral("6001")));
    add(line(QStringLiteral("注射用头孢曲松钠"), QStringLiteral("承组"), QStringLiteral("6001"), QStringLiteral("静脉滴注")));
    add(line(QStringLiteral("阿莫西林胶囊"), QStringLiteral("单开"), QString(), QStringLiteral("口服")));
    add(line(QStringLiteral("无用法的药"), QStringLiteral("单开"), QString()));
    add(line(QStringLiteral("肌注的药"), QStringLiteral("单开"), QString(), QStringLiteral("IM")));
    Row voided = line(QStringLiteral("作废的针"), QStringLiteral("单开"), QString(), QStringLiteral("静脉注射"));
    voided.state = QStringLiteral("Del");
    add(voided);
    Row temp = line(QStringLiteral("临时的针"), QStringLiteral("单开"), QString(), QStringLiteral("肌内注射"));
    temp.kind = QStringLiteral("临时医嘱");
    temp.ordered = QStringLiteral("2016-05-10 23:59:59");
    add(temp);
    Row tomorrow = temp;
    tomorrow.content = QStringLiteral("明天的针");
    tomorrow.ordered = QStringLiteral("2016-05-11 00:00:00");
    add(tomorrow);

    const QStringList longTerm{QStringLiteral("0.9%氯化钠注射液"), QStringLiteral("注射用头孢曲松钠"),
                               QStringLiteral("无用法的药"), QStringLiteral("肌注的药")};
    EXPECT_EQ(names(CardOption::LongTerm), longTerm);
    EXPECT_EQ(names(CardOption::Temporary), QStringList{QStringLiteral("临时的针")});
    EXPECT_EQ(names(CardOption::All), longTerm + QStringList{QStringLiteral("临时的针")});

    const QVector<orders::CardLine> lines = orders::cardLines(orders::cardOrders(files(), serial_, QDate(2016, 5, 10),
                                                                                 CardOption::LongTerm));
    EXPECT_TRUE(lines[0].usage.isEmpty());  // the group's usage is on its last line
    EXPECT_EQ(lines[1].usage, QStringLiteral("静脉滴注  qd"));
    EXPECT_EQ(lines[2].usage, QString());
}

TEST_F(InfusionCardTest, LongTermOrdersAreTakenAtTheDaysMomentAndStopsAtItCount) {
    Row before = line(QStringLiteral("早上停的针"), QStringLiteral("单开"), QString(), QStringLiteral("静脉滴注"));
    before.stopped = QStringLiteral("2016-05-10 08:00:00");
    add(before);
    Row after = before;
    after.content = QStringLiteral("下午停的针");
    after.stopped = QStringLiteral("2016-05-10 15:00:00");
    add(after);
    Row later = before;
    later.content = QStringLiteral("下午开的针");
    later.stopped.clear();
    later.ordered = QStringLiteral("2016-05-10 15:00:00");
    add(later);
    EXPECT_EQ(names(CardOption::LongTerm), QStringList{QStringLiteral("下午停的针")});
    // Another day: at that day's 09:07:02 everything started before still runs.
    EXPECT_EQ(names(CardOption::LongTerm, QDate(2016, 5, 9)), QStringList());
}

TEST_F(InfusionCardTest, TwentyLinesACardAndAGroupThatFitsIsNotSplit) {
    for (int i = 1; i <= 18; ++i)
        add(line(QStringLiteral("单针%1").arg(i), QStringLiteral("单开"), QString(), QStringLiteral("静脉注射")));
    add(line(QStringLiteral("组首"), QStringLiteral("新组"), QStringLiteral("6009"), {}, QStringLiteral("6009")));
    add(line(QStringLiteral("组中"), QStringLiteral("承组"), QStringLiteral("6009")));
    add(line(QStringLiteral("组尾"), QStringLiteral("承组"), QStringLiteral("6009"), QStringLiteral("静脉滴注")));

    const orders::InfusionCards cards = orders::InfusionCards::make(files(), {serial_, QStringLiteral("nobody")},
                                                                    QDate(2016, 5, 10), CardOption::All,
                                                                    QStringLiteral("张护士"));
    ASSERT_EQ(cards.cards().size(), 2);
    EXPECT_EQ(cards.cards()[0].lines.size(), 18);
    EXPECT_EQ(cards.cards()[1].lines.size(), 3);
    EXPECT_EQ(cards.cards()[0].title, QStringLiteral("药品输液单"));
    EXPECT_EQ(cards.cards()[1].title, QStringLiteral("药品输液单(2)"));
    EXPECT_EQ(cards.cards()[0].patientLine, QStringLiteral("1床   男 王小明  40岁  住院号:") +
                                                 cards.cards()[0].patientLine.section(u':', 1));
    EXPECT_EQ(cards.cards()[0].footer, QStringLiteral("打印者:张护士       打印时间:2016-05-10 09:07"));

    // A group longer than a card fills it and goes on.
    QVector<orders::CardLine> long_;
    for (int i = 0; i < 25; ++i) long_.append({i, QStringLiteral("G"), QString(), QString(), QString()});
    const auto parts = orders::splitIntoCards(long_);
    ASSERT_EQ(parts.size(), 2);
    EXPECT_EQ(parts[0].size(), 20);
}

TEST_F(InfusionCardTest, FourCardsAPageInTwoColumns) {
    QStringList stays;
    for (int p = 0; p < 5; ++p) {
        const qint64 id = addPatient({QStringLiteral("病人%1").arg(p), QStringLiteral("女")});
        const QString serial = serialOf(id);
        stays << serial;
        for (int i = 0; i <= p; ++i) {
            Row r = line(QStringLiteral("针%1").arg(i), QStringLiteral("单开"), QString(), QStringLiteral("静脉注射"));
            r.serial = serial;
            add(r);
        }
    }
    const orders::InfusionCards cards =
        orders::InfusionCards::make(files(), stays, QDate(2016, 5, 10), CardOption::All, QStringLiteral("张护士"));
    ASSERT_EQ(cards.cards().size(), 5);
    ASSERT_EQ(cards.pageCount(), 2);
    ui::RecordingBoard rec;
    ui::DrawingBoard board(rec);
    EXPECT_EQ(cards.print(board), 2);
    const auto frameTop = [&](int page, double x, double y) {
        const QString p = QString::number(page);
        int n = 0;
        for (const QString& l : matching(rec, {QStringLiteral("line"), ui::RecordingBoard::number(x),
                                               ui::RecordingBoard::number(y), ui::RecordingBoard::number(x + 950),
                                               ui::RecordingBoard::number(y)}))
            n += l.startsWith(p + u'\t');
        return n;
    };
    const double h1 = orders::InfusionCards::cardHeight(1), h2 = orders::InfusionCards::cardHeight(2);
    EXPECT_EQ(frameTop(1, 50, 40), 1);               // card 1
    EXPECT_EQ(frameTop(1, 1100, 40), 1);             // card 2
    EXPECT_EQ(frameTop(1, 50, 40 + h1 + 40), 1);     // card 3 under card 1
    EXPECT_EQ(frameTop(1, 1100, 40 + h2 + 40), 1);   // card 4 under card 2
    EXPECT_EQ(frameTop(2, 50, 40), 1);               // card 5 starts page 2
    EXPECT_LT(40 + 2 * orders::InfusionCards::cardHeight(20) + 40, orders::kCardPageHeight);
    EXPECT_EQ(drawn(rec, {QStringLiteral("text"), {}, {}, {}, QStringLiteral("35"), QStringLiteral("1"),
                          QStringLiteral("0"), QStringLiteral("药品输液单")}),
              5);
}

TEST(CardOptions, TextsAndRoutes) {
    EXPECT_EQ(orders::cardOptionTexts(), (QStringList{QStringLiteral("所有"), QStringLiteral("临时"), QStringLiteral("长期")}));
    EXPECT_EQ(orders::cardOptionFromText(QStringLiteral("长期")), CardOption::LongTerm);
    EXPECT_FALSE(orders::cardOptionFromText(QStringLiteral("全部")).has_value());
    EXPECT_TRUE(orders::isInfusionRoute(QStringLiteral("ivgtt")));
    EXPECT_TRUE(orders::isInfusionRoute(QStringLiteral("肌内注射")));
    EXPECT_FALSE(orders::isInfusionRoute(QStringLiteral("口服")));
    EXPECT_FALSE(orders::isInfusionRoute(QStringLiteral("外用")));
}

}  // namespace
}  // namespace qh::test
