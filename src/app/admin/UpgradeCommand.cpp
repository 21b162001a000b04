// upgrade DIR: brings the three files of a ward made by an earlier version up to this
// version's schema (new indexes and views, retired ones removed), with progress. The
// workstation does the same at its start; this is for doing it at a quiet hour.
#include <QDir>

#include "AdminCommands.h"
#include "ProgressLines.h"
#include "store/SchemaUpgrade.h"

namespace qh::admin {

int runUpgrade(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1) {
        err << "usage: qinghe-emr-admin upgrade DIR\n";
        return 2;
    }
    const store::UpgradeReport report = store::upgradeDataDirectory(QDir(args.first()).absolutePath(), timedProgress(out));
    for (const QString& change : report.changes) out << change << '\n';
    if (!report.ok) {
        err << "upgrade: " << report.error << '\n';
        return 1;
    }
    out << (report.changes.isEmpty() ? "结构已是最新\n" : "结构已更新\n");
    return 0;
}

}  // namespace qh::admin
