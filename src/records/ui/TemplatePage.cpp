#include "records/ui/TemplatePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QToolTip>
#include <QVBoxLayout>

#include "records/templates/PageHeader.h"
#include "records/library/FileExchange.h"
#include "records/ui/DocumentEditor.h"
#include "records/ui/FormatBar.h"
#include "records/ui/EditorPort.h"
#include "interaction/UserInterface.h"

namespace qh::records {

namespace {
const char* const kFieldNames[] = {"姓名", "科室", "病室", "床号", "住院号"};
}

TemplatePage::TemplatePage(const store::DataDirectory& files, ui::UserInterface& ui, const TemplateSettings& settings,
                           const QString& hospitalName, const QString& department, QWidget* parent)
    : QWidget(parent), files_(files), ui_(ui), hospitalName_(hospitalName), department_(department) {
    editor_ = new DocumentEditor(this);
    port_ = std::make_unique<EditorPort>(*editor_);
    model_ = std::make_unique<TemplatePageModel>(files_, *port_, ui, settings);

    // Left: the list with its count and the order buttons.
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    count_ = new QLabel(left);
    list_ = new QListWidget(left);
    auto* up = new QPushButton(QStringLiteral("上移"), left);
    auto* down = new QPushButton(QStringLiteral("下移"), left);
    auto* del = new QPushButton(QStringLiteral("删除模板"), left);
    auto* order = new QHBoxLayout;
    order->addWidget(up);
    order->addWidget(down);
    order->addWidget(del);
    newName_ = new QLineEdit(left);
    newName_->setPlaceholderText(QStringLiteral("请输入要添加的模板名称："));
    auto* add = new QPushButton(QStringLiteral("新建模板"), left);
    auto* adding = new QHBoxLayout;
    adding->addWidget(newName_, 1);
    adding->addWidget(add);
    // The buttons may narrow, so that on a small screen the list gives its room to the page.
    for (QPushButton* button : {up, down, add}) button->setMinimumWidth(44);
    del->setMinimumWidth(68);
    leftLayout->addWidget(count_);
    leftLayout->addWidget(list_, 1);
    leftLayout->addLayout(order);
    leftLayout->addLayout(adding);

    // Right: caption, titles, options, header fields, buttons, and the editor.
    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    caption_ = new QLabel(right);
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    title_ = new QLineEdit(right);
    title_->setPlaceholderText(QStringLiteral("请输入模块主标题"));
    recordTitle_ = new QComboBox(right);
    recordTitle_->setEditable(true);
    recordTitle_->lineEdit()->setPlaceholderText(QStringLiteral("请输入模块下级标题"));
    auto* rename = new QPushButton(QStringLiteral("标题保存"), right);
    auto* titles = new QHBoxLayout;
    titles->addWidget(new QLabel(QStringLiteral("模板标题："), right));
    titles->addWidget(title_, 1);
    titles->addWidget(new QLabel(QStringLiteral("病历标题："), right));
    titles->addWidget(recordTitle_, 1);
    titles->addWidget(rename);

    headerBox_ = new QCheckBox(QStringLiteral("模板显示页眉"), right);
    multiAddBox_ = new QCheckBox(QStringLiteral("可多次添加"), right);
    menuBox_ = new QCheckBox(QStringLiteral("添加菜单显示"), right);
    helpButton_ = new QPushButton(QStringLiteral("？"), right);
    helpButton_->setFixedWidth(28);
    auto* save = new QPushButton(QStringLiteral("保存模板"), right);
    auto* importButton = new QPushButton(QStringLiteral("导入"), right);
    auto* exportButton = new QPushButton(QStringLiteral("导出"), right);
    importButton->setObjectName(QStringLiteral("importTemplate"));
    exportButton->setObjectName(QStringLiteral("exportTemplate"));
    auto* options = new QHBoxLayout;
    options->addWidget(headerBox_);
    options->addWidget(multiAddBox_);
    options->addWidget(menuBox_);
    options->addWidget(helpButton_);
    options->addStretch(1);
    options->addWidget(importButton);
    options->addWidget(exportButton);
    options->addWidget(save);

    auto* fields = new QHBoxLayout;
    fields->addWidget(new QLabel(QStringLiteral("页眉项目："), right));
    for (const char* name : kFieldNames) {
        auto* box = new QCheckBox(QString::fromUtf8(name), right);
        box->setChecked(true);
        fieldBoxes_ << box;
        fields->addWidget(box);
    }
    auto* preview = new QPushButton(QStringLiteral("预览页眉"), right);
    fields->addStretch(1);
    fields->addWidget(preview);
    const HeaderFlags& flags = settings.header;
    const bool shown[] = {flags.name, flags.department, flags.room, flags.bed, flags.number};
    for (int i = 0; i < fieldBoxes_.size(); ++i) fieldBoxes_[i]->setChecked(shown[i]);

    rightLayout->addWidget(caption_);
    rightLayout->addLayout(titles);
    rightLayout->addLayout(options);
    rightLayout->addLayout(fields);
    // Forms are made here: the bar with tables, names and placeholders.
    rightLayout->addWidget(new FormatBar(editor_, right, true));
    rightLayout->addWidget(editor_, 1);

    auto* split = new QSplitter(this);
    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    split->setSizes({220, 800});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(split);

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!filling_) openRow(row);
    });
    connect(up, &QPushButton::clicked, this, &TemplatePage::moveUp);
    connect(down, &QPushButton::clicked, this, &TemplatePage::moveDown);
    connect(del, &QPushButton::clicked, this, &TemplatePage::deleteTemplate);
    connect(add, &QPushButton::clicked, this, &TemplatePage::newTemplate);
    connect(rename, &QPushButton::clicked, this, &TemplatePage::renameTemplate);
    connect(save, &QPushButton::clicked, this, &TemplatePage::saveTemplate);
    connect(preview, &QPushButton::clicked, this, &TemplatePage::previewHeader);
    connect(helpButton_, &QPushButton::clicked, this, &TemplatePage::showOptionsHelp);
    connect(importButton, &QPushButton::clicked, this, &TemplatePage::importFile);
    connect(exportButton, &QPushButton::clicked, this, &TemplatePage::exportFile);
}

TemplatePage::~TemplatePage() = default;

QCheckBox* TemplatePage::fieldBox(int index) const { return fieldBoxes_.value(index); }

void TemplatePage::refresh() {
    const qint64 open = model_->openId();
    model_->listTemplates();
    showList();
    if (open == 0) {
        if (!model_->entries().isEmpty()) openRow(0);
        return;
    }
    // The open template stays as it is in the editor, changes included.
    for (int i = 0; i < model_->entries().size(); ++i)
        if (model_->entries()[i].id == open) model_->selectRow(i);
    showOpenTemplate();
}

void TemplatePage::showList() {
    filling_ = true;
    list_->clear();
    for (const TemplateEntry& e : model_->entries()) list_->addItem(e.caption);
    list_->setCurrentRow(model_->selectedRow());
    count_->setText(model_->countLabel());
    const QString current = recordTitle_->currentText();
    recordTitle_->clear();
    recordTitle_->addItems(model_->listRecordTitles());
    recordTitle_->setEditText(current);
    filling_ = false;
}

void TemplatePage::showOpenTemplate() {
    filling_ = true;
    const TemplateOptions& o = model_->options();
    headerBox_->setChecked(o.header);
    multiAddBox_->setChecked(o.multiAdd);
    menuBox_->setChecked(o.inMenu);
    title_->setText(model_->openTitle());
    recordTitle_->setEditText(model_->openRecordTitle());
    caption_->setText(model_->caption());
    list_->setCurrentRow(model_->selectedRow());
    filling_ = false;
}

void TemplatePage::takeOptions() {
    TemplateOptions& o = model_->options();
    o.header = headerBox_->isChecked();
    o.multiAdd = multiAddBox_->isChecked();
    o.inMenu = menuBox_->isChecked();
}

void TemplatePage::openRow(int row) {
    takeOptions();  // the open template is offered for saving with its boxes as they are
    model_->openRow(row);
    showOpenTemplate();
}

void TemplatePage::newTemplate() {
    takeOptions();
    model_->newTemplate();
    const QString name = newName_->text().trimmed();
    if (!name.isEmpty() && model_->renameTemplate(name, name)) newName_->clear();
    showList();
    showOpenTemplate();
    emit templatesChanged();
}

void TemplatePage::saveTemplate() {
    takeOptions();
    if (model_->saveTemplate()) emit templatesChanged();
}

void TemplatePage::renameTemplate() {
    if (!model_->renameTemplate(title_->text().trimmed(), recordTitle_->currentText().trimmed())) return;
    showList();
    showOpenTemplate();
    emit templatesChanged();
}

void TemplatePage::deleteTemplate() {
    takeOptions();
    const int before = int(model_->entries().size());
    model_->deleteTemplate();
    if (model_->entries().size() == before) return;
    showList();
    showOpenTemplate();
    if (model_->openId() == 0) {
        editor_->setContent({});
        editor_->setModified(false);
    }
    emit templatesChanged();
}

void TemplatePage::moveUp() {
    model_->moveTemplateUp();
    showList();
    emit templatesChanged();
}

void TemplatePage::moveDown() {
    model_->moveTemplateDown();
    showList();
    emit templatesChanged();
}

void TemplatePage::previewHeader() {
    if (!headerBox_->isChecked() || model_->openId() == 0) return;
    HeaderFlags boxes;
    boxes.name = fieldBoxes_[0]->isChecked();
    boxes.department = fieldBoxes_[1]->isChecked();
    boxes.room = fieldBoxes_[2]->isChecked();
    boxes.bed = fieldBoxes_[3]->isChecked();
    boxes.number = fieldBoxes_[4]->isChecked();
    previewTemplateHeader(files_, *port_, hospitalName_, department_, boxes, model_->settings().paper);
}

void TemplatePage::showOptionsHelp() {
    QToolTip::showText(helpButton_->mapToGlobal(QPoint(helpButton_->width(), 0)),
                       TemplatePageModel::templateOptionsHelpText(), helpButton_);
}

bool TemplatePage::templateOpen() {
    if (model_->openId() == 0) ui_.messageDialog(kNoTemplateOpen);
    return model_->openId() != 0;
}

void TemplatePage::importFile() {
    if (!templateOpen() || !editor_->importChosenFile(ui_)) return;
    // Nothing is stored until 保存模板; the template is offered for saving as changed.
    editor_->setModified(true);
}

void TemplatePage::exportFile() {
    if (!templateOpen()) return;
    exportDocument(ui_, editor_->document(), model_->openKey());
}

}  // namespace qh::records
