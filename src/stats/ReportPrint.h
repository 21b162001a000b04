#pragma once
// A report on paper: the chart reports as their chart on one page, the others as a table
// with the report's title, the range and the captions repeated on every page. Drawn on any
// paged device (the printer, a PDF file).
#include <QString>

#include "stats/Reports.h"

class QPagedPaintDevice;
class QPainter;

namespace qh::stats {

// The heading line of a printed report: its name and range ("医生工作量  2024-03-01 至 2024-03-31").
QString reportHeading(const ReportRequest& request);

// Draws the report on the device, whose painter p is already begun; new pages as needed.
// Returns the number of pages.
int paintReport(QPagedPaintDevice& device, QPainter& p, const ReportTable& table, const QString& heading);

// The report as a landscape A4 PDF; false when the file cannot be written.
bool writeReportPdf(const ReportTable& table, const QString& heading, const QString& path);

}  // namespace qh::stats
