// report DIR N --from YYYY-MM-DD --to YYYY-MM-DD [--dept NAME] [--doctor NAME] [--variant 1-4]
//        [--png OUT.png | --pdf OUT.pdf]: report N of the statistics window's list as CSV on
// stdout (the grid's captions, then its rows as shown); a chart report also drawn to a file.
#include <QDate>

#include "AdminCommands.h"
#include "common/Clock.h"
#include "stats/BarChart.h"
#include "stats/ReportCsv.h"
#include "stats/Reports.h"
#include "store/DatabaseFiles.h"

namespace qh::admin {

namespace {

const char* const kUsage =
    "usage: qinghe-emr-admin report DIR N --from YYYY-MM-DD --to YYYY-MM-DD [--dept NAME] [--doctor NAME] "
    "[--variant 1-4] [--png OUT.png|--pdf OUT.pdf]\n";

}  // namespace

int runReport(const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() < 2 || args.size() % 2 != 0) {
        err << kUsage;
        return 2;
    }
    bool numberOk = false;
    const int n = args.at(1).toInt(&numberOk);
    if (!numberOk || n < 1 || n > stats::kReportCount) {
        err << kUsage;
        return 2;
    }
    stats::ReportRequest request;
    request.report = stats::Report(n);
    // Without a range: the current month up to today.
    const QDate today = Clock::now().date();
    request.from = QDate(today.year(), today.month(), 1);
    request.to = today;
    QString png, pdf;
    for (int i = 2; i + 1 < args.size(); i += 2) {
        const QString& option = args.at(i);
        const QString& value = args.at(i + 1);
        if (option == QStringLiteral("--from") || option == QStringLiteral("--to")) {
            const QDate day = QDate::fromString(value, QStringLiteral("yyyy-M-d"));
            if (!day.isValid()) {
                err << "日期格式错误：" << value << '\n';
                return 1;
            }
            (option == QStringLiteral("--from") ? request.from : request.to) = day;
        } else if (option == QStringLiteral("--dept")) {
            request.department = value;
        } else if (option == QStringLiteral("--doctor")) {
            request.doctor = value;
        } else if (option == QStringLiteral("--variant")) {
            const int form = value.toInt();
            if (form < 1 || form > 4) {
                err << kUsage;
                return 2;
            }
            request.form = stats::ListForm(form);
        } else if (option == QStringLiteral("--png")) {
            png = value;
        } else if (option == QStringLiteral("--pdf")) {
            pdf = value;
        } else {
            err << kUsage;
            return 2;
        }
    }
    if ((!png.isEmpty() || !pdf.isEmpty()) && !stats::isChart(request.report)) {
        err << stats::reportName(n) << "不是图表\n";
        return 1;
    }

    const stats::ReportOutcome outcome = stats::Reports(store::DataDirectory(args.first())).run(request);
    if (!outcome.ok) {
        err << outcome.refusal << '\n';
        return 1;
    }
    if (!png.isEmpty() && !stats::writeChartPng(*outcome.table.chart, png)) {
        err << "无法写入文件：" << png << '\n';
        return 1;
    }
    if (!pdf.isEmpty() && !stats::writeChartPdf(*outcome.table.chart, pdf)) {
        err << "无法写入文件：" << pdf << '\n';
        return 1;
    }
    out << stats::csvText(outcome.table, QStringLiteral("\n"));
    return 0;
}

}  // namespace qh::admin
