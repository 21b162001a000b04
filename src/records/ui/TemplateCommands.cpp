#include "records/ui/TemplateCommands.h"

#include "records/ui/TemplatePage.h"
#include "shell/ui/MainWindow.h"

namespace qh::records {

TemplatePage* installTemplateCommands(shell::MainWindow& window, ui::UserInterface& ui, const CreateRecordFn& create) {
    const TemplateSettings settings = loadTemplateSettings();
    installAddMenu(window, settings, create);
    auto* page = new TemplatePage(ui, settings, window.user().hospitalName, window.user().department);
    window.setPage(kTemplatePageIndex, page);
    QObject::connect(page, &TemplatePage::templatesChanged, &window,
                     [&window, paper = settings.paper] { applyAddMenu(window, buildAddMenu(paper)); });
    window.setCommandHandler(shell::cmd::FormatTemplates, [&window, page] {
        page->refresh();
        window.showPage(kTemplatePageIndex);
    });
    return page;
}

}  // namespace qh::records
