#pragma once
// Texts and icons of a row in the patient lists, shared by every window that lists beds.
#include <QString>

namespace qh::shell {

// 床号 trimmed, followed by "床", padded with blanks to 5 GBK bytes ("3" gives "3床  ").
QString bedText(const QString& bed);

// The age that picks the icon: the numeric value (truncated) when 年龄 ends in "岁", else 1
// (ages in months or days are children).
int iconAge(const QString& ageText);

// Icon of the row: women 0 (over 10 and under 70), 4 (10 or under), 2 (70 or over);
// anyone else 1, 5 and 3 in the same bands.
int patientIcon(const QString& sex, const QString& ageText);

}  // namespace qh::shell
