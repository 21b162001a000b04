#pragma once
// Installs the order page and its command in the main window.
namespace qh::shell {
class Workbench;
}

namespace qh::orders {

class OrderPage;
OrderPage* installOrderPage(shell::Workbench& bench);

}  // namespace qh::orders
