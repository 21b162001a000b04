#include "orders/ui/OrderSheetView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "interaction/DrawingBoard.h"
#include "interaction/PainterBoard.h"
#include "interaction/ui/PrintRange.h"
#include "interaction/UserInterface.h"
#include "orders/OrderSheetData.h"

namespace qh::orders {

FormCanvas::FormCanvas(double width, double height, double scale, QWidget* parent)
    : QWidget(parent), width_(width), height_(height), scale_(scale) {
    setFixedSize(int(width * scale), int(height * scale));
}

void FormCanvas::setDrawing(Draw draw) {
    draw_ = std::move(draw);
    update();
}

void FormCanvas::setPaper(double width, double height) {
    width_ = width;
    height_ = height;
    setFixedSize(int(width * scale_), int(height * scale_));
    update();
}

void FormCanvas::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Qt::white);
    if (!draw_) return;
    ui::PainterBoard painter(*this);
    ui::DrawingBoard board(painter);
    board.beginJob(width_, height_);
    draw_(board);
    board.endJob();
}

OrderSheetView::OrderSheetView(const store::DataDirectory& files, ui::UserInterface& ui, QWidget* parent)
    : QWidget(parent), files_(files), ui_(ui) {
    selector_ = new QComboBox;
    selector_->setObjectName(QStringLiteral("sheetKind"));
    selector_->addItems({sheetName(SheetKind::LongTerm), sheetName(SheetKind::Temporary)});
    patientLine_ = new QLabel;
    patientLine_->setObjectName(QStringLiteral("patientLine"));
    previous_ = new QPushButton(QStringLiteral("上一页"));
    next_ = new QPushButton(QStringLiteral("下一页"));
    previous_->setObjectName(QStringLiteral("previousPage"));
    next_->setObjectName(QStringLiteral("nextPage"));
    pageLabel_ = new QLabel(pageLabel(1));
    pageLabel_->setObjectName(QStringLiteral("pageLabel"));
    count_ = new QLabel(pageCountLabel(0));
    count_->setObjectName(QStringLiteral("pageCount"));
    range_ = new QComboBox;
    range_->addItems({QStringLiteral("本页"), QStringLiteral("全部页")});
    auto* print = new QPushButton(QStringLiteral("打印"));
    auto* pdf = new QPushButton(QStringLiteral("导出PDF"));

    auto* bar = new QHBoxLayout;
    bar->addWidget(selector_);
    bar->addSpacing(12);
    for (QWidget* w : std::initializer_list<QWidget*>{previous_, pageLabel_, next_, count_}) bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(range_);
    bar->addWidget(print);
    bar->addWidget(pdf);

    canvas_ = new FormCanvas(kPaperWidth, kPaperHeight, 0.36);
    auto* scroll = new QScrollArea;
    scroll->setWidget(canvas_);
    scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll->setBackgroundRole(QPalette::Dark);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(patientLine_);
    layout->addWidget(scroll, 1);

    connect(selector_, &QComboBox::currentIndexChanged, this, [this](int index) {
        setKind(index == 1 ? SheetKind::Temporary : SheetKind::LongTerm);
    });
    connect(previous_, &QPushButton::clicked, this, [this] { showPage(page_ - 1); });
    connect(next_, &QPushButton::clicked, this, [this] { showPage(page_ + 1); });
    connect(print, &QPushButton::clicked, this, &OrderSheetView::printSheet);
    connect(pdf, &QPushButton::clicked, this, [this] {
        const QString path = ui_.saveFileName(QStringLiteral("导出医嘱单"), QString(), QStringLiteral("PDF 文件 (*.pdf)"));
        if (path.isEmpty()) return;
        if (!exportPdf(path, range_->currentIndex() == 1)) ui_.messageDialog(QStringLiteral("无法写入文件 ") + path);
    });
    open();
}

void OrderSheetView::showPatient(const shell::PatientContext& patient) {
    patient_ = patient;
    open();
}

void OrderSheetView::setKind(SheetKind kind) {
    if (selector_->currentIndex() != (kind == SheetKind::Temporary ? 1 : 0)) {
        selector_->setCurrentIndex(kind == SheetKind::Temporary ? 1 : 0);  // comes back here
        return;
    }
    const bool temporary = kind == SheetKind::Temporary;
    sheet_ = OrderSheet::load(files_, patient_.serialNumber, temporary ? SheetKind::Temporary : SheetKind::LongTerm);
    page_ = 1;
    count_->setText(pageCountLabel(sheet_.pageCount()));
    showPage(1);
}

void OrderSheetView::open() {
    hospital_ = sheetHospitalName(files_);
    patientLine_->setText(sheetPatientLine(patient_));
    setKind(selector_->currentIndex() == 1 ? SheetKind::Temporary : SheetKind::LongTerm);
}

QString OrderSheetView::title() const { return sheetTitle(hospital_, sheet_.kind()); }
QString OrderSheetView::pageText() const { return pageLabel_->text(); }
QString OrderSheetView::countText() const { return count_->text(); }

void OrderSheetView::showPage(int page) {
    page_ = std::clamp(page, 1, std::max(1, sheet_.pageCount()));
    pageLabel_->setText(pageLabel(page_));
    previous_->setEnabled(page_ > 1);
    next_->setEnabled(page_ < sheet_.pageCount());
    const QString title = this->title(), line = sheetPatientLine(patient_);
    const int shown = page_;
    const OrderSheet sheet = sheet_;
    canvas_->setDrawing([sheet, shown, title, line](ui::DrawingBoard& board) { sheet.drawPage(board, shown, title, line); });
}

void OrderSheetView::printSheet() {
    if (sheet_.pageCount() == 0) {
        ui_.messageDialog(QStringLiteral("无可打印页面！"));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                      QPageLayout::Millimeter));
    const auto pages = ui::askPageRange(printer, this, sheet_.pageCount(), page_, range_->currentIndex() == 1);
    if (!pages) return;
    ui::PainterBoard painter(printer);
    ui::DrawingBoard board(painter);
    sheet_.print(board, pages->first, pages->last, title(), sheetPatientLine(patient_));
}

bool OrderSheetView::exportPdf(const QString& path, bool allPages) {
    if (sheet_.pageCount() == 0) return false;
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                     QPageLayout::Millimeter));
    ui::PainterBoard painter(writer);
    ui::DrawingBoard board(painter);
    sheet_.print(board, allPages ? 1 : page_, allPages ? sheet_.pageCount() : page_, title(), sheetPatientLine(patient_));
    return painter.ok();
}

}  // namespace qh::orders
