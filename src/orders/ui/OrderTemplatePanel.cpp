#include "orders/ui/OrderTemplatePanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qh::orders {

OrderTemplatePanel::OrderTemplatePanel(const store::DataDirectory& files, const shell::UserContext& user,
                                       ui::UserInterface& ui, QWidget* parent)
    : QWidget(parent), templates_(files, user, ui), ui_(ui) {
    setObjectName(QStringLiteral("orderTemplates"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 0, 0);
    auto* title = new QLabel(QStringLiteral("医嘱模板"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    scope_ = new QComboBox;
    scope_->setObjectName(QStringLiteral("templateScope"));
    scope_->addItems({QStringLiteral("本人模板"), QStringLiteral("共享模板")});
    layout->addWidget(scope_);
    search_ = new QLineEdit;
    search_->setObjectName(QStringLiteral("templateSearch"));
    search_->setPlaceholderText(QStringLiteral("按名称查找"));
    search_->setClearButtonEnabled(true);
    layout->addWidget(search_);
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("templateList"));
    layout->addWidget(list_, 1);
    auto* buttons = new QGridLayout;
    auto* apply = new QPushButton(QStringLiteral("调用"));
    auto* rename = new QPushButton(QStringLiteral("改名"));
    auto* remove = new QPushButton(QStringLiteral("删除"));
    share_ = new QPushButton(QStringLiteral("共享"));
    share_->setObjectName(QStringLiteral("templateShare"));
    buttons->addWidget(apply, 0, 0);
    buttons->addWidget(rename, 0, 1);
    buttons->addWidget(remove, 1, 0);
    buttons->addWidget(share_, 1, 1);
    layout->addLayout(buttons);
    for (QPushButton* b : {apply, rename, remove, share_}) b->setFocusPolicy(Qt::NoFocus);

    connect(scope_, &QComboBox::currentIndexChanged, this, [this] { refill(); });
    connect(search_, &QLineEdit::textChanged, this, [this] { refill(); });
    auto applySelected = [this] {
        if (const qint64 sid = selectedTemplate()) emit applyRequested(sid);
    };
    connect(apply, &QPushButton::clicked, this, applySelected);
    connect(list_, &QListWidget::itemDoubleClicked, this, applySelected);
    connect(rename, &QPushButton::clicked, this, &OrderTemplatePanel::renameSelected);
    connect(remove, &QPushButton::clicked, this, &OrderTemplatePanel::removeSelected);
    connect(share_, &QPushButton::clicked, this, &OrderTemplatePanel::toggleShared);
    connect(list_, &QListWidget::currentRowChanged, this, [this] {
        const QListWidgetItem* item = list_->currentItem();
        share_->setText(item && item->data(Qt::UserRole + 1).toBool() ? QStringLiteral("不共享") : QStringLiteral("共享"));
    });
}

void OrderTemplatePanel::setKind(OrderKind kind) {
    kind_ = kind;
    refill();
}

void OrderTemplatePanel::refill() {
    const qint64 was = selectedTemplate();
    list_->clear();
    const QString text = search_->text().trimmed();
    const TemplateScope scope = !text.isEmpty() ? TemplateScope::Search
                                : scope_->currentIndex() == 0 ? TemplateScope::Own
                                                              : TemplateScope::Shared;
    for (const OrderTemplate& t : templates_.list(kind_, scope, text)) {
        auto* item = new QListWidgetItem(t.shared ? t.name : t.name + QStringLiteral("（私有）"));
        item->setData(Qt::UserRole, t.sid);
        item->setData(Qt::UserRole + 1, t.shared);
        item->setToolTip(t.owner + QStringLiteral(" · ") + t.department);
        list_->addItem(item);
        if (t.sid == was) list_->setCurrentItem(item);
    }
}

qint64 OrderTemplatePanel::selectedTemplate() const {
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->data(Qt::UserRole).toLongLong() : 0;
}

void OrderTemplatePanel::renameSelected() {
    const qint64 sid = selectedTemplate();
    const std::optional<OrderTemplate> t = sid ? templates_.find(sid) : std::nullopt;
    if (!t) return;
    const ui::InputResult name =
        ui_.inputBox(QStringLiteral("医嘱模板改名"), kTemplateNamePrompt, ui::InputMode::Text, t->name);
    if (!name.ok || name.text.trimmed().isEmpty()) return;
    if (templates_.rename(sid, name.text)) refill();
}

void OrderTemplatePanel::removeSelected() {
    const qint64 sid = selectedTemplate();
    if (sid && templates_.remove(sid)) refill();
}

void OrderTemplatePanel::toggleShared() {
    const QListWidgetItem* item = list_->currentItem();
    if (!item) return;
    if (templates_.setShared(item->data(Qt::UserRole).toLongLong(), !item->data(Qt::UserRole + 1).toBool())) refill();
}

}  // namespace qh::orders
