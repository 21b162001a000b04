#pragma once
// The patient list of the main window: the doctor switch (own or department patients),
// the three status options, the list queries, the rows with their icon and text, the
// count, the search page and loading the selected patient into the PatientContext.
#include <QString>
#include <QVector>

#include "shell/PatientContext.h"
#include "shell/UserContext.h"

namespace qh::shell {

enum class PatientStatus { None, InWard, Pending, Discharged };  // none, 在院, 待结, 出院
enum class ListMode { Name, Diagnosis };                        // "姓名", "诊断"
enum class SearchKind { Name, Diagnosis, HospitalNumber };

struct PatientRow {
    int icon = 0;   // 0..5: the icon band of qh::patientIcon
    QString text;   // bed text + 姓名 or 诊断
    qint64 id = 0;  // the patient's 编号
};

// At most this many rows are shown of the discharged list.
inline constexpr int kDischargedListLimit = 201;

class PatientList {
public:
    explicit PatientList(const UserContext& user);

    // Doctor switch: tab 0 is own patients (主管医生 = the user), any other the department.
    bool ownPatients() const { return ownPatients_; }
    void setOwnPatients(bool own) { ownPatients_ = own; }
    PatientStatus status() const { return status_; }
    // Clears the list, the status option and the count (after the switch or the page).
    void clear();

    static QString listQuery(PatientStatus status, bool own, const QString& department, const QString& user);
    static QString searchQuery(SearchKind kind, bool own, const QString& department, const QString& user,
                               const QString& text);

    // FillPatientList for a status option; false when dzbl.mdb does not open (the list
    // is left empty and the count is not updated).
    bool fill(PatientStatus status, ListMode mode);
    // The search page: returns the text for the search box.
    QString search(SearchKind kind, const QString& text);

    const QVector<PatientRow>& rows() const { return rows_; }
    QString countText() const { return countText_; }

    // SelectPatient: "select * from 在院病人 where 编号=" + id into `patient`;
    // false when the file does not open or the row is gone (the context is then unchanged).
    static bool loadPatient(qint64 id, PatientContext& patient);
    // "【姓  名】..." one line per field.
    static QString summary(const PatientContext& patient);

private:
    bool run(const QString& sql, ListMode mode, bool limit);

    const UserContext& user_;
    bool ownPatients_ = true;
    PatientStatus status_ = PatientStatus::None;
    QVector<PatientRow> rows_;
    QString countText_;
};

}  // namespace qh::shell
