// Builds the two printed front-page forms from the readable sources beside this file,
// with the editor's own document classes:
//   qh-make-frontpage <this folder> <data/seed/dzbl>
// writes templates/frontpage/xysy.ewd (western) and zysy.ewd (TCM), A4, and the seed rows
// 90-GSMB.tsv that store them under 名称 XYSY and ZYSY. The rows have no paper, are not
// marked for the Add menu and are not in the template lists. Re-run after editing.
// The source format is described in README.md here.
#include <QGuiApplication>
#include <QTextBlock>

#include "../template-sources/source_document.h"
#include "records/editor/NamedFields.h"

using namespace qh::records;
using qh::sources::blockFormat;
using qh::sources::columnCount;
using qh::sources::readSource;
using qh::sources::writeFile;

namespace {

constexpr double kBodyPt = 9;     // 小五 is what the paper form uses
constexpr double kTitlePt = 16;

const QString kFace = QStringLiteral("宋体");

QTextCharFormat charFormat(double pt, bool bold) { return qh::sources::charFormat(pt, bold, kFace); }

enum class CellLook { Label, Line, Box };

struct Cell {
    QString text;   // the label, or the alias of a named cell
    CellLook look = CellLook::Label;
    int span = 1;
    double width = 0;  // percent hint
    bool bold = false;
    bool centred = false;
};

// "[XM]" a named cell written on a line, "[=XB]" a named code box, "[XM:20]" with a width
// hint in percent; "文字>>3" spans three columns; "**文字**" bold, "^文字" centred.
QVector<Cell> parseRow(const QString& line) {
    static const QRegularExpression aliasRx(QStringLiteral("^\\[(=?)([A-Z0-9]+)(?::(\\d+))?\\]$"));
    QVector<Cell> cells;
    for (const qh::sources::SourceCell& source : qh::sources::splitRow(line)) {
        QString t = source.text;
        Cell cell;
        cell.span = source.span;
        if (const auto m = aliasRx.match(t); m.hasMatch()) {
            cell.look = m.captured(1).isEmpty() ? CellLook::Line : CellLook::Box;
            cell.text = m.captured(2);
            cell.width = m.captured(3).isEmpty() ? (cell.look == CellLook::Box ? 3.2 : 12) : m.captured(3).toDouble();
        } else {
            if (t.startsWith(QLatin1Char('^')) && t != QLatin1String("^^")) {
                cell.centred = true;
                t.remove(0, 1);
            }
            if (t.startsWith(QLatin1String("**")) && t.endsWith(QLatin1String("**")) && t.size() > 4) {
                cell.bold = true;
                t = t.mid(2, t.size() - 4);
            }
            cell.text = t;
            cell.width = 1.95 * t.size() + 1.2;  // a 9 pt character is about 1.9 % of the line
        }
        cells.append(cell);
    }
    return cells;
}

void insertTable(QTextCursor& c, const QVector<QVector<Cell>>& rows, bool ruled, QVector<double> widths) {
    const int columns = columnCount(rows);
    if (widths.isEmpty()) {
        // From the first row: labels and code boxes keep the room their text needs, the named cells share
        // the rest of the line in proportion to their hints.
        double labels = 0, named = 0;
        // Code boxes keep their width like labels.
        const auto fixedWidth = [](const Cell& cell) { return cell.look != CellLook::Line; };
        for (const Cell& cell : rows.first()) (fixedWidth(cell) ? labels : named) += cell.width;
        const double rest = named > 0 ? qMax(100.0 - labels, 8.0) : 0;
        const double labelScale = named > 0 && labels + rest > 100 ? (100 - rest) / labels : (named > 0 ? 1 : 100 / labels);
        for (const Cell& cell : rows.first()) {
            const double w = fixedWidth(cell) ? cell.width * labelScale : cell.width * rest / named;
            for (int i = 0; i < cell.span; ++i) widths << w / cell.span;
        }
    }
    QVector<double> percents;
    for (int i = 0; i < columns; ++i) percents << widths.value(i, 5);
    QTextTable* table = c.insertTable(int(rows.size()), columns,
                                      qh::sources::tableFormat(ruled, ruled ? 2 : 1, ruled ? 4 : 2.5, percents));
    for (int r = 0; r < rows.size(); ++r) {
        int col = 0;
        for (const Cell& cell : rows[r]) {
            if (cell.span > 1) table->mergeCells(r, col, 1, cell.span);
            QTextCursor cc = table->cellAt(r, col).firstCursorPosition();
            const bool named = cell.look != CellLook::Label;
            cc.setBlockFormat(blockFormat(named || cell.centred || ruled ? Qt::AlignHCenter | Qt::AlignVCenter
                                                                         : Qt::AlignLeft | Qt::AlignVCenter));
            if (named) {
                cc.setBlockCharFormat(charFormat(kBodyPt, false));
                QTextTableCell tc = table->cellAt(r, col);
                QTextTableCellFormat cf = tc.format().toTableCellFormat();
                cf.merge(charFormat(kBodyPt, false));
                if (!ruled) {
                    // A line to write on, or a box for a code, as on the paper form.
                    const double b = 0.8;
                    cf.setBottomBorder(b);
                    cf.setBottomBorderStyle(QTextFrameFormat::BorderStyle_Solid);
                    cf.setBottomBorderBrush(Qt::black);
                    if (cell.look == CellLook::Box) {
                        cf.setTopBorder(b);
                        cf.setLeftBorder(b);
                        cf.setRightBorder(b);
                        cf.setTopBorderStyle(QTextFrameFormat::BorderStyle_Solid);
                        cf.setLeftBorderStyle(QTextFrameFormat::BorderStyle_Solid);
                        cf.setRightBorderStyle(QTextFrameFormat::BorderStyle_Solid);
                        cf.setTopBorderBrush(Qt::black);
                        cf.setLeftBorderBrush(Qt::black);
                        cf.setRightBorderBrush(Qt::black);
                    }
                }
                tc.setFormat(cf);
                setCellAlias(table->cellAt(r, col), cell.text);
            } else if (cell.text != QLatin1String("^^")) {
                cc.insertText(cell.text, charFormat(kBodyPt, cell.bold));
            }
            col += cell.span;
        }
    }
    // "^^" joins a cell to the one above it (the operations grid's two-row heading).
    for (int r = rows.size() - 1; r > 0; --r) {
        int col = 0;
        for (const Cell& cell : rows[r]) {
            if (cell.text == QLatin1String("^^") && cell.look == CellLook::Label) {
                table->mergeCells(r - 1, col, 2, cell.span);
            }
            col += cell.span;
        }
    }
    c.movePosition(QTextCursor::End);
}

void buildDocument(const QString& source, QTextDocument* doc) {
    QTextCursor c(doc);
    bool first = true;
    bool pageBreak = false;
    QVector<QVector<Cell>> rows;
    bool ruled = false;
    QVector<double> widths;
    const auto newBlock = [&](QTextBlockFormat b, const QTextCharFormat& f) {
        if (pageBreak) b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        pageBreak = false;
        qh::sources::newBlock(c, first, b, f);
    };
    const auto flushTable = [&] {
        if (rows.isEmpty()) return;
        if (first && c.atStart()) newBlock(blockFormat(Qt::AlignLeft), charFormat(2, false));
        // After @page an empty line that begins the next page goes before the table, so that
        // nothing of the table (its top rule) is drawn at the foot of the first page.
        if (pageBreak) newBlock(blockFormat(Qt::AlignLeft), charFormat(2, false));
        insertTable(c, rows, ruled, widths);
        first = true;
        rows.clear();
        widths.clear();
    };
    for (const QString& raw : source.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1String("//"))) continue;
        const bool ruledRow = line.startsWith(QLatin1Char('|'));
        if (ruledRow || line.startsWith(QLatin1String("~ "))) {
            // Each unruled row is a line of its own with its own columns; ruled rows join
            // into one grid.
            if (!rows.isEmpty() && (!ruledRow || !ruled)) flushTable();
            ruled = ruledRow;
            rows.append(parseRow(ruledRow ? line : line.mid(2)));
            continue;
        }
        flushTable();
        if (line == QLatin1String("@page")) {
            pageBreak = true;
        } else if (line.startsWith(QLatin1String("@w "))) {
            for (const QString& w : line.mid(3).split(QLatin1Char(' '), Qt::SkipEmptyParts)) widths << w.toDouble();
        } else if (line.startsWith(QLatin1String("# "))) {
            newBlock(blockFormat(Qt::AlignHCenter, 2, 6), charFormat(kTitlePt, true));
            c.insertText(line.mid(2), charFormat(kTitlePt, true));
        } else if (line.startsWith(QLatin1String("## "))) {
            newBlock(blockFormat(Qt::AlignLeft, 3, 1), charFormat(kBodyPt, true));
            c.insertText(line.mid(3), charFormat(kBodyPt, true));
        } else if (line.startsWith(QLatin1String("^ "))) {
            newBlock(blockFormat(Qt::AlignHCenter), charFormat(kBodyPt, false));
            c.insertText(line.mid(2), charFormat(kBodyPt, false));
        } else if (!line.isEmpty()) {
            newBlock(blockFormat(Qt::AlignLeft), charFormat(kBodyPt - 1, false));
            c.insertText(line, charFormat(kBodyPt - 1, false));
        }
    }
    flushTable();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // fonts and text layout need the GUI application
    if (argc != 3) {
        std::fprintf(stderr, "usage: qh-make-frontpage <frontpage-sources> <data/seed/dzbl>\n");
        return 2;
    }
    const QDir sources(QString::fromLocal8Bit(argv[1]));
    const QDir seed(QString::fromLocal8Bit(argv[2]));
    struct Form {
        const char* name;
        const char* file;
        const char* title;
    };
    QString tsv = QStringLiteral("检索\t标题\t病历标题\t名称\t备注\t顺序\t选中\t添加\t页眉\t数据\n");
    int order = 900;
    for (const Form& form : {Form{"XYSY", "xysy", "住院病案首页"}, Form{"ZYSY", "zysy", "住院病案首页(中医)"}}) {
        QString text;
        if (!readSource(sources, QString::fromLatin1(form.file), &text)) return 1;
        const QByteArray bytes =
            qh::sources::documentBytes(kFace, kBodyPt, 2100, 2970, [&](QTextDocument* d) { buildDocument(text, d); });
        const QString rel = QStringLiteral("templates/frontpage/") + QString::fromLatin1(form.file) + QStringLiteral(".ewd");
        if (!writeFile(seed.filePath(rel), bytes)) return 1;
        const QString title = QString::fromUtf8(form.title);
        tsv += QStringList{QString::fromLatin1(form.name), title, title, QString::fromLatin1(form.name),
                           QStringLiteral("S"), QString::number(++order), QStringLiteral("0"), QStringLiteral("假"),
                           QStringLiteral("假"), QStringLiteral("@file:") + rel}
                   .join(QLatin1Char('\t')) +
               QLatin1Char('\n');
    }
    if (!writeFile(seed.filePath(QStringLiteral("90-GSMB.tsv")), tsv.toUtf8())) return 1;
    std::printf("2 front-page forms\n");
    return 0;
}
