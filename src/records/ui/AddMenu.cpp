#include "records/ui/AddMenu.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/MainCommands.h"
#include "shell/ui/Workbench.h"

namespace qh::records {

void applyAddMenu(shell::CommandRegistry& commands, const AddMenu& menu) {
    for (int i = 0; i < kAddMenuSize; ++i)
        commands.setCaption(shell::cmd::addItem(i + 1), menu.visible(i) ? menu.items[i].caption : QString(),
                            menu.visible(i));
}

void installAddMenu(shell::Workbench& bench, const TemplateSettings& settings, const CreateRecordFn& create) {
    shell::Workbench* b = &bench;
    const store::DataDirectory files = bench.files();
    applyAddMenu(bench.commands(), buildAddMenu(files, settings.paper));
    if (!create) return;
    for (int i = 0; i < kAddMenuSize; ++i) {
        bench.commands().setHandler(
            shell::cmd::addItem(i + 1),
            [b, files, paper = settings.paper, i, create] {
                // The key is read when the item is chosen, so a menu rebuilt since is honoured.
                const AddMenu menu = buildAddMenu(files, paper);
                if (!menu.visible(i)) return;
                const QString itemKey = menu.items[i].key;
                create(recordKeyForPatient(itemKey, b->selection().patient().sex), itemKey);
            },
            shell::CommandRegistry::Needs::Patient);
    }
    bench.commands().setHandler(
        shell::cmd::MoreTemplates,
        [b, files, paper = settings.paper, create] {
            MoreTemplatesDialog dialog(files, b->userInterface(), paper, create, b->window());
            dialog.exec();
        },
        shell::CommandRegistry::Needs::Patient);
}

MoreTemplatesDialog::MoreTemplatesDialog(const store::DataDirectory& files, ui::UserInterface& ui, const QString& paper,
                                         CreateRecordFn create, QWidget* parent)
    : QDialog(parent), files_(files), ui_(ui), create_(std::move(create)), entries_(listAllTemplates(files_, paper)) {
    setWindowTitle(QStringLiteral("更多模板"));
    list_ = new QListWidget(this);
    for (const TemplateEntry& e : entries_) list_->addItem(e.caption);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* add = buttons->addButton(QStringLiteral("添加"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(300, 460);
    connect(add, &QPushButton::clicked, this, &MoreTemplatesDialog::addChosen);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &MoreTemplatesDialog::addChosen);
}

void MoreTemplatesDialog::addChosen() {
    const int row = list_->currentRow();
    const qint64 id = row >= 0 && row < entries_.size() && list_->currentItem()->isSelected() ? entries_[row].id : 0;
    if (addFromList(files_, id, ui_, [this](const QString& key) {
            if (create_) create_(key, QString());
        }))
        accept();
}

}  // namespace qh::records
