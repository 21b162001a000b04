#pragma once
// The reference subsystem's part of the main window: "用药参考" and "诊疗常规" of the "业务"
// menu and the command panel.
namespace qh::shell {
class Workbench;
}

namespace qh::reference {

class ReferenceWindow;

void installReferenceCommands(shell::Workbench& bench);

// The window a command opened (raised again by the next run); nullptr before. For tests.
ReferenceWindow* drugReferenceWindow(shell::Workbench& bench);
ReferenceWindow* diseaseInformationWindow(shell::Workbench& bench);

}  // namespace qh::reference
