#include "interaction/RecordingBoard.h"

#include <cmath>

namespace qh::ui {

QString RecordingBoard::number(double v) {
    if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15) return QString::number(qint64(v));
    QString s = QString::number(v, 'f', 6);
    while (s.endsWith(QLatin1Char('0'))) s.chop(1);
    if (s.endsWith(QLatin1Char('.'))) s.chop(1);
    return s;
}

QString RecordingBoard::escaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        default: out += c;
        }
    }
    return out;
}

void RecordingBoard::add(const QStringList& fields) {
    lines_ << QString::number(page_) + QLatin1Char('\t') + fields.join(QLatin1Char('\t'));
}

void RecordingBoard::beginJob(double, double) { page_ = 1; }
void RecordingBoard::newPage() { ++page_; }
void RecordingBoard::endJob() { page_ = 1; }

void RecordingBoard::clear(double x1, double y1, double x2, double y2) {
    add({QStringLiteral("clear"), number(x1), number(y1), number(x2), number(y2)});
}

void RecordingBoard::line(double x1, double y1, double x2, double y2, const BoardPen& pen) {
    add({QStringLiteral("line"), number(x1), number(y1), number(x2), number(y2), number(pen.width),
         QString::number(pen.colour), pen.dashed ? QStringLiteral("1") : QStringLiteral("0")});
}

void RecordingBoard::ellipse(double x1, double y1, double x2, double y2, const BoardPen& pen) {
    add({QStringLiteral("ellipse"), number(x1), number(y1), number(x2), number(y2), number(pen.width),
         QString::number(pen.colour)});
}

void RecordingBoard::text(double x, double y, const QString& text, const BoardFont& font) {
    add({QStringLiteral("text"), number(x), number(y), escaped(font.name), number(font.size),
         font.bold ? QStringLiteral("1") : QStringLiteral("0"), QString::number(font.colour), escaped(text)});
}

QString RecordingBoard::recording() const {
    QString all;
    for (const QString& l : lines_) all += l + QLatin1Char('\n');
    return all;
}

}  // namespace qh::ui
