#pragma once
// Opening dzbl.mdb of the data directory with its fixed credentials: the one way the shell
// and the patient registry reach the main database.
#include "store/ExternalDatabase.h"

namespace qh::shell {

// False when the file cannot be opened (missing, or not the ward's file).
bool openMainDatabase(store::ExternalDatabase& db);

}  // namespace qh::shell
