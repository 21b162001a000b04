#include "orders/OrderSheetData.h"

namespace qh::orders {

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
