#include "vitals/ui/ChartCommands.h"

#include "shell/BedList.h"
#include "shell/MainCommands.h"
#include "shell/ui/Workbench.h"
#include "vitals/ui/ChartPage.h"

namespace qh::vitals {

ChartPage* installChart(shell::Workbench& bench) {
    auto* page = new ChartPage(bench.files(), bench.user(), bench.userInterface());
    // refresh runs when the patient changes while the page shows, or when it is shown after
    // a change; with nobody selected the page is disabled.
    bench.pages().setPage(shell::WorkPage::Chart, page,
                          [page, &sel = bench.selection()] { page->showPatient(sel.patient()); });
    bench.commands().setHandler(shell::cmd::ChartPage, [b = &bench] { b->pages().show(shell::WorkPage::Chart); },
                                shell::CommandRegistry::Needs::Patient);
    // A ward round goes down the bed list.
    page->setNextPatient([b = &bench] {
        shell::BedList beds(b->files(), b->user().department);
        if (!beds.fill()) return false;
        const auto& rows = beds.rows();
        for (int i = 0; i + 1 < rows.size(); ++i) {
            if (rows[i].id != b->selection().id()) continue;
            const qint64 next = rows[i + 1].id;
            return b->patientList().selectPatient(next) || b->selection().select(next, shell::PatientStatus::InWard);
        }
        return false;
    });
    return page;
}

}  // namespace qh::vitals
