#pragma once
// Making a new, empty database file. SQLite has no database passwords, so a file records
// at creation a digest of the user and password it belongs to; Open checks against it and
// refuses a file without that record.
#include <QString>

namespace qh::store {

// Creates a new empty file at path holding only the credentials record. Refuses (false,
// nothing touched) when something already exists at path; a failed creation leaves no file.
bool CreateDatabaseFile(const QString& path, const QString& user, const QString& password);

}  // namespace qh::store
