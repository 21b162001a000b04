#include "orders/ui/InfusionCardWindow.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/Clock.h"
#include "interaction/DrawingBoard.h"
#include "interaction/PainterBoard.h"
#include "interaction/UserInterface.h"
#include "interaction/ui/DateField.h"
#include "orders/ui/OrderSheetView.h"

namespace qh::orders {

namespace {
QScrollArea* scrolled(QWidget* w) {
    auto* scroll = new QScrollArea;
    scroll->setWidget(w);
    scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll->setBackgroundRole(QPalette::Dark);
    return scroll;
}
}  // namespace

InfusionCardWindow::InfusionCardWindow(const store::DataDirectory& files, const QString& user, ui::UserInterface& ui,
                                       TickedBeds beds, CurrentPatient patient, QWidget* parent)
    : QWidget(parent, Qt::Window), files_(files), user_(user), ui_(ui), beds_(std::move(beds)),
      patient_(std::move(patient)) {
    setWindowTitle(QStringLiteral("输液卡与处方笺"));
    date_ = new ui::DateField(Clock::now(), QStringLiteral("yyyy-MM-dd"));
    date_->setObjectName(QStringLiteral("cardDate"));
    options_ = new QButtonGroup(this);
    auto* bar = new QHBoxLayout;
    bar->addWidget(new QLabel(QStringLiteral("日期:")));
    bar->addWidget(date_);
    const QStringList texts = cardOptionTexts();
    for (int i = 0; i < texts.size(); ++i) {
        auto* b = new QRadioButton(texts[i]);
        options_->addButton(b, i);
        bar->addWidget(b);
    }
    options_->button(0)->setChecked(true);
    auto* show = new QPushButton(QStringLiteral("显示"));
    auto* print = new QPushButton(QStringLiteral("打印"));
    auto* pdf = new QPushButton(QStringLiteral("导出PDF"));
    bar->addSpacing(12);
    bar->addWidget(show);
    bar->addStretch();
    bar->addWidget(print);
    bar->addWidget(pdf);

    // Tab 1: the cards, a page at a time.
    auto* cardTab = new QWidget;
    auto* cardBar = new QHBoxLayout;
    previous_ = new QPushButton(QStringLiteral("上一页"));
    next_ = new QPushButton(QStringLiteral("下一页"));
    cardPageLabel_ = new QLabel(QStringLiteral("第 1 页 共0页"));
    cardBar->addWidget(previous_);
    cardBar->addWidget(cardPageLabel_);
    cardBar->addWidget(next_);
    cardBar->addStretch();
    cardCanvas_ = new FormCanvas(kCardPageWidth, kCardPageHeight, 0.34);
    auto* cardLayout = new QVBoxLayout(cardTab);
    cardLayout->setContentsMargins(0, 0, 0, 0);
    cardLayout->addLayout(cardBar);
    cardLayout->addWidget(scrolled(cardCanvas_), 1);

    // Tab 2: the prescription list and the slip.
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("prescriptions"));
    list_->setMaximumWidth(160);
    slipCanvas_ = new FormCanvas(kSlipWidth, kSlipHeight, 1.25);
    auto* slipTab = new QSplitter(Qt::Horizontal);
    slipTab->addWidget(list_);
    slipTab->addWidget(scrolled(slipCanvas_));
    slipTab->setStretchFactor(1, 1);

    tabs_ = new QTabWidget;
    tabs_->addTab(cardTab, QStringLiteral("输液卡"));
    tabs_->addTab(slipTab, QStringLiteral("处方笺"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(tabs_, 1);

    connect(show, &QPushButton::clicked, this, [this] {
        if (tabs_->currentIndex() == 0)
            showCards();
        else
            listPrescriptions();
    });
    connect(print, &QPushButton::clicked, this, &InfusionCardWindow::print);
    connect(pdf, &QPushButton::clicked, this, [this] {
        const QString path = ui_.saveFileName(QStringLiteral("导出PDF"), QString(), QStringLiteral("PDF 文件 (*.pdf)"));
        if (path.isEmpty()) return;
        if (!exportPdf(path)) ui_.messageDialog(QStringLiteral("无法写入文件 ") + path);
    });
    connect(previous_, &QPushButton::clicked, this, [this] { showCardPage(cardPage_ - 1); });
    connect(next_, &QPushButton::clicked, this, [this] { showCardPage(cardPage_ + 1); });
    connect(list_, &QListWidget::currentRowChanged, this, &InfusionCardWindow::showSlip);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == 1) listPrescriptions();
    });
    resize(1000, 900);
    showCardPage(1);
}

void InfusionCardWindow::setDate(const QDate& day) { date_->setDate(day); }
QDate InfusionCardWindow::date() const { return date_->date(); }
void InfusionCardWindow::setOption(CardOption option) {
    options_->button(cardOptionTexts().indexOf(cardOptionText(option)))->setChecked(true);
}
CardOption InfusionCardWindow::option() const {
    return cardOptionFromText(cardOptionTexts().value(options_->checkedId())).value_or(CardOption::All);
}

void InfusionCardWindow::showCards() {
    QStringList serials;
    for (qint64 s : beds_ ? beds_() : QVector<qint64>()) serials << QString::number(s);
    if (serials.isEmpty()) ui_.messageDialog(QStringLiteral("请在床位列表中勾选患者！"));
    cards_ = InfusionCards::make(files_, serials, date(), option(), user_);
    showCardPage(1);
}

void InfusionCardWindow::showCardPage(int page) {
    cardPage_ = std::clamp(page, 1, std::max(1, cards_.pageCount()));
    cardPageLabel_->setText(QStringLiteral("第 ") + QString::number(cardPage_) + QStringLiteral(" 页 ") +
                            pageCountLabel(cards_.pageCount()));
    previous_->setEnabled(cardPage_ > 1);
    next_->setEnabled(cardPage_ < cards_.pageCount());
    const InfusionCards cards = cards_;
    const int p = cardPage_;
    cardCanvas_->setDrawing([cards, p](ui::DrawingBoard& board) { cards.drawPage(board, p); });
}

void InfusionCardWindow::listPrescriptions() {
    const shell::PatientContext patient = patient_ ? patient_() : shell::PatientContext();
    entries_ = orders::listPrescriptions(files_, patient.serialNumber, date());
    list_->blockSignals(true);
    list_->clear();
    for (const PrescriptionEntry& e : entries_) list_->addItem(e.label);
    list_->blockSignals(false);
    slip_.reset();
    slipCanvas_->setDrawing({});
    if (!entries_.isEmpty()) list_->setCurrentRow(0);
}

void InfusionCardWindow::showSlip(int entry) {
    if (entry < 0 || entry >= entries_.size()) return;
    slip_ = PrescriptionSlip::load(files_, patient_ ? patient_() : shell::PatientContext(), entries_[entry]);
    const PrescriptionSlip slip = *slip_;
    slipCanvas_->setDrawing([slip](ui::DrawingBoard& board) { slip.draw(board); });
}

int InfusionCardWindow::drawInto(ui::DrawingBoard& board) const {
    if (tabs_->currentIndex() == 1) return slip_ ? slip_->print(board) : 0;
    return cards_.print(board);
}

void InfusionCardWindow::print() {
    if (tabs_->currentIndex() == 0 ? cards_.cards().isEmpty() : !slip_) {
        ui_.messageDialog(QStringLiteral("无可打印页面！"));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(tabs_->currentIndex() == 1 ? QPageSize::A5 : QPageSize::A4),
                                      QPageLayout::Portrait, QMarginsF(8, 8, 8, 8), QPageLayout::Millimeter));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    ui::PainterBoard painter(printer);
    ui::DrawingBoard board(painter);
    drawInto(board);
}

bool InfusionCardWindow::exportPdf(const QString& path) {
    if (tabs_->currentIndex() == 0 ? cards_.cards().isEmpty() : !slip_) return false;
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(tabs_->currentIndex() == 1 ? QPageSize::A5 : QPageSize::A4),
                                     QPageLayout::Portrait, QMarginsF(8, 8, 8, 8), QPageLayout::Millimeter));
    ui::PainterBoard painter(writer);
    ui::DrawingBoard board(painter);
    return drawInto(board) > 0 && painter.ok();
}

}  // namespace qh::orders
