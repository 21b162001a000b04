#include "interaction/PainterBoard.h"

#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <algorithm>

namespace qh::ui {

QColor boardColour(quint32 bgr) { return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF)); }

PainterBoard::~PainterBoard() {
    if (painter_.isActive()) painter_.end();
}

void PainterBoard::applyTransform() {
    painter_.resetTransform();
    if (width_ <= 0 || height_ <= 0) return;
    const double dw = device_.width(), dh = device_.height();
    const double s = std::min(dw / width_, dh / height_);
    painter_.translate((dw - width_ * s) / 2, 0);
    painter_.scale(s, s);
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

bool PainterBoard::ready() {
    if (!painter_.isActive()) {
        if (!painter_.begin(&device_)) {
            ok_ = false;
            return false;
        }
        applyTransform();
    }
    return true;
}

void PainterBoard::beginJob(double width, double height) {
    width_ = width;
    height_ = height;
    if (painter_.isActive()) applyTransform();
    else ready();
}

void PainterBoard::newPage() {
    if (auto* paged = dynamic_cast<QPagedPaintDevice*>(&device_)) {
        if (!ready()) return;
        if (!paged->newPage()) ok_ = false;
        applyTransform();
    }
}

void PainterBoard::endJob() {
    if (painter_.isActive()) painter_.end();
}

QPen PainterBoard::qpen(const BoardPen& pen) const {
    QPen p(boardColour(pen.colour));
    p.setWidthF(pen.width);
    p.setStyle(pen.dashed ? Qt::DashLine : Qt::SolidLine);
    p.setCapStyle(Qt::FlatCap);
    if (pen.dashed) p.setDashPattern({4.0 / std::max(pen.width, 0.1), 3.0 / std::max(pen.width, 0.1)});
    return p;
}

void PainterBoard::clear(double x1, double y1, double x2, double y2) {
    if (!ready()) return;
    painter_.fillRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized(), Qt::white);
}

void PainterBoard::line(double x1, double y1, double x2, double y2, const BoardPen& pen) {
    if (!ready()) return;
    painter_.setPen(qpen(pen));
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void PainterBoard::ellipse(double x1, double y1, double x2, double y2, const BoardPen& pen) {
    if (!ready()) return;
    painter_.setPen(qpen(pen));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawEllipse(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
}

void PainterBoard::text(double x, double y, const QString& text, const BoardFont& font) {
    if (!ready()) return;
    QFont f(font.name);
    // Forms measure their texts in GBK bytes: a letter or digit half as wide as a Chinese
    // character, as in 宋体. Where 宋体 is missing, a CJK face with such half-width letters
    // stands in, before the platform's own fallback (whose letters are wider).
    f.setFamilies({font.name, QStringLiteral("SimSun"), QStringLiteral("NSimSun"), QStringLiteral("Noto Sans Mono CJK SC"),
                   QStringLiteral("WenQuanYi Zen Hei Mono")});
    // A point is 96/72 drawing units; the painter's scale does the rest.
    const int dpi = std::max(1, device_.logicalDpiY());
    f.setPointSizeF(std::max(0.5, font.size * 96.0 / dpi));
    f.setBold(font.bold);
    painter_.setFont(f);
    QString shown = text;
    shown.remove(QLatin1Char('\r'));
    // Lines follow one another a font size apart, as a character column written down a
    // narrow strip needs.
    const double step = font.size * 96.0 / 72.0;
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip;
    const QStringList lines = shown.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QRectF box(x, y + step * i, 10000, 10000);
        if (!font.transparent) painter_.fillRect(painter_.boundingRect(box, flags, lines[i]), Qt::white);
        painter_.setPen(boardColour(font.colour));
        painter_.drawText(box, flags, lines[i]);
    }
}

}  // namespace qh::ui
