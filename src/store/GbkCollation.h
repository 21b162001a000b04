#pragma once
// The collation "GBK": texts compare as their GBK bytes do, so Chinese sorts by pinyin
// (the level-1 characters of GB2312 are in pinyin order) as wards expect from their lists,
// and ASCII letters compare without regard to case.
#include <QString>

struct sqlite3;

namespace qh::store {

bool registerGbkCollation(sqlite3* db);
// The comparison itself: negative, zero or positive.
int compareGbk(const QString& a, const QString& b);

}  // namespace qh::store
