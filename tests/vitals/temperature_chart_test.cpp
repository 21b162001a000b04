// The chart as the drawing board records it: positions of values, lines, the page frame,
// dates and days, the post-operative count across pages, and what is left undrawn.
#include <gtest/gtest.h>

#include "interaction/RecordingBoard.h"
#include "vitals/TemperatureChart.h"

namespace qh::test {
namespace {

using vitals::ChartRow;
using vitals::TemperatureChart;

const QDate kAdmission(2016, 2, 1);
const QString kBlue = QString::number(vitals::kBlue);
const QString kRed = QString::number(vitals::kRed);

int centre(int day, int slot) { return 133 + 11 * (6 * (day - 1) + slot); }  // day of the page 1-7
QString n(int v) { return QString::number(v); }

QDate day(int hospitalDay) { return kAdmission.addDays(hospitalDay - 1); }
ChartRow at(int hospitalDay, int slot) { return {.date = day(hospitalDay), .slot = slot}; }

class ChartTest : public ::testing::Test {
protected:
    // The recording of one page, without the page field.
    QStringList draw(const QList<ChartRow>& rows, int page = 1, QDate admission = kAdmission, QDate today = {}) {
        vitals::ChartPatient patient{QStringLiteral("青禾县人民医院"), QStringLiteral("王建国"), QStringLiteral("男"),
                                     QStringLiteral("56岁"), QStringLiteral("3"), QStringLiteral("20160001"),
                                     admission};
        TemperatureChart chart(patient, rows, today.isValid() ? today : admission.addDays(20));
        ui::RecordingBoard recorder;
        ui::DrawingBoard board(recorder);
        chart.drawPage(board, page);
        QStringList out;
        for (const QString& l : recorder.lines()) out << l.section(QLatin1Char('\t'), 1);
        return out;
    }
    // Everything the page drew beyond the empty page of the same patient.
    QStringList drawnFor(const QList<ChartRow>& rows, int page = 1) {
        QStringList all = draw(rows, page);
        for (const QString& l : draw({}, page)) all.removeOne(l);
        return all;
    }
    static QString line(int x1, int y1, int x2, int y2, int width, const QString& colour, bool dashed = false) {
        return QStringList({"line", n(x1), n(y1), n(x2), n(y2), n(width), colour, dashed ? "1" : "0"}).join('\t');
    }
    static QString circle(int x, int y, int r, int width, const QString& colour) {
        return QStringList({"ellipse", n(x - r), n(y - r), n(x + r), n(y + r), n(width), colour}).join('\t');
    }
    static QString text(int x, int y, int size, const QString& colour, const QString& t, bool bold = false) {
        return QStringList({"text", n(x), n(y), "宋体", n(size), bold ? "1" : "0", colour, t}).join('\t');
    }
    static QString cross(int x, int y) {
        return line(x - 3, y - 3, x + 3, y + 3, 1, kBlue) + '\n' + line(x - 3, y + 3, x + 3, y - 3, 1, kBlue);
    }
};

TEST(ChartScale, PositionsAreExactInHundredths) {
    int v = 0;
    ASSERT_TRUE(vitals::hundredths("36.8", &v));
    EXPECT_EQ(v, 3680);
    EXPECT_EQ(vitals::temperatureY(v), 455);  // on its grid line, not one below
    EXPECT_EQ(vitals::temperatureY(4200), 195);
    EXPECT_EQ(vitals::temperatureY(3700), 445);
    EXPECT_EQ(vitals::pulseY(18000), 195);
    EXPECT_EQ(vitals::pulseY(8000), 445);
    ASSERT_TRUE(vitals::hundredths("３７．３", &v));
    EXPECT_EQ(v, 3730);
    ASSERT_TRUE(vitals::hundredths("37.255", &v));
    EXPECT_EQ(v, 3726);
    for (const char* bad : {"", "abc", "-1", "37.", "37,5", "拒测"}) EXPECT_FALSE(vitals::hundredths(bad, &v)) << bad;
}

TEST_F(ChartTest, EmptyPageFrameScalesLegendAndRows) {
    const QStringList page = draw({});
    EXPECT_EQ(page.first(), "clear\t0\t0\t620\t868");
    for (const QString& expected : {
             text((620 - 13 * 20) / 2 + 20, 35, 16, "0", "青禾县人民医院体温单", true),  // centred
             text(300, 838, 10, "0", "第 1 页"),
             line(128, 86, 128, 833, 1, "0"),             // first day line black
             line(194, 86, 194, 833, 2, kRed),            // the others red
             line(128 + 33, 142, 128 + 33, 616, 1, "0"),  // half day from the hour row
             line(128, 445, 588, 445, 2, kRed),           // 37 °C
             text(128 + 2, 155, 8, kRed, "4"),            // 上午 4 red
         })
        EXPECT_TRUE(page.contains(expected)) << expected.toStdString();
    EXPECT_FALSE(page.join('\n').contains("液表"));
}

TEST_F(ChartTest, DatesAndDaysPerColumn) {
    const QStringList page = draw({}, 1, QDate(2016, 12, 30));
    // First column in full, a 1 January in full, other days by the day of the month.
    EXPECT_TRUE(page.contains(text(128 + (66 - 6 * 10) / 2, 88, 10, "0", "2016-12-30")));
    EXPECT_TRUE(page.contains(text(194 + (66 - 12) / 2, 88, 10, "0", "31")));
    EXPECT_TRUE(page.contains(text(260 + (66 - 48) / 2, 88, 10, "0", "2017-1-1")));
    EXPECT_TRUE(page.contains(text(326 + (66 - 6) / 2, 88, 10, "0", "2")));
    const QStringList second = draw({}, 2, QDate(2016, 1, 25));
    EXPECT_TRUE(second.contains(text(128 + (66 - 48) / 2, 88, 10, "0", "2016-2-1")));  // page 2 starts in full
    EXPECT_TRUE(second.contains(text(128 + (66 - 6) / 2, 108, 10, "0", "8")));
    const QStringList month = draw({}, 1, QDate(2016, 1, 30));
    EXPECT_TRUE(month.contains(text(260 + (66 - 18) / 2, 88, 10, "0", "2-1")));
}

TEST_F(ChartTest, TemperaturesPulsesAndTheirLines) {
    const QStringList drawn =
        drawnFor({{.date = day(1), .slot = 1, .temperature = "36.8", .pulse = "80", .heart = "100"},
                  {.date = day(2), .slot = 0, .type = "口温", .temperature = "38.2", .pulse = "96", .heart = "110"},
                  {.date = day(2), .slot = 3, .type = "肛温", .temperature = "37"}});
    const int xa = centre(1, 1), xb = centre(2, 0), xc = centre(2, 3);
    for (const QString& expected : {cross(xa, 455).section('\n', 0, 0), cross(xa, 455).section('\n', 1),
                                    circle(xa, 445, 2, 3, kRed), circle(xa, 395, 4, 1, kRed),
                                    circle(xb, 385, 2, 3, kBlue), line(xa, 455, xb, 385, 1, kBlue),
                                    line(xa, 445, xb, 405, 1, kRed), line(xa, 395, xb, 370, 1, kRed),
                                    circle(xc, 445, 4, 1, kBlue), line(xb, 385, xc, 445, 1, kBlue)})
        EXPECT_TRUE(drawn.contains(expected)) << expected.toStdString();
    EXPECT_EQ(xa, 144);
    EXPECT_EQ(xb, 199);
}

TEST_F(ChartTest, MissingAndNonNumericValuesAreNotDrawnNorJoined) {
    const QStringList drawn = drawnFor({{.date = day(1), .slot = 0, .temperature = "36.5", .pulse = "78"},
                                        at(1, 1),  // nothing measured
                                        {.date = day(1), .slot = 2, .temperature = "abc", .pulse = "x"},
                                        {.date = day(1), .slot = 3, .temperature = "36.9", .pulse = "82"}});
    EXPECT_TRUE(drawn.contains(line(centre(1, 0), 645 - 350 / 2, centre(1, 3), 645 - 390 / 2, 1, kBlue)));
    EXPECT_TRUE(drawn.contains(line(centre(1, 0), 645 - 7800 / 40, centre(1, 3), 645 - 8200 / 40, 1, kRed)));
    const QString all = drawn.join('\n');
    for (int slot : {1, 2}) {
        const QString x = '\t' + n(centre(1, slot) - 2) + '\t';
        EXPECT_FALSE(all.contains("ellipse" + x)) << slot;
    }
    EXPECT_FALSE(all.contains("\t632\t") || all.contains("\t652\t"));  // no arrow from an empty value
}

TEST_F(ChartTest, BelowThirtyFiveAnArrowBeyondTheScaleAtItsEdge) {
    const QStringList drawn = drawnFor({{.date = day(1), .slot = 0, .temperature = "34.2"},
                                        {.date = day(1), .slot = 1, .temperature = "43.1", .pulse = "210"}});
    const int x = centre(1, 0);
    for (const QString& expected : {circle(x, 572, 3, 4, kBlue), line(x, 575, x, 592, 1, kBlue),
                                    line(x - 3, 587, x, 592, 1, kBlue), line(x + 3, 587, x, 592, 1, kBlue),
                                    cross(x, 545).section('\n', 0, 0), cross(centre(1, 1), 195).section('\n', 0, 0),
                                    circle(centre(1, 1), 195, 2, 3, kRed)})
        EXPECT_TRUE(drawn.contains(expected)) << expected.toStdString();
}

TEST_F(ChartTest, CoolingIsARedCircleOnADashedLine) {
    const QStringList drawn = drawnFor({{.date = day(3), .slot = 3, .temperature = "39.5", .cooled = "38.3"}});
    const int x = centre(3, 3);
    EXPECT_TRUE(drawn.contains(line(x, 320, x, 380, 1, kRed, true)));
    EXPECT_TRUE(drawn.contains(circle(x, 380, 4, 2, kRed)));
}

TEST_F(ChartTest, PostOperativeDaysCountAcrossPagesAndRestart) {
    const ChartRow op{.date = day(5), .slot = 2, .event1 = "手术"};
    const auto strip = [](int d) { return QStringLiteral("clear\t%1\t124\t%2\t139").arg(128 + 66 * (d - 1) + 14).arg(128 + 66 * (d - 1) + 44); };
    const auto count = [](int d, const QString& label) {
        const int bytes = label == "手术" ? 4 : label.size();
        return text(128 + 66 * (d - 1) + (66 - 6 * bytes) / 2, 128, 8, kRed, label);
    };
    const QStringList one = draw({op});
    for (const QString& e : {strip(5), count(5, "手术"), count(6, "1"), count(7, "2")})
        EXPECT_TRUE(one.contains(e)) << e.toStdString();
    EXPECT_FALSE(one.contains(strip(4)));
    const QStringList two = draw({op}, 2);
    for (int d = 1; d <= 7; ++d) EXPECT_TRUE(two.contains(count(d, n(d + 2)))) << d;
    const QStringList three = draw({op}, 3);  // days 15-21: 10 to 14, then nothing
    EXPECT_TRUE(three.contains(count(5, "14")));
    EXPECT_FALSE(three.contains(strip(6)));

    const QStringList restarted = draw({op, {.date = day(17), .slot = 1, .event1 = "手术"}}, 3);
    EXPECT_TRUE(restarted.contains(count(2, "11")));
    EXPECT_TRUE(restarted.contains(count(3, "手术")));
    EXPECT_TRUE(restarted.contains(count(4, "1")));
}

TEST_F(ChartTest, RespirationAlternatesAndEventsRunDownTheirSlot) {
    const QStringList drawn = drawnFor({{.date = day(1), .slot = 0, .respiration = "18"},
                                        {.date = day(1), .slot = 1, .respiration = "20"},
                                        {.date = day(1), .slot = 2, .respiration = "22", .event1 = "入院", .eventTime1 = "十时"}});
    EXPECT_TRUE(drawn.contains(text(centre(1, 0) - 3, 596, 6, "0", "18")));
    EXPECT_TRUE(drawn.contains(text(centre(1, 1) - 3, 606, 6, "0", "20")));
    EXPECT_TRUE(drawn.contains(text(centre(1, 2) - 3, 596, 6, "0", "22")));
    const int x = centre(1, 2) - 4;
    EXPECT_TRUE(drawn.contains(QStringLiteral("clear\t%1\t198\t%2\t230").arg(x).arg(x + 9)));
    EXPECT_TRUE(drawn.contains(text(x, 198, 7, kRed, "入\\r\\n院\\r\\n十\\r\\n时")));
}

TEST_F(ChartTest, AnAbsenceBreaksTheLines) {
    const QStringList drawn = drawnFor({{.date = day(2), .slot = 0, .temperature = "36.5", .pulse = "80"},
                                        {.date = day(2), .slot = 1, .event2 = "外出"},
                                        {.date = day(2), .slot = 2, .temperature = "36.7", .pulse = "84"}});
    const QString all = drawn.join('\n');
    EXPECT_FALSE(all.contains(QStringLiteral("line\t%1\t").arg(centre(2, 0))));
    EXPECT_TRUE(drawn.contains(text(centre(2, 1) - 3, 548, 7, kRed, "外\\r\\n出")));
}

TEST_F(ChartTest, PagesHoldSevenDaysAndRowsBeforeAdmissionAreLeftOut) {
    const ChartRow early{.date = day(0), .slot = 1, .temperature = "37.5"};  // the day before admission
    const ChartRow eighth{.date = day(8), .slot = 0, .temperature = "36.6"};
    EXPECT_TRUE(drawnFor({early}).isEmpty());
    EXPECT_TRUE(drawnFor({eighth}, 1).isEmpty());
    EXPECT_TRUE(drawnFor({eighth}, 2).contains(cross(133, 645 - 360 / 2).section('\n', 0, 0)));

    vitals::ChartPatient p{"", "", "", "", "", "", kAdmission};
    EXPECT_EQ(TemperatureChart(p, {}, kAdmission).pageCount(), 1);
    EXPECT_EQ(TemperatureChart(p, {}, kAdmission.addDays(5)).pageCount(), 1);
    EXPECT_EQ(TemperatureChart(p, {}, kAdmission.addDays(6)).pageCount(), 2);  // day 7
    EXPECT_EQ(TemperatureChart(p, {at(16, 0)}, kAdmission).pageCount(), 3);
}

TEST_F(ChartTest, PerDayRowsShowTheDaysLastValue) {
    const QStringList drawn =
        drawnFor({{.date = day(3), .slot = 1, .urineCount = "5", .weight = "60", .pressure = "120/80"},
                  {.date = day(3), .slot = 3, .stools = "2", .urineVolume = "1500", .weight = "61"},
                  {.date = day(3), .slot = 5, .pressure = "130/85"}});
    const int left = 128 + 66 * 2;
    for (const QString& e : {text(left + 24, 800, 8, "0", "61"), text(left + 14, 660, 8, "0", "1500/5次"),
                             text(left + 24, 640, 8, kRed, "2"), text(left + 3, 785, 7, "0", "120/80"),
                             text(left + 35, 775, 7, "0", "130/85")})
        EXPECT_TRUE(drawn.contains(e)) << e.toStdString();
    EXPECT_FALSE(drawn.contains(text(left + 24, 800, 8, "0", "60")));
}

}  // namespace
}  // namespace qh::test
