#include "shell/ui/BedListPanel.h"

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
    layout->addWidget(search_);
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
        list_->addItem(item);
    }
    filling_ = false;
}

}  // namespace qh::shell
