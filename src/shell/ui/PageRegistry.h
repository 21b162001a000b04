#pragma once
// The work area of the main window: one page per WorkPage, placed by the feature that owns
// it. A page that shows the current patient is refreshed when the selection changes while
// it shows, or when it is shown after a change; with nobody selected it is disabled.
#include <QHash>
#include <QStackedWidget>
#include <functional>

#include "shell/ui/WorkPage.h"

namespace qh::shell {

class PatientSelection;

class PageRegistry : public QStackedWidget {
    Q_OBJECT
public:
    explicit PageRegistry(PatientSelection& selection, QWidget* parent = nullptr);

    enum class Needs { Nothing, Patient };
    // Puts a feature's page in place. refresh reads the selected patient into the page.
    void setPage(WorkPage page, QWidget* widget, std::function<void()> refresh = {}, Needs needs = Needs::Patient);
    QWidget* page(WorkPage page) const { return widget(int(page)); }

    // Shows a page (refreshing it first when the patient changed since it last showed).
    void show(WorkPage page);
    // The page that shows; nullopt while the work area is blank.
    std::optional<WorkPage> current() const;
    bool showsRecords() const;  // RecordsStart or Records
    // Nothing shows (the doctor switch clears the work area).
    void showBlank();

signals:
    void pageShown(qh::shell::WorkPage page);

private:
    void selectionChanged();

    struct Entry {
        std::function<void()> refresh;
        Needs needs = Needs::Patient;
        bool stale = true;
    };
    PatientSelection& selection_;
    QHash<int, Entry> entries_;
    QWidget* blank_;
};

}  // namespace qh::shell
