#pragma once
// The patient registry's part of the main window: the record-documents page with the
// patient-information form, "保存病历" on that page, admission and the status commands.
#include "interaction/UserInterface.h"

namespace qh::records {
class RecordPage;
}
namespace qh::shell {
class MainWindow;
}

namespace qh::patients {

// Registers "登记患者", "删除患者", "患者待结", "患者出院" / "病历出科", "患者返院", "患者转科" and
// "保存病历", and puts the record page in place; returns the page (owned by the window).
records::RecordPage* installPatientCommands(shell::MainWindow& window, ui::UserInterface& ui);

}  // namespace qh::patients
