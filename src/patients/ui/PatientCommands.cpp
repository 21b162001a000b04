#include "patients/ui/PatientCommands.h"

#include <QLabel>

#include "patients/StatusTransitions.h"
#include "patients/ui/AdmissionWindow.h"
#include "patients/ui/DischargeDialog.h"
#include "patients/ui/PatientInfoForm.h"
#include "patients/ui/TransferWindow.h"
#include "records/ui/RecordPage.h"
#include "shell/ui/MainWindow.h"

namespace qh::patients {

using shell::MainWindow;
using shell::PatientStatus;

namespace {

// Selects the list row of the patient with this 编号, when the list shows it.
void selectPatient(MainWindow& window, qint64 id) {
    const auto& rows = window.patientList().rows();
    for (int row = 0; row < rows.size(); ++row)
        if (rows[row].id == id) return window.selectPatientRow(row);
}

// After a status change: the list that is showing is refilled and the work area goes
// back to the record page without a patient.
void afterStatusChange(MainWindow& window) {
    window.refreshList();
    window.showPage(shell::RecordsPage0);
}

}  // namespace

records::RecordPage* installPatientCommands(MainWindow& window, ui::UserInterface& ui) {
    auto* form = new PatientInfoForm(window.user(), ui);
    auto* page = new records::RecordPage(form);
    MainWindow* w = &window;

    page->setPatientInformationSave([w, form] {
        const qint64 id = w->selectedPatientId();
        if (id <= 0) return;
        // The row's text is rebuilt by refilling the list, then the patient is selected again.
        if (form->save(id)) {
            w->refreshList();
            selectPatient(*w, id);
        }
    });
    // Selecting a patient shows entry 0 with the patient's particulars.
    window.setPage(shell::RecordsPage, page, [w, page, form] {
        page->clearDocuments();
        form->load(w->patient());
    });
    auto* empty = new QLabel;
    window.setPage(shell::RecordsPage0, empty);

    window.setCommandHandler(shell::cmd::SaveRecord, [w, page] {
        if (w->currentPage() == shell::RecordsPage && w->selectedPatientId() > 0) page->save();
    });

    window.setCommandHandler(shell::cmd::Admit, [w, &ui] {
        AdmissionWindow admission(w->user(), ui, w);
        if (admission.exec() != QDialog::Accepted) return;
        w->chooseStatus(PatientStatus::InWard);
        selectPatient(*w, admission.registeredPatientId());
    });

    auto transitions = std::make_shared<StatusTransitions>(w->user(), ui);
    transitions->setBeforeChange([w] { w->offerSaveIfShowingRecords(); });

    const auto afterOutcome = [w](TransitionOutcome outcome) {
        // A refusal or a cancellation changes nothing; anything else refills the list.
        if (outcome == TransitionOutcome::Done || outcome == TransitionOutcome::Failed) afterStatusChange(*w);
    };

    window.setCommandHandler(shell::cmd::Pending, [w, transitions, afterOutcome] {
        afterOutcome(transitions->setPending(w->patientList().status(), w->selectedPatientId(), w->patient().name));
    });
    window.setCommandHandler(shell::cmd::Discharge, [w, &ui, transitions, afterOutcome] {
        const qint64 id = w->selectedPatientId();
        afterOutcome(transitions->discharge(w->patientList().status(), id, w->patient().name, [w, &ui, id] {
            return DischargeDialog::ask(w->patient(), id, ui, w);
        }));
    });
    window.setCommandHandler(shell::cmd::Return, [w, transitions, afterOutcome] {
        afterOutcome(transitions->returnToWard(w->patientList().status(), w->selectedPatientId(), w->patient().name));
    });
    window.setCommandHandler(shell::cmd::Transfer, [w, transitions] {
        if (w->selectedPatientId() <= 0) return;
        w->offerSaveIfShowingRecords();
        TransferWindow transfer(w->patient(), w->patientList().status(), *transitions, w);
        transfer.exec();
        // The patient may now belong to another department or doctor: the list is refilled.
        if (transfer.transferred()) w->refreshList();
    });
    window.setCommandHandler(shell::cmd::DeletePatient, [w, transitions] {
        const TransitionOutcome outcome =
            transitions->deletePatient(w->patientList().status(), w->selectedPatientId(), w->patient());
        if (outcome == TransitionOutcome::Done || outcome == TransitionOutcome::Failed) w->refreshList();
    });
    return page;
}

}  // namespace qh::patients
