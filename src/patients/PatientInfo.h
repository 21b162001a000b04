#pragma once
// The patient-information form of the record page: the particulars of the current
// patient, loaded from the PatientContext and written back with one UPDATE.
#include <QDate>
#include <QDateTime>
#include <QString>

#include "shell/PatientContext.h"
#include "shell/UserContext.h"
#include "store/DatabaseFiles.h"
#include "interaction/UserInterface.h"

namespace qh::patients {

// The form's fields. An invalid date stands for a picker left empty.
struct Particulars {
    QString name, doctor, age, room, insuranceNumber, admissionNumber, address, diagnosis, complaint, sex;
    QDateTime admissionDate;
    QString bed;
    QDate birthDate;
    QString temperature, pulse, respiration, bloodPressure, phone, idCardNumber, occupation, contact, relation;
};

inline const QString kParticularsSaved = QStringLiteral("病人信息修改成功");
inline const QString kParticularsFailed = QStringLiteral("病人信息修改失败\r\n请正确填写一般信息。");

// The fields of the current patient; date texts (plain "年" texts or canonical ones)
// become dates for the pickers.
Particulars particularsOf(const shell::PatientContext& patient);

// The UPDATE of the save; 科室 is always the logged-in department.
QString particularsUpdate(const Particulars& p, const QString& department, qint64 patientId);

// Saves with its message; true when written.
bool saveParticulars(const store::DataDirectory& files, const Particulars& p, qint64 patientId,
                     const shell::UserContext& user, ui::UserInterface& ui);

}  // namespace qh::patients
