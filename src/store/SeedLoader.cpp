#include "store/SeedLoader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "store/ExternalDatabase.h"
#include "store/InitialsColumns.h"
#include "store/SqlText.h"

namespace qh::store {

namespace {

const QString kFilePrefix = QStringLiteral("@file:");

struct Insert {
    QString sql;
    QList<QPair<QString, QByteArray>> binaries;  // column, bytes; the first travels as ?
};

// Adds the initials column when the file leaves it out; fills it where it is empty.
void completeInitials(SeedTable& t) {
    const InitialsColumn* ic = initialsColumnOf(t.table);
    if (!ic) return;
    const auto find = [&](const QString& name) {
        for (int i = 0; i < t.columns.size(); ++i)
            if (t.columns[i].compare(name, Qt::CaseInsensitive) == 0) return i;
        return -1;
    };
    const int source = find(ic->source);
    if (source < 0) return;
    int target = find(ic->column);
    if (target < 0) {
        t.columns << ic->column;
        for (QStringList& row : t.rows) row << QString();
        target = int(t.columns.size()) - 1;
    }
    for (QStringList& row : t.rows)
        if (row[target].isEmpty() && !row[source].isEmpty()) row[target] = initialsFor(*ic, row[source]);
}

bool buildInsert(const SeedTable& t, const QStringList& row, const QDir& base, Insert* out, QString* error) {
    QStringList values;
    QStringList columns;
    for (int i = 0; i < t.columns.size(); ++i) {
        const QString& v = row[i];
        if (v.startsWith(kFilePrefix)) {
            QFile f(base.filePath(v.mid(kFilePrefix.size())));
            if (!f.open(QIODevice::ReadOnly)) {
                *error = "cannot read " + f.fileName();
                return false;
            }
            out->binaries.append({t.columns[i], f.readAll()});
            if (out->binaries.size() > 1) continue;  // set by an UPDATE after the insert
            columns << t.columns[i];
            values << QStringLiteral("?");
            continue;
        }
        columns << t.columns[i];
        values << (v.isNull() ? QStringLiteral("NULL") : "'" + sqlText(v) + "'");
    }
    out->sql = "INSERT INTO " + t.table + " (" + columns.join(',') + ") values (" + values.join(',') + ")";
    return true;
}

bool insertRow(ExternalDatabase& db, const Insert& ins, QString* error) {
    const bool ok = ins.binaries.isEmpty() ? db.Execute(ins.sql) : db.Execute(ins.sql, ins.binaries.first().second);
    if (!ok) {
        *error = db.LastError();
        return false;
    }
    return true;
}

}  // namespace

QString seedTableName(const QString& fileName) {
    static const QRegularExpression numbered(QStringLiteral("^[0-9]+-"));
    QString stem = QFileInfo(fileName).completeBaseName();
    return stem.remove(numbered);
}

QString unescapeSeedField(const QString& field) {
    if (field.isEmpty()) return QString();
    QString out;
    out.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        const QChar c = field[i];
        if (c == '\\' && i + 1 < field.size()) {
            const QChar n = field[++i];
            if (n == 't') out += '\t';
            else if (n == 'n') out += '\n';
            else if (n == 'r') out += '\r';
            else if (n == '\\') out += '\\';
            else out += QString(c) + n;  // not an escape: kept as written
        } else {
            out += c;
        }
    }
    return out;
}

SeedTable parseSeedFile(const QString& path) {
    SeedTable t;
    t.table = seedTableName(path);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        t.error = "cannot read " + path;
        return t;
    }
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    int lineNo = 0;
    for (QString line : lines) {
        ++lineNo;
        if (line.endsWith('\r')) line.chop(1);
        if (lineNo == 1 && line.startsWith(QChar(0xFEFF))) line.remove(0, 1);
        if (line.isEmpty()) continue;
        const QStringList fields = line.split('\t');
        if (t.columns.isEmpty()) {
            for (const QString& name : fields) t.columns << name.trimmed();
            continue;
        }
        if (fields.size() != t.columns.size()) {
            t.error = QStringLiteral("%1 line %2: %3 fields, the header has %4")
                          .arg(QFileInfo(path).fileName()).arg(lineNo).arg(fields.size()).arg(t.columns.size());
            return t;
        }
        QStringList row;
        for (const QString& field : fields) row << unescapeSeedField(field);
        t.rows << row;
    }
    if (t.columns.isEmpty()) t.error = QFileInfo(path).fileName() + ": no header line";
    return t;
}

SeedResult loadSeedDirectory(ExternalDatabase& db, const QString& seedDir) {
    SeedResult result;
    const QDir dir(seedDir);
    const QStringList files = dir.entryList({QStringLiteral("*.tsv")}, QDir::Files, QDir::Name);
    for (const QString& name : files) {
        SeedTable t = parseSeedFile(dir.filePath(name));
        const auto fail = [&](const QString& why) {
            result.error = name + ": " + why;
            return result;
        };
        if (!t.error.isEmpty()) return fail(t.error);
        completeInitials(t);
        if (!db.Execute(QStringLiteral("BEGIN"))) return fail(db.LastError());
        QString error;
        bool ok = true;
        for (const QStringList& row : t.rows) {
            Insert ins;
            ok = buildInsert(t, row, QFileInfo(dir.filePath(name)).dir(), &ins, &error) && insertRow(db, ins, &error);
            const qint64 rowid = ok ? db.LastInsertId() : 0;
            for (int b = 1; ok && b < ins.binaries.size(); ++b) {
                ok = db.Execute("UPDATE " + t.table + " SET " + ins.binaries[b].first + "=? where rowid=" +
                                    QString::number(rowid),
                                ins.binaries[b].second);
                if (!ok) error = db.LastError();
            }
            if (!ok) break;
        }
        if (ok && !db.Execute(QStringLiteral("COMMIT"))) {
            ok = false;
            error = db.LastError();
        }
        if (!ok) {
            db.Execute(QStringLiteral("ROLLBACK"));
            return fail(error);
        }
        result.rows += int(t.rows.size());
    }
    result.ok = true;
    return result;
}

}  // namespace qh::store
