#include "store/SqlFunctions.h"

#include <sqlite3.h>

#include <cmath>

#include "common/NumericText.h"
#include "store/JetFunctions.h"
#include "store/StoreDate.h"

namespace qh::store {

namespace {

QString argText(sqlite3_value* v) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return QString::fromUtf8(bytes, sqlite3_value_bytes(v));
}

void resultText(sqlite3_context* ctx, const QString& s) {
    const QByteArray utf8 = s.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// NULL and empty text are "no date"; anything else must be a date text.
enum class DateArg { Missing, Invalid, Valid };

DateArg readDateArg(sqlite3_value* v, StoreDate* out) {
    if (sqlite3_value_type(v) == SQLITE_NULL) return DateArg::Missing;
    const QString text = argText(v);
    if (text.trimmed().isEmpty()) return DateArg::Missing;
    const auto parsed = parseStoreDate(text);
    if (!parsed) return DateArg::Invalid;
    *out = *parsed;
    return DateArg::Valid;
}

void qhDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
    StoreDate d;
    switch (readDateArg(argv[0], &d)) {
    case DateArg::Missing: sqlite3_result_null(ctx); return;
    case DateArg::Invalid: {
        const QByteArray msg = ("not a date: " + argText(argv[0])).toUtf8();
        sqlite3_result_error(ctx, msg.constData(), int(msg.size()));
        return;
    }
    case DateArg::Valid: resultText(ctx, canonicalDateText(d)); return;
    }
}

void val(sqlite3_context* ctx, int, sqlite3_value** argv) {
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL: sqlite3_result_null(ctx); return;
    case SQLITE_INTEGER: sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0])); return;
    case SQLITE_FLOAT: sqlite3_result_double(ctx, sqlite3_value_double(argv[0])); return;
    default: break;
    }
    const double value = qh::text::val(argText(argv[0]));
    // Whole numbers come back as integers so that they read and print as such.
    if (value == std::trunc(value) && std::fabs(value) < 9.0e15)
        sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(value));
    else
        sqlite3_result_double(ctx, value);
}

void dateDiff(sqlite3_context* ctx, int, sqlite3_value** argv) {
    StoreDate from, to;
    const DateArg a = readDateArg(argv[1], &from);
    const DateArg b = readDateArg(argv[2], &to);
    if (a == DateArg::Invalid || b == DateArg::Invalid) {
        sqlite3_result_error(ctx, "datediff: not a date", -1);
        return;
    }
    if (a == DateArg::Missing || b == DateArg::Missing || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto diff = jetDateDiff(argText(argv[0]), from, to);
    if (!diff) {
        sqlite3_result_error(ctx, "datediff: unknown interval", -1);
        return;
    }
    sqlite3_result_int64(ctx, *diff);
}

}  // namespace

bool registerDialectFunctions(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_function_v2(db, "qh_date", 1, flags, nullptr, qhDate, nullptr, nullptr, nullptr) == SQLITE_OK
        && sqlite3_create_function_v2(db, "val", 1, flags, nullptr, val, nullptr, nullptr, nullptr) == SQLITE_OK
        && sqlite3_create_function_v2(db, "datediff", 3, flags, nullptr, dateDiff, nullptr, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace qh::store
