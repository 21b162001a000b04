#include "catalogue/ui/CatalogueCommands.h"

#include "catalogue/ui/CatalogueWindow.h"
#include "shell/MainCommands.h"
#include "shell/ui/Workbench.h"

namespace qh::catalogue {

void installCatalogueCommands(shell::Workbench& bench) {
    shell::Workbench* b = &bench;
    auto open = [b](Mode mode) {
        CatalogueWindow window(b->files(), b->userInterface(), mode, b->window());
        window.exec();
    };
    bench.commands().setHandler(shell::cmd::FeeItems, [open] { open(Mode::Fee); });
    bench.commands().setHandler(shell::cmd::DrugCatalogue, [open] { open(Mode::Drug); });
}

}  // namespace qh::catalogue
