#include "common/DateText.h"

#include "common/Clock.h"
#include "common/NumericText.h"

#include <QRegularExpression>
#include <cmath>

namespace qh::dates {

QString plainDateText(const QDate& d) {
    if (!d.isValid()) return {};
    return QStringLiteral("%1年%2月%3日").arg(d.year()).arg(d.month()).arg(d.day());
}

QString plainDateText(const QDateTime& dt) {
    if (!dt.isValid()) return {};
    QString text = plainDateText(dt.date());
    const QTime t = dt.time();
    // Midnight is "no time of day"; otherwise the text stops at the last part that is not zero.
    if (t.second() != 0)
        text += QStringLiteral("%1时%2分%3秒").arg(t.hour()).arg(t.minute()).arg(t.second());
    else if (t.minute() != 0)
        text += QStringLiteral("%1时%2分").arg(t.hour()).arg(t.minute());
    else if (t.hour() != 0)
        text += QStringLiteral("%1时").arg(t.hour());
    return text;
}

QDateTime parseDateText(const QString& text) {
    static const QRegularExpression dashed(QStringLiteral(
        R"(^(\d{4})-(\d{1,2})-(\d{1,2})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?$)"));
    static const QRegularExpression plain(QStringLiteral(
        R"(^(\d{4})年(\d{1,2})月(\d{1,2})日\s*(?:(\d{1,2})时(?:(\d{1,2})分(?:(\d{1,2})秒)?)?)?$)"));
    const QString trimmed = text.trimmed();
    QRegularExpressionMatch m = dashed.match(trimmed);
    if (!m.hasMatch()) m = plain.match(trimmed);
    if (!m.hasMatch()) return {};
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!date.isValid() || !time.isValid()) return {};
    return QDateTime(date, time);
}

QString dateWithCurrentTimeText(const QDate& d) {
    if (!d.isValid()) return {};
    const QTime t = Clock::now().time();
    return QString::asprintf("%d-%02d-%02d %02d:%02d:%02d", d.year(), d.month(), d.day(), t.hour(),
                             t.minute(), t.second());
}

QDate birthDateFromAge(const QDate& admission, const QString& ageText, const QString& unit) {
    if (!admission.isValid()) return {};
    const double value = qh::text::val(ageText);
    // Ages past any calendar make no date; the truncated value keeps whole units only.
    if (!std::isfinite(value) || std::fabs(value) > 100000) return {};
    const int age = int(std::trunc(value));
    if (unit == QStringLiteral("月")) return admission.addMonths(-age);
    if (unit == QStringLiteral("天")) return admission.addDays(-age);
    return admission.addYears(-age);
}

}  // namespace qh::dates
