#pragma once
// The entry grids of new orders and what happens as a row is filled: the western grid
// (long-term and temporary tabs) and the herbal grid. Both work on a DataGrid the page
// shows; the command line drives the same classes, so a line typed in a file is taken
// over, quantified and grouped exactly as in the window.
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

#include "orders/ItemLookup.h"
#include "orders/OrderSave.h"
#include "interaction/DataGrid.h"

namespace qh::orders {

// Where the cursor goes after a step.
struct CellMove {
    int row = -1, col = -1;
};

// Row shading by group marker (0x00BBGGRR).
inline constexpr quint32 kSingleShade = 0xDBFBD2;
inline constexpr quint32 kNewGroupShade = 0xF8D2B1;
inline constexpr quint32 kInGroupShade = 0xFEF9E7;
inline constexpr quint32 kHeaderColour = 0x800000;
inline constexpr int kHeaderHeight = 32;
inline const QString kHeaderFont = QStringLiteral("宋体");
inline constexpr int kHeaderFontSize = 14;

// Chooses the allergy drug of a skin-test order from the list; nothing when cancelled.
using AllergyDrugChooser = std::function<std::optional<QString>(const QStringList& drugs)>;

class WesternEntry {
public:
    enum Col {
        No = 0, Date, Marker, Content, Spec, Quantity, Unit, Dose, DoseUnit, Route, Frequency, Doctor,
        ItemId, DrugFlag, Attribute, DefaultDose, DefaultDoseUnit, Category, PerDay, PerDayUnit, ColumnCount
    };

    WesternEntry(ui::DataGrid& grid, const QString& userName) : grid_(grid), user_(userName) {}

    // The grid empty: header row only, with its captions, widths and style.
    void reset();
    ui::DataGrid& grid() { return grid_; }

    // AddOrderRow / InsertOrderRow: row number, order time of now, the doctor. Returns the row.
    int addRow();
    int insertRow(int before);
    // DeleteOrderRow: the row goes and the rest are numbered 1, 2, ….
    void deleteRow(int r);
    // The last row when it is still empty, else a new one: where typing goes on.
    int editRow();

    // The marker cell, with the row's shading.
    void setMarker(int r, const QString& marker);
    // Takes a picked item into row r. A skin-test item asks for the allergy drug; without
    // one "操作错误，请正确选择过敏药物！" is shown and the row stays as it was (false).
    bool takeItem(int r, const OrderItem& item, const QStringList& skinTestDrugs, const AllergyDrugChooser& choose,
                  ui::UserInterface& ui, CellMove* next = nullptr);
    // A free-text order: the content alone, no item.
    void takeText(int r, const QString& text);
    // After the quantity (column 5): drugs go on to the unit; other items are complete and
    // a new row is appended.
    CellMove quantityEntered(int r);
    // Once the unit is settled: the per-day quantity and, for a "单开" line, the dose.
    CellMove unitSettled(int r);
    // After the dose: a "承组" line takes the route and frequency down from the line above
    // and a new row is appended.
    CellMove doseEntered(int r);
    CellMove routeTaken(int r, const QString& route);
    // The frequency with the per-day quantity it gives; a new row is appended.
    CellMove frequencyTaken(int r, const UsageEntry& frequency);

    // The sale and dosing units offered in row r's unit cell.
    QStringList unitChoices(int r) const;

    // The rows as the save reads them, route and frequency of each group on its last line.
    // False (with the row) when a group holds two different routes or frequencies.
    bool lines(QVector<EntryLine>* out, int* conflictRow = nullptr) const;
    bool hasData() const;

    // SaveOrders for this grid: saved, the grid is back to its header row; refused or
    // failed, the grid stays as it was with the offending row current.
    SaveResult save(OrderSave& saver, const QString& serial, OrderKind kind, ui::UserInterface& ui);

private:
    void shade(int r);
    void number();

    ui::DataGrid& grid_;
    QString user_;
};

class HerbalEntry {
public:
    enum Col {
        No = 0, Date, Blank, Herb, SpecialUsage, Amount, Unit, Doses, Price, Doctor, Reference, ItemId,
        Hidden12, Hidden13, Hidden14, Spec, ColumnCount
    };
    static const QStringList& specialUsages();  // 先煎, 包煎, 后下, 冲服, 另煎

    HerbalEntry(ui::DataGrid& grid, const QString& userName) : grid_(grid), user_(userName) {}

    void reset();
    ui::DataGrid& grid() { return grid_; }
    int addRow();
    int insertRow(int before);
    void deleteRow(int r);
    int editRow();

    // Takes a herb: name, specification, item, dosing-unit price and unit; cursor to the dose.
    CellMove takeItem(int r, const OrderItem& item);
    // The number of doses is one for the prescription: setting it on a row sets every row.
    void setDoses(const QString& doses);
    QString doses() const;
    // Column 10: dose × unit price × doses, to 3 decimals, recomputed after any of them changes.
    void updateReference(int r);
    // The sum of the reference amounts.
    double total() const;

    QVector<HerbLine> herbs() const;
    bool hasData() const;

    // SaveOrders for the herbal grid, with the usage chosen in "处方用法：".
    SaveResult save(OrderSave& saver, const QString& serial, const QString& usage);

private:
    void number();

    ui::DataGrid& grid_;
    QString user_;
};

}  // namespace qh::orders
