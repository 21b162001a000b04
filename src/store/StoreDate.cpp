#include "store/StoreDate.h"

#include <QRegularExpression>

namespace qh::store {

namespace {

const QRegularExpression& numericForm() {
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{4})[-/](\d{1,2})[-/](\d{1,2})(?:(?:\s+|T)(\d{1,2}):(\d{1,2})(?::(\d{1,2})(?:\.\d+)?)?)?\s*$)"));
    return re;
}

const QRegularExpression& plainForm() {
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{4})年(\d{1,2})月(\d{1,2})日\s*(?:(\d{1,2})时(?:(\d{1,2})分(?:(\d{1,2})秒)?)?)?\s*$)"));
    return re;
}

int capturedInt(const QRegularExpressionMatch& m, int n) {
    const QString s = m.captured(n);
    return s.isEmpty() ? 0 : s.toInt();
}

}  // namespace

std::optional<StoreDate> parseStoreDate(const QString& text) {
    QRegularExpressionMatch m = numericForm().match(text);
    if (!m.hasMatch()) m = plainForm().match(text);
    if (!m.hasMatch()) return std::nullopt;
    const QDate date(capturedInt(m, 1), capturedInt(m, 2), capturedInt(m, 3));
    const int hour = capturedInt(m, 4), minute = capturedInt(m, 5), second = capturedInt(m, 6);
    if (!date.isValid() || !QTime::isValid(hour, minute, second)) return std::nullopt;
    return StoreDate{date, QTime(hour, minute, second)};
}

QString canonicalDateText(const StoreDate& d) {
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", d.date.year(), d.date.month(),
                             d.date.day(), d.time.hour(), d.time.minute(), d.time.second());
}

QString canonicalDateText(const QDateTime& dt) {
    const QTime t = dt.time().isValid() ? dt.time() : QTime(0, 0);
    return canonicalDateText(StoreDate{dt.date(), QTime(t.hour(), t.minute(), t.second())});
}

std::optional<QString> canonicalDateText(const QString& text) {
    const auto parsed = parseStoreDate(text);
    if (!parsed) return std::nullopt;
    return canonicalDateText(*parsed);
}

}  // namespace qh::store
