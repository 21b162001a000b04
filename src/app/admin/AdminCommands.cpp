#include "AdminCommands.h"

namespace qh::admin {

const QList<AdminCommand>& adminCommands() {
    static const QList<AdminCommand> commands = {
        {QStringLiteral("init"), QStringLiteral("DIR"), runInit},
        {QStringLiteral("sql"), QStringLiteral("FILE STATEMENT"), runSql},
        {QStringLiteral("check"), QStringLiteral("DIR"), runCheck},
        {QStringLiteral("import"), QStringLiteral("DIR TABLE FILE.csv [--replace]"), runImport},
        {QStringLiteral("reindex"), QStringLiteral("DIR"), runReindex},
        {QStringLiteral("demo"), QStringLiteral("DIR"), runDemo},
        {QStringLiteral("report"), QStringLiteral("DIR N --from YYYY-MM-DD --to YYYY-MM-DD [--dept NAME] [--doctor NAME] [--variant 1-4] [--png OUT.png|--pdf OUT.pdf]"), runReport},
    };
    return commands;
}

int dispatch(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (!args.isEmpty()) {
        for (const AdminCommand& c : adminCommands())
            if (c.name == args.first()) return c.run(args.mid(1), out, err);
    }
    err << "usage:\n";
    for (const AdminCommand& c : adminCommands()) err << "  qinghe-emr-admin " << c.name << ' ' << c.usage << '\n';
    err.flush();
    return 2;
}

}  // namespace qh::admin
