// reference DIR KIND [TEXT]: the reference base as the reference windows show it. Without
// TEXT the kind's whole tree; with TEXT the entries found by name or initials, or the text
// of the one entry found (an entry of exactly that name is the one).
#include "AdminCommands.h"
#include "reference/ReferenceBase.h"
#include "store/Connection.h"

namespace qh::admin {

namespace {

using reference::Kind;
using reference::ReferenceBase;
using reference::TreeNode;

void printTree(const ReferenceBase& base, Kind kind, const QList<TreeNode>& nodes, int depth, QTextStream& out) {
    for (const TreeNode& n : nodes) {
        out << QString(depth * 2, QLatin1Char(' ')) << n.text;
        if (n.isLeaf()) out << "\t#" << n.id;
        out << '\n';
        printTree(base, kind, base.children(kind, n), depth + 1, out);
    }
}

QString lines(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

}  // namespace

int runReference(const QStringList& args, QTextStream& out, QTextStream& err) {
    const auto kind = args.size() >= 2 ? reference::kindNamed(args[1]) : std::nullopt;
    if (args.size() < 2 || args.size() > 3 || !kind) {
        err << "usage: qinghe-emr-admin reference DIR formula|herb|internal|drug|disease [TEXT]\n";
        return 2;
    }
    const store::DataDirectory files(args[0]);
    {
        const auto file = *kind == Kind::Disease ? store::DbFile::Coding : store::DbFile::Reference;
        store::Connection db = store::Connection::open(files, file);
        if (!db.isOpen()) {
            err << db.lastError() << '\n';
            return 1;
        }
    }
    const ReferenceBase base(files);
    if (args.size() == 2) {
        printTree(base, *kind, base.roots(*kind), 0, out);
        return 0;
    }
    const QList<reference::Entry> found = base.search(*kind, args[2]);
    const reference::Entry* one = found.size() == 1 ? &found.first() : nullptr;
    for (const reference::Entry& e : found)
        if (e.name == args[2].trimmed()) one = &e;
    if (found.isEmpty()) {
        err << "没有找到：" << args[2] << '\n';
        return 1;
    }
    if (!one) {
        for (const reference::Entry& e : found) out << e.id << '\t' << e.name << '\n';
        return 0;
    }
    out << lines(base.detail(*kind, one->id)) << '\n';
    if (*kind == Kind::Formula) out << '\n' << lines(base.formulaAnalysis(one->id)) << '\n';
    if (*kind == Kind::Herb) out << '\n' << lines(base.herbFormulae(one->id));
    return 0;
}

}  // namespace qh::admin
