#pragma once
// Opening the ward's database files with their fixed credentials, and updating a row.
#include "shell/MainDatabase.h"
#include "store/ExternalDatabase.h"
#include "store/TableConnection.h"

namespace qh::patients {

using shell::openMainDatabase;
bool openCodingDatabase(store::ExternalDatabase& db);
bool openCodingTables(store::TableConnection& connection);

// Executes an UPDATE on an open file; true only when it changed a row, so that a patient
// removed meanwhile by another workstation is not reported as updated.
bool updateOneRow(store::ExternalDatabase& db, const QString& sql);

}  // namespace qh::patients
