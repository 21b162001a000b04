#include "reference/ui/ReferenceCommands.h"


#include "reference/PassageInsertion.h"
#include "reference/ui/ReferenceWindow.h"
#include "shell/MainCommands.h"
#include "shell/ui/Workbench.h"

namespace qh::reference {

namespace {

const char* const kDrugWindow = "referenceDrugWindow";
const char* const kDiseaseWindow = "referenceDiseaseWindow";

// The open window of that name; a closed one is gone (it deletes itself on closing).
ReferenceWindow* windowOf(shell::Workbench& bench, const char* name) {
    QWidget* main = bench.window();
    return main ? main->findChild<ReferenceWindow*>(QLatin1String(name), Qt::FindDirectChildrenOnly) : nullptr;
}

// One window of each: a second run brings the open one forward.
void openWindow(shell::Workbench& bench, const char* name, const QString& title, const QList<Kind>& kinds) {
    ReferenceWindow* window = windowOf(bench, name);
    if (!window) {
        shell::Workbench* b = &bench;
        auto insert = [b](const QString& passage) {
            // Only the record the user sees takes the passage.
            shell::EditableDocument* document = b->pages().showsRecords() ? b->openDocument() : nullptr;
            return insertPassage(b->userInterface(), document, passage);
        };
        window = new ReferenceWindow(title, ReferenceBase(bench.files()), kinds, insert, bench.window());
        window->setObjectName(QLatin1String(name));
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

void installReferenceCommands(shell::Workbench& bench) {
    shell::Workbench* b = &bench;
    // The registry asks about the open record's unsaved changes before either runs.
    bench.commands().setHandler(shell::cmd::DrugReference, [b] {
        openWindow(*b, kDrugWindow, QStringLiteral("用药参考"),
                   {Kind::Formula, Kind::Herb, Kind::Internal, Kind::WesternDrug});
    });
    bench.commands().setHandler(shell::cmd::DiseaseInfo, [b] {
        openWindow(*b, kDiseaseWindow, QStringLiteral("诊疗常规"), {Kind::Disease});
    });
}

ReferenceWindow* drugReferenceWindow(shell::Workbench& bench) { return windowOf(bench, kDrugWindow); }
ReferenceWindow* diseaseInformationWindow(shell::Workbench& bench) { return windowOf(bench, kDiseaseWindow); }

}  // namespace qh::reference
