#include "stats/ReportPrint.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace qh::stats {

QString reportHeading(const ReportRequest& q) {
    QString heading = reportName(int(q.report));
    if (q.report == Report::PatientList) heading += QStringLiteral("（") + listFormName(q.form) + QStringLiteral("）");
    if (!q.department.isEmpty() && needsDepartment(q.report, q.form)) heading += QStringLiteral("  ") + q.department;
    if (!q.doctor.isEmpty() && needsDoctor(q.report, q.form)) heading += QStringLiteral("  ") + q.doctor;
    if (q.report != Report::InWardChart && !(q.report == Report::PatientList && q.form == ListForm::Everybody))
        heading += QStringLiteral("  ") + q.from.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 至 ") +
                   q.to.toString(QStringLiteral("yyyy-MM-dd"));
    return heading;
}

int paintReport(QPagedPaintDevice& device, QPainter& p, const ReportTable& table, const QString& heading) {
    const QRectF page = device.pageLayout().paintRectPixels(device.logicalDpiX()).translated(
        -device.pageLayout().paintRectPixels(device.logicalDpiX()).topLeft());
    if (table.chart) {
        BarChart chart = *table.chart;
        drawBarChart(p, page, chart);
        return 1;
    }
    // Column widths by content: each column as wide as its widest text, shared out over the page.
    const double dpi = device.logicalDpiX();
    QFont font;
    font.setPixelSize(std::max(8, int(dpi * 10 / 72)));  // 10 points
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF fm(font), bm(bold);
    const int cols = int(table.captions.size());
    QList<double> widths(cols, 0.0);
    for (int c = 0; c < cols; ++c) {
        widths[c] = bm.horizontalAdvance(table.captions[c]);
        for (const QStringList& row : table.rows)
            if (c < row.size()) widths[c] = std::max(widths[c], fm.horizontalAdvance(row[c]));
        widths[c] += fm.height() * 0.8;
    }
    double total = 0;
    for (double w : widths) total += w;
    const double stretch = total > 0 ? page.width() / total : 1;
    for (double& w : widths) w *= stretch;

    const double rowHeight = fm.height() * 1.5;
    int pages = 0;
    int next = 0;
    do {
        if (pages > 0) device.newPage();
        ++pages;
        double y = page.top();
        p.setFont(bold);
        p.setPen(Qt::black);
        p.drawText(QRectF(page.left(), y, page.width(), rowHeight * 1.4), Qt::AlignLeft | Qt::AlignVCenter, heading);
        p.drawText(QRectF(page.left(), y, page.width(), rowHeight * 1.4), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("第 %1 页").arg(pages));
        y += rowHeight * 1.6;
        const auto line = [&](const QStringList& cells, bool header) {
            double x = page.left();
            for (int c = 0; c < cols; ++c) {
                const QRectF cell(x, y, widths[c], rowHeight);
                if (header) p.fillRect(cell, QColor(0xe8, 0xe8, 0xe8));
                p.setPen(QPen(QColor(0x80, 0x80, 0x80), 0));
                p.drawRect(cell);
                p.setPen(Qt::black);
                const bool right = !header && table.numericColumns.contains(c);
                const QString text = c < cells.size() ? cells[c] : QString();
                p.drawText(cell.adjusted(fm.height() * 0.3, 0, -fm.height() * 0.3, 0),
                           (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                           (header ? bm : fm).elidedText(text, Qt::ElideRight, widths[c] - fm.height() * 0.6));
                x += widths[c];
            }
            y += rowHeight;
        };
        p.setFont(bold);
        line(table.captions, true);
        p.setFont(font);
        while (next < table.rows.size() && y + rowHeight <= page.bottom()) line(table.rows[next++], false);
    } while (next < table.rows.size());
    return pages;
}

bool writeReportPdf(const ReportTable& table, const QString& heading, const QString& path) {
    QPdfWriter writer(path);
    writer.setTitle(heading);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(15, 15, 15, 15)));
    QPainter p;
    if (!p.begin(&writer)) return false;
    paintReport(writer, p, table, heading);
    return p.end();
}

}  // namespace qh::stats
