#pragma once
// Registers "收费项目" (fee mode) and "药品字典" (drug mode), each opening the catalogue window.
namespace qh::shell {
class Workbench;
}

namespace qh::catalogue {

void installCatalogueCommands(shell::Workbench& bench);

}  // namespace qh::catalogue
