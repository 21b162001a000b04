#include "patients/WardFiles.h"

#include "store/DatabaseFiles.h"

namespace qh::patients {

bool updateOneRow(store::ExternalDatabase& db, const QString& sql) {
    if (!db.execute(sql)) return false;
    const store::RecordSet rs = db.query(QStringLiteral("select changes()"));
    const bool changed = db.read(rs, 1).toInt() > 0;
    db.closeRecordSet(rs);
    return changed;
}

}  // namespace qh::patients
