// qinghe-emr-bench DIR [--runs N] [--only TEXT]: times, on a ward's data directory (one made by
// `qinghe-emr-admin generate`), every operation a user waits for, through the program's own
// classes. Each operation runs once to warm up and to record the statements it runs; then
// N times through the program, and N times as those statements alone on a bare SQLite
// connection opened once with the statements prepared once (the floor the program could
// reach). One tab-separated line per operation:
//
//     name  p50_ms  p95_ms  bare_p95_ms  ratio
//
// and a last line `summary` with the worst p95, the worst ratio and the peak resident
// memory. The bench only reads; it never asserts on time.
#include <sqlite3.h>
#include <sys/resource.h>

#include <QDate>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHash>
#include <QProcess>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>

#include "interaction/DrawingBoard.h"
#include "interaction/RecordingBoard.h"
#include "interaction/ScriptedUserInterface.h"
#include "orders/ItemLookup.h"
#include "orders/OrderLists.h"
#include "patients/PickLists.h"
#include "records/documents/PatientRecords.h"
#include "records/templates/DocumentPort.h"
#include "records/templates/TemplateSettings.h"
#include "shell/BedList.h"
#include "shell/LoginModel.h"
#include "shell/PatientList.h"
#include "shell/PatientSelection.h"
#include "stats/Reports.h"
#include "store/Connection.h"
#include "store/DataDirectory.h"
#include "store/SqliteFile.h"
#include "vitals/ChartPrinting.h"
#include "vitals/TemperatureChart.h"

using namespace qh;

namespace {

struct Captured {
    QString file, statement;
    store::Params params;
};

struct Operation {
    QString name;
    std::function<void(int run)> run;
    int runs = 0;  // 0: the command line's
};

// Operations another part of the program contributes (the front page, the order sheets):
// a part that measures itself adds its operations here before main() runs them.
std::vector<Operation>& contributed() {
    static std::vector<Operation> ops;
    return ops;
}

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5));
    return v[i];
}

// Bare connections, one per file, opened once; statements prepared once.
class Bare {
public:
    ~Bare() {
        statements_.clear();
        for (auto& [path, db] : files_) sqlite3_close_v2(db);
    }
    // Runs the statements, reading every column of every row; false when one fails.
    bool replay(const std::vector<Captured>& captured) {
        for (const Captured& c : captured) {
            sqlite3_stmt* stmt = statement(c.file, c.statement);
            if (!stmt) return false;
            if (!sqlite3_stmt_readonly(stmt)) continue;  // the bench measures reading only
            for (size_t i = 0; i < c.params.size(); ++i) store::detail::bindValue(stmt, int(i) + 1, c.params[i].value());
            const int columns = sqlite3_column_count(stmt);
            while (sqlite3_step(stmt) == SQLITE_ROW)
                for (int k = 0; k < columns; ++k) {
                    if (sqlite3_column_type(stmt, k) == SQLITE_BLOB) sqlite3_column_blob(stmt, k);
                    else sqlite3_column_text(stmt, k);
                }
            sqlite3_reset(stmt);
            sqlite3_clear_bindings(stmt);
        }
        return true;
    }

private:
    sqlite3_stmt* statement(const QString& file, const QString& sql) {
        const QString key = file + QChar(0) + sql;
        auto found = statements_.find(key);
        if (found != statements_.end()) return found->second.get();
        sqlite3*& db = files_[file];
        if (!db) {
            if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return nullptr;
            store::detail::configureConnection(db);
        }
        QString error;
        store::detail::StmtHandle stmt = store::detail::prepare(db, sql, &error);
        if (!stmt) return nullptr;
        sqlite3_stmt* raw = stmt.get();
        statements_[key] = std::move(stmt);
        return raw;
    }
    std::map<QString, sqlite3*> files_;
    std::map<QString, store::detail::StmtHandle> statements_;
};

double peakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    int runs = 20;
    QString dir, only;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--runs") && i + 1 < args.size()) runs = qMax(1, args[++i].toInt());
        else if (args[i] == QStringLiteral("--only") && i + 1 < args.size()) only = args[++i];
        else if (dir.isEmpty()) dir = args[i];
    }
    if (dir.isEmpty()) {
        err << "usage: qinghe-emr-bench DIR [--runs N] [--only TEXT]\n";
        return 2;
    }
    const store::DataDirectory files(dir);
    store::Connection probe = store::Connection::open(files, store::DbFile::Main);
    if (!probe.isOpen()) {
        err << "dzbl.mdb: " << probe.lastError() << '\n';
        return 1;
    }

    // The busiest department, its busiest doctor, and patients to open: one in the ward with
    // the most documents, one discharged.
    const QString department =
        probe.query(QStringLiteral("select 科室 from 在院病人 group by 科室 order by count(*) desc limit 1")).first().value(0).toText();
    const QString doctor = probe.query(QStringLiteral("select 主管医生 from 在院病人 where 科室=? and 状态='在院' "
                                                      "group by 主管医生 order by count(*) desc limit 1"),
                                       {department})
                               .first()
                               .value(0)
                               .toText();
    const store::Row inWard =
        probe.query(QStringLiteral("select 编号, 住院编号, 住院号, 姓名检索 from 在院病人 where 科室=? and 状态='在院' "
                                   "order by 入院日期 limit 1"),
                    {department})
            .first();
    const store::Row discharged =
        probe.query(QStringLiteral("select 编号, 住院编号 from 在院病人 where 科室=? and 状态='出院' order by 编号 desc limit 1"),
                    {department})
            .first();
    const QString password = QStringLiteral("123");
    const QDate today = probe.query(QStringLiteral("select max(入院日期) from 在院病人")).first().value(0).toDateTime().date();
    probe.close();
    if (!inWard.isValid()) {
        err << "the ward has no patient in the ward\n";
        return 1;
    }
    const qint64 patientId = inWard.integer(QStringLiteral("编号"));
    const QString serial = inWard.text(QStringLiteral("住院编号"));
    const QString initials = inWard.text(QStringLiteral("姓名检索")).left(2);

    ui::ScriptedUserInterface quiet;
    shell::UserContext user;
    user.department = department;
    user.userName = doctor;
    user.grantAll();

    shell::LoginModel login(files, quiet);
    login.open();
    int departmentIndex = 0;
    for (int i = 0; i < login.departments().size(); ++i)
        if (login.departments()[i].text == department) departmentIndex = i;
    shell::PatientList list(files, user);
    shell::PatientSelection selection(files);
    selection.select(patientId, shell::PatientStatus::InWard);
    const shell::PatientContext patient = selection.patient();
    shell::BedList beds(files, department);
    records::RecordDocumentPort editor;
    const records::TemplateSettings settings = records::loadTemplateSettings(files);
    records::PatientRecords documents(files, user, editor, quiet, settings);
    const orders::OrderLists orderLists(files);
    const orders::ItemLookup items(files);
    const stats::Reports reports(files);

    std::vector<Operation> ops;
    auto add = [&ops](const QString& name, std::function<void(int)> run, int ownRuns = 0) {
        ops.push_back({name, std::move(run), ownRuns});
    };
    add(QStringLiteral("connection_open"), [&](int) { store::Connection::open(files, store::DbFile::Main); });
    add(QStringLiteral("login_lists"), [&](int) { login.open(); });
    add(QStringLiteral("login_department"), [&](int) { login.chooseDepartment(departmentIndex); });
    add(QStringLiteral("login"), [&](int) {
        shell::UserContext u;
        login.logIn(password, u);
    });
    const std::pair<const char*, shell::PatientStatus> statuses[] = {{"inward", shell::PatientStatus::InWard},
                                                                      {"pending", shell::PatientStatus::Pending},
                                                                      {"discharged", shell::PatientStatus::Discharged}};
    for (const auto& [name, status] : statuses)
        for (bool own : {true, false})
            add(QStringLiteral("list_%1_%2").arg(QLatin1String(name), own ? QStringLiteral("own") : QStringLiteral("dept")),
                [&list, own, status = status](int) {
                    list.setOwnPatients(own);
                    list.fill(status, shell::ListMode::Name);
                });
    struct SearchCase {
        const char* name;
        shell::SearchKind kind;
        QString text;
    };
    const QString admissionNumber = inWard.text(QStringLiteral("住院号"));
    const SearchCase searches[] = {{"initials", shell::SearchKind::Name, initials},
                                   {"name", shell::SearchKind::Name, QStringLiteral("王")},
                                   {"diagnosis", shell::SearchKind::Diagnosis, QStringLiteral("肺")},
                                   {"number", shell::SearchKind::HospitalNumber, admissionNumber}};
    // The search page works on a list whose status option is chosen (the in-ward one here).
    shell::PatientList searched(files, user);
    searched.fill(shell::PatientStatus::InWard, shell::ListMode::Name);
    for (const SearchCase& c : searches)
        for (bool own : {true, false})
            add(QStringLiteral("search_%1_%2").arg(QLatin1String(c.name), own ? QStringLiteral("own") : QStringLiteral("dept")),
                [&searched, own, c](int) {
                    searched.setOwnPatients(own);
                    searched.search(c.kind, c.text);
                });
    add(QStringLiteral("select_patient"), [&](int) { selection.select(patientId, shell::PatientStatus::InWard); });
    add(QStringLiteral("bed_list"), [&](int) { beds.fill(); });
    add(QStringLiteral("bed_list_search"), [&](int run) {
        const QString typed = initials.left(1 + run % 2);  // as typed, one letter then two
        beds.fill(typed);
    });
    add(QStringLiteral("records_list"), [&](int) { documents.listRecords(patient); });
    add(QStringLiteral("record_open"), [&](int) {
        documents.listRecords(patient);
        documents.selectEntry(1);
        documents.openRecord();
    });
    add(QStringLiteral("orders_longterm"), [&](int) { orderLists.lines(serial, orders::OrderKind::LongTerm); });
    add(QStringLiteral("orders_temporary"), [&](int) { orderLists.lines(serial, orders::OrderKind::Temporary); });
    add(QStringLiteral("orders_herbal"), [&](int) { orderLists.lines(serial, orders::OrderKind::Herbal); });
    add(QStringLiteral("chart_page"), [&](int) {
        const vitals::TemperatureChart chart =
            vitals::TemperatureChart::load(files, patient, vitals::hospitalName(files), today);
        ui::RecordingBoard recorder;
        ui::DrawingBoard board(recorder);
        chart.drawPage(board, chart.pageCount());
    });
    if (discharged.isValid()) {
        const QString stay = discharged.text(QStringLiteral("住院编号"));
        add(QStringLiteral("view_discharged_records"), [&files, stay](int) {
            store::Connection db = store::Connection::open(files, store::DbFile::Main);
            db.query(QStringLiteral("select 编号, 病历, 标题 from 出院病历 where 检索=?"), {stay});
        });
    }
    const QString typedDiagnosis[] = {QStringLiteral("F"), QStringLiteral("FY"), QStringLiteral("肺炎")};
    add(QStringLiteral("icd_lookup_typed"), [&](int run) { patients::searchDiagnoses(files, typedDiagnosis[run % 3]); });
    const QString typedItem[] = {QStringLiteral("Q"), QStringLiteral("QM"), QStringLiteral("青霉")};
    add(QStringLiteral("catalogue_lookup_typed"), [&](int run) { items.find(typedItem[run % 3], false); });
    for (Operation& op : contributed()) ops.push_back(op);
    // Statistics over the ward's whole history, fewer runs: they are long and rare.
    for (int n = 1; n <= stats::kReportCount; ++n) {
        stats::ReportRequest q;
        q.report = stats::Report(n);
        q.from = today.addYears(-10);
        q.to = today;
        q.department = department;
        q.doctor = doctor;
        add(QStringLiteral("report_%1").arg(n, 2, 10, QChar('0')), [&reports, q](int) { reports.run(q); }, qMin(runs, 3));
    }

    out << "name\tp50_ms\tp95_ms\tbare_p95_ms\tratio\n";
    out.flush();
    Bare bare;
    QString worstP95Name, worstRatioName, worstReportName;
    double worstP95 = 0, worstRatio = 0, worstReport = 0;
    for (Operation& op : ops) {
        if (!only.isEmpty() && !op.name.contains(only)) continue;
        std::vector<Captured> captured;
        store::setStatementObserver([&captured](const QString& file, const QString& sql, const store::Params& p) {
            captured.push_back({file, sql, p});
        });
        op.run(0);
        store::setStatementObserver({});
        const int n = op.runs > 0 ? op.runs : runs;
        std::vector<double> times, bareTimes;
        QElapsedTimer t;
        for (int i = 0; i < n; ++i) {
            t.start();
            op.run(i);
            times.push_back(double(t.nsecsElapsed()) / 1e6);
        }
        bool replayed = !captured.empty();
        for (int i = 0; i < n && replayed; ++i) {
            t.start();
            replayed = bare.replay(captured);
            bareTimes.push_back(double(t.nsecsElapsed()) / 1e6);
        }
        const double p50 = percentile(times, 0.5), p95 = percentile(times, 0.95);
        const double bareP95 = replayed ? percentile(bareTimes, 0.95) : 0;
        const double ratio = bareP95 > 0 ? p95 / bareP95 : 0;
        out << op.name << '\t' << QString::number(p50, 'f', 2) << '\t' << QString::number(p95, 'f', 2) << '\t'
            << (replayed ? QString::number(bareP95, 'f', 2) : QStringLiteral("-")) << '\t'
            << (ratio > 0 ? QString::number(ratio, 'f', 1) : QStringLiteral("-")) << '\n';
        out.flush();
        const bool report = op.name.startsWith(QStringLiteral("report_"));
        if (report && p95 > worstReport) {
            worstReport = p95;
            worstReportName = op.name;
        }
        if (p95 > worstP95 && !report) {
            worstP95 = p95;
            worstP95Name = op.name;
        }
        // The ratio says what the program adds to its statements: it means something once
        // the statements take measurable time (opening the file alone has none underneath).
        if (ratio > worstRatio && bareP95 >= 0.05) {
            worstRatio = ratio;
            worstRatioName = op.name;
        }
        quiet.clear();
    }
    // Cold start: the workstation started as a user starts it, on this ward, until its login
    // window is on the screen (it ends itself there with --startup-time); the time from
    // starting the process to its end, which includes loading the program and Qt.
    double coldP95 = 0;
    if (only.isEmpty() || QStringLiteral("cold_start_login").contains(only)) {
        const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/qinghe-emr");
        std::vector<double> times;
        QElapsedTimer t;
        for (int i = 0; i < qMin(runs, 10) + 1; ++i) {
            QProcess workstation;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            workstation.setProcessEnvironment(env);
            t.start();
            workstation.start(program, {QStringLiteral("--data"), dir, QStringLiteral("--startup-time")});
            const bool ended = workstation.waitForFinished(60000);
            const double ms = double(t.nsecsElapsed()) / 1e6;
            if (!ended || workstation.exitCode() != 0) {
                err << "cold_start_login: " << program << " did not start and end by itself\n";
                times.clear();
                break;
            }
            if (i > 0) times.push_back(ms);  // the first run only brings the program into memory
        }
        if (!times.empty()) {
            coldP95 = percentile(times, 0.95);
            out << "cold_start_login\t" << QString::number(percentile(times, 0.5), 'f', 2) << '\t'
                << QString::number(coldP95, 'f', 2) << "\t-\t-\n";
        }
    }
    out << "summary\tcold_start_p95_ms " << QString::number(coldP95, 'f', 1) << "\tworst_interactive_p95_ms " << QString::number(worstP95, 'f', 2) << " (" << worstP95Name
        << ")\tworst_report_p95_ms " << QString::number(worstReport, 'f', 0) << " (" << worstReportName << ")\tworst_ratio " << QString::number(worstRatio, 'f', 1) << " (" << worstRatioName << ")\tpeak_rss_mb "
        << QString::number(peakRssMb(), 'f', 0) << '\n';
    return 0;
}
