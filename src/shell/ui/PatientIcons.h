#pragma once
// The six icons of the patient list (indices as qh::shell::patientIcon gives them): female
// and male, each as adult, elderly and child. Drawn once, so nothing needs shipping beside
// the program.
#include <QFont>
#include <QIcon>

namespace qh::shell {

// 0 female adult, 1 male adult, 2 female elderly, 3 male elderly, 4 female child, 5 male child.
QIcon patientIconImage(int index);

// The fixed-width face of the patient and bed lists, so that the padded bed texts line up.
QFont patientListFont(const QFont& base);

}  // namespace qh::shell
