#pragma once
// Installs the format templates into the main window: the settings read at start, the
// Add menu, and the template page shown by "格式模板" in the 维护 menu.
#include "records/ui/AddMenu.h"

namespace qh::shell {
class MainWindow;
}
namespace qh::ui {
class UserInterface;
}

namespace qh::records {

// The work-area page index of the template page (index 4 is otherwise unused).
inline constexpr int kTemplatePageIndex = 4;

class TemplatePage;

// loadTemplateSettings and buildAddMenu at start; "格式模板" shows the template page, and
// every change made there builds the Add menu again. `create` is record creation (none yet:
// the Add items then stay disabled). Returns the page, owned by the window.
TemplatePage* installTemplateCommands(shell::MainWindow& window, ui::UserInterface& ui,
                                      const CreateRecordFn& create = {});

}  // namespace qh::records
