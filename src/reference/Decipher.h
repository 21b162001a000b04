#pragma once
// The long texts of the reference base (组成 … 临床报道 of FJX, 科属 … 鉴别用药 of ZYX, YPSM
// of XYSM) pass through decipherText before they are shown.
#include <QByteArray>
#include <QString>

#include "store/Value.h"

namespace qh::reference {

// Our own reference base stores these columns as plain text, and they come back unchanged.
// A binary value is read as UTF-8 text, else as GBK text; bytes that are neither give an
// empty text rather than garbage. A hospital whose base was written with a cipher of its
// own deciphers the bytes in decipherBytes (Decipher.cpp), the one place for it.
QString decipherText(const store::Value& stored);
QString decipherBytes(const QByteArray& bytes);

}  // namespace qh::reference
