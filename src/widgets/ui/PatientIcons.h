#pragma once
// The six icons of the patient list (indices as qh::patients::patientIcon gives them): female
// and male, each as adult, elderly and child. Drawn once, so nothing needs shipping beside
// the program.
#include <QIcon>

namespace qh::widgets {

// 0 female adult, 1 male adult, 2 female elderly, 3 male elderly, 4 female child, 5 male child.
QIcon patientIcon(int index);

}  // namespace qh::widgets
