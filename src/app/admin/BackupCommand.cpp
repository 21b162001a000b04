// backup DIR OUT [--all]: the ward's main database to the file OUT (".mdb" appended as the
// backup window does), or with --all the three files into the folder OUT. Safe while the
// workstations write; for scheduled backups.
#include "AdminCommands.h"
#include "shell/maintenance/BackupRestore.h"
#include "store/DatabaseFiles.h"

namespace qh::admin {

int runBackup(const QStringList& args, QTextStream& out, QTextStream& err) {
    QStringList rest = args;
    const bool all = rest.removeAll(QStringLiteral("--all")) > 0;
    if (rest.size() != 2) {
        err << "usage: qinghe-emr-admin backup DIR OUT [--all]\n";
        return 2;
    }
    const store::DataDirectory files(rest[0]);
    const shell::BackupOutcome outcome =
        all ? shell::backupToFolder(files, rest[1]) : shell::backupToFile(files, rest[1], false);
    if (!outcome.ok) {
        err << outcome.message << ' ' << outcome.detail << '\n';
        return 1;
    }
    out << outcome.message << ' ' << outcome.detail << '\n';
    return 0;
}

}  // namespace qh::admin
