// import DIR TABLE FILE.csv [--replace]: rows of a CSV file (UTF-8 or GBK, header row of
// column names) into a code table, the catalogue or a reference table.
// reindex DIR: every initials column recomputed by its own rule.
#include "AdminCommands.h"
#include "store/TableImport.h"

namespace qh::admin {

int runImport(const QStringList& args, QTextStream& out, QTextStream& err) {
    QStringList positional = args;
    const bool replace = positional.removeAll(QStringLiteral("--replace")) > 0;
    if (positional.size() != 3) {
        err << "usage: qinghe-emr-admin import DIR TABLE FILE.csv [--replace]\n";
        return 2;
    }
    const store::ImportResult r = store::importTable(store::DataDirectory(positional[0]), positional[1], positional[2], replace);
    for (const QString& line : r.rejected) out << QStringLiteral("拒绝 ") << line << '\n';
    if (!r.ok) {
        err << r.error << '\n';
        return 1;
    }
    out << QStringLiteral("添加 %1 行，拒绝 %2 行").arg(r.added).arg(r.rejected.size()) << '\n';
    return 0;
}

int runReindex(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1) {
        err << "usage: qinghe-emr-admin reindex DIR\n";
        return 2;
    }
    const store::ReindexResult r = store::reindexAll(store::DataDirectory(args.first()));
    if (!r.ok) {
        err << r.error << '\n';
        return 1;
    }
    for (auto it = r.changed.cbegin(); it != r.changed.cend(); ++it)
        out << it.key() << '\t' << QStringLiteral("更新 %1 行").arg(it.value()) << '\n';
    return 0;
}

}  // namespace qh::admin
