#include "orders/OrderSheetData.h"

namespace qh::orders {

StoredOrder storedOrderFromRow(const store::Row& row) {
    StoredOrder o;
    o.sid = row.integer(QStringLiteral("sid"));
    o.zyid = row.text(QStringLiteral("zyid"));
    o.yzid = row.text(QStringLiteral("yzid"));
    o.sjyz = row.text(QStringLiteral("sjyz"));
    o.kind = row.text(QStringLiteral("yzlb"));
    o.ordered = row.dateTime(QStringLiteral("yzsj"));
    o.stopped = row.dateTime(QStringLiteral("tzsj"));
    o.executed = row.dateTime(QStringLiteral("dysj"));
    o.xmid = row.integer(QStringLiteral("xmid"));
    o.content = row.text(QStringLiteral("xmmc"));
    o.spec = row.text(QStringLiteral("xmgg"));
    o.unit = row.text(QStringLiteral("xmdw"));
    o.attribute = row.text(QStringLiteral("xmsx"));
    o.dose = row.text(QStringLiteral("yzjl"));
    o.route = row.text(QStringLiteral("yzfs"));
    o.frequency = row.text(QStringLiteral("yzyf"));
    o.slip = row.text(QStringLiteral("qllb"));
    o.marker = row.text(QStringLiteral("ypcz"));
    o.state = row.text(QStringLiteral("yzzt"));
    o.quantity = row.real(QStringLiteral("xmsl"));
    o.orderingDoctor = row.text(QStringLiteral("ysxm1"));
    o.executingNurse = row.text(QStringLiteral("hsxm1"));
    o.stoppingDoctor = row.text(QStringLiteral("ysxm2"));
    o.confirmingNurse = row.text(QStringLiteral("hsxm2"));
    o.department = row.text(QStringLiteral("ksbh"));
    o.bed = row.text(QStringLiteral("cwbh"));
    o.categoryDigit = row.text(QStringLiteral("yzpd"));
    o.remark = row.text(QStringLiteral("ybsx"));
    o.entryOrder = row.integer(QStringLiteral("lrsx"));
    return o;
}

QString sheetHospitalName(const store::DataDirectory& files) {
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return {};
    return db.query(QStringLiteral("select * from 备份")).first().text(QStringLiteral("医院名称"));
}

bool readStayPatient(const store::DataDirectory& files, const QString& serial, shell::PatientContext* patient) {
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return false;
    const store::Row row = db.query(QStringLiteral("select * from 在院病人 where 住院编号=?"), {serial}).first();
    if (!row.isValid()) return false;
    for (const QString& column : shell::PatientContext::columns()) patient->setValue(column, row.text(column));
    return true;
}

}  // namespace qh::orders
