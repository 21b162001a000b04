#include "patients/WardFiles.h"

#include "store/DatabaseFiles.h"

namespace qh::patients {

bool updateOneRow(store::ExternalDatabase& db, const QString& sql) {
    if (!db.Execute(sql)) return false;
    const store::RecordSet rs = db.Query(QStringLiteral("select changes()"));
    const bool changed = db.Read(rs, 1).toInt() > 0;
    db.CloseRecordSet(rs);
    return changed;
}

}  // namespace qh::patients
