// check DIR: are the three files there, sound, theirs, complete in structure, and can
// every stored record document be read?
#include "AdminCommands.h"
#include "records/documents/RecordExport.h"
#include "store/FileCheck.h"

namespace qh::admin {

int runCheck(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1) {
        err << "usage: qinghe-emr-admin check DIR\n";
        return 2;
    }
    store::CheckReport report = store::checkDataDirectory(args.first());
    // Every stored record document must still be readable by the editor.
    if (report.ok()) report.problems << records::unreadableRecords(store::DataDirectory(args.first()));
    for (const QString& problem : report.problems) out << problem << '\n';
    if (report.ok()) out << "ok\n";
    return report.ok() ? 0 : 1;
}

}  // namespace qh::admin
