// Any text as a statement in the ward's dialect: translated for SQLite without crashing or
// looping (date literals, Val, IIf, quotes, brackets).
#include <cstdint>

#include "store/SqlDialect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString sql = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    qh::store::translateSql(sql, qh::store::Engine::Sqlite);
    return 0;
}
