#include "orders/ui/OrderPage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "common/Pinyin.h"
#include "orders/OrderLifecycle.h"
#include "orders/OrderSave.h"
#include "orders/OrderTemplates.h"
#include "orders/ui/EntryGridView.h"
#include "orders/ui/OrderListView.h"
#include "orders/ui/OrderTemplatePanel.h"
#include "orders/ui/PickList.h"
#include "orders/ui/SpanningHeader.h"
#include "shell/MainCommands.h"
#include "shell/PatientSelection.h"

namespace qh::orders {
namespace {

const QStringList kTabCaptions = {QStringLiteral(" 新 开 长 期"), QStringLiteral("新 开 临 时"),
                                  QStringLiteral("新 开 草 药"),  QStringLiteral("长 期 医 嘱"),
                                  QStringLiteral("临 时 医 嘱"),  QStringLiteral("中 药 医 嘱"),
                                  QStringLiteral("医 嘱 处 方")};

// The next visible column of the western grid after `col`, by the order a row is filled.
int nextWesternColumn(int col) {
    switch (col) {
    case WesternEntry::Date: return WesternEntry::Marker;
    case WesternEntry::Marker: return WesternEntry::Content;
    case WesternEntry::Content: return WesternEntry::Quantity;
    case WesternEntry::Spec: return WesternEntry::Quantity;
    case WesternEntry::DoseUnit: return WesternEntry::Route;
    case WesternEntry::Doctor: return WesternEntry::PerDay;
    case WesternEntry::PerDay: return WesternEntry::PerDayUnit;
    default: return col + 1;
    }
}

}  // namespace

OrderPage::OrderPage(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui,
                     shell::PatientSelection& selection, QWidget* parent)
    : QWidget(parent), files_(files), user_(user), ui_(ui), selection_(selection), lookup_(files) {
    setObjectName(QStringLiteral("orderPage"));
    longTerm_.reset();
    temporary_.reset();
    herbal_.reset();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    tabs_ = new QTabBar;
    tabs_->setObjectName(QStringLiteral("orderTabs"));
    for (const QString& caption : kTabCaptions) tabs_->addTab(caption);
    tabs_->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(tabs_);

    // The command row: the operations of the pop-up menu as buttons with their keys.
    auto* commands = new QHBoxLayout;
    menu_ = new QMenu(QStringLiteral("医嘱处理"), this);
    struct Op {
        const char* caption;
        QKeySequence key;
        void (OrderPage::*run)();
    };
    const Op ops[] = {
        {"添加医嘱", QKeySequence(Qt::CTRL | Qt::Key_N), &OrderPage::addOrderRow},
        {"插入医嘱", QKeySequence(Qt::CTRL | Qt::Key_I), &OrderPage::insertOrderRow},
        {"删除医嘱", QKeySequence(Qt::CTRL | Qt::Key_Delete), &OrderPage::deleteOrderRow},
        {"术后医嘱", QKeySequence(), &OrderPage::startPostOperative},
        {"存为模板", QKeySequence(), &OrderPage::saveAsTemplate},
        {"保存医嘱", QKeySequence(Qt::CTRL | Qt::Key_S), &OrderPage::saveOrders},
    };
    for (const Op& op : ops) {
        const QString caption = QString::fromUtf8(op.caption);
        QAction* action = menu_->addAction(caption);
        action->setShortcut(op.key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, op.run);
        auto* button = new QPushButton(op.key.isEmpty() ? caption
                                                        : caption + QStringLiteral(" (") +
                                                              op.key.toString(QKeySequence::NativeText) + u')');
        button->setFocusPolicy(Qt::NoFocus);
        button->setObjectName(caption);
        connect(button, &QPushButton::clicked, this, op.run);
        commands->addWidget(button);
        entryButtons_ << button;
    }
    // On the list tabs the row says how the lists are worked instead.
    listHint_ = new QLabel(QStringLiteral("↑/↓ 选择医嘱　Enter 护士执行　右键 医嘱处理菜单"));
    listHint_->setObjectName(QStringLiteral("listHint"));
    listHint_->setMinimumHeight(26);
    listHint_->hide();
    commands->addWidget(listHint_);
    commands->addStretch();
    layout->addLayout(commands);

    stack_ = new QStackedWidget;
    views_[0] = makeView(&longTermGrid_);
    views_[1] = makeView(&temporaryGrid_);
    for (int tab : {0, 1}) {
        EntryGridView* v = views_[tab];
        v->setLookupColumns({WesternEntry::Content, WesternEntry::Route, WesternEntry::Frequency});
        v->setMarkerColumn(WesternEntry::Marker);
        connect(v, &EntryGridView::advance, this, [this, tab](int r, int c) { westernAdvance(tab, r, c); });
        connect(v, &EntryGridView::lookup, this,
                [this, tab](int r, int c, const QString& typed) { westernLookup(tab, r, c, typed); });
        // The unit cell offers the sale and dosing units of the row's own item.
        connect(&western(tab).grid(), &ui::DataGrid::currentCellChanged, this, [this, tab](int r, int) {
            western(tab).grid().setColumnItems(WesternEntry::Unit, western(tab).unitChoices(r));
        });
        connect(v, &EntryGridView::markerTyped, this, [this, tab](int r, const QString& m) {
            western(tab).setMarker(r, m);
            views_[tab]->goTo(r, WesternEntry::Content);
        });
        stack_->addWidget(v);
    }
    // The herbal tab: the usage of the prescription above its grid.
    auto* herbalPane = new QWidget;
    auto* herbalLayout = new QVBoxLayout(herbalPane);
    herbalLayout->setContentsMargins(0, 0, 0, 0);
    auto* usageRow = new QHBoxLayout;
    usageRow->addWidget(new QLabel(QStringLiteral("处方用法：")));
    usage_ = new QComboBox;
    usage_->setObjectName(QStringLiteral("herbalUsage"));
    usage_->setMinimumWidth(320);
    usageRow->addWidget(usage_);
    total_ = new QLabel;
    total_->setObjectName(QStringLiteral("herbalTotal"));
    usageRow->addSpacing(24);
    usageRow->addWidget(total_);
    usageRow->addStretch();
    herbalLayout->addLayout(usageRow);
    views_[2] = makeView(&herbalGrid_);
    views_[2]->setLookupColumns({HerbalEntry::Herb});
    connect(views_[2], &EntryGridView::advance, this, [this](int r, int c) { herbalAdvance(r, c); });
    connect(views_[2], &EntryGridView::lookup, this, [this](int r, int, const QString& typed) { herbalLookup(r, typed); });
    connect(&herbalGrid_, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& from) {
        const int c = from.column();
        if (c == HerbalEntry::Doses && !settingDoses_) {
            // One number of doses for the prescription, whichever row it is typed on.
            settingDoses_ = true;
            herbal_.setDoses(herbalGrid_.text(from.row() + 1, c));
            settingDoses_ = false;
        }
        if (c == HerbalEntry::Amount || c == HerbalEntry::Price) herbal_.updateReference(from.row() + 1);
        if (c != HerbalEntry::Reference) showTotal();
    });
    herbalLayout->addWidget(views_[2]);
    stack_->addWidget(herbalPane);
    makeList(3, OrderKind::LongTerm);
    makeList(4, OrderKind::Temporary);
    makeList(5, OrderKind::Herbal);
    for (int tab = 6; tab < 7; ++tab) {
        auto* later = new QLabel(QStringLiteral("医嘱处方即将开放"));
        later->setAlignment(Qt::AlignCenter);
        stack_->addWidget(later);
    }
    // The order templates of the entry tab's kind beside its grid.
    // A splitter lets a narrow screen give the panel's room back to the grid.
    templates_ = new OrderTemplatePanel(files_, user_, ui_);
    templates_->setMinimumWidth(120);
    connect(templates_, &OrderTemplatePanel::applyRequested, this, &OrderPage::applyTemplate);
    auto* body = new QSplitter(Qt::Horizontal);
    body->setObjectName(QStringLiteral("orderBody"));
    body->addWidget(stack_);
    body->addWidget(templates_);
    body->setStretchFactor(0, 1);
    body->setStretchFactor(1, 0);
    body->setCollapsible(0, false);
    body->setSizes({1000, 170});
    layout->addWidget(body, 1);
    // Why the last save was refused, beside the message: the line and the value to mend.
    problem_ = new QLabel;
    problem_->setObjectName(QStringLiteral("saveProblem"));
    problem_->setStyleSheet(QStringLiteral("color: #c00000;"));
    layout->addWidget(problem_);

    pick_ = new PickList(this);
    connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) {
        stack_->setCurrentIndex(tab);
        templates_->setVisible(tab < 3);
        for (QPushButton* b : entryButtons_) b->setVisible(tab < 3);
        listHint_->setVisible(tab >= 3 && tab <= 5);
        for (QAction* a : menu_->actions()) a->setEnabled(tab < 3);
        if (tab < 3) {
            templates_->setKind(tab == 0 ? OrderKind::LongTerm : tab == 1 ? OrderKind::Temporary : OrderKind::Herbal);
            views_[tab]->setFocus();
        } else if (tab <= 5) {
            loadList(tab);
        }
    });
    templates_->setKind(OrderKind::LongTerm);
    chooseDrug_ = [this](const QStringList& drugs) -> std::optional<QString> {
        bool ok = false;
        const QString drug = QInputDialog::getItem(this, QStringLiteral("青禾电子病历"),
                                                   QStringLiteral("请选择过敏药物："), drugs, 0, false, &ok);
        if (!ok) return std::nullopt;
        return drug;
    };
    setContextMenuPolicy(Qt::DefaultContextMenu);
    showTotal();
}

OrderPage::~OrderPage() = default;

EntryGridView* OrderPage::makeView(ui::DataGrid* grid) {
    auto* v = new EntryGridView;
    v->setHorizontalHeader(new SpanningHeader(grid, v));
    v->setGrid(grid);
    QFont header(kHeaderFont, kHeaderFontSize);
    header.setBold(true);
    v->horizontalHeader()->setFont(header);
    v->horizontalHeader()->setStyleSheet(QStringLiteral("QHeaderView::section { color: #000080; }"));
    v->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(v, &QWidget::customContextMenuRequested, this,
            [this, v](const QPoint& at) { menu_->popup(v->viewport()->mapToGlobal(at)); });
    return v;
}

EntryGridView* OrderPage::view(int tab) const { return tab >= 0 && tab < 3 ? views_[tab] : nullptr; }

QString OrderPage::problem() const { return problem_->text(); }

int OrderPage::currentTab() const { return tabs_->currentIndex(); }

void OrderPage::showTab(int tab) { tabs_->setCurrentIndex(tab); }

void OrderPage::refresh() {
    const QString serial = selection_.isEmpty() ? QString() : selection_.serialNumber();
    if (serial != serial_) {
        // Lines are never carried over to another patient.
        longTerm_.reset();
        temporary_.reset();
        herbal_.reset();
        serial_ = serial;
    }
    if (currentTab() >= 3 && currentTab() <= 5) loadList(currentTab());
    templates_->refill();
    const QString chosen = usage_->currentText();
    usage_->clear();
    usage_->addItem(QString());
    usage_->addItems(lookup_.herbalUsages());
    usage_->setCurrentText(chosen);
    showTotal();
}

void OrderPage::addOrderRow() {
    const int tab = currentTab();
    if (tab > 2 || serial_.isEmpty()) return;
    const int r = tab == 2 ? herbal_.addRow() : western(tab).addRow();
    views_[tab]->goTo(r, tab == 2 ? int(HerbalEntry::Herb) : int(WesternEntry::Marker));
}

void OrderPage::insertOrderRow() {
    const int tab = currentTab();
    if (tab > 2 || serial_.isEmpty()) return;
    const int at = qMax(1, views_[tab]->currentGridRow());
    const int r = tab == 2 ? herbal_.insertRow(at) : western(tab).insertRow(at);
    views_[tab]->goTo(r, tab == 2 ? int(HerbalEntry::Herb) : int(WesternEntry::Marker));
}

void OrderPage::deleteOrderRow() {
    const int tab = currentTab();
    if (tab > 2) return;
    const int r = views_[tab]->currentGridRow();
    if (r < 1) return;
    if (tab == 2)
        herbal_.deleteRow(r);
    else
        western(tab).deleteRow(r);
    const ui::DataGrid* g = views_[tab]->grid();
    if (g->rows() > 1) views_[tab]->goTo(qMin(r, g->rows() - 1), views_[tab]->currentIndex().column());
    showTotal();
}

void OrderPage::saveOrders() {
    const int tab = currentTab();
    if (tab > 2 || serial_.isEmpty()) return;
    // The lines belong to the patient they were entered for; the selection must still be them.
    if (selection_.isEmpty() || selection_.serialNumber() != serial_) {
        refresh();
        return;
    }
    OrderSave saver(files_, user_, ui_);
    SaveResult result;
    if (tab == 2) {
        result = herbal_.save(saver, serial_, usage_->currentText());
        showTotal();
    } else {
        result = western(tab).save(saver, serial_, tab == 0 ? OrderKind::LongTerm : OrderKind::Temporary, ui_);
    }
    problem_->setText(result.outcome == SaveResult::Refused ? result.reason : QString());
    const ui::DataGrid* g = views_[tab]->grid();
    if (g->row() >= 1) views_[tab]->goTo(g->row(), g->col());
    views_[tab]->setFocus();
}

void OrderPage::makeList(int tab, OrderKind kind) {
    const int i = tab - 3;
    lists_[i] = std::make_unique<OrderListModel>(files_, user_, ui_, kind);
    auto* v = new OrderListView;
    v->setObjectName(QStringLiteral("orderList%1").arg(tab));
    v->setHorizontalHeader(new SpanningHeader(&lists_[i]->grid(), v));
    v->setGrid(&lists_[i]->grid());
    QFont header(kHeaderFont, 11);
    header.setBold(true);
    v->horizontalHeader()->setFont(header);
    v->horizontalHeader()->setStyleSheet(QStringLiteral("QHeaderView::section { color: #000080; }"));
    listViews_[i] = v;
    struct Item {
        const char* caption;
        OrderListModel::Outcome (OrderListModel::*op)();
    };
    QVector<Item> items;
    QString title;
    switch (kind) {
    case OrderKind::LongTerm:
        title = QStringLiteral("处理长期");
        items = {{"护士执行", &OrderListModel::execute},  {"停止医嘱", &OrderListModel::stop},
                 {"删除医嘱", &OrderListModel::remove},   {"作废医嘱", &OrderListModel::voidOrder},
                 {"重整医嘱", &OrderListModel::reorganise}, {"打印医嘱", nullptr}};
        break;
    case OrderKind::Temporary:
        title = QStringLiteral("处理临时");
        items = {{"护士执行", &OrderListModel::execute}, {"皮试阳性", nullptr}, {"皮试阴性", nullptr},
                 {"删除医嘱", &OrderListModel::remove},  {"作废医嘱", &OrderListModel::voidOrder},
                 {"打印临时", nullptr}};
        break;
    case OrderKind::Herbal:
        title = QStringLiteral("处理草药");
        items = {{"护士执行", &OrderListModel::execute}};
        break;
    }
    auto* menu = new QMenu(title, this);
    for (const Item& item : items) {
        const QString caption = QString::fromUtf8(item.caption);
        QAction* action = menu->addAction(caption);
        if (item.op) {
            if (item.op == &OrderListModel::execute) action->setShortcut(QKeySequence(Qt::Key_Return));
            connect(action, &QAction::triggered, this, [this, tab, op = item.op] { runOnList(tab, op); });
        } else if (caption.startsWith(u"皮试")) {
            const bool positive = caption == u"皮试阳性";
            connect(action, &QAction::triggered, this, [this, tab, positive] {
                lists_[tab - 3]->recordSkinTest(positive);
                listViews_[tab - 3]->setFocus();
            });
        } else {
            // The order sheets are printed by whoever installs the printer.
            printActions_[kind == OrderKind::LongTerm ? 0 : 1] = action;
            action->setEnabled(false);
            action->setToolTip(shell::kNotAvailableTip);
            connect(action, &QAction::triggered, this, [this, kind] {
                if (printSheet_) printSheet_(kind);
            });
        }
    }
    listMenus_[i] = menu;
    connect(v, &QWidget::customContextMenuRequested, this, [menu, v](const QPoint& at) {
        menu->popup(v->viewport()->mapToGlobal(at));
    });
    connect(v, &OrderListView::executeKey, this, [this, tab] { runOnList(tab, &OrderListModel::execute); });
    stack_->addWidget(v);
}

void OrderPage::loadList(int tab) {
    OrderListModel* m = list(tab);
    if (!m) return;
    const bool discharged = !selection_.isEmpty() && selection_.listStatus() == shell::PatientStatus::Discharged;
    const QString serial = selection_.isEmpty() ? QString() : selection_.serialNumber();
    if (serial == m->serial() && m->grid().rows() > 1)
        m->reload();
    else
        m->load(serial, discharged);
    if (m->selectedRow() == 0 && m->grid().rows() > 1) m->select(qMax(1, m->nextWaitingRow(0)));
}

void OrderPage::runOnList(int tab, OrderListModel::Outcome (OrderListModel::*op)()) {
    OrderListModel* m = list(tab);
    if (!m) return;
    ((*m).*op)();
    listViews_[tab - 3]->setFocus();
}

void OrderPage::setSheetPrinter(std::function<void(OrderKind)> print) {
    printSheet_ = std::move(print);
    for (QAction* a : printActions_) {
        if (!a) continue;
        a->setEnabled(bool(printSheet_));
        a->setToolTip(printSheet_ ? QString() : shell::kNotAvailableTip);
    }
}

void OrderPage::startPostOperative() {
    if (serial_.isEmpty() || selection_.isEmpty() || selection_.serialNumber() != serial_) return;
    // A post-operative batch is a batch of long-term orders.
    if (currentTab() != 0) showTab(0);
    OrderLifecycle lifecycle(files_, user_.userName, user_.department);
    if (orders::startPostOperative(lifecycle, serial_, longTerm_, ui_))
        views_[0]->goTo(longTerm_.editRow(), WesternEntry::Marker);
}

void OrderPage::saveAsTemplate() {
    const int tab = currentTab();
    if (tab > 2) return;
    OrderTemplates templates(files_, user_, ui_);
    const qint64 sid = tab == 2 ? templates.save(herbal_)
                                : templates.save(western(tab), tab == 0 ? OrderKind::LongTerm : OrderKind::Temporary);
    if (sid > 0) templates_->refill();
}

void OrderPage::applyTemplate(qint64 sid) {
    const int tab = currentTab();
    if (tab > 2 || serial_.isEmpty()) return;
    OrderTemplates templates(files_, user_, ui_);
    const int added = tab == 2 ? templates.apply(sid, herbal_)
                               : templates.apply(sid, western(tab), tab == 0 ? OrderKind::LongTerm : OrderKind::Temporary);
    if (tab == 2) showTotal();
    if (added > 0)
        views_[tab]->goTo(views_[tab]->grid()->rows() - 1,
                          tab == 2 ? int(HerbalEntry::Herb) : int(WesternEntry::Marker));
}

void OrderPage::westernAdvance(int tab, int row, int col) {
    WesternEntry& entry = western(tab);
    ui::DataGrid& g = entry.grid();
    EntryGridView* v = views_[tab];
    CellMove next{row, nextWesternColumn(col)};
    switch (col) {
    case WesternEntry::Content:
        if (g.text(row, col).trimmed().isEmpty()) {
            westernLookup(tab, row, col, QString());
            return;
        }
        // Text typed into the cell itself (F2) is a free-text order; so is an item's content
        // rewritten by hand, which no longer names the item it was taken for.
        if (const QString id = g.text(row, WesternEntry::ItemId).trimmed(); id.isEmpty()) {
            entry.takeText(row, g.text(row, col).trimmed());
        } else {
            const std::optional<OrderItem> item = lookup_.item(id.toLongLong());
            const QString content = g.text(row, col).trimmed();
            const bool names = item && (content == item->name ||
                                        (isSkinTestItem(item->name) && content.endsWith(item->name + kSkinTestPlaceholder)));
            if (!names) entry.takeText(row, content);
        }
        break;
    case WesternEntry::Quantity:
        if (g.text(row, col).trimmed().isEmpty()) break;
        next = entry.quantityEntered(row);
        break;
    case WesternEntry::Unit:
        next = entry.unitSettled(row);
        break;
    case WesternEntry::Dose:
        next = entry.doseEntered(row);
        break;
    case WesternEntry::Route:
        if (g.text(row, col).trimmed().isEmpty()) {
            westernLookup(tab, row, col, QString());
            return;
        }
        break;
    case WesternEntry::Frequency: {
        const QString typed = g.text(row, col).trimmed();
        if (typed.isEmpty()) {
            westernLookup(tab, row, col, QString());
            return;
        }
        UsageEntry frequency{QString(), typed, QString()};
        for (const UsageEntry& u : lookup_.usages(typed, true))
            if (u.name == typed) frequency = u;
        next = entry.frequencyTaken(row, frequency);
        break;
    }
    case WesternEntry::PerDayUnit:
        next = {row + 1 < g.rows() ? row + 1 : entry.addRow(), WesternEntry::Marker};
        break;
    default:
        break;
    }
    v->goTo(next.row, next.col);
}

void OrderPage::westernLookup(int tab, int row, int col, const QString& typed) {
    EntryGridView* v = views_[tab];
    disconnect(pick_, nullptr, this, nullptr);
    if (col == WesternEntry::Content) {
        // Items, and the free-text orders kept in the settings, which need no item.
        const QStringList freeTexts = lookup_.freeTextOrders();
        auto items = std::make_shared<QVector<OrderItem>>();
        pick_->open(v->belowCurrentCell(), typed, [this, items, freeTexts](ui::DataGrid& g, const QString& text) {
            *items = lookup_.find(text, false);
            fillItemPickList(g, *items, false);
            for (const QString& f : freeTexts)
                if (g.rows() <= ItemLookup::kMaxRows &&
                    (text.isEmpty() || f.contains(text) || text::searchInitials(f).contains(text, Qt::CaseInsensitive)))
                    g.addRow({QString(), f, QStringLiteral("文字医嘱")});
        });
        connect(pick_, &PickList::taken, this, [this, tab, row, items](int r) {
            WesternEntry& e = western(tab);
            if (r - 1 < items->size()) {
                CellMove next{row, WesternEntry::Quantity};
                if (e.takeItem(row, items->at(r - 1), lookup_.skinTestDrugs(), chooseDrug_, ui_, &next))
                    views_[tab]->goTo(next.row, next.col);
                else
                    views_[tab]->goTo(row, WesternEntry::Content);
            } else {
                e.takeText(row, pick_->grid().text(r, 1));
                views_[tab]->goTo(row, WesternEntry::Route);
            }
        });
    } else {
        const bool frequency = col == WesternEntry::Frequency;
        auto usages = std::make_shared<QVector<UsageEntry>>();
        pick_->open(v->belowCurrentCell(), typed, [this, usages, frequency](ui::DataGrid& g, const QString& text) {
            *usages = lookup_.usages(text, frequency);
            fillUsagePickList(g, *usages);
        });
        connect(pick_, &PickList::taken, this, [this, tab, row, usages, frequency](int r) {
            WesternEntry& e = western(tab);
            const UsageEntry u = usages->at(r - 1);
            const CellMove next = frequency ? e.frequencyTaken(row, u) : e.routeTaken(row, u.name);
            views_[tab]->goTo(next.row, next.col);
        });
    }
    connect(pick_, &PickList::cancelled, this, [v] { v->setFocus(); });
}

void OrderPage::herbalAdvance(int row, int col) {
    ui::DataGrid& g = herbal_.grid();
    EntryGridView* v = views_[2];
    switch (col) {
    case HerbalEntry::Herb:
        if (g.text(row, col).trimmed().isEmpty()) {
            herbalLookup(row, QString());
            return;
        }
        v->goTo(row, HerbalEntry::Amount);
        return;
    case HerbalEntry::Amount:
        herbal_.updateReference(row);
        v->goTo(row, herbal_.doses().isEmpty() ? int(HerbalEntry::Doses) : int(HerbalEntry::SpecialUsage));
        return;
    case HerbalEntry::Doses:
        herbal_.setDoses(g.text(row, col));
        v->goTo(row, HerbalEntry::SpecialUsage);
        return;
    case HerbalEntry::SpecialUsage:
    case HerbalEntry::Price:
    case HerbalEntry::Reference: {
        herbal_.updateReference(row);
        const int next = row + 1 < g.rows() ? row + 1 : herbal_.addRow();
        v->goTo(next, HerbalEntry::Herb);
        return;
    }
    default:
        v->goTo(row, col + 1 <= HerbalEntry::Reference ? col + 1 : int(HerbalEntry::Herb));
    }
}

void OrderPage::herbalLookup(int row, const QString& typed) {
    disconnect(pick_, nullptr, this, nullptr);
    auto items = std::make_shared<QVector<OrderItem>>();
    pick_->open(views_[2]->belowCurrentCell(), typed, [this, items](ui::DataGrid& g, const QString& text) {
        *items = lookup_.find(text, true);
        fillItemPickList(g, *items, true);
    });
    connect(pick_, &PickList::taken, this, [this, row, items](int r) {
        const CellMove next = herbal_.takeItem(row, items->at(r - 1));
        views_[2]->goTo(next.row, next.col);
        showTotal();
    });
    connect(pick_, &PickList::cancelled, this, [this] { views_[2]->setFocus(); });
}

void OrderPage::showTotal() {
    total_->setText(QStringLiteral("参考金额合计：") + numberText(herbal_.total()));
}

}  // namespace qh::orders
