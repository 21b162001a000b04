#pragma once
// The record subsystem's part of the main window: the record-documents page, whose entry 0
// is the patient-information form the patient registry contributed, and the commands that
// act on the record editor: 文件 (open, save, save as, print, continued print), 添加,
// 修订, 编辑 and "患者病历".
#include "records/ui/AddMenu.h"

namespace qh::shell {
class Workbench;
}

namespace qh::records {

class RecordPage;

// Install after the patient registry (it shows the registry's form). Returns the page,
// owned by the window.
RecordPage* installRecordPage(shell::Workbench& bench);
// Record creation for the Add menu (installTemplateCommands): shows the record page and
// adds the document there.
CreateRecordFn recordCreator(shell::Workbench& bench, RecordPage* page);

}  // namespace qh::records
