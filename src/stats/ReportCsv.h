#pragma once
// A report as comma-separated values: the captions as the header row, then one line per
// grid row with the cells as shown. Files carry a UTF-8 byte-order mark so that spreadsheet
// programs read the Chinese text as UTF-8.
#include <QByteArray>
#include <QString>

#include "stats/Reports.h"

namespace qh::stats {

// One field: quoted when it holds a comma, a quote, a line break or edge blanks (quotes
// doubled). A text a spreadsheet would take for a formula (=, +, -, @ before anything but
// a plain number) is led by an apostrophe, so that a name typed as "=HYPERLINK(…)" stays
// text; negative figures keep their sign.
QString csvField(const QString& cell);
// The whole table, lines ended by lineEnd.
QString csvText(const ReportTable& table, const QString& lineEnd = QStringLiteral("\r\n"));
// BOM + UTF-8 of csvText with CRLF lines.
QByteArray csvFileBytes(const ReportTable& table);
// Writes the file whole or not at all; false when it cannot be written.
bool writeCsvFile(const ReportTable& table, const QString& path);

}  // namespace qh::stats
