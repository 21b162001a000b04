#include "patients/Admission.h"

#include "common/DateText.h"
#include "common/Pinyin.h"
#include "patients/PickLists.h"
#include "store/Connection.h"
#include "store/SqlText.h"

namespace qh::patients {

using store::sqlText;

QString admissionDatePart(const QDateTime& admitted) {
    return admitted.isValid() ? QStringLiteral("#") + dates::dateWithCurrentTimeText(admitted.date()) + QStringLiteral("#")
                              : QStringLiteral("NULL");
}

QString admissionMonthPart(const QDateTime& admitted) {
    return admitted.isValid() ? QString::number(admitted.date().month()) + QStringLiteral("月") : QString();
}

AdmissionLists Admission::openLists() {
    AdmissionLists lists;
    lists.mainOpened = store::Connection::open(files_, store::DbFile::Main).isOpen();
    if (!lists.mainOpened) {
        ui_.messageDialog(kServerLoginFailed);
    } else {
        lists.doctors = doctorsOfDepartment(files_, user_.department);
        lists.occupations = parameterList(files_, QStringLiteral("职业"));
        lists.relations = parameterList(files_, QStringLiteral("患者关系"));
    }
    lists.diagnoses = commonEntries(files_, QStringLiteral("疾病名称"));
    lists.addresses = commonEntries(files_, QStringLiteral("联系地址"));
    lists.complaints = commonEntries(files_, QStringLiteral("主诉"));
    return lists;
}

QString Admission::insertStatement(const QString& serial, const AdmissionForm& f, const QString& department) {
    const QStringList values{
        serial,
        f.name,
        text::pinyinInitials(f.name),
        f.doctor,
        f.ageNumber + f.ageUnit,
        f.admissionNumber,
        f.address,
        f.diagnosis,
        f.sex,
        dates::plainDateText(f.admissionDate),
        f.bed,
        department,
        f.room,
        f.complaint,
        f.insuranceNumber,
        f.occupation,
        dates::plainDateText(f.birthDate),
        f.phone,
        f.idCardNumber,
        f.contact,
        f.relation,
        f.temperature,
        f.pulse,
        f.respiration,
        f.systolic + QStringLiteral("/") + f.diastolic,
    };
    QStringList quoted;
    for (const QString& v : values) quoted << sqlText(v);
    // 日期部分 and 月部分 are written here too, so that statistics by admission date count
    // every patient from the day of admission, not only those whose particulars were saved.
    return QStringLiteral(
               "INSERT INTO 在院病人 (住院编号,姓名,姓名检索,主管医生,年龄,住院号,住址,诊断,性别,入院日期,床号,科室,病室,"
               "主诉,医疗证号,职业,出生日期,联系电话,身份证号,联系人,患者关系,体温,脉搏,呼吸,血压,状态,日期部分,月部分) "
               "values ('") +
           quoted.join(QStringLiteral("','")) + QStringLiteral("','在院',") +
           admissionDatePart(f.admissionDate) + QStringLiteral(",'") + admissionMonthPart(f.admissionDate) +
           QStringLiteral("')");
}

QString occupiedBedQuestion(const QString& bed, const QString& occupant) {
    return QStringLiteral("床号 ") + bed.trimmed() + QStringLiteral(" 已有在院病人【") + occupant +
           QStringLiteral("】。\r\n\r\n    仍然登记到此床吗？");
}

AdmissionField Admission::firstMissingField(const AdmissionForm& f) {
    if (f.name.trimmed().isEmpty()) return AdmissionField::Name;
    if (f.ageNumber.trimmed().isEmpty()) return AdmissionField::Age;
    if (f.admissionNumber.trimmed().isEmpty()) return AdmissionField::AdmissionNumber;
    if (f.sex.trimmed().isEmpty()) return AdmissionField::Sex;
    return AdmissionField::None;
}

QString Admission::occupantOf(const QString& bed) const {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    return db.query(QStringLiteral("select 姓名 from 在院病人 where 科室=? and 状态='在院' and trim(床号)=?"),
                    {user_.department, bed.trimmed()})
        .first()
        .text(QStringLiteral("姓名"));
}

Admission::Outcome Admission::admit(const AdmissionForm& f) {
    fieldToCorrect_ = firstMissingField(f);
    if (fieldToCorrect_ != AdmissionField::None) {
        ui_.messageDialog(kAdmissionIncomplete);
        return Outcome::Incomplete;
    }
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return Outcome::NotOpened;
    // Whatever is typed into the list must be one of the department's doctors: a stray "45"
    // would otherwise become a patient's 主管医生 and hide the patient from every doctor's list.
    if (!f.doctor.trimmed().isEmpty() && !doctorsOfDepartment(files_, user_.department).contains(f.doctor)) {
        fieldToCorrect_ = AdmissionField::Doctor;
        ui_.messageDialog(kAdmissionUnknownDoctor);
        return Outcome::Incomplete;
    }
    // Asked before the write starts, so no other workstation waits on an open question.
    if (!f.bed.trimmed().isEmpty()) {
        const QString occupant = occupantOf(f.bed);
        if (!occupant.isEmpty() && ui_.messageDialog(occupiedBedQuestion(f.bed, occupant), true) != 1) {
            fieldToCorrect_ = AdmissionField::Bed;
            return Outcome::Incomplete;
        }
    }
    // The check and both inserts are one change: no other workstation registers the same
    // 住院号 in between, and a failed patient row leaves no serial number behind.
    store::Transaction tx(db);
    const qint64 existing =
        db.query(QStringLiteral("select count(1) from 在院病人 where  住院号=?"), {f.admissionNumber}).first().value(0).toInt();
    if (existing != 0) {
        fieldToCorrect_ = AdmissionField::AdmissionNumber;
        ui_.messageDialog(kAdmissionDuplicate);
        return Outcome::Duplicate;
    }
    // The serial number is the key generated by this very insert.
    const store::ExecResult serialRow = db.execute(QStringLiteral("INSERT INTO ZYID (zybh) values ('zybh')"));
    const QString serial = QString::number(serialRow.insertedKey);
    const store::ExecResult patientRow =
        serialRow.ok ? db.execute(insertStatement(serial, f, user_.department)) : store::ExecResult{};
    if (!tx.isActive() || !patientRow.changed() || !tx.commit()) {
        ui_.messageDialog(kAdmissionFailed);
        return Outcome::Failed;
    }
    serial_ = serial;
    patientId_ = patientRow.insertedKey;
    ui_.messageDialog(kAdmissionDone);
    return Outcome::Registered;
}

}  // namespace qh::patients
