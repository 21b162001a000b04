#pragma once
// A bar chart of the comparison reports: a title, categories along the horizontal axis,
// one or more series of values with a legend, drawn with QPainter on any paint device (the
// window, an image, a PDF page, the printer). No widgets.
#include <QColor>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

namespace qh::stats {

struct BarSeries {
    QString name;  // the legend's text
    QList<double> values;  // one per category
};

struct BarChart {
    QString title;
    QString categoryAxis;  // e.g. "科室"
    QString valueAxis;     // e.g. "人数", "元"
    QStringList categories;
    QList<BarSeries> series;
    bool money = false;  // values written with two decimals
};

// The colour of series i.
QColor seriesColor(int i);
// The top of the value axis and its step: a round number at or above the largest value,
// divided into about five steps (1, 2 or 5 times a power of ten). 0 values give 0..5.
struct AxisScale {
    double top = 5;
    double step = 1;
};
AxisScale axisScale(double largest);
// How a value is written above its bar and on the axis.
QString valueText(const BarChart& chart, double v);

// Draws the whole chart into the rectangle: white background, title, axes with ticks and
// grid lines, bars with their values, category labels (cut to fit), legend.
void drawBarChart(QPainter& painter, const QRectF& area, const BarChart& chart);

// Writes the chart as a PNG image of the given size, or as a one-page landscape A4 PDF.
// False when the file cannot be written.
bool writeChartPng(const BarChart& chart, const QString& path, int width = 1000, int height = 620);
bool writeChartPdf(const BarChart& chart, const QString& path);

}  // namespace qh::stats
