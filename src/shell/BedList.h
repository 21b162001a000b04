#pragma once
// The bed list: the department's in-ward patients by the numeric value of 床号, each row with a
// tick box; the infusion and execution sheets print for the ticked rows.
#include <QString>
#include <QVector>

#include "store/DatabaseFiles.h"

namespace qh::shell {

struct BedRow {
    QString text;           // bed text + " " + 性别 + " " + 姓名
    qint64 serial = 0;      // numeric value of 住院编号
    qint64 id = 0;          // 编号
    bool ticked = false;
};

class BedList {
public:
    BedList(const store::DataDirectory& files, const QString& department) : files_(files), department_(department) {}

    static QString listQuery(const QString& department);
    static QString searchQuery(const QString& department, const QString& initials);

    // The search box's text: empty lists the whole department. False when dzbl.mdb
    // does not open (the list is then empty).
    bool fill(const QString& searchText = QString());
    const QVector<BedRow>& rows() const { return rows_; }
    void setTicked(int row, bool on);
    // 住院编号 values of the ticked rows, in list order.
    QVector<qint64> tickedSerials() const;

private:
    store::DataDirectory files_;
    QString department_;
    QVector<BedRow> rows_;
};

}  // namespace qh::shell
