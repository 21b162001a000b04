// The header line, and the common page header composed into a record and a template.
#include <QTextDocument>

#include "common/GbkText.h"
#include "records/templates/DocumentPort.h"
#include "records/templates/PageHeader.h"
#include "templates_fixture.h"

namespace qh::records {
namespace {

const HeaderValues kZhang{QStringLiteral("张三"), QStringLiteral("内科"), QStringLiteral("3"), QStringLiteral("12"),
                          QStringLiteral("1001")};

TEST(HeaderLine, AllFieldsOnA4SpreadTheGapOverFourSeparators) {
    const QString line = ComposeHeaderLine(kZhang, HeaderFlags::all(), QStringLiteral("A"));
    const QString sep(8, QLatin1Char(' '));
    EXPECT_EQ(line, QStringLiteral("姓名：张三") + sep + QStringLiteral("科室：内科") + sep + QStringLiteral("病室：3") + sep +
                        QStringLiteral("床号：12床") + QStringLiteral("   ") + sep + QStringLiteral("住院号：1001"));
    EXPECT_EQ(text::gbkLength(line), 84);
    EXPECT_EQ(text::gbkLength(ComposeHeaderLine(kZhang, HeaderFlags::all(), QStringLiteral("B"))), 74);
}

TEST(HeaderLine, NoFieldsGiveTheGapInSpaces) {
    EXPECT_EQ(ComposeHeaderLine(kZhang, HeaderFlags{}, QStringLiteral("A")), QString(84, QLatin1Char(' ')));
    // B5: four separators of 18 and the rest of 2, all blank.
    EXPECT_EQ(ComposeHeaderLine(kZhang, HeaderFlags{}, QStringLiteral("B")), QString(74, QLatin1Char(' ')));
}

TEST(HeaderLine, TooLongLineGetsNoPadding) {
    HeaderValues v = kZhang;
    v.name = QStringLiteral("欧阳娜娜娜娜娜娜娜娜娜娜");
    v.department = QStringLiteral("心血管内科二病区");
    const QString line = ComposeHeaderLine(v, HeaderFlags::all(), QStringLiteral("B"));
    EXPECT_EQ(line, QStringLiteral("姓名：欧阳娜娜娜娜娜娜娜娜娜娜科室：心血管内科二病区病室：3床号：12床住院号：1001"));
}

TEST(HeaderLine, HiddenFieldsKeepTheirSeparators) {
    HeaderFlags f;
    f.name = f.number = true;
    const QString line = ComposeHeaderLine(kZhang, f, QStringLiteral("A"));
    // 10 + 12 bytes shown, gap 62: separators of 15 and a rest of 2, all between the two.
    EXPECT_EQ(line, QStringLiteral("姓名：张三") + QString(62, QLatin1Char(' ')) + QStringLiteral("住院号：1001"));
}

class HeaderCompositionTest : public test::TemplatesWard {
protected:
    void SetUp() override { makeWard(false); }
    static QByteArray headerDocument() {
        RecordDocumentPort p;
        p.document().body()->setPlainText(QStringLiteral("{医院名称}\n{眉头}"));
        return p.GetContent();
    }
};

TEST_F(HeaderCompositionTest, RecordHeaderIsFilledAndPlaced) {
    RecordDocumentPort header, record;
    ASSERT_TRUE(header.SetContent(headerDocument()));
    record.document().body()->setPlainText(QStringLiteral("正文"));
    ComposeRecordHeader(header, record, QStringLiteral("青禾医院"), kZhang, HeaderFlags::all(), QStringLiteral("A"));
    EXPECT_FALSE(header.IsModified());
    const QStringList lines = record.document().header()->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("青禾医院"));
    EXPECT_EQ(lines[1], ComposeHeaderLine(kZhang, HeaderFlags::all(), QStringLiteral("A")));
    EXPECT_EQ(record.document().body()->toPlainText(), QStringLiteral("正文"));
    // The header travels with the stored record.
    RecordDocumentPort reloaded;
    ASSERT_TRUE(reloaded.SetContent(record.GetContent()));
    EXPECT_TRUE(reloaded.document().header()->toPlainText().contains(QStringLiteral("住院号：1001")));
}

TEST_F(HeaderCompositionTest, PreviewUsesSampleValuesOfTheTickedFields) {
    ASSERT_TRUE(db_.Execute(QStringLiteral("insert into GSMB (检索,纸张,数据) values ('通用页眉','B',?)"), headerDocument()));
    RecordDocumentPort templ;
    HeaderFlags boxes;
    boxes.name = boxes.department = boxes.bed = true;
    ASSERT_TRUE(PreviewTemplateHeader(templ, QStringLiteral("青禾医院"), QStringLiteral("外科"), boxes, QStringLiteral("B")));
    const QString expected = ComposeHeaderLine({QStringLiteral("XXX"), QStringLiteral("外科"), QStringLiteral("X"),
                                                QStringLiteral("X"), QStringLiteral("XXX")},
                                               boxes, QStringLiteral("B"));
    EXPECT_EQ(templ.document().header()->toPlainText(), QStringLiteral("青禾医院\n") + expected);
    EXPECT_TRUE(expected.startsWith(QStringLiteral("姓名：XXX")));
    EXPECT_FALSE(expected.contains(QStringLiteral("病室")));
}

TEST(RecordPaper, FollowsTheBaseDocumentColumn) {
    RecordDocumentPort record;
    SetRecordPaper(record, QStringLiteral("B5数据"));
    EXPECT_EQ(record.document().paper(), (PaperSize{1820, 2570}));
    SetRecordPaper(record, QStringLiteral("A4数据"));
    EXPECT_EQ(record.document().paper(), (PaperSize{2100, 2970}));
}

}  // namespace
}  // namespace qh::records
