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

class OrderSheetTest : public SheetFixture {
protected:
    shell::PatientContext patient() {
        shell::PatientContext p;
        EXPECT_TRUE(orders::readStayPatient(files(), serial_, &p));
        return p;
    }
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
    Row voided;
    voided.content = QStringLiteral("作废的药");
    voided.state = QStringLiteral("Del");
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
    EXPECT_EQ(matching(rec, {QStringLiteral("text")}).filter(QRegularExpression(QStringLiteral("^2\\t.*药24 "))).size(), 0);
    EXPECT_EQ(matching(rec, {QStringLiteral("text")}).filter(QRegularExpression(QStringLiteral("^2\\t.*药25 "))).size(), 1);
    // The 24th row ends above the page label.
    const double lastRowBottom = orders::kGridTop + 2 * 25 * 2.5 + 24 * 35 * 2.5;
    EXPECT_LT(lastRowBottom, 2750);
    EXPECT_EQ(matching(rec, {QStringLiteral("line"), QStringLiteral("80"), ui::RecordingBoard::number(lastRowBottom)}).size(), 1);
}

TEST_F(OrderSheetTest, PagePartsAtTheFormsCoordinates) {
    exec(QStringLiteral("insert into 备份 (医院名称) values ('青禾县人民医院')"));
    drug(QStringLiteral("注射用头孢曲松钠"));
    int pages = 0;
    const ui::RecordingBoard rec = print(SheetKind::LongTerm, 0, &pages);
    ASSERT_EQ(pages, 1);
    const QString title = QStringLiteral("青禾县人民医院长期医嘱单");
    // Bold 宋体 18 (45 units) centred on 900 at y 200: 24 bytes of 30 units.
    EXPECT_EQ(matching(rec, {QStringLiteral("text"), QStringLiteral("540"), QStringLiteral("200"), QStringLiteral("宋体"),
                             QStringLiteral("45"), QStringLiteral("1"), QStringLiteral("0"), title})
                  .size(),
              1);
    EXPECT_EQ(matching(rec, {QStringLiteral("line"), QStringLiteral("460"), QStringLiteral("280"), QStringLiteral("1600"),
                             QStringLiteral("280")})
                  .size(),
              1);
    EXPECT_EQ(matching(rec, {QStringLiteral("line"), QStringLiteral("460"), QStringLiteral("288"), QStringLiteral("1600"),
                             QStringLiteral("288")})
                  .size(),
              1);
    const QString line = orders::sheetPatientLine(patient());
    EXPECT_TRUE(line.startsWith(QStringLiteral("姓名：王小明")));
    EXPECT_EQ(matching(rec, {QStringLiteral("text"), QStringLiteral("110"), QStringLiteral("380"), QStringLiteral("宋体"),
                             QStringLiteral("27.5"), QStringLiteral("1"), QStringLiteral("0"), line})
                  .size(),
              1);
    EXPECT_EQ(matching(rec, {QStringLiteral("text"), QStringLiteral("960"), QStringLiteral("2750"), QStringLiteral("宋体"),
                             QStringLiteral("27.5"), QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("第 1 页")})
                  .size(),
              1);
    // Column edges of the first data row: 40, 40, 305, 55, 55, 2, 40, 40, 55, 55 pixels at 2.5.
    const double top = orders::kGridTop + 125, bottom = top + 87.5;
    for (double x : {80.0, 180.0, 280.0, 1042.5, 1180.0, 1317.5, 1322.5, 1422.5, 1522.5, 1660.0, 1797.5})
        EXPECT_EQ(matching(rec, {QStringLiteral("line"), ui::RecordingBoard::number(x), ui::RecordingBoard::number(top),
                                 ui::RecordingBoard::number(x), ui::RecordingBoard::number(bottom)})
                      .size(),
                  1)
            << x;
    // Header: the content heading over both rows, "开嘱" over "医生", bold 14 (35 units).
    const QStringList heading = matching(rec, {QStringLiteral("text"), QString(), QString(), QStringLiteral("宋体"),
                                               QStringLiteral("35"), QStringLiteral("1"), QStringLiteral("0"),
                                               QStringLiteral("医  嘱  内  容")});
    ASSERT_EQ(heading.size(), 1);
    EXPECT_EQ(heading[0].split(u'\t')[3], ui::RecordingBoard::number(orders::kGridTop + (125 - 35 * 4.0 / 3) / 2));
    EXPECT_EQ(matching(rec, {QStringLiteral("text"), QString(), QString(), QString(), QString(), QString(), QString(),
                             QStringLiteral("开嘱")})
                  .size(),
              1);
}

TEST_F(OrderSheetTest, ThirtyOrdersWithAReorganisationStopsAndHalfTablets) {
    for (int i = 1; i <= 10; ++i) drug(QStringLiteral("旧药%1").arg(i));
    Row stopped;
    stopped.content = QStringLiteral("阿莫西林胶囊");
    stopped.xmid = 3;
    stopped.quantity = 0.5;
    stopped.unit = QStringLiteral("盒");
    stopped.dose = QStringLiteral("0.25g");
    stopped.route = QStringLiteral("口服");
    stopped.frequency = QStringLiteral("tid");
    stopped.nurse = QStringLiteral("张护士");
    stopped.stopped = QStringLiteral("2016-05-12 16:30:00");
    stopped.stopDoctor = QStringLiteral("李医生");
    stopped.stopNurse = QStringLiteral("张护士");
    add(stopped);
    Row marker;
    marker.content = QStringLiteral("重整医嘱");
    marker.marker.clear();
    marker.slip.clear();
    marker.ordered = QStringLiteral("2016-05-13 08:00:00");
    add(marker);
    for (int i = 1; i <= 18; ++i) drug(QStringLiteral("新药%1").arg(i), QStringLiteral("2016-05-13 08:10:00"));
    const OrderSheet sheet = OrderSheet::load(files(), serial_, SheetKind::LongTerm);
    ASSERT_EQ(sheet.rows().size(), 30);
    ASSERT_EQ(sheet.pageCount(), 2);

    const orders::SheetRow& s = sheet.rows()[10];
    EXPECT_EQ(s.cells[0], QStringLiteral("05-10"));
    EXPECT_EQ(s.cells[1], QStringLiteral("09:07"));
    EXPECT_EQ(s.cells[2], QStringLiteral("阿莫西林胶囊      0.5盒  用法：0.25g  口服  tid"));
    EXPECT_EQ(s.cells[4], QStringLiteral("张护士"));
    EXPECT_EQ(s.cells[6], QStringLiteral("05-12"));
    EXPECT_EQ(s.cells[7], QStringLiteral("16:30"));
    EXPECT_EQ(s.cells[8], QStringLiteral("李医生"));
    EXPECT_EQ(s.cells[9], QStringLiteral("张护士"));
    EXPECT_TRUE(sheet.rows()[0].cells[6].isEmpty());  // running: no stop columns
    EXPECT_TRUE(sheet.rows()[11].marker);

    ui::RecordingBoard rec;
    ui::DrawingBoard board(rec);
    sheet.print(board, 1, 1, QStringLiteral("长期医嘱单"), QString());
    // The marker: bold, dark red (0x000080 = 128), centred in the content column (280..1042.5).
    const QStringList m = matching(rec, {QStringLiteral("text"), QString(), QString(), QStringLiteral("宋体"),
                                         QStringLiteral("30"), QStringLiteral("1"), QStringLiteral("128"),
                                         QStringLiteral("重整医嘱")});
    ASSERT_EQ(m.size(), 1);
    EXPECT_EQ(m[0].split(u'\t')[2], ui::RecordingBoard::number(280 + (762.5 - 8 * 20) / 2));
    // The row's y: the 12th data row.
    EXPECT_EQ(m[0].split(u'\t')[3],
              ui::RecordingBoard::number(orders::kGridTop + 125 + 11 * 87.5 + (87.5 - 40) / 2));
}

TEST_F(OrderSheetTest, GroupedLinesCarryTheirBoxes) {
    Row first;
    first.content = QStringLiteral("0.9%氯化钠注射液");
    first.marker = QStringLiteral("新组");
    first.dose = QStringLiteral("250ml");
    first.yzid = QStringLiteral("7001");
    add(first);
    Row second = first;
    second.content = QStringLiteral("注射用头孢曲松钠");
    second.marker = QStringLiteral("承组");
    second.dose = QStringLiteral("2g");
    second.route = QStringLiteral("静脉滴注");
    second.frequency = QStringLiteral("qd");
    second.yzid = QStringLiteral("7002");
    second.group = QStringLiteral("7001");
    add(second);
    Row material;  // materials never go on a sheet
    material.content = QStringLiteral("一次性使用输液器");
    material.xmid = 10;
    add(material);
    const OrderSheet sheet = OrderSheet::load(files(), serial_, SheetKind::LongTerm);
    ASSERT_EQ(sheet.rows().size(), 2);
    EXPECT_EQ(sheet.rows()[0].cells[2], QStringLiteral("0.9%氯化钠注射液         250ml   ┐ "));
    EXPECT_EQ(sheet.rows()[1].cells[2], QStringLiteral("注射用头孢曲松钠         2g      ┘静脉滴注 qd"));
}

TEST_F(OrderSheetTest, TemporarySheetWithANineHerbPrescription) {
    Row temp;
    temp.kind = QStringLiteral("临时医嘱");
    temp.content = QStringLiteral("血常规");
    temp.slip = QStringLiteral("执行单");
    temp.ordered = QStringLiteral("2016-05-10 08:00:00");
    temp.executed = QStringLiteral("2016-05-10 08:30:00");
    temp.nurse = QStringLiteral("张护士");
    add(temp);
    const QStringList names{QStringLiteral("黄芪"), QStringLiteral("当归"), QStringLiteral("白术"),
                            QStringLiteral("茯苓"), QStringLiteral("甘草"), QStringLiteral("陈皮"),
                            QStringLiteral("半夏"), QStringLiteral("党参"), QStringLiteral("川芎")};
    for (int i = 0; i < names.size(); ++i) {
        Row herb;
        herb.kind = QStringLiteral("处方用药");
        herb.content = names[i];
        herb.xmid = 7;
        herb.quantity = i == 8 ? 4.5 : 10 + i;
        herb.unit = QStringLiteral("g");
        herb.slip = QStringLiteral("处方单");
        herb.marker.clear();
        herb.group = QStringLiteral("8000");
        herb.ordered = QStringLiteral("2016-05-10 10:00:00");
        add(herb);
    }
    Row header;
    header.kind = QStringLiteral("处方用药");
    header.content = QStringLiteral("草药处方单");
    header.quantity = 3;
    header.route = QStringLiteral("水煎服，每日一剂");
    header.slip = QStringLiteral("处方单");
    header.marker.clear();
    header.yzid = QStringLiteral("8000");
    header.group = QStringLiteral("CYCF1605101000001234");
    header.ordered = QStringLiteral("2016-05-10 10:00:00");
    add(header);
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
        EXPECT_EQ(matching(rec, {QStringLiteral("text"), ui::RecordingBoard::number(337.5 + k * quarter), QString(),
                                 QString(), QString(), QString(), QString(), names[4 + k] + QString::number(14 + k) +
                                                                                 QStringLiteral("g")})
                      .size(),
                  1)
            << k;
    const double top = orders::kGridTop + 125;  // 执行护士's left edge on the first data row
    EXPECT_EQ(matching(rec, {QStringLiteral("line"), QStringLiteral("1655"), ui::RecordingBoard::number(top),
                             QStringLiteral("1655"), ui::RecordingBoard::number(top + 87.5)})
                  .size(),
              1);
}

TEST_F(OrderSheetTest, APatientWithoutOrdersHasNothingToPrint) {
    Row voided;
    voided.content = QStringLiteral("作废");
    voided.state = QStringLiteral("Del");
    add(voided);
    int pages = -1;
    const ui::RecordingBoard rec = print(SheetKind::LongTerm, 0, &pages);
    EXPECT_EQ(pages, 0);
    EXPECT_TRUE(rec.lines().isEmpty());
    EXPECT_EQ(orders::pageCountLabel(0), QStringLiteral("共0页"));
    // The view still draws page 1 with the header rows only.
    ui::RecordingBoard view;
    ui::DrawingBoard board(view);
    OrderSheet::load(files(), serial_, SheetKind::LongTerm).drawPage(board, 1, QString(), QString());
    EXPECT_EQ(matching(view, {QStringLiteral("text"), QString(), QString(), QString(), QStringLiteral("35")}).size(), 15);
    EXPECT_EQ(matching(view, {QStringLiteral("text"), QString(), QString(), QString(), QStringLiteral("30")}).size(), 0);
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
