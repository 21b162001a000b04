#pragma once
// Admission: registers a newly admitted patient in 在院病人 with the status "在院" and a
// new 住院编号 taken from ZYID.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include "shell/UserContext.h"
#include "store/DatabaseFiles.h"
#include "interaction/UserInterface.h"

namespace qh::patients {

// What the admission window holds when "确定" is pressed.
struct AdmissionForm {
    QString name, doctor, ageNumber, ageUnit = QStringLiteral("岁"), admissionNumber, address, diagnosis, sex;
    QDateTime admissionDate;
    QString bed, room, complaint, insuranceNumber, occupation;
    QDate birthDate;
    QString phone, idCardNumber, contact, relation, temperature, pulse, respiration, systolic, diastolic;
};

// The lists of the admission window.
struct AdmissionLists {
    bool mainOpened = false;
    QStringList doctors, addresses, diagnoses, complaints, occupations, relations;
};

inline const QString kServerLoginFailed =
    QStringLiteral("服务器登录失败\r请确认服务器连接真确或服务器开启。");
inline const QString kAdmissionIncomplete =
    QStringLiteral("你输入的患者信息缺失，登记失败！\r\n\r\n    请检查后重新输入！");
inline const QString kAdmissionDuplicate =
    QStringLiteral("你输入的住院号与以往重复。\r\n\r\n    请检查后重新输入！");
inline const QString kAdmissionUnknownDoctor = QStringLiteral("请从列表中选择主管医生。");
inline const QString kAdmissionDone = QStringLiteral("病人登记成功");
inline const QString kAdmissionFailed = QStringLiteral("病人登记失败!");

// The field a refused registration wants corrected, so the window can put the focus there.
enum class AdmissionField { None, Name, Age, AdmissionNumber, Sex, Doctor, Bed };

// The question before admitting into a bed an in-ward patient of the department occupies.
QString occupiedBedQuestion(const QString& bed, const QString& occupant);

class Admission {
public:
    enum class Outcome { Incomplete, NotOpened, Duplicate, Registered, Failed };

    Admission(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui)
        : files_(files), user_(user), ui_(ui) {}

    // Fills the lists; a main database that does not open is reported and the lists of
    // the other files are still filled.
    AdmissionLists openLists();
    // Validation and registration, each with its message. The window closes on
    // Registered and Failed and stays open otherwise. A 主管医生 must be one of the
    // department's doctors (or left empty); a bed an in-ward patient of the department
    // occupies is asked about first.
    Outcome admit(const AdmissionForm& form);
    // After a refusal: the first field to correct (None after other outcomes).
    AdmissionField fieldToCorrect() const { return fieldToCorrect_; }
    // The first of the required fields (姓名, 年龄, 住院号, 性别) left empty, or None.
    static AdmissionField firstMissingField(const AdmissionForm& form);
    // Of the last registration: the new 住院编号 and the patient row's 编号.
    QString serialNumber() const { return serial_; }
    qint64 patientId() const { return patientId_; }

    // The patient row of a registration; the 住院编号 is the key of this stay's ZYID row.
    static QString insertStatement(const QString& serial, const AdmissionForm& form, const QString& department);

private:
    store::DataDirectory files_;
    const shell::UserContext& user_;
    ui::UserInterface& ui_;
    // 姓名 of the department's in-ward patient in `bed`, empty when it is free.
    QString occupantOf(const QString& bed) const;

    QString serial_;
    qint64 patientId_ = 0;
    AdmissionField fieldToCorrect_ = AdmissionField::None;
};

// 日期部分 and 月部分 of an admission date, which statistics count by: the date literal
// "#…#" (NULL for a date left empty) and the month text "5月" (empty then).
QString admissionDatePart(const QDateTime& admitted);
QString admissionMonthPart(const QDateTime& admitted);

}  // namespace qh::patients
