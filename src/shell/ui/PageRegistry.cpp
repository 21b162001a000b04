#include "shell/ui/PageRegistry.h"

#include <QLabel>

#include "shell/MainCommands.h"
#include "shell/PatientSelection.h"

namespace qh::shell {

namespace {
QWidget* placeholderPage(const QString& text) {
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("color:#888888;"));
    return label;
}
}  // namespace

PageRegistry::PageRegistry(PatientSelection& selection, QWidget* parent)
    : QStackedWidget(parent), selection_(selection) {
    setObjectName(QStringLiteral("workArea"));
    for (int i = 0; i < kWorkPageCount; ++i) addWidget(placeholderPage(kNotAvailableTip));
    blank_ = placeholderPage(QString());
    addWidget(blank_);
    setCurrentIndex(int(WorkPage::Records));
    connect(&selection_, &PatientSelection::changed, this, &PageRegistry::selectionChanged);
}

void PageRegistry::setPage(WorkPage page, QWidget* widget, std::function<void()> refresh, Needs needs) {
    const int index = int(page);
    QWidget* old = this->widget(index);
    const bool showing = currentIndex() == index;
    insertWidget(index, widget);
    removeWidget(old);
    old->deleteLater();
    entries_[index] = Entry{std::move(refresh), needs, true};
    widget->setEnabled(needs == Needs::Nothing || !selection_.isEmpty());
    if (showing) show(page);
}

void PageRegistry::show(WorkPage page) {
    const int index = int(page);
    if (auto it = entries_.find(index); it != entries_.end() && it->stale) {
        it->stale = false;
        if (it->refresh) it->refresh();
    }
    setCurrentIndex(index);
    emit pageShown(page);
}

std::optional<WorkPage> PageRegistry::current() const {
    const int index = currentIndex();
    if (index < 0 || index >= kWorkPageCount) return std::nullopt;
    return WorkPage(index);
}

bool PageRegistry::showsRecords() const {
    const auto page = current();
    return page == WorkPage::RecordsStart || page == WorkPage::Records;
}

void PageRegistry::showBlank() { setCurrentWidget(blank_); }

void PageRegistry::selectionChanged() {
    const bool selected = !selection_.isEmpty();
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        it->stale = true;
        widget(it.key())->setEnabled(it->needs == Needs::Nothing || selected);
    }
    // The page in front follows the patient at once; the others when they are shown.
    if (const auto page = current(); page && entries_.contains(int(*page))) show(*page);
}

}  // namespace qh::shell
