// The demo ward's discharged patients come with complete front pages, shown by the tab.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>

#include "frontpage/DemoFrontPages.h"
#include "frontpage/ui/FrontPageView.h"
#include "interaction/ScriptedUserInterface.h"
#include "patients/DemoWard.h"
#include "shell/PatientSelection.h"
#include "store/Connection.h"
#include "store/DataDirectory.h"
#include "support/temp_dir.h"

using namespace qh;

TEST(DemoFrontPages, EveryDischargedPatientHasACodedSignedAndCostedFrontPage) {
    test::TempDir dir;
    ASSERT_EQ(store::createDataFiles(dir.path()).status, store::PrepareResult::Created);
    const store::DataDirectory files(dir.path());
    const patients::DemoWardResult ward = patients::populateDemoWard(files);
    ASSERT_TRUE(ward.ok) << ward.message.toStdString();
    const frontpage::DemoFrontPagesResult pages = frontpage::populateDemoFrontPages(files);
    ASSERT_TRUE(pages.ok) << pages.message.toStdString();
    EXPECT_EQ(pages.frontPages, ward.discharged);

    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    const auto count = [&](const char* where) {
        return db.query(QStringLiteral("select count(*) from BAJK where ") + QString::fromUtf8(where)).first().value(0).toInt();
    };
    EXPECT_EQ(count("1=1"), ward.discharged);
    EXPECT_EQ(count("CYBM1 is null or CYBM1='' or ZYQM='' or ZYQM is null or ZFY is null or CYRQ is null or ZLLB is null"), 0);
    EXPECT_GT(count("SSCZBM1<>'' and SSMC1<>'' and MZFS1<>''"), 0);  // the surgical cases are operated
    const qint64 operated = db.query("select 编号 from 在院病人 p join BAJK b on b.ZYBH=p.住院编号 where b.SSCZBM1<>'' "
                                     "order by 编号")
                                .first()
                                .integer("编号");
    db.close();

    // A coder opens the front page of an operated patient: both pages filled.
    shell::UserContext user;
    user.department = "外科";
    user.hospitalName = "青禾医院";
    user.frontPageFormat = 1;
    ui::ScriptedUserInterface ui;
    shell::PatientSelection selection(files);
    ASSERT_TRUE(selection.select(operated, shell::PatientStatus::Discharged));
    frontpage::FrontPageView view(files, user, ui, selection);
    view.resize(1000, 760);
    view.refresh();
    EXPECT_FALSE(view.hasUnsavedChanges());
    EXPECT_FALSE(view.findChild<QComboBox*>("ZYQM")->currentText().isEmpty());
    EXPECT_FALSE(view.findChild<QTableWidget*>("operationGrid")->item(0, 0)->text().isEmpty());
    EXPECT_EQ(view.findChild<QComboBox*>("ZLLB", Qt::FindChildrenRecursively)->currentIndex() >= 0, true);
    const QString shots = qEnvironmentVariable("QH_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        QDir().mkpath(shots);
        view.show();
        EXPECT_TRUE(view.grab().save(QDir(shots).filePath("front-page.png")));
        view.tabs()->setCurrentIndex(2);
        EXPECT_TRUE(view.grab().save(QDir(shots).filePath("front-page-print.png")));
    }
}
