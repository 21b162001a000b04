#pragma once
// The patient list of the main window: the doctor switch (own or department patients),
// the three status options, the list queries, the rows with their icon and text, the
// count and the search page.
#include <QString>
#include <QVector>

#include "shell/PatientContext.h"
#include "shell/UserContext.h"
#include "store/DatabaseFiles.h"

namespace qh::shell {

enum class PatientStatus { None, InWard, Pending, Discharged };  // none, 在院, 待结, 出院
enum class ListMode { Name, Diagnosis };                        // "姓名", "诊断"
enum class SearchKind { Name, Diagnosis, HospitalNumber };

struct PatientRow {
    int icon = 0;   // 0..5: the icon band of qh::patientIcon
    QString text;   // bed text + 姓名 or 诊断, and "（出院）" when the state is not the list's
    qint64 id = 0;  // the patient's 编号
    PatientStatus status = PatientStatus::None;  // the patient's own 状态
};

// 状态 text to status and back ("在院", "待结", "出院").
PatientStatus statusFromText(const QString& text);
QString statusText(PatientStatus status);

// `column` begins with `prefix` (ASCII without regard to case): a range condition under the
// column's GBK collation, so an index answers it; a prefix holding a LIKE wildcard is still
// matched by LIKE.
QString beginsWith(const QString& column, const QString& prefix);

// At most this many rows are shown of the discharged list.
inline constexpr int kDischargedListLimit = 201;

class PatientList {
public:
    PatientList(const store::DataDirectory& files, const UserContext& user);

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
    // The row of the patient with this 编号; -1 when the list does not show it.
    int rowOf(qint64 id) const;
    QString countText() const { return countText_; }

    // After one patient changed (particulars saved): reads that row again with the list's
    // own query. Its new text, or nullopt when the patient no longer belongs to the list
    // (the row is then removed).
    enum class RowChange { Updated, Removed, NotListed };
    RowChange refreshRow(qint64 id);

    // "【姓  名】..." one line per field.
    static QString summary(const PatientContext& patient);

private:
    bool run(const QString& sql, ListMode mode, bool limit);

    store::DataDirectory files_;
    const UserContext& user_;
    ListMode mode_ = ListMode::Name;
    QString query_;  // the statement that filled the rows
    bool ownPatients_ = true;
    PatientStatus status_ = PatientStatus::None;
    QVector<PatientRow> rows_;
    QString countText_;
};

}  // namespace qh::shell
