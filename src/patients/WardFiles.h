#pragma once
// Opening the ward's database files with their fixed credentials.
#include "store/ExternalDatabase.h"
#include "store/TableConnection.h"

namespace qh::patients {

bool openMainDatabase(store::ExternalDatabase& db);
bool openCodingDatabase(store::ExternalDatabase& db);
bool openCodingTables(store::TableConnection& connection);

}  // namespace qh::patients
