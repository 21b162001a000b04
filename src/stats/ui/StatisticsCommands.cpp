#include "stats/ui/StatisticsCommands.h"

#include "shell/MainCommands.h"
#include "shell/ui/Workbench.h"
#include "stats/Reports.h"
#include "stats/ui/StatisticsWindow.h"

namespace qh::stats {

void installStatistics(shell::Workbench& bench) {
    shell::Workbench* b = &bench;
    bench.commands().setHandler(shell::cmd::Statistics, [b] {
        // The menu hides the entry without the right; the handler refuses all the same, so
        // no other way in (a shortcut, the panel) opens it.
        if (!mayUseStatistics(b->user())) {
            b->userInterface().messageDialog(kNoStatisticsRight);
            return;
        }
        StatisticsWindow window(b->files(), b->user(), b->userInterface(), b->window());
        window.exec();
    });
}

}  // namespace qh::stats
