#include "shell/ui/MainWindow.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "common/Clock.h"
#include "common/TimeOfDayText.h"
#include "shell/HelpFile.h"
#include "shell/ui/HelpWindow.h"
#include "shell/ui/PatientIcons.h"

namespace qh::shell {

namespace {

constexpr int kPageCount = 7;   // work-area pages 0..6 (4 unused)
constexpr int kBlankPage = 7;   // the cleared work area
constexpr int kSearchByName = 0, kSearchByDiagnosis = 1, kSearchByNumber = 2;

QIcon programIcon() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x2E, 0x8B, 0x57));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(13, 6, 6, 20));
    p.drawRect(QRectF(6, 13, 20, 6));
    return QIcon(pm);
}

QWidget* placeholderPage(const QString& text) {
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("color:#888888;"));
    return label;
}

}  // namespace

MainWindow::MainWindow(const UserContext& user, ui::UserInterface& ui, QWidget* loginWindow)
    : user_(user), ui_(ui), list_(user_), beds_(user_.department) {
    if (loginWindow) loginWindow->close();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("青禾电子病历"));
    setWindowIcon(programIcon());

    buildMenus();
    buildCommandPanel();
    setCommandHandler(cmd::Exit, [this] { close(); });
    setCommandHandler(cmd::Help, [this] { showHelp(); });

    // Banner above the work area.
    banner_ = new QLabel(user_.hospitalName + QStringLiteral(" 电子病历书写系统    ") + user_.department);
    banner_->setObjectName(QStringLiteral("banner"));
    QFont bannerFont = banner_->font();
    bannerFont.setPointSize(bannerFont.pointSize() + 5);
    bannerFont.setBold(true);
    banner_->setFont(bannerFont);
    banner_->setStyleSheet(QStringLiteral("color:white; background:#2E8B57; padding:6px 10px;"));

    work_ = new QStackedWidget;
    work_->setObjectName(QStringLiteral("workArea"));
    for (int i = 0; i < kPageCount; ++i) work_->addWidget(placeholderPage(kNotAvailableTip));
    work_->addWidget(placeholderPage(QString()));
    work_->setCurrentIndex(RecordsPage);

    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(work_, 1);

    leftTabs_ = new QTabWidget;
    leftTabs_->setObjectName(QStringLiteral("leftTabs"));
    leftTabs_->addTab(buildListPanel(), QStringLiteral("病人列表"));
    leftTabs_->addTab(buildBedPage(), QStringLiteral("床位列表"));
    connect(leftTabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 1) fillBedList(bedSearch_->text());
    });

    auto* splitter = new QSplitter;
    splitter->addWidget(leftTabs_);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({290, 700});

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(banner_);
    layout->addWidget(splitter, 1);
    setCentralWidget(central);

    clock_ = new QLabel;
    clock_->setObjectName(QStringLiteral("clockLabel"));
    statusBar()->showMessage(QStringLiteral("当前用户：") + user_.userName);
    statusBar()->addPermanentWidget(clock_);
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &MainWindow::tick);
    timer_->start(1000);
    tick();

    buildTray();
    updateStatusCommands();
    resize(1080, 720);
}

MainWindow::~MainWindow() {
    if (tray_) tray_->hide();
}

// ---- commands ------------------------------------------------------------------------

void MainWindow::addCommand(QAction* action, const QString& id) {
    action->setData(id);
    actions_[id].push_back(action);
    action->setEnabled(false);
    action->setToolTip(kNotAvailableTip);
    connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
}

void MainWindow::buildMenus() {
    for (const MenuDef& def : mainMenus()) {
        QMenu* menu = menuBar()->addMenu(def.title);
        menu->setToolTipsVisible(true);
        for (const CommandItem& item : def.items) {
            QAction* action = menu->addAction(item.text);
            addCommand(action, item.id);
            // The Add menu's template items show once the templates have filled them.
            if (item.id.startsWith(QLatin1String("add.")) && item.id != cmd::MoreTemplates)
                action->setVisible(false);
        }
    }
    listMenu_ = new QMenu(this);
    listMenu_->setToolTipsVisible(true);
    for (const CommandItem& item : shell::patientListMenu()) {
        if (item.id.isEmpty()) listMenu_->addSeparator();
        else addCommand(listMenu_->addAction(item.text), item.id);
    }
}

void MainWindow::buildCommandPanel() {
    panel_ = addToolBar(QStringLiteral("命令"));
    panel_->setObjectName(QStringLiteral("commandPanel"));
    panel_->setMovable(false);
    panel_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const CommandItem& item : commandPanel()) addCommand(panel_->addAction(item.text), item.id);
}

void MainWindow::setCommandHandler(const QString& id, std::function<void()> handler) {
    handlers_[id] = std::move(handler);
    for (QAction* a : actions_.value(id)) {
        a->setEnabled(true);
        a->setToolTip(a->text());
    }
}

void MainWindow::runCommand(const QString& id) {
    const auto handler = handlers_.value(id);
    if (!handler) return;
    if (offersSaveFirst(id)) offerSave(ui_, patient_, document_);
    handler();
}

void MainWindow::updateStatusCommands() {
    for (QAction* a : panel_->actions()) a->setVisible(commandVisible(a->data().toString(), user_, list_.status()));
    for (QAction* a : listMenu_->actions())
        if (!a->isSeparator()) a->setVisible(commandVisible(a->data().toString(), user_, list_.status()));
}

// ---- pages ---------------------------------------------------------------------------

void MainWindow::setPage(int index, QWidget* page, std::function<void()> refresh) {
    if (index < 0 || index >= kPageCount || !page) return;
    QWidget* old = work_->widget(index);
    const bool showing = work_->currentIndex() == index;
    work_->insertWidget(index, page);
    work_->removeWidget(old);
    old->deleteLater();
    if (showing) work_->setCurrentIndex(index);
    if (refresh) pageRefresh_[index] = std::move(refresh);
    else pageRefresh_.remove(index);
}

void MainWindow::showPage(int index) {
    if (index >= 0 && index < kPageCount) work_->setCurrentIndex(index);
}

int MainWindow::currentPage() const {
    const int i = work_->currentIndex();
    return i == kBlankPage ? -1 : i;
}

void MainWindow::offerSaveIfShowingRecords() {
    const int page = currentPage();
    if (page == RecordsPage0 || page == RecordsPage) offerSave(ui_, patient_, document_);
}

// ---- patient list --------------------------------------------------------------------

QWidget* MainWindow::buildListPanel() {
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);

    doctorSwitch_ = new QTabBar;
    doctorSwitch_->setObjectName(QStringLiteral("doctorSwitch"));
    doctorSwitch_->addTab(QStringLiteral(" 主管患者 "));
    doctorSwitch_->addTab(QStringLiteral(" 科室患者 "));
    doctorSwitch_->setCurrentIndex(0);
    connect(doctorSwitch_, &QTabBar::currentChanged, this, &MainWindow::switchDoctor);
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
        connect(option, &QRadioButton::clicked, this, [this, s = status] { chooseStatus(s); });
    }
    statusRow->addStretch();
    auto* modeBox = new QComboBox;
    modeBox->setObjectName(QStringLiteral("listMode"));
    modeBox->addItems({QStringLiteral("姓名"), QStringLiteral("诊断")});
    connect(modeBox, &QComboBox::currentIndexChanged, this, [this](int i) {
        mode_ = i == 1 ? ListMode::Diagnosis : ListMode::Name;
        if (list_.status() != PatientStatus::None) chooseStatus(list_.status());
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
        const int id = searchKinds_->checkedId();
        const SearchKind kind = id == kSearchByDiagnosis ? SearchKind::Diagnosis
                                : id == kSearchByNumber  ? SearchKind::HospitalNumber
                                                         : SearchKind::Name;
        runSearch(kind, searchBox_->text());
    };
    connect(searchButton, &QPushButton::clicked, this, search);
    connect(searchBox_, &QLineEdit::returnPressed, this, search);

    patients_ = new QListWidget;
    patients_->setObjectName(QStringLiteral("patientList"));
    patients_->setIconSize(QSize(24, 24));
    patients_->setContextMenuPolicy(Qt::CustomContextMenu);
    QFont mono = patients_->font();
    mono.setFamilies({QStringLiteral("WenQuanYi Zen Hei Mono"), QStringLiteral("Noto Sans Mono CJK SC"),
                      QStringLiteral("monospace")});
    patients_->setFont(mono);
    // Whatever moves the current row (a click, a right-click before the pop-up menu, the
    // arrow keys) makes that patient current, so the commands never act on one row with
    // another patient's particulars.
    connect(patients_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!fillingRows_) selectPatientRow(row);
    });
    connect(patients_, &QListWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        updateStatusCommands();
        listMenu_->popup(patients_->viewport()->mapToGlobal(at));
    });
    layout->addWidget(patients_, 1);

    count_ = new QLabel;
    count_->setObjectName(QStringLiteral("countLabel"));
    layout->addWidget(count_);
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("patientSummary"));
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary_->setWordWrap(true);
    layout->addWidget(summary_);
    return panel;
}

void MainWindow::switchDoctor(int tab) {
    if (doctorSwitch_->currentIndex() != tab) {
        doctorSwitch_->setCurrentIndex(tab);  // comes back here through the signal
        return;
    }
    offerSaveIfShowingRecords();
    const PatientStatus status = list_.status();
    work_->setCurrentIndex(kBlankPage);
    list_.clear();
    list_.setOwnPatients(tab == 0);
    showRows();
    count_->clear();
    auto* group = statusOptions_.first()->group();
    group->setExclusive(false);
    for (QRadioButton* option : statusOptions_) option->setChecked(false);
    group->setExclusive(true);
    // The list comes back with the status that was chosen, now for the other doctors.
    if (status != PatientStatus::None) chooseStatus(status);
    else updateStatusCommands();
}

void MainWindow::chooseStatus(PatientStatus status) {
    const int index = status == PatientStatus::InWard ? 0 : status == PatientStatus::Pending ? 1 : 2;
    if (status != PatientStatus::None && !statusOptions_[index]->isChecked()) statusOptions_[index]->setChecked(true);
    offerSaveIfShowingRecords();
    const bool opened = list_.fill(status, mode_);
    showRows();
    if (opened) count_->setText(list_.countText());
    updateStatusCommands();
}

void MainWindow::refreshList() {
    if (list_.status() != PatientStatus::None) chooseStatus(list_.status());
}

QString MainWindow::runSearch(SearchKind kind, const QString& text) {
    const bool chosen = list_.status() != PatientStatus::None;
    if (chosen) offerSaveIfShowingRecords();
    const QString result = list_.search(kind, text);
    if (chosen) {
        showRows();
        count_->setText(list_.countText());
    }
    searchBox_->setText(result);
    return result;
}

void MainWindow::showRows() {
    fillingRows_ = true;
    patients_->clear();
    for (const PatientRow& row : list_.rows()) {
        auto* item = new QListWidgetItem(patientIconImage(row.icon), row.text);
        item->setData(Qt::UserRole, row.id);
        patients_->addItem(item);
    }
    patients_->setCurrentRow(-1);
    fillingRows_ = false;
}

qint64 MainWindow::selectedPatientId() const {
    const QListWidgetItem* item = patients_->currentItem();
    return item ? item->data(Qt::UserRole).toLongLong() : 0;
}

void MainWindow::selectPatientRow(int row) {
    if (row < 0 || row >= patients_->count()) return;
    if (patients_->currentRow() != row) {
        patients_->setCurrentRow(row);  // comes back here through currentRowChanged
        return;
    }
    offerSaveIfShowingRecords();
    if (!PatientList::loadPatient(patients_->item(row)->data(Qt::UserRole).toLongLong(), patient_)) return;
    summary_->setText(PatientList::summary(patient_));
    int page = currentPage();
    // A work area cleared by the doctor switch counts as page 0: the patient's record page
    // shows instead of nothing.
    if (page < 0 || page == RecordsPage0 || page == RecordsPage) {
        page = RecordsPage;
        work_->setCurrentIndex(page);
    }
    if (pageRefresh_.contains(page)) pageRefresh_[page]();
    emit patientSelected();
}

// ---- bed list ------------------------------------------------------------------------

QWidget* MainWindow::buildBedPage() {
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(4, 4, 4, 4);
    bedSearch_ = new QLineEdit;
    bedSearch_->setObjectName(QStringLiteral("bedSearch"));
    bedSearch_->setPlaceholderText(QStringLiteral("拼音首字母"));
    connect(bedSearch_, &QLineEdit::textChanged, this, &MainWindow::fillBedList);
    bedList_ = new QListWidget;
    bedList_->setObjectName(QStringLiteral("bedList"));
    bedList_->setFont(patients_ ? patients_->font() : bedList_->font());
    connect(bedList_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!fillingBeds_) beds_.setTicked(bedList_->row(item), item->checkState() == Qt::Checked);
    });
    layout->addWidget(bedSearch_);
    layout->addWidget(bedList_, 1);
    return panel;
}

void MainWindow::fillBedList(const QString& searchText) {
    fillingBeds_ = true;
    bedList_->clear();
    beds_.fill(searchText.trimmed());
    for (const BedRow& row : beds_.rows()) {
        auto* item = new QListWidgetItem(row.text);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setData(Qt::UserRole, row.serial);
        bedList_->addItem(item);
    }
    fillingBeds_ = false;
}

// ---- tray, clock, help ---------------------------------------------------------------

void MainWindow::buildTray() {
    tray_ = new QSystemTrayIcon(windowIcon(), this);
    tray_->setToolTip(QStringLiteral("青禾电子病历"));
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("trayMenu"));
    connect(menu->addAction(QStringLiteral("最大化")), &QAction::triggered, this, [this] {
        showMaximized();
        activateWindow();
    });
    connect(menu->addAction(QStringLiteral("关  闭")), &QAction::triggered, this, &QWidget::close);
    tray_->setContextMenu(menu);
    if (QSystemTrayIcon::isSystemTrayAvailable()) tray_->show();
}

void MainWindow::tick() { clock_->setText(dates::clockText(Clock::now().time())); }

void MainWindow::showHelp() {
    if (!help_) help_ = new HelpWindow(helpFilePath(QCoreApplication::applicationDirPath()), this);
    help_->show();
    help_->raise();
}

}  // namespace qh::shell
