#include "patients/PickLists.h"

#include "store/Connection.h"
#include "store/SqlText.h"
#include "store/TableConnection.h"

namespace qh::patients {

using store::sqlText;

namespace {

// One column of every row of a query on a file of the ward; empty when it does not open.
QStringList column(const store::DataDirectory& files, store::DbFile file, const QString& sql, const QString& name,
                   const store::Params& params = {}) {
    store::Connection db = store::Connection::open(files, file);
    QStringList out;
    if (!db.isOpen()) return out;
    for (const store::Row& row : db.query(sql, params)) out << row.text(name);
    return out;
}

}  // namespace

QStringList usersOfDepartment(const store::DataDirectory& files, const QString& department) {
    return column(files, store::DbFile::Main, QStringLiteral("select * from 用户 where 科室=?"), QStringLiteral("用户"),
                  {department});
}

QStringList doctorsOfDepartment(const store::DataDirectory& files, const QString& department) {
    return column(files, store::DbFile::Main,
                  QStringLiteral("select * from 用户 where 科室=? and (级别 is null or 级别<>'护师')"),
                  QStringLiteral("用户"), {department});
}

QStringList departments(const store::DataDirectory& files) {
    return column(files, store::DbFile::Main, QStringLiteral("select * from 科室"), QStringLiteral("科室"));
}

QStringList commonEntries(const store::DataDirectory& files, const QString& note) {
    store::TableConnection connection;
    if (!connection.open(files, store::DbFile::Coding)) return {};
    store::TableRowSet rows;
    rows.attach(connection);
    QStringList out;
    if (!rows.openWhere(QStringLiteral("备注='") + sqlText(note) + QStringLiteral("'"), QStringLiteral("系统设置")))
        return out;
    for (rows.moveFirst(); !rows.isEof(); rows.moveNext()) out << rows.readField(QStringLiteral("项目")).toText();
    return out;
}

QStringList parameterList(const store::DataDirectory& files, const QString& listName) {
    return column(files, store::DbFile::Main, QStringLiteral("select * from xmzdb where 备注=? order by 参数值"),
                  QStringLiteral("参数名称"), {listName});
}

QStringList searchDiagnoses(const store::DataDirectory& files, const QString& typed) {
    // The typed text's own % and _ are taken literally.
    const QString t = store::sqlLikeText(typed);
    return column(files, store::DbFile::Coding,
                  QStringLiteral("SELECT * FROM ICD10 where JSM like '") + t + QStringLiteral("%'") + store::kLikeEscape +
                      QStringLiteral(" or ICDMC like '%") + t + QStringLiteral("%'") + store::kLikeEscape,
                  QStringLiteral("ICDMC"));
}

}  // namespace qh::patients
