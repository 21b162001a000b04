#include "records/ui/RecordPage.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QSplitter>
#include <QStackedWidget>

namespace qh::records {

namespace {
constexpr int kInformationArea = 0;
}

RecordPage::RecordPage(QWidget* patientInformation, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("recordPage"));
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("documentList"));
    list_->addItem(QStringLiteral("患者一般信息"));
    area_ = new QStackedWidget;
    area_->addWidget(patientInformation);

    auto* splitter = new QSplitter;
    splitter->addWidget(list_);
    splitter->addWidget(area_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({160, 640});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    list_->setCurrentRow(0);
    connect(list_, &QListWidget::currentRowChanged, this, &RecordPage::showEntry);
}

void RecordPage::setDocumentArea(QWidget* area) {
    if (documentArea_) {
        area_->removeWidget(documentArea_);
        documentArea_->deleteLater();
    }
    documentArea_ = area;
    if (area) area_->addWidget(area);
    showEntry(currentEntry());
}

void RecordPage::clearDocuments() {
    while (list_->count() > 1) delete list_->takeItem(1);
    selectEntry(0);
}

int RecordPage::addDocument(const QString& caption, qint64 id) {
    auto* item = new QListWidgetItem(caption);
    item->setData(Qt::UserRole, id);
    list_->addItem(item);
    return list_->count() - 1;
}

void RecordPage::selectEntry(int row) {
    if (row < 0 || row >= list_->count()) return;
    if (list_->currentRow() != row) list_->setCurrentRow(row);
    else showEntry(row);
}

int RecordPage::currentEntry() const { return list_->currentRow(); }

qint64 RecordPage::currentDocumentId() const {
    const int row = currentEntry();
    return row > 0 ? list_->item(row)->data(Qt::UserRole).toLongLong() : 0;
}

void RecordPage::showEntry(int row) {
    if (row <= 0 || !documentArea_) {
        area_->setCurrentIndex(kInformationArea);
        return;
    }
    area_->setCurrentWidget(documentArea_);
    emit documentChosen(currentDocumentId());
}

void RecordPage::save() {
    if (showsPatientInformation()) {
        if (saveInformation_) saveInformation_();
    } else if (saveDocument_) {
        saveDocument_();
    }
}

}  // namespace qh::records
