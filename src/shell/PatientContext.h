#pragma once
// The current patient: the columns of 在院病人 copied when the patient is selected in
// the main window's list, and the record document open in the editor. It is replaced
// by the next selection and never cleared.
#include <QString>
#include <QStringList>

namespace qh::shell {

struct PatientContext {
    QString name;              // 姓名
    QString sex;               // 性别
    QString age;               // 年龄
    QString diagnosis;         // 诊断
    QString bed;               // 床号
    QString admissionNumber;   // 住院号 (typed at admission)
    QString serialNumber;      // 住院编号 (key of the clinical rows)
    QString address;           // 住址
    QString department;        // 科室
    QString complaint;         // 主诉
    QString admissionDate;     // 入院日期, as the plain date text
    QString doctor;            // 主管医生
    QString wardRoom;          // 病室
    QString insuranceNumber;   // 医疗证号
    QString occupation;        // 职业
    QString birthDate;         // 出生日期
    QString phone;             // 联系电话
    QString idCardNumber;      // 身份证号
    QString contact;           // 联系人
    QString contactRelation;   // 患者关系
    QString temperature;       // 体温
    QString pulse;             // 脉搏
    QString respiration;       // 呼吸
    QString bloodPressure;     // 血压

    // The record document open in the editor.
    QString documentTable;     // e.g. 在院病历
    qint64 documentId = 0;     // its 编号
    QString documentTitle;     // its caption, shown in the save prompt

    // The 在院病人 column names this context holds, in the order above.
    static const QStringList& columns();
    // A field by its column name ("姓名" gives name); empty for a column not held.
    QString value(const QString& column) const;
    void setValue(const QString& column, const QString& text);
};

}  // namespace qh::shell
