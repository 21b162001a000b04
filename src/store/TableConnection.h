#pragma once
// The table path: a whole table or the rows meeting a condition, walked and edited
// row by row (settings grids, pick lists, the user editor).
#include <QString>
#include <QVariant>
#include <memory>

#include "store/Value.h"

namespace qh::store {

class TableConnection {
public:
    TableConnection();
    ~TableConnection();
    bool Open(const QString& path, const QString& password);
    void Close();
    bool IsOpen() const;

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
    void Attach(TableConnection& connection);
    bool OpenTable(const QString& table);
    bool OpenWhere(const QString& condition, const QString& table);
    void MoveFirst();
    void MoveNext();
    bool IsEOF() const;
    int RowCount() const;
    Value ReadField(const QString& column) const;
    bool AddNew();
    bool SetField(const QString& column, const QVariant& value);
    bool Update();
    bool Delete();
    void Close();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace qh::store
