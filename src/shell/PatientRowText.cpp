#include "shell/PatientRowText.h"

#include "common/GbkText.h"

namespace qh::shell {

QString bedText(const QString& bedNumber) {
    return text::padToBytes(bedNumber.trimmed() + QStringLiteral("床"), 5);
}

namespace {

// The numeric prefix of a text, truncated: leading blanks skipped, "12岁" gives 12.
int leadingNumber(const QString& s) {
    int i = 0;
    while (i < s.size() && s[i].isSpace()) ++i;
    int sign = 1;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) sign = (s[i++] == '-') ? -1 : 1;
    qint64 n = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && n < 1000000) n = n * 10 + (s[i++].unicode() - '0');
    return int(sign * n);
}

}  // namespace

int patientIcon(const QString& sex, const QString& age) {
    const QString a = age.trimmed();
    const int years = a.endsWith(QStringLiteral("岁")) ? leadingNumber(a) : 1;
    const bool female = sex == QStringLiteral("女");
    if (years <= 10) return female ? FemaleChild : MaleChild;
    if (years >= 70) return female ? FemaleElderly : MaleElderly;
    return female ? FemaleAdult : MaleAdult;
}

}  // namespace qh::shell
