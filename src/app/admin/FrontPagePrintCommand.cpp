// print DIR STAY --frontpage OUT.pdf [--format 1|2]: the stay's saved front page on the
// western (1) or TCM (2) form, the hospital's setting when no format is given.
#include "AdminCommands.h"
#include "frontpage/FrontPagePrint.h"
#include "records/editor/PagePrinter.h"
#include "records/editor/RecordDocument.h"
#include "store/Connection.h"

namespace qh::admin {

int runPrintFrontPage(const QStringList& args, QTextStream& out, QTextStream& err) {
    const auto usage = [&] {
        err << "usage: qinghe-emr-admin print DIR STAY --frontpage OUT.pdf [--format 1|2]\n";
        return 2;
    };
    const qsizetype at = args.indexOf(QStringLiteral("--frontpage"));
    if (args.size() < 4 || at != 2 || at + 1 >= args.size()) return usage();
    const store::DataDirectory files(args[0]);
    const QString serial = args[1], path = args[at + 1];
    int format = 0;
    const QStringList rest = args.mid(at + 2);
    if (!rest.isEmpty()) {
        if (rest.size() != 2 || rest[0] != QStringLiteral("--format") ||
            (rest[1] != QStringLiteral("1") && rest[1] != QStringLiteral("2")))
            return usage();
        format = rest[1].toInt();
    }

    shell::UserContext user;
    {
        store::Connection db = store::Connection::open(files, store::DbFile::Main);
        if (!db.isOpen()) {
            err << db.lastError() << '\n';
            return 1;
        }
        const store::Row row = db.query(QStringLiteral("select * from 备份")).first();
        user.hospitalName = row.text(QStringLiteral("医院名称"));
        user.organisationCode = row.text(QStringLiteral("IP地址"));
        user.frontPageFormat = int(row.integer(QStringLiteral("精灵狗")));
    }
    if (format == 0) format = user.frontPageFormat == 2 ? 2 : 1;
    shell::PatientContext patient;
    if (!frontpage::loadPatientBySerial(files, serial, &patient)) {
        err << "no stay " << serial << '\n';
        return 1;
    }
    records::RecordDocument doc;
    QString error;
    if (!frontpage::buildFrontPageDocument(files, user, patient, format, doc, &error) ||
        !records::exportPdf(doc, path, &error)) {
        err << error << '\n';
        return 1;
    }
    out << path << '\n';
    return 0;
}

}  // namespace qh::admin
