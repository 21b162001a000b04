#include "reference/ui/ReferencePanel.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

#include "reference/PassageInsertion.h"

namespace qh::reference {

namespace {

QPlainTextEdit* textBox(QWidget* parent, const QString& name) {
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return box;
}

QString shown(const QString& text) {
    QString t = text;
    return t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

ReferencePanel::ReferencePanel(ReferenceBase base, Kind kind, QWidget* parent)
    : QWidget(parent), base_(std::move(base)), kind_(kind), model_(new CategoryTree(base_, kind, this)) {
    setObjectName(QStringLiteral("panel_") + kindCaption(kind));
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("查找"), left));
    searchBox_ = new QLineEdit(left);
    searchBox_->setObjectName(QStringLiteral("searchBox"));
    searchBox_->setPlaceholderText(QStringLiteral("名称或拼音首字母"));
    searchBox_->setClearButtonEnabled(true);
    searchRow->addWidget(searchBox_, 1);
    leftLayout->addLayout(searchRow);
    if (kind == Kind::WesternDrug) {
        atStart_ = new QCheckBox(QStringLiteral("首字母从头匹配"), left);
        atStart_->setObjectName(QStringLiteral("atStartBox"));
        leftLayout->addWidget(atStart_);
        connect(atStart_, &QCheckBox::toggled, this, &ReferencePanel::search);
    }
    treeView_ = new QTreeView(left);
    treeView_->setObjectName(QStringLiteral("categoryTree"));
    treeView_->setModel(model_);
    treeView_->header()->hide();
    treeView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results_ = new QListWidget(left);
    results_->setObjectName(QStringLiteral("resultList"));
    results_->hide();
    leftLayout->addWidget(treeView_, 1);
    leftLayout->addWidget(results_, 1);

    detail_ = textBox(this, QStringLiteral("detailText"));
    lastUsed_ = detail_;
    auto* right = new QSplitter(Qt::Vertical, this);
    right->addWidget(detail_);
    if (kind == Kind::Formula || kind == Kind::Herb) {
        second_ = textBox(this, kind == Kind::Formula ? QStringLiteral("analysisText") : QStringLiteral("formulaeText"));
        right->addWidget(second_);
        right->setStretchFactor(0, 3);
        right->setStretchFactor(1, 2);
    }
    // "插入到病历" takes the selection of the text box the user selected in last.
    for (QPlainTextEdit* box : {detail_, second_}) {
        if (!box) continue;
        connect(box, &QPlainTextEdit::selectionChanged, this, [this, box] {
            if (box->textCursor().hasSelection()) lastUsed_ = box;
        });
    }

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(split);

    connect(treeView_, &QTreeView::expanded, this, [this](const QModelIndex& index) { model_->open(index); });
    connect(treeView_, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        if (const qint64 id = model_->entryId(index)) entryChosen(id);
    });
    connect(treeView_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                if (const qint64 id = model_->entryId(index)) entryChosen(id);
            });
    connect(searchBox_, &QLineEdit::textChanged, this, &ReferencePanel::search);
    connect(results_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) entryChosen(results_->item(row)->data(Qt::UserRole).toLongLong());
    });
}

void ReferencePanel::search() {
    const QString text = searchBox_->text().trimmed();
    const bool searching = !text.isEmpty();
    treeView_->setVisible(!searching);
    results_->setVisible(searching);
    if (!searching) return;
    results_->clear();
    const InitialsMatch match = atStart_ && atStart_->isChecked() ? InitialsMatch::AtStart : InitialsMatch::Anywhere;
    for (const Entry& e : base_.search(kind_, text, match)) {
        auto* item = new QListWidgetItem(e.name, results_);
        item->setData(Qt::UserRole, e.id);
    }
}

void ReferencePanel::entryChosen(qint64 id) {
    if (id != shown_) showEntry(id);
}

void ReferencePanel::showEntry(qint64 id) {
    shown_ = id;
    detail_->setPlainText(shown(base_.detail(kind_, id)));
    if (kind_ == Kind::Formula) second_->setPlainText(shown(base_.formulaAnalysis(id)));
    if (kind_ == Kind::Herb) second_->setPlainText(shown(base_.herbFormulae(id)));
    lastUsed_ = detail_;
}

QString ReferencePanel::selectedPassage() const {
    for (QPlainTextEdit* box : {lastUsed_, detail_, second_})
        if (box && box->textCursor().hasSelection()) return box->textCursor().selectedText();
    return QString();
}

void ReferencePanel::copySelection() {
    const QString text = passageText(selectedPassage());
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

}  // namespace qh::reference
