#include "records/ui/TemplateCommands.h"

#include "records/ui/TemplatePage.h"
#include "shell/MainCommands.h"
#include "shell/ui/Workbench.h"

namespace qh::records {

using shell::WorkPage;

TemplatePage* installTemplateCommands(shell::Workbench& bench, const CreateRecordFn& create) {
    shell::Workbench* b = &bench;
    const store::DataDirectory files = bench.files();
    const TemplateSettings settings = loadTemplateSettings(files);
    installAddMenu(bench, settings, create);
    auto* page = new TemplatePage(files, bench.userInterface(), settings, bench.user().hospitalName,
                                  bench.user().department);
    // The template page shows no patient: it stays open with nobody selected.
    bench.pages().setPage(WorkPage::Templates, page, {}, shell::PageRegistry::Needs::Nothing);
    QObject::connect(page, &TemplatePage::templatesChanged, page, [b, files, paper = settings.paper] {
        applyAddMenu(b->commands(), buildAddMenu(files, paper));
    });
    bench.commands().setHandler(shell::cmd::FormatTemplates, [b, page] {
        page->refresh();
        b->pages().show(WorkPage::Templates);
    });
    return page;
}

}  // namespace qh::records
