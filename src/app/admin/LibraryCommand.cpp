// library DIR list USER KIND [DOCUMENT] [--shared] [--search TEXT]: the entries the user sees,
//   one a line: 编号, name, group, owner, 私有/共享.
// library DIR show KIND ID: the entry's text.
// library DIR export KIND ID OUT.ewd|OUT.pdf|OUT.odt|OUT.docx|OUT.txt: the entry to a file.
// KIND is disease, sample, related, module or surgery.
#include <QFile>

#include "AdminCommands.h"
#include "interaction/ScriptedUserInterface.h"
#include "records/editor/DocumentFiles.h"
#include "records/editor/PagePrinter.h"
#include "records/library/TemplateLibrary.h"
#include "records/templates/DocumentPort.h"
#include "records/templates/TemplateSettings.h"

namespace qh::admin {

namespace {

bool kindOf(const QString& name, records::LibraryKind* kind) {
    static const QStringList names{"disease", "sample", "related", "module", "surgery"};
    const int i = names.indexOf(name);
    if (i < 0) return false;
    *kind = records::LibraryKind(i);
    return true;
}

int usage(QTextStream& err) {
    err << "usage: qinghe-emr-admin library DIR list USER KIND [DOCUMENT] [--shared] [--search TEXT]\n"
           "       qinghe-emr-admin library DIR show KIND ID\n"
           "       qinghe-emr-admin library DIR export KIND ID OUT.ewd|OUT.pdf|OUT.odt|OUT.docx|OUT.txt\n"
           "       KIND: disease, sample, related, module, surgery\n";
    return 2;
}

// Opens the entry as the library editor shows it; false with the program's message.
bool openEntry(const store::DataDirectory& files, records::LibraryKind kind, qint64 id,
               records::RecordDocumentPort& doc, QTextStream& err) {
    ui::ScriptedUserInterface quiet;
    records::TemplateLibrary library(files, shell::UserContext{}, quiet);
    records::LibraryEntry entry;
    entry.kind = kind;
    entry.id = id;
    entry.name = QString::number(id);
    if (library.openEntry(entry, doc, records::loadTemplateSettings(files).paper)) return true;
    err << quiet.lastText() << '\n';
    return false;
}

}  // namespace

int runLibrary(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() < 4) return usage(err);
    const store::DataDirectory files(args[0]);
    const QString action = args[1];
    records::LibraryKind kind;
    if (action == QLatin1String("list")) {
        if (!kindOf(args[3], &kind)) return usage(err);
        shell::UserContext user;
        user.userName = args[2];
        records::LibraryContext context;
        bool shared = false;
        QString search;
        for (int i = 4; i < args.size(); ++i) {
            if (args[i] == QLatin1String("--shared"))
                shared = true;
            else if (args[i] == QLatin1String("--search") && i + 1 < args.size())
                search = args[++i];
            else
                context.documentName = args[i];
        }
        ui::ScriptedUserInterface quiet;
        records::TemplateLibrary library(files, user, quiet);
        for (const records::LibraryEntry& e : library.list(kind, !shared, context, search))
            out << e.id << '\t' << e.label() << '\t' << e.group << '\t' << e.owner << '\t'
                << (kind == records::LibraryKind::Related ? QString()
                    : e.isPrivate                         ? QStringLiteral("私有")
                                                          : QStringLiteral("共享"))
                << '\n';
        return 0;
    }
    if (!kindOf(args[2], &kind)) return usage(err);
    bool ok = false;
    const qint64 id = args[3].toLongLong(&ok);
    if (!ok) return usage(err);
    records::RecordDocumentPort doc;
    if (action == QLatin1String("show")) {
        if (!openEntry(files, kind, id, doc, err)) return 1;
        out << doc.document().body()->toPlainText() << '\n';
        return 0;
    }
    if (action != QLatin1String("export") || args.size() != 5) return usage(err);
    if (!openEntry(files, kind, id, doc, err)) return 1;
    const QString path = args[4];
    const QString lower = path.toLower();
    QString error;
    bool written = false;
    if (lower.endsWith(QStringLiteral(".ewd"))) {
        written = records::saveDocumentFile(path, doc.document(), &error);
    } else if (lower.endsWith(QStringLiteral(".pdf"))) {
        written = records::exportPdf(doc.document(), path, &error);
    } else if (lower.endsWith(QStringLiteral(".odt")) || lower.endsWith(QStringLiteral(".docx"))) {
        written = records::saveWordProcessorFile(path, doc.document(), &error);
    } else if (lower.endsWith(QStringLiteral(".txt"))) {
        QFile file(path);
        written = file.open(QIODevice::WriteOnly) && file.write(doc.document().body()->toPlainText().toUtf8() + '\n') >= 0;
        if (!written) error = QStringLiteral("无法写入文件：") + path;
    } else {
        error = QStringLiteral("不支持的文件类型：") + path;
    }
    if (!written) {
        err << QStringLiteral("文件保存失败！") << ' ' << error << '\n';
        return 1;
    }
    out << QStringLiteral("文件保存成功！") << ' ' << path << '\n';
    return 0;
}

}  // namespace qh::admin
