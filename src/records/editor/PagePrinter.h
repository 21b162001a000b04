#pragma once
// Laying the body out on the document's paper and painting pages: the page header at the
// top of every page, the page number at the foot, the body in between. Used for printing,
// print preview, PDF export and continued printing (续打), and for the page-break lines the
// editor shows on screen.
#include <QList>
#include <QString>

class QPagedPaintDevice;

namespace qh::records {

class RecordDocument;

enum class PrintStatus {
    Printed,
    NothingToPrint,      // "无可打印页面！"
    PrintedPartChanged,  // continued printing refused: the text already on paper was changed
    DeviceFailed,
    Cancelled,  // the user closed the print dialog
};

struct PrintOutcome {
    PrintStatus status = PrintStatus::Printed;
    int pages = 0;    // sheets the device received
    QString message;  // for the host to show; empty when printed
};

inline const QString kNothingToPrint = QStringLiteral("无可打印页面！");

// Page margins in millimetres; the left one is wider for binding the record.
struct PageMargins {
    double left = 25, right = 15, top = 15, bottom = 12;
};

// Prints the whole document. With `remember` the document notes that everything is now on
// paper, so that continued printing starts after it (printing to a printer does this,
// preview and PDF export do not).
PrintOutcome printDocument(RecordDocument& doc, QPagedPaintDevice* device, bool remember);
// Prints only what was written since the last print, at its place on its page, the earlier
// content left blank and the header not repeated on the sheet already in the printer. A
// document never printed prints whole. Remembers the new end.
PrintOutcome continuePrint(RecordDocument& doc, QPagedPaintDevice* device);
bool exportPdf(RecordDocument& doc, const QString& path, QString* error);

// The number of pages the document takes on its paper.
int pageCount(const RecordDocument& doc);
// Body positions at which pages 2, 3, ... begin (for the page-break lines on screen).
QList<int> pageStartPositions(const RecordDocument& doc);
// The body text width in pixels at the given resolution: what a line holds on paper.
double bodyTextWidth(const RecordDocument& doc, double dpi);

}  // namespace qh::records
