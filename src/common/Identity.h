#pragma once
#include <QDateTime>
#include <QString>

namespace qh::identity {

// The 8-character password digest: the password trimmed at both ends, as GBK bytes,
// MD5 in lower-case hex, characters 6 to 13.
QString passwordDigest(const QString& password);

// Prescription number of a herbal prescription saved at the clock's now:
// "CYCF" + yyMMddhhmmss + a random number from 1000 to 9999.
QString newPrescriptionNumber();
// The same for a given moment and four-digit number (1000-9999).
QString prescriptionNumber(const QDateTime& at, int random);

}  // namespace qh::identity
