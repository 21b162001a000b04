#pragma once
// The order page: the seven-tab strip, the western entry grid on the new long-term and
// temporary tabs, the herbal grid with "处方用法：" on the new herbal tab, and the pick lists.
// Each new-order tab keeps its unsaved lines while the same patient stays selected; another
// patient starts every tab empty.
#include <QWidget>
#include <functional>
#include <memory>

#include "orders/ItemLookup.h"
#include "orders/OrderEntry.h"
#include "orders/OrderListModel.h"
#include "shell/UserContext.h"
#include "store/DatabaseFiles.h"
#include "interaction/DataGrid.h"
#include "interaction/UserInterface.h"

class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTabBar;

namespace qh::shell {
class PatientSelection;
}

namespace qh::orders {

class EntryGridView;
class OrderListView;
class OrderTemplatePanel;
class PickList;

class OrderPage : public QWidget {
    Q_OBJECT
public:
    OrderPage(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui,
              shell::PatientSelection& selection, QWidget* parent = nullptr);
    ~OrderPage() override;

    // The selected patient was read (again): another patient empties every new-order tab.
    void refresh();
    // Tabs 0-6; 3-6 are the lists and the prescription view.
    void showTab(int tab);
    int currentTab() const;

    // The operations of the "医嘱处理" menu, on the tab that shows.
    void addOrderRow();
    void insertOrderRow();
    void deleteOrderRow();
    void saveOrders();
    // 术后医嘱 (on the long-term tab) and 存为模板 (the tab's kind).
    void startPostOperative();
    void saveAsTemplate();
    // Appends a template's lines to the entry grid of the tab that shows.
    void applyTemplate(qint64 sid);

    // The lists of tabs 3-5 (long-term, temporary, herbal), their views and pop-up menus.
    OrderListModel* list(int tab) const { return tab >= 3 && tab <= 5 ? lists_[tab - 3].get() : nullptr; }
    OrderListView* listView(int tab) const { return tab >= 3 && tab <= 5 ? listViews_[tab - 3] : nullptr; }
    QMenu* listMenu(int tab) const { return tab >= 3 && tab <= 5 ? listMenus_[tab - 3] : nullptr; }
    OrderTemplatePanel* templates() const { return templates_; }
    // What "打印医嘱" and "打印临时" run (the order sheets); without it the items are disabled.
    void setSheetPrinter(std::function<void(OrderKind)> print);

    // What the chooser of the skin-test dialog returns (tests replace the dialog).
    void setAllergyDrugChooser(AllergyDrugChooser choose) { chooseDrug_ = std::move(choose); }

    WesternEntry& western(int tab) { return tab == 1 ? temporary_ : longTerm_; }
    HerbalEntry& herbal() { return herbal_; }
    EntryGridView* view(int tab) const;
    PickList* pickList() const { return pick_; }
    QComboBox* herbalUsage() const { return usage_; }
    QMenu* menu() const { return menu_; }
    // Why the last save was refused (the line and its value), empty after a save.
    QString problem() const;

private:
    void westernAdvance(int tab, int row, int col);
    void westernLookup(int tab, int row, int col, const QString& typed);
    void herbalAdvance(int row, int col);
    void herbalLookup(int row, const QString& typed);
    void showTotal();
    EntryGridView* makeView(ui::DataGrid* grid);
    void makeList(int tab, OrderKind kind);
    void loadList(int tab);
    // An operation of a list's menu on its selected row; the view follows the grid.
    void runOnList(int tab, OrderListModel::Outcome (OrderListModel::*op)());

    store::DataDirectory files_;
    const shell::UserContext& user_;
    ui::UserInterface& ui_;
    shell::PatientSelection& selection_;
    ItemLookup lookup_;
    QString serial_;  // the patient the unsaved lines were entered for

    ui::DataGrid longTermGrid_, temporaryGrid_, herbalGrid_;
    WesternEntry longTerm_{longTermGrid_, user_.userName};
    WesternEntry temporary_{temporaryGrid_, user_.userName};
    HerbalEntry herbal_{herbalGrid_, user_.userName};

    QTabBar* tabs_;
    QStackedWidget* stack_;
    EntryGridView* views_[3] = {};
    QComboBox* usage_;
    QLabel* total_;
    QLabel* problem_;
    PickList* pick_;
    QMenu* menu_;
    AllergyDrugChooser chooseDrug_;
    bool settingDoses_ = false;

    std::unique_ptr<OrderListModel> lists_[3];
    OrderListView* listViews_[3] = {};
    QMenu* listMenus_[3] = {};
    QAction* printActions_[2] = {};
    std::function<void(OrderKind)> printSheet_;
    OrderTemplatePanel* templates_;
    QList<QPushButton*> entryButtons_;
    QLabel* listHint_;
};

}  // namespace qh::orders
