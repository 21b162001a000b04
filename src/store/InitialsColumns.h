#pragma once
// Which search-initials column each table carries, which column it is made from, and by
// which rule. The seed loader, the import and the reindex all read this one list.
#include <QList>
#include <QString>

#include "store/DatabaseFiles.h"

namespace qh::store {

enum class InitialsRule {
    Bytes,       // the GBK pair rule of patient names and library entries (pinyinInitials)
    Characters,  // one initial per Chinese character, ASCII letters and digits kept (searchInitials)
};

struct InitialsColumn {
    DbFile file;
    QString table;
    QString column;  // the initials column, e.g. JSM
    QString source;  // the name it is made from, e.g. ICDMC
    InitialsRule rule;
    // The code may be typed by hand (the catalogue's 检索码): reindex fills it only where it
    // is empty and leaves a typed code as it is.
    bool typedKept = false;
};

const QList<InitialsColumn>& initialsColumns();
// The entry for a table (case-insensitive), or nullptr when the table has none.
const InitialsColumn* initialsColumnOf(const QString& table);
// Initials of a value by the entry's rule.
QString initialsFor(const InitialsColumn& c, const QString& value);

}  // namespace qh::store
