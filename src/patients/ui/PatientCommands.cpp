#include "patients/ui/PatientCommands.h"

#include "patients/StatusTransitions.h"
#include "patients/ui/AdmissionWindow.h"
#include "patients/ui/DischargeDialog.h"
#include "patients/ui/PatientInfoForm.h"
#include "patients/ui/TransferWindow.h"
#include "shell/MainCommands.h"
#include "shell/ui/Workbench.h"

namespace qh::patients {

using shell::CommandRegistry;
using shell::PatientSelection;
using shell::PatientStatus;

namespace {

// The patient-information form as the document in front of the user: offered for saving
// before the patient or the page changes, saved by "保存病历" on entry 0.
class InformationDocument : public shell::EditableDocument {
public:
    InformationDocument(PatientInfoForm& form, PatientSelection& selection) : form_(form), selection_(selection) {}
    bool isModified() const override { return form_.isModified() && !selection_.isEmpty(); }
    QString title() const override { return QStringLiteral("患者一般信息"); }
    bool save() override {
        if (selection_.isEmpty() || !form_.save(selection_.id())) return false;
        selection_.reload();  // the list's row and every page show what was saved
        return true;
    }
    void discardChanges() override { form_.load(selection_.patient()); }

private:
    PatientInfoForm& form_;
    PatientSelection& selection_;
};

}  // namespace

void installPatientCommands(shell::Workbench& bench) {
    shell::Workbench* b = &bench;
    PatientSelection& selection = bench.selection();
    CommandRegistry& commands = bench.commands();

    auto* form = new PatientInfoForm(bench.files(), bench.user(), bench.userInterface());
    auto* document = new InformationDocument(*form, selection);
    QObject::connect(form, &QObject::destroyed, [document] { delete document; });
    // The form always shows the selected patient, or nobody.
    QObject::connect(&selection, &PatientSelection::changed, form, [form, &selection] {
        if (selection.isEmpty()) form->clear();
        else form->load(selection.patient());
    });
    bench.setPatientInformation(form, document);

    commands.setHandler(shell::cmd::Admit, [b] {
        AdmissionWindow admission(b->files(), b->user(), b->userInterface(), b->window());
        if (admission.exec() != QDialog::Accepted) return;
        b->patientList().showStatus(PatientStatus::InWard);
        b->patientList().selectPatient(admission.registeredPatientId());
    });

    auto transitions = std::make_shared<StatusTransitions>(bench.files(), bench.user(), bench.userInterface());
    transitions->setBeforeChange([b] { b->offerSaveIfShowingRecords(); });
    // A refusal or a cancellation changes nothing; anything else reads the list again,
    // which keeps the patient selected only while the list still shows them.
    const auto afterwards = [b](TransitionOutcome outcome) {
        if (outcome == TransitionOutcome::Done || outcome == TransitionOutcome::Failed) b->patientList().refill();
    };

    commands.setHandler(shell::cmd::Pending, [b, transitions, afterwards] {
        afterwards(transitions->setPending(b->selection()));
    });
    commands.setHandler(shell::cmd::Discharge, [b, transitions, afterwards] {
        PatientSelection& patient = b->selection();
        afterwards(transitions->discharge(patient, [b, &patient] {
            return DischargeDialog::ask(b->files(), patient.patient(), patient.id(), b->userInterface(), b->window());
        }));
    });
    commands.setHandler(shell::cmd::Return, [b, transitions, afterwards] {
        afterwards(transitions->returnToWard(b->selection()));
    });
    commands.setHandler(
        shell::cmd::Transfer,
        [b, transitions] {
            b->offerSaveIfShowingRecords();
            TransferWindow transfer(b->files(), b->selection(), *transitions, b->window());
            transfer.exec();
            // The patient may now belong to another department or doctor.
            if (transfer.transferred()) b->patientList().refill();
        },
        CommandRegistry::Needs::Patient);
    commands.setHandler(
        shell::cmd::DeletePatient,
        [b, transitions, afterwards] { afterwards(transitions->deletePatient(b->selection())); },
        CommandRegistry::Needs::Patient);
}

}  // namespace qh::patients
