#pragma once
// A typed value read from a database column. NULL and "no row" both read as the
// column type's empty value, so callers never need to test for NULL first.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace qh::store {

enum class ValueType { Null, Text, Integer, Real, Boolean, DateTime, Binary };

class Value {
public:
    Value() = default;
    static Value text(const QString& v);
    static Value integer(qint64 v);
    static Value real(double v);
    static Value boolean(bool v);
    static Value dateTime(const QDateTime& v);
    static Value binary(const QByteArray& v);

    ValueType type() const { return type_; }
    bool isNull() const { return type_ == ValueType::Null; }

    // Text of the value: a date-time gives the plain date text ("2016年3月5日8时30分"),
    // binary gives its bytes taken as UTF-8, a number its plain decimal text.
    QString toText() const;
    // Integer: a floating value truncates toward zero (2.9 -> 2, -2.9 -> -2); text takes Val().
    qint64 toInt() const;
    double toDouble() const;
    bool toBool() const;
    QDateTime toDateTime() const;
    QByteArray toBytes() const;

private:
    Value(ValueType type, QVariant v) : type_(type), v_(std::move(v)) {}
    ValueType type_ = ValueType::Null;
    QVariant v_;
};

}  // namespace qh::store
