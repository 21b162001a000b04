#include "records/ui/RecordPage.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolButton>

#include "records/library/FileExchange.h"
#include "records/ui/DocumentEditor.h"
#include "records/ui/FormatBar.h"
#include "records/ui/LibraryPanel.h"
#include "records/ui/RecordTextEdit.h"
#include "shell/MainCommands.h"
#include "shell/ui/Workbench.h"

namespace qh::records {

namespace {
constexpr int kInformationArea = 0;
}  // namespace

RecordPage::RecordPage(shell::Workbench& bench, const TemplateSettings& settings, QWidget* parent)
    : QWidget(parent), bench_(bench), editor_(new DocumentEditor), port_(*editor_) {
    setObjectName(QStringLiteral("recordPage"));
    editor_->setObjectName(QStringLiteral("recordEditor"));
    records_ = new PatientRecords(bench.files(), bench.user(), port_, bench.userInterface(), settings, this);
    records_->setPrinter([this](bool continued) {
        return continued ? editor_->continuePrintRecord() : editor_->printRecord();
    });

    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("documentList"));
    area_ = new QStackedWidget;
    QWidget* form = bench.patientInformationForm();
    area_->addWidget(form ? form : new QWidget);
    // The document area: which document is open, above the editor.
    auto* documentArea = new QWidget;
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("recordStatus"));
    status_->setStyleSheet(QStringLiteral("color:#2E8B57; font-weight:bold; padding:2px 4px;"));
    auto* libraryButton = new QToolButton;
    libraryButton->setObjectName(QStringLiteral("libraryButton"));
    libraryButton->setText(QStringLiteral("模板库"));
    libraryButton->setCheckable(true);
    libraryButton->setChecked(true);
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(status_, 1);
    statusRow->addWidget(libraryButton);
    auto* documentLayout = new QVBoxLayout(documentArea);
    documentLayout->setContentsMargins(0, 0, 0, 0);
    documentLayout->setSpacing(0);
    documentLayout->addLayout(statusRow);
    documentLayout->addWidget(new FormatBar(editor_, documentArea));
    documentLayout->addWidget(editor_, 1);
    area_->addWidget(documentArea);

    library_ = new LibraryPanel(bench.files(), bench.user(), bench.userInterface(), *records_, port_);
    auto* splitter = new QSplitter;
    splitter->addWidget(list_);
    splitter->addWidget(area_);
    splitter->addWidget(library_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({150, 640, 330});
    connect(libraryButton, &QToolButton::toggled, this, &RecordPage::showLibrary);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    buildMenu();
    connect(records_, &PatientRecords::entriesChanged, this, &RecordPage::showEntries);
    connect(records_, &PatientRecords::documentOpened, this, &RecordPage::showDocument);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_ || row < 0) return;
        // The form of entry 0 is offered as a document is; PatientRecords offers its own.
        if (records_->showsInformation())
            shell::offerSave(bench_.userInterface(), bench_.selection().patient(), this);
        records_->selectEntry(row);
    });
    showEntries();
    showDocument();
}

RecordPage::~RecordPage() = default;

void RecordPage::refresh() {
    records_->listRecords(bench_.selection().patient());
}

void RecordPage::showEntries() {
    filling_ = true;
    list_->clear();
    for (const RecordEntry& e : records_->entries()) list_->addItem(e.caption);
    list_->setCurrentRow(records_->selected());
    filling_ = false;
}

void RecordPage::showDocument() {
    if (records_->selected() != list_->currentRow()) showEntries();
    area_->setCurrentIndex(records_->showsInformation() ? kInformationArea : 1);
    const QString status = records_->statusText();
    QString note;
    if (records_->openFailed())
        note = QStringLiteral("（数据已损坏，只读）");
    else if (!records_->mayEdit())
        note = QStringLiteral("（只读）");
    else if (records_->tracksChanges())
        note = QStringLiteral("（修订模式：修改将留下痕迹）");
    status_->setText(status.isEmpty() ? QString() : status + note);
    if (auto* main = qobject_cast<QMainWindow*>(bench_.window())) {
        if (status.isEmpty())
            main->statusBar()->clearMessage();
        else
            main->statusBar()->showMessage(status);
    }
    updateMenu();
    // The library shows what fits the open document.
    if (!library_->isHidden()) library_->refresh();
    // The save command follows the edit right of the document in front.
    const bool readOnlyDocument = !records_->showsInformation() && (records_->openFailed() || !records_->mayEdit());
    bench_.commands().setBlocked(shell::cmd::SaveRecord, readOnlyDocument);
}

void RecordPage::buildMenu() {
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("recordMenu"));
    auto add = [this](const QString& text, const QString& name, auto slot) {
        QAction* a = menu_->addAction(text, this, slot);
        a->setObjectName(name);
        return a;
    };
    add(QStringLiteral("剪切"), QStringLiteral("cut"), [this] { editor_->cut(); });
    add(QStringLiteral("复制"), QStringLiteral("copy"), [this] { editor_->copy(); });
    add(QStringLiteral("粘贴"), QStringLiteral("paste"), [this] { editor_->paste(); });
    add(QStringLiteral("存为范文"), QStringLiteral("saveSample"), [this] { library_->saveRecordAsSample(); });
    menu_->addSeparator();
    add(QStringLiteral("替换"), QStringLiteral("replace"), [this] { editor_->showReplaceDialog(); });
    add(QStringLiteral("字体"), QStringLiteral("font"), [this] { editor_->showFontDialog(); });
    add(QStringLiteral("字符"), QStringLiteral("character"), [this] { editor_->showCharacterDialog(); });
    add(QStringLiteral("图片"), QStringLiteral("picture"), [this] { editor_->insertPicture(); });
    menu_->addSeparator();
    add(QStringLiteral("删除病历"), QStringLiteral("delete"), [this] { records_->deleteRecord(); });
    add(QStringLiteral("打印病历"), QStringLiteral("print"), [this] { records_->printRecord(); });
    add(QStringLiteral("保存病历"), QStringLiteral("save"), [this] { records_->saveRecord(); });

    // The editor's own menu is this one: its commands keep protection and tracking.
    for (QWidget* view : {static_cast<QWidget*>(editor_->bodyView()), static_cast<QWidget*>(list_)}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& at) {
            if (records_->openId() == 0) return;
            updateMenu();
            menu_->popup(view->mapToGlobal(at));
        });
    }
}

void RecordPage::updateMenu() {
    const bool open = records_->openId() != 0 && !records_->openFailed();
    const bool editable = open && records_->mayEdit();
    for (QAction* a : menu_->actions()) {
        const QString n = a->objectName();
        if (n == QLatin1String("cut") || n == QLatin1String("paste") || n == QLatin1String("save") ||
            n == QLatin1String("replace") || n == QLatin1String("font") || n == QLatin1String("character") ||
            n == QLatin1String("picture"))
            a->setEnabled(editable);
        if (n == QLatin1String("copy") || n == QLatin1String("print") || n == QLatin1String("saveSample"))
            a->setEnabled(open);
        if (n == QLatin1String("delete")) a->setEnabled(records_->openId() != 0 && records_->mayDelete());
    }
}

void RecordPage::saveShown() {
    // With the library's editor in front, "保存病历" saves the library entry.
    if (!library_->isHidden() && library_->isAncestorOf(QApplication::focusWidget())) {
        library_->saveCurrent();
        return;
    }
    if (records_->showsInformation()) {
        if (shell::EditableDocument* form = bench_.patientInformationDocument()) form->save();
    } else {
        records_->saveRecord();
    }
}

void RecordPage::importFile() {
    if (records_->openId() == 0 || records_->openFailed()) return;
    if (!editor_->importChosenFile(bench_.userInterface())) return;
    // The file's content follows the edit right of the open document.
    records_->contentReplaced();
}

void RecordPage::exportFile() {
    if (records_->openId() == 0 || records_->openFailed()) return;
    // The file is a copy: the document still waits for "保存病历" when it was changed.
    exportDocument(bench_.userInterface(), editor_->document(), records_->openCaption());
}

void RecordPage::showLibrary(bool shown) {
    if (auto* button = findChild<QToolButton*>(QStringLiteral("libraryButton"))) button->setChecked(shown);
    library_->setVisible(shown);
    if (shown) library_->refresh();
}

bool RecordPage::isModified() const {
    if (records_->showsInformation()) {
        const shell::EditableDocument* form = bench_.patientInformationDocument();
        return form && form->isModified();
    }
    return records_->isModified();
}

QString RecordPage::title() const {
    if (records_->showsInformation()) {
        const shell::EditableDocument* form = bench_.patientInformationDocument();
        return form ? form->title() : QString();
    }
    return records_->title();
}

bool RecordPage::save() {
    if (records_->showsInformation()) {
        shell::EditableDocument* form = bench_.patientInformationDocument();
        return form && form->save();
    }
    return records_->saveRecord();
}

void RecordPage::discardChanges() {
    if (records_->showsInformation()) {
        if (shell::EditableDocument* form = bench_.patientInformationDocument()) form->discardChanges();
        return;
    }
    records_->discardChanges();
}

bool RecordPage::insertAtCaret(const QString& text) {
    return !records_->showsInformation() && editor_->insertAtCaret(text);
}

}  // namespace qh::records
