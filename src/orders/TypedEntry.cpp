#include "orders/TypedEntry.h"

namespace qh::orders {

TypedLine TypedLine::fromFields(const QStringList& f) {
    auto at = [&f](int i) { return i < f.size() ? f[i].trimmed() : QString(); };
    return {at(0), at(1), at(2), at(3), at(4), at(5), at(6), at(7), at(8)};
}

bool TypedEntry::type(WesternEntry& entry, const TypedLine& line, QString* error) {
    using W = WesternEntry;
    ui::DataGrid& grid = entry.grid();
    const int r = entry.editRow();
    entry.setMarker(r, line.marker);
    if (!line.xmid.isEmpty()) {
        bool ok = false;
        const qint64 id = line.xmid.toLongLong(&ok);
        const std::optional<OrderItem> item = ok ? lookup_.item(id) : std::nullopt;
        if (!item) {
            *error = QStringLiteral("项目“%1”不能开具").arg(line.xmid);
            return false;
        }
        if (!drugsRead_) {
            skinTestDrugs_ = lookup_.skinTestDrugs();
            drugsRead_ = true;
        }
        const QString drug = line.text;
        const AllergyDrugChooser choose = [drug](const QStringList&) -> std::optional<QString> {
            if (drug.isEmpty()) return std::nullopt;
            return drug;
        };
        if (!entry.takeItem(r, *item, skinTestDrugs_, choose, ui_)) {
            *error = kChooseAllergyDrug;
            return false;
        }
    } else {
        entry.takeText(r, line.text);
    }
    if (!line.at.isEmpty()) grid.setText(r, W::Date, line.at);
    if (!line.unit.isEmpty()) grid.setText(r, W::Unit, line.unit);
    if (!line.quantity.isEmpty()) {
        grid.setText(r, W::Quantity, line.quantity);
        if (entry.quantityEntered(r).col == W::Unit) entry.unitSettled(r);
    }
    if (!line.dose.isEmpty()) grid.setText(r, W::Dose, line.dose);
    if (!line.dose.isEmpty() || grid.text(r, W::Marker) == kInGroup) entry.doseEntered(r);
    if (!line.route.isEmpty()) entry.routeTaken(r, line.route);
    if (!line.frequency.isEmpty()) {
        UsageEntry usage{QString(), line.frequency, QString()};
        for (const UsageEntry& u : lookup_.usages(line.frequency, true))
            if (u.name == line.frequency) usage = u;
        entry.frequencyTaken(r, usage);
    }
    return true;
}

bool TypedEntry::type(HerbalEntry& entry, const TypedHerb& herb, const QString& doses, QString* error) {
    using H = HerbalEntry;
    bool ok = false;
    const qint64 id = herb.xmid.trimmed().toLongLong(&ok);
    const std::optional<OrderItem> item = ok ? lookup_.item(id) : std::nullopt;
    if (!item || item->category != u"XMLB003") {
        *error = QStringLiteral("“%1”不是可开具的中草药").arg(herb.xmid);
        return false;
    }
    const int r = entry.editRow();
    entry.takeItem(r, *item);
    entry.grid().setText(r, H::SpecialUsage, herb.specialUsage.trimmed());
    entry.grid().setText(r, H::Amount, herb.amount.trimmed());
    entry.setDoses(doses);
    return true;
}

}  // namespace qh::orders
