#include "records/editor/PagePrinter.h"

#include "records/editor/RecordDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QCryptographicHash>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>
#include <algorithm>
#include <memory>
#include <vector>

namespace qh::records {
namespace {

constexpr double kHeaderGapMm = 3;
constexpr double kFooterMm = 7;
constexpr double kMinBodyMm = 30;
// Every layout is made at this resolution and scaled to the device: screen page breaks,
// PDF and any printer then break pages and lines at exactly the same places.
constexpr double kLayoutDpi = 1200;

QPaintDevice* layoutDevice() {
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(kLayoutDpi / 0.0254));
        image.setDotsPerMeterY(qRound(kLayoutDpi / 0.0254));
        return image;
    }();
    return &device;
}

QByteArray printedDigest(const QTextDocument* body, int position) {
    return QCryptographicHash::hash(body->toRawText().left(position).toUtf8(), QCryptographicHash::Sha256);
}

int bodyEnd(const QTextDocument* body) { return body->characterCount() - 1; }

// Whether the text holds anything that shows on paper (an image counts).
bool hasVisibleContent(const QString& raw) {
    for (QChar ch : raw)
        if (!ch.isSpace() && ch.unicode() != 0xFDD0 && ch.unicode() != 0xFDD1) return true;
    return false;
}

struct Spot {
    int page = 0;
    double top = 0;  // within the page's body area
    double height = 0;
    double x = 0;
};

struct LineBox {
    double top;
    double bottom;
    int position;  // of the line's first character
};

// The body and header laid out once at kLayoutDpi, in that resolution's pixels. Pages are
// cut between lines (never through one, table rows side by side included); the body is one
// long strip and page i shows the band [pages_[i].first, pages_[i].second) of it.
class PagedLayout {
public:
    explicit PagedLayout(const RecordDocument& doc) {
        QPaintDevice* device = layoutDevice();
        const double mm = kLayoutDpi / 25.4;
        const PageMargins margins;
        pageWidth_ = doc.paper().width / 10.0 * mm;
        pageHeight_ = doc.paper().height / 10.0 * mm;
        left_ = margins.left * mm;
        top_ = margins.top * mm;
        bodyWidth_ = pageWidth_ - (margins.left + margins.right) * mm;
        footerTop_ = pageHeight_ - (margins.bottom + kFooterMm) * mm;
        footerHeight_ = kFooterMm * mm;

        header_.reset(doc.header()->clone());
        body_.reset(doc.body()->clone());
        for (QTextDocument* d : {header_.get(), body_.get()}) {
            d->documentLayout()->setPaintDevice(device);
            d->setDocumentMargin(0);
            d->setTextWidth(bodyWidth_);
        }
        if (!doc.header()->isEmpty()) headerHeight_ = header_->documentLayout()->documentSize().height();
        bodyTop_ = top_ + (headerHeight_ > 0 ? headerHeight_ + kHeaderGapMm * mm : 0);
        bodyHeight_ = qMax(footerTop_ - bodyTop_, kMinBodyMm * mm);
        collectLines();
        cutPages();
    }

    int pages() const { return int(pages_.size()); }
    const QTextDocument* body() const { return body_.get(); }

    Spot spotOf(int position) const {
        Spot spot;
        QTextBlock block = body_->findBlock(position);
        if (!block.isValid()) return spot;
        QRectF box = body_->documentLayout()->blockBoundingRect(block);
        QTextLayout* layout = block.layout();
        int offset = position - block.position();
        QTextLine line = layout ? layout->lineForTextPosition(offset) : QTextLine();
        double y = box.top();
        if (line.isValid()) {
            y += line.y();
            spot.height = line.height();
            spot.x = box.left() + line.cursorToX(offset);
        }
        spot.page = pageAt(y);
        spot.top = y - pages_[spot.page].first;
        return spot;
    }

    // The first body position shown on each page after the first.
    QList<int> pageStarts() const {
        QList<int> starts;
        size_t next = 0;
        for (size_t page = 1; page < pages_.size(); ++page) {
            while (next < lines_.size() && lines_[next].top < pages_[page].first) ++next;
            if (next < lines_.size()) starts.append(lines_[next].position);
        }
        return starts;
    }

    // `blankAbove` leaves the area of the first page already on paper untouched.
    void paintPage(QPainter& painter, int page, bool withHeader, bool withNumber, const Spot* blankAbove) const {
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette.setColor(QPalette::Text, Qt::black);
        if (withHeader && headerHeight_ > 0) {
            painter.save();
            painter.translate(left_, top_);
            context.clip = QRectF(0, 0, bodyWidth_, headerHeight_);
            header_->documentLayout()->draw(&painter, context);
            painter.restore();
        }
        const auto [bandTop, bandBottom] = pages_[page];
        painter.save();
        QRectF area(left_, bodyTop_, bodyWidth_, bandBottom - bandTop);
        QRegion region(area.toAlignedRect());
        if (blankAbove) {
            region -= QRectF(left_, bodyTop_, bodyWidth_, blankAbove->top).toAlignedRect();
            region -= QRectF(left_, bodyTop_ + blankAbove->top, blankAbove->x, blankAbove->height).toAlignedRect();
        }
        painter.setClipRegion(region);
        painter.translate(left_, bodyTop_ - bandTop);
        // Lines touching the band's edges belong to the neighbouring pages.
        context.clip = QRectF(0, bandTop + 0.5, bodyWidth_, bandBottom - bandTop - 1);
        // What is already on paper is not drawn at all (the clip hides the rest of a line
        // that was only partly printed).
        if (blankAbove) context.clip.setTop(bandTop + blankAbove->top + 0.5);
        body_->documentLayout()->draw(&painter, context);
        painter.restore();
        if (withNumber) {
            painter.save();
            // In layout pixels: the painter is scaled from the layout to the device.
            QFont font(body_->defaultFont());
            font.setPixelSize(qRound(9 * kLayoutDpi / 72));
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(0, footerTop_, pageWidth_, footerHeight_), Qt::AlignCenter,
                             QStringLiteral("第 %1 页").arg(page + 1));
            painter.restore();
        }
    }

private:
    void collectLines() {
        for (QTextBlock block = body_->begin(); block.isValid(); block = block.next()) {
            QRectF box = body_->documentLayout()->blockBoundingRect(block);
            QTextLayout* layout = block.layout();
            for (int i = 0; layout && i < layout->lineCount(); ++i) {
                QTextLine line = layout->lineAt(i);
                lines_.push_back({box.top() + line.y(), box.top() + line.y() + line.height(),
                                  block.position() + line.textStart()});
            }
            // A paragraph or a table that asks to begin a new page (the printed forms).
            if (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) breaks_.push_back(box.top());
            if (QTextTable* table = QTextCursor(block).currentTable();
                table && table->firstPosition() == block.position() &&
                (table->format().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore))
                breaks_.push_back(body_->documentLayout()->frameBoundingRect(table).top());
        }
        std::stable_sort(lines_.begin(), lines_.end(), [](const LineBox& a, const LineBox& b) { return a.top < b.top; });
    }

    void cutPages() {
        const double total = body_->documentLayout()->documentSize().height();
        double start = 0;
        do {
            double cut = start + bodyHeight_;
            // Move the cut up above every line it would go through, until none is cut.
            for (bool moved = true; moved;) {
                moved = false;
                for (const LineBox& line : lines_) {
                    if (line.top > start && line.top < cut && line.bottom > cut + 0.01) {
                        cut = line.top;
                        moved = true;
                    }
                }
            }
            if (cut <= start) cut = start + bodyHeight_;  // a line taller than a page is split
            for (double at : breaks_)
                if (at > start + 0.5 && at < cut) cut = at;
            pages_.push_back({start, cut});
            start = cut;
        } while (start < total - 0.5);
    }

    int pageAt(double y) const {
        for (int i = int(pages_.size()) - 1; i > 0; --i)
            if (y >= pages_[i].first) return i;
        return 0;
    }

    std::unique_ptr<QTextDocument> header_;
    std::unique_ptr<QTextDocument> body_;
    std::vector<LineBox> lines_;
    std::vector<double> breaks_;  // tops of what must begin a page
    std::vector<std::pair<double, double>> pages_;
    double pageWidth_ = 0, pageHeight_ = 0, left_ = 0, top_ = 0, bodyWidth_ = 0, bodyTop_ = 0, bodyHeight_ = 0;
    double headerHeight_ = 0, footerTop_ = 0, footerHeight_ = 0;
};

void preparePaper(const RecordDocument& doc, QPagedPaintDevice* device) {
    const PaperSize paper = doc.paper();
    device->setPageSize(QPageSize(QSizeF(paper.width / 10.0, paper.height / 10.0), QPageSize::Millimeter, QString(),
                                  QPageSize::ExactMatch));
    device->setPageOrientation(QPageLayout::Portrait);
    device->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void remember(RecordDocument& doc) {
    const int end = bodyEnd(doc.body());
    doc.setPrintMark({end, printedDigest(doc.body(), end)});
}

// Prints pages [first, pages) of the layout; the first may be the sheet already printed.
PrintOutcome paint(const PagedLayout& layout, QPagedPaintDevice* device, int first, const Spot* continuedFrom) {
    QPainter painter;
    if (!painter.begin(device)) return {PrintStatus::DeviceFailed, 0, QStringLiteral("无法开始打印，请检查打印机。")};
    int printed = 0;
    painter.scale(device->logicalDpiX() / kLayoutDpi, device->logicalDpiY() / kLayoutDpi);
    for (int page = first; page < layout.pages(); ++page) {
        if (printed > 0 && !device->newPage()) break;
        const bool onPrintedSheet = continuedFrom && page == first;
        layout.paintPage(painter, page, !onPrintedSheet, !onPrintedSheet, onPrintedSheet ? continuedFrom : nullptr);
        ++printed;
    }
    painter.end();
    return {PrintStatus::Printed, printed, {}};
}

}  // namespace

PrintOutcome printDocument(RecordDocument& doc, QPagedPaintDevice* device, bool rememberPrinted) {
    if (!hasVisibleContent(doc.body()->toRawText())) return {PrintStatus::NothingToPrint, 0, kNothingToPrint};
    preparePaper(doc, device);
    PagedLayout layout(doc);
    PrintOutcome outcome = paint(layout, device, 0, nullptr);
    if (outcome.status == PrintStatus::Printed && rememberPrinted) remember(doc);
    return outcome;
}

PrintOutcome continuePrint(RecordDocument& doc, QPagedPaintDevice* device) {
    const PrintMark mark = doc.printMark();
    const QTextDocument* body = doc.body();
    if (mark.position < 0 || mark.position > bodyEnd(body)) return printDocument(doc, device, true);
    if (printedDigest(body, mark.position) != mark.digest)
        return {PrintStatus::PrintedPartChanged, 0,
                QStringLiteral("已打印的内容在打印后被修改，无法续打，请重新打印整份病历。")};
    if (!hasVisibleContent(body->toRawText().mid(mark.position))) return {PrintStatus::NothingToPrint, 0, kNothingToPrint};

    preparePaper(doc, device);
    PagedLayout layout(doc);
    // New text begins at the mark, or, when the mark ends a paragraph, with the next one.
    int firstNew = mark.position;
    QTextBlock markBlock = layout.body()->findBlock(mark.position);
    const bool markEndsBlock = mark.position == markBlock.position() + markBlock.length() - 1;
    if (markEndsBlock && markBlock.next().isValid()) firstNew = markBlock.next().position();
    Spot printedEnd = layout.spotOf(mark.position);
    Spot start = layout.spotOf(firstNew);
    if (markEndsBlock) start.x = 0;  // nothing of the printed paragraph shares the new line
    PrintOutcome outcome;
    if (start.page > printedEnd.page)
        outcome = paint(layout, device, start.page, nullptr);  // new text opens a fresh sheet
    else
        outcome = paint(layout, device, start.page, &start);
    if (outcome.status == PrintStatus::Printed) remember(doc);
    return outcome;
}

bool exportPdf(RecordDocument& doc, const QString& path, QString* error) {
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setCreator(QStringLiteral("青禾电子病历"));
    PrintOutcome outcome = printDocument(doc, &writer, false);
    if (outcome.status == PrintStatus::NothingToPrint) {
        // An empty document still exports as one blank page with its header.
        preparePaper(doc, &writer);
        PagedLayout layout(doc);
        outcome = paint(layout, &writer, 0, nullptr);
    }
    if (outcome.status != PrintStatus::Printed) {
        if (error) *error = QStringLiteral("无法写入PDF文件：") + path;
        return false;
    }
    return true;
}

int pageCount(const RecordDocument& doc) { return PagedLayout(doc).pages(); }

QList<int> pageStartPositions(const RecordDocument& doc) { return PagedLayout(doc).pageStarts(); }

double bodyTextWidth(const RecordDocument& doc, double dpi) {
    const PageMargins margins;
    return (doc.paper().width / 10.0 - margins.left - margins.right) * dpi / 25.4;
}

}  // namespace qh::records
