// Builds the starter format templates of a new installation from the readable sources
// beside this file, with the editor's own document classes, so the seed stores exactly
// what the editor writes:
//   qh-make-templates <this folder> <data/seed/dzbl>
// writes templates/a4/*.ewd and templates/b5/*.ewd (every template on both papers, and
// the blank base documents base.ewd), GSMB.tsv and 基础模板.tsv. Re-run after editing.
// The source format is described in README.md here.
#include <QGuiApplication>
#include <QTextBlock>

#include "records/editor/NamedFields.h"
#include "source_document.h"

using namespace qh::records;
using qh::sources::columnCount;
using qh::sources::readSource;
using qh::sources::SourceCell;
using qh::sources::splitRow;
using qh::sources::tableFormat;
using qh::sources::writeFile;

namespace {

constexpr double kBodyPt = 12;     // 小四
constexpr double kTitlePt = 16;    // 三号
constexpr double kHeaderPt = 10.5; // 五号: the header line of 84 (A4) or 74 (B5) bytes fits the width

const QString kFace = QStringLiteral("仿宋_GB2312");

QTextCharFormat charFormat(double pt, bool bold, const QString& face = kFace) { return qh::sources::charFormat(pt, bold, face); }

QTextBlockFormat blockFormat(Qt::Alignment align, double top = 0, double bottom = 0) {
    return qh::sources::blockFormat(align, top, bottom, 135);
}

// Inserts text with **bold** runs in the given base format.
void insertRich(QTextCursor& c, const QString& text, const QTextCharFormat& base) {
    const QStringList parts = text.split(QStringLiteral("**"));
    for (int i = 0; i < parts.size(); ++i) {
        if (parts[i].isEmpty()) continue;
        QTextCharFormat f = base;
        if (i % 2 == 1) f.setFontWeight(QFont::Bold);
        c.insertText(parts[i], f);
    }
}

void insertTable(QTextCursor& c, const QVector<QVector<SourceCell>>& rows, bool ruled, QVector<int> widths) {
    // The patient line (a table without rules) is set smaller so its labels keep to one line on B5.
    const double pt = ruled ? kBodyPt : kHeaderPt;
    const int columns = columnCount(rows);
    QVector<double> percents;
    for (int i = 0; i < columns; ++i) percents << (i < widths.size() ? widths[i] : 100.0 / columns);
    QTextTable* table = c.insertTable(int(rows.size()), columns, tableFormat(ruled, ruled ? 4 : 2, ruled ? 4 : 0, percents));
    for (int r = 0; r < rows.size(); ++r) {
        int col = 0;
        for (const SourceCell& cell : rows[r]) {
            if (cell.span > 1) table->mergeCells(r, col, 1, cell.span);
            QTextTableCell tc = table->cellAt(r, col);
            QTextCursor cc = tc.firstCursorPosition();
            cc.setBlockFormat(blockFormat(Qt::AlignLeft | Qt::AlignVCenter));
            static const QRegularExpression aliasRx(QStringLiteral("^\\[([^\\]\\s]+)\\]$"));
            const auto m = aliasRx.match(cell.text);
            if (m.hasMatch()) {
                cc.setBlockCharFormat(charFormat(pt, false));
                // The cell's own format is set last: the block's character format lives
                // beside it and writing that would take the alias away again.
                QTextTableCell named = table->cellAt(r, col);
                QTextCharFormat cf = named.format();
                cf.merge(charFormat(pt, false));
                named.setFormat(cf);
                setCellAlias(table->cellAt(r, col), m.captured(1));
            } else {
                insertRich(cc, cell.text, charFormat(pt, false));
            }
            col += cell.span;
        }
    }
    c.movePosition(QTextCursor::End);
}

// Builds one document from its source text.
void buildDocument(const QString& source, QTextDocument* doc) {
    QTextCursor c(doc);
    bool first = true;
    QVector<QVector<SourceCell>> rows;
    bool ruled = false;
    QVector<int> widths;
    const auto flushTable = [&] {
        if (rows.isEmpty()) return;
        insertTable(c, rows, ruled, widths);
        first = true;  // the paragraph after the table takes the next line
        rows.clear();
        widths.clear();
    };
    const auto newBlock = [&](const QTextBlockFormat& b, const QTextCharFormat& f) { qh::sources::newBlock(c, first, b, f); };
    for (const QString& raw : source.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        const bool tableRow = line.startsWith(QLatin1Char('|')) || line.startsWith(QLatin1String("~ "));
        if (tableRow) {
            const bool rowRuled = line.startsWith(QLatin1Char('|'));
            if (!rows.isEmpty() && rowRuled != ruled) flushTable();
            if (rows.isEmpty()) {
                // A table needs a paragraph before it (the first one of the document too).
                if (first && c.atStart()) newBlock(blockFormat(Qt::AlignLeft), charFormat(kBodyPt, false));
                else if (first) first = false;
                ruled = rowRuled;
            }
            rows.append(splitRow(rowRuled ? line : line.mid(2)));
            continue;
        }
        if (line.startsWith(QLatin1String("@w "))) {
            flushTable();
            widths.clear();
            for (const QString& w : line.mid(3).split(QLatin1Char(' '), Qt::SkipEmptyParts)) widths << w.toInt();
            continue;
        }
        flushTable();
        if (line.startsWith(QLatin1String("# "))) {
            newBlock(blockFormat(Qt::AlignHCenter, 0, 10), charFormat(kTitlePt, true, QStringLiteral("宋体")));
            c.insertText(line.mid(2), charFormat(kTitlePt, true, QStringLiteral("宋体")));
        } else if (line.startsWith(QLatin1String("## "))) {
            newBlock(blockFormat(Qt::AlignLeft, 6, 2), charFormat(kBodyPt, true));
            c.insertText(line.mid(3), charFormat(kBodyPt, true));
        } else if (line.startsWith(QLatin1String("> "))) {
            newBlock(blockFormat(Qt::AlignRight, 10, 0), charFormat(kBodyPt, false));
            insertRich(c, line.mid(2), charFormat(kBodyPt, false));
        } else if (line.startsWith(QLatin1String("^ "))) {
            newBlock(blockFormat(Qt::AlignHCenter), charFormat(kBodyPt, false));
            insertRich(c, line.mid(2), charFormat(kBodyPt, false));
        } else {
            newBlock(blockFormat(Qt::AlignLeft | Qt::AlignJustify), charFormat(kBodyPt, false));
            insertRich(c, line, charFormat(kBodyPt, false));
        }
    }
    flushTable();
}

// The common page header: the hospital's name and the header line over a rule.
void buildHeader(QTextDocument* doc) {
    QTextCursor c(doc);
    c.setBlockFormat(blockFormat(Qt::AlignHCenter, 0, 2));
    c.insertText(QStringLiteral("{医院名称}"), charFormat(14, true, QStringLiteral("宋体")));
    QTextBlockFormat line = blockFormat(Qt::AlignLeft, 2, 0);
    line.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth, QTextLength(QTextLength::PercentageLength, 100));
    c.insertBlock(line, charFormat(kHeaderPt, false));
    c.insertText(QStringLiteral("{眉头}"), charFormat(kHeaderPt, false));
}

struct Paper {
    QString letter, folder;
    int width, height;
};

struct Entry {
    QString order, key, title, recordTitle, inMenu, multiAdd, header, file;
};

QByteArray documentBytes(const Paper& paper, const std::function<void(QTextDocument*)>& build) {
    return qh::sources::documentBytes(kFace, 0, paper.width, paper.height, build);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // fonts and text layout need the GUI application
    if (argc != 3) {
        std::fprintf(stderr, "usage: qh-make-templates <template-sources> <data/seed/dzbl>\n");
        return 2;
    }
    const QDir sources(QString::fromLocal8Bit(argv[1]));
    const QDir seed(QString::fromLocal8Bit(argv[2]));

    QFile indexFile(sources.filePath(QStringLiteral("index.tsv")));
    if (!indexFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read index.tsv\n");
        return 1;
    }
    QVector<Entry> entries;
    for (const QString& line : QString::fromUtf8(indexFile.readAll()).split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() != 8) {
            std::fprintf(stderr, "index.tsv: 8 fields expected: %s\n", line.toUtf8().constData());
            return 1;
        }
        entries.append({f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7].trimmed()});
    }

    const QVector<Paper> papers{{QStringLiteral("A"), QStringLiteral("a4"), 2100, 2970},
                                {QStringLiteral("B"), QStringLiteral("b5"), 1820, 2570}};
    QString gsmb = QStringLiteral("检索\t标题\t病历标题\t纸张\t备注\t顺序\t选中\t添加\t页眉\t数据\n");
    for (const Paper& paper : papers) {
        const QString folder = QStringLiteral("templates/") + paper.folder + QLatin1Char('/');
        if (!writeFile(seed.filePath(folder + QStringLiteral("base.ewd")), documentBytes(paper, {}))) return 1;
        for (const Entry& e : entries) {
            QByteArray bytes;
            if (e.file == QLatin1String("header")) {
                bytes = documentBytes(paper, buildHeader);
            } else {
                QString text;
                if (!readSource(sources, e.file, &text)) return 1;
                bytes = documentBytes(paper, [&](QTextDocument* d) { buildDocument(text, d); });
            }
            if (!writeFile(seed.filePath(folder + e.file + QStringLiteral(".ewd")), bytes)) return 1;
            gsmb += QStringList{e.key, e.title, e.recordTitle, paper.letter, QStringLiteral("Y"), e.order,
                                e.inMenu, e.multiAdd, e.header, QStringLiteral("@file:") + folder + e.file + QStringLiteral(".ewd")}
                        .join(QLatin1Char('\t')) +
                    QLatin1Char('\n');
        }
    }
    if (!writeFile(seed.filePath(QStringLiteral("GSMB.tsv")), gsmb.toUtf8())) return 1;
    const QString base = QStringLiteral("A4数据\tB5数据\t纸张数据\n@file:templates/a4/base.ewd\t@file:templates/b5/base.ewd\t1\n");
    if (!writeFile(seed.filePath(QStringLiteral("基础模板.tsv")), base.toUtf8())) return 1;
    std::printf("%d templates on A4 and on B5\n", int(entries.size()));
    return 0;
}
