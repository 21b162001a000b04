// init DIR: the three database files of a new ward, with schema and seed content.
#include "AdminCommands.h"
#include "store/DataDirectory.h"

namespace qh::admin {

int runInit(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1) {
        err << "usage: qinghe-emr-admin init DIR\n";
        return 2;
    }
    const store::PrepareResult r = store::createDataFiles(args.first());
    if (r.status != store::PrepareResult::Created) {
        err << r.message << '\n';
        return 1;
    }
    out << r.message << '\n';
    return 0;
}

}  // namespace qh::admin
