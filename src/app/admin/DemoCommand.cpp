// demo DIR: a fresh data directory, as init makes it, with a ward to try the program on.
// The ward is built in a folder beside DIR and moved in only when complete, so a full disk
// or a kill never leaves a half-built ward (with the published demo passwords) under DIR.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "AdminCommands.h"
#include "WardBuilding.h"
#include "frontpage/DemoFrontPages.h"
#include "orders/DemoOrders.h"
#include "patients/DemoWard.h"
#include "records/documents/DemoRecords.h"
#include "records/library/DemoLibrary.h"
#include "store/DataDirectory.h"
#include "store/DatabaseFiles.h"
#include "vitals/DemoVitals.h"

namespace qh::admin {

int runDemo(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1) {
        err << "usage: qinghe-emr-admin demo DIR\n";
        return 2;
    }
    const QString dir = QDir(args.first()).absolutePath();
    const std::unique_ptr<QTemporaryDir> building = startWardBeside(dir, QStringLiteral("demo"), err);
    if (!building) return 1;
    const store::DataDirectory files(building->path());
    const patients::DemoWardResult ward = patients::populateDemoWard(files);
    if (!ward.ok) {
        err << "demo ward: " << ward.message << '\n';
        return 1;
    }
    const orders::DemoOrdersResult orders = orders::populateDemoOrders(files);
    if (!orders.ok) {
        err << "demo orders: " << orders.message << '\n';
        return 1;
    }
    const vitals::DemoVitalsResult vitals = vitals::populateDemoVitals(files);
    if (!vitals.ok) {
        err << "demo vital signs: " << vitals.message << '\n';
        return 1;
    }
    const records::DemoRecordsResult documents = records::populateDemoRecords(files);
    if (!documents.ok) {
        err << "demo records: " << documents.message << '\n';
        return 1;
    }
    if (const records::DemoLibraryResult library = records::populateDemoLibrary(files); !library.ok) {
        err << "demo library: " << library.message << '\n';
        return 1;
    }
    const frontpage::DemoFrontPagesResult frontPages = frontpage::populateDemoFrontPages(files);
    if (!frontPages.ok) {
        err << "demo front pages: " << frontPages.message << '\n';
        return 1;
    }
    if (!publishWard(*building, dir, out, err)) return 1;
    out << "demo ward: " << ward.inWard << " in ward, " << ward.pending << " pending settlement, " << ward.discharged
        << " discharged, " << documents.documents << " record documents\n"
        << "vital signs: " << vitals.patients << " patients, " << vitals.rows << " chart rows\n"
        << "demo orders: " << orders.lines << " order lines, " << orders.prescriptions << " herbal prescriptions\n"
        << "front pages: " << frontPages.frontPages << "\n"
        << "accounts (user / department / level / password):\n";
    for (const patients::DemoAccount& a : patients::demoAccounts())
        out << "  " << a.name << " / " << a.department << " / " << a.level << " / " << a.password << '\n';
    return 0;
}

}  // namespace qh::admin
