#pragma once
// The temperature-chart page: the chart of the selected patient a week at a time, with
// paging, printing and PDF, and beside it the three grids where vital signs are entered and
// corrected. The page is thin: VitalSigns holds the grids and does the saving,
// TemperatureChart draws.
#include <QWidget>
#include <functional>
#include <memory>

#include "shell/PatientContext.h"
#include "shell/UserContext.h"
#include "store/DatabaseFiles.h"
#include "vitals/TemperatureChart.h"
#include "vitals/VitalSigns.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace qh::ui {
class DataGridView;
}

namespace qh::vitals {

// The chart drawn on the screen through the painter backend of the drawing board.
class ChartView : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);
    void setChart(const TemperatureChart* chart, int page);
    QSize sizeHint() const override { return {kChartWidth, kChartHeight}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TemperatureChart* chart_ = nullptr;
    int page_ = 1;
};

class ChartPage : public QWidget {
    Q_OBJECT
public:
    ChartPage(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui,
              QWidget* parent = nullptr);
    ~ChartPage() override;

    // Shows the patient's chart from page 1 and their lists.
    void showPatient(const shell::PatientContext& patient);
    // Selects the next bed's patient for a ward round; false at the last bed.
    void setNextPatient(std::function<bool()> next) { nextPatient_ = std::move(next); }

    int page() const { return page_; }
    int pageCount() const;
    void showPage(int page);
    VitalSigns& vitals() { return vitals_; }
    ChartView* chartView() const { return view_; }

    // Prints the current page or all pages (the range box) on the printer or to a PDF file.
    void printChart();
    bool exportPdf(const QString& path, bool allPages);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* gridTab(ui::DataGrid& grid, ui::DataGridView** view, const std::function<bool()>& add,
                     const std::function<bool()>& save, const std::function<bool(int)>& modify,
                     const std::function<void()>& list);
    void redraw();
    void afterSave(bool saved);
    void saveRoundRow();
    void advanceRound();

    store::DataDirectory files_;
    const shell::UserContext& user_;
    ui::UserInterface& ui_;
    VitalSigns vitals_;
    shell::PatientContext patient_;
    std::unique_ptr<TemperatureChart> chart_;
    int page_ = 1;

    ChartView* view_;
    QLabel* count_;
    QSpinBox* pageBox_;
    QPushButton* previous_;
    QPushButton* next_;
    QComboBox* range_;
    QTabWidget* tabs_;
    ui::DataGridView* temperatureView_ = nullptr;
    ui::DataGridView* othersView_ = nullptr;
    ui::DataGridView* eventsView_ = nullptr;
    QList<QPushButton*> editButtons_;

    std::function<bool()> nextPatient_;
    // A ward round carries its date and slot to the next bed.
    QString roundDate_, roundSlot_;
};

}  // namespace qh::vitals
