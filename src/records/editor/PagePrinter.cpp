#include "records/editor/PagePrinter.h"

#include "records/editor/RecordDocument.h"

#include <QAbstractTextDocumentLayout>
#include <QCryptographicHash>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <memory>

namespace qh::records {
namespace {

constexpr double kHeaderGapMm = 3;
constexpr double kFooterMm = 7;
constexpr double kMinBodyMm = 30;

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

double screenDpi() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

struct Spot {
    int page = 0;
    double top = 0;  // within the page's body area
    double height = 0;
    double x = 0;
};

// The body and header laid out for one resolution, in that resolution's pixels.
class PagedLayout {
public:
    PagedLayout(const RecordDocument& doc, QPaintDevice* device, double dpi) {
        const double mm = dpi / 25.4;
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
            if (device) d->documentLayout()->setPaintDevice(device);
            d->setDocumentMargin(0);
        }
        if (!doc.header()->isEmpty()) {
            header_->setTextWidth(bodyWidth_);
            headerHeight_ = header_->documentLayout()->documentSize().height();
        }
        bodyTop_ = top_ + (headerHeight_ > 0 ? headerHeight_ + kHeaderGapMm * mm : 0);
        bodyHeight_ = qMax(footerTop_ - bodyTop_, kMinBodyMm * mm);
        body_->setPageSize(QSizeF(bodyWidth_, bodyHeight_));
        pages_ = body_->pageCount();  // also completes the layout, which is otherwise lazy
    }

    int pages() const { return pages_; }
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
        spot.page = int(y / bodyHeight_);
        spot.top = y - spot.page * bodyHeight_;
        return spot;
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
        painter.save();
        QRectF area(left_, bodyTop_, bodyWidth_, bodyHeight_);
        QRegion region(area.toAlignedRect());
        if (blankAbove) {
            region -= QRectF(left_, bodyTop_, bodyWidth_, blankAbove->top).toAlignedRect();
            region -= QRectF(left_, bodyTop_ + blankAbove->top, blankAbove->x, blankAbove->height).toAlignedRect();
        }
        painter.setClipRegion(region);
        painter.translate(left_, bodyTop_ - page * bodyHeight_);
        context.clip = QRectF(0, page * bodyHeight_, bodyWidth_, bodyHeight_);
        // What is already on paper is not drawn at all (the clip hides the rest of a line
        // that was only partly printed).
        if (blankAbove) context.clip.setTop(page * bodyHeight_ + blankAbove->top + 0.5);
        body_->documentLayout()->draw(&painter, context);
        painter.restore();
        if (withNumber) {
            painter.save();
            QFont font(body_->defaultFont());
            font.setPointSizeF(9);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(0, footerTop_, pageWidth_, footerHeight_), Qt::AlignCenter,
                             QStringLiteral("第 %1 页").arg(page + 1));
            painter.restore();
        }
    }

private:
    std::unique_ptr<QTextDocument> header_;
    std::unique_ptr<QTextDocument> body_;
    double pageWidth_ = 0, pageHeight_ = 0, left_ = 0, top_ = 0, bodyWidth_ = 0, bodyTop_ = 0, bodyHeight_ = 0;
    double headerHeight_ = 0, footerTop_ = 0, footerHeight_ = 0;
    int pages_ = 1;
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
    PagedLayout layout(doc, device, device->logicalDpiY());
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
    PagedLayout layout(doc, device, device->logicalDpiY());
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
        PagedLayout layout(doc, &writer, writer.logicalDpiY());
        outcome = paint(layout, &writer, 0, nullptr);
    }
    if (outcome.status != PrintStatus::Printed) {
        if (error) *error = QStringLiteral("无法写入PDF文件：") + path;
        return false;
    }
    return true;
}

int pageCount(const RecordDocument& doc) { return PagedLayout(doc, nullptr, screenDpi()).pages(); }

QList<int> pageStartPositions(const RecordDocument& doc) {
    PagedLayout layout(doc, nullptr, screenDpi());
    QList<int> starts;
    int lastPage = 0;
    for (QTextBlock block = layout.body()->begin(); block.isValid(); block = block.next()) {
        QTextLayout* text = block.layout();
        for (int i = 0; text && i < text->lineCount(); ++i) {
            int position = block.position() + text->lineAt(i).textStart();
            Spot spot = layout.spotOf(position);
            if (spot.page > lastPage) {
                starts.append(position);
                lastPage = spot.page;
            }
        }
    }
    return starts;
}

double bodyTextWidth(const RecordDocument& doc, double dpi) {
    const PageMargins margins;
    return (doc.paper().width / 10.0 - margins.left - margins.right) * dpi / 25.4;
}

}  // namespace qh::records
