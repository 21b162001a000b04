#include "orders/InfusionCard.h"

#include <QHash>
#include <algorithm>

#include "common/Clock.h"
#include "common/GbkText.h"
#include "interaction/DrawingBoard.h"
#include "orders/OrderSheet.h"
#include "orders/OrderSheetData.h"
#include "shell/PatientListText.h"
#include "store/Connection.h"

namespace qh::orders {

namespace {

const QString kCardTitle = QStringLiteral("药品输液单");
// Font sizes: title bold 14, body 12, column heading and footer 10 (points of the form,
// 2.5 units each as on the order sheets).
constexpr double kTitleSize = 14 * kGridScale;
constexpr double kBodySize = 12 * kGridScale;
constexpr double kSmallSize = 10 * kGridScale;
// Within a card: the heading's baseline band, the first line, the line pitch and what the
// footer takes below the lines.
constexpr double kHeadingTop = 185;
constexpr double kLinesTop = 240;
constexpr double kLinePitch = 50;
constexpr double kFooterBand = 90;
// Columns within a card.
constexpr double kNameX = 15, kDoseX = 440, kUsageX = 570, kSignX = 860;
constexpr double kColumnGap = 4;

QString dateTimeText(const QDateTime& t) { return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }

// A text at the body size, smaller when it would run into the next column.
void fittedText(ui::DrawingBoard& board, double x, double y, double width, const QString& text, double size) {
    const double natural = textWidth(text, size);
    const double fit = natural > width ? std::max(size * 0.55, size * width / natural) : size;
    board.setFontSize(fit);
    board.text(x, y + (lineHeight(size) - lineHeight(fit)) / 2, text);
}

}  // namespace

QString cardOptionText(CardOption option) {
    switch (option) {
    case CardOption::All:
        return QStringLiteral("所有");
    case CardOption::Temporary:
        return QStringLiteral("临时");
    case CardOption::LongTerm:
        return QStringLiteral("长期");
    }
    return {};
}

std::optional<CardOption> cardOptionFromText(const QString& text) {
    for (CardOption o : {CardOption::All, CardOption::Temporary, CardOption::LongTerm})
        if (cardOptionText(o) == text.trimmed()) return o;
    return std::nullopt;
}

QStringList cardOptionTexts() {
    return {cardOptionText(CardOption::All), cardOptionText(CardOption::Temporary),
            cardOptionText(CardOption::LongTerm)};
}

DayBounds dayBounds(const QDate& day) {
    const QString date = day.toString(QStringLiteral("yyyy-MM-dd"));
    return {date + QStringLiteral(" 00:00:00"), date + QStringLiteral(" 23:59:59"),
            date + Clock::now().time().toString(QStringLiteral(" HH:mm:ss"))};
}

bool isInfusionRoute(const QString& route) {
    const QString r = route.trimmed();
    if (r.isEmpty()) return true;
    for (const char16_t* part : {u"静", u"iv", u"im", u"注", u"肌"})
        if (r.contains(QString::fromUtf16(part), Qt::CaseInsensitive)) return true;
    return false;
}

QVector<StoredOrder> cardOrders(const store::DataDirectory& files, const QString& serial, const QDate& day,
                                CardOption option) {
    const DayBounds b = dayBounds(day);
    const QString longTerm = QStringLiteral("(yzlb='长期医嘱' and yzsj<=? and (tzsj>? or tzsj is NULL))");
    const QString temporary = QStringLiteral("(yzlb='临时医嘱' and yzsj between ? and ?)");
    QString when;
    store::Params params;
    switch (option) {
    case CardOption::All:
        when = QStringLiteral("(") + longTerm + QStringLiteral(" or ") + temporary + QStringLiteral(")");
        params = {b.now, b.now, b.start, b.end};
        break;
    case CardOption::LongTerm:
        when = longTerm;
        params = {b.now, b.now};
        break;
    case CardOption::Temporary:
        when = temporary;
        params = {b.start, b.end};
        break;
    }
    params.push_back(serial);
    QVector<StoredOrder> rows;
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return rows;
    for (const store::Row& row :
         db.query(QStringLiteral("SELECT * from view_syk where  yzzt='OK' and ") + when + QStringLiteral(" and zyid=? order by sid"), params))
        rows.append(storedOrderFromRow(row));
    // The route of a group is on the line that carries it (the last one with a route).
    QHash<QString, QString> routes;
    for (const StoredOrder& o : rows)
        if (!o.route.trimmed().isEmpty()) routes[o.sjyz.isEmpty() ? o.yzid : o.sjyz] = o.route;
    QVector<StoredOrder> kept;
    for (const StoredOrder& o : rows)
        if (isInfusionRoute(routes.value(o.sjyz.isEmpty() ? o.yzid : o.sjyz))) kept.append(o);
    return kept;
}

QVector<CardLine> cardLines(const QVector<StoredOrder>& orders) {
    QVector<CardLine> lines;
    for (const StoredOrder& o : orders) {
        CardLine l;
        l.sid = o.sid;
        l.group = o.sjyz.isEmpty() ? o.yzid : o.sjyz;
        l.name = o.content;
        l.dose = o.dose;
        const QString marker = o.marker.trimmed();
        if (marker == kSingle || marker.isEmpty() || !o.route.trimmed().isEmpty())
            l.usage = (o.route + QStringLiteral("  ") + o.frequency).trimmed();
        lines.append(l);
    }
    return lines;
}

QVector<QVector<CardLine>> splitIntoCards(const QVector<CardLine>& lines) {
    QVector<QVector<CardLine>> cards(1);
    for (int i = 0; i < lines.size();) {
        int end = i + 1;
        while (end < lines.size() && lines[end].group == lines[i].group) ++end;
        const int size = end - i;
        if (!cards.last().isEmpty() && cards.last().size() + size > kCardLines && size <= kCardLines)
            cards.append(QVector<CardLine>());
        for (int k = i; k < end; ++k) {
            if (cards.last().size() == kCardLines) cards.append(QVector<CardLine>());
            cards.last().append(lines[k]);
        }
        i = end;
    }
    return cards;
}

InfusionCards InfusionCards::make(const store::DataDirectory& files, const QStringList& serials, const QDate& day,
                                  CardOption option, const QString& user) {
    InfusionCards result;
    const QString printed = dateTimeText(Clock::now()).left(16);
    for (const QString& serial : serials) {
        QString line;
        {
            store::Connection db = store::Connection::open(files, store::DbFile::Main);
            if (!db.isOpen()) return result;
            const store::Row p =
                db.query(QStringLiteral("SELECT 床号,性别,姓名,年龄,住院号 from 在院病人 where  住院编号=?"), {serial})
                    .first();
            if (!p.isValid()) continue;
            line = shell::bedText(p.text(QStringLiteral("床号"))) + u' ' + p.text(QStringLiteral("性别")) + u' ' +
                   p.text(QStringLiteral("姓名")) + QStringLiteral("  ") + p.text(QStringLiteral("年龄")) +
                   QStringLiteral("  住院号:") + p.text(QStringLiteral("住院号"));
        }
        const QVector<QVector<CardLine>> parts = splitIntoCards(cardLines(cardOrders(files, serial, day, option)));
        for (int n = 0; n < parts.size(); ++n) {
            InfusionCard card;
            card.title = n == 0 ? kCardTitle : kCardTitle + u'(' + QString::number(n + 1) + u')';
            card.date = day;
            card.patientLine = line;
            card.lines = parts[n];
            card.footer = QStringLiteral("打印者:") + user + QStringLiteral("       打印时间:") + printed;
            result.cards_.append(card);
        }
    }
    return result;
}

double InfusionCards::cardHeight(int lines) { return kLinesTop + lines * kLinePitch + kFooterBand; }

void drawInfusionCard(ui::DrawingBoard& board, const InfusionCard& card, double x, double y) {
    const double height = InfusionCards::cardHeight(int(card.lines.size()));
    board.setPen(2, 0, false);
    board.rectangle(x, y, x + kCardWidth, y + height);
    board.setTextColour(0);
    board.setFontName(QStringLiteral("宋体"));
    board.setFont(kTitleSize, true);
    board.text(x + (kCardWidth - textWidth(card.title, kTitleSize)) / 2, y + 20, card.title);
    board.setFont(kBodySize, false);
    board.text(x + kNameX, y + 80, QStringLiteral("日期: ") + card.date.toString(QStringLiteral("yyyy-MM-dd")));
    fittedText(board, x + kNameX, y + 128, kCardWidth - 2 * kNameX, card.patientLine, kBodySize);
    // "药品名称          剂量       用法       签名", each word over its column.
    board.setFont(kSmallSize, false);
    board.text(x + kNameX, y + kHeadingTop, QStringLiteral("药品名称"));
    board.text(x + kDoseX, y + kHeadingTop, QStringLiteral("剂量"));
    board.text(x + kUsageX, y + kHeadingTop, QStringLiteral("用法"));
    board.text(x + kSignX, y + kHeadingTop, QStringLiteral("签名"));
    board.setPen(1, 0, false);
    board.line(x, y + kLinesTop - 12, x + kCardWidth, y + kLinesTop - 12);
    board.setFont(kBodySize, false);
    double ly = y + kLinesTop;
    for (const CardLine& l : card.lines) {
        fittedText(board, x + kNameX, ly, kDoseX - kNameX - kColumnGap, l.name, kBodySize);
        fittedText(board, x + kDoseX, ly, kUsageX - kDoseX - kColumnGap, l.dose, kBodySize);
        if (!l.usage.isEmpty()) fittedText(board, x + kUsageX, ly, kSignX - kUsageX - kColumnGap, l.usage, kBodySize);
        ly += kLinePitch;
    }
    const double footer = y + height - kFooterBand;
    board.line(x, footer + 10, x + kCardWidth, footer + 10);
    board.setFont(kSmallSize, false);
    board.text(x + kNameX, footer + 30, card.footer);
}

void InfusionCards::drawPage(ui::DrawingBoard& board, int page) const {
    double columnTop[2] = {40, 40};
    const int first = (page - 1) * kCardsPerPage;
    for (int i = first; i < std::min<int>(first + kCardsPerPage, cards_.size()); ++i) {
        const int column = i % 2;  // card 1, 3, … (index 0, 2, …) on the left
        drawInfusionCard(board, cards_[i], column == 0 ? 50 : 1100, columnTop[column]);
        columnTop[column] += cardHeight(int(cards_[i].lines.size())) + 40;
    }
}

int InfusionCards::print(ui::DrawingBoard& board, int first, int last) const {
    first = std::max(first, 1);
    last = std::min(last, pageCount());
    if (first > last) return 0;
    board.beginJob(kCardPageWidth, kCardPageHeight);
    for (int p = first; p <= last; ++p) {
        if (p > first) board.newPage();
        drawPage(board, p);
    }
    board.endJob();
    return last - first + 1;
}

}  // namespace qh::orders
