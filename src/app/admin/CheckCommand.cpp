// check DIR: are the three files there, sound, theirs, and complete in structure?
#include "AdminCommands.h"
#include "store/FileCheck.h"

namespace qh::admin {

int runCheck(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1) {
        err << "usage: qinghe-emr-admin check DIR\n";
        return 2;
    }
    const store::CheckReport report = store::checkDataDirectory(args.first());
    for (const QString& problem : report.problems) out << problem << '\n';
    if (report.ok()) out << "ok\n";
    return report.ok() ? 0 : 1;
}

}  // namespace qh::admin
