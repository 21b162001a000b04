// record-export DIR ID OUT: the stored document 编号 ID as .ewd, .pdf or .txt.
#include "AdminCommands.h"
#include "records/documents/RecordExport.h"

namespace qh::admin {

int runRecordExport(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 3) {
        err << "usage: qinghe-emr-admin record-export DIR ID OUT.ewd|OUT.pdf|OUT.txt\n";
        return 2;
    }
    bool number = false;
    const qint64 id = args[1].toLongLong(&number);
    if (!number || id <= 0) {
        err << "not a document number: " << args[1] << '\n';
        return 1;
    }
    QString error;
    if (!records::exportStoredRecord(store::DataDirectory(args[0]), id, args[2], &error)) {
        err << error << '\n';
        return 1;
    }
    out << args[2] << '\n';
    return 0;
}

}  // namespace qh::admin
