// restore DIR FILE: a backup of the main database over the ward's dzbl.mdb. A file that is
// not a sound main database of this program is refused and nothing changes; the current
// file is first kept in DIR/backup/.
#include "AdminCommands.h"
#include "shell/maintenance/BackupRestore.h"
#include "store/DatabaseFiles.h"

namespace qh::admin {

int runRestore(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2) {
        err << "usage: qinghe-emr-admin restore DIR FILE\n";
        return 2;
    }
    const shell::BackupOutcome outcome = shell::restoreFromFile(store::DataDirectory(args[0]), args[1]);
    if (!outcome.ok) {
        err << outcome.message << ' ' << outcome.detail << '\n';
        return 1;
    }
    out << outcome.message << ' ' << outcome.detail << '\n';
    return 0;
}

}  // namespace qh::admin
