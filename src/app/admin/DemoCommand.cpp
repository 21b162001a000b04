// demo DIR: a fresh data directory, as init makes it, with a ward to try the program on.
#include "AdminCommands.h"
#include "orders/DemoOrders.h"
#include "patients/DemoWard.h"
#include "store/DataDirectory.h"
#include "store/DatabaseFiles.h"

namespace qh::admin {

int runDemo(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1) {
        err << "usage: qinghe-emr-admin demo DIR\n";
        return 2;
    }
    const store::PrepareResult created = store::createDataFiles(args.first());
    if (created.status != store::PrepareResult::Created) {
        err << created.message << '\n';
        return 1;
    }
    const patients::DemoWardResult ward = patients::populateDemoWard(store::DataDirectory(args.first()));
    if (!ward.ok) {
        err << "demo ward: " << ward.message << '\n';
        return 1;
    }
    const orders::DemoOrdersResult orders = orders::populateDemoOrders(store::DataDirectory(args.first()));
    if (!orders.ok) {
        err << "demo orders: " << orders.message << '\n';
        return 1;
    }
    out << created.message << '\n'
        << "demo ward: " << ward.inWard << " in ward, " << ward.pending << " pending settlement, " << ward.discharged
        << " discharged\n"
        << "demo orders: " << orders.lines << " order lines, " << orders.prescriptions << " herbal prescriptions\n"
        << "accounts (user / department / level / password):\n";
    for (const patients::DemoAccount& a : patients::demoAccounts())
        out << "  " << a.name << " / " << a.department << " / " << a.level << " / " << a.password << '\n';
    return 0;
}

}  // namespace qh::admin
