#pragma once
// The record subsystem's part of the main window: the record-documents page, whose entry 0
// is the patient-information form the patient registry contributed, "保存病历" and
// "患者病历".
namespace qh::shell {
class Workbench;
}

namespace qh::records {

class RecordPage;

// Install after the patient registry (it shows the registry's form). Returns the page,
// owned by the window.
RecordPage* installRecordPage(shell::Workbench& bench);

}  // namespace qh::records
