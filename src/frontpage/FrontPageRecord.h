#pragma once
// One stay's front page (the row of BAJK keyed by 住院编号): prefilled from the patient for a
// new stay, loaded, saved page by page, and the two date checks with the stay length.
//
// Values travel as texts by column name, in the form they are stored: a code column holds
// its code ("2"), a date column "yyyy-MM-dd HH:mm:ss" (empty: no date), a cost the number
// as typed. A column missing from the map is written as empty.
#include <QDateTime>
#include <QMap>
#include <QString>

#include "interaction/UserInterface.h"
#include "shell/PatientContext.h"
#include "store/DatabaseFiles.h"

namespace qh::frontpage {

using FrontPageValues = QMap<QString, QString>;

inline const QString kSaveTitle = QStringLiteral("青禾住院医生站");
inline const QString kDateOrderRefused = QStringLiteral("操作错误，出院日期不能小于入院日期");

enum class SaveOutcome {
    Saved,
    Failed,     // a statement failed; nothing of this save was kept
    Refused,    // a value was refused before anything was written (the coder was told why)
    NoPatient,  // no current patient: nothing is written
    NoDatabase  // the file did not open
};

// The date text the values use, and back. An invalid date gives the empty text.
QString dateValue(const QDateTime& at);
QDateTime parseDateValue(const QString& text);

// 住院天数: the calendar days from admission to discharge, at least 1; empty without both.
QString stayDays(const QDateTime& admission, const QDateTime& discharge);

class FrontPageRecord {
public:
    FrontPageRecord(const store::DataDirectory& files, ui::UserInterface& ui);

    // Whether the stay has its row yet ("SELECT ZYBH FROM BAJK where ZYBH=…").
    bool exists(const QString& serial) const;
    // Every column of the stored row; an operation date as its first 10 characters, empty
    // when it reads 1900-01-01. Empty map when there is no row.
    FrontPageValues load(const QString& serial) const;
    // A new stay's values from the patient: identity, addresses and contact, the admission
    // (and, when the stay has ended, the discharge) with both departments the login's.
    FrontPageValues prefill(const shell::PatientContext& patient, const QString& loginDepartment) const;

    // The western page: the key row when missing, then its two statements, all in one
    // transaction. Tells "患者 【name】  病案信息保存成功！" only when every statement changed
    // the row, otherwise "…保存失败！" and nothing of it is kept. A cost that is no number is
    // refused before anything is written, naming its field.
    SaveOutcome saveWestern(const QString& serial, const QString& name, const FrontPageValues& values,
                            const QDateTime& now = QDateTime::currentDateTime());
    // The TCM page: the key row when missing, then its statement ("中医病案信息保存…").
    SaveOutcome saveTcm(const QString& serial, const QString& name, const FrontPageValues& values);

    // The discharge date was changed to `changed`. When it lies before the admission the
    // coder is told and the previous value comes back (checked once, never looped). Returns
    // the date the field keeps.
    QDateTime checkDischarge(const QDateTime& admission, const QDateTime& previous, const QDateTime& changed);
    // The admission date was changed: the same rule against the discharge date.
    QDateTime checkAdmission(const QDateTime& discharge, const QDateTime& previous, const QDateTime& changed);

private:
    SaveOutcome save(const QString& serial, const QString& name, const FrontPageValues& values, bool western,
                     const QDateTime& now);

    store::DataDirectory files_;
    ui::UserInterface& ui_;
};

}  // namespace qh::frontpage
