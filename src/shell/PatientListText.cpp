#include "shell/PatientListText.h"

#include "common/GbkText.h"
#include "common/NumericText.h"

#include <algorithm>
#include <cmath>

namespace qh::shell {

QString bedText(const QString& bed) {
    return qh::text::padToBytes(bed.trimmed() + QStringLiteral("床"), 5);
}

int iconAge(const QString& ageText) {
    if (!ageText.endsWith(QStringLiteral("岁"))) return 1;
    const double value = std::trunc(qh::text::val(ageText));
    // Clamp so that an absurd age text still picks a band instead of overflowing.
    return int(std::clamp(value, -1000.0, 1000.0));
}

int patientIcon(const QString& sex, const QString& ageText) {
    const int age = iconAge(ageText);
    const int band = age <= 10 ? 2 : (age >= 70 ? 1 : 0);  // 0 adult, 1 elderly, 2 child
    static constexpr int kWoman[] = {0, 2, 4};
    static constexpr int kOther[] = {1, 3, 5};
    return sex.trimmed() == QStringLiteral("女") ? kWoman[band] : kOther[band];
}

}  // namespace qh::shell
