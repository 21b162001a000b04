// Any bytes as a CSV file a hospital imports: the encoding decided and the records parsed.
#include <cstdint>

#include "store/CsvReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto decoded = qh::store::decodeCsvBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (decoded.ok) qh::store::parseCsv(decoded.text);
    return 0;
}
