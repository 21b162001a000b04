#pragma once
// The table path: a whole table or the rows meeting a condition, walked and edited
// row by row (settings grids, pick lists, the user editor).
#include <QString>
#include <QVariant>
#include <memory>

#include "store/DatabaseFiles.h"
#include "store/Value.h"

namespace qh::store {

class TableConnection {
public:
    TableConnection();
    ~TableConnection();
    bool open(const QString& path, const QString& password);
    // A file of the data directory with its password.
    bool open(const DataDirectory& files, DbFile file);
    void close();
    bool isOpen() const;

private:
    friend class TableRowSet;
    struct Impl;
    std::unique_ptr<Impl> d;
};

// The rows are read when the set opens; AddNew/SetField/Update and Delete write through
// at once. A deleted row stays current (reading as empty) until the cursor moves on, so
// Delete then MoveNext lands on the following row; RowCount counts the rows not deleted.
// Moving the cursor drops SetField values not yet stored by Update.
class TableRowSet {
public:
    TableRowSet();
    ~TableRowSet();
    void attach(TableConnection& connection);
    bool openTable(const QString& table);
    bool openWhere(const QString& condition, const QString& table);
    void moveFirst();
    void moveNext();
    bool isEof() const;
    int rowCount() const;
    Value readField(const QString& column) const;
    bool addNew();
    bool setField(const QString& column, const QVariant& value);
    bool update();
    bool deleteRow();
    void close();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace qh::store
