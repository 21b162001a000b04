#include "store/SqlDialect.h"

#include "store/StoreDate.h"

#include <QRegularExpression>

namespace qh::store {

namespace {

// Index just past the quoted run that starts at `start` with `open` and ends with `close`;
// a doubled closing character inside stays part of the run ('O''Brien').
qsizetype endOfQuoted(const QString& sql, qsizetype start, QChar close) {
    qsizetype i = start + 1;
    while (i < sql.size()) {
        if (sql[i] == close) {
            if (close != u']' && i + 1 < sql.size() && sql[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return sql.size();
}

// A #…# literal: the store's own date forms, or the month/day/year order Jet reads in
// "#3/5/2016#" and "#3/5/2016 8:30#" (5 March).
std::optional<QString> literalDate(const QString& text) {
    if (auto canonical = canonicalDateText(text)) return canonical;
    static const QRegularExpression monthFirst(
        QStringLiteral(R"(^\s*(\d{1,2})/(\d{1,2})/(\d{4})((?:\s+\d{1,2}:\d{1,2}(?::\d{1,2})?)?)\s*$)"));
    const QRegularExpressionMatch m = monthFirst.match(text);
    if (!m.hasMatch()) return std::nullopt;
    return canonicalDateText(m.captured(3) + u'-' + m.captured(1) + u'-' + m.captured(2) + m.captured(4));
}

// #…# literals become quoted canonical date texts; everything else SQLite reads as is.
QString translateForSqlite(const QString& sql) {
    QString out;
    out.reserve(sql.size() + 16);
    qsizetype i = 0;
    const qsizetype n = sql.size();
    while (i < n) {
        const QChar c = sql[i];
        qsizetype end = i + 1;
        if (c == u'\'' || c == u'"' || c == u'`') {
            end = endOfQuoted(sql, i, c);
        } else if (c == u'[') {
            end = endOfQuoted(sql, i, u']');
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            end = sql.indexOf(u'\n', i);
            end = end < 0 ? n : end;
        } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            end = sql.indexOf(QStringLiteral("*/"), i + 2);
            end = end < 0 ? n : end + 2;
        } else if (c == u'#') {
            const qsizetype close = sql.indexOf(u'#', i + 1);
            if (close > i) {
                if (const auto canonical = literalDate(sql.mid(i + 1, close - i - 1))) {
                    out += u'\'' + *canonical + u'\'';
                    i = close + 1;
                    continue;
                }
            }
        }
        out += QStringView(sql).mid(i, end - i);
        i = end;
    }
    return out;
}

}  // namespace

QString translateSql(const QString& sql, Engine target) {
    switch (target) {
    case Engine::Sqlite: return translateForSqlite(sql);
    }
    return sql;
}

}  // namespace qh::store
