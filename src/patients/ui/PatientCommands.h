#pragma once
// The patient registry's part of the main window: the patient-information form it
// contributes as entry 0 of the record page, admission and the status commands.
namespace qh::shell {
class Workbench;
}

namespace qh::patients {

// Contributes the patient-information form (with the document "保存病历" saves on entry 0)
// and registers "登记患者", "删除患者", "患者待结", "患者出院" / "病历出科", "患者返院" and
// "患者转科". Install before the record page, which shows the form.
void installPatientCommands(shell::Workbench& bench);

}  // namespace qh::patients
