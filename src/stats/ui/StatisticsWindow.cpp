#include "stats/ui/StatisticsWindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "common/Clock.h"
#include "interaction/ui/DataGridView.h"
#include "interaction/ui/DateField.h"
#include "stats/BarChart.h"
#include "stats/ReportCsv.h"
#include "stats/ReportPrint.h"

namespace qh::stats {

// The chart of the report shown, drawn at the widget's size.
class ChartView : public QWidget {
public:
    explicit ChartView(QWidget* parent = nullptr) : QWidget(parent) { setMinimumSize(480, 300); }
    void setChart(const BarChart& chart) {
        chart_ = chart;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        drawBarChart(p, QRectF(rect()), chart_);
    }

private:
    BarChart chart_;
};

namespace {

const QString kExported = QStringLiteral("导出成功！");
const QString kExportFailed = QStringLiteral("导出失败，请检查文件名与文件夹！");

QString baseName(const ReportRequest& q) {
    return reportName(int(q.report)) + QStringLiteral("_") + q.from.toString(QStringLiteral("yyyyMMdd")) +
           QStringLiteral("_") + q.to.toString(QStringLiteral("yyyyMMdd"));
}

}  // namespace

StatisticsWindow::StatisticsWindow(const store::DataDirectory& files, const shell::UserContext& user,
                                   ui::UserInterface& ui, QWidget* parent)
    : QDialog(parent), files_(files), user_(user), ui_(ui), reports_(files) {
    setWindowTitle(QStringLiteral("统计数据"));
    resize(1000, 640);

    list_ = new QListWidget;
    const QStringList names = reportNames();
    for (int i = 0; i < names.size(); ++i) list_->addItem(QStringLiteral("%1 %2").arg(i + 1, 2).arg(names[i]));
    list_->setMinimumWidth(210);

    const QDate today = Clock::now().date();
    from_ = new ui::DateField(QDate(today.year(), today.month(), 1).startOfDay(), QStringLiteral("yyyy-MM-dd"));
    to_ = new ui::DateField(today.startOfDay(), QStringLiteral("yyyy-MM-dd"));
    department_ = new QComboBox;
    department_->addItems(reports_.departments());
    department_->setCurrentText(user_.department);
    doctor_ = new QComboBox;
    doctor_->setMinimumContentsLength(6);
    form_ = new QComboBox;
    for (int f = 1; f <= 4; ++f) form_->addItem(listFormName(ListForm(f)), f);
    fillDoctors();

    auto* query = new QPushButton(QStringLiteral("查询"));
    query->setDefault(true);
    auto* csv = new QPushButton(QStringLiteral("导出CSV"));
    png_ = new QPushButton(QStringLiteral("导出图片"));
    auto* pdf = new QPushButton(QStringLiteral("导出PDF"));
    auto* print = new QPushButton(QStringLiteral("打印"));
    auto* close = new QPushButton(QStringLiteral("关闭"));

    auto* criteria = new QHBoxLayout;
    criteria->addWidget(new QLabel(QStringLiteral("开始日期")));
    criteria->addWidget(from_);
    criteria->addWidget(new QLabel(QStringLiteral("结束日期")));
    criteria->addWidget(to_);
    criteria->addWidget(new QLabel(QStringLiteral("科室")));
    criteria->addWidget(department_);
    criteria->addWidget(new QLabel(QStringLiteral("医生")));
    criteria->addWidget(doctor_);
    criteria->addWidget(new QLabel(QStringLiteral("清单")));
    criteria->addWidget(form_);
    criteria->addWidget(query);
    criteria->addStretch();

    view_ = new ui::DataGridView;
    view_->setGrid(&grid_);
    chart_ = new ChartView;
    stack_ = new QStackedWidget;
    stack_->addWidget(view_);
    stack_->addWidget(chart_);

    status_ = new QLabel;
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    for (QPushButton* b : {csv, png_, pdf, print, close}) buttons->addWidget(b);

    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addLayout(criteria);
    rightLayout->addWidget(stack_, 1);
    rightLayout->addLayout(buttons);
    auto* split = new QSplitter;
    split->addWidget(list_);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    split->setSizes({220, 780});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split);

    connect(list_, &QListWidget::currentRowChanged, this, [this] {
        updateControls();
        runReport();
    });
    connect(department_, &QComboBox::currentTextChanged, this, [this] { fillDoctors(); });
    connect(form_, &QComboBox::currentIndexChanged, this, [this] { updateControls(); });
    connect(query, &QPushButton::clicked, this, [this] { runReport(); });
    connect(csv, &QPushButton::clicked, this, &StatisticsWindow::exportCsv);
    connect(png_, &QPushButton::clicked, this, &StatisticsWindow::exportPng);
    connect(pdf, &QPushButton::clicked, this, &StatisticsWindow::exportPdf);
    connect(print, &QPushButton::clicked, this, &StatisticsWindow::print);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    list_->setCurrentRow(0);
}

ReportRequest StatisticsWindow::request() const {
    ReportRequest q;
    q.report = Report(std::max(1, list_->currentRow() + 1));
    q.from = from_->date();
    q.to = to_->date();
    q.department = department_->currentText();
    q.doctor = doctor_->currentText();
    q.form = ListForm(form_->currentData().toInt());
    return q;
}

void StatisticsWindow::chooseReport(Report r) { list_->setCurrentRow(int(r) - 1); }
void StatisticsWindow::setRange(const QDate& from, const QDate& to) {
    from_->setDate(from);
    to_->setDate(to);
}
void StatisticsWindow::setDepartment(const QString& department) { department_->setCurrentText(department); }
void StatisticsWindow::setDoctor(const QString& doctor) { doctor_->setCurrentText(doctor); }
void StatisticsWindow::setListForm(ListForm form) { form_->setCurrentIndex(int(form) - 1); }
bool StatisticsWindow::showsChart() const { return stack_->currentWidget() == chart_; }

void StatisticsWindow::fillDoctors() {
    const QString current = doctor_->currentText();
    doctor_->clear();
    doctor_->addItems(reports_.doctors(department_->currentText()));
    const int keep = doctor_->findText(current.isEmpty() ? user_.userName : current);
    if (keep >= 0) doctor_->setCurrentIndex(keep);
}

void StatisticsWindow::updateControls() {
    const Report r = Report(std::max(1, list_->currentRow() + 1));
    const ListForm form = ListForm(form_->currentData().toInt());
    department_->setEnabled(needsDepartment(r, form) || r == Report::PatientList);
    doctor_->setEnabled(needsDoctor(r, form));
    form_->setEnabled(r == Report::PatientList);
    png_->setEnabled(isChart(r));
}

bool StatisticsWindow::runReport() {
    const ReportRequest q = request();
    const ReportOutcome outcome = reports_.run(q);
    if (!outcome.ok) {
        ui_.messageDialog(outcome.refusal);
        return false;
    }
    table_ = outcome.table;
    shown_ = q;
    showTable();
    return true;
}

void StatisticsWindow::showTable() {
    grid_.clearRows();
    grid_.setCols(int(table_.captions.size()));
    grid_.setHeader(table_.captions);
    for (int c = 0; c < grid_.cols(); ++c)
        grid_.setColumnAlignment(c, (table_.numericColumns.contains(c) ? Qt::AlignRight : Qt::AlignLeft) |
                                        Qt::AlignVCenter);
    for (const QStringList& row : table_.rows) grid_.addRow(row);
    view_->resizeColumnsToContents();
    // Room around each figure and caption, so the columns do not read as one block.
    for (int c = 0; c < grid_.cols(); ++c) view_->setColumnWidth(c, std::max(64, view_->columnWidth(c) + 18));
    if (table_.chart) {
        chart_->setChart(*table_.chart);
        stack_->setCurrentWidget(chart_);
    } else {
        stack_->setCurrentWidget(view_);
    }
    status_->setText(reportHeading(shown_) + QStringLiteral("    共 %1 行").arg(table_.rows.size()));
}

void StatisticsWindow::exportCsv() {
    if (table_.captions.isEmpty()) return;
    const QString path = ui_.saveFileName(QStringLiteral("导出CSV"), baseName(shown_) + QStringLiteral(".csv"),
                                          QStringLiteral("CSV 文件 (*.csv)"));
    if (path.isEmpty()) return;
    ui_.messageDialog(writeCsvFile(table_, path) ? kExported : kExportFailed);
}

void StatisticsWindow::exportPng() {
    if (!table_.chart) return;
    const QString path = ui_.saveFileName(QStringLiteral("导出图片"), baseName(shown_) + QStringLiteral(".png"),
                                          QStringLiteral("PNG 图片 (*.png)"));
    if (path.isEmpty()) return;
    ui_.messageDialog(writeChartPng(*table_.chart, path) ? kExported : kExportFailed);
}

void StatisticsWindow::exportPdf() {
    if (table_.captions.isEmpty()) return;
    const QString path = ui_.saveFileName(QStringLiteral("导出PDF"), baseName(shown_) + QStringLiteral(".pdf"),
                                          QStringLiteral("PDF 文件 (*.pdf)"));
    if (path.isEmpty()) return;
    ui_.messageDialog(writeReportPdf(table_, reportHeading(shown_), path) ? kExported : kExportFailed);
}

void StatisticsWindow::print() {
    if (table_.captions.isEmpty()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter p;
    if (!p.begin(&printer)) return;
    paintReport(printer, p, table_, reportHeading(shown_));
    p.end();
}

}  // namespace qh::stats
