#include "orders/ui/OrderSheetCommands.h"

#include "orders/ui/OrderPage.h"

#include <QPointer>

#include "orders/ui/InfusionCardWindow.h"
#include "orders/ui/OrderSheetView.h"
#include "shell/MainCommands.h"
#include "shell/ui/Workbench.h"

namespace qh::orders {

OrderSheetView* installOrderSheets(shell::Workbench& bench, OrderPage* orders) {
    auto* view = new OrderSheetView(bench.files(), bench.userInterface());
    bench.pages().setPage(shell::WorkPage::Sheet, view,
                          [view, &sel = bench.selection()] { view->showPatient(sel.patient()); });
    shell::Workbench* b = &bench;
    bench.commands().setHandler(
        shell::cmd::OrderSheets, [b] { b->pages().show(shell::WorkPage::Sheet); }, shell::CommandRegistry::Needs::Patient);
    auto window = std::make_shared<QPointer<InfusionCardWindow>>();
    bench.commands().setHandler(shell::cmd::InfusionCards, [b, window] {
        if (!*window) {
            *window = new InfusionCardWindow(
                b->files(), b->user().userName, b->userInterface(), [b] { return b->tickedBeds(); },
                [b] { return b->selection().patient(); }, b->window());
            (*window)->setAttribute(Qt::WA_DeleteOnClose);
        }
        (*window)->show();
        (*window)->raise();
        (*window)->activateWindow();
    });
    if (orders)
        orders->setSheetPrinter([b, view](OrderKind kind) {
            b->pages().show(shell::WorkPage::Sheet);
            view->setKind(kind == OrderKind::Temporary ? SheetKind::Temporary : SheetKind::LongTerm);
        });
    return view;
}

}  // namespace qh::orders
