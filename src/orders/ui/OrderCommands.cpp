#include "orders/ui/OrderCommands.h"

#include "orders/ui/OrderPage.h"
#include "shell/MainCommands.h"
#include "shell/ui/Workbench.h"

namespace qh::orders {

OrderPage* installOrderPage(shell::Workbench& bench) {
    auto* page = new OrderPage(bench.files(), bench.user(), bench.userInterface(), bench.selection());
    bench.pages().setPage(shell::WorkPage::Orders, page, [page] { page->refresh(); });
    shell::Workbench* b = &bench;
    bench.commands().setHandler(
        shell::cmd::OrdersPage, [b] { b->pages().show(shell::WorkPage::Orders); }, shell::CommandRegistry::Needs::Patient);
    return page;
}

}  // namespace qh::orders
