#include "common/TimeOfDayText.h"

namespace qh::dates {

QString clockText(const QTime& t) {
    return QString::number(t.hour()) + QStringLiteral("︰") + QString::asprintf("%02d", t.minute()) +
           QStringLiteral("︰") + QString::asprintf("%02d", t.second());
}

QString defaultTimeSlot(int hour) {
    if (hour > 18 && hour <= 22) return QStringLiteral("下8");
    if (hour > 14 && hour <= 18) return QStringLiteral("下4");
    if (hour > 10 && hour <= 14) return QStringLiteral("上12");
    if (hour > 6 && hour <= 10) return QStringLiteral("上8");
    if (hour > 2 && hour <= 6) return QStringLiteral("上4");
    return QStringLiteral("下12");
}

QString chineseNumeral(int n) {
    static const QString digits = QStringLiteral("零一二三四五六七八九");
    if (n < 0 || n > 999) return QString::number(n);
    if (n < 10) return digits[n];
    const int hundreds = n / 100, tens = n / 10 % 10, ones = n % 10;
    QString text;
    if (hundreds > 0) {
        text = digits[hundreds] + QStringLiteral("百");
        if (tens == 0 && ones == 0) return text;
        if (tens == 0) return text + digits[0] + digits[ones];
        text += digits[tens];  // within hundreds the ten keeps its digit: 一百一十
    } else if (tens > 1) {
        text = digits[tens];
    }
    text += QStringLiteral("十");
    if (ones > 0) text += digits[ones];
    return text;
}

QString eventTimeText(const QTime& t) {
    return chineseNumeral(t.hour()) + QStringLiteral("时") + chineseNumeral(t.minute()) + QStringLiteral("分");
}

}  // namespace qh::dates
