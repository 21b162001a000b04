#include "app/features/WorkstationFeatures.h"

#include "catalogue/ui/CatalogueCommands.h"
#include "frontpage/ui/FrontPageCommands.h"
#include "orders/ui/OrderCommands.h"
#include "orders/ui/OrderSheetCommands.h"
#include "patients/ui/PatientCommands.h"
#include "records/ui/RecordCommands.h"
#include "records/ui/TemplateCommands.h"
#include "reference/ui/ReferenceCommands.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/maintenance/MaintenanceCommands.h"
#include "stats/ui/StatisticsCommands.h"
#include "vitals/ui/ChartCommands.h"

namespace qh::app {

// The record page shows the registry's form, so the patient commands come first.
void installWorkstationFeatures(shell::MainWindow& main) {
    patients::installPatientCommands(main);
    auto* records = records::installRecordPage(main);
    records::installTemplateCommands(main, records::recordCreator(main, records));
    shell::installMaintenanceCommands(main);
    reference::installReferenceCommands(main);
    vitals::installChart(main);
    auto* orderPage = orders::installOrderPage(main);
    orders::installOrderSheets(main, orderPage);
    catalogue::installCatalogueCommands(main);
    stats::installStatistics(main);
    frontpage::installFrontPage(main);
}

}  // namespace qh::app
