#include "common/NumericText.h"

#include <cstdlib>
#include <string>

namespace qh::text {

double val(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    const auto at = [&](qsizetype k) { return k < n ? text[k].unicode() : u'\0'; };
    const auto isDigit = [&](qsizetype k) { return at(k) >= u'0' && at(k) <= u'9'; };
    while (at(i) == u' ' || at(i) == u'\t' || at(i) == u'\r' || at(i) == u'\n') ++i;

    // Collect the longest prefix that reads as a decimal number.
    std::string number;
    if (at(i) == u'+' || at(i) == u'-') number += char(at(i++));
    bool digits = false;
    while (isDigit(i)) { number += char(at(i++)); digits = true; }
    if (at(i) == u'.') {
        number += '.';
        ++i;
        while (isDigit(i)) { number += char(at(i++)); digits = true; }
    }
    if (!digits) return 0.0;
    if (at(i) == u'e' || at(i) == u'E') {
        qsizetype k = i + 1;
        std::string exponent = "e";
        if (at(k) == u'+' || at(k) == u'-') exponent += char(at(k++));
        if (isDigit(k)) {
            while (isDigit(k)) exponent += char(at(k++));
            number += exponent;
        }
    }
    return std::strtod(number.c_str(), nullptr);
}

}  // namespace qh::text
