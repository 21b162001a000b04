#include "shell/PatientList.h"

#include "shell/PatientListText.h"
#include "store/Connection.h"
#include "store/SqlText.h"

namespace qh::shell {

using store::sqlText;

namespace {
// 状态 is read too: a search looks through every state, and its rows must say theirs.
const QString kSelect = QStringLiteral("select 姓名,性别,年龄,诊断,床号,住院号,编号,状态 from 在院病人 where 科室='");

PatientRow rowFrom(const store::Row& r, ListMode mode, PatientStatus listStatus) {
    PatientRow row;
    row.icon = patientIcon(r.text(QStringLiteral("性别")), r.text(QStringLiteral("年龄")));
    row.text = bedText(r.text(QStringLiteral("床号"))) +
               (mode == ListMode::Name ? r.text(QStringLiteral("姓名")) : r.text(QStringLiteral("诊断")));
    row.id = r.integer(QStringLiteral("编号"));
    row.status = statusFromText(r.text(QStringLiteral("状态")));
    if (row.status != listStatus) {
        const QString state = r.text(QStringLiteral("状态")).trimmed();
        row.text += QStringLiteral("（") + (state.isEmpty() ? QStringLiteral("无状态") : state) + QStringLiteral("）");
    }
    return row;
}
}  // namespace

QString beginsWith(const QString& column, const QString& prefix) {
    // LIKE's wildcards keep their meaning: such a text is still matched by LIKE.
    if (prefix.contains(u'%') || prefix.contains(u'_'))
        return column + " like '" + sqlText(prefix) + "%'";
    if (prefix.isEmpty()) return column + " is not null";
    // Under the GBK collation a text begins with p exactly when it sorts from p up to p
    // followed by the character that sorts last; an ASCII letter or digit at the end
    // simply steps to the next one ('ZM' up to 'ZN').
    const char16_t last = prefix.back().unicode();
    const bool step = (last >= u'0' && last <= u'9') || (last >= u'A' && last <= u'Z') || (last >= u'a' && last <= u'z');
    const char16_t next = char16_t(((last >= u'a' && last <= u'z') ? last - 32 : last) + 1);
    const QString upper = step ? prefix.left(prefix.size() - 1) + QChar(next) : prefix + QChar(0xFFFF);
    return column + ">='" + sqlText(prefix) + "' and " + column + "<'" + sqlText(upper) + "'";
}

PatientStatus statusFromText(const QString& text) {
    const QString t = text.trimmed();
    if (t == QStringLiteral("在院")) return PatientStatus::InWard;
    if (t == QStringLiteral("待结")) return PatientStatus::Pending;
    if (t == QStringLiteral("出院")) return PatientStatus::Discharged;
    return PatientStatus::None;
}

QString statusText(PatientStatus status) {
    switch (status) {
    case PatientStatus::InWard: return QStringLiteral("在院");
    case PatientStatus::Pending: return QStringLiteral("待结");
    case PatientStatus::Discharged: return QStringLiteral("出院");
    case PatientStatus::None: break;
    }
    return QString();
}

PatientList::PatientList(const store::DataDirectory& files, const UserContext& user) : files_(files), user_(user) {}

void PatientList::clear() {
    rows_.clear();
    status_ = PatientStatus::None;
    countText_.clear();
    query_.clear();
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
        // The newest discharges first: with the 201-row cap the list shows the recent ones.
        return own ? kSelect + dept + "'and  主管医生='" + doctor + "' and 状态='出院'  order by 出院日期 DESC,编号 DESC"
                   : kSelect + dept + "'  and 状态='出院' order by 出院日期 DESC,编号 DESC";
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
    switch (kind) {
    case SearchKind::Name: {
        // "begins with", as a range the GBK-collated indexes can answer (LIKE cannot use them).
        const QString match = "(" + beginsWith(QStringLiteral("姓名检索"), text.toUpper()) + " or " +
                              beginsWith(QStringLiteral("姓名"), text) + ")";
        return own ? kSelect + dept + "'and " + match + "  and 主管医生='" + doctor + "' order by 编号 ASC"
                   : kSelect + dept + "'and " + match + " order by 编号 ASC";
    }
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
    mode_ = mode;
    query_ = sql;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return false;
    // The capped list asks for no more rows than it shows.
    const QString statement = limit ? sql + QStringLiteral(" LIMIT %1").arg(kDischargedListLimit) : sql;
    for (const store::Row& r : db.query(statement)) {
        rows_.push_back(rowFrom(r, mode, status_));
        if (limit && rows_.size() >= kDischargedListLimit) break;
    }
    countText_ = QStringLiteral("共有患者 ") + QString::number(rows_.size()) + QStringLiteral(" 人");
    return true;
}

int PatientList::rowOf(qint64 id) const {
    for (int i = 0; i < rows_.size(); ++i)
        if (rows_[i].id == id) return i;
    return -1;
}

PatientList::RowChange PatientList::refreshRow(qint64 id) {
    const int at = rowOf(id);
    if (at < 0) return RowChange::NotListed;
    // The query that filled the list, narrowed to the one patient: a row that no longer
    // meets its conditions (another doctor, another state) leaves the list.
    QString sql = query_;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (sql.isEmpty() || !db.isOpen()) return RowChange::NotListed;
    sql.insert(sql.lastIndexOf(QStringLiteral(" order by")), QStringLiteral(" and 编号=?"));
    const store::Row r = db.query(sql, {id}).first();
    if (!r.isValid()) {
        rows_.remove(at);
        countText_ = QStringLiteral("共有患者 ") + QString::number(rows_.size()) + QStringLiteral(" 人");
        return RowChange::Removed;
    }
    rows_[at] = rowFrom(r, mode_, status_);
    return RowChange::Updated;
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
