// sql FILE STATEMENT: one statement in the ward's dialect, through the store's own classes.
// A SELECT prints a header line and one tab-separated line per row; it runs on a
// connection that cannot write, so looking into a ward's data never changes it.
#include <QRegularExpression>

#include "AdminCommands.h"
#include "store/DatabaseFiles.h"
#include "store/ExternalDatabase.h"
#include "store/StoreDate.h"

namespace qh::admin {

namespace {

using store::Value;
using store::ValueType;

// Statements that answer with rows: SELECT (and WITH … SELECT, VALUES, EXPLAIN) and a
// PRAGMA that only reads ("PRAGMA user_version", "pragma table_info(科室)"). They run on a
// read-only connection, so a wrong guess fails instead of writing.
bool isReading(const QString& sql) {
    static const QRegularExpression rows(QStringLiteral("^[\\s(]*(select|with|values|explain)\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression pragma(QStringLiteral("^\\s*pragma\\b[^=]*$"),
                                           QRegularExpression::CaseInsensitiveOption);
    return rows.match(sql).hasMatch() || pragma.match(sql).hasMatch();
}

// A PRAGMA given a value changes how the file or the connection works (journal_mode=WAL
// would turn the ward's one-file database into three files for good). Only the pragmas that
// take a table or a count to report on may have an argument.
bool setsPragma(const QString& sql) {
    static const QRegularExpression assigning(QStringLiteral("^\\s*pragma\\s+(?:\\w+\\.)?(\\w+)\\s*(=|\\()"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QStringList reporting{"table_info",      "table_xinfo",      "index_list", "index_info",
                                       "index_xinfo",     "foreign_key_list", "integrity_check",
                                       "quick_check",     "foreign_key_check"};
    const QRegularExpressionMatch m = assigning.match(sql);
    return m.hasMatch() && !reporting.contains(m.captured(1).toLower());
}

// Tabs and line breaks inside a value would break the line format: written as escapes.
QString escaped(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (c == '\\') out += QStringLiteral("\\\\");
        else if (c == '\t') out += QStringLiteral("\\t");
        else if (c == '\n') out += QStringLiteral("\\n");
        else if (c == '\r') out += QStringLiteral("\\r");
        else out += c;
    }
    return out;
}

// Numbers and yes/no print as Value's own text (2.5, 3, 1); dates as stored, not as the
// plain date text; blobs by their size.
QString cellText(const Value& v) {
    switch (v.type()) {
    case ValueType::DateTime: return store::canonicalDateText(v.toDateTime());
    case ValueType::Binary: return QStringLiteral("<%1 bytes>").arg(v.toBytes().size());
    case ValueType::Text: return escaped(v.toText());
    default: return v.toText();
    }
}

QString oneLine(const QString& text) { return QString(text).replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" ")); }

int printSelect(store::ExternalDatabase& db, const QString& sql, QTextStream& out, QTextStream& err) {
    // The store's connection opens for writing; this one is made unable to.
    if (!db.execute(QStringLiteral("PRAGMA query_only=1"))) {
        err << "cannot open read-only: " << oneLine(db.lastError()) << '\n';
        return 1;
    }
    const store::RecordSet rs = db.query(sql);
    if (!db.lastError().isEmpty()) {
        err << oneLine(db.lastError()) << '\n';
        db.closeRecordSet(rs);
        return 1;
    }
    const int columns = db.columnCount(rs);
    QStringList header;
    for (int c = 1; c <= columns; ++c) header << db.columnName(rs, c);
    out << header.join('\t') << '\n';
    for (db.moveFirst(rs); !db.isEof(rs); db.moveNext(rs)) {
        QStringList cells;
        for (int c = 1; c <= columns; ++c) cells << cellText(db.read(rs, c));
        out << cells.join('\t') << '\n';
    }
    db.closeRecordSet(rs);
    return 0;
}

}  // namespace

int runSql(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2) {
        err << "usage: qinghe-emr-admin sql FILE STATEMENT\n";
        return 2;
    }
    const QString& file = args[0];
    const QString& sql = args[1];
    const auto which = store::dbFileOf(file);
    if (!which) {
        err << file << ": not one of dzbl.mdb, ZYBD.mdb, fwqdz.mdb\n";
        return 1;
    }
    if (setsPragma(sql)) {
        err << "不允许用 sql 改变数据库文件的设置：" << oneLine(sql) << '\n';
        return 1;
    }
    store::ExternalDatabase db;
    if (!db.open(file, QString::fromUtf8(store::kDbUser), store::password(*which))) {
        err << "cannot open " << file << ": " << oneLine(db.lastError()) << '\n';
        return 1;
    }
    int status = 0;
    if (isReading(sql)) {
        status = printSelect(db, sql, out, err);
    } else if (db.execute(sql)) {
        out << "ok\n";
    } else {
        err << oneLine(db.lastError()) << '\n';
        status = 1;
    }
    db.close();
    return status;
}

}  // namespace qh::admin
