#include "shell/OfferSave.h"

namespace qh::shell {

QString offerSaveText(const QString& patientName, const QString& documentTitle) {
    return QStringLiteral("     患者     【") + patientName + QStringLiteral("】") + QStringLiteral("\r\r") +
           QStringLiteral("《") + documentTitle + QStringLiteral("》已修改，是否保存？");
}

OfferSaveOutcome offerSave(ui::UserInterface& ui, const PatientContext& patient, EditableDocument* document) {
    if (!document || !document->isModified()) return OfferSaveOutcome::NotModified;
    const QString title = document->title().isEmpty() ? patient.documentTitle : document->title();
    if (ui.messageDialog(offerSaveText(patient.name, title), true) == 1)
        return document->save() ? OfferSaveOutcome::Saved : OfferSaveOutcome::SaveFailed;
    document->discardChanges();
    return OfferSaveOutcome::Discarded;
}

}  // namespace qh::shell
