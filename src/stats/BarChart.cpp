#include "stats/BarChart.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

namespace qh::stats {

namespace {

// Ticks are round numbers: written without decimals, money too.
QString tickText(double v) { return QString::number(qint64(std::llround(v))); }

QFont chartFont(double pixels, bool bold = false) {
    QFont f;
    f.setPixelSize(std::max(6, int(std::lround(pixels))));
    f.setBold(bold);
    return f;
}

}  // namespace

QColor seriesColor(int i) {
    static const QColor colors[] = {QColor(0x3b, 0x6e, 0xb5), QColor(0xd9, 0x5f, 0x4a), QColor(0x4f, 0xa3, 0x5c),
                                    QColor(0xe0, 0xa1, 0x2f), QColor(0x8a, 0x5c, 0xb8)};
    return colors[i % 5];
}

AxisScale axisScale(double largest) {
    if (!(largest > 0) || !std::isfinite(largest)) return {};
    // About five steps; the step a round number (1, 2 or 5 times a power of ten) and whole
    // for counts under five.
    const double rough = largest / 5.0;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        step = m * power;
        if (step >= rough) break;
    }
    if (step < 1) step = 1;
    return {std::ceil(largest / step) * step, step};
}

QString valueText(const BarChart& chart, double v) {
    if (chart.money) return QString::number(v, 'f', 2);
    if (std::fabs(v - std::round(v)) < 1e-9) return QString::number(qint64(std::llround(v)));
    return QString::number(v, 'f', 2);
}

void drawBarChart(QPainter& p, const QRectF& area, const BarChart& chart) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.fillRect(area, Qt::white);

    const double h = area.height(), w = area.width();
    const double unit = std::min(h / 620.0, w / 1000.0);  // sizes are given for a 1000×620 chart
    const double margin = 24 * unit;
    const QFont titleFont = chartFont(26 * unit, true);
    const QFont labelFont = chartFont(15 * unit);
    const QFont valueFont = chartFont(13 * unit);
    const QPen axisPen(QColor(0x33, 0x33, 0x33), std::max(1.0, 1.5 * unit));

    // Title.
    p.setFont(titleFont);
    p.setPen(Qt::black);
    const double titleHeight = QFontMetricsF(titleFont).height() * 1.6;
    p.drawText(QRectF(area.left(), area.top() + margin / 2, w, titleHeight), Qt::AlignCenter, chart.title);

    // Legend, one line right-aligned under the title.
    p.setFont(labelFont);
    const QFontMetricsF lm(labelFont);
    const double swatch = lm.height() * 0.7;
    double legendWidth = 0;
    for (const BarSeries& s : chart.series) legendWidth += swatch + 6 * unit + lm.horizontalAdvance(s.name) + 18 * unit;
    double lx = area.right() - margin - legendWidth;
    const double ly = area.top() + margin / 2 + titleHeight;
    for (int i = 0; i < chart.series.size(); ++i) {
        p.fillRect(QRectF(lx, ly + (lm.height() - swatch) / 2, swatch, swatch), seriesColor(i));
        lx += swatch + 6 * unit;
        p.setPen(Qt::black);
        p.drawText(QRectF(lx, ly, lm.horizontalAdvance(chart.series[i].name) + 2, lm.height()), Qt::AlignVCenter,
                   chart.series[i].name);
        lx += lm.horizontalAdvance(chart.series[i].name) + 18 * unit;
    }

    // Scale and plot area.
    double largest = 0;
    for (const BarSeries& s : chart.series)
        for (double v : s.values) largest = std::max(largest, v);
    // Headroom above the tallest bar for its value.
    const AxisScale scale = axisScale(largest * 1.08);
    const QFontMetricsF vm(valueFont);
    double tickWidth = lm.horizontalAdvance(chart.valueAxis);
    for (double v = 0; v <= scale.top + scale.step / 2; v += scale.step)
        tickWidth = std::max(tickWidth, lm.horizontalAdvance(tickText(v)));
    const QRectF plot(area.left() + margin + tickWidth + 10 * unit, ly + lm.height() * 2.2,
                      0, 0);
    QRectF box = plot;
    box.setRight(area.right() - margin - lm.horizontalAdvance(chart.categoryAxis) - 8 * unit);
    box.setBottom(area.bottom() - margin - lm.height() * 1.8);
    if (box.width() <= 0 || box.height() <= 0) {
        p.restore();
        return;
    }

    // Grid lines and value ticks.
    p.setFont(labelFont);
    for (double v = 0; v <= scale.top + scale.step / 2; v += scale.step) {
        const double y = box.bottom() - box.height() * v / scale.top;
        p.setPen(QPen(QColor(0xd0, 0xd0, 0xd0), std::max(1.0, unit), Qt::DashLine));
        if (v > 0) p.drawLine(QPointF(box.left(), y), QPointF(box.right(), y));
        p.setPen(axisPen);
        p.drawLine(QPointF(box.left() - 5 * unit, y), QPointF(box.left(), y));
        p.setPen(Qt::black);
        p.drawText(QRectF(area.left(), y - lm.height() / 2, box.left() - 8 * unit - area.left(), lm.height()),
                   Qt::AlignRight | Qt::AlignVCenter, tickText(v));
    }
    // Axis captions: the value axis above its top, the category axis at the right end.
    p.drawText(QRectF(area.left() + margin, box.top() - lm.height() * 1.9, box.left() + 40 * unit - area.left(),
                      lm.height()),
               Qt::AlignLeft | Qt::AlignVCenter, chart.valueAxis);
    p.drawText(QRectF(box.right() + 6 * unit, box.bottom() - lm.height() / 2, area.right() - box.right(), lm.height()),
               Qt::AlignLeft | Qt::AlignVCenter, chart.categoryAxis);

    // Bars with their values, categories under the axis.
    const int categories = int(chart.categories.size());
    const int seriesCount = std::max<int>(1, int(chart.series.size()));
    if (categories > 0) {
        const double group = box.width() / categories;
        const double barWidth = std::min(group * 0.7 / seriesCount, 90 * unit);
        const double barsWidth = barWidth * seriesCount;
        for (int c = 0; c < categories; ++c) {
            const double gx = box.left() + group * c + (group - barsWidth) / 2;
            for (int s = 0; s < chart.series.size(); ++s) {
                const double v = c < chart.series[s].values.size() ? chart.series[s].values[c] : 0;
                const double bh = scale.top > 0 ? box.height() * std::max(0.0, v) / scale.top : 0;
                const QRectF bar(gx + barWidth * s, box.bottom() - bh, barWidth, bh);
                p.fillRect(bar, seriesColor(s));
                p.setFont(valueFont);
                p.setPen(Qt::black);
                const QString text = valueText(chart, v);
                const double tw = std::max(barWidth, vm.horizontalAdvance(text) + 4);
                p.drawText(QRectF(bar.center().x() - tw / 2, bar.top() - vm.height() - 2 * unit, tw, vm.height()),
                           Qt::AlignCenter, text);
            }
            p.setFont(labelFont);
            p.setPen(Qt::black);
            const QString label = lm.elidedText(chart.categories[c], Qt::ElideRight, group - 4 * unit);
            p.drawText(QRectF(box.left() + group * c, box.bottom() + 6 * unit, group, lm.height()),
                       Qt::AlignHCenter | Qt::AlignTop, label);
        }
    }

    // Axes over the bars' feet.
    p.setPen(axisPen);
    p.drawLine(box.bottomLeft(), box.bottomRight());
    p.drawLine(box.bottomLeft(), box.topLeft());
    p.restore();
}

bool writeChartPng(const BarChart& chart, const QString& path, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        drawBarChart(p, QRectF(0, 0, width, height), chart);
    }
    return image.save(path, "PNG");
}

bool writeChartPdf(const BarChart& chart, const QString& path) {
    QPdfWriter writer(path);
    writer.setTitle(chart.title);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(15, 15, 15, 15)));
    QPainter p;
    if (!p.begin(&writer)) return false;
    const QRect page = writer.pageLayout().paintRectPixels(writer.resolution());
    drawBarChart(p, QRectF(0, 0, page.width(), page.height()), chart);
    return p.end();
}

}  // namespace qh::stats
