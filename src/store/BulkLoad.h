#pragma once
// Loading many rows into a file at once (a generated ward, a large import): the indexes
// and column triggers of the tables being loaded are set aside, rows go in through
// statements prepared once, and when the load ends the indexes and triggers are built
// again and the planner's statistics refreshed. Values must already be in the stored
// form (dates canonical, yes/no 1/0): the triggers that would put them so are not there
// while the load runs.
//
// The load holds the file's write lock from open() to finish(): it is for a file nobody
// else uses yet (a ward being built beside its final place).
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "store/Connection.h"
#include "store/DatabaseFiles.h"

namespace qh::store {

class BulkLoad {
public:
    BulkLoad();
    ~BulkLoad();
    BulkLoad(BulkLoad&&) noexcept;
    BulkLoad& operator=(BulkLoad&&) noexcept;

    // Opens a file of the data directory for a load into `tables` (their indexes and
    // triggers are set aside). Not open (and error()) when the file does not open.
    static BulkLoad open(const DataDirectory& files, DbFile file, const QStringList& tables);

    bool isOpen() const;
    QString error() const { return error_; }

    // An INSERT of these columns into one of the tables, prepared once; -1 on failure.
    int prepare(const QString& table, const QStringList& columns);
    // One row through a prepared insert; false (and error()) when it fails. The row's key
    // is lastKey().
    bool insert(int statement, const Params& values);
    qint64 lastKey() const;
    qint64 rowsInserted() const { return inserted_; }

    // Ends the load: commits, builds the indexes and triggers again, refreshes the
    // statistics. `progress` hears the name of each index as it is built.
    bool finish(const std::function<void(const QString&)>& progress = {});

private:
    struct State;
    std::unique_ptr<State> state_;
    QString error_;
    qint64 inserted_ = 0;
};

// ANALYZE: the planner's statistics of every table and index, so it chooses the indexes
// the lists need. Run on a new file and after a large load or import.
bool refreshPlannerStatistics(Connection& db);

}  // namespace qh::store
