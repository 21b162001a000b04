// print DIR STAY --<sheet> ...: prints one of a stay's sheets to PDF. Each sheet has its own
// file; this one only routes by the option naming the sheet.
#include "AdminCommands.h"

namespace qh::admin {

int runPrint(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.contains(QStringLiteral("--frontpage"))) return runPrintFrontPage(args, out, err);
    err << "usage: qinghe-emr-admin print DIR STAY --frontpage OUT.pdf [--format 1|2]\n";
    return 2;
}

}  // namespace qh::admin
