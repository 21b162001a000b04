#include "shell/PatientSelection.h"

#include "store/Connection.h"

namespace qh::shell {

PatientSelection::PatientSelection(const store::DataDirectory& files, QObject* parent)
    : QObject(parent), files_(files) {}

bool PatientSelection::load(qint64 id, PatientContext* into) const {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return false;
    const store::Row row = db.query(QStringLiteral("select * from 在院病人 where 编号=?"), {id}).first();
    if (!row.isValid()) return false;
    for (const QString& column : PatientContext::columns()) into->setValue(column, row.text(column));
    return true;
}

bool PatientSelection::select(qint64 id, PatientStatus listStatus) {
    PatientContext loaded;
    if (id <= 0 || !load(id, &loaded)) return false;
    id_ = id;
    listStatus_ = listStatus;
    patient_ = loaded;
    emit changed();
    return true;
}

bool PatientSelection::reload() {
    if (isEmpty()) return false;
    PatientContext loaded = patient_;
    if (!load(id_, &loaded)) {
        clear();
        return false;
    }
    patient_ = loaded;
    emit changed();
    return true;
}

void PatientSelection::clear() {
    const bool wasSelected = !isEmpty();
    id_ = 0;
    listStatus_ = PatientStatus::None;
    patient_ = PatientContext();
    if (wasSelected) emit changed();
}

}  // namespace qh::shell
