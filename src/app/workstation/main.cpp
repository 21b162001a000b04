// The workstation: finds and prepares the data directory, then shows the login window.
// Closing the main window (or cancelling the login) ends the program.
#include <QApplication>
#include <QMessageBox>

#include "catalogue/ui/CatalogueCommands.h"
#include "orders/ui/OrderCommands.h"
#include "frontpage/ui/FrontPageCommands.h"
#include "orders/ui/OrderSheetCommands.h"
#include "patients/ui/PatientCommands.h"
#include "records/ui/RecordCommands.h"
#include "records/ui/TemplateCommands.h"
#include "reference/ui/ReferenceCommands.h"
#include "shell/ui/LoginWindow.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/QtTranslations.h"
#include "stats/ui/StatisticsCommands.h"
#include "shell/ui/maintenance/MaintenanceCommands.h"
#include "vitals/ui/ChartCommands.h"
#include "store/DataDirectory.h"
#include "store/DatabaseFiles.h"
#include "interaction/ui/QtUserInterface.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("青禾电子病历"));
    // Where the window's size and layout are kept between starts (QSettings).
    QApplication::setOrganizationName(QStringLiteral("Qinghe"));
    qh::shell::installQtChineseTranslations(app);

    const QString dir = qh::store::resolveDataDirectory(QApplication::arguments());
    const qh::store::PrepareResult prepared = qh::store::prepareDataDirectory(dir);
    if (prepared.status == qh::store::PrepareResult::Incomplete ||
        prepared.status == qh::store::PrepareResult::Failed) {
        QMessageBox::critical(nullptr, QStringLiteral("青禾电子病历"), prepared.message);
        return 2;
    }
    const qh::store::DataDirectory files(dir);

    qh::ui::QtUserInterface ui;
    auto* login = new qh::shell::LoginWindow(files, ui, nullptr);
    ui.setParent(login);
    // The login window opens the main window, which closes the login window. Each feature
    // installs its pages and commands; the record page shows the registry's form, so the
    // registry comes first.
    auto openMain = [&ui, &files, login](const qh::shell::UserContext& user) {
        auto* main = new qh::shell::MainWindow(user, files, ui, login);
        qh::patients::installPatientCommands(*main);
        auto* records = qh::records::installRecordPage(*main);
        qh::records::installTemplateCommands(*main, qh::records::recordCreator(*main, records));
        qh::shell::installMaintenanceCommands(*main);
        qh::reference::installReferenceCommands(*main);
        qh::vitals::installChart(*main);
        auto* orderPage = qh::orders::installOrderPage(*main);
        qh::orders::installOrderSheets(*main, orderPage);
        qh::catalogue::installCatalogueCommands(*main);
        qh::stats::installStatistics(*main);
        qh::frontpage::installFrontPage(*main);
        ui.setParent(main);
        main->showAsLeft();
    };
    login->setOnLoggedIn(openMain);
    login->show();
    return app.exec();
}
