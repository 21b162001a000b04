#pragma once
// The statistics part of the main window: "统计数据" opens the statistics window for a user
// with the statistics right (统计查询); anybody else is refused by the handler itself.
namespace qh::shell {
class Workbench;
}

namespace qh::stats {

void installStatistics(shell::Workbench& bench);

}  // namespace qh::stats
