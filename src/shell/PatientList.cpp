#include "shell/PatientList.h"

#include "shell/PatientListText.h"
#include "store/DatabaseFiles.h"
#include "store/ExternalDatabase.h"
#include "store/SqlText.h"

namespace qh::shell {

using store::sqlText;

namespace {
const QString kSelect = QStringLiteral("select 姓名,性别,年龄,诊断,床号,住院号,编号 from 在院病人 where 科室='");
}

PatientList::PatientList(const UserContext& user) : user_(user) {}

void PatientList::clear() {
    rows_.clear();
    status_ = PatientStatus::None;
    countText_.clear();
}

QString PatientList::listQuery(PatientStatus status, bool own, const QString& department, const QString& user) {
    const QString dept = sqlText(department);
    const QString doctor = sqlText(user);
    switch (status) {
    case PatientStatus::InWard:
        return own ? kSelect + dept + "'and 主管医生='" + doctor + "' and 状态='在院' order by 编号 ASC"
                   : kSelect + dept + "' and 状态='在院'  order by 编号 ASC";
    case PatientStatus::Pending:
        return own ? kSelect + dept + "'and 主管医生='" + doctor + "'  and 状态='待结' order by 编号 ASC"
                   : kSelect + dept + "' and 状态='待结' order by 编号 ASC";
    case PatientStatus::Discharged:
        return own ? kSelect + dept + "'and  主管医生='" + doctor + "' and 状态='出院'  order by 出院日期,编号 DESC"
                   : kSelect + dept + "'  and 状态='出院' order by 出院日期,编号 DESC";
    case PatientStatus::None:
        break;
    }
    return QString();
}

QString PatientList::searchQuery(SearchKind kind, bool own, const QString& department, const QString& user,
                                 const QString& text) {
    const QString dept = sqlText(department);
    const QString doctor = sqlText(user);
    const QString x = sqlText(text);
    const QString upper = sqlText(text.toUpper());
    switch (kind) {
    case SearchKind::Name:
        return own ? kSelect + dept + "'and (姓名检索 like '" + upper + "%'  or 姓名 like '" + x + "%')  and 主管医生='" +
                         doctor + "' order by 编号 ASC"
                   : kSelect + dept + "'and (姓名检索 like '" + upper + "%' or 姓名 like '" + x + "%') order by 编号 ASC";
    case SearchKind::Diagnosis:
        return own ? kSelect + dept + "'and 诊断 like '%" + x + "%'and 主管医生='" + doctor + "' order by 编号 ASC"
                   : kSelect + dept + "'and  诊断 like '%" + x + "%' order by 编号 ASC";
    case SearchKind::HospitalNumber:
        return own ? kSelect + dept + "'and 住院号 = '" + x + "'and 主管医生='" + doctor + "' order by 编号 ASC"
                   : kSelect + dept + "'and  住院号 = '" + x + "' order by 编号 ASC";
    }
    return QString();
}

bool PatientList::run(const QString& sql, ListMode mode, bool limit) {
    rows_.clear();
    store::ExternalDatabase db;
    if (!store::openFile(db, store::DbFile::Main)) return false;
    const store::RecordSet rs = db.Query(sql);
    db.MoveFirst(rs);
    while (!db.IsEOF(rs)) {
        const QString name = db.Read(rs, QStringLiteral("姓名")).toText();
        const QString sex = db.Read(rs, QStringLiteral("性别")).toText();
        const QString age = db.Read(rs, QStringLiteral("年龄")).toText();
        const QString diagnosis = db.Read(rs, QStringLiteral("诊断")).toText();
        const QString bed = bedText(db.Read(rs, QStringLiteral("床号")).toText());
        PatientRow row;
        row.icon = patientIcon(sex, age);
        row.text = bed + (mode == ListMode::Name ? name : diagnosis);
        row.id = db.Read(rs, QStringLiteral("编号")).toInt();
        rows_.push_back(row);
        if (limit && rows_.size() >= kDischargedListLimit) break;
        db.MoveNext(rs);
    }
    db.CloseRecordSet(rs);
    db.Close();
    countText_ = QStringLiteral("共有患者 ") + QString::number(rows_.size()) + QStringLiteral(" 人");
    return true;
}

bool PatientList::fill(PatientStatus status, ListMode mode) {
    status_ = status;
    if (status == PatientStatus::None) {
        rows_.clear();
        return false;
    }
    return run(listQuery(status, ownPatients_, user_.department, user_.userName), mode,
               status == PatientStatus::Discharged);
}

QString PatientList::search(SearchKind kind, const QString& text) {
    if (status_ == PatientStatus::None) return QStringLiteral("请选择病人来源。");
    const QString sql = searchQuery(kind, ownPatients_, user_.department, user_.userName, text.trimmed());
    run(sql, kind == SearchKind::Diagnosis ? ListMode::Diagnosis : ListMode::Name,
        status_ == PatientStatus::Discharged);
    return QStringLiteral("查询到 ") + QString::number(rows_.size()) + QStringLiteral(" 人");
}

bool PatientList::loadPatient(qint64 id, PatientContext& patient) {
    store::ExternalDatabase db;
    if (!store::openFile(db, store::DbFile::Main)) return false;
    const store::RecordSet rs = db.Query(QStringLiteral("select * from 在院病人 where 编号=") + QString::number(id));
    const bool found = !db.IsEOF(rs);
    if (found)
        for (const QString& column : PatientContext::columns()) patient.setValue(column, db.Read(rs, column).toText());
    db.CloseRecordSet(rs);
    db.Close();
    return found;
}

QString PatientList::summary(const PatientContext& p) {
    const QStringList lines{
        QStringLiteral("【姓  名】") + p.name,
        QStringLiteral("【性  别】") + p.sex,
        QStringLiteral("【年  龄】") + p.age,
        QStringLiteral("【住院号】") + p.admissionNumber,
        QStringLiteral("【床  号】") + p.bed.trimmed() + QStringLiteral("床"),
        QStringLiteral("【诊断】") + p.diagnosis,
        QStringLiteral("【住址】") + p.address,
        QStringLiteral("【入院日期】") + p.admissionDate,
        QStringLiteral("【主管医生】") + p.doctor,
        QStringLiteral("【医疗证号】") + p.insuranceNumber,
    };
    return lines.join('\n');
}

}  // namespace qh::shell
