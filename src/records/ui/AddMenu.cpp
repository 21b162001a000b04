#include "records/ui/AddMenu.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/ui/MainWindow.h"

namespace qh::records {

void applyAddMenu(shell::MainWindow& window, const AddMenu& menu) {
    for (int i = 0; i < kAddMenuSize; ++i) {
        for (QAction* action : window.actions(shell::cmd::addItem(i + 1))) {
            action->setVisible(menu.visible(i));
            if (menu.visible(i)) action->setText(menu.items[i].caption);
        }
    }
}

void installAddMenu(shell::MainWindow& window, const TemplateSettings& settings, const CreateRecordFn& create) {
    applyAddMenu(window, buildAddMenu(settings.paper));
    if (!create) return;
    for (int i = 0; i < kAddMenuSize; ++i) {
        window.setCommandHandler(shell::cmd::addItem(i + 1), [&window, paper = settings.paper, i, create] {
            // The key is read when the item is chosen, so a menu rebuilt since is honoured.
            const AddMenu menu = buildAddMenu(paper);
            if (!menu.visible(i)) return;
            create(recordKeyForPatient(menu.items[i].key, window.patient().sex));
        });
    }
    window.setCommandHandler(shell::cmd::MoreTemplates, [&window, paper = settings.paper, create] {
        MoreTemplatesDialog dialog(window.userInterface(), paper, create, &window);
        dialog.exec();
    });
}

MoreTemplatesDialog::MoreTemplatesDialog(ui::UserInterface& ui, const QString& paper, CreateRecordFn create,
                                         QWidget* parent)
    : QDialog(parent), ui_(ui), create_(std::move(create)), entries_(listAllTemplates(paper)) {
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
    if (addFromList(id, ui_, create_)) accept();
}

}  // namespace qh::records
