#include "patients/PickLists.h"

#include "patients/WardFiles.h"
#include "store/SqlText.h"
#include "store/TableConnection.h"

namespace qh::patients {

using store::sqlText;

namespace {

QStringList column(store::ExternalDatabase& db, const QString& sql, const QString& name) {
    QStringList out;
    const store::RecordSet rs = db.query(sql);
    for (; !db.isEof(rs); db.moveNext(rs)) out << db.read(rs, name).toText();
    db.closeRecordSet(rs);
    return out;
}

}  // namespace

QStringList usersOfDepartment(store::ExternalDatabase& db, const QString& department) {
    return column(db, QStringLiteral("select * from 用户 where 科室='") + sqlText(department) + QStringLiteral("'"),
                  QStringLiteral("用户"));
}

QStringList usersOfDepartment(const QString& department) {
    store::ExternalDatabase db;
    if (!store::openFile(db, store::DbFile::Main)) return {};
    return usersOfDepartment(db, department);
}

QStringList departments() {
    store::ExternalDatabase db;
    if (!store::openFile(db, store::DbFile::Main)) return {};
    return column(db, QStringLiteral("select * from 科室"), QStringLiteral("科室"));
}

QStringList commonEntries(const QString& note) {
    store::TableConnection connection;
    if (!store::openFile(connection, store::DbFile::Coding)) return {};
    store::TableRowSet rows;
    rows.attach(connection);
    QStringList out;
    if (!rows.openWhere(QStringLiteral("备注='") + sqlText(note) + QStringLiteral("'"), QStringLiteral("系统设置")))
        return out;
    for (rows.moveFirst(); !rows.isEof(); rows.moveNext()) out << rows.readField(QStringLiteral("项目")).toText();
    rows.close();
    return out;
}

QStringList parameterList(const QString& listName) {
    store::ExternalDatabase db;
    if (!store::openFile(db, store::DbFile::Main)) return {};
    return column(db,
                  QStringLiteral("select * from xmzdb where 备注='") + sqlText(listName) +
                      QStringLiteral("' order by 参数值"),
                  QStringLiteral("参数名称"));
}

QStringList searchDiagnoses(const QString& typed) {
    store::ExternalDatabase db;
    if (!store::openFile(db, store::DbFile::Coding)) return {};
    const QString t = sqlText(typed);
    return column(db,
                  QStringLiteral("SELECT * FROM ICD10 where JSM like '") + t + QStringLiteral("%' or ICDMC like '%") + t +
                      QStringLiteral("%'"),
                  QStringLiteral("ICDMC"));
}

}  // namespace qh::patients
