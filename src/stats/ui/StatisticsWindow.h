#pragma once
// The statistics window: the report list, the range, the department, doctor and patient-list
// form a report needs, and the result as a grid or a bar chart; export to CSV, PNG and PDF,
// and printing.
#include <QDialog>

#include "interaction/DataGrid.h"
#include "interaction/UserInterface.h"
#include "shell/UserContext.h"
#include "stats/Reports.h"
#include "store/DatabaseFiles.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace qh::ui {
class DataGridView;
class DateField;
}  // namespace qh::ui

namespace qh::stats {

class ChartView;

class StatisticsWindow : public QDialog {
    Q_OBJECT
public:
    StatisticsWindow(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui,
                     QWidget* parent = nullptr);

    // What the controls ask for, and running it; false when refused (the reason shown).
    ReportRequest request() const;
    void chooseReport(Report r);
    void setRange(const QDate& from, const QDate& to);
    void setDepartment(const QString& department);
    void setDoctor(const QString& doctor);
    void setListForm(ListForm form);
    bool runReport();

    const ReportTable& table() const { return table_; }
    const ui::DataGrid& grid() const { return grid_; }
    bool showsChart() const;

    void exportCsv();
    void exportPng();
    void exportPdf();
    void print();

private:
    void updateControls();
    void fillDoctors();
    void showTable();

    store::DataDirectory files_;
    const shell::UserContext& user_;
    ui::UserInterface& ui_;
    Reports reports_;
    ReportTable table_;
    ReportRequest shown_;
    ui::DataGrid grid_;

    QListWidget* list_;
    ui::DateField* from_;
    ui::DateField* to_;
    QComboBox* department_;
    QComboBox* doctor_;
    QComboBox* form_;
    QStackedWidget* stack_;
    ui::DataGridView* view_;
    ChartView* chart_;
    QLabel* status_;
    QPushButton* png_;
};

}  // namespace qh::stats
