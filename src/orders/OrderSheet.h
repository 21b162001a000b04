#pragma once
// The long-term and the temporary order sheet: a patient's valid orders laid out in the
// sheet's grid (21 columns, two header rows, 24 orders a page) and drawn on the drawing
// board at the paper form's coordinates. The print view shows the same drawing on the
// screen; the printer, PDF and the administrator's `print` get it through their boards.
//
// Paper: a page of 2200 × 2900 units. The title (bold 宋体) is centred on x = 900 at y = 200
// over a double rule (x 460–1600 at y 280 and 288); the patient line sits at (110, 380), the
// page label "第 n 页" at (960, 2750). The grid's pixels (header rows 25 high, data rows 35)
// are printed 2.5 units each from (80, 440): below the patient line rather than across it.
// Font sizes scale by the same 2.5.
#include <QString>
#include <QStringList>
#include <QVector>

#include "orders/OrderLists.h"
#include "shell/PatientContext.h"
#include "store/DatabaseFiles.h"

namespace qh::ui {
class DrawingBoard;
}

namespace qh::orders {

enum class SheetKind { LongTerm, Temporary };

inline constexpr int kSheetColumns = 21;
inline constexpr int kOrdersPerPage = 24;
inline constexpr double kPaperWidth = 2200;
inline constexpr double kPaperHeight = 2900;
inline constexpr double kGridScale = 2.5;  // paper units per grid pixel and per font point
inline constexpr double kGridLeft = 80;
inline constexpr double kGridTop = 440;
inline constexpr double kHeaderRowHeight = 25;
inline constexpr double kDataRowHeight = 35;
inline constexpr quint32 kMarkerColour = 0x000080;  // dark red, 0x00BBGGRR

// "长期医嘱单" / "临时医嘱单".
QString sheetName(SheetKind kind);
// The hospital's name followed by the sheet's name.
QString sheetTitle(const QString& hospital, SheetKind kind);
// "姓名：…科室：…  病室：…床号： …住院号：…" with (50 − bytes of the five values) ÷ 4
// blanks between the fields.
QString sheetPatientLine(const shell::PatientContext& patient);
// "第 n 页", "共n页".
QString pageLabel(int page);
QString pageCountLabel(int pages);

// The grid's column widths in pixels (21 of them; hidden columns are 0).
QVector<int> sheetColumnWidths(SheetKind kind);
// A header cell: its text ("\r" between two lines) over columns first..last and rows
// top..bottom (0 or 1).
struct HeaderCell {
    int first, last, top, bottom;
    QString text;
};
QVector<HeaderCell> sheetHeader(SheetKind kind);

// One printed row of the grid.
struct SheetRow {
    qint64 sid = 0;          // the order the row stands for (first herb of a herbal row)
    QStringList cells;       // kSheetColumns texts
    bool marker = false;     // "重整医嘱", "术后医嘱": centred, bold, dark red
    QStringList herbs;       // a herbal row: up to four herbs, drawn in four quarters
    int contentColumn() const { return 2; }
};

// The content text of an order on a sheet: drug lines (请领单) with their amount, dose,
// route and frequency and the group's box character; every other line its content.
// Amounts are written in their shortest exact form (0.5, 2).
QString sheetContentText(const StoredOrder& order);
// A herb on the temporary sheet: name + dose + unit ("黄芪30g").
QString sheetHerbText(const StoredOrder& herb);
// The closing line of a prescription: "    上方 " + doses + " 付   " + usage.
QString sheetPrescriptionClosing(const StoredOrder& header);

class OrderSheet {
public:
    // The patient's valid orders of the sheet (voided orders and materials left out).
    static OrderSheet load(const store::DataDirectory& files, const QString& serial, SheetKind kind);
    // The sheet of orders already read (in the sheet's order: long-term by sid, temporary
    // by yzsj then sid); voided orders are dropped here too.
    static OrderSheet fromOrders(SheetKind kind, const QVector<StoredOrder>& orders);

    SheetKind kind() const { return kind_; }
    // Pages of 24 rows; 0 when nothing is to be printed.
    int pageCount() const;
    const QVector<SheetRow>& rows() const { return rows_; }
    // The rows of page n (1-based); none beyond the last page.
    QVector<SheetRow> pageRows(int page) const;
    // The sid of the first row of every page.
    QVector<qint64> pageStarts() const;

    // Draws page n of the sheet: title, double rule, patient line, grid with its rows, page
    // label. The board's job is the caller's (a 2200 × 2900 page).
    void drawPage(ui::DrawingBoard& board, int page, const QString& title, const QString& patientLine) const;
    // Pages first..last as one print job. Returns the pages drawn.
    int print(ui::DrawingBoard& board, int first, int last, const QString& title, const QString& patientLine) const;

private:
    SheetKind kind_ = SheetKind::LongTerm;
    QVector<SheetRow> rows_;
};

// The sheet of a stay to a board without a window (all pages, or page n when n > 0), as the
// administrator's print command does: 0 when there is no such page.
int printOrderSheet(ui::DrawingBoard& board, const store::DataDirectory& files, const shell::PatientContext& patient,
                    SheetKind kind, int page = 0);

// Text placement on the board, shared by the sheets, cards and slips: the width of a text
// at a font size (a GBK byte is half an em, an em 4/3 of the size in drawing units).
double textWidth(const QString& text, double size);
double lineHeight(double size);

}  // namespace qh::orders
