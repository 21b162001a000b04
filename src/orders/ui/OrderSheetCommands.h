#pragma once
// Installs the order-sheet print view (the sheet page, "医 嘱 单") and the infusion-card
// window ("输 液 卡").
namespace qh::shell {
class Workbench;
}

namespace qh::orders {

class OrderSheetView;
OrderSheetView* installOrderSheets(shell::Workbench& bench);

}  // namespace qh::orders
