#pragma once
// Documents and PDF readers shared by the editor tests.
#include <QDateTime>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTextCursor>
#include <QTextTable>
#include <QUrl>

#include "records/editor/DocumentProperties.h"
#include "records/editor/NamedFields.h"
#include "records/editor/RecordDocument.h"
#include "records/editor/Revisions.h"

namespace qh::test {

inline QString runTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A line of `pdfinfo`, e.g. "Pages" or "Page size", without its label.
inline QString pdfInfo(const QString& pdf, const QString& label) {
    for (const QString& line : runTool("pdfinfo", {pdf}).split('\n'))
        if (line.startsWith(label + ":")) return line.mid(label.size() + 1).trimmed();
    return {};
}

inline QString pdfPageText(const QString& pdf, int page) {
    return runTool("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), "-enc", "UTF-8", pdf, "-"});
}

inline void appendParagraphs(records::RecordDocument& doc, const QString& prefix, int count) {
    QTextCursor c(doc.body());
    c.movePosition(QTextCursor::End);
    for (int i = 1; i <= count; ++i) {
        if (!doc.body()->isEmpty()) c.insertBlock();
        c.insertText(QStringLiteral("%1第%2段：患者一般情况可，饮食睡眠可，二便正常，继续观察。").arg(prefix).arg(i));
    }
}

inline void writeHeader(records::RecordDocument& doc) {
    QTextCursor h(doc.header());
    h.insertText("青禾县人民医院");
    h.insertBlock();
    h.insertText("姓名：张三        科室：内科        床号：12床");
}

// A document with all the editor can hold: formatted paragraphs, a table with a merged and
// named cell, an inline named field, an image, revisions, a header, paper and a print mark.
inline void fillRichDocument(records::RecordDocument& doc) {
    using namespace records;
    QTextDocument* body = doc.body();
    QTextCursor c(body);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setTopMargin(6);
    centred.setBottomMargin(4.5);
    c.setBlockFormat(centred);
    QTextCharFormat title;
    title.setFontFamilies({"仿宋_GB2312", "AR PL UKai CN"});
    title.setFontPointSize(18);
    title.setFontWeight(QFont::Bold);
    c.insertText("入院记录", title);

    QTextCharFormat mixed;
    mixed.setFontItalic(true);
    mixed.setFontUnderline(true);
    mixed.setFontStrikeOut(true);
    mixed.setForeground(QColor(0x12, 0x34, 0x56));
    mixed.setBackground(QColor(255, 255, 0));
    c.insertBlock(QTextBlockFormat(), QTextCharFormat());
    c.insertText("患者", QTextCharFormat());
    c.insertText("张三", mixed);
    QTextCharFormat field;
    field.setProperty(AliasProperty, QStringLiteral("ZD"));
    c.insertText("诊断待填", field);

    QTextTableFormat tf;
    tf.setBorder(1.5);
    tf.setCellPadding(3);
    tf.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 120),
                                  QTextLength(QTextLength::PercentageLength, 30),
                                  QTextLength(QTextLength::VariableLength, 0)});
    QTextBlockFormat tabbed;
    tabbed.setTabPositions({QTextOption::Tab(40, QTextOption::LeftTab), QTextOption::Tab(90, QTextOption::RightTab)});
    c.insertBlock(tabbed);
    QTextTable* table = c.insertTable(3, 3, tf);
    table->mergeCells(0, 0, 1, 2);
    table->mergeCells(1, 2, 2, 1);
    table->cellAt(0, 0).firstCursorPosition().insertText("姓名");
    table->cellAt(0, 2).firstCursorPosition().insertText("待填");
    setCellAlias(table->cellAt(0, 2), "XM");
    QTextTableCellFormat shaded = table->cellAt(2, 0).format().toTableCellFormat();
    shaded.setBackground(QColor(230, 230, 230));
    table->cellAt(2, 0).setFormat(shaded);
    table->cellAt(1, 2).firstCursorPosition().insertText("跨两行");

    QTextCursor after(body);
    after.movePosition(QTextCursor::End);
    QImage image(40, 20, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(5, 5, 10, 10, Qt::red);
    body->addResource(QTextDocument::ImageResource, QUrl("qh-image-1"), image);
    QTextImageFormat img;
    img.setName("qh-image-1");
    img.setWidth(40);
    img.setHeight(20);
    after.insertImage(img);
    after.insertBlock(QTextBlockFormat(), QTextCharFormat());
    after.insertText("原文");
    insertTracked(after, "新增", "李医生", QDateTime(QDate(2016, 3, 5), QTime(9, 7, 2)));
    QTextCursor del(body);
    del.setPosition(after.position() - 4);
    del.setPosition(after.position() - 3, QTextCursor::KeepAnchor);
    deleteTracked(del, "王医生", QDateTime(QDate(2016, 3, 6), QTime(10, 0, 0)));

    QTextCursor h(doc.header());
    h.insertText("青禾县人民医院", title);
    h.insertBlock();
    h.insertText("姓名：张三    科室：内科");
    doc.setPaper(1820, 2570);
    doc.setPrintMark({12, QByteArray("\x01\x02\x03", 3)});
    doc.setTrackChanges(true);
}

}  // namespace qh::test
