// check DIR: are the three files there, sound, theirs, complete in structure, and can
// every stored record document be read? On a large ward it says how far it has come.
#include "AdminCommands.h"
#include "ProgressLines.h"
#include "records/documents/RecordExport.h"
#include "store/FileCheck.h"

namespace qh::admin {

int runCheck(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1) {
        err << "usage: qinghe-emr-admin check DIR\n";
        return 2;
    }
    // Progress goes to err: out stays the list of problems (or "ok") that scripts read.
    const auto progress = timedProgress(err);
    store::CheckReport report = store::checkDataDirectory(args.first(), {}, progress);
    // Every stored record document must still be readable by the editor.
    if (report.ok()) {
        progress(QStringLiteral("dzbl.mdb：读取病历"));
        qint64 shown = 0;
        report.problems << records::unreadableRecords(store::DataDirectory(args.first()),
                                                      [&](qint64 read, qint64 total) {
                                                          if (read - shown < 20000 && read < total) return;
                                                          shown = read;
                                                          progress(QStringLiteral("dzbl.mdb：病历 %1/%2").arg(read).arg(total));
                                                      });
    }
    for (const QString& problem : report.problems) out << problem << '\n';
    if (report.ok()) out << "ok\n";
    return report.ok() ? 0 : 1;
}

}  // namespace qh::admin
