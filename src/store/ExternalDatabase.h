#pragma once
// The SQL path with record-set handles: open, query into record sets, move a cursor, read,
// execute, close. The ward's stored statements and the tools that run a statement typed by
// an administrator use it; operations of the program use Connection (Connection.h), which
// this class is built on.
#include <QByteArray>
#include <QString>
#include <map>

#include "store/Connection.h"
#include "store/Value.h"

namespace qh::store {

// A handle to the result of one query, owned by the ExternalDatabase that ran it.
using RecordSet = int;

class ExternalDatabase {
public:
    // Fails (false, nothing created) when the file is missing or the credentials are not
    // the file's. A successful open replaces a connection still held; a failed one keeps it.
    bool open(const QString& path, const QString& user, const QString& password);
    // A file of the data directory with its fixed user and password.
    bool open(const DataDirectory& files, DbFile file);
    bool isOpen() const { return connection_.isOpen(); }

    // A failed query or one without rows gives a record set already at its end.
    RecordSet query(const QString& sql);
    void moveFirst(RecordSet rs);
    void moveNext(RecordSet rs);
    void moveLast(RecordSet rs);
    bool isEof(RecordSet rs) const;
    Value read(RecordSet rs, const QString& column) const;
    Value read(RecordSet rs, int position) const;  // 1-based
    int columnCount(RecordSet rs) const;
    QString columnName(RecordSet rs, int position) const;  // 1-based
    void closeRecordSet(RecordSet rs);

    // INSERT, UPDATE, DELETE (or DDL). False on failure, with nothing of its own changed.
    bool execute(const QString& sql);
    bool execute(const QString& sql, const QByteArray& binary);  // bound to the single ?
    // Several statements separated by ";": all of them or, when one fails, none.
    bool executeScript(const QString& sql);
    // Of the last successful execute: the key an INSERT generated, the rows it changed.
    qint64 lastInsertId() const { return lastInsertId_; }
    qint64 rowsChanged() const { return rowsChanged_; }
    QString lastError() const { return error_; }

    void close();

private:
    struct Cursor {
        Rows rows;
        int row = 0;
    };
    bool take(Connection opened);
    const Cursor* find(RecordSet rs) const;
    bool record(const ExecResult& result);

    Connection connection_;
    std::map<RecordSet, Cursor> sets_;
    RecordSet nextHandle_ = 1;  // never reused, so a stale handle cannot reach a newer result
    qint64 lastInsertId_ = 0;
    qint64 rowsChanged_ = 0;
    QString error_;
};

}  // namespace qh::store
