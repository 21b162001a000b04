#pragma once
// The SQLite side shared by both access paths: opening a file after checking its
// credentials record, statement handles, and error texts.
#include <QString>
#include <memory>

#include "store/Value.h"

struct sqlite3;
struct sqlite3_stmt;

namespace qh::store::detail {

struct DbCloser {
    void operator()(sqlite3* db) const;
};
struct StmtFinalizer {
    void operator()(sqlite3_stmt* stmt) const;
};
using DbHandle = std::unique_ptr<sqlite3, DbCloser>;
using StmtHandle = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

// The hidden table that holds the digest of the user and password a file belongs to.
inline constexpr const char* kCredentialsTable = "qh_credentials";
// How long a statement waits for another process's lock before it fails.
inline constexpr int kBusyTimeoutMs = 5000;
QString credentialsDigest(const QString& salt, const QString& user, const QString& password);

// Opens an existing file for reading and writing, without creating or writing anything,
// and only when its credentials record matches user and password. The connection has the
// dialect functions and full synchronous commits. Null with *error set on failure.
DbHandle openCredentialed(const QString& path, const QString& user, const QString& password, QString* error);

// Sets the connection options every store connection has (functions, durability, waiting).
bool configureConnection(sqlite3* db);

// Prepares the first statement of sql; *tail receives what follows it (blank when none).
// Null with *error set when it does not compile; null with *error untouched when sql
// holds no statement (only blanks, comments or semicolons).
StmtHandle prepare(sqlite3* db, const QString& sql, QString* error, QString* tail = nullptr);
QString lastSqliteError(sqlite3* db);

// Binds a value to a marker (1-based): dates as canonical date text, yes/no as 1/0, an
// empty byte string as an empty blob rather than NULL.
bool bindValue(sqlite3_stmt* stmt, int index, const Value& v);

}  // namespace qh::store::detail
