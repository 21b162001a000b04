#include "store/TableImport.h"

#include "store/BulkLoad.h"


#include <algorithm>
#include <cmath>

#include "store/CsvReader.h"
#include "store/DatabaseFiles.h"
#include "store/Connection.h"
#include "store/InitialsColumns.h"
#include "store/SqlText.h"

namespace qh::store {

namespace {

struct TableHome {
    const char* table;
    DbFile file;
    const char* codeColumn;  // a code table's code, which every row must carry; null elsewhere
};

const TableHome kImportable[] = {
    {"ICD10", DbFile::Coding, "BM"},   {"ICD_10", DbFile::Coding, "BM"}, {"ICD_SS", DbFile::Coding, "BM"},
    {"ICD_WS", DbFile::Coding, "BM"},  {"ICD_BL", DbFile::Coding, "BM"}, {"JBZL", DbFile::Coding, nullptr},
    {"ddt_costitems", DbFile::Main, nullptr},
    {"FJX", DbFile::Reference, nullptr},  {"ZYX", DbFile::Reference, nullptr},
    {"ZYNK", DbFile::Reference, nullptr}, {"XYSM", DbFile::Reference, nullptr},
};

struct ColumnInfo {
    QString name;
    QString type;  // declared type, upper case
    bool key = false;
};

QList<ColumnInfo> columnsOf(Connection& db, const QString& table) {
    QList<ColumnInfo> out;
    for (const Row& row : db.query("PRAGMA table_info(" + table + ")"))
        out << ColumnInfo{row.text("name"), row.text("type").toUpper(), row.integer("pk") != 0};
    return out;
}

bool isNumericType(const QString& type) {
    return type.contains("INT") || type.contains("REAL") || type.contains("DOUB") ||
           type.contains("FLOA") || type.contains("NUM");
}

Connection openOrExplain(const DataDirectory& files, DbFile file, QString* error) {
    Connection db = Connection::open(files, file);
    if (!db.isOpen()) *error = QStringLiteral("无法打开数据库 %1：%2").arg(files.path(file), db.lastError());
    return db;
}

}  // namespace

QStringList importableTables() {
    QStringList out;
    for (const auto& t : kImportable) out << t.table;
    return out;
}

ImportResult importTable(const DataDirectory& files, const QString& tableName, const QString& csvPath,
                         bool replace) {
    ImportResult result;
    const TableHome* home = nullptr;
    for (const auto& t : kImportable)
        if (tableName.compare(t.table, Qt::CaseInsensitive) == 0) home = &t;
    if (!home) {
        result.error = QStringLiteral("不能导入表 %1（可导入：%2）")
                           .arg(tableName, importableTables().join("、"));
        return result;
    }
    const QString table = home->table;

    const CsvContent csv = readCsvFile(csvPath);
    if (!csv.ok) {
        result.error = csv.error;
        return result;
    }
    if (csv.records.isEmpty()) {
        result.error = QStringLiteral("文件没有标题行");
        return result;
    }

    Connection db = openOrExplain(files, home->file, &result.error);
    if (!db.isOpen()) return result;
    const QList<ColumnInfo> columns = columnsOf(db, table);
    if (columns.isEmpty()) {
        result.error = QStringLiteral("数据库中没有表 %1").arg(table);
        return result;
    }

    // Map the header onto the table's columns.
    QList<ColumnInfo> header;
    for (const QString& raw : csv.records.first().fields) {
        const QString name = raw.trimmed();
        auto it = std::find_if(columns.begin(), columns.end(), [&](const ColumnInfo& c) {
            return c.name.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (it == columns.end()) {
            result.error = QStringLiteral("表 %1 没有列 %2").arg(table, name);
            return result;
        }
        if (std::any_of(header.begin(), header.end(),
                        [&](const ColumnInfo& c) { return c.name == it->name; })) {
            result.error = QStringLiteral("列 %1 在标题行中出现两次").arg(name);
            return result;
        }
        header << *it;
    }

    const InitialsColumn* initials = initialsColumnOf(table);
    int sourceIndex = -1, initialsIndex = -1;
    for (int i = 0; i < header.size(); ++i) {
        if (initials && header[i].name.compare(initials->source, Qt::CaseInsensitive) == 0) sourceIndex = i;
        if (initials && header[i].name.compare(initials->column, Qt::CaseInsensitive) == 0) initialsIndex = i;
    }
    // A row is found by its name (the source of its initials) and a code row is used for its
    // code: a file without either column cannot fill the table.
    QStringList required;
    if (initials) required << initials->source;
    if (home->codeColumn) required << QString::fromLatin1(home->codeColumn);
    QList<int> requiredIndexes;
    for (const QString& name : required) {
        const auto it = std::find_if(header.begin(), header.end(), [&](const ColumnInfo& c) {
            return c.name.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (it == header.end()) {
            result.error = QStringLiteral("标题行缺少列 %1").arg(name);
            return result;
        }
        requiredIndexes << int(it - header.begin());
    }
    QStringList columnNames;
    for (const auto& c : header) columnNames << c.name;
    const bool addInitials = initials && sourceIndex >= 0 && initialsIndex < 0;
    if (addInitials) columnNames << initials->column;

    Transaction tx(db);
    if (!tx.isActive()) {
        result.error = db.lastError();
        return result;
    }
    if (replace && !db.execute("delete from " + table)) {
        result.error = db.lastError();
        return result;
    }
    QStringList markers;
    for (int i = 0; i < columnNames.size(); ++i) markers << QStringLiteral("?");
    const QString insert =
        "INSERT INTO " + table + " (" + columnNames.join(',') + ") values (" + markers.join(',') + ")";
    for (qsizetype r = 1; r < csv.records.size(); ++r) {
        const CsvRecord& rec = csv.records[r];
        auto reject = [&](const QString& why) {
            result.rejected << QStringLiteral("第%1行：%2").arg(rec.line).arg(why);
        };
        if (rec.fields.size() != header.size()) {
            reject(QStringLiteral("有%1列，标题行有%2列").arg(rec.fields.size()).arg(header.size()));
            continue;
        }
        const auto empty = std::find_if(requiredIndexes.begin(), requiredIndexes.end(),
                                        [&](int i) { return rec.fields[i].trimmed().isEmpty(); });
        if (empty != requiredIndexes.end()) {
            reject(QStringLiteral("列 %1 为空").arg(header[*empty].name));
            continue;
        }
        Params values;
        bool bad = false;
        for (int i = 0; i < header.size(); ++i) {
            QString v = rec.fields[i].trimmed();
            if (i == initialsIndex && v.isEmpty() && sourceIndex >= 0)
                v = initialsFor(*initials, rec.fields[sourceIndex].trimmed());
            if (v.isEmpty()) {
                values.push_back(nullptr);
                continue;
            }
            if (isNumericType(header[i].type)) {
                bool isNumber = false;
                // "nan" and "inf" read as numbers but are none a column can hold.
                isNumber = std::isfinite(v.toDouble(&isNumber)) && isNumber;
                if (!isNumber) {
                    reject(QStringLiteral("列 %1 的值“%2”不是数字").arg(header[i].name, v));
                    bad = true;
                    break;
                }
            }
            values.push_back(v);
        }
        if (bad) continue;
        if (addInitials) values.push_back(initialsFor(*initials, rec.fields[sourceIndex].trimmed()));
        const ExecResult done = db.execute(insert, values);
        if (done) {
            ++result.added;
        } else if (done.rowRefused) {
            reject(done.error);
        } else {
            // Disk full, I/O, a lock, a read-only file: SQLite may already have undone the
            // transaction, so nothing after this row could be trusted. The whole import ends
            // here and is undone, with the real reason.
            result.error = QStringLiteral("第%1行写入失败，导入已全部撤销，表 %2 保持原样：%3")
                               .arg(rec.line)
                               .arg(table, done.error);
            result.added = 0;
            result.rejected.clear();
            return result;
        }
    }
    if (replace && !result.rejected.isEmpty()) {
        result.error = QStringLiteral("有%1行被拒绝，表 %2 保持原样").arg(result.rejected.size()).arg(table);
        result.added = 0;
        return result;
    }
    if (!tx.commit()) {
        result.error = db.lastError();
        result.added = 0;
        return result;
    }
    // The rows are in; the planner's statistics follow them (a failure here loses nothing).
    refreshPlannerStatistics(db);
    result.ok = true;
    return result;
}

ReindexResult reindexAll(const DataDirectory& files) {
    ReindexResult result;
    for (DbFile file : allDbFiles()) {
        Connection db = openOrExplain(files, file, &result.error);
        if (!db.isOpen()) return result;
        Transaction tx(db);
        if (!tx.isActive()) {
            result.error = db.lastError();
            return result;
        }
        for (const InitialsColumn& c : initialsColumns()) {
            if (c.file != file) continue;
            int changed = 0;
            const Rows rows = db.query("select rowid as qh_row," + c.source + "," + c.column + " from " + c.table);
            // A table or column the file lacks is an error, not a column with nothing to change.
            if (!rows.ok()) {
                result.error = QStringLiteral("%1：%2").arg(fileName(file), rows.error());
                return result;
            }
            for (const Row& row : rows) {
                if (c.typedKept && !row.value(2).toText().trimmed().isEmpty()) continue;
                const QString fresh = initialsFor(c, row.value(1).toText().trimmed());
                if (fresh == row.value(2).toText()) continue;
                const ExecResult done =
                    db.execute("UPDATE " + c.table + " SET " + c.column + "=? where rowid=?", {fresh, row.value(0)});
                if (!done) {
                    result.error = done.error;
                    return result;
                }
                ++changed;
            }
            result.changed[c.table + "." + c.column] = changed;
        }
        if (!tx.commit()) {
            result.error = db.lastError();
            return result;
        }
    }
    result.ok = true;
    return result;
}

}  // namespace qh::store
