#include "shell/ui/maintenance/MaintenanceCommands.h"

#include <QApplication>
#include <QProgressDialog>

#include "shell/MainCommands.h"
#include "shell/maintenance/BackupRestore.h"
#include "shell/ui/Workbench.h"
#include "shell/ui/maintenance/SettingsPage.h"
#include "shell/ui/maintenance/UserWindows.h"

namespace qh::shell {

namespace {

// A progress window for one copy; pages as the unit.
struct CopyProgressWindow {
    CopyProgressWindow(const QString& label, QWidget* parent) : dialog(label, QString(), 0, 100, parent) {
        dialog.setWindowTitle(QStringLiteral("青禾电子病历"));
        dialog.setWindowModality(Qt::WindowModal);
        dialog.setCancelButton(nullptr);
        dialog.setMinimumDuration(300);
        dialog.setValue(0);
    }
    store::CopyProgress callback() {
        return [this](int done, int total) {
            dialog.setMaximum(qMax(total, 1));
            dialog.setValue(qMin(done, qMax(total, 1)));
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        };
    }
    QProgressDialog dialog;
};

}  // namespace

void installMaintenanceCommands(Workbench& bench) {
    Workbench* b = &bench;
    CommandRegistry& commands = bench.commands();

    commands.setHandler(cmd::Users, [b] {
        if (b->user().XTGL) {
            UserManagementWindow window(b->files(), b->user(), b->userInterface(), b->window());
            if (window.prepare()) window.exec();
        } else {
            OwnPasswordWindow window(b->files(), b->user(), b->userInterface(), b->window());
            if (window.prepare()) window.exec();
        }
    });

    auto* settings = new SettingsPage(bench.files(), bench.user(), bench.userInterface(),
                                      [b](const UserContext& user) { b->changeUser(user); });
    bench.pages().setPage(WorkPage::Settings, settings, {}, PageRegistry::Needs::Nothing);
    commands.setHandler(cmd::Settings, [b, settings] {
        if (!requireRight(b->user().XTGL, b->userInterface())) return;
        settings->load();
        b->pages().show(WorkPage::Settings);
    });

    commands.setHandler(cmd::Backup, [b] {
        if (!requireRight(b->user().XTGL, b->userInterface())) return;
        CopyProgressWindow progress(QStringLiteral("正在备份数据库……"), b->window());
        BackupRestore(b->files(), b->user(), b->userInterface()).backup(progress.callback());
    });

    commands.setHandler(cmd::Restore, [b, settings] {
        if (!requireRight(b->user().XTGL, b->userInterface())) return;
        CopyProgressWindow progress(QStringLiteral("正在还原数据库……"), b->window());
        BackupRestore(b->files(), b->user(), b->userInterface())
            .restore(
                progress.callback(),
                // The open document is saved (or not) into the file it came from.
                [b] { b->offerSaveIfShowingRecords(); },
                // Nothing keeps keys of the replaced file: the selection and lists are read anew.
                [b, settings] {
                    b->selection().clear();
                    b->patientList().refill();
                    if (b->pages().current() == WorkPage::Settings) settings->load();
                });
    });
}

}  // namespace qh::shell
