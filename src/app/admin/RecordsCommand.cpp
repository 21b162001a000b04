// records DIR STAY: the documents of a stay, one a line: 编号, 顺序, 病历, 标题, 病历次数.
#include "AdminCommands.h"
#include "records/documents/PatientRecords.h"
#include "records/documents/RecordExport.h"
#include "store/DatabaseFiles.h"

namespace qh::admin {

int runRecords(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 2) {
        err << "usage: qinghe-emr-admin records DIR STAY\n";
        return 2;
    }
    const store::DataDirectory files(args[0]);
    shell::PatientContext patient;
    if (!records::loadStay(files, args[1], &patient)) {
        err << "no stay " << args[1] << " in " << args[0] << '\n';
        return 1;
    }
    for (const records::StoredRecord& r : records::storedRecords(files, args[1]))
        out << r.id << '\t' << r.order << '\t' << r.name << '\t' << r.title << '\t' << r.copies << '\n';
    return 0;
}

}  // namespace qh::admin
