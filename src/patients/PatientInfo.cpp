#include "patients/PatientInfo.h"

#include "common/DateText.h"
#include "common/Pinyin.h"
#include "patients/Admission.h"
#include "store/Connection.h"
#include "store/SqlText.h"

namespace qh::patients {

using store::sqlText;

Particulars particularsOf(const shell::PatientContext& c) {
    Particulars p;
    p.name = c.name;
    p.doctor = c.doctor;
    p.age = c.age;
    p.room = c.wardRoom;
    p.insuranceNumber = c.insuranceNumber;
    p.admissionNumber = c.admissionNumber;
    p.address = c.address;
    p.diagnosis = c.diagnosis;
    p.complaint = c.complaint;
    p.sex = c.sex;
    p.admissionDate = dates::parseDateText(c.admissionDate);
    p.bed = c.bed;
    p.birthDate = dates::parseDateText(c.birthDate).date();
    p.temperature = c.temperature;
    p.pulse = c.pulse;
    p.respiration = c.respiration;
    p.bloodPressure = c.bloodPressure;
    p.phone = c.phone;
    p.idCardNumber = c.idCardNumber;
    p.occupation = c.occupation;
    p.contact = c.contact;
    p.relation = c.contactRelation;
    return p;
}

QString particularsUpdate(const Particulars& p, const QString& department, qint64 patientId) {
    const auto q = sqlText;  // short, as the statement splices over twenty values
    return QStringLiteral("UPDATE 在院病人 SET 姓名='") + q(p.name) + QStringLiteral("',姓名检索='") +
           q(text::pinyinInitials(p.name)) + QStringLiteral("',主管医生='") + q(p.doctor) + QStringLiteral("',年龄='") +
           q(p.age) + QStringLiteral("',病室='") + q(p.room) + QStringLiteral("',医疗证号='") + q(p.insuranceNumber) +
           QStringLiteral("',住院号='") + q(p.admissionNumber) + QStringLiteral("',住址='") + q(p.address) +
           QStringLiteral("',诊断='") + q(p.diagnosis) + QStringLiteral("',主诉='") + q(p.complaint) +
           QStringLiteral("',性别='") + q(p.sex) + QStringLiteral("',入院日期='") +
           q(dates::plainDateText(p.admissionDate)) + QStringLiteral("',日期部分=") + admissionDatePart(p.admissionDate) +
           QStringLiteral(",月部分='") + admissionMonthPart(p.admissionDate) + QStringLiteral("',床号='") + q(p.bed) + QStringLiteral("',科室='") +
           q(department) + QStringLiteral("',出生日期='") + q(dates::plainDateText(p.birthDate)) +
           QStringLiteral("',体温='") + q(p.temperature) + QStringLiteral("',脉搏='") + q(p.pulse) +
           QStringLiteral("',呼吸='") + q(p.respiration) + QStringLiteral("',血压='") + q(p.bloodPressure) +
           QStringLiteral("',联系电话='") + q(p.phone) + QStringLiteral("',身份证号='") + q(p.idCardNumber) +
           QStringLiteral("',职业='") + q(p.occupation) + QStringLiteral("',联系人='") + q(p.contact) +
           QStringLiteral("',患者关系='") + q(p.relation) + QStringLiteral("' WHERE 编号=") + QString::number(patientId);
}

bool saveParticulars(const store::DataDirectory& files, const Particulars& p, qint64 patientId,
                     const shell::UserContext& user, ui::UserInterface& ui) {
    // A file that does not open, or a patient row no longer there, writes nothing; saying
    // so keeps the typed text from looking saved.
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (patientId <= 0 || !db.isOpen() || !db.execute(particularsUpdate(p, user.department, patientId)).changed()) {
        ui.messageDialog(kParticularsFailed);
        return false;
    }
    ui.messageDialog(kParticularsSaved);
    return true;
}

}  // namespace qh::patients
