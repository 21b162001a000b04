#include "common/NumericText.h"

#include <QRegularExpression>
#include <cmath>

namespace qh::text {

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }
bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

}  // namespace

double val(const QString& text) {
    // Collect the characters of the number (blanks dropped), then let the C locale parse them.
    QString number;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && isBlank(text[i])) ++i;
    };
    auto takeDigits = [&] {
        int count = 0;
        for (skipBlanks(); i < n && isAsciiDigit(text[i]); skipBlanks()) {
            number += text[i++];
            ++count;
        }
        return count;
    };
    skipBlanks();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) number += text[i++];
    int digits = takeDigits();
    if (i < n && text[i] == u'.') {
        number += text[i++];
        digits += takeDigits();
    }
    if (digits == 0) return 0.0;
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        // An exponent counts only when digits follow it ("12e" is 12).
        qsizetype j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < n && (text[j] == u'+' || text[j] == u'-')) exponent += text[j++];
        int expDigits = 0;
        while (j < n && isAsciiDigit(text[j])) {
            exponent += text[j++];
            ++expDigits;
        }
        if (expDigits > 0) number += exponent;
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

StrictNumber parseStrictNumber(const QString& text) {
    StrictNumber n;
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        n.ok = true;
        return n;
    }
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    if (!number.match(t).hasMatch()) return n;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return n;
    n.ok = true;
    n.empty = false;
    n.value = v;
    return n;
}

}  // namespace qh::text
