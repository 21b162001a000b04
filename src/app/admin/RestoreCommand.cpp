// restore DIR FILE: a backup of the main database over the ward's dzbl.mdb. A file that is
// not a sound main database of this program is refused and nothing changes; the current
// file is first kept in DIR/backup/. restore DIR FOLDER --all: the three files of a folder
// made by "backup DIR FOLDER --all", all checked before any is replaced.
#include "AdminCommands.h"
#include "shell/maintenance/BackupRestore.h"
#include "store/DatabaseFiles.h"

namespace qh::admin {

int runRestore(const QStringList& args, QTextStream& out, QTextStream& err) {
    QStringList rest = args;
    const bool all = rest.removeAll(QStringLiteral("--all")) > 0;
    if (rest.size() != 2) {
        err << "usage: qinghe-emr-admin restore DIR FILE | DIR FOLDER --all\n";
        return 2;
    }
    const store::DataDirectory files(rest[0]);
    const shell::BackupOutcome outcome =
        all ? shell::restoreFromFolder(files, rest[1]) : shell::restoreFromFile(files, rest[1]);
    if (!outcome.ok) {
        err << outcome.message << ' ' << outcome.detail << '\n';
        return 1;
    }
    out << outcome.message << ' ' << outcome.detail << '\n';
    return 0;
}

}  // namespace qh::admin
