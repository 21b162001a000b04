#include "frontpage/ui/FrontPageCommands.h"

#include "frontpage/ui/FrontPageView.h"
#include "shell/MainCommands.h"
#include "shell/ui/Workbench.h"

namespace qh::frontpage {

FrontPageView* installFrontPage(shell::Workbench& bench) {
    auto* page = new FrontPageView(bench.files(), bench.user(), bench.userInterface(), bench.selection());
    // refresh runs when the patient changes while the page shows, or when it is shown after
    // a change; with nobody selected the page is disabled.
    bench.pages().setPage(shell::WorkPage::FrontPage, page, [page] { page->refresh(); });
    // What the coder typed is not lost when the program closes.
    bench.addClosingOffer([page] { page->offerSaveOfShownPatient(); });
    bench.commands().setHandler(
        shell::cmd::FrontPage,
        [b = &bench] {
            b->offerSaveIfShowingRecords();
            b->pages().show(shell::WorkPage::FrontPage);
        },
        shell::CommandRegistry::Needs::Patient);
    return page;
}

}  // namespace qh::frontpage
