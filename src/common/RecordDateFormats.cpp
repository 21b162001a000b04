// The date formats of the record placeholders and form aliases (DateText.h).
#include "common/DateText.h"

#include <QHash>
#include <functional>

namespace qh::dates {

QString dayText(const QDate& d) { return plainDateText(d); }

QString dayHourText(const QDateTime& dt) {
    if (!dt.isValid()) return {};
    return dayText(dt.date()) + QStringLiteral("%1时").arg(dt.time().hour());
}

QString dayHourMinuteText(const QDateTime& dt) {
    if (!dt.isValid()) return {};
    return dayText(dt.date()) + QStringLiteral("%1时%2分").arg(dt.time().hour()).arg(dt.time().minute());
}

QString dashDateText(const QDate& d) {
    if (!d.isValid()) return {};
    return QStringLiteral("%1-%2-%3").arg(d.year()).arg(d.month()).arg(d.day());
}

int halfDayHour(const QTime& t) { return t.hour() >= 12 ? t.hour() - 12 : t.hour(); }

QString dashDateHalfDayText(const QDateTime& dt) {
    if (!dt.isValid()) return {};
    const QString half = dt.time().hour() >= 12 ? QStringLiteral("Pm") : QStringLiteral("Am");
    return dashDateText(dt.date()) + QStringLiteral("-%1").arg(halfDayHour(dt.time())) + half;
}

QString dashDateClockText(const QDateTime& dt) {
    if (!dt.isValid()) return {};
    return dashDateText(dt.date()) + QString::asprintf(" %02d", halfDayHour(dt.time())) +
           QStringLiteral("：") + QString::asprintf("%02d", dt.time().minute());
}

int daysSince(const QDateTime& admission, const QDateTime& now) {
    // Integer division truncates toward zero: the part of a day is dropped.
    return int(admission.secsTo(now) / 86400);
}

QString datePlaceholderValue(const QString& name, const QDateTime& admission, const QDateTime& now) {
    using Format = std::function<QString(const QDateTime&, const QDateTime&)>;
    // Each value with its placeholder and its form alias.
    static const QHash<QString, Format> formats = [] {
        QHash<QString, Format> f;
        const auto add = [&f](const char* placeholder, const char* alias, Format format) {
            f.insert(QString::fromUtf8(placeholder), format);
            f.insert(QString::fromUtf8(alias), format);
        };
        add("{天数}", "TS", [](const QDateTime& a, const QDateTime& n) {
            return a.isValid() && n.isValid() ? QString::number(daysSince(a, n)) : QStringLiteral("");
        });
        add("{日期5}", "RQ5", [](const QDateTime&, const QDateTime& n) { return dayText(n.date()); });
        add("{日期4}", "RQ4", [](const QDateTime&, const QDateTime& n) { return dayHourText(n); });
        add("{日期3}", "RQ3", [](const QDateTime&, const QDateTime& n) { return dayHourMinuteText(n); });
        add("{日期2}", "RQ2", [](const QDateTime&, const QDateTime& n) { return dashDateText(n.date()); });
        add("{日期1}", "RQ1", [](const QDateTime&, const QDateTime& n) { return dashDateHalfDayText(n); });
        add("{日期}", "RQ", [](const QDateTime&, const QDateTime& n) { return dashDateClockText(n); });
        add("{入院日期}", "RYRQ", [](const QDateTime& a, const QDateTime&) { return dayHourMinuteText(a); });
        add("{入院日期1}", "RYRQ1", [](const QDateTime& a, const QDateTime&) { return dayHourText(a); });
        add("{入院日期2}", "RYRQ2", [](const QDateTime& a, const QDateTime&) { return dayText(a.date()); });
        add("{入院日期3}", "RYRQ3", [](const QDateTime& a, const QDateTime&) { return dashDateText(a.date()); });
        add("{入院日期4}", "RYRQ4", [](const QDateTime& a, const QDateTime&) { return dashDateClockText(a); });
        add("{入院日期5}", "RYRQ5", [](const QDateTime& a, const QDateTime&) { return dashDateHalfDayText(a); });
        return f;
    }();
    const auto it = formats.constFind(name);
    if (it == formats.constEnd()) return {};
    const QString value = (*it)(admission, now);
    return value.isNull() ? QStringLiteral("") : value;
}

}  // namespace qh::dates
