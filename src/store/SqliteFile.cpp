#include "store/SqliteFile.h"

#include "store/GbkCollation.h"

#include <sqlite3.h>

#include <QCryptographicHash>
#include <QFileInfo>

#include "store/SqlFunctions.h"
#include "store/StoreDate.h"

namespace qh::store::detail {

void DbCloser::operator()(sqlite3* db) const { sqlite3_close_v2(db); }
void StmtFinalizer::operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }

QString credentialsDigest(const QString& salt, const QString& user, const QString& password) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(salt.toUtf8());
    hash.addData(QByteArrayView("\x1f", 1));
    hash.addData(user.toUtf8());
    hash.addData(QByteArrayView("\x1f", 1));
    hash.addData(password.toUtf8());
    return QString::fromLatin1(hash.result().toHex());
}

QString lastSqliteError(sqlite3* db) { return QString::fromUtf8(sqlite3_errmsg(db)); }

bool bindValue(sqlite3_stmt* stmt, int index, const Value& v) {
    int rc = SQLITE_OK;
    switch (v.type()) {
    case ValueType::Null: rc = sqlite3_bind_null(stmt, index); break;
    case ValueType::Integer:
    case ValueType::Boolean: rc = sqlite3_bind_int64(stmt, index, v.toInt()); break;
    case ValueType::Real: rc = sqlite3_bind_double(stmt, index, v.toDouble()); break;
    case ValueType::DateTime: {
        const QByteArray utf8 = canonicalDateText(v.toDateTime()).toUtf8();
        rc = sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        break;
    }
    case ValueType::Text: {
        const QByteArray utf8 = v.toText().toUtf8();
        rc = sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        break;
    }
    case ValueType::Binary: {
        const QByteArray bytes = v.toBytes();
        rc = bytes.isEmpty() ? sqlite3_bind_zeroblob(stmt, index, 0)
                             : sqlite3_bind_blob64(stmt, index, bytes.constData(), sqlite3_uint64(bytes.size()),
                                                   SQLITE_TRANSIENT);
        break;
    }
    }
    return rc == SQLITE_OK;
}


StmtHandle prepare(sqlite3* db, const QString& sql, QString* error, QString* tail) {
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* rest = nullptr;
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt, &rest) != SQLITE_OK) {
        if (error) *error = lastSqliteError(db);
        sqlite3_finalize(stmt);
        return nullptr;
    }
    if (tail) *tail = rest ? QString::fromUtf8(rest, utf8.constData() + utf8.size() - rest) : QString();
    return StmtHandle(stmt);
}

bool configureConnection(sqlite3* db) {
    sqlite3_busy_timeout(db, 5000);
    // FULL: a commit reported as done survives a power cut. The journal stays a rollback
    // journal (never WAL) so that the database is always one self-contained file.
    return registerDialectFunctions(db) && registerGbkCollation(db)
        && sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr) == SQLITE_OK;
}

namespace {

bool credentialsMatch(sqlite3* db, const QString& user, const QString& password, QString* error) {
    const QString sql = QStringLiteral("SELECT salt, digest FROM %1").arg(QLatin1String(kCredentialsTable));
    StmtHandle stmt = prepare(db, sql, error);
    if (!stmt) return false;  // not a database, or not one of ours
    int rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        const QString salt = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0)));
        const QString digest = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 1)));
        if (credentialsDigest(salt, user, password) == digest) return true;
    }
    if (error) *error = rc == SQLITE_DONE ? QStringLiteral("wrong user or password") : lastSqliteError(db);
    return false;
}

}  // namespace

DbHandle openCredentialed(const QString& path, const QString& user, const QString& password, QString* error) {
    if (!QFileInfo(path).isFile()) {
        if (error) *error = QStringLiteral("no database file at ") + path;
        return nullptr;
    }
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFileInfo(path).absoluteFilePath().toUtf8().constData(), &raw,
                                   SQLITE_OPEN_READWRITE, nullptr);
    DbHandle db(raw);
    if (rc != SQLITE_OK) {
        if (error) *error = raw ? lastSqliteError(raw) : QStringLiteral("cannot open ") + path;
        return nullptr;
    }
    // Another workstation may be committing while this one opens: the credentials check
    // waits for it like every later statement instead of failing at once.
    sqlite3_busy_timeout(db.get(), 5000);
    if (!credentialsMatch(db.get(), user, password, error)) return nullptr;
    if (!configureConnection(db.get())) {
        if (error) *error = lastSqliteError(db.get());
        return nullptr;
    }
    return db;
}

}  // namespace qh::store::detail
