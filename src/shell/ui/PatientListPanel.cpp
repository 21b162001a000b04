#include "shell/ui/PatientListPanel.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "shell/ui/PatientIcons.h"

namespace qh::shell {

namespace {
constexpr int kSearchByName = 0, kSearchByDiagnosis = 1, kSearchByNumber = 2;
}

PatientListPanel::PatientListPanel(const store::DataDirectory& files, const UserContext& user,
                                   PatientSelection& selection, QWidget* parent)
    : QWidget(parent), list_(files, user), selection_(selection) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    doctorSwitch_ = new QTabBar;
    doctorSwitch_->setObjectName(QStringLiteral("doctorSwitch"));
    doctorSwitch_->addTab(QStringLiteral(" 主管患者 "));
    doctorSwitch_->addTab(QStringLiteral(" 科室患者 "));
    doctorSwitch_->setCurrentIndex(0);
    connect(doctorSwitch_, &QTabBar::currentChanged, this, &PatientListPanel::switchDoctor);
    layout->addWidget(doctorSwitch_);

    auto* statusRow = new QHBoxLayout;
    auto* statusGroup = new QButtonGroup(this);
    const QList<QPair<QString, PatientStatus>> statuses{{QStringLiteral("在院"), PatientStatus::InWard},
                                                        {QStringLiteral("待结"), PatientStatus::Pending},
                                                        {QStringLiteral("出院"), PatientStatus::Discharged}};
    for (const auto& [text, status] : statuses) {
        auto* option = new QRadioButton(text);
        option->setObjectName(QStringLiteral("status_") + text);
        statusGroup->addButton(option);
        statusOptions_ << option;
        statusRow->addWidget(option);
        connect(option, &QRadioButton::clicked, this, [this, s = status] { showStatus(s); });
    }
    statusRow->addStretch();
    auto* modeBox = new QComboBox;
    modeBox->setObjectName(QStringLiteral("listMode"));
    modeBox->addItems({QStringLiteral("姓名"), QStringLiteral("诊断")});
    connect(modeBox, &QComboBox::currentIndexChanged, this, [this](int i) {
        mode_ = i == 1 ? ListMode::Diagnosis : ListMode::Name;
        if (list_.status() != PatientStatus::None) refill();
    });
    statusRow->addWidget(modeBox);
    layout->addLayout(statusRow);

    // The search page: kind, box (which also shows the result) and the button.
    auto* searchRow = new QHBoxLayout;
    searchKinds_ = new QButtonGroup(this);
    const QStringList kinds{QStringLiteral("姓名"), QStringLiteral("诊断"), QStringLiteral("住院号")};
    for (int i = 0; i < kinds.size(); ++i) {
        auto* kind = new QRadioButton(kinds[i]);
        kind->setObjectName(QStringLiteral("searchKind%1").arg(i));
        searchKinds_->addButton(kind, i);
        searchRow->addWidget(kind);
    }
    searchKinds_->button(kSearchByName)->setChecked(true);
    layout->addLayout(searchRow);
    auto* searchLine = new QHBoxLayout;
    searchBox_ = new QLineEdit;
    searchBox_->setObjectName(QStringLiteral("searchBox"));
    searchBox_->setPlaceholderText(QStringLiteral("姓名、拼音首字母、诊断或住院号"));
    auto* searchButton = new QPushButton(QStringLiteral("查  询"));
    searchButton->setObjectName(QStringLiteral("searchButton"));
    searchLine->addWidget(searchBox_, 1);
    searchLine->addWidget(searchButton);
    layout->addLayout(searchLine);
    auto search = [this] {
        // The box shows the result of the last search, selected so that typing replaces it;
        // Enter on that text is not a search for it.
        if (!shownResult_.isEmpty() && searchBox_->text() == shownResult_) {
            searchBox_->selectAll();
            return;
        }
        const int id = searchKinds_->checkedId();
        const SearchKind kind = id == kSearchByDiagnosis ? SearchKind::Diagnosis
                                : id == kSearchByNumber  ? SearchKind::HospitalNumber
                                                         : SearchKind::Name;
        runSearch(kind, searchBox_->text());
    };
    connect(searchButton, &QPushButton::clicked, this, search);
    connect(searchBox_, &QLineEdit::returnPressed, this, search);

    rows_ = new QListWidget;
    rows_->setObjectName(QStringLiteral("patientList"));
    rows_->setIconSize(QSize(24, 24));
    rows_->setContextMenuPolicy(Qt::CustomContextMenu);
    rows_->setFont(patientListFont(rows_->font()));
    // Whatever moves the current row (a click, a right-click before the pop-up menu, the
    // arrow keys) makes that patient current, so the commands never act on one row with
    // another patient's particulars.
    connect(rows_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_) selectRow(row);
    });
    connect(rows_, &QListWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (!rowMenu_) return;
        emit statusShown(list_.status());  // the menu offers the status commands of this list
        rowMenu_->popup(rows_->viewport()->mapToGlobal(at));
    });
    layout->addWidget(rows_, 1);

    count_ = new QLabel;
    count_->setObjectName(QStringLiteral("countLabel"));
    layout->addWidget(count_);
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("patientSummary"));
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary_->setWordWrap(true);
    layout->addWidget(summary_);

    connect(&selection_, &PatientSelection::changed, this, &PatientListPanel::selectionChanged);
}

void PatientListPanel::switchDoctor(int tab) {
    if (doctorSwitch_->currentIndex() != tab) {
        doctorSwitch_->setCurrentIndex(tab);  // comes back here through the signal
        return;
    }
    offerSave();
    const PatientStatus status = list_.status();
    list_.clear();
    list_.setOwnPatients(tab == 0);
    showRows();
    count_->clear();
    auto* group = statusOptions_.first()->group();
    group->setExclusive(false);
    for (QRadioButton* option : statusOptions_) option->setChecked(false);
    group->setExclusive(true);
    selection_.clear();
    emit cleared();
    // The list comes back with the status that was chosen, now for the other doctors.
    if (status != PatientStatus::None) showStatus(status);
    else emit statusShown(PatientStatus::None);
}

void PatientListPanel::showStatus(PatientStatus status) {
    if (status == PatientStatus::None) return;
    const int index = status == PatientStatus::InWard ? 0 : status == PatientStatus::Pending ? 1 : 2;
    if (!statusOptions_[index]->isChecked()) statusOptions_[index]->setChecked(true);
    offerSave();
    const bool opened = list_.fill(status, mode_);
    showRows();
    if (opened) count_->setText(list_.countText());
    keepSelection();
    emit statusShown(status);
}

void PatientListPanel::refill() {
    if (list_.status() != PatientStatus::None) showStatus(list_.status());
}

QString PatientListPanel::runSearch(SearchKind kind, const QString& text) {
    const bool chosen = list_.status() != PatientStatus::None;
    if (chosen) offerSave();
    const QString result = list_.search(kind, text);
    if (chosen) {
        showRows();
        count_->setText(list_.countText());
        keepSelection();
    }
    searchBox_->setText(result);
    searchBox_->selectAll();
    shownResult_ = result;
    return result;
}

void PatientListPanel::showRows() {
    filling_ = true;
    rows_->clear();
    for (const PatientRow& row : list_.rows()) {
        auto* item = new QListWidgetItem(patientIconImage(row.icon), row.text);
        item->setData(Qt::UserRole, row.id);
        rows_->addItem(item);
    }
    rows_->setCurrentRow(-1);
    filling_ = false;
}

// After a refill the selected patient stays selected while the list shows the row;
// otherwise nobody is selected, so nothing acts on a patient no longer shown.
void PatientListPanel::keepSelection() {
    const int row = selection_.isEmpty() ? -1 : list_.rowOf(selection_.id());
    if (row < 0) {
        selection_.clear();
        return;
    }
    filling_ = true;
    rows_->setCurrentRow(row);
    filling_ = false;
    selection_.select(selection_.id(), list_.rows()[row].status);  // its particulars may have changed
}

bool PatientListPanel::selectPatient(qint64 id) {
    const int row = list_.rowOf(id);
    if (row < 0) return false;
    selectRow(row);
    return true;
}

void PatientListPanel::selectRow(int row) {
    if (row < 0 || row >= rows_->count()) return;
    if (rows_->currentRow() != row) {
        rows_->setCurrentRow(row);  // comes back here through currentRowChanged
        return;
    }
    offerSave();
    // A search row of another state is selected in its own state, so the commands of the
    // list showing (discharge from 在院, …) refuse it rather than act on it.
    if (!selection_.select(list_.rows()[row].id, list_.rows()[row].status)) {
        // The row is gone (deleted at another workstation): the list is read again.
        refill();
    }
}

void PatientListPanel::selectionChanged() {
    const bool samePatient = !selection_.isEmpty() && selection_.id() == shownId_;
    shownId_ = selection_.id();
    if (selection_.isEmpty()) {
        summary_->clear();
        filling_ = true;
        rows_->setCurrentRow(-1);
        filling_ = false;
        return;
    }
    summary_->setText(PatientList::summary(selection_.patient()));
    const int row = list_.rowOf(selection_.id());
    if (!samePatient || row < 0) {
        // Selected elsewhere (the bed list): the list marks the row if it shows the patient.
        filling_ = true;
        rows_->setCurrentRow(row);
        filling_ = false;
        return;
    }
    // The same patient read again (after a save of the form): its row shows the particulars
    // as they are now, or leaves a list it no longer belongs to.
    if (list_.refreshRow(selection_.id()) == PatientList::RowChange::Removed) {
        showRows();
        count_->setText(list_.countText());
        selection_.clear();
        return;
    }
    QListWidgetItem* item = rows_->item(row);
    const PatientRow& now = list_.rows()[row];
    item->setText(now.text);
    item->setIcon(patientIconImage(now.icon));
}

}  // namespace qh::shell
