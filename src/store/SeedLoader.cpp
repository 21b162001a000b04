#include "store/SeedLoader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "store/Connection.h"
#include "store/InitialsColumns.h"

namespace qh::store {

namespace {

const QString kFilePrefix = QStringLiteral("@file:");

struct Insert {
    QString sql;    // every value a ? marker
    Params values;
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
    QStringList markers;
    for (int i = 0; i < t.columns.size(); ++i) {
        const QString& v = row[i];
        markers << QStringLiteral("?");
        if (v.startsWith(kFilePrefix)) {
            QFile f(base.filePath(v.mid(kFilePrefix.size())));
            if (!f.open(QIODevice::ReadOnly)) {
                *error = "cannot read " + f.fileName();
                return false;
            }
            out->values.push_back(f.readAll());
        } else if (v.isNull()) {
            out->values.push_back(nullptr);
        } else {
            out->values.push_back(v);
        }
    }
    out->sql = "INSERT INTO " + t.table + " (" + t.columns.join(',') + ") values (" + markers.join(',') + ")";
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

SeedResult loadSeedDirectory(Connection& db, const QString& seedDir) {
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
        Transaction tx(db);
        if (!tx.isActive()) return fail(db.lastError());
        for (const QStringList& row : t.rows) {
            Insert ins;
            QString error;
            if (!buildInsert(t, row, QFileInfo(dir.filePath(name)).dir(), &ins, &error)) return fail(error);
            if (const ExecResult done = db.execute(ins.sql, ins.values); !done) return fail(done.error);
        }
        if (!tx.commit()) return fail(db.lastError());
        result.rows += int(t.rows.size());
    }
    result.ok = true;
    return result;
}

}  // namespace qh::store
