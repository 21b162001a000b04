#include "shell/BedList.h"

#include "shell/PatientList.h"
#include "shell/PatientListText.h"
#include "store/Connection.h"
#include "store/SqlText.h"

namespace qh::shell {

using store::sqlText;

namespace {
const QString kBedSelect =
    QStringLiteral("select 姓名,性别,年龄,诊断,床号,住院号,住院编号,编号,科室 from 在院病人 where ");
}

QString BedList::listQuery(const QString& department) {
    // Only the patients in the ward: the beds of discharged stays are someone else's now.
    return kBedSelect + "科室='" + sqlText(department) + "' and 状态='在院'  order by Val(床号) ASC";
}

QString BedList::searchQuery(const QString& department, const QString& initials) {
    return kBedSelect + beginsWith(QStringLiteral("姓名检索"), initials.toUpper()) + " and 科室='" + sqlText(department) +
           "' and 状态='在院' order by Val(床号) ASC";
}

bool BedList::fill(const QString& searchText) {
    rows_.clear();
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return false;
    const QString sql = searchText.isEmpty() ? listQuery(department_) : searchQuery(department_, searchText);
    for (const store::Row& r : db.query(sql)) {
        BedRow row;
        row.text = bedText(r.text(QStringLiteral("床号"))) + " " + r.text(QStringLiteral("性别")) + " " +
                   r.text(QStringLiteral("姓名"));
        row.serial = r.integer(QStringLiteral("住院编号"));
        row.id = r.integer(QStringLiteral("编号"));
        rows_.push_back(row);
    }
    return true;
}

void BedList::setTicked(int row, bool on) {
    if (row >= 0 && row < rows_.size()) rows_[row].ticked = on;
}

QVector<qint64> BedList::tickedSerials() const {
    QVector<qint64> out;
    for (const BedRow& r : rows_)
        if (r.ticked) out.push_back(r.serial);
    return out;
}

}  // namespace qh::shell
