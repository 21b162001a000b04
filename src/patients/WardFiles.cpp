#include "patients/WardFiles.h"

#include "store/DatabaseFiles.h"

namespace qh::patients {

using store::DbFile;

bool openCodingDatabase(store::ExternalDatabase& db) {
    return db.Open(store::path(DbFile::Coding), QString::fromUtf8(store::kDbUser), store::password(DbFile::Coding));
}

bool openCodingTables(store::TableConnection& connection) {
    return connection.Open(store::path(DbFile::Coding), store::password(DbFile::Coding));
}

bool updateOneRow(store::ExternalDatabase& db, const QString& sql) {
    if (!db.Execute(sql)) return false;
    const store::RecordSet rs = db.Query(QStringLiteral("select changes()"));
    const bool changed = db.Read(rs, 1).toInt() > 0;
    db.CloseRecordSet(rs);
    return changed;
}

}  // namespace qh::patients
