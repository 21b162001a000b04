#pragma once
// Updating one row of the ward's files.
#include "store/DatabaseFiles.h"
#include "store/ExternalDatabase.h"

namespace qh::patients {

// Executes an UPDATE on an open file; true only when it changed a row, so that a patient
// removed meanwhile by another workstation is not reported as updated.
bool updateOneRow(store::ExternalDatabase& db, const QString& sql);

}  // namespace qh::patients
