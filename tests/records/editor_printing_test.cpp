// Paper and printing: pages on the document's paper with the header on each, PDF export,
// and continued printing of only what was written since the last print.
#include "records/editor/PagePrinter.h"
#include "records/editor/RecordDocument.h"
#include "records/ui/DocumentEditor.h"
#include "support/TempDir.h"

#include <QImage>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QTextCursor>
#include <gtest/gtest.h>

using namespace qh::records;

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString& pdf) {
    const QString info = run("pdfinfo", {pdf});
    for (const QString& line : info.split('\n'))
        if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
    return -1;
}

QString pdfPageText(const QString& pdf, int page) {
    return run("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), "-enc", "UTF-8", pdf, "-"});
}

void appendParagraphs(RecordDocument& doc, const QString& prefix, int count) {
    QTextCursor c(doc.body());
    c.movePosition(QTextCursor::End);
    for (int i = 1; i <= count; ++i) {
        if (!doc.body()->isEmpty()) c.insertBlock();
        c.insertText(QStringLiteral("%1第%2段：患者一般情况可，饮食睡眠可，二便正常，继续观察。").arg(prefix).arg(i));
    }
}

void setHeader(RecordDocument& doc) {
    QTextCursor h(doc.header());
    h.insertText("青禾县人民医院");
    h.insertBlock();
    h.insertText("姓名：张三        科室：内科        床号：12床");
}

}  // namespace

TEST(EditorPrinting, PdfHasHeaderAndPageNumberOnEveryPage) {
    qh::test::TempDir dir;
    RecordDocument doc;
    setHeader(doc);
    appendParagraphs(doc, "病程", 60);
    const int expected = pageCount(doc);
    ASSERT_GE(expected, 2);
    QString error;
    ASSERT_TRUE(exportPdf(doc, dir.file("病历.pdf"), &error)) << error.toStdString();
    ASSERT_EQ(pdfPages(dir.file("病历.pdf")), expected);
    for (int page = 1; page <= expected; ++page) {
        const QString text = pdfPageText(dir.file("病历.pdf"), page);
        EXPECT_TRUE(text.contains("青禾县人民医院")) << page;
        EXPECT_TRUE(text.contains(QStringLiteral("第 %1 页").arg(page))) << page;
    }
    EXPECT_TRUE(pdfPageText(dir.file("病历.pdf"), 1).contains("病程第1段"));
    EXPECT_TRUE(pdfPageText(dir.file("病历.pdf"), expected).contains("病程第60段"));
    // Exporting is not printing: continued printing still has everything to print.
    EXPECT_EQ(doc.printMark().position, -1);
}

TEST(EditorPrinting, SmallerPaperTakesMorePages) {
    RecordDocument doc;
    appendParagraphs(doc, "病程", 150);
    const int a4 = pageCount(doc);
    doc.setPaper(1820, 2570);
    EXPECT_GT(pageCount(doc), a4);
    EXPECT_EQ(pageStartPositions(doc).size(), pageCount(doc) - 1);
}

TEST(EditorPrinting, ContinuedPrintingPrintsOnlyTheNewPartWithoutRepeatingTheHeader) {
    qh::test::TempDir dir;
    RecordDocument doc;
    setHeader(doc);
    appendParagraphs(doc, "首次", 5);
    {
        QPdfWriter first(dir.file("first.pdf"));
        ASSERT_EQ(printDocument(doc, &first, true).status, PrintStatus::Printed);
    }
    EXPECT_EQ(doc.printMark().position, doc.body()->characterCount() - 1);
    EXPECT_TRUE(doc.isModified());  // the mark belongs to the document and must be stored

    appendParagraphs(doc, "续写", 2);
    {
        QPdfWriter second(dir.file("second.pdf"));
        PrintOutcome outcome = continuePrint(doc, &second);
        ASSERT_EQ(outcome.status, PrintStatus::Printed);
        EXPECT_EQ(outcome.pages, 1);
    }
    const QString text = pdfPageText(dir.file("second.pdf"), 1);
    EXPECT_TRUE(text.contains("续写第1段"));
    EXPECT_TRUE(text.contains("续写第2段"));
    EXPECT_FALSE(text.contains("首次"));
    EXPECT_FALSE(text.contains("青禾县人民医院"));  // the sheet in the printer has it already

    QPdfWriter third(dir.file("third.pdf"));
    PrintOutcome nothing = continuePrint(doc, &third);
    EXPECT_EQ(nothing.status, PrintStatus::NothingToPrint);
    EXPECT_EQ(nothing.message, "无可打印页面！");
}

TEST(EditorPrinting, ContinuedPrintingOfTextAppendedToThePrintedParagraph) {
    qh::test::TempDir dir;
    RecordDocument doc;
    QTextCursor(doc.body()).insertText("体温正常。");
    QPdfWriter first(dir.file("a.pdf"));
    printDocument(doc, &first, true);
    QTextCursor c(doc.body());
    c.movePosition(QTextCursor::End);
    c.insertText("晚间复测38.5℃。");
    QPdfWriter second(dir.file("b.pdf"));
    ASSERT_EQ(continuePrint(doc, &second).status, PrintStatus::Printed);
    EXPECT_TRUE(pdfPageText(dir.file("b.pdf"), 1).contains("晚间复测"));
    // On the sheet, the printed start of the line stays blank and the new text follows it.
    run("pdftoppm", {"-r", "50", "-f", "1", "-l", "1", "-png", dir.file("b.pdf"), dir.file("b")});
    QImage page(dir.file("b-1.png"));
    ASSERT_FALSE(page.isNull());
    auto inked = [&page](int x0, int x1, int y0, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (qGray(page.pixel(x, y)) < 160) return true;
        return false;
    };
    const int mm = 50 / 25.4 + 0.5;  // pixels per millimetre, rounded
    EXPECT_FALSE(inked(24 * mm, 45 * mm, 14 * mm, 22 * mm));  // 体温正常。
    EXPECT_TRUE(inked(46 * mm, 90 * mm, 14 * mm, 22 * mm));   // 晚间复测38.5℃。
}

TEST(EditorPrinting, ContinuedPrintingRefusesWhenThePrintedPartWasChanged) {
    qh::test::TempDir dir;
    RecordDocument doc;
    appendParagraphs(doc, "首次", 3);
    QPdfWriter first(dir.file("a.pdf"));
    printDocument(doc, &first, true);
    QTextCursor c(doc.body());
    c.setPosition(0);
    c.insertText("改");
    appendParagraphs(doc, "续写", 1);
    QPdfWriter second(dir.file("b.pdf"));
    PrintOutcome outcome = continuePrint(doc, &second);
    EXPECT_EQ(outcome.status, PrintStatus::PrintedPartChanged);
    EXPECT_FALSE(outcome.message.isEmpty());
}

TEST(EditorPrinting, NeverPrintedDocumentContinuesAsAWholePrintAndEmptyHasNothing) {
    qh::test::TempDir dir;
    RecordDocument empty;
    QPdfWriter a(dir.file("a.pdf"));
    EXPECT_EQ(printDocument(empty, &a, true).status, PrintStatus::NothingToPrint);
    RecordDocument doc;
    setHeader(doc);
    appendParagraphs(doc, "首次", 2);
    {
        QPdfWriter b(dir.file("b.pdf"));
        EXPECT_EQ(continuePrint(doc, &b).status, PrintStatus::Printed);
    }
    EXPECT_TRUE(pdfPageText(dir.file("b.pdf"), 1).contains("青禾县人民医院"));
}

TEST(EditorPrinting, PrintMarkTravelsWithTheStoredDocument) {
    qh::test::TempDir dir;
    DocumentEditor editor;
    appendParagraphs(editor.document(), "首次", 2);
    QPdfWriter first(dir.file("a.pdf"));
    printDocument(editor.document(), &first, true);
    DocumentEditor reloaded;
    ASSERT_TRUE(reloaded.SetContent(editor.GetContent()));
    QPdfWriter second(dir.file("b.pdf"));
    EXPECT_EQ(continuePrint(reloaded.document(), &second).status, PrintStatus::NothingToPrint);
}

TEST(EditorPrinting, PrinterReceivesOnlyTheNewPartThroughTheEditor) {
    qh::test::TempDir dir;
    DocumentEditor editor;
    setHeader(editor.document());
    appendParagraphs(editor.document(), "首次", 3);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.file("full.pdf"));
    ASSERT_EQ(editor.PrintRecord(&printer).status, PrintStatus::Printed);
    EXPECT_TRUE(pdfPageText(dir.file("full.pdf"), 1).contains("青禾县人民医院"));

    appendParagraphs(editor.document(), "续写", 1);
    printer.setOutputFileName(dir.file("more.pdf"));
    ASSERT_EQ(editor.ContinuePrintRecord(&printer).status, PrintStatus::Printed);
    const QString text = pdfPageText(dir.file("more.pdf"), 1);
    EXPECT_TRUE(text.contains("续写第1段"));
    EXPECT_FALSE(text.contains("首次"));
    printer.setOutputFileName(dir.file("none.pdf"));
    EXPECT_EQ(editor.ContinuePrintRecord(&printer).message, kNothingToPrint);
}
