#pragma once
// The text and icon of one patient-list row.
#include <QString>

namespace qh::shell {

// Icons of the patient list, by sex and age band.
enum PatientIcon {
    FemaleAdult = 0, MaleAdult = 1, FemaleElderly = 2, MaleElderly = 3, FemaleChild = 4, MaleChild = 5
};

// 床号 trimmed, followed by "床", padded with blanks to 5 GBK bytes.
QString bedText(const QString& bedNumber);
// The icon for 性别 and 年龄: an age in "岁" counts by its number, any other age as 1;
// 10 or under is a child, 70 or over elderly. Anyone not "女" gets the male icons.
int patientIcon(const QString& sex, const QString& age);

}  // namespace qh::shell
