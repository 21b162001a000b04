#pragma once
#include <QString>

namespace qh::text {

// The numeric value of the number a text begins with, 0 when it begins with none: leading
// blanks are skipped, then an optional sign, digits with an optional decimal point and an
// optional exponent ("12床" is 12, " -3.5kg" is -3.5, "abc" is 0). Beds and ages sort and
// count by this value.
double val(const QString& text);

}  // namespace qh::text
