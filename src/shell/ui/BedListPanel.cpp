#include "shell/ui/BedListPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "shell/ui/PatientIcons.h"

namespace qh::shell {

BedListPanel::BedListPanel(const store::DataDirectory& files, const QString& department, QWidget* parent)
    : QWidget(parent), beds_(files, department) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    search_ = new QLineEdit;
    search_->setObjectName(QStringLiteral("bedSearch"));
    search_->setPlaceholderText(QStringLiteral("拼音首字母"));
    connect(search_, &QLineEdit::textChanged, this, &BedListPanel::fill);
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("bedList"));
    list_->setFont(patientListFont(list_->font()));
    connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!filling_) beds_.setTicked(list_->row(item), item->checkState() == Qt::Checked);
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        const int row = list_->row(item);
        if (row >= 0 && row < beds_.rows().size()) emit patientChosen(beds_.rows()[row].id);
    });
    auto* hint = new QLabel(QStringLiteral("勾选的病人打印输液单、执行单；双击选中病人。"));
    hint->setObjectName(QStringLiteral("bedListHint"));
    hint->setWordWrap(true);
    layout->addWidget(search_);
    layout->addWidget(hint);
    layout->addWidget(list_, 1);
}

void BedListPanel::refresh() { fill(search_->text()); }

void BedListPanel::fill(const QString& searchText) {
    filling_ = true;
    list_->clear();
    beds_.fill(searchText.trimmed());
    for (const BedRow& row : beds_.rows()) {
        auto* item = new QListWidgetItem(row.text);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setData(Qt::UserRole, row.serial);
        item->setToolTip(QStringLiteral("勾选：打印输液单、执行单时包括此病人"));
        list_->addItem(item);
    }
    filling_ = false;
}

}  // namespace qh::shell
