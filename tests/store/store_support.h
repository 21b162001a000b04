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

// Opens one of a ward's files in dir with the credentials its name calls for.
inline bool openWardFile(store::ExternalDatabase& db, const QString& dir, store::DbFile f) {
    return db.Open(QDir(dir).filePath(store::fileName(f)), QString::fromUtf8(store::kDbUser), store::password(f));
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
    ASSERT_TRUE(openWardFile(db, dir.path(), f)) << db.LastError().toStdString();
}

// Every row of a query, cells joined by '|' and rows by '\n'.
inline QString rows(store::ExternalDatabase& db, const QString& sql) {
    QStringList out;
    const store::RecordSet rs = db.Query(sql);
    for (; !db.IsEOF(rs); db.MoveNext(rs)) {
        QStringList cells;
        for (int c = 1; c <= db.ColumnCount(rs); ++c) cells << db.Read(rs, c).toText();
        out << cells.join('|');
    }
    db.CloseRecordSet(rs);
    return out.join('\n');
}

// The first column of the first row, as text.
inline QString scalar(store::ExternalDatabase& db, const QString& sql) {
    const store::RecordSet rs = db.Query(sql);
    const QString v = db.Read(rs, 1).toText();
    db.CloseRecordSet(rs);
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
