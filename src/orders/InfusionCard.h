#pragma once
// Infusion cards ("药品输液单"): for a chosen day, each ticked patient's infusion and
// injection orders that are valid on it, one card of at most 20 order lines (continued on
// "药品输液单(2)", …), four cards to a page of 2100 × 2950 in two columns.
//
// Which orders: long-term orders running at the chosen day's moment (its date with the
// clock's time of day) and temporary orders issued on that day, as the option chooses; never
// voided ones. A group is taken or left whole by its route, read from the line of the group
// that carries it: a route with "静", "iv", "im", "注" or "肌", or a group without a route,
// goes on the card.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "orders/OrderLists.h"
#include "store/DatabaseFiles.h"

namespace qh::ui {
class DrawingBoard;
}

namespace qh::orders {

enum class CardOption { All, Temporary, LongTerm };
// "所有", "临时", "长期".
QString cardOptionText(CardOption option);
std::optional<CardOption> cardOptionFromText(const QString& text);
QStringList cardOptionTexts();

// The day's bounds: 00:00:00, 23:59:59 and the date with the clock's time of day.
struct DayBounds {
    QString start, end, now;
};
DayBounds dayBounds(const QDate& day);

// Whether a group's route puts it on an infusion card.
bool isInfusionRoute(const QString& route);

struct CardLine {
    qint64 sid = 0;
    QString group;  // sjyz
    QString name, dose, usage;
};

struct InfusionCard {
    QString title;        // "药品输液单", "药品输液单(2)", …
    QDate date;
    QString patientLine;  // bed text, sex, name + "  " + age + "  住院号:" + number
    QVector<CardLine> lines;
    QString footer;       // "打印者:" + user + "       打印时间:" + yyyy-MM-dd HH:mm
};

inline constexpr int kCardLines = 20;
inline constexpr int kCardsPerPage = 4;
inline constexpr double kCardPageWidth = 2100;
inline constexpr double kCardPageHeight = 2950;
inline constexpr double kCardWidth = 950;

// The valid orders of a stay on the day for the option, route rule applied, in sid order.
QVector<StoredOrder> cardOrders(const store::DataDirectory& files, const QString& serial, const QDate& day,
                                CardOption option);
// The card lines of those orders: name, dose, and the usage on "单开" lines and on the group
// line that carries the route.
QVector<CardLine> cardLines(const QVector<StoredOrder>& orders);
// One patient's lines cut into cards of 20: a group that fits on a card is never split.
QVector<QVector<CardLine>> splitIntoCards(const QVector<CardLine>& lines);

class InfusionCards {
public:
    // The cards of the stays in order (unknown stays are skipped), printed by `user`.
    static InfusionCards make(const store::DataDirectory& files, const QStringList& serials, const QDate& day,
                              CardOption option, const QString& user);

    const QVector<InfusionCard>& cards() const { return cards_; }
    int pageCount() const { return int((cards_.size() + kCardsPerPage - 1) / kCardsPerPage); }
    // The height of a card of n lines.
    static double cardHeight(int lines);
    // Draws the cards of page n (four at most) on the current page of the board.
    void drawPage(ui::DrawingBoard& board, int page) const;
    // Pages first..last as one job of 2100 × 2950 pages; the pages drawn.
    int print(ui::DrawingBoard& board, int first = 1, int last = 1 << 30) const;

private:
    QVector<InfusionCard> cards_;
};

// Where the text of one card goes: the card's top-left corner.
void drawInfusionCard(ui::DrawingBoard& board, const InfusionCard& card, double x, double y);

}  // namespace qh::orders
