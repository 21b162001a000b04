#pragma once
#include <functional>
// What a feature sees of the main window when it installs itself: the logged-in user, the
// data directory, the person (messages and questions), the one patient selection, the
// command registry, the work-area pages and the patient list. A feature registers its
// commands and pages here and reads the patient from the selection; it never reaches into
// the window's widgets.
#include "shell/CommandRegistry.h"
#include "shell/OfferSave.h"
#include "shell/PatientList.h"
#include "shell/PatientSelection.h"
#include "shell/UserContext.h"
#include "shell/ui/PageRegistry.h"
#include "store/DatabaseFiles.h"
#include "interaction/UserInterface.h"

class QWidget;

namespace qh::shell {

// The patient list as commands need it after they changed a patient.
class PatientListControl {
public:
    virtual ~PatientListControl() = default;
    // Chooses a status option and fills its list (after admission: 在院).
    virtual void showStatus(PatientStatus status) = 0;
    // Fills the list that shows again; the selected patient stays selected while listed,
    // otherwise the selection is cleared.
    virtual void refill() = 0;
    // Selects the patient's row when the list shows it; false otherwise.
    virtual bool selectPatient(qint64 id) = 0;
};

class Workbench {
public:
    virtual ~Workbench() = default;

    virtual const UserContext& user() const = 0;
    // The settings page changed the hospital name or the front-page format: the window
    // takes the new user context and rebuilds its banner.
    virtual void changeUser(const UserContext& user) = 0;
    virtual const store::DataDirectory& files() const = 0;
    virtual ui::UserInterface& userInterface() = 0;
    virtual PatientSelection& selection() = 0;
    virtual CommandRegistry& commands() = 0;
    virtual PageRegistry& pages() = 0;
    virtual PatientListControl& patientList() = 0;
    // The parent of a feature's dialogs.
    virtual QWidget* window() = 0;

    // The document in front of the user that OfferSave offers (the open record or the
    // patient-information form); nullptr when none.
    virtual void setOpenDocument(EditableDocument* document) = 0;
    // The document set there (a reference window inserts passages into it at the caret).
    virtual EditableDocument* openDocument() const = 0;
    // OfferSave, asked while a record page shows (elsewhere no document is in front).
    virtual void offerSaveIfShowingRecords() = 0;

    // Entry 0 of the record page, the patient-information form with the document that
    // saves it: contributed by the patient registry, shown by the record page.
    virtual void setPatientInformation(QWidget* form, EditableDocument* document) = 0;
    virtual QWidget* patientInformationForm() const = 0;
    virtual EditableDocument* patientInformationDocument() const = 0;

    // 住院编号 of the beds ticked in the bed list, in list order (the infusion cards').
    virtual QVector<qint64> tickedBeds() const { return {}; }

    // A page that keeps its own unsaved work (the front page) asks about it when the main
    // window closes, after the open document's offer.
    virtual void addClosingOffer(std::function<void()> offer) { Q_UNUSED(offer); }
};

}  // namespace qh::shell
