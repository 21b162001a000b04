// The statistics window on the hand-counted ward, and the right its command asks for.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "interaction/ScriptedUserInterface.h"
#include "shell/MainCommands.h"
#include "shell/ui/MainWindow.h"
#include "stats/ui/StatisticsCommands.h"
#include "stats/ui/StatisticsWindow.h"
#include "stats_fixture.h"

using namespace qh::stats;

namespace {

// A look at the window: always drawn, and saved for the manual when QH_SCREENSHOT_DIR names
// a folder (docs/images when the pictures are retaken).
void screenshot(QWidget& w, const char* file) {
    w.resize(1100, 560);
    w.show();
    const QPixmap picture = w.grab();
    EXPECT_FALSE(picture.isNull());
    const QString dir = qEnvironmentVariable("QH_SCREENSHOT_DIR");
    if (dir.isEmpty()) return;
    QDir().mkpath(dir);
    EXPECT_TRUE(picture.save(QDir(dir).filePath(QString::fromUtf8(file))));
}

}  // namespace

class StatisticsWindowTest : public qh::test::StatsWard {
protected:
    qh::ui::ScriptedUserInterface ui_;
    qh::shell::UserContext user_;
};

TEST_F(StatisticsWindowTest, CommandRefusesWithoutTheRight) {
    user_.department = QStringLiteral("内科");
    auto* main = new qh::shell::MainWindow(user_, files(), ui_);
    installStatistics(*main);
    main->commands().run(qh::shell::cmd::Statistics);
    EXPECT_EQ(ui_.texts(), QStringList{kNoStatisticsRight});
    delete main;
}

TEST_F(StatisticsWindowTest, ShowsGridsAndChartsAndExports) {
    user_.department = QStringLiteral("内科");
    user_.userName = QStringLiteral("李医生");
    user_.TJCX = true;
    StatisticsWindow window(files(), user_, ui_);
    window.setRange(QDate(2024, 3, 1), QDate(2024, 3, 31));
    window.chooseReport(Report::BedUse);
    ASSERT_EQ(window.grid().rows(), 4);
    window.chooseReport(Report::DoctorWorkload);
    screenshot(window, "statistics.png");
    window.chooseReport(Report::BedUse);
    EXPECT_EQ(window.grid().text(0, 3), QStringLiteral("床位使用率"));
    EXPECT_EQ(window.grid().text(3, 3), kMaintainBeds);
    EXPECT_FALSE(window.showsChart());

    // The patient list of the user's own patients, by default the logged-in doctor.
    window.chooseReport(Report::PatientList);
    EXPECT_EQ(window.request().doctor, QStringLiteral("李医生"));
    EXPECT_EQ(window.grid().rows(), 5);

    window.chooseReport(Report::SexChart);
    EXPECT_TRUE(window.showsChart());
    ASSERT_TRUE(window.table().chart);
    screenshot(window, "statistics-chart-window.png");

    const QString csv = dir_.file(QStringLiteral("sex.csv"));
    ui_.answerPath(csv);
    window.exportCsv();
    EXPECT_EQ(ui_.lastText(), QStringLiteral("导出成功！"));
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("\xEF\xBB\xBF编号,科室,男性,女性\r\n"));

    const QString pdf = dir_.file(QStringLiteral("sex.pdf"));
    ui_.answerPath(pdf);
    window.exportPdf();
    EXPECT_TRUE(QFile::exists(pdf));

    // A reversed range is refused and the last figures stay.
    ui_.clear();
    window.setRange(QDate(2024, 4, 1), QDate(2024, 3, 1));
    EXPECT_FALSE(window.runReport());
    EXPECT_EQ(ui_.lastText(), kRangeReversed);
    EXPECT_TRUE(window.showsChart());
}
