// The workstation: finds and prepares the data directory, then shows the login window.
// Closing the main window (or cancelling the login) ends the program.
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "app/features/WorkstationFeatures.h"
#include "shell/ui/LoginWindow.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/QtTranslations.h"
#include "store/DataDirectory.h"
#include "store/DatabaseFiles.h"
#include "store/SchemaUpgrade.h"
#include "interaction/ui/QtUserInterface.h"

int main(int argc, char** argv) {
    QElapsedTimer startClock;
    startClock.start();
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
    // A ward made by an earlier version gets what this one's schema adds (indexes, views)
    // before anyone works on it; a failure leaves the files as they were and is retried at
    // the next start.
    if (!qh::store::filesNeedingUpgrade(dir).isEmpty()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const qh::store::UpgradeReport upgraded = qh::store::upgradeDataDirectory(dir);
        QApplication::restoreOverrideCursor();
        if (!upgraded.ok)
            QMessageBox::warning(nullptr, QStringLiteral("青禾电子病历"),
                                 QStringLiteral("数据库结构更新未完成：%1\n本次仍可照常使用，下次启动时会再次更新。").arg(upgraded.error));
    }
    const qh::store::DataDirectory files(dir);

    qh::ui::QtUserInterface ui;
    auto* login = new qh::shell::LoginWindow(files, ui, nullptr);
    ui.setParent(login);
    // The login window opens the main window, which closes the login window.
    auto openMain = [&ui, &files, login](const qh::shell::UserContext& user) {
        auto* main = new qh::shell::MainWindow(user, files, ui, login);
        qh::app::installWorkstationFeatures(*main);
        ui.setParent(main);
        main->showAsLeft();
    };
    login->setOnLoggedIn(openMain);
    login->show();
    // --startup-time: how long the start took until the login window was on the screen
    // (printed in ms), then the program ends; IT staff and the benchmark measure with it.
    if (QApplication::arguments().contains(QStringLiteral("--startup-time"))) {
        QTimer::singleShot(0, login, [&startClock] {
            std::printf("login window shown after %.1f ms\n", double(startClock.nsecsElapsed()) / 1e6);
            std::fflush(stdout);
            QApplication::exit(0);
        });
    }
    return app.exec();
}
