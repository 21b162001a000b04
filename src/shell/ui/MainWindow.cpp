#include "shell/ui/MainWindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSplitter>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "common/Clock.h"
#include "common/TimeOfDayText.h"
#include "shell/HelpFile.h"
#include "shell/MainCommands.h"
#include "shell/ui/BedListPanel.h"
#include "shell/ui/CommandMenus.h"
#include "shell/ui/HelpWindow.h"
#include "shell/ui/PatientListPanel.h"

namespace qh::shell {

namespace {

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

QLabel* bannerLabel(const UserContext& user) {
    auto* banner = new QLabel(user.hospitalName + QStringLiteral(" 电子病历书写系统    ") + user.department);
    banner->setObjectName(QStringLiteral("banner"));
    QFont font = banner->font();
    font.setPointSize(font.pointSize() + 5);
    font.setBold(true);
    banner->setFont(font);
    banner->setStyleSheet(QStringLiteral("color:white; background:#2E8B57; padding:6px 10px;"));
    return banner;
}

}  // namespace

MainWindow::MainWindow(const UserContext& user, const store::DataDirectory& files, ui::UserInterface& ui,
                       QWidget* loginWindow)
    : user_(user), files_(files), ui_(ui), selection_(files_) {
    if (loginWindow) loginWindow->close();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("青禾电子病历"));
    setWindowIcon(programIcon());

    menus_ = new CommandMenus(*this, commands_, user_);
    commands_.setOfferSave([this] { offerSave(ui_, selection_.patient(), document_); });
    commands_.setRightCheck([this](const QString& id) { return requireRight(commandAllowed(id, user_), ui_); });
    commands_.setHandler(cmd::Exit, [this] { close(); });
    commands_.setHandler(cmd::Help, [this] { showHelp(); });

    pages_ = new PageRegistry(selection_);
    listPanel_ = new PatientListPanel(files_, user_, selection_);
    listPanel_->setRowMenu(menus_->patientListMenu());
    listPanel_->setOfferSave([this] { offerSaveIfShowingRecords(); });
    connect(listPanel_, &PatientListPanel::cleared, pages_, &PageRegistry::showBlank);
    connect(listPanel_, &PatientListPanel::statusShown, menus_, &CommandMenus::showFor);
    bedPanel_ = new BedListPanel(files_, user_.department);

    leftTabs_ = new QTabWidget;
    leftTabs_->setObjectName(QStringLiteral("leftTabs"));
    leftTabs_->addTab(listPanel_, QStringLiteral("病人列表"));
    leftTabs_->addTab(bedPanel_, QStringLiteral("床位列表"));
    connect(leftTabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 1) bedPanel_->refresh();
    });

    auto* splitter = new QSplitter;
    splitter->addWidget(leftTabs_);
    splitter->addWidget(pages_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({290, 700});
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(bannerLabel(user_));
    layout->addWidget(splitter, 1);
    setCentralWidget(central);

    // Permanent labels: a menu item's hint in the status bar never hides the user.
    auto* userLabel = new QLabel(QStringLiteral("当前用户：") + user_.userName);
    userLabel->setObjectName(QStringLiteral("userLabel"));
    statusBar()->addPermanentWidget(userLabel, 1);
    clock_ = new QLabel;
    clock_->setObjectName(QStringLiteral("clockLabel"));
    statusBar()->addPermanentWidget(clock_);
    auto* timer = new QTimer(this);
    const auto tick = [this] { clock_->setText(dates::clockText(Clock::now().time())); };
    connect(timer, &QTimer::timeout, this, tick);
    timer->start(1000);
    tick();

    connect(&selection_, &PatientSelection::changed, this, &MainWindow::selectionChanged);
    buildTray();
    menus_->showFor(PatientStatus::None);
    resize(1080, 720);
}

MainWindow::~MainWindow() {
    if (tray_) tray_->hide();
}

PatientListControl& MainWindow::patientList() { return *listPanel_; }

void MainWindow::offerSaveIfShowingRecords() {
    if (pages_->showsRecords()) offerSave(ui_, selection_.patient(), document_);
}

void MainWindow::changeUser(const UserContext& user) {
    user_ = user;
    if (auto* banner = findChild<QLabel*>(QStringLiteral("banner")))
        banner->setText(user_.hospitalName + QStringLiteral(" 电子病历书写系统    ") + user_.department);
}

void MainWindow::setPatientInformation(QWidget* form, EditableDocument* document) {
    informationForm_ = form;
    informationDocument_ = document;
}

void MainWindow::selectionChanged() {
    commands_.setPatientSelected(!selection_.isEmpty());
    if (selection_.isEmpty()) return;
    // A newly selected patient shows on the record page when the work area held no patient
    // page (cleared by the doctor switch, the record page's start, the templates).
    const auto page = pages_->current();
    if (!page || page == WorkPage::RecordsStart || page == WorkPage::Templates) pages_->show(WorkPage::Records);
}

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

void MainWindow::showHelp() {
    if (!help_) help_ = new HelpWindow(helpFilePath(QCoreApplication::applicationDirPath()), this);
    help_->show();
    help_->raise();
}

}  // namespace qh::shell
