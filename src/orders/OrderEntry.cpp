#include "orders/OrderEntry.h"

#include <cmath>

#include "common/Clock.h"
#include "orders/OrderModel.h"

namespace qh::orders {
namespace {

void styleHeader(ui::DataGrid& g) {
    g.setRowHeight(0, kHeaderHeight);
    g.setRowFontStyle(0, ui::Bold);
    g.setRowForeColor(0, kHeaderColour);
}

QString nowText() { return dateTimeToText(Clock::now().date()); }

double cellNumber(const ui::DataGrid& g, int r, int c, bool* ok) {
    const StrictNumber n = parseStrictNumber(g.text(r, c));
    *ok = n.ok && !n.empty;
    return n.value;
}

bool isDrugCategory(const QString& category) {
    const QString c = category.trimmed();
    return c == u"XMLB001" || c == u"XMLB002" || c == u"XMLB003";
}

}  // namespace

// ---------------------------------------------------------------- western grid

void WesternEntry::reset() {
    grid_.clearRows();
    grid_.clearMerges();
    grid_.setCols(ColumnCount);
    grid_.setHeader({QStringLiteral("序号"), QStringLiteral("医嘱日期"), QStringLiteral("组"),
                     QStringLiteral("医  嘱  内  容"), QStringLiteral("规格"), QStringLiteral("开具数量"), QString(),
                     QStringLiteral("医嘱剂量"), QString(), QStringLiteral("用药方式"), QStringLiteral("医嘱频次"),
                     QStringLiteral("医生签名"), QString(), QString(), QString(), QString(), QString(), QString(),
                     QStringLiteral("每日数量"), QString()});
    static const int widths[ColumnCount] = {40, 130, 50, 280, 100, 40, 40, 50, 40, 80, 80, 80, 0, 0, 0, 0, 0, 0, 40, 30};
    for (int c = 0; c < ColumnCount; ++c) {
        grid_.setColumnWidth(c, widths[c]);
        grid_.setColumnHidden(c, c >= ItemId && c <= Category);
        grid_.setColumnItems(c, {});
    }
    grid_.setColumnItems(Marker, kMarkers);
    grid_.mergeCells(0, Quantity, 0, Unit);
    grid_.mergeCells(0, Dose, 0, DoseUnit);
    grid_.mergeCells(0, PerDay, 0, PerDayUnit);
    styleHeader(grid_);
    grid_.setEditable(true);
}

int WesternEntry::addRow() { return insertRow(grid_.rows()); }

int WesternEntry::insertRow(int before) {
    if (before < 1 || before > grid_.rows()) before = grid_.rows();
    grid_.insertRow(before);
    grid_.setText(before, Date, nowText());
    grid_.setText(before, Doctor, user_);
    number();
    return before;
}

void WesternEntry::deleteRow(int r) {
    if (r < 1 || r >= grid_.rows()) return;
    grid_.removeRow(r);
    number();
}

int WesternEntry::editRow() {
    const int last = grid_.rows() - 1;
    if (last >= 1 && grid_.text(last, Content).trimmed().isEmpty()) return last;
    return addRow();
}

void WesternEntry::number() {
    for (int r = 1; r < grid_.rows(); ++r) grid_.setText(r, No, QString::number(r));
}

void WesternEntry::shade(int r) {
    const QString m = grid_.text(r, Marker).trimmed();
    const qint64 colour = m == kSingle ? kSingleShade : m == kNewGroup ? kNewGroupShade : m == kInGroup ? kInGroupShade : -1;
    for (int c = 0; c < grid_.cols(); ++c) {
        if (colour >= 0)
            grid_.setCellBackColor(r, c, quint32(colour));
        else
            grid_.setCellBackColor(r, c, 0xFFFFFF);
    }
}

void WesternEntry::setMarker(int r, const QString& marker) {
    if (r < 1 || r >= grid_.rows()) return;
    grid_.setText(r, Marker, marker.trimmed());
    shade(r);
}

bool WesternEntry::takeItem(int r, const OrderItem& item, const QStringList& skinTestDrugs,
                            const AllergyDrugChooser& choose, ui::UserInterface& ui, CellMove* next) {
    if (r < 1 || r >= grid_.rows()) return false;
    QString content = item.name;
    if (isSkinTestItem(item.name)) {
        const std::optional<QString> drug = choose ? choose(skinTestDrugs) : std::nullopt;
        if (!drug || drug->trimmed().isEmpty() || !skinTestDrugs.contains(drug->trimmed())) {
            ui.messageDialog(kChooseAllergyDrug);
            return false;
        }
        content = skinTestContent(drug->trimmed(), item.name);
    }
    grid_.setText(r, Content, content);
    grid_.setText(r, ItemId, QString::number(item.xmid));
    grid_.setText(r, Attribute, item.attribute);
    grid_.setText(r, DefaultDose, item.defaultDose);
    grid_.setText(r, DefaultDoseUnit, item.defaultDoseUnit);
    grid_.setText(r, Category, item.category);
    if (item.isSupply()) {
        grid_.setText(r, Spec, item.spec);
        grid_.setText(r, DrugFlag, QStringLiteral("yp"));
        grid_.setText(r, Unit, item.doseUnit);
        QStringList units;
        for (const QString& u : {item.unit, item.doseUnit})
            if (!u.trimmed().isEmpty() && !units.contains(u)) units << u;
        grid_.setRowValue(r, units);
    } else {
        // Nursing, examinations and the like stand alone and need no dose, route or frequency.
        grid_.setText(r, Spec, QString());
        grid_.setText(r, DrugFlag, QString());
        grid_.setText(r, Marker, kSingle);
        grid_.setText(r, Unit, item.doseUnit);
        grid_.setRowValue(r, QVariant());
    }
    shade(r);
    if (next) *next = {r, Quantity};
    return true;
}

void WesternEntry::takeText(int r, const QString& text) {
    if (r < 1 || r >= grid_.rows()) return;
    grid_.setText(r, Content, text);
    // A free-text order stands alone unless the doctor put it in a group.
    if (grid_.text(r, Marker).trimmed().isEmpty()) setMarker(r, kSingle);
    for (int c : {int(Spec), int(ItemId), int(DrugFlag), int(Attribute), int(DefaultDose), int(DefaultDoseUnit),
                  int(Category)})
        grid_.setText(r, c, QString());
    grid_.setRowValue(r, QVariant());
}

QStringList WesternEntry::unitChoices(int r) const { return grid_.rowValue(r).toStringList(); }

CellMove WesternEntry::quantityEntered(int r) {
    if (isDrugCategory(grid_.text(r, Category))) return {r, Unit};
    grid_.setText(r, PerDay, grid_.text(r, Quantity));
    grid_.setText(r, PerDayUnit, grid_.text(r, Unit));
    return {addRow(), Marker};
}

CellMove WesternEntry::unitSettled(int r) {
    grid_.setText(r, PerDay, grid_.text(r, Quantity));
    grid_.setText(r, PerDayUnit, grid_.text(r, Unit));
    const QString marker = grid_.text(r, Marker).trimmed();
    bool okQuantity = false;
    const double quantity = cellNumber(grid_, r, Quantity, &okQuantity);
    if (marker == kSingle) {
        bool okDose = false;
        const double perUnit = cellNumber(grid_, r, DefaultDose, &okDose);
        if (okQuantity && okDose) grid_.setText(r, Dose, numberText(quantity * perUnit));
        grid_.setText(r, DoseUnit, grid_.text(r, DefaultDoseUnit).trimmed());
    } else if (marker == kInGroup && r > 1) {
        bool okAbovePerDay = false, okAboveQuantity = false;
        const double abovePerDay = cellNumber(grid_, r - 1, PerDay, &okAbovePerDay);
        const double aboveQuantity = cellNumber(grid_, r - 1, Quantity, &okAboveQuantity);
        if (okQuantity && okAbovePerDay && okAboveQuantity && aboveQuantity != 0) {
            const double k = std::floor(abovePerDay / aboveQuantity);
            grid_.setText(r, PerDay, numberText(quantity * k));
        }
    }
    return {r, Dose};
}

CellMove WesternEntry::doseEntered(int r) {
    // A dose figure without a unit takes the item's dose unit.
    if (!grid_.text(r, Dose).trimmed().isEmpty() && grid_.text(r, DoseUnit).trimmed().isEmpty())
        grid_.setText(r, DoseUnit, grid_.text(r, DefaultDoseUnit).trimmed());
    if (grid_.text(r, Marker).trimmed() == kInGroup && r > 1) {
        for (int c : {int(Route), int(Frequency)}) {
            const QString above = grid_.text(r - 1, c);
            if (above.trimmed().isEmpty()) continue;
            grid_.setText(r, c, above);
            grid_.setText(r - 1, c, QString());
        }
        return {addRow(), Marker};
    }
    return {r, Route};
}

CellMove WesternEntry::routeTaken(int r, const QString& route) {
    grid_.setText(r, Route, route);
    return {r, Frequency};
}

CellMove WesternEntry::frequencyTaken(int r, const UsageEntry& frequency) {
    grid_.setText(r, Frequency, frequency.name);
    const QString marker = grid_.text(r, Marker).trimmed();
    if (marker == kSingle) {
        grid_.setText(r, PerDay, grid_.text(r, Quantity));
    } else {
        bool ok = false;
        const double quantity = cellNumber(grid_, r, Quantity, &ok);
        if (ok) grid_.setText(r, PerDay, numberText(quantity * frequency.timesPerDay()));
    }
    grid_.setText(r, PerDayUnit, grid_.text(r, Unit));
    return {addRow(), Marker};
}

bool WesternEntry::hasData() const {
    for (int r = 1; r < grid_.rows(); ++r)
        if (!grid_.text(r, Content).trimmed().isEmpty()) return true;
    return false;
}

bool WesternEntry::lines(QVector<EntryLine>* out, int* conflictRow) const {
    QVector<EntryLine> lines;
    for (int r = 1; r < grid_.rows(); ++r) {
        auto t = [&](int c) { return grid_.text(r, c); };
        lines.append({t(Date), t(Marker).trimmed(), t(Content).trimmed(), t(Spec), t(Quantity).trimmed(), t(Unit),
                      t(Dose).trimmed(), t(DoseUnit), t(Route).trimmed(), t(Frequency).trimmed(), t(Doctor),
                      t(ItemId).trimmed(), t(DrugFlag), t(Attribute), t(DefaultDose), t(DefaultDoseUnit), t(Category),
                      t(PerDay).trimmed(), t(PerDayUnit)});
    }
    // A group: a "新组" line and the "承组" (or unmarked) lines that follow it; lines without
    // content are left out of the batch and so neither end nor join a group.
    int i = 0;
    while (i < lines.size()) {
        if (lines[i].content.isEmpty() || lines[i].marker != kNewGroup) {
            ++i;
            continue;
        }
        QVector<int> members{i};
        int j = i + 1;
        for (; j < lines.size(); ++j) {
            if (lines[j].content.isEmpty()) continue;
            if (lines[j].marker != kInGroup && !lines[j].marker.isEmpty()) break;
            members.append(j);
        }
        for (QString EntryLine::*field : {&EntryLine::route, &EntryLine::frequency}) {
            QString value;
            for (int m : members) {
                const QString v = lines[m].*field;
                if (v.isEmpty()) continue;
                if (!value.isEmpty() && v != value) {
                    if (conflictRow) *conflictRow = m + 1;
                    return false;
                }
                value = v;
            }
            for (int m : members) lines[m].*field = QString();
            lines[members.last()].*field = value;
        }
        i = j;
    }
    *out = lines;
    return true;
}

SaveResult WesternEntry::save(OrderSave& saver, const QString& serial, OrderKind kind, ui::UserInterface& ui) {
    if (serial.trimmed().isEmpty()) return SaveResult();
    QVector<EntryLine> batch;
    int conflict = 0;
    if (!lines(&batch, &conflict)) {
        ui.messageDialog(kSaveFailed);
        SaveResult r;
        r.outcome = SaveResult::Refused;
        r.badLine = conflict;
        r.reason = QStringLiteral("第%1行：一组医嘱只能有一个用法和一个频次").arg(conflict);
        grid_.setCurrent(conflict, Route);
        return r;
    }
    const SaveResult r = saver.saveWestern(serial, kind, batch);
    if (r.saved())
        reset();
    else if (r.badLine > 0)
        grid_.setCurrent(r.badLine, Content);
    return r;
}

// ---------------------------------------------------------------- herbal grid

const QStringList& HerbalEntry::specialUsages() {
    static const QStringList list = {QStringLiteral("先煎"), QStringLiteral("包煎"), QStringLiteral("后下"),
                                     QStringLiteral("冲服"), QStringLiteral("另煎")};
    return list;
}

void HerbalEntry::reset() {
    grid_.clearRows();
    grid_.clearMerges();
    grid_.setCols(ColumnCount);
    grid_.setHeader({QStringLiteral("序号"), QStringLiteral("医嘱日期"), QString(), QStringLiteral("处  方  药  物"),
                     QStringLiteral("特殊用法"), QStringLiteral("剂量"), QStringLiteral("单位"),
                     QStringLiteral("处方付数"), QStringLiteral("单价"), QStringLiteral("下嘱医生"),
                     QStringLiteral("参考金额"), QString(), QString(), QString(), QString(), QString()});
    static const int widths[ColumnCount] = {40, 140, 6, 150, 80, 40, 40, 70, 50, 70, 70, 0, 0, 0, 0, 0};
    for (int c = 0; c < ColumnCount; ++c) {
        grid_.setColumnWidth(c, widths[c]);
        grid_.setColumnHidden(c, c >= ItemId);
        grid_.setColumnItems(c, {});
    }
    grid_.setColumnItems(SpecialUsage, specialUsages());
    styleHeader(grid_);
    grid_.setEditable(true);
}

int HerbalEntry::addRow() { return insertRow(grid_.rows()); }

int HerbalEntry::insertRow(int before) {
    if (before < 1 || before > grid_.rows()) before = grid_.rows();
    const QString d = doses();
    grid_.insertRow(before);
    grid_.setText(before, Date, nowText());
    grid_.setText(before, Doctor, user_);
    grid_.setText(before, Doses, d);
    number();
    return before;
}

void HerbalEntry::deleteRow(int r) {
    if (r < 1 || r >= grid_.rows()) return;
    grid_.removeRow(r);
    number();
}

int HerbalEntry::editRow() {
    const int last = grid_.rows() - 1;
    if (last >= 1 && grid_.text(last, Herb).trimmed().isEmpty()) return last;
    return addRow();
}

void HerbalEntry::number() {
    for (int r = 1; r < grid_.rows(); ++r) grid_.setText(r, No, QString::number(r));
}

CellMove HerbalEntry::takeItem(int r, const OrderItem& item) {
    if (r < 1 || r >= grid_.rows()) return {};
    grid_.setText(r, Herb, item.name);
    grid_.setText(r, Spec, item.spec);
    grid_.setText(r, ItemId, QString::number(item.xmid));
    grid_.setText(r, Price, numberText(std::round(item.dosePrice * 1000) / 1000));
    grid_.setText(r, Unit, item.doseUnit);
    updateReference(r);
    return {r, Amount};
}

void HerbalEntry::setDoses(const QString& doses) {
    for (int r = 1; r < grid_.rows(); ++r) {
        grid_.setText(r, Doses, doses.trimmed());
        updateReference(r);
    }
}

QString HerbalEntry::doses() const {
    for (int r = 1; r < grid_.rows(); ++r)
        if (!grid_.text(r, Doses).trimmed().isEmpty()) return grid_.text(r, Doses).trimmed();
    return QString();
}

void HerbalEntry::updateReference(int r) {
    bool a = false, p = false, d = false;
    const double amount = cellNumber(grid_, r, Amount, &a);
    const double price = cellNumber(grid_, r, Price, &p);
    const double doses = cellNumber(grid_, r, Doses, &d);
    grid_.setText(r, Reference, a && p && d ? numberText(std::round(amount * price * doses * 1000) / 1000) : QString());
}

double HerbalEntry::total() const {
    double sum = 0;
    for (int r = 1; r < grid_.rows(); ++r) {
        bool ok = false;
        const double v = cellNumber(grid_, r, Reference, &ok);
        if (ok) sum += v;
    }
    return std::round(sum * 1000) / 1000;
}

QVector<HerbLine> HerbalEntry::herbs() const {
    QVector<HerbLine> list;
    for (int r = 1; r < grid_.rows(); ++r) {
        auto t = [&](int c) { return grid_.text(r, c).trimmed(); };
        list.append({t(Herb), t(SpecialUsage), t(Amount), t(Unit), t(Doses), t(Price), t(Doctor), t(ItemId), t(Spec)});
    }
    return list;
}

SaveResult HerbalEntry::save(OrderSave& saver, const QString& serial, const QString& usage) {
    const SaveResult r = saver.saveHerbal(serial, usage, herbs());
    if (r.saved())
        reset();
    else if (r.badLine > 0)
        grid_.setCurrent(r.badLine, Herb);
    return r;
}

bool HerbalEntry::hasData() const {
    for (int r = 1; r < grid_.rows(); ++r)
        if (!grid_.text(r, Herb).trimmed().isEmpty()) return true;
    return false;
}

}  // namespace qh::orders
