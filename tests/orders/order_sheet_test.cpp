// The order sheets: what goes on a page, and where the recording puts it.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "orders/OrderSheet.h"
#include "orders/OrderSheetData.h"
#include "sheet_fixture.h"

namespace qh::test {
namespace {

using orders::OrderSheet;
using orders::SheetKind;
using N = ui::RecordingBoard;

class OrderSheetTest : public SheetFixture {
protected:
    ui::RecordingBoard print(SheetKind kind, int page = 0, int* pages = nullptr) {
        ui::RecordingBoard rec;
        ui::DrawingBoard board(rec);
        const int n = orders::printOrderSheet(board, files(), patient(), kind, page);
        if (pages) *pages = n;
        return rec;
    }
};

TEST_F(OrderSheetTest, TwentyFourOrdersAPageNothingRepeatedVoidedNeitherPrintedNorCounted) {
    for (int i = 1; i <= 24; ++i) drug(QStringLiteral("药%1").arg(i));
    const Row voided{.content = QStringLiteral("作废的药"), .state = QStringLiteral("Del")};
    add(voided);
    add(voided);
    EXPECT_EQ(OrderSheet::load(files(), serial_, SheetKind::LongTerm).pageCount(), 1);

    drug(QStringLiteral("药25"));
    const OrderSheet sheet = OrderSheet::load(files(), serial_, SheetKind::LongTerm);
    ASSERT_EQ(sheet.pageCount(), 2);
    ASSERT_EQ(sheet.pageRows(1).size(), 24);
    ASSERT_EQ(sheet.pageRows(2).size(), 1);
    EXPECT_TRUE(sheet.pageRows(2)[0].cells[2].startsWith(QStringLiteral("药25")));
    EXPECT_TRUE(sheet.pageRows(3).isEmpty());

    int pages = 0;
    const ui::RecordingBoard rec = print(SheetKind::LongTerm, 0, &pages);
    EXPECT_EQ(pages, 2);
    const QString all = rec.recording();
    EXPECT_FALSE(all.contains(QStringLiteral("作废的药")));
    // 药24 once, on page 1; 药25 once, on page 2.
    EXPECT_EQ(all.count(QStringLiteral("药24 ")), 1);
    const QStringList texts = matching(rec, {QStringLiteral("text")});
    EXPECT_EQ(texts.filter(QRegularExpression(QStringLiteral("^2\\t.*药24 "))).size(), 0);
    EXPECT_EQ(texts.filter(QRegularExpression(QStringLiteral("^2\\t.*药25 "))).size(), 1);
    // The 24th row ends above the page label.
    const double lastRowBottom = orders::kGridTop + 2 * 25 * 2.5 + 24 * 35 * 2.5;
    EXPECT_LT(lastRowBottom, 2750);
    EXPECT_EQ(drawn(rec, {QStringLiteral("line"), QStringLiteral("80"), N::number(lastRowBottom)}), 1);
}

TEST_F(OrderSheetTest, TitlePatientLinePageLabelAndColumnEdgesStandWhereThePaperHasThem) {
    exec(QStringLiteral("insert into 备份 (医院名称) values ('青禾县人民医院')"));
    drug(QStringLiteral("注射用头孢曲松钠"));
    int pages = 0;
    const ui::RecordingBoard rec = print(SheetKind::LongTerm, 0, &pages);
    ASSERT_EQ(pages, 1);
    const QString line = orders::sheetPatientLine(patient());
    EXPECT_TRUE(line.startsWith(QStringLiteral("姓名：王小明")));
    // Bold 宋体 18 (45 units) centred on 900 at y 200: 24 bytes of 30 units.
    for (const QStringList& text : {QStringList{"540", "200", "宋体", "45", "1", "0", QStringLiteral("青禾县人民医院长期医嘱单")},
                                    QStringList{"110", "380", "宋体", "27.5", "1", "0", line},
                                    QStringList{"960", "2750", "宋体", "27.5", "1", "0", QStringLiteral("第 1 页")}})
        EXPECT_EQ(drawn(rec, QStringList{QStringLiteral("text")} + text), 1) << text.last().toStdString();
    // Column edges of the first data row: 40, 40, 305, 55, 55, 2, 40, 40, 55, 55 pixels at 2.5.
    const double top = orders::kGridTop + 125, bottom = top + 87.5;
    for (double x : {80.0, 180.0, 280.0, 1042.5, 1180.0, 1317.5, 1322.5, 1422.5, 1522.5, 1660.0, 1797.5})
        EXPECT_EQ(drawn(rec, {QStringLiteral("line"), N::number(x), N::number(top), N::number(x), N::number(bottom)}), 1) << x;
    // Header: the content heading centred over both header rows, bold 14 (35 units).
    const QStringList heading = matching(rec, {QStringLiteral("text"), {}, {}, QStringLiteral("宋体"), QStringLiteral("35"),
                                               QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("医  嘱  内  容")});
    ASSERT_EQ(heading.size(), 1);
    EXPECT_EQ(heading[0].split(u'\t')[3], N::number(orders::kGridTop + (125 - 35 * 4.0 / 3) / 2));
}

TEST_F(OrderSheetTest, ThirtyOrdersWithAReorganisationStopsAndHalfTablets) {
    for (int i = 1; i <= 10; ++i) drug(QStringLiteral("旧药%1").arg(i));
    add({.content = QStringLiteral("阿莫西林胶囊"), .xmid = 3, .stopped = QStringLiteral("2016-05-12 16:30:00"),
         .quantity = 0.5, .unit = QStringLiteral("盒"), .dose = QStringLiteral("0.25g"), .route = QStringLiteral("口服"),
         .frequency = QStringLiteral("tid"), .nurse = QStringLiteral("张护士"), .stopDoctor = QStringLiteral("李医生"),
         .stopNurse = QStringLiteral("张护士")});
    add({.content = QStringLiteral("重整医嘱"), .ordered = QStringLiteral("2016-05-13 08:00:00"), .marker = {}, .slip = {}});
    for (int i = 1; i <= 18; ++i) drug(QStringLiteral("新药%1").arg(i), QStringLiteral("2016-05-13 08:10:00"));
    const OrderSheet sheet = OrderSheet::load(files(), serial_, SheetKind::LongTerm);
    ASSERT_EQ(sheet.rows().size(), 30);
    ASSERT_EQ(sheet.pageCount(), 2);

    const QStringList cells = sheet.rows()[10].cells;
    EXPECT_EQ(cells.mid(0, 3), (QStringList{QStringLiteral("05-10"), QStringLiteral("09:07"),
                                            QStringLiteral("阿莫西林胶囊      0.5盒  用法：0.25g  口服  tid")}));
    EXPECT_EQ(cells[4], QStringLiteral("张护士"));
    EXPECT_EQ(cells.mid(6, 4), (QStringList{QStringLiteral("05-12"), QStringLiteral("16:30"), QStringLiteral("李医生"),
                                            QStringLiteral("张护士")}));
    EXPECT_TRUE(sheet.rows()[0].cells[6].isEmpty());  // running: no stop columns
    EXPECT_TRUE(sheet.rows()[11].marker);

    ui::RecordingBoard rec;
    ui::DrawingBoard board(rec);
    sheet.print(board, 1, 1, QStringLiteral("长期医嘱单"), QString());
    // The marker: bold, dark red (0x000080 = 128), centred in the content column (280..1042.5)
    // of the 12th data row.
    const QStringList m = matching(rec, {QStringLiteral("text"), {}, {}, QStringLiteral("宋体"), QStringLiteral("30"),
                                         QStringLiteral("1"), QStringLiteral("128"), QStringLiteral("重整医嘱")});
    ASSERT_EQ(m.size(), 1);
    EXPECT_EQ(m[0].split(u'\t')[2], N::number(280 + (762.5 - 8 * 20) / 2));
    EXPECT_EQ(m[0].split(u'\t')[3], N::number(orders::kGridTop + 125 + 11 * 87.5 + (87.5 - 40) / 2));
}

TEST_F(OrderSheetTest, GroupedLinesCarryTheirBoxes) {
    add({.content = QStringLiteral("0.9%氯化钠注射液"), .marker = QStringLiteral("新组"), .dose = QStringLiteral("250ml"),
         .yzid = QStringLiteral("7001")});
    add({.content = QStringLiteral("注射用头孢曲松钠"), .marker = QStringLiteral("承组"), .dose = QStringLiteral("2g"),
         .route = QStringLiteral("静脉滴注"), .frequency = QStringLiteral("qd"), .group = QStringLiteral("7001"),
         .yzid = QStringLiteral("7002")});
    add({.content = QStringLiteral("一次性使用输液器"), .xmid = 10});  // materials never go on a sheet
    const OrderSheet sheet = OrderSheet::load(files(), serial_, SheetKind::LongTerm);
    ASSERT_EQ(sheet.rows().size(), 2);
    EXPECT_EQ(sheet.rows()[0].cells[2], QStringLiteral("0.9%氯化钠注射液         250ml   ┐ "));
    EXPECT_EQ(sheet.rows()[1].cells[2], QStringLiteral("注射用头孢曲松钠         2g      ┘静脉滴注 qd"));
}

TEST_F(OrderSheetTest, TemporarySheetWithANineHerbPrescription) {
    const Row temp{.kind = QStringLiteral("临时医嘱"), .content = QStringLiteral("血常规"),
                   .ordered = QStringLiteral("2016-05-10 08:00:00"), .executed = QStringLiteral("2016-05-10 08:30:00"),
                   .slip = QStringLiteral("执行单"), .nurse = QStringLiteral("张护士")};
    add(temp);
    const QStringList names{QStringLiteral("黄芪"), QStringLiteral("当归"), QStringLiteral("白术"),
                            QStringLiteral("茯苓"), QStringLiteral("甘草"), QStringLiteral("陈皮"),
                            QStringLiteral("半夏"), QStringLiteral("党参"), QStringLiteral("川芎")};
    for (int i = 0; i < names.size(); ++i)
        herb(names[i], i == 8 ? 4.5 : 10 + i, QStringLiteral("8000"), QStringLiteral("2016-05-10 10:00:00"));
    herbalHeader(QStringLiteral("8000"), 3, QStringLiteral("水煎服，每日一剂"), QStringLiteral("2016-05-10 10:00:00"));
    Row later = temp;
    later.content = QStringLiteral("胸部正位片");
    later.ordered = QStringLiteral("2016-05-10 11:00:00");
    add(later);

    const OrderSheet sheet = OrderSheet::load(files(), serial_, SheetKind::Temporary);
    ASSERT_EQ(sheet.rows().size(), 6);  // 血常规, three herb rows, 上方, 胸部正位片
    EXPECT_EQ(sheet.rows()[0].cells[4], QStringLiteral("05-10"));
    EXPECT_EQ(sheet.rows()[0].cells[5], QStringLiteral("08:30"));
    EXPECT_EQ(sheet.rows()[1].cells[2], QStringLiteral("黄芪10g    当归11g    白术12g    茯苓13g"));
    EXPECT_EQ(sheet.rows()[3].herbs, QStringList{QStringLiteral("川芎4.5g")});
    EXPECT_EQ(sheet.rows()[4].cells[2], QStringLiteral("    上方 3 付   水煎服，每日一剂"));
    EXPECT_TRUE(sheet.rows()[2].cells[0].isEmpty());
    EXPECT_EQ(sheet.rows()[5].cells[2], QStringLiteral("胸部正位片"));
    EXPECT_EQ(sheet.pageStarts(), QVector<qint64>{sheet.rows()[0].sid});

    ui::RecordingBoard rec;
    ui::DrawingBoard board(rec);
    sheet.print(board, 1, 1, QStringLiteral("临时医嘱单"), QString());
    // Temporary columns 50, 50, 370, 60, 50, 50, 60: the herbs in quarters of the content
    // cell (280 + 7.5 .. 1205 - 7.5).
    const double quarter = (925 - 15) / 4.0;
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(drawn(rec, {QStringLiteral("text"), N::number(337.5 + k * quarter), {}, {}, {}, {}, {},
                              names[4 + k] + QString::number(14 + k) + QStringLiteral("g")}),
                  1)
            << k;
    const double top = orders::kGridTop + 125;  // 执行护士's left edge on the first data row
    EXPECT_EQ(drawn(rec, {QStringLiteral("line"), QStringLiteral("1655"), N::number(top), QStringLiteral("1655"),
                          N::number(top + 87.5)}),
              1);
}

TEST_F(OrderSheetTest, APatientWithoutOrdersHasNothingToPrint) {
    add({.content = QStringLiteral("作废"), .state = QStringLiteral("Del")});
    int pages = -1;
    const ui::RecordingBoard rec = print(SheetKind::LongTerm, 0, &pages);
    EXPECT_EQ(pages, 0);
    EXPECT_TRUE(rec.lines().isEmpty());
    EXPECT_EQ(orders::pageCountLabel(0), QStringLiteral("共0页"));
    // The view still draws page 1 with the header rows only.
    ui::RecordingBoard view;
    ui::DrawingBoard board(view);
    OrderSheet::load(files(), serial_, SheetKind::LongTerm).drawPage(board, 1, QString(), QString());
    EXPECT_EQ(drawn(view, {QStringLiteral("text"), {}, {}, {}, QStringLiteral("35")}), 15);
    EXPECT_EQ(drawn(view, {QStringLiteral("text"), {}, {}, {}, QStringLiteral("30")}), 0);
}

TEST(SheetPatientLine, GapsShrinkWithLongValues) {
    shell::PatientContext p;
    p.name = QStringLiteral("王小明");
    p.department = QStringLiteral("内科");
    p.wardRoom = QStringLiteral("3");
    p.bed = QStringLiteral("12");
    p.admissionNumber = QStringLiteral("2016001");
    // 6 + 4 + 1 + 2 + 7 = 20 bytes: (50 - 20) / 4 = 7 blanks.
    const QString gap(7, u' ');
    EXPECT_EQ(orders::sheetPatientLine(p), QStringLiteral("姓名：王小明") + gap + QStringLiteral("科室：内科") + gap +
                                                QStringLiteral("  病室：3") + gap + QStringLiteral("床号： 12") + gap +
                                                QStringLiteral("住院号：2016001"));
    p.name = QString(30, u'名');
    EXPECT_FALSE(orders::sheetPatientLine(p).contains(QStringLiteral("  科室")));
}

}  // namespace
}  // namespace qh::test
