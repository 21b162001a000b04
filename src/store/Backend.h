#pragma once
// One open connection of a database engine, as Connection and the table path use it. The
// engine's own types and calls stay behind this interface, inside the store.
#include <QString>
#include <memory>

#include "store/Connection.h"
#include "store/ResultTable.h"

namespace qh::store::detail {

class Backend {
public:
    virtual ~Backend() = default;
    virtual Engine engine() const = 0;

    // statement is already in the engine's dialect. False (and *error) when it fails, does
    // not read, or holds more than one statement.
    virtual bool query(const QString& statement, const Params& params, ResultTable* out, QString* error) = 0;
    virtual ExecResult execute(const QString& statement, const Params& params) = 0;
    virtual ExecResult executeScript(const QString& statements) = 0;

    // Transactions by depth: depth 0 begins the outer one, deeper ones are parts of it.
    virtual bool begin(int depth, QString* error) = 0;
    virtual bool commit(int depth, QString* error) = 0;
    virtual void rollback(int depth) = 0;
    // No transaction open and no statement running: fit to be kept for the next operation.
    virtual bool idle() const = 0;
    // Open transactions on this connection.
    int depth = 0;
};

// Opens an existing SQLite file after checking its credentials record; never creates one.
std::unique_ptr<Backend> openSqliteBackend(const QString& path, const QString& user, const QString& password,
                                           QString* error);

}  // namespace qh::store::detail
