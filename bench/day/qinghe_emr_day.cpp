// qinghe-emr-day DIR [--patients N] [--shots DIR]: a ward's day in the workstation, to see its memory.
// The main window with every feature, as the busiest doctor of the busiest department,
// goes through N patients (the department's in-ward patients, then its recent
// discharges), and for each shows the record page and opens each of the stay's documents,
// then the orders, the temperature chart, the order sheets and the front page, as a doctor
// going round would. Every 25 patients a
// line: patients so far, seconds, resident memory now and at its peak. Only reads.
// --shots saves the window as each page shows the first patient (page-N.png).
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTextStream>

#include "app/features/WorkstationFeatures.h"
#include "interaction/ScriptedUserInterface.h"
#include "records/ui/RecordPage.h"
#include "shell/MainCommands.h"
#include "shell/ui/MainWindow.h"
#include "store/Connection.h"
#include "store/DataDirectory.h"

using namespace qh;

namespace {

double peakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

double currentRssMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout), err(stderr);
    const QStringList args = app.arguments().mid(1);
    QString dir, shots;
    int count = 200;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--patients") && i + 1 < args.size()) count = qMax(1, args[++i].toInt());
        else if (args[i] == QStringLiteral("--shots") && i + 1 < args.size()) shots = args[++i];
        else if (dir.isEmpty()) dir = args[i];
    }
    if (dir.isEmpty()) {
        err << "usage: qinghe-emr-day DIR [--patients N] [--shots DIR]\n";
        return 2;
    }
    const store::DataDirectory files(dir);
    std::vector<std::pair<qint64, shell::PatientStatus>> patients;
    shell::UserContext user;
    {
        store::Connection db = store::Connection::open(files, store::DbFile::Main);
        if (!db.isOpen()) {
            err << "dzbl.mdb: " << db.lastError() << '\n';
            return 1;
        }
        user.department = db.query(QStringLiteral("select 科室 from 在院病人 group by 科室 order by count(*) desc limit 1"))
                              .first().value(0).toText();
        user.userName = db.query(QStringLiteral("select 主管医生 from 在院病人 where 科室=? and 状态='在院' "
                                                "group by 主管医生 order by count(*) desc limit 1"),
                                 {user.department})
                            .first().value(0).toText();
        for (const store::Row& r : db.query(QStringLiteral("select 编号 from 在院病人 where 科室=? and 状态='在院' order by 编号"),
                                            {user.department}))
            patients.push_back({r.integer(QStringLiteral("编号")), shell::PatientStatus::InWard});
        for (const store::Row& r : db.query(QStringLiteral("select 编号 from 在院病人 where 科室=? and 状态='出院' "
                                                           "order by 出院日期 DESC, 编号 DESC limit 201"),
                                            {user.department}))
            patients.push_back({r.integer(QStringLiteral("编号")), shell::PatientStatus::Discharged});
    }
    if (patients.empty()) {
        err << "the department has no patients\n";
        return 1;
    }
    user.grantAll();
    // Questions (none are expected: nothing is changed) are answered as cancelled.
    ui::ScriptedUserInterface quiet;
    shell::MainWindow main(user, files, quiet);
    app::installWorkstationFeatures(main);
    main.resize(1440, 900);
    main.show();
    QApplication::processEvents();

    auto* records = main.findChild<records::RecordPage*>();
    qint64 documents = 0;
    const QString pages[] = {shell::cmd::RecordsPage, shell::cmd::OrdersPage, shell::cmd::ChartPage,
                             shell::cmd::OrderSheets, shell::cmd::FrontPage};
    QElapsedTimer clock;
    clock.start();
    out << "patients\tdocuments\tseconds\trss_mb\tpeak_rss_mb\n";
    for (int i = 0; i < count; ++i) {
        const auto& [id, status] = patients[size_t(i) % patients.size()];
        main.selection().select(id, status);
        for (const QString& page : pages) {
            if (!main.commands().run(page) && i == 0) err << "not run: " << page << '\n';
            QApplication::processEvents();
            // On the record page every document of the stay is opened in turn.
            if (page == shell::cmd::RecordsPage && records) {
                for (int row = 1; row < records->documentList()->count(); ++row) {
                    records->documentList()->setCurrentRow(row);
                    QApplication::processEvents();
                    ++documents;
                }
            }
            if (i == 0 && !shots.isEmpty()) main.grab().save(QStringLiteral("%1/page-%2.png").arg(shots, page));
        }
        quiet.clear();
        if ((i + 1) % 25 == 0 || i + 1 == count) {
            out << (i + 1) << '\t' << documents << '\t' << QString::number(clock.elapsed() / 1000.0, 'f', 1) << '\t'
                << QString::number(currentRssMb(), 'f', 0) << '\t' << QString::number(peakRssMb(), 'f', 0) << '\n';
            out.flush();
        }
    }
    return 0;
}
