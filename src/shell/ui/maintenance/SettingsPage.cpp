#include "shell/ui/maintenance/SettingsPage.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "interaction/ui/DataGridView.h"

namespace qh::shell {

SettingsPage::SettingsPage(const store::DataDirectory& files, const UserContext& user, ui::UserInterface& ui,
                           std::function<void(const UserContext&)> userChanged, QWidget* parent)
    : QWidget(parent), model_(files, user, ui, std::move(userChanged)) {
    setObjectName(QStringLiteral("settingsPage"));
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("settingsTabs"));
    tabs_->setUsesScrollButtons(true);
    for (int i = 0; i < kSettingsTabCount; ++i) {
        const auto tab = SettingsTab(i);
        const SettingsTabInfo& info = settingsTabInfo(tab);
        ui::DataGrid& grid = model_.grid(tab);
        auto* view = new ui::DataGridView;
        view->setGrid(&grid);
        view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
        view->horizontalHeader()->setStretchLastSection(true);
        grid.setColumnWidth(0, 48);
        for (int c = 1; c < grid.cols(); ++c) grid.setColumnWidth(c, info.columns.size() > 4 ? 72 : 200);
        // Mark cells change on a double-click instead of opening an editor.
        connect(view, &QAbstractItemView::doubleClicked, this, [this, tab, view](const QModelIndex& index) {
            if (model_.toggleMark(tab, index.row() + 1, index.column())) view->closePersistentEditor(index);
        });
        if (info.growing)
            connect(&grid, &QAbstractItemModel::dataChanged, this, [&grid] { HospitalSettings::keepEmptyLastRow(grid); });
        auto* help = new QLabel(info.help);
        help->setWordWrap(true);
        help->setStyleSheet(QStringLiteral("color:#1F5F3A; padding:4px;"));
        auto* page = new QWidget;
        auto* layout = new QVBoxLayout(page);
        layout->addWidget(view, 1);
        layout->addWidget(help);
        tabs_->addTab(page, info.caption);
    }
    auto* save = new QPushButton(QStringLiteral("保  存"));
    save->setObjectName(QStringLiteral("saveSettings"));
    auto* reload = new QPushButton(QStringLiteral("刷  新"));
    connect(save, &QPushButton::clicked, this, &SettingsPage::saveCurrent);
    connect(reload, &QPushButton::clicked, this, &SettingsPage::load);
    auto* buttons = new QHBoxLayout;
    auto* title = new QLabel(QStringLiteral("系统设置"));
    QFont f = title->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    title->setFont(f);
    buttons->addWidget(title);
    buttons->addStretch();
    buttons->addWidget(reload);
    buttons->addWidget(save);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(tabs_, 1);
}

bool SettingsPage::saveCurrent() { return model_.save(SettingsTab(tabs_->currentIndex())); }

}  // namespace qh::shell
