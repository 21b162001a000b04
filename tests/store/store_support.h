#pragma once
// Shared setup of the store tests: files written for a test, database files opened with
// their own credentials, and query results read back as text.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "support/temp_dir.h"
#include "store/DatabaseFiles.h"
#include "store/ExternalDatabase.h"
#include "store/SchemaCreation.h"

namespace qh::test {

inline QString writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(content);
    return path;
}

inline QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A database file made from the project's schema alone (no seed).
inline void openSchemaFile(store::ExternalDatabase& db, const TempDir& dir, store::DbFile f) {
    const QString path = dir.file(store::fileName(f));
    if (!QFileInfo::exists(path)) {
        QString error;
        const QString sql = store::schemaSql(f, {}, &error);
        EXPECT_FALSE(sql.isEmpty()) << error.toStdString();
        EXPECT_TRUE(store::createSchemaFile(path, f, sql, &error)) << error.toStdString();
    }
    ASSERT_TRUE(db.open(store::DataDirectory(dir.path()), f)) << db.lastError().toStdString();
}

// Every row of a query, cells joined by '|' and rows by '\n'.
inline QString rows(store::ExternalDatabase& db, const QString& sql) {
    QStringList out;
    const store::RecordSet rs = db.query(sql);
    for (; !db.isEof(rs); db.moveNext(rs)) {
        QStringList cells;
        for (int c = 1; c <= db.columnCount(rs); ++c) cells << db.read(rs, c).toText();
        out << cells.join('|');
    }
    db.closeRecordSet(rs);
    return out.join('\n');
}

// The first column of the first row, as text.
inline QString scalar(store::ExternalDatabase& db, const QString& sql) {
    const store::RecordSet rs = db.query(sql);
    const QString v = db.read(rs, 1).toText();
    db.closeRecordSet(rs);
    return v;
}

// A test over a fresh main file made from the schema alone.
class SchemaFileTest : public ::testing::Test {
protected:
    void SetUp() override { openSchemaFile(db, dir, store::DbFile::Main); }
    QString one(const QString& sql) { return scalar(db, sql); }
    TempDir dir;
    store::ExternalDatabase db;
};

}  // namespace qh::test
