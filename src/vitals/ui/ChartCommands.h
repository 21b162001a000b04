#pragma once
// The temperature chart's part of the main window: the chart page and the command that
// shows it.
namespace qh::shell {
class Workbench;
}

namespace qh::vitals {

class ChartPage;

// Returns the page, owned by the window.
ChartPage* installChart(shell::Workbench& bench);

}  // namespace qh::vitals
