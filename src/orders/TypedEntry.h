#pragma once
// Lines typed into the entry grids from text, as a person fills them: the item is taken
// over, the quantity, unit and dose entered, then route and frequency picked, each step
// the same call the window makes. Other systems' orders (the command line) and the demo
// ward enter orders through here.
#include <QString>
#include <QVector>

#include "orders/ItemLookup.h"
#include "orders/OrderEntry.h"

namespace qh::orders {

// One western grid row as typed: marker, item (empty for a free-text order), the text
// (the free-text order, or the allergy drug of a skin-test item), quantity, unit, dose,
// route, frequency and the order date-time (empty: now).
struct TypedLine {
    QString marker, xmid, text, quantity, unit, dose, route, frequency, at;
    static TypedLine fromFields(const QStringList& fields);  // the nine columns in this order
};

// One herb as typed: item, special usage, amount.
struct TypedHerb {
    QString xmid, specialUsage, amount;
};

class TypedEntry {
public:
    TypedEntry(ItemLookup& lookup, ui::UserInterface& ui) : lookup_(lookup), ui_(ui) {}

    // Types the line into the grid's editing row. False with the reason when its item
    // cannot be ordered or a skin-test item has no valid allergy drug.
    bool type(WesternEntry& entry, const TypedLine& line, QString* error);
    bool type(HerbalEntry& entry, const TypedHerb& herb, const QString& doses, QString* error);

private:
    ItemLookup& lookup_;
    ui::UserInterface& ui_;
    QStringList skinTestDrugs_;
    bool drugsRead_ = false;
};

}  // namespace qh::orders
