#pragma once
// The unsaved-changes prompt offered before the current patient or the page changes.
// The record editor implements EditableDocument for the document it has open.
#include <QString>

#include "shell/PatientContext.h"
#include "interaction/UserInterface.h"

namespace qh::shell {

class EditableDocument {
public:
    virtual ~EditableDocument() = default;
    virtual bool isModified() const = 0;
    virtual QString title() const = 0;
    // Stores the document (UPDATE 在院病历 SET 数据=? ...) and reports its own messages;
    // true when stored.
    virtual bool save() = 0;
    // Drops the changes: the editor's modified flag is cleared.
    virtual void discardChanges() = 0;
    // Puts a passage (text copied from the reference windows) at the caret, under the
    // document's own editing rules; false when it takes none there. A document without a
    // caret (the patient-information form) keeps this default.
    virtual bool insertAtCaret(const QString& text) {
        Q_UNUSED(text);
        return false;
    }
};

enum class OfferSaveOutcome { NotModified, Saved, SaveFailed, Discarded };

QString offerSaveText(const QString& patientName, const QString& documentTitle);

// Asks only when the document is modified. Answer 1 saves, any other answer discards.
OfferSaveOutcome offerSave(ui::UserInterface& ui, const PatientContext& patient, EditableDocument* document);

}  // namespace qh::shell
