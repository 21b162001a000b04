#pragma once
// Installs the format templates into the main window: the settings read at start, the
// Add menu, and the template page shown by "格式模板" in the 维护 menu.
#include "records/ui/AddMenu.h"

namespace qh::shell {
class Workbench;
}

namespace qh::records {

class TemplatePage;

// loadTemplateSettings and buildAddMenu at start; "格式模板" shows the template page, and
// every change made there builds the Add menu again. `create` is record creation (none yet:
// the Add items then stay disabled). Returns the page, owned by the window.
TemplatePage* installTemplateCommands(shell::Workbench& bench, const CreateRecordFn& create = {});

}  // namespace qh::records
