#include "records/ui/RecordCommands.h"

#include <QLabel>

#include "records/ui/RecordPage.h"
#include "shell/MainCommands.h"
#include "shell/ui/Workbench.h"

namespace qh::records {

using shell::CommandRegistry;
using shell::PageRegistry;
using shell::WorkPage;

RecordPage* installRecordPage(shell::Workbench& bench) {
    shell::Workbench* b = &bench;
    auto* page = new RecordPage(bench.patientInformationForm());
    // Selecting a patient lists their documents under entry 0, which shows their particulars.
    bench.pages().setPage(WorkPage::Records, page, [page] { page->clearDocuments(); });
    bench.pages().setPage(WorkPage::RecordsStart, new QLabel, {}, PageRegistry::Needs::Nothing);

    // Entry 0's form is the document in front of the user until record documents open.
    bench.setOpenDocument(bench.patientInformationDocument());
    page->setPatientInformationSave([b] {
        if (shell::EditableDocument* form = b->patientInformationDocument()) form->save();
    });

    bench.commands().setHandler(
        shell::cmd::SaveRecord,
        [b, page] {
            if (b->pages().current() == WorkPage::Records) page->save();
        },
        CommandRegistry::Needs::Patient);
    bench.commands().setHandler(
        shell::cmd::RecordsPage, [b] { b->pages().show(WorkPage::Records); }, CommandRegistry::Needs::Patient);
    return page;
}

}  // namespace qh::records
