#include "catalogue/ui/CatalogueWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "interaction/ui/DataGridView.h"

namespace qh::catalogue {
namespace {

const QStringList kGridColumns = {QStringLiteral("编码"),     QStringLiteral("项目名称"), QStringLiteral("药品规格"),
                                  QStringLiteral("药品单位"), QStringLiteral("药品价格"), QStringLiteral("剂量单位"),
                                  QStringLiteral("剂量单价"), QStringLiteral("库存数量"), QStringLiteral("项目属性"),
                                  QStringLiteral("医保")};

}  // namespace

CatalogueWindow::CatalogueWindow(const store::DataDirectory& files, ui::UserInterface& ui, Mode mode, QWidget* parent)
    : QDialog(parent), catalogue_(files, ui, mode), grid_(kGridColumns.size()) {
    const bool drug = mode == Mode::Drug;
    setObjectName(QStringLiteral("catalogueWindow"));
    setWindowTitle(catalogue_.caption());
    lists_ = catalogue_.lists();

    auto* layout = new QHBoxLayout(this);
    // Search: category, text, results.
    auto* left = new QVBoxLayout;
    auto* searchRow = new QHBoxLayout;
    kind_ = new QComboBox;
    kind_->addItem(QStringLiteral("西药"), int(SearchKind::WesternDrugs));
    kind_->addItem(QStringLiteral("中成药"), int(SearchKind::PatentDrugs));
    kind_->addItem(QStringLiteral("中草药"), int(SearchKind::Herbs));
    kind_->addItem(QStringLiteral("材料"), int(SearchKind::Materials));
    kind_->addItem(QStringLiteral("收费项目"), int(SearchKind::FeeItems));
    kind_->setCurrentIndex(drug ? 0 : 4);
    searchText_ = new QLineEdit;
    searchText_->setPlaceholderText(QStringLiteral("名称或检索码"));
    auto* find = new QPushButton(QStringLiteral("查询"));
    searchRow->addWidget(new QLabel(QStringLiteral("类别：")));
    searchRow->addWidget(kind_);
    searchRow->addWidget(searchText_, 1);
    searchRow->addWidget(find);
    left->addLayout(searchRow);
    grid_.setHeader(kGridColumns);
    const int widths[] = {40, 180, 100, 60, 60, 55, 55, 0, 70, 50};
    for (int c = 0; c < kGridColumns.size(); ++c) grid_.setColumnWidth(c, widths[c]);
    grid_.setColumnHidden(7, true);  // stock is not kept here
    view_ = new ui::DataGridView;
    view_->setGrid(&grid_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->verticalHeader()->setDefaultSectionSize(22);
    left->addWidget(view_, 1);
    layout->addLayout(left, 3);
    connect(find, &QPushButton::clicked, this, &CatalogueWindow::search);
    connect(searchText_, &QLineEdit::returnPressed, this, &CatalogueWindow::search);
    connect(kind_, &QComboBox::currentIndexChanged, this, &CatalogueWindow::search);
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& now) { loadRow(now.row() + 1); });

    // The form.
    auto* right = new QVBoxLayout;
    auto* box = new QGroupBox(drug ? QStringLiteral("药品") : QStringLiteral("费用项目"));
    auto* form = new QFormLayout(box);
    auto addField = [this, form](const QString& column, const QString& label) {
        auto* edit = new QLineEdit;
        edit->setObjectName(column);
        fields_.insert(column, edit);
        form->addRow(label, edit);
        return edit;
    };
    addField(QStringLiteral("xmmc"), drug ? QStringLiteral("药品名称") : QStringLiteral("项目名称"));
    addField(QStringLiteral("xmsy"), QStringLiteral("检索码"))->setPlaceholderText(QStringLiteral("空：名称的拼音首字母"));
    addField(QStringLiteral("it_code"), QStringLiteral("编码"));
    category_ = new QComboBox;
    category_->addItem(QString(), 0);
    for (const Category& c : lists_.categories) category_->addItem(c.name, c.number);
    form->addRow(QStringLiteral("类别"), category_);
    type_ = new QComboBox;
    type_->setEditable(true);
    type_->addItems(drug ? lists_.drugClasses + lists_.departments : lists_.departments);
    type_->setCurrentText(QString());
    form->addRow(drug ? QStringLiteral("药品分类") : QStringLiteral("执行科室"), type_);
    if (drug) addField(QStringLiteral("xmgg"), QStringLiteral("药品规格"));
    addField(QStringLiteral("xmdw"), drug ? QStringLiteral("药品单位") : QStringLiteral("单位"));
    addField(QStringLiteral("xmdj"), drug ? QStringLiteral("药品价格") : QStringLiteral("价格"));
    if (drug) {
        doseUnit_ = new QComboBox;
        doseUnit_->setEditable(true);
        doseUnit_->addItems(lists_.doseUnits);
        doseUnit_->setCurrentText(QString());
        form->addRow(QStringLiteral("剂量单位"), doseUnit_);
    } else {
        addField(QStringLiteral("jldw"), QStringLiteral("剂量单位"));
    }
    addField(QStringLiteral("jldj"), QStringLiteral("剂量单价"));
    addField(QStringLiteral("yblb"), QStringLiteral("医保"));
    if (drug) {
        addField(QStringLiteral("pfdj"), QStringLiteral("批发价格"));
        addField(QStringLiteral("clbl"), QStringLiteral("拆零比例"));
        addField(QStringLiteral("plbl"), QStringLiteral("批零比例"));
        form_ = new QComboBox;
        form_->setEditable(true);
        form_->addItems(lists_.forms);
        form_->setCurrentText(QString());
        form->addRow(QStringLiteral("药品剂型"), form_);
        addField(QStringLiteral("xmsx"), QStringLiteral("项目属性"));
        addField(QStringLiteral("yzjl"), QStringLiteral("默认剂量"));
        addField(QStringLiteral("yzdw"), QStringLiteral("剂量单位(医嘱)"));
        addField(QStringLiteral("dm"), QStringLiteral("代码"));
        addField(QStringLiteral("gz"), QStringLiteral("归属"));
        addField(QStringLiteral("cf"), QStringLiteral("成分"));
        addField(QStringLiteral("zz"), QStringLiteral("主治"));
        skinTest_ = new QCheckBox(QStringLiteral("需要皮试"));
        form->addRow(QString(), skinTest_);
    }
    right->addWidget(box);
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("catalogueStatus"));
    status_->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    right->addWidget(status_);
    auto* commands = new QHBoxLayout;
    const struct {
        QString caption;
        void (CatalogueWindow::*run)();
    } buttons[] = {{catalogue_.caption(), &CatalogueWindow::addItem},
                   {QStringLiteral("保存修改"), &CatalogueWindow::saveItem},
                   {QStringLiteral("禁止使用"), &CatalogueWindow::disableItem},
                   {QStringLiteral("解除禁止"), &CatalogueWindow::enableItem}};
    for (const auto& b : buttons) {
        auto* button = new QPushButton(b.caption);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, b.run);
        commands->addWidget(button);
    }
    right->addLayout(commands);
    right->addStretch();
    layout->addLayout(right, 2);
    resize(1100, 640);
    search();
}

QString CatalogueWindow::status() const { return status_->text(); }

void CatalogueWindow::search() {
    const QVector<Found> found = catalogue_.search(SearchKind(kind_->currentData().toInt()), searchText_->text());
    grid_.clearRows();
    for (const Found& f : found) {
        const int r = grid_.addRow({QString::number(f.xmid), f.name, f.spec, f.unit, f.price, f.doseUnit, f.dosePrice,
                                    QString(), f.attribute, f.insurance});
        grid_.setRowValue(r, f.xmid);
        if (f.state == u"Del") grid_.setRowForeColor(r, 0xC0C0C0);
    }
}

void CatalogueWindow::loadRow(int r) {
    if (r < 1 || r >= grid_.rows()) return;
    if (const std::optional<Item> item = catalogue_.load(grid_.rowValue(r).toLongLong())) showItem(*item);
}

void CatalogueWindow::showItem(const Item& item) {
    current_ = item;
    const QHash<QString, QString> values = {
        {QStringLiteral("xmmc"), item.name},      {QStringLiteral("xmsy"), item.initials},
        {QStringLiteral("it_code"), item.itCode}, {QStringLiteral("xmgg"), item.spec},
        {QStringLiteral("xmdw"), item.unit},      {QStringLiteral("xmdj"), item.price},
        {QStringLiteral("jldw"), item.doseUnit},  {QStringLiteral("jldj"), item.dosePrice},
        {QStringLiteral("yblb"), item.insurance}, {QStringLiteral("pfdj"), item.wholesale},
        {QStringLiteral("clbl"), item.ratio1},    {QStringLiteral("plbl"), item.ratio2},
        {QStringLiteral("xmsx"), item.attribute}, {QStringLiteral("yzjl"), item.defaultDose},
        {QStringLiteral("yzdw"), item.defaultDoseUnit}, {QStringLiteral("dm"), item.dm},
        {QStringLiteral("gz"), item.gz},          {QStringLiteral("cf"), item.cf},
        {QStringLiteral("zz"), item.zz}};
    for (auto it = fields_.cbegin(); it != fields_.cend(); ++it) it.value()->setText(values.value(it.key()));
    category_->setCurrentIndex(qMax(0, category_->findData(item.category)));
    type_->setCurrentText(item.type);
    if (doseUnit_) doseUnit_->setCurrentText(item.doseUnit);
    if (form_) form_->setCurrentText(item.form);
    if (skinTest_) skinTest_->setChecked(item.skinTest.trimmed() == u"1");
    status_->setText(catalogue_.statusText(item));
}

Item CatalogueWindow::formItem() const {
    Item i = current_;
    auto f = [this](const char* column) {
        QLineEdit* e = fields_.value(QString::fromLatin1(column));
        return e ? e->text() : QString();
    };
    i.name = f("xmmc");
    i.initials = f("xmsy");
    i.itCode = f("it_code");
    i.category = category_->currentData().toInt();
    i.type = type_->currentText();
    i.spec = f("xmgg");
    i.unit = f("xmdw");
    i.price = f("xmdj");
    i.doseUnit = doseUnit_ ? doseUnit_->currentText() : f("jldw");
    i.dosePrice = f("jldj");
    i.insurance = f("yblb");
    i.wholesale = f("pfdj");
    i.ratio1 = f("clbl");
    i.ratio2 = f("plbl");
    i.form = form_ ? form_->currentText() : QString();
    i.attribute = f("xmsx");
    i.defaultDose = f("yzjl");
    i.defaultDoseUnit = f("yzdw");
    i.dm = f("dm");
    i.gz = f("gz");
    i.cf = f("cf");
    i.zz = f("zz");
    if (skinTest_) i.skinTest = skinTest_->isChecked() ? QStringLiteral("1") : QString();
    return i;
}

void CatalogueWindow::addItem() {
    qint64 id = 0;
    const Item item = formItem();
    const bool added = catalogue_.mode() == Mode::Drug ? catalogue_.addDrug(item, &id) : catalogue_.addFeeItem(item, &id);
    if (!added) return;
    if (const std::optional<Item> stored = catalogue_.load(id)) showItem(*stored);
    search();
}

void CatalogueWindow::saveItem() {
    if (current_.xmid <= 0) return;
    if (catalogue_.save(formItem())) {
        if (const std::optional<Item> stored = catalogue_.load(current_.xmid)) showItem(*stored);
        search();
    }
}

void CatalogueWindow::disableItem() {
    if (current_.xmid > 0 && catalogue_.disable(current_))
        if (const std::optional<Item> stored = catalogue_.load(current_.xmid)) showItem(*stored);
}

void CatalogueWindow::enableItem() {
    if (current_.xmid > 0 && catalogue_.enable(current_))
        if (const std::optional<Item> stored = catalogue_.load(current_.xmid)) showItem(*stored);
}

}  // namespace qh::catalogue
