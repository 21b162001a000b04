#pragma once
// The one current patient of the main window: the row's 编号, the status list it was
// selected from and the particulars of 在院病人. Every page and command reads the patient
// from here and follows its one change signal; nothing keeps a copy of its own.
#include <QObject>

#include "shell/PatientContext.h"
#include "shell/PatientList.h"
#include "store/DatabaseFiles.h"

namespace qh::shell {

class PatientSelection : public QObject {
    Q_OBJECT
public:
    explicit PatientSelection(const store::DataDirectory& files, QObject* parent = nullptr);

    bool isEmpty() const { return id_ <= 0; }
    qint64 id() const { return id_; }                            // 编号 of 在院病人
    const QString& serialNumber() const { return patient_.serialNumber; }  // 住院编号
    PatientStatus listStatus() const { return listStatus_; }     // the list it was selected from
    const PatientContext& patient() const { return patient_; }

    // SelectPatient: "select * from 在院病人 where 编号=" + id. False, and the selection
    // unchanged, when the file does not open or the row is gone.
    bool select(qint64 id, PatientStatus listStatus);
    // Reads the particulars of the selected patient again (after they were saved); clears
    // the selection when the row is gone.
    bool reload();
    // Nobody selected: pages and commands that need a patient are disabled.
    void clear();

signals:
    // The patient changed, was cleared or was read again.
    void changed();

private:
    bool load(qint64 id, PatientContext* into) const;

    store::DataDirectory files_;
    qint64 id_ = 0;
    PatientStatus listStatus_ = PatientStatus::None;
    PatientContext patient_;
};

}  // namespace qh::shell
