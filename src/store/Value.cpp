#include "store/Value.h"

#include <QLocale>
#include <cmath>
#include <limits>

#include "common/DateText.h"
#include "common/NumericText.h"

namespace qh::store {

namespace {

qint64 truncateToInt(double v) {
    if (!std::isfinite(v)) return 0;
    if (v >= 9.2e18) return std::numeric_limits<qint64>::max();
    if (v <= -9.2e18) return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(std::trunc(v));
}

// Plain decimal, as short as round-trips, never in exponent form: 2.5, 3, 0.1.
QString plainDecimal(double v) {
    if (!std::isfinite(v)) return QString();
    return QLocale::c().toString(v, 'f', QLocale::FloatingPointShortest);
}

bool textMeansTrue(const QString& text) {
    const QString t = text.trimmed();
    static const QStringList yes = {QStringLiteral("true"), QStringLiteral("yes"), QStringLiteral("on"),
                                    QStringLiteral("是"), QStringLiteral("真"), QStringLiteral("√")};
    return yes.contains(t, Qt::CaseInsensitive) || qh::text::val(t) != 0.0;
}

}  // namespace

Value Value::text(const QString& v) { return Value(ValueType::Text, v); }
Value Value::integer(qint64 v) { return Value(ValueType::Integer, v); }
Value Value::real(double v) { return Value(ValueType::Real, v); }
Value Value::boolean(bool v) { return Value(ValueType::Boolean, v); }
Value Value::dateTime(const QDateTime& v) { return Value(ValueType::DateTime, v); }
Value Value::binary(const QByteArray& v) { return Value(ValueType::Binary, v); }

QString Value::toText() const {
    switch (type_) {
    case ValueType::Null: return QString();
    case ValueType::Text: return v_.toString();
    case ValueType::Integer: return QString::number(v_.toLongLong());
    case ValueType::Real: return plainDecimal(v_.toDouble());
    case ValueType::Boolean: return v_.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case ValueType::DateTime: return qh::dates::plainDateText(v_.toDateTime());
    case ValueType::Binary: return QString::fromUtf8(v_.toByteArray());
    }
    return QString();
}

qint64 Value::toInt() const {
    switch (type_) {
    case ValueType::Null:
    case ValueType::DateTime: return 0;
    case ValueType::Integer: return v_.toLongLong();
    case ValueType::Real: return truncateToInt(v_.toDouble());
    case ValueType::Boolean: return v_.toBool() ? 1 : 0;
    case ValueType::Text:
    case ValueType::Binary: return truncateToInt(qh::text::val(toText()));
    }
    return 0;
}

double Value::toDouble() const {
    switch (type_) {
    case ValueType::Null:
    case ValueType::DateTime: return 0.0;
    case ValueType::Integer: return double(v_.toLongLong());
    case ValueType::Real: return v_.toDouble();
    case ValueType::Boolean: return v_.toBool() ? 1.0 : 0.0;
    case ValueType::Text:
    case ValueType::Binary: return qh::text::val(toText());
    }
    return 0.0;
}

bool Value::toBool() const {
    switch (type_) {
    case ValueType::Null:
    case ValueType::DateTime: return false;
    case ValueType::Integer: return v_.toLongLong() != 0;
    case ValueType::Real: return v_.toDouble() != 0.0;
    case ValueType::Boolean: return v_.toBool();
    case ValueType::Text:
    case ValueType::Binary: return textMeansTrue(toText());
    }
    return false;
}

QDateTime Value::toDateTime() const {
    if (type_ == ValueType::DateTime) return v_.toDateTime();
    if (type_ == ValueType::Text || type_ == ValueType::Binary) return qh::dates::parseDateText(toText());
    return QDateTime();
}

QByteArray Value::toBytes() const {
    if (type_ == ValueType::Binary) return v_.toByteArray();
    if (type_ == ValueType::Null) return QByteArray();
    return toText().toUtf8();
}

}  // namespace qh::store
