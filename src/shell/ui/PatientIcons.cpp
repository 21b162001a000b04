#include "shell/ui/PatientIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace qh::shell {

namespace {

enum class Band { Adult, Elderly, Child };

QPixmap drawFigure(bool female, Band band) {
    const int size = 32;
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor body = female ? QColor(0xD8, 0x4A, 0x7A) : QColor(0x2F, 0x6F, 0xC8);
    const QColor skin(0xF6, 0xD2, 0xB0);
    const double scale = band == Band::Child ? 0.72 : 1.0;
    const double cx = band == Band::Elderly ? 14.0 : 16.0;
    const double bottom = 31.0;
    const double headR = 5.2 * scale + (band == Band::Child ? 1.2 : 0.0);
    const double bodyH = 14.0 * scale;
    const double headY = bottom - bodyH - 2 * headR - 1.0;

    // Body: a dress for women and girls, a tunic with legs for men and boys.
    QPainterPath path;
    const double top = headY + 2 * headR + 0.5;
    if (female) {
        path.moveTo(cx - 3.5 * scale, top);
        path.lineTo(cx + 3.5 * scale, top);
        path.lineTo(cx + 8.0 * scale, bottom);
        path.lineTo(cx - 8.0 * scale, bottom);
    } else {
        path.addRoundedRect(QRectF(cx - 5.5 * scale, top, 11.0 * scale, bodyH * 0.62), 2, 2);
        path.addRect(QRectF(cx - 4.5 * scale, top + bodyH * 0.6, 3.5 * scale, bodyH * 0.42));
        path.addRect(QRectF(cx + 1.0 * scale, top + bodyH * 0.6, 3.5 * scale, bodyH * 0.42));
    }
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawPath(path);

    // Head, with grey hair and a walking stick for the elderly, dark hair for women and girls.
    p.setBrush(skin);
    p.setPen(QPen(QColor(0x80, 0x60, 0x40), 0.8));
    p.drawEllipse(QPointF(cx, headY + headR), headR, headR);
    if (band == Band::Elderly) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xB0, 0xB0, 0xB0));
        p.drawChord(QRectF(cx - headR, headY, 2 * headR, 2 * headR), 20 * 16, 140 * 16);
        // Walking stick.
        p.setPen(QPen(QColor(0x70, 0x48, 0x20), 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(cx + 9.5, top + 2), QPointF(cx + 9.5, bottom));
        p.drawArc(QRectF(cx + 6.5, top, 6, 5), 0, 180 * 16);
    } else if (female) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x40, 0x28, 0x18));
        p.drawChord(QRectF(cx - headR, headY, 2 * headR, 2 * headR), 10 * 16, 160 * 16);
    }
    return pm;
}

}  // namespace

QIcon patientIconImage(int index) {
    static const QIcon icons[6] = {
        QIcon(drawFigure(true, Band::Adult)),    QIcon(drawFigure(false, Band::Adult)),
        QIcon(drawFigure(true, Band::Elderly)),  QIcon(drawFigure(false, Band::Elderly)),
        QIcon(drawFigure(true, Band::Child)),    QIcon(drawFigure(false, Band::Child)),
    };
    return (index >= 0 && index < 6) ? icons[index] : QIcon();
}

QFont patientListFont(const QFont& base) {
    QFont mono = base;
    mono.setFamilies({QStringLiteral("WenQuanYi Zen Hei Mono"), QStringLiteral("Noto Sans Mono CJK SC"),
                      QStringLiteral("monospace")});
    return mono;
}

}  // namespace qh::shell
