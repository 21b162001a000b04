// What the doctor sees: the editor showing a header, a table, an image and revisions, and
// a printed two-page record. The pictures land in QH_EDITOR_SHOTS when that is set, so
// that a person can look at them; the test checks what can be checked automatically.
#include "records/editor/NamedFields.h"
#include "records/editor/PagePrinter.h"
#include "records/editor/Revisions.h"
#include "records/ui/DocumentEditor.h"
#include "records/ui/RecordTextEdit.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTextCursor>
#include <QTextTable>
#include <gtest/gtest.h>

using namespace qh::records;

namespace {

QString shotPath(const qh::test::TempDir& temp, const QString& name) {
    const QString dir = qEnvironmentVariable("QH_EDITOR_SHOTS");
    if (dir.isEmpty()) return temp.file(name);
    QDir().mkpath(dir);
    return QDir(dir).filePath(name);
}

void composeSampleRecord(DocumentEditor& editor, const qh::test::TempDir& temp) {
    QTextCursor h(editor.document().header());
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    QTextCharFormat hospital;
    hospital.setFontPointSize(16);
    hospital.setFontWeight(QFont::Bold);
    h.setBlockFormat(centred);
    h.insertText("青禾县人民医院", hospital);
    h.insertBlock(centred, QTextCharFormat());
    h.insertText("姓名：张三      科室：内科      病室：3      床号：12床      住院号：1001");

    QTextCursor c(editor.document().body());
    c.setBlockFormat(centred);
    QTextCharFormat title;
    title.setFontPointSize(15);
    title.setFontWeight(QFont::Bold);
    c.insertText("入 院 记 录", title);
    c.insertBlock(QTextBlockFormat(), QTextCharFormat());
    QTextTableFormat tf;
    tf.setBorder(1);
    tf.setCellPadding(4);
    tf.setCellSpacing(0);
    tf.setBorderCollapse(true);
    tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QTextTable* table = c.insertTable(3, 4, tf);
    const char* labels[] = {"姓名", "性别", "年龄", "诊断"};
    const char* aliases[] = {"XM", "XB", "NL", "ZD"};
    for (int i = 0; i < 4; ++i) {
        table->cellAt(i / 2, (i % 2) * 2).firstCursorPosition().insertText(labels[i]);
        setCellAlias(table->cellAt(i / 2, (i % 2) * 2 + 1), aliases[i]);
    }
    table->mergeCells(2, 0, 1, 4);
    table->cellAt(2, 0).firstCursorPosition().insertText("主诉：反复咳嗽、咳痰3年，加重伴发热2天。");
    editor.SetCellText("XM", "张三");
    editor.SetCellText("XB", "男");
    editor.SetCellText("NL", "65岁");
    editor.SetCellText("ZD", "慢性阻塞性肺疾病急性加重");

    QImage chart(360, 120, QImage::Format_RGB32);
    chart.fill(Qt::white);
    QPainter p(&chart);
    p.setPen(QPen(Qt::red, 3));
    p.drawPolyline(QPolygon({QPoint(10, 90), QPoint(80, 40), QPoint(150, 70), QPoint(220, 20), QPoint(350, 60)}));
    p.setPen(Qt::black);
    p.drawRect(0, 0, 359, 119);
    p.end();
    chart.save(temp.file("chart.png"));
    QTextCursor end(editor.document().body());
    end.movePosition(QTextCursor::End);
    end.insertBlock();
    editor.bodyView()->setTextCursor(end);
    editor.InsertPicture(temp.file("chart.png"));

    QTextCursor more(editor.document().body());
    more.movePosition(QTextCursor::End);
    more.insertBlock();
    more.insertText("现病史：患者3年前受凉后出现咳嗽、咳白色黏痰，冬春季加重。");
    insertTracked(more, "2天前出现发热，最高体温38.9℃。", "李医生", QDateTime(QDate(2016, 3, 5), QTime(9, 7, 2)));
    QTextCursor struck(editor.document().body());
    struck.setPosition(more.block().position() + 11);
    struck.setPosition(more.block().position() + 14, QTextCursor::KeepAnchor);
    deleteTracked(struck, "王主任", QDateTime(QDate(2016, 3, 6), QTime(8, 30, 0)));
    for (int i = 1; i <= 40; ++i) {
        more.insertBlock(QTextBlockFormat(), QTextCharFormat());
        more.insertText(QStringLiteral("病程记录第%1条：患者神志清，精神可，咳嗽较前减轻，双肺呼吸音粗，继续抗感染、化痰治疗。").arg(i),
                        QTextCharFormat());
    }
}

}  // namespace

TEST(EditorLook, PrintedRecordAndEditorScreenshot) {
    qh::test::TempDir temp;
    DocumentEditor editor;
    editor.resize(900, 1180);
    composeSampleRecord(editor, temp);

    const QString pdf = shotPath(temp, "editor-print.pdf");
    ASSERT_TRUE(editor.ExportPdf(pdf));
    ASSERT_GE(pageCount(editor.document()), 2);
    QProcess render;
    render.start("pdftoppm", {"-r", "60", "-png", pdf, shotPath(temp, "editor-print")});
    ASSERT_TRUE(render.waitForFinished(60000));
    QImage firstPage(shotPath(temp, "editor-print-1.png"));
    ASSERT_FALSE(firstPage.isNull());
    EXPECT_NEAR(double(firstPage.width()) / firstPage.height(), 2100.0 / 2970.0, 0.01);  // A4

    editor.show();
    QTextCursor top(editor.document().body());
    editor.bodyView()->setTextCursor(top);
    editor.bodyView()->refreshPageBreaks();
    QApplication::processEvents();
    QImage shot = editor.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_TRUE(editor.headerView()->isVisible());
    EXPECT_FALSE(editor.bodyView()->pageBreaks().isEmpty());
    shot.save(shotPath(temp, "editor.png"));
}
