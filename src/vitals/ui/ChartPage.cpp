#include "vitals/ui/ChartPage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QAbstractItemDelegate>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/Clock.h"
#include "interaction/DrawingBoard.h"
#include "interaction/PainterBoard.h"
#include "interaction/ui/PrintRange.h"
#include "interaction/ui/DataGridView.h"
#include "vitals/ChartPrinting.h"

namespace qh::vitals {

namespace {
QString S(const char* utf8) { return QString::fromUtf8(utf8); }
}  // namespace

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
    setFixedSize(kChartWidth, kChartHeight);
    setAutoFillBackground(false);
}

void ChartView::setChart(const TemperatureChart* chart, int page) {
    chart_ = chart;
    page_ = page;
    update();
}

void ChartView::paintEvent(QPaintEvent*) {
    if (!chart_) {
        QPainter(this).fillRect(rect(), Qt::white);
        return;
    }
    ui::PainterBoard painter(*this);
    ui::DrawingBoard board(painter);
    board.beginJob(kChartWidth, kChartHeight);
    chart_->drawPage(board, page_);
    board.endJob();
}

ChartPage::ChartPage(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui,
                     QWidget* parent)
    : QWidget(parent), files_(files), user_(user), ui_(ui), vitals_(files, user, ui) {
    // Paging, printing and PDF above the chart.
    auto* bar = new QHBoxLayout;
    previous_ = new QPushButton(S("上一页"));
    next_ = new QPushButton(S("下一页"));
    pageBox_ = new QSpinBox;
    pageBox_->setPrefix(S("第 "));
    pageBox_->setSuffix(S(" 页"));
    pageBox_->setMinimum(1);
    count_ = new QLabel(S("共 1 页"));
    range_ = new QComboBox;
    range_->addItems({S("本页"), S("全部页")});
    count_->setObjectName(QStringLiteral("pageCount"));
    previous_->setObjectName(QStringLiteral("previousPage"));
    next_->setObjectName(QStringLiteral("nextPage"));
    auto* print = new QPushButton(S("打印"));
    auto* pdf = new QPushButton(S("导出PDF"));
    for (QWidget* w : std::initializer_list<QWidget*>{previous_, pageBox_, next_, count_}) bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(range_);
    bar->addWidget(print);
    bar->addWidget(pdf);

    view_ = new ChartView;
    auto* scroll = new QScrollArea;
    scroll->setWidget(view_);
    scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll->setBackgroundRole(QPalette::Dark);
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addLayout(bar);
    leftLayout->addWidget(scroll, 1);

    tabs_ = new QTabWidget;
    tabs_->addTab(gridTab(vitals_.temperatures(), &temperatureView_, [this] { return vitals_.addTemperature(); },
                          [this] { return vitals_.saveTemperature(); },
                          [this](int r) { return vitals_.modifyTemperature(r); }, [this] { vitals_.listTemperatures(); }),
                  S("体温脉搏"));
    tabs_->addTab(gridTab(vitals_.others(), &othersView_, [this] { return vitals_.addOther(); },
                          [this] { return vitals_.saveOthers(); }, [this](int r) { return vitals_.modifyOther(r); },
                          [this] { vitals_.listOthers(); }),
                  S("其他项目"));
    tabs_->addTab(gridTab(vitals_.events(), &eventsView_, [this] { return vitals_.addEvent(); },
                          [this] { return vitals_.saveEvents(); }, [this](int r) { return vitals_.modifyEvent(r); },
                          [this] { vitals_.listEvents(); }),
                  S("事项"));

    auto* split = new QSplitter(Qt::Horizontal);
    split->addWidget(left);
    split->addWidget(tabs_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(split);

    connect(previous_, &QPushButton::clicked, this, [this] { showPage(page_ - 1); });
    connect(next_, &QPushButton::clicked, this, [this] { showPage(page_ + 1); });
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int p) {
        if (p != page_) showPage(p);
    });
    connect(print, &QPushButton::clicked, this, &ChartPage::printChart);
    connect(pdf, &QPushButton::clicked, this, [this] {
        const QString path = ui_.saveFileName(S("导出体温单"), QString(), S("PDF 文件 (*.pdf)"));
        if (path.isEmpty()) return;
        if (!exportPdf(path, range_->currentIndex() == 1)) ui_.messageDialog(S("无法写入文件 ") + path);
    });
    // The event cell decides the pair an event is stored in.
    connect(&vitals_.events(), &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& from) {
        if (from.column() == VitalSigns::VEvent) vitals_.eventEdited(from.row() + 1);
    });
    temperatureView_->installEventFilter(this);
    // Enter in an open cell commits it and then moves on as Enter on a closed one does.
    connect(temperatureView_->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                if (hint == QAbstractItemDelegate::SubmitModelCache)
                    QMetaObject::invokeMethod(this, [this] { advanceRound(); }, Qt::QueuedConnection);
            });
}

ChartPage::~ChartPage() = default;

QWidget* ChartPage::gridTab(ui::DataGrid& grid, ui::DataGridView** view, const std::function<bool()>& add,
                            const std::function<bool()>& save, const std::function<bool(int)>& modify,
                            const std::function<void()>& list) {
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    auto* buttons = new QHBoxLayout;
    auto* addButton = new QPushButton(S("添加"));
    auto* saveButton = new QPushButton(S("保存"));
    auto* modifyButton = new QPushButton(S("修改"));
    auto* listButton = new QPushButton(S("刷新列表"));
    for (QPushButton* b : {addButton, saveButton, modifyButton, listButton}) buttons->addWidget(b);
    buttons->addStretch();
    editButtons_ << addButton << saveButton << modifyButton;
    *view = new ui::DataGridView;
    (*view)->setGrid(&grid);
    (*view)->horizontalHeader()->setDefaultSectionSize(56);
    layout->addLayout(buttons);
    layout->addWidget(*view, 1);
    ui::DataGridView* v = *view;
    connect(addButton, &QPushButton::clicked, this, [add, v] {
        if (add()) {
            v->setFocus();
            v->edit(v->currentIndex());
        }
    });
    connect(saveButton, &QPushButton::clicked, this, [this, save] { afterSave(save()); });
    connect(modifyButton, &QPushButton::clicked, this, [this, modify, &grid] { afterSave(modify(grid.row())); });
    connect(listButton, &QPushButton::clicked, this, [list] { list(); });
    return tab;
}

void ChartPage::showPatient(const shell::PatientContext& patient) {
    patient_ = patient;
    vitals_.setPatient(patient);
    for (QPushButton* b : editButtons_) b->setVisible(vitals_.canEdit());
    page_ = 1;
    redraw();
    // A ward round goes on at the next bed with the same date and slot.
    if (!roundSlot_.isEmpty() && vitals_.addTemperature()) {
        vitals_.temperatures().setText(1, VitalSigns::TDate, roundDate_);
        vitals_.temperatures().setText(1, VitalSigns::TSlot, roundSlot_);
        tabs_->setCurrentIndex(0);
        temperatureView_->setFocus();
        temperatureView_->setCurrentIndex(vitals_.temperatures().index(0, VitalSigns::TTemp));
        temperatureView_->edit(temperatureView_->currentIndex());
    }
    roundDate_.clear();
    roundSlot_.clear();
}

int ChartPage::pageCount() const { return chart_ ? chart_->pageCount() : 1; }

void ChartPage::redraw() {
    chart_ = std::make_unique<TemperatureChart>(
        TemperatureChart::load(files_, patient_, user_.hospitalName, Clock::now().date()));
    const int n = chart_->pageCount();
    count_->setText(S("共 ") + QString::number(n) + S(" 页"));
    pageBox_->setMaximum(n);
    showPage(std::min(page_, n));
}

void ChartPage::showPage(int page) {
    const int n = pageCount();
    page_ = std::clamp(page, 1, n);
    pageBox_->blockSignals(true);
    pageBox_->setValue(page_);
    pageBox_->blockSignals(false);
    previous_->setEnabled(page_ > 1);
    next_->setEnabled(page_ < n);
    view_->setChart(chart_.get(), page_);
}

void ChartPage::afterSave(bool saved) {
    if (!saved) return;
    const int keep = page_;
    vitals_.listOthers();
    vitals_.listEvents();
    page_ = keep;
    redraw();
}

void ChartPage::printChart() {
    if (!chart_) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                      QPageLayout::Millimeter));
    const auto pages = ui::askPageRange(printer, this, pageCount(), page_, range_->currentIndex() == 1);
    if (!pages) return;
    ui::PainterBoard painter(printer);
    ui::DrawingBoard board(painter);
    chart_->print(board, pages->first, pages->last);
}

bool ChartPage::exportPdf(const QString& path, bool allPages) {
    if (!chart_) return false;
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                     QPageLayout::Millimeter));
    ui::PainterBoard painter(writer);
    ui::DrawingBoard board(painter);
    chart_->print(board, allPages ? 1 : page_, allPages ? pageCount() : page_);
    return painter.ok();
}

void ChartPage::saveRoundRow() {
    const QString date = vitals_.temperatures().text(1, VitalSigns::TDate);
    const QString slot = vitals_.temperatures().text(1, VitalSigns::TSlot);
    const bool saved = vitals_.saveTemperature();
    afterSave(saved);
    if (!saved || !nextPatient_) return;
    roundDate_ = date;
    roundSlot_ = slot;
    if (!nextPatient_()) {
        roundDate_.clear();
        roundSlot_.clear();
    }
}

void ChartPage::advanceRound() {
    const QModelIndex at = temperatureView_->currentIndex();
    if (!at.isValid()) return;
    if (at.column() < VitalSigns::TResp) {
        const QModelIndex next = at.sibling(at.row(), at.column() + 1);
        temperatureView_->setCurrentIndex(next);
        temperatureView_->edit(next);
    } else if (vitals_.canEdit() && vitals_.temperatures().rows() == 2) {
        saveRoundRow();
    }
}

bool ChartPage::eventFilter(QObject* watched, QEvent* event) {
    // Ward round: Enter moves to the next value; Enter on the last one saves and goes to
    // the next bed.
    if (watched == temperatureView_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            advanceRound();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace qh::vitals
