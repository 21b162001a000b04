#pragma once
// Installs the order-sheet print view (the sheet page, "医 嘱 单") and the infusion-card
// window ("输 液 卡").
namespace qh::shell {
class Workbench;
}

namespace qh::orders {

class OrderPage;
class OrderSheetView;
// The sheet page and the cards. With the order page given, its "打印医嘱"/"打印临时" open the
// sheet page on the long-term or temporary sheet.
OrderSheetView* installOrderSheets(shell::Workbench& bench, OrderPage* orders = nullptr);

}  // namespace qh::orders
