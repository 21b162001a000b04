#include "vitals/ChartPrinting.h"

#include "interaction/DrawingBoard.h"
#include "store/Connection.h"
#include "vitals/TemperatureChart.h"

namespace qh::vitals {

QString hospitalName(const store::DataDirectory& files) {
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return {};
    return db.query(QStringLiteral("select * from 备份")).first().text(QStringLiteral("医院名称"));
}

int printChart(ui::DrawingBoard& board, const store::DataDirectory& files, const shell::PatientContext& patient,
               const QDate& today, int page) {
    const TemperatureChart chart = TemperatureChart::load(files, patient, hospitalName(files), today);
    const int pages = chart.pageCount();
    if (page > pages || page < 0) return 0;
    const int first = page > 0 ? page : 1, last = page > 0 ? page : pages;
    chart.print(board, first, last);
    return last - first + 1;
}

}  // namespace qh::vitals
