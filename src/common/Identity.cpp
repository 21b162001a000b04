#include "common/Identity.h"

#include "common/Clock.h"
#include "common/GbkText.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

namespace qh::identity {
namespace {
// Only blanks are trimmed; a tab or full-width space is part of the password.
QString trimBlanks(const QString& s) {
    qsizetype begin = 0, end = s.size();
    while (begin < end && s[begin] == u' ') ++begin;
    while (end > begin && s[end - 1] == u' ') --end;
    return s.mid(begin, end - begin);
}
}  // namespace

QString passwordDigest(const QString& password) {
    const QByteArray hex =
        QCryptographicHash::hash(qh::text::toGbk(trimBlanks(password)), QCryptographicHash::Md5).toHex();
    return QString::fromLatin1(hex.mid(5, 8));
}

QString prescriptionNumber(const QDateTime& at, int random) {
    return QStringLiteral("CYCF") + at.toString(QStringLiteral("yyMMddHHmmss")) + QString::number(random);
}

QString newPrescriptionNumber() {
    return prescriptionNumber(Clock::now(), QRandomGenerator::global()->bounded(1000, 10000));
}

}  // namespace qh::identity
