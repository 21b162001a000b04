#pragma once
#include <QString>

namespace qh::identity {

// The 8-character password digest: the password trimmed at both ends, as GBK bytes,
// MD5 in lower-case hex, characters 6 to 13.
QString passwordDigest(const QString& password);

}  // namespace qh::identity
