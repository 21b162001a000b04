// generate DIR [--years N] [--beds B] [--seed S] [--until YYYY-MM-DD]: a new data directory
// holding a synthetic hospital of many years, to measure the program at the size a ward
// reaches (qinghe-emr-bench reads it). Built beside DIR and moved in only when complete.
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include "AdminCommands.h"
#include "ProgressLines.h"
#include "WardBuilding.h"
#include "patients/WardGenerator.h"
#include "store/DataDirectory.h"
#include "store/DatabaseFiles.h"

namespace qh::admin {

int runGenerate(const QStringList& args, QTextStream& out, QTextStream& err) {
    const QString usage = QStringLiteral("usage: qinghe-emr-admin generate DIR [--years N] [--beds B] [--seed S] [--until YYYY-MM-DD]\n");
    patients::WardPlan plan;
    QString dirArg;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        bool ok = true;
        if (a == QStringLiteral("--years") && hasValue) plan.years = args[++i].toInt(&ok);
        else if (a == QStringLiteral("--beds") && hasValue) plan.beds = args[++i].toInt(&ok);
        else if (a == QStringLiteral("--seed") && hasValue) plan.seed = args[++i].toUInt(&ok);
        else if (a == QStringLiteral("--until") && hasValue) {
            plan.lastDay = QDate::fromString(args[++i], Qt::ISODate);
            ok = plan.lastDay.isValid();
        } else if (!a.startsWith(QStringLiteral("--")) && dirArg.isEmpty()) dirArg = a;
        else ok = false;
        if (!ok) {
            err << usage;
            return 2;
        }
    }
    if (dirArg.isEmpty() || plan.years < 1 || plan.years > 50 || plan.beds < 6 || plan.beds > 5000) {
        err << usage << "  --years 1-50, --beds 6-5000\n";
        return 2;
    }
    const QString dir = QDir(dirArg).absolutePath();
    const std::unique_ptr<QTemporaryDir> building = startWardBeside(dir, QStringLiteral("generate"), err);
    if (!building) return 1;
    QElapsedTimer clock;
    clock.start();
    const patients::GeneratedWard ward =
        patients::generateWard(store::DataDirectory(building->path()), plan, timedProgress(out));
    if (!ward.ok) {
        err << "generate: " << ward.message << '\n';
        return 1;
    }
    if (!publishWard(*building, dir, out, err)) return 1;
    out << "generated in " << QString::number(clock.elapsed() / 1000.0, 'f', 1) << " s: " << ward.stays << " stays ("
        << ward.inWard << " in ward, " << ward.pending << " pending settlement, " << ward.discharged << " discharged), "
        << ward.documents << " record documents, " << ward.orderLines << " order lines, " << ward.vitalRows
        << " chart rows, " << ward.frontPages << " front pages, " << ward.users << " accounts (password 123)\n";
    return 0;
}

}  // namespace qh::admin
