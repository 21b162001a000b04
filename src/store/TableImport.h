#pragma once
// Loading code tables, the catalogue and the reference tables from CSV files, and
// recomputing every initials column. Hospitals replace their code tables this way when
// a new edition appears.
#include <QMap>
#include <QString>
#include <QStringList>

#include "store/DatabaseFiles.h"

namespace qh::store {

struct ImportResult {
    bool ok = false;        // false: nothing was changed (error says why)
    QString error;
    int added = 0;
    QStringList rejected;   // "第N行：reason"
};

// The tables that may be imported: ICD10, ICD_10, ICD_SS, ICD_WS, ICD_BL, ddt_costitems,
// FJX, ZYX, ZYNK, XYSM, JBZL.
QStringList importableTables();

// Adds the rows of the CSV file (header row = column names of the table) to the table in
// the data directory. Initials columns the file leaves out or empty are computed from the
// name. A row without its name (or, in a code table, without its code) is rejected, and a
// file whose header lacks either column is refused. With replace, the table's rows are
// removed first, and the whole import is undone when any row is rejected, so that a faulty
// file never leaves a half-replaced table.
ImportResult importTable(const DataDirectory& files, const QString& table, const QString& csvPath,
                         bool replace = false);

struct ReindexResult {
    bool ok = false;
    QString error;
    QMap<QString, int> changed;  // "table.column" -> rows whose initials changed
};

// Recomputes every initials column of the three files, each by its own rule.
ReindexResult reindexAll(const DataDirectory& files);

}  // namespace qh::store
