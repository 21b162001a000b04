#pragma once
// Prescription slips ("处方笺"): the day's prescriptions of a patient as a list ("西-09时07分"
// for a western prescription closed by the next, "西_…" for the day's last, "中_…" for a
// herbal one) and each entry drawn as the pharmacy's slip on a page of 480 × 680.
//
// A western prescription holds at most five order groups of the day's valid drug orders
// (long-term ones running at the day's moment, temporary ones of that day), cut where a
// sixth group would begin. An entry remembers exactly the rows it stands for, and its slip
// prints those rows, whatever else lies between their numbers. A herbal prescription of the
// day is one entry, its herbs and its closing "上方 n 剂，usage" line.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVector>

#include "orders/OrderLists.h"
#include "shell/PatientContext.h"
#include "store/DatabaseFiles.h"

namespace qh::ui {
class DrawingBoard;
}

namespace qh::orders {

inline constexpr int kGroupsPerPrescription = 5;
inline constexpr double kSlipWidth = 480;
inline constexpr double kSlipHeight = 680;

struct PrescriptionEntry {
    QString label;             // "西-09时07分", "西_…", "中_…"
    bool herbal = false;
    qint64 firstSid = 0, lastSid = 0;
    QVector<qint64> sids;      // western: the rows of the prescription, in order
    QString group;             // herbal: the prescription's group number (sjyz of its herbs)
    QDateTime ordered;         // yzsj of its first row
};

// Cuts the day's western rows (in yzsj, sid order) into prescriptions of at most five groups
// and labels them; `sid`, `sjyz` and `yzsj` are what it reads of each row.
QVector<PrescriptionEntry> cutWesternPrescriptions(const QVector<StoredOrder>& rows);
// The day's prescriptions of a stay: the western ones, then the herbal ones.
QVector<PrescriptionEntry> listPrescriptions(const store::DataDirectory& files, const QString& serial,
                                             const QDate& day);

// What a slip shows of one order.
struct SlipOrder {
    StoredOrder order;
    bool skinTest = false;  // the item's ps is "1"
};

class PrescriptionSlip {
public:
    // The slip of a list entry for the patient.
    static PrescriptionSlip load(const store::DataDirectory& files, const shell::PatientContext& patient,
                                 const PrescriptionEntry& entry);

    const PrescriptionEntry& entry() const { return entry_; }
    const QVector<SlipOrder>& orders() const { return orders_; }
    // The body's lines as printed (western: name line and usage line per order; herbal:
    // herbs three to a line and the closing line).
    QStringList bodyLines() const;

    // Frame and body on the board's current page.
    void draw(ui::DrawingBoard& board) const;
    // One job of one 480 × 680 page; 1.
    int print(ui::DrawingBoard& board) const;

    void setHospital(const QString& name) { hospital_ = name; }

private:
    QString hospital_;
    shell::PatientContext patient_;
    PrescriptionEntry entry_;
    QVector<SlipOrder> orders_;
    StoredOrder header_;  // herbal: the "草药处方单" row
};

// The herbal closing line of a slip: "上方" + doses + "剂，" + usage.
QString slipClosing(const StoredOrder& header);

}  // namespace qh::orders
