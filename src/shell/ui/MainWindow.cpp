#include "shell/ui/MainWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTextEdit>
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
    connect(bedPanel_, &BedListPanel::patientChosen, this, &MainWindow::choosePatientFromBed);

    leftTabs_ = new QTabWidget;
    leftTabs_->setObjectName(QStringLiteral("leftTabs"));
    leftTabs_->addTab(listPanel_, QStringLiteral("病人列表"));
    leftTabs_->addTab(bedPanel_, QStringLiteral("床位列表"));
    // The list may give way to a page being edited, down to this width.
    leftTabs_->setMinimumWidth(150);
    connect(leftTabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 1) bedPanel_->refresh();
    });

    splitter_ = new QSplitter;
    splitter_->setObjectName(QStringLiteral("mainSplitter"));
    splitter_->addWidget(leftTabs_);
    splitter_->addWidget(pages_);
    splitter_->setStretchFactor(1, 1);
    // The list may be narrowed to nothing; the work area keeps the room a page needs.
    splitter_->setCollapsible(1, false);
    splitter_->setSizes({260, 760});
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(bannerLabel(user_));
    layout->addWidget(splitter_, 1);
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
    connect(pages_, &PageRegistry::pageShown, this,
            [this] { QTimer::singleShot(0, this, &MainWindow::giveEditorsTheirPageWidth); });
    buildTray();
    menus_->showFor(PatientStatus::None);
    resize(1024, 700);
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

void MainWindow::choosePatientFromBed(qint64 id) {
    if (listPanel_->selectPatient(id)) return;
    // Not on the list showing: selected as the in-ward patient the bed list shows.
    offerSaveIfShowingRecords();
    selection_.select(id, PatientStatus::InWard);
}

void MainWindow::selectionChanged() {
    commands_.setPatientSelected(!selection_.isEmpty());
    if (selection_.isEmpty()) return;
    // A newly selected patient shows on the record page when the work area held no patient
    // page (cleared by the doctor switch, the record page's start, the templates).
    const auto page = pages_->current();
    if (!page || page == WorkPage::RecordsStart || page == WorkPage::Templates) pages_->show(WorkPage::Records);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    QTimer::singleShot(0, this, &MainWindow::giveEditorsTheirPageWidth);
}

namespace {

// Moves up to `missing` pixels to the splitter's child holding `holder` from its siblings,
// each down to its minimum; returns what could not be found.
int widenInSplitter(QSplitter* splitter, QWidget* holder, int missing) {
    const int at = splitter->indexOf(holder);
    QList<int> sizes = splitter->sizes();
    if (at < 0 || splitter->orientation() != Qt::Horizontal) return missing;
    for (int i = 0; i < sizes.size() && missing > 0; ++i) {
        if (i == at) continue;
        const QWidget* sibling = splitter->widget(i);
        const int floor = sibling->minimumWidth() > 0 ? sibling->minimumWidth() : sibling->minimumSizeHint().width();
        const int give = std::min(missing, sizes[i] - floor);
        if (give <= 0) continue;
        sizes[i] -= give;
        sizes[at] += give;
        missing -= give;
    }
    splitter->setSizes(sizes);
    return missing;
}

}  // namespace

// A record or template shows at the width of its page's text (its editor wraps at that
// fixed width). On a small screen the lists beside it narrow for it, the page's own list
// first and then the patient list, each down to its minimum.
void MainWindow::giveEditorsTheirPageWidth() {
    QWidget* page = pages_->currentWidget();
    if (!page) return;
    for (QTextEdit* edit : page->findChildren<QTextEdit*>()) {
        if (!edit->isVisible() || edit->lineWrapMode() != QTextEdit::FixedPixelWidth) continue;
        const int wanted = edit->lineWrapColumnOrWidth() + 2 * int(edit->document()->documentMargin());
        int missing = wanted - edit->viewport()->width();
        for (QWidget* holder = edit; holder && holder != this && missing > 0; holder = holder->parentWidget())
            if (auto* splitter = qobject_cast<QSplitter*>(holder->parentWidget()))
                missing = widenInSplitter(splitter, holder, missing);
    }
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

namespace {
const QString kGeometryKey = QStringLiteral("mainWindow/geometry");
const QString kStateKey = QStringLiteral("mainWindow/state");
const QString kSplitterKey = QStringLiteral("mainWindow/splitter");
}  // namespace

void MainWindow::showAsLeft() {
    keepsLayout_ = true;
    QSettings settings;
    const QByteArray geometry = settings.value(kGeometryKey).toByteArray();
    restoreState(settings.value(kStateKey).toByteArray());
    splitter_->restoreState(settings.value(kSplitterKey).toByteArray());
    if (geometry.isEmpty() || !restoreGeometry(geometry)) {
        showMaximized();
        return;
    }
    show();  // restoreGeometry brought back the maximized state too
}

void MainWindow::closeEvent(QCloseEvent* event) {
    offerSave(ui_, selection_.patient(), document_);
    for (const auto& offer : closingOffers_) offer();
    if (keepsLayout_) {
        QSettings settings;
        settings.setValue(kGeometryKey, saveGeometry());
        settings.setValue(kStateKey, saveState());
        settings.setValue(kSplitterKey, splitter_->saveState());
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::showHelp() {
    if (!help_) help_ = new HelpWindow(helpFilePath(QCoreApplication::applicationDirPath()), this);
    help_->show();
    help_->raise();
}

QVector<qint64> MainWindow::tickedBeds() const { return bedPanel_ ? bedPanel_->tickedSerials() : QVector<qint64>(); }

}  // namespace qh::shell
