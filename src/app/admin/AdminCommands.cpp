#include "AdminCommands.h"

namespace qh::admin {

const QList<AdminCommand>& adminCommands() {
    static const QList<AdminCommand> commands = {
        {QStringLiteral("init"), QStringLiteral("DIR"), runInit},
        {QStringLiteral("sql"), QStringLiteral("FILE STATEMENT"), runSql},
        {QStringLiteral("check"), QStringLiteral("DIR"), runCheck},
        {QStringLiteral("upgrade"), QStringLiteral("DIR"), runUpgrade},
        {QStringLiteral("import"), QStringLiteral("DIR TABLE FILE.csv [--replace]"), runImport},
        {QStringLiteral("reindex"), QStringLiteral("DIR"), runReindex},
        {QStringLiteral("demo"), QStringLiteral("DIR"), runDemo},
        {QStringLiteral("generate"), QStringLiteral("DIR [--years N] [--beds B] [--seed S] [--until YYYY-MM-DD]"), runGenerate},
        {QStringLiteral("backup"), QStringLiteral("DIR OUT [--all]"), runBackup},
        {QStringLiteral("restore"), QStringLiteral("DIR FILE | DIR FOLDER --all"), runRestore},
        {QStringLiteral("records"), QStringLiteral("DIR STAY"), runRecords},
        {QStringLiteral("record-new"), QStringLiteral("DIR STAY KEY [--user NAME] [--at \"YYYY-MM-DD HH:MM\"]"), runRecordNew},
        {QStringLiteral("record-export"), QStringLiteral("DIR ID OUT.ewd|OUT.pdf|OUT.txt"), runRecordExport},
        {QStringLiteral("library"), QStringLiteral("DIR list USER KIND [DOC] [--shared] [--search TEXT] | show KIND ID | export KIND ID OUT"), runLibrary},
        {QStringLiteral("reference"), QStringLiteral("DIR formula|herb|internal|drug|disease [TEXT]"), runReference},
        {QStringLiteral("print"), QStringLiteral("DIR STAY --chart|--long|--temporary OUT.pdf|OUT.tsv [--page N] [--at \"YYYY-MM-DD HH:MM\"]; "
                                               "DIR STAY[,STAY...] --cards \"YYYY-MM-DD\" [--option 所有|长期|临时] OUT.pdf|OUT.tsv; "
                                               "DIR STAY --frontpage OUT.pdf [--format 1|2]"), runPrint},
        {QStringLiteral("orders"), QStringLiteral("DIR STAY USER enter 长期|临时 FILE.tsv | herbal USAGE DOSES FILE.tsv | list 长期|临时|草药 | execute|stop|void|delete|positive|negative SID | reorganise | postop [FILE.tsv]"), runOrders},
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
