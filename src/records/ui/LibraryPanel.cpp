#include "records/ui/LibraryPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "interaction/UserInterface.h"
#include "records/documents/PatientRecords.h"
#include "records/library/FileExchange.h"
#include "records/templates/TemplateSettings.h"
#include "records/ui/DocumentEditor.h"
#include "records/ui/EditorPort.h"
#include "records/ui/FormatBar.h"
#include "records/ui/RecordTextEdit.h"

namespace qh::records {

namespace {

constexpr int kEntryRole = Qt::UserRole + 1;

// The save-as dialog: entry name, the record it is for (or the module's group), private.
bool askNewEntry(QWidget* parent, LibraryKind* kind, NewLibraryEntry* entry, bool chooseKind) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("保存模板"));
    auto* form = new QFormLayout(&dialog);
    auto* kindBox = new QComboBox(&dialog);
    const QList<LibraryKind> kinds = chooseKind ? QList<LibraryKind>{LibraryKind::Sample, LibraryKind::Disease}
                                                : QList<LibraryKind>{LibraryKind::Disease, LibraryKind::Sample,
                                                                     LibraryKind::Module, LibraryKind::Surgery};
    for (LibraryKind k : kinds) kindBox->addItem(libraryCaption(k), int(k));
    kindBox->setCurrentIndex(qMax(0, kindBox->findData(int(*kind))));
    auto* name = new QLineEdit(entry->name, &dialog);
    auto* group = new QLineEdit(entry->group, &dialog);
    auto* isPrivate = new QCheckBox(QStringLiteral("加密（只有自己可见）"), &dialog);
    isPrivate->setChecked(entry->isPrivate);
    auto* groupLabel = new QLabel(&dialog);
    const auto follow = [&] {
        const auto k = LibraryKind(kindBox->currentData().toInt());
        groupLabel->setText(k == LibraryKind::Module ? QStringLiteral("模块分组：") : QStringLiteral("病历名称："));
        group->setEnabled(k != LibraryKind::Surgery);
    };
    QObject::connect(kindBox, &QComboBox::currentIndexChanged, &dialog, follow);
    follow();
    form->addRow(QStringLiteral("模板类别："), kindBox);
    form->addRow(QStringLiteral("模板标题："), name);
    form->addRow(groupLabel, group);
    form->addRow(QString(), isPrivate);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) return false;
    *kind = LibraryKind(kindBox->currentData().toInt());
    *entry = {name->text(), group->text(), isPrivate->isChecked(), {}};
    return true;
}

}  // namespace

LibraryPanel::LibraryPanel(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui,
                           PatientRecords& records, DocumentPort& recordEditor, QWidget* parent)
    : QWidget(parent),
      files_(files),
      user_(user),
      ui_(ui),
      records_(records),
      recordEditor_(recordEditor),
      library_(std::make_unique<TemplateLibrary>(files, user, ui)) {
    setObjectName(QStringLiteral("libraryPanel"));
    paper_ = loadTemplateSettings(files_).paper;
    kinds_ = new QTabBar(this);
    kinds_->setObjectName(QStringLiteral("libraryKinds"));
    for (int k = 0; k < kLibraryKinds; ++k) kinds_->addTab(libraryCaption(LibraryKind(k)));
    kinds_->setExpanding(false);
    kinds_->setUsesScrollButtons(true);
    own_ = new QRadioButton(QStringLiteral("我的模板"), this);
    shared_ = new QRadioButton(QStringLiteral("共享模板"), this);
    own_->setChecked(true);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("librarySearch"));
    search_->setPlaceholderText(QStringLiteral("名称或拼音首字母"));
    search_->setClearButtonEnabled(true);
    auto* scope = new QHBoxLayout;
    scope->addWidget(own_);
    scope->addWidget(shared_);
    scope->addWidget(search_, 1);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("libraryList"));
    list_->setHeaderHidden(true);
    list_->setRootIsDecorated(true);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);

    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("libraryCaption"));
    caption_->setStyleSheet(QStringLiteral("color:#1F5FA8; font-weight:bold; padding:2px 0;"));
    editor_ = new DocumentEditor(this);
    editor_->setObjectName(QStringLiteral("libraryEditor"));
    port_ = std::make_unique<EditorPort>(*editor_);
    auto* apply = new QPushButton(QStringLiteral("引用模板"), this);
    apply->setObjectName(QStringLiteral("applyEntry"));
    auto* save = new QPushButton(QStringLiteral("保存模板"), this);
    auto* saveAs = new QPushButton(QStringLiteral("另存为"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(apply);
    buttons->addWidget(save);
    buttons->addWidget(saveAs);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(kinds_);
    layout->addLayout(scope);
    layout->addWidget(list_, 2);
    layout->addWidget(caption_);
    layout->addWidget(new FormatBar(editor_, this));
    layout->addWidget(editor_, 3);
    layout->addLayout(buttons);

    // The list's menu.
    entryMenu_ = new QMenu(this);
    entryMenu_->setObjectName(QStringLiteral("libraryMenu"));
    entryMenu_->addAction(QStringLiteral("修改标题"), this, &LibraryPanel::renameCurrent);
    entryMenu_->addAction(QStringLiteral("加密模板"), this, [this] { setCurrentPrivate(true); });
    entryMenu_->addAction(QStringLiteral("共享模板"), this, [this] { setCurrentPrivate(false); });
    entryMenu_->addAction(QStringLiteral("删除模板"), this, &LibraryPanel::deleteCurrent);
    entryMenu_->addAction(QStringLiteral("引用模板"), this, &LibraryPanel::applyCurrent);
    connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const LibraryEntry* e = currentEntry();
        const bool mine = e && e->kind != LibraryKind::Related && e->owner == user_.userName;
        const QList<QAction*> actions = entryMenu_->actions();
        for (int i = 0; i < 4; ++i) actions[i]->setEnabled(mine);
        actions[4]->setEnabled(e != nullptr);
        entryMenu_->popup(list_->viewport()->mapToGlobal(at));
    });

    // The library editor's own menu: editing, alignment and the entry's commands.
    editor_->bodyView()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(editor_->bodyView(), &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* menu = editor_->bodyView()->createEditingMenu(this);
        menu->addSeparator();
        menu->addAction(QStringLiteral("字体"), editor_, &DocumentEditor::showFontDialog);
        QMenu* align = menu->addMenu(QStringLiteral("对齐"));
        align->addAction(QStringLiteral("左对齐"), this, [this] { editor_->bodyView()->setAlignment(Qt::AlignLeft); });
        align->addAction(QStringLiteral("右对齐"), this, [this] { editor_->bodyView()->setAlignment(Qt::AlignRight); });
        align->addAction(QStringLiteral("居中"), this, [this] { editor_->bodyView()->setAlignment(Qt::AlignHCenter); });
        menu->addSeparator();
        menu->addAction(QStringLiteral("导入病历"), this, &LibraryPanel::importFile);
        menu->addAction(QStringLiteral("新增模板"), this, &LibraryPanel::startNewEntry);
        menu->addAction(QStringLiteral("删除模板"), this, &LibraryPanel::deleteCurrent);
        menu->addAction(QStringLiteral("保存模板"), this, &LibraryPanel::saveCurrent);
        menu->addAction(QStringLiteral("导出"), this, &LibraryPanel::exportFile);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(editor_->bodyView()->viewport()->mapToGlobal(at));
    });

    connect(kinds_, &QTabBar::currentChanged, this, [this] { showList(); });
    connect(own_, &QRadioButton::toggled, this, [this] { showList(); });
    connect(search_, &QLineEdit::textChanged, this, [this] { showList(); });
    connect(list_, &QTreeWidget::itemClicked, this, [this] { openCurrent(); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { applyCurrent(); });
    connect(apply, &QPushButton::clicked, this, &LibraryPanel::applyCurrent);
    connect(save, &QPushButton::clicked, this, &LibraryPanel::saveCurrent);
    connect(saveAs, &QPushButton::clicked, this, &LibraryPanel::saveAsNew);
}

LibraryPanel::~LibraryPanel() = default;

LibraryKind LibraryPanel::kind() const { return LibraryKind(qMax(0, kinds_->currentIndex())); }
void LibraryPanel::setKind(LibraryKind kind) { kinds_->setCurrentIndex(int(kind)); }
void LibraryPanel::setShared(bool shared) { (shared ? shared_ : own_)->setChecked(true); }

LibraryContext LibraryPanel::context() const { return {records_.openCaption(), records_.patient()}; }

void LibraryPanel::refresh() { showList(); }

void LibraryPanel::showList() {
    entries_ = library_->list(kind(), own_->isChecked(), context(), search_->text());
    list_->clear();
    QHash<QString, QTreeWidgetItem*> groups;
    for (int i = 0; i < entries_.size(); ++i) {
        const LibraryEntry& e = entries_[i];
        QTreeWidgetItem* item = nullptr;
        if (e.kind == LibraryKind::Module) {
            QTreeWidgetItem*& group = groups[e.group];
            if (!group) {
                group = new QTreeWidgetItem(list_, {e.group});
                group->setExpanded(true);
            }
            item = new QTreeWidgetItem(group, {e.label()});
        } else {
            item = new QTreeWidgetItem(list_, {e.label()});
        }
        // A private entry is marked.
        if (e.isPrivate) item->setIcon(0, style()->standardIcon(QStyle::SP_DialogNoButton));
        item->setData(0, kEntryRole, i);
        if (!e.owner.isEmpty() && e.owner != user_.userName) item->setToolTip(0, e.owner);
    }
    list_->expandAll();
}

const LibraryEntry* LibraryPanel::entryOf(QTreeWidgetItem* item) const {
    if (!item) return nullptr;
    const QVariant index = item->data(0, kEntryRole);
    if (!index.isValid() || index.toInt() < 0 || index.toInt() >= entries_.size()) return nullptr;
    return &entries_[index.toInt()];
}

const LibraryEntry* LibraryPanel::currentEntry() const { return entryOf(list_->currentItem()); }

void LibraryPanel::openCurrent() {
    const LibraryEntry* e = currentEntry();
    if (!e) return;
    const LibraryEntry chosen = *e;
    if (library_->hasOpenEntry() && chosen.id == library_->openedEntry().id && chosen.kind == library_->openedEntry().kind)
        return;
    offerSave();
    library_->openEntry(chosen, *port_, paper_);
    caption_->setText(library_->caption());
}

void LibraryPanel::applyCurrent() {
    if (!library_->hasOpenEntry()) openCurrent();
    library_->applyEntry(*port_, records_, recordEditor_);
}

void LibraryPanel::offerSave() {
    const LibraryEntry& open = library_->openedEntry();
    // Only what this user could store is offered.
    if (!editor_->isModified() || !library_->hasOpenEntry() || open.kind == LibraryKind::Related ||
        open.owner != user_.userName)
        return;
    if (ui_.messageDialog(QStringLiteral("模板【") + open.name + QStringLiteral("】已修改，是否保存？"), true) == 1)
        saveCurrent();
    editor_->setModified(false);
}

void LibraryPanel::saveCurrent() {
    if (!library_->hasOpenEntry()) {
        saveAsNew();
        return;
    }
    if (library_->saveEntry(*port_)) editor_->setModified(false);
}

void LibraryPanel::saveAsNew() {
    LibraryKind k = kind() == LibraryKind::Related ? LibraryKind::Disease : kind();
    NewLibraryEntry entry{library_->openedEntry().name, k == LibraryKind::Module ? library_->openedEntry().group
                                                                                  : records_.openCaption(),
                          true, {}};
    if (!askNewEntry(this, &k, &entry, false)) return;
    if (library_->saveEntryAs(k, entry, *port_) > 0) {
        editor_->setModified(false);
        caption_->setText(library_->caption());
        setKind(k);
        showList();
    }
}

void LibraryPanel::renameCurrent() {
    const LibraryEntry* e = currentEntry();
    if (!e) return;
    const LibraryEntry entry = *e;
    const ui::InputResult r = ui_.inputBox(QStringLiteral("修改标题"), QStringLiteral("请输入新的模板标题："),
                                           ui::InputMode::Text, entry.kind == LibraryKind::Module ? entry.group : entry.name);
    if (!r.ok) return;
    if (library_->renameEntry(entry, r.text)) {
        caption_->setText(library_->caption());
        showList();
    }
}

void LibraryPanel::setCurrentPrivate(bool isPrivate) {
    const LibraryEntry* e = currentEntry();
    if (!e) return;
    if (library_->setPrivate(*e, isPrivate)) showList();
}

void LibraryPanel::deleteCurrent() {
    const LibraryEntry* e = currentEntry();
    LibraryEntry entry = e ? *e : LibraryEntry{kind()};
    if (library_->deleteEntry(entry)) {
        if (!library_->hasOpenEntry()) {
            editor_->setContent(QByteArray());
            editor_->setModified(false);
            caption_->clear();
        }
        showList();
    }
}

void LibraryPanel::importFile() {
    if (!editor_->importChosenFile(ui_)) return;
    // Stored only by 保存模板 or 另存为.
    editor_->setModified(true);
}

void LibraryPanel::exportFile() {
    exportDocument(ui_, editor_->document(), library_->openedEntry().name);
}

void LibraryPanel::saveRecordAsSample() {
    if (records_.openId() == 0 || records_.openFailed()) return;
    LibraryKind k = LibraryKind::Sample;
    NewLibraryEntry entry{records_.patient().diagnosis, records_.openCaption(), true, {}};
    if (!askNewEntry(this, &k, &entry, true)) return;
    if (library_->saveRecordAsEntry(k, entry, recordEditor_.content(), records_.patient()) > 0) {
        setKind(k);
        showList();
    }
}

void LibraryPanel::startNewEntry() {
    offerSave();
    library_->closeEntry();
    editor_->setContent(QByteArray());
    const PaperGeometry g = paperGeometry(paper_);
    editor_->setPageSize(g.width, g.height);
    editor_->setModified(false);
    caption_->setText(QStringLiteral("新增模板（写好后按“另存为”保存）"));
    editor_->bodyView()->setFocus();
}

}  // namespace qh::records
