#pragma once
// A database file made from the project's schema alone (no seed), opened for a test.
#include <gtest/gtest.h>

#include <QDir>

#include "support/TempDir.h"
#include "store/DatabaseFiles.h"
#include "store/ExternalDatabase.h"
#include "store/SchemaCreation.h"

namespace qh::test {

inline QString schemaFilePath(const TempDir& dir, store::DbFile f) {
    const QString path = dir.file(store::fileName(f));
    if (!QFileInfo::exists(path)) {
        QString error;
        const QString sql = store::schemaSql(f, {}, &error);
        EXPECT_FALSE(sql.isEmpty()) << error.toStdString();
        EXPECT_TRUE(store::createSchemaFile(path, f, sql, &error)) << error.toStdString();
    }
    return path;
}

inline void openSchemaFile(store::ExternalDatabase& db, const TempDir& dir, store::DbFile f) {
    ASSERT_TRUE(db.Open(schemaFilePath(dir, f), QString::fromUtf8(store::kDbUser), store::password(f)))
        << db.LastError().toStdString();
}

// The first column of the first row, as text.
inline QString scalar(store::ExternalDatabase& db, const QString& sql) {
    const store::RecordSet rs = db.Query(sql);
    const QString v = db.Read(rs, 1).toText();
    db.CloseRecordSet(rs);
    return v;
}

}  // namespace qh::test
