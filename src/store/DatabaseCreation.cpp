#include "store/DatabaseCreation.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include "store/SqlText.h"
#include "store/SqliteFile.h"

namespace qh::store {

namespace {

QString randomSalt() {
    QByteArray bytes(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
    return QString::fromLatin1(bytes.toHex());
}

bool writeCredentials(sqlite3* db, const QString& user, const QString& password) {
    const QString salt = randomSalt();
    const QString sql =
        QStringLiteral("BEGIN; CREATE TABLE %1 (salt TEXT NOT NULL, digest TEXT NOT NULL);"
                       " INSERT INTO %1 (salt, digest) VALUES ('%2', '%3'); COMMIT;")
            .arg(QLatin1String(detail::kCredentialsTable), sqlText(salt),
                 sqlText(detail::credentialsDigest(salt, user, password)));
    return sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr) == SQLITE_OK
        && sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr) == SQLITE_OK
        && sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace

bool CreateDatabaseFile(const QString& path, const QString& user, const QString& password) {
    const QFileInfo info(path);
    if (path.isEmpty()) return false;
    // Claim the name first, exclusively: an existing file is never touched, and the file
    // removed after a failure is always the one made here. SQLite takes an empty file as
    // an empty database.
    QFile claim(info.absoluteFilePath());
    if (!claim.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
    claim.close();
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(info.absoluteFilePath().toUtf8().constData(), &raw,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    detail::DbHandle db(raw);
    const bool ok = rc == SQLITE_OK && writeCredentials(db.get(), user, password);
    db.reset();
    if (!ok) {
        QFile::remove(info.absoluteFilePath());
        QFile::remove(info.absoluteFilePath() + QStringLiteral("-journal"));
    }
    return ok;
}

}  // namespace qh::store
