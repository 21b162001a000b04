#pragma once
// The left side of the main window, "病人列表": the doctor switch, the status options, the
// list mode, the search page, the patient list with its count and the selected patient's
// summary. A view over PatientList; choosing a row selects the patient in PatientSelection.
#include <QList>
#include <QWidget>
#include <functional>

#include "shell/PatientList.h"
#include "shell/PatientSelection.h"
#include "shell/ui/Workbench.h"

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QRadioButton;
class QTabBar;

namespace qh::shell {

class PatientListPanel : public QWidget, public PatientListControl {
    Q_OBJECT
public:
    PatientListPanel(const store::DataDirectory& files, const UserContext& user, PatientSelection& selection,
                     QWidget* parent = nullptr);

    // Asked before the list or the patient changes (the unsaved-changes prompt).
    void setOfferSave(std::function<void()> offerSave) { offerSave_ = std::move(offerSave); }
    // The pop-up menu of the list's rows.
    void setRowMenu(QMenu* menu) { rowMenu_ = menu; }
    const PatientList& list() const { return list_; }

    // PatientListControl
    void showStatus(PatientStatus status) override;
    void refill() override;
    bool selectPatient(qint64 id) override;

    // The controls' operations, as the user runs them.
    void switchDoctor(int tab);  // 0 own patients, 1 department
    void chooseStatus(PatientStatus status) { showStatus(status); }
    void selectRow(int row);
    QString runSearch(SearchKind kind, const QString& text);

signals:
    // The doctor switch cleared the list: the work area shows nothing.
    void cleared();
    // A status option was chosen (also when the list is cleared: None).
    void statusShown(qh::shell::PatientStatus status);

private:
    void showRows();
    void keepSelection();
    void selectionChanged();
    void offerSave() {
        if (offerSave_) offerSave_();
    }

    PatientList list_;
    PatientSelection& selection_;
    std::function<void()> offerSave_;
    ListMode mode_ = ListMode::Name;
    bool filling_ = false;
    QString shownResult_;  // "查询到 n 人" as the search box shows it
    qint64 shownId_ = 0;  // the patient the summary shows

    QTabBar* doctorSwitch_;
    QList<QRadioButton*> statusOptions_;
    QButtonGroup* searchKinds_;
    QLineEdit* searchBox_;
    QListWidget* rows_;
    QLabel* count_;
    QLabel* summary_;
    QMenu* rowMenu_ = nullptr;
};

}  // namespace qh::shell
