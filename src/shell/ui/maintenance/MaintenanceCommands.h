#pragma once
// Installs the user-account, settings, backup and restore commands and the settings page.
namespace qh::shell {
class Workbench;
void installMaintenanceCommands(Workbench& bench);
}  // namespace qh::shell
