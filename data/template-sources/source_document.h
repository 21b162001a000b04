#pragma once
// What the two document generators share (qh-make-templates here and qh-make-frontpage in
// ../frontpage-sources): the formats they set text in, the cells of a source table row, a
// table spread over the line, the document written on its paper, and the files they write.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <cstdio>
#include <functional>

#include "records/editor/EwdFormat.h"
#include "records/editor/FontChoice.h"
#include "records/editor/RecordDocument.h"

namespace qh::sources {

inline QTextCharFormat charFormat(double pt, bool bold, const QString& face) {
    QTextCharFormat f;
    f.setFontFamilies(records::fontFamiliesFor(face));
    f.setFontPointSize(pt);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    return f;
}

// lineHeight: the line's height in percent of the font's; 0 leaves the editor's own.
inline QTextBlockFormat blockFormat(Qt::Alignment align, double top = 0, double bottom = 0, int lineHeight = 0) {
    QTextBlockFormat b;
    b.setAlignment(align);
    b.setTopMargin(top);
    b.setBottomMargin(bottom);
    if (lineHeight) b.setLineHeight(lineHeight, QTextBlockFormat::ProportionalHeight);
    return b;
}

// Starts a paragraph: the first one of the document, or the one right after a table, takes
// the formats where the cursor stands; any other is a new block.
inline void newBlock(QTextCursor& c, bool& first, const QTextBlockFormat& b, const QTextCharFormat& f) {
    if (first) {
        c.setBlockFormat(b);
        c.setBlockCharFormat(f);
        c.setCharFormat(f);
        first = false;
    } else {
        c.insertBlock(b, f);
    }
}

struct SourceCell {
    QString text;
    int span = 1;
};

// The cells of a table row "|a|b>>2|": the outer bars dropped, each cell trimmed and its
// ">>N" (the columns it spans) taken off.
inline QVector<SourceCell> splitRow(QString line) {
    line = line.trimmed();
    if (line.startsWith(QLatin1Char('|'))) line.remove(0, 1);
    if (line.endsWith(QLatin1Char('|'))) line.chop(1);
    static const QRegularExpression spanRx(QStringLiteral(">>(\\d+)$"));
    QVector<SourceCell> cells;
    for (QString t : line.split(QLatin1Char('|'))) {
        SourceCell cell;
        t = t.trimmed();
        if (const auto m = spanRx.match(t); m.hasMatch()) {
            cell.span = m.captured(1).toInt();
            t = t.left(m.capturedStart()).trimmed();
        }
        cell.text = t;
        cells.append(cell);
    }
    return cells;
}

// The columns of a table: the most any row's spans add up to.
template <typename Cell>
int columnCount(const QVector<QVector<Cell>>& rows) {
    int columns = 0;
    for (const auto& r : rows) {
        int n = 0;
        for (const auto& cell : r) n += cell.span;
        columns = qMax(columns, n);
    }
    return columns;
}

// A table over the whole width with its columns in percent: ruled in solid black, or unruled.
inline QTextTableFormat tableFormat(bool ruled, double padding, double margin, const QVector<double>& percents) {
    QTextTableFormat tf;
    tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    tf.setCellPadding(padding);
    tf.setCellSpacing(0);
    tf.setBorder(ruled ? 1 : 0);
    tf.setBorderStyle(ruled ? QTextFrameFormat::BorderStyle_Solid : QTextFrameFormat::BorderStyle_None);
    tf.setBorderCollapse(true);
    tf.setBorderBrush(Qt::black);
    tf.setTopMargin(margin);
    tf.setBottomMargin(margin);
    QVector<QTextLength> constraints;
    for (double p : percents) constraints << QTextLength(QTextLength::PercentageLength, p);
    tf.setColumnWidthConstraints(constraints);
    return tf;
}

// The document `build` makes, in the face (and size, unless 0) given, on paper of the
// given size in tenths of a millimetre, as the editor stores it.
inline QByteArray documentBytes(const QString& face, double pt, int width, int height,
                                const std::function<void(QTextDocument*)>& build) {
    records::RecordDocument doc;
    QFont font = doc.body()->defaultFont();
    font.setFamilies(records::fontFamiliesFor(face));
    if (pt > 0) font.setPointSizeF(pt);
    doc.body()->setDefaultFont(font);
    if (build) build(doc.body());
    doc.setPaper(width, height);
    doc.setModified(false);
    return records::encodeEwd(doc);
}

// The source <name>.txt of the folder; false (and said so) when it cannot be read.
inline bool readSource(const QDir& sources, const QString& name, QString* text) {
    QFile src(sources.filePath(name + QStringLiteral(".txt")));
    if (!src.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "missing source %s.txt\n", name.toUtf8().constData());
        return false;
    }
    *text = QString::fromUtf8(src.readAll());
    return true;
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

}  // namespace qh::sources
