#include "store/GbkCollation.h"

#include <sqlite3.h>

#include <QVector>

#include "common/GbkText.h"

namespace qh::store {

namespace {

// One sort key per UTF-16 unit: ASCII (upper-cased) as its byte shifted into the high
// half, a GBK character as its two bytes, which are never below 0x8140, and anything GBK
// lacks after all of them in code-point order. Comparing keys compares the GBK bytes.
// Keys are worked out the first time a character is met, so that opening a file costs
// nothing and a ward's few thousand distinct characters are converted once each.
quint32 computeKey(char16_t u) {
    if (u < 0x80) return quint32((u >= 'a' && u <= 'z') ? u - 32 : u) << 8;
    if (u >= 0xD800 && u < 0xE000) return 0x10000u + u;
    const QByteArray gbk = qh::text::toGbk(QString(QChar(u)));
    if (gbk.size() == 2 && quint8(gbk.at(0)) >= 0x81)
        return (quint32(quint8(gbk.at(0))) << 8) | quint8(gbk.at(1));
    return 0x10000u + u;
}

quint32 sortKey(char16_t u) {
    static QVector<quint32> keys(0x10000, 0);  // 0: not yet worked out
    quint32& k = keys[u];
    if (k == 0 && u != 0) k = computeKey(u);
    return k;
}

int compareUnits(const char16_t* a, qsizetype na, const char16_t* b, qsizetype nb) {
    const qsizetype n = std::min(na, nb);
    for (qsizetype i = 0; i < n; ++i) {
        const quint32 ka = sortKey(a[i]), kb = sortKey(b[i]);
        if (ka != kb) return ka < kb ? -1 : 1;
    }
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

int collate(void*, int na, const void* a, int nb, const void* b) {
    // SQLITE_UTF16 collations receive native-order UTF-16, lengths in bytes.
    return compareUnits(static_cast<const char16_t*>(a), na / 2, static_cast<const char16_t*>(b), nb / 2);
}

}  // namespace

int compareGbk(const QString& a, const QString& b) {
    return compareUnits(reinterpret_cast<const char16_t*>(a.utf16()), a.size(),
                        reinterpret_cast<const char16_t*>(b.utf16()), b.size());
}

bool registerGbkCollation(sqlite3* db) {
    return sqlite3_create_collation_v2(db, "GBK", SQLITE_UTF16_ALIGNED, nullptr, collate, nullptr) == SQLITE_OK;
}

}  // namespace qh::store
