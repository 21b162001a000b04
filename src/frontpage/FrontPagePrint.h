#pragma once
// The front page as a printed form: the hospital's front-page template (GSMB 名称 "XYSY"
// western, "ZYSY" TCM) with its named cells filled from the saved front page, read-only.
// The preview page, printing, PDF and the administrator's print command all use it.
#include <QMap>
#include <QString>

#include "frontpage/FrontPageRecord.h"
#include "shell/PatientContext.h"
#include "shell/UserContext.h"
#include "store/DatabaseFiles.h"

namespace qh::records {
class RecordDocument;
}

namespace qh::frontpage {

// "XYSY" for front-page format 1, "ZYSY" for any other.
QString frontPageTemplateName(int format);

// The text of every named cell for a saved front page: hospital and organisation code,
// 病案号 and 姓名 from the front page (the patient's particulars where it has none), dates
// as their day, operation dates as their first ten characters, 入院病情 as its code, costs
// rounded to whole yuan (half away from zero), the other columns as stored.
QMap<QString, QString> printedCells(const FrontPageValues& saved, const shell::UserContext& user,
                                    const shell::PatientContext& patient);

// Writes the cells the document has; codes it lacks are skipped. Returns how many were set.
int fillCells(records::RecordDocument& doc, const QMap<QString, QString>& cells);

// Loads the template for the format and fills it from the stay's saved front page; the
// result is unmodified and read-only. False with a reason when the file does not open or
// the template is missing or damaged.
bool buildFrontPageDocument(const store::DataDirectory& files, const shell::UserContext& user,
                            const shell::PatientContext& patient, int format, records::RecordDocument& out,
                            QString* error);

// The particulars of a stay by its 住院编号 (the administrator's print command has no
// selection); false when there is no such stay.
bool loadPatientBySerial(const store::DataDirectory& files, const QString& serial, shell::PatientContext* out);

}  // namespace qh::frontpage
