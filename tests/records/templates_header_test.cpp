// The header line under the hospital name: the ticked fields spread over the paper's width.
#include "common/GbkText.h"
#include "records/templates/DocumentPort.h"
#include "records/templates/PageHeader.h"
#include <gtest/gtest.h>

namespace qh::records {
namespace {

TEST(HeaderLine, TickedFieldsAreSpacedToFillThePapersLine) {
    const HeaderValues zhang{"张三", "内科", "3", "12", "1001"};
    HeaderValues longValues = zhang;
    longValues.name = "欧阳娜娜娜娜娜娜娜娜娜娜";
    longValues.department = "心血管内科二病区";
    HeaderFlags nameAndNumber;
    nameAndNumber.name = nameAndNumber.number = true;
    const QString sep(8, ' ');
    const struct {
        HeaderValues values;
        HeaderFlags flags;
        QString paper, line;
    } cases[] = {
        // A4 holds 84 GBK bytes: the gap goes to four separators, the rest before the last field.
        {zhang, HeaderFlags::all(), "A", "姓名：张三" + sep + "科室：内科" + sep + "病室：3" + sep + "床号：12床   " + sep + "住院号：1001"},
        {zhang, HeaderFlags{}, "A", QString(84, ' ')},
        {zhang, HeaderFlags{}, "B", QString(74, ' ')},  // four separators of 18 and the rest of 2
        // Hidden fields keep their separators: 22 bytes shown, all 62 of the gap between the two.
        {zhang, nameAndNumber, "A", "姓名：张三" + QString(62, ' ') + "住院号：1001"},
        {longValues, HeaderFlags::all(), "B", "姓名：欧阳娜娜娜娜娜娜娜娜娜娜科室：心血管内科二病区病室：3床号：12床住院号：1001"},
    };
    for (const auto& c : cases) EXPECT_EQ(composeHeaderLine(c.values, c.flags, c.paper), c.line) << c.line.toStdString();
    EXPECT_EQ(text::gbkLength(composeHeaderLine(zhang, HeaderFlags::all(), "B")), 74);
}

TEST(RecordPaper, FollowsTheBaseDocumentColumn) {
    RecordDocumentPort record;
    setRecordPaper(record, "B5数据");
    EXPECT_EQ(record.document().paper(), (PaperSize{1820, 2570}));
    setRecordPaper(record, "A4数据");
    EXPECT_EQ(record.document().paper(), (PaperSize{2100, 2970}));
}

}  // namespace
}  // namespace qh::records
