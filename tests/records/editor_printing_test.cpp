// Paper and printing: pages on the document's paper with the header on each, PDF export,
// continued printing of only what was written since the last print, and the page breaks
// on screen (the PDF and a screenshot land in QH_EDITOR_SHOTS when that is set).
#include "records/editor/PagePrinter.h"
#include "records/ui/DocumentEditor.h"
#include "records/ui/RecordTextEdit.h"
#include "support/temp_dir.h"

#include <QApplication>
#include <QDir>
#include <QPdfWriter>
#include <QPrinter>
#include <gtest/gtest.h>

#include "editor_samples.h"

using namespace qh::records;
using namespace qh::test;

TEST(EditorPrinting, PdfOnThePaperHasHeaderAndPageNumberOnEveryPageAndTheEditorShowsBreaks) {
    TempDir temp;
    const QString shots = qEnvironmentVariable("QH_EDITOR_SHOTS", temp.path());
    QDir().mkpath(shots);
    DocumentEditor editor;
    editor.resize(900, 1180);
    RecordDocument& doc = editor.document();
    fillRichDocument(doc);  // on B5, with a header and a print mark
    appendParagraphs(doc, "病程", 60);
    const int expected = pageCount(doc);
    ASSERT_GE(expected, 2);
    const QString pdf = QDir(shots).filePath("editor-print.pdf");
    QString error;
    ASSERT_TRUE(editor.exportPdf(pdf, &error)) << error.toStdString();
    ASSERT_EQ(pdfInfo(pdf, "Pages").toInt(), expected);
    const QStringList size = pdfInfo(pdf, "Page size").split(' ');  // "515.906 x 728.504 pts"
    ASSERT_GE(size.size(), 3);
    EXPECT_NEAR(size[0].toDouble() / size[2].toDouble(), 1820.0 / 2570.0, 0.01);
    for (int page = 1; page <= expected; ++page) {
        const QString text = pdfPageText(pdf, page);
        EXPECT_TRUE(text.contains("青禾县人民医院")) << page;
        EXPECT_TRUE(text.contains(QStringLiteral("第 %1 页").arg(page))) << page;
    }
    EXPECT_TRUE(pdfPageText(pdf, 1).contains("入院记录"));
    EXPECT_TRUE(pdfPageText(pdf, expected).contains("病程第60段"));
    // Exporting is not printing: the mark of the last print stays where it was.
    EXPECT_EQ(doc.printMark().position, 12);

    editor.show();
    editor.bodyView()->setTextCursor(QTextCursor(doc.body()));
    editor.bodyView()->refreshPageBreaks();
    QApplication::processEvents();
    const QImage shot = editor.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(editor.headerView()->isVisible());
    EXPECT_FALSE(editor.bodyView()->pageBreaks().isEmpty());
    shot.save(QDir(shots).filePath("editor.png"));

    RecordDocument plain;
    appendParagraphs(plain, "病程", 150);
    const int a4 = pageCount(plain);
    plain.setPaper(1820, 2570);
    EXPECT_GT(pageCount(plain), a4);
    EXPECT_EQ(pageStartPositions(plain).size(), pageCount(plain) - 1);
}

TEST(EditorPrinting, ContinuedPrintingPrintsOnlyTheNewPartWithoutRepeatingTheHeader) {
    TempDir dir;
    DocumentEditor editor;
    RecordDocument& doc = editor.document();
    writeHeader(doc);
    appendParagraphs(doc, "首次", 5);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.file("full.pdf"));
    ASSERT_EQ(editor.printRecord(&printer).status, PrintStatus::Printed);
    EXPECT_TRUE(pdfPageText(dir.file("full.pdf"), 1).contains("青禾县人民医院"));
    EXPECT_EQ(doc.printMark().position, doc.body()->characterCount() - 1);
    EXPECT_TRUE(doc.isModified());  // the mark belongs to the document and must be stored

    appendParagraphs(doc, "续写", 2);
    printer.setOutputFileName(dir.file("more.pdf"));
    const PrintOutcome outcome = editor.continuePrintRecord(&printer);
    ASSERT_EQ(outcome.status, PrintStatus::Printed);
    EXPECT_EQ(outcome.pages, 1);
    const QString text = pdfPageText(dir.file("more.pdf"), 1);
    EXPECT_TRUE(text.contains("续写第1段"));
    EXPECT_TRUE(text.contains("续写第2段"));
    EXPECT_FALSE(text.contains("首次"));
    EXPECT_FALSE(text.contains("青禾县人民医院"));  // the sheet in the printer has it already

    // The mark travels with the stored document: reloaded, there is nothing new.
    DocumentEditor reloaded;
    ASSERT_TRUE(reloaded.setContent(editor.content()));
    QPdfWriter none(dir.file("none.pdf"));
    const PrintOutcome nothing = continuePrint(reloaded.document(), &none);
    EXPECT_EQ(nothing.status, PrintStatus::NothingToPrint);
    EXPECT_EQ(nothing.message, "无可打印页面！");
}

TEST(EditorPrinting, ContinuedPrintingOfTextAppendedToThePrintedParagraph) {
    TempDir dir;
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
    runTool("pdftoppm", {"-r", "50", "-f", "1", "-l", "1", "-png", dir.file("b.pdf"), dir.file("b")});
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

TEST(EditorPrinting, EmptyHasNothingNeverPrintedPrintsWholeAndChangedPrintedPartIsRefused) {
    TempDir dir;
    RecordDocument empty;
    QPdfWriter a(dir.file("a.pdf"));
    EXPECT_EQ(printDocument(empty, &a, true).status, PrintStatus::NothingToPrint);

    RecordDocument doc;
    writeHeader(doc);
    appendParagraphs(doc, "首次", 2);
    {
        QPdfWriter b(dir.file("b.pdf"));
        EXPECT_EQ(continuePrint(doc, &b).status, PrintStatus::Printed);
    }
    EXPECT_TRUE(pdfPageText(dir.file("b.pdf"), 1).contains("青禾县人民医院"));

    QTextCursor(doc.body()).insertText("改");
    appendParagraphs(doc, "续写", 1);
    QPdfWriter c(dir.file("c.pdf"));
    const PrintOutcome outcome = continuePrint(doc, &c);
    EXPECT_EQ(outcome.status, PrintStatus::PrintedPartChanged);
    EXPECT_FALSE(outcome.message.isEmpty());
}
