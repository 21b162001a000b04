// print DIR STAY --SHEET OUT.pdf|OUT.tsv [--page N] [--at "YYYY-MM-DD HH:MM"]: a stay's printed
// sheet to a PDF file, or to the drawing board's recording when OUT ends in .tsv. The sheets
// are the rows of kSheets; a new sheet is one more row and its drawing function.
// print DIR STAY[,STAY…] --cards "YYYY-MM-DD" [--option 所有|长期|临时] OUT.pdf|OUT.tsv: the
// infusion cards of the stays for the day.
#include <QDateTime>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <functional>
#include <memory>

#include "AdminCommands.h"
#include "common/Clock.h"
#include "interaction/DrawingBoard.h"
#include "interaction/PainterBoard.h"
#include "interaction/RecordingBoard.h"
#include "orders/InfusionCard.h"
#include "orders/OrderSheet.h"
#include "shell/PatientContext.h"
#include "store/Connection.h"
#include "store/DatabaseFiles.h"
#include "vitals/ChartPrinting.h"

namespace qh::admin {

namespace {

const QString kNothingToPrint = QStringLiteral("无可打印页面！");

// What a sheet's drawing function gets: the ward, the stay's patient, the page asked for
// (0: all) and the flag's own value when it takes one.
struct PrintRequest {
    explicit PrintRequest(const QString& dir) : files(dir) {}
    store::DataDirectory files;
    QStringList stays;
    shell::PatientContext patient;  // of the first stay
    int page = 0;
    QString value;
    QString option;  // --option of the cards
    QDateTime at;
};

// Draws the sheet as one print job on the board; the number of pages drawn.
using SheetFunction = std::function<int(ui::DrawingBoard&, const PrintRequest&)>;

struct Sheet {
    QString flag;
    bool takesValue;  // e.g. a date after the flag
    SheetFunction draw;
    // Whether the request makes sense for the sheet (its value, its options); none: always.
    std::function<bool(const PrintRequest&)> valid = {};
};

// The name printed as "打印者" on the cards: the account that runs the command.
QString printingUser() {
    const QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    return user.isEmpty() ? QStringLiteral("qinghe-emr-admin") : user;
}

const QList<Sheet>& sheets() {
    static const QList<Sheet> table = {
        {QStringLiteral("--chart"), false,
         [](ui::DrawingBoard& board, const PrintRequest& r) {
             return vitals::printChart(board, r.files, r.patient, r.at.date(), r.page);
         }},
        {QStringLiteral("--long"), false,
         [](ui::DrawingBoard& board, const PrintRequest& r) {
             return orders::printOrderSheet(board, r.files, r.patient, orders::SheetKind::LongTerm, r.page);
         }},
        {QStringLiteral("--temporary"), false,
         [](ui::DrawingBoard& board, const PrintRequest& r) {
             return orders::printOrderSheet(board, r.files, r.patient, orders::SheetKind::Temporary, r.page);
         }},
        {QStringLiteral("--cards"), true,
         [](ui::DrawingBoard& board, const PrintRequest& r) {
             const orders::InfusionCards cards = orders::InfusionCards::make(
                 r.files, r.stays, QDate::fromString(r.value, QStringLiteral("yyyy-MM-dd")),
                 orders::cardOptionFromText(r.option.isEmpty() ? QStringLiteral("所有") : r.option).value(),
                 printingUser());
             if (r.page > cards.pageCount()) return 0;
             return cards.print(board, r.page > 0 ? r.page : 1, r.page > 0 ? r.page : cards.pageCount());
         },
         [](const PrintRequest& r) {
             return QDate::fromString(r.value, QStringLiteral("yyyy-MM-dd")).isValid() &&
                    (r.option.isEmpty() || orders::cardOptionFromText(r.option).has_value());
         }},
    };
    return table;
}

QString usage() {
    QStringList flags;
    for (const Sheet& s : sheets()) flags << s.flag;
    return QStringLiteral("usage: qinghe-emr-admin print DIR STAY ") + flags.join(QLatin1Char('|')) +
           QStringLiteral(" OUT.pdf|OUT.tsv [--page N] [--at \"YYYY-MM-DD HH:MM\"]\n"
                          "       qinghe-emr-admin print DIR STAY[,STAY...] --cards \"YYYY-MM-DD\" "
                          "[--option 所有|长期|临时] OUT.pdf|OUT.tsv");
}

bool readPatient(const store::DataDirectory& files, const QString& stay, shell::PatientContext* patient) {
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return false;
    const store::Row row = db.query(QStringLiteral("select * from 在院病人 where 住院编号=?"), {stay}).first();
    if (!row.isValid()) return false;
    for (const QString& column : shell::PatientContext::columns()) patient->setValue(column, row.text(column));
    return true;
}

}  // namespace

int runPrint(const QStringList& args, QTextStream& out, QTextStream& err) {
    // The front page is a filled form, not a drawing: it has its own file.
    if (args.contains(QStringLiteral("--frontpage"))) return runPrintFrontPage(args, out, err);
    if (args.size() < 2) {
        err << usage() << '\n';
        return 2;
    }
    PrintRequest request(args[0]);
    request.stays = args[1].split(QLatin1Char(','), Qt::SkipEmptyParts);
    request.at = Clock::now();
    const Sheet* sheet = nullptr;
    QString output;
    for (int i = 2; i < args.size(); ++i) {
        const QString& a = args[i];
        auto next = [&](QString* into) {
            if (i + 1 >= args.size()) return false;
            *into = args[++i];
            return true;
        };
        bool known = false;
        for (const Sheet& s : sheets()) {
            if (a != s.flag) continue;
            known = true;
            // OUT follows the flag (and its value), or comes after the options that follow it.
            if (sheet || (s.takesValue && !next(&request.value)) ||
                (i + 1 < args.size() && !args[i + 1].startsWith(QStringLiteral("--")) && !next(&output))) {
                err << usage() << '\n';
                return 2;
            }
            sheet = &s;
        }
        if (known) continue;
        QString value;
        if (a == QStringLiteral("--page") && next(&value)) {
            bool ok = false;
            request.page = value.toInt(&ok);
            if (!ok || request.page < 1) {
                err << usage() << '\n';
                return 2;
            }
        } else if (sheet && output.isEmpty() && !a.startsWith(QStringLiteral("--"))) {
            output = a;
        } else if (a == QStringLiteral("--option") && next(&value)) {
            request.option = value.trimmed();
        } else if (a == QStringLiteral("--at") && next(&value)) {
            request.at = QDateTime::fromString(value.trimmed(), QStringLiteral("yyyy-M-d H:mm"));
            if (!request.at.isValid()) {
                err << usage() << '\n';
                return 2;
            }
        } else {
            err << usage() << '\n';
            return 2;
        }
    }
    const bool recording = output.endsWith(QStringLiteral(".tsv"), Qt::CaseInsensitive);
    if (!sheet || request.stays.isEmpty() ||
        (!recording && !output.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) ||
        (sheet->valid && !sheet->valid(request)) || (!request.option.isEmpty() && sheet->flag != u"--cards")) {
        err << usage() << '\n';
        return 2;
    }
    for (const QString& stay : request.stays) {
        shell::PatientContext patient;
        if (!readPatient(request.files, stay, &patient)) {
            err << QStringLiteral("未找到住院编号为 ") << stay << QStringLiteral(" 的患者。") << '\n';
            return 1;
        }
        if (stay == request.stays.first()) request.patient = patient;
    }

    // The clock stands at --at while the sheet is drawn ("today" of the chart).
    const QDateTime at = request.at;
    const ClockOverride keep;
    Clock::set([at] { return at; });
    int pages = 0;
    if (recording) {
        ui::RecordingBoard recorder;
        ui::DrawingBoard board(recorder);
        pages = sheet->draw(board, request);
        if (pages > 0) {
            QFile file(output);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
                file.write(recorder.recording().toUtf8()) < 0 || !file.flush()) {
                err << QStringLiteral("无法写入文件 ") << output << '\n';
                return 1;
            }
        }
    } else if (QFile::exists(output) || QFile(output).open(QIODevice::WriteOnly)) {
        auto writer = std::make_unique<QPdfWriter>(output);
        writer->setResolution(300);
        writer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                          QPageLayout::Millimeter));
        ui::PainterBoard painter(*writer);
        ui::DrawingBoard board(painter);
        pages = sheet->draw(board, request);
        if (pages > 0 && !painter.ok()) pages = -1;
        writer.reset();
        if (pages == 0) QFile::remove(output);
    } else {
        pages = -1;
    }
    keep.restore();
    if (pages < 0) {
        err << QStringLiteral("无法写入文件 ") << output << '\n';
        return 1;
    }
    if (pages == 0) {
        err << kNothingToPrint << '\n';
        return 1;
    }
    out << pages << QStringLiteral(" 页 -> ") << output << '\n';
    return 0;
}

}  // namespace qh::admin
