// CSV files a spreadsheet opens with the Chinese intact, and charts drawn to PNG and PDF.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "stats/BarChart.h"
#include "stats/ReportCsv.h"
#include "stats/ReportPrint.h"
#include "support/temp_dir.h"

using namespace qh::stats;

TEST(StatsCsv, FieldsAreQuotedAndFormulasStayText) {
    EXPECT_EQ(csvField(QStringLiteral("内科")), QStringLiteral("内科"));
    EXPECT_EQ(csvField(QStringLiteral("青禾镇, 东街")), QStringLiteral("\"青禾镇, 东街\""));
    EXPECT_EQ(csvField(QStringLiteral("他说\"好\"")), QStringLiteral("\"他说\"\"好\"\"\""));
    EXPECT_EQ(csvField(QStringLiteral("两行\n文字")), QStringLiteral("\"两行\n文字\""));
    // A figure keeps its sign; a typed formula is led by an apostrophe.
    EXPECT_EQ(csvField(QStringLiteral("-1")), QStringLiteral("-1"));
    EXPECT_EQ(csvField(QStringLiteral("3.23%")), QStringLiteral("3.23%"));
    EXPECT_EQ(csvField(QStringLiteral("=HYPERLINK(\"x\")")), QStringLiteral("\"'=HYPERLINK(\"\"x\"\")\""));
    EXPECT_EQ(csvField(QStringLiteral("@SUM(A1)")), QStringLiteral("'@SUM(A1)"));
}

TEST(StatsCsv, FileHasByteOrderMarkAndCrLfLines) {
    ReportTable t;
    t.captions = QStringList{QStringLiteral("编号"), QStringLiteral("科室"), QStringLiteral("差值")};
    t.rows = {{QStringLiteral("1"), QStringLiteral("外科"), QStringLiteral("-1")}};
    const QByteArray bytes = csvFileBytes(t);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(QString::fromUtf8(bytes.mid(3)), QStringLiteral("编号,科室,差值\r\n1,外科,-1\r\n"));

    qh::test::TempDir dir;
    const QString path = dir.file(QStringLiteral("报表.csv"));
    ASSERT_TRUE(writeCsvFile(t, path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), bytes);
    EXPECT_FALSE(writeCsvFile(t, dir.file(QStringLiteral("no/such/folder/x.csv"))));
}

TEST(StatsChart, AxisStepsAreRound) {
    EXPECT_EQ(axisScale(0).top, 5);
    EXPECT_EQ(axisScale(3).step, 1);
    EXPECT_EQ(axisScale(3).top, 3);
    EXPECT_EQ(axisScale(7).step, 2);
    EXPECT_EQ(axisScale(7).top, 8);
    EXPECT_EQ(axisScale(1700.5).step, 500);
    EXPECT_EQ(axisScale(1700.5).top, 2000);
    EXPECT_EQ(axisScale(3000).top, 3000);
}

TEST(StatsChart, PngShowsEveryBarAndPdfIsWritten) {
    BarChart chart;
    chart.title = QStringLiteral("全院患者性别构成比较表");
    chart.categoryAxis = QStringLiteral("科室");
    chart.valueAxis = QStringLiteral("人数");
    chart.categories = QStringList{QStringLiteral("儿科"), QStringLiteral("内科"), QStringLiteral("外科")};
    chart.series = {{QStringLiteral("男性"), {1, 2, 1}}, {QStringLiteral("女性"), {1, 1, 0}}};
    qh::test::TempDir dir;
    const QString png = dir.file(QStringLiteral("chart.png"));
    ASSERT_TRUE(writeChartPng(chart, png, 1000, 620));
    const QImage image(png);
    ASSERT_EQ(image.size(), QSize(1000, 620));
    // Both series' colours are on the picture (the legend and the bars).
    int first = 0, second = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            const QColor c = image.pixelColor(x, y);
            first += c == seriesColor(0);
            second += c == seriesColor(1);
        }
    EXPECT_GT(first, 2000);
    EXPECT_GT(second, 1000);
    EXPECT_GT(first, second);  // four male patients, two female

    const QString pdf = dir.file(QStringLiteral("chart.pdf"));
    ASSERT_TRUE(writeChartPdf(chart, pdf));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");
    EXPECT_FALSE(writeChartPng(chart, dir.file(QStringLiteral("no/such/x.png"))));
}

TEST(StatsPrint, LongTablesRunOverPagesWithTheirCaptions) {
    ReportTable t;
    t.captions = QStringList{QStringLiteral("编号"), QStringLiteral("科室"), QStringLiteral("诊断"),
                             QStringLiteral("数量"), QStringLiteral("总收入")};
    t.numericColumns = {3, 4};
    for (int i = 1; i <= 120; ++i)
        t.rows << QStringList{QString::number(i), QStringLiteral("内科"), QStringLiteral("诊断%1").arg(i),
                              QString::number(i % 7), moneyText(i * 10.5)};
    qh::test::TempDir dir;
    const QString saved = qEnvironmentVariable("QH_SCREENSHOT_DIR");
    const QString path = saved.isEmpty() ? dir.file(QStringLiteral("table.pdf"))
                                         : saved + QStringLiteral("/statistics-table.pdf");
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(15, 15, 15, 15)));
    if (!saved.isEmpty()) QDir().mkpath(saved);
    QPainter p(&writer);
    ASSERT_TRUE(p.isActive());
    // About 25 rows fit a landscape page at 10 points.
    const int pages = paintReport(writer, p, t, QStringLiteral("各科诊断统计  2024-03-01 至 2024-03-31"));
    p.end();
    EXPECT_GE(pages, 3);
    EXPECT_LE(pages, 6);
    EXPECT_TRUE(writeReportPdf(t, QStringLiteral("x"), dir.file(QStringLiteral("again.pdf"))));
}
