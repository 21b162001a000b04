#pragma once
#include <QString>

namespace qh::text {

// The numeric value of the number a text begins with, 0 when it begins with none: blanks
// are skipped, then an optional sign, digits with an optional decimal point and an
// optional exponent (e or d) are read up to the first other character ("12床" is 12,
// " -3.5kg" is -3.5, "abc" is 0). Blanks inside the number are skipped too ("1 2" is 12).
// Beds and ages sort and count by this value, in code as in SQL (Val), so both use this one.
double val(const QString& text);

// Strict numbers for values written into number columns: an empty text is no value (NULL),
// a decimal number ("2", "-0.5", ".5", "1.") is its value, anything else is refused.
struct StrictNumber {
    bool ok = false;    // empty or a number
    bool empty = true;  // no value
    double value = 0;
};
StrictNumber parseStrictNumber(const QString& text);

}  // namespace qh::text
