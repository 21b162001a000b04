#include "shell/MainDatabase.h"

#include "store/DatabaseFiles.h"

namespace qh::shell {

bool openMainDatabase(store::ExternalDatabase& db) {
    using store::DbFile;
    return db.Open(store::path(DbFile::Main), QString::fromUtf8(store::kDbUser), store::password(DbFile::Main));
}

}  // namespace qh::shell
