#include "orders/OrderListModel.h"

#include <algorithm>

#include "orders/OrderEntry.h"

namespace qh::orders {
namespace {

const QString kSids = QStringLiteral("sids");
const QString kMarker = QStringLiteral("marker");
const QString kVoidedRow = QStringLiteral("voided");
const QString kArchived = QStringLiteral("archived");

// The last data column that voided and stopped lines restyle.
int lastDataColumn(OrderKind kind) {
    switch (kind) {
    case OrderKind::LongTerm: return OrderListModel::LStopNurse;
    case OrderKind::Temporary: return OrderListModel::TNurse;
    case OrderKind::Herbal: break;
    }
    return OrderListModel::HNurse;
}

int contentColumn() { return OrderListModel::LContent; }  // column 4 on every list

}  // namespace

OrderListModel::OrderListModel(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui,
                               OrderKind kind)
    : files_(files), user_(user), ui_(ui), kind_(kind) {
    setHeader();
}

int OrderListModel::nurseColumn() const {
    switch (kind_) {
    case OrderKind::LongTerm: return LNurse;
    case OrderKind::Temporary: return TNurse;
    case OrderKind::Herbal: break;
    }
    return HNurse;
}

int OrderListModel::groupColumn() const {
    switch (kind_) {
    case OrderKind::LongTerm: return LGroup;
    case OrderKind::Temporary: return TGroup;
    case OrderKind::Herbal: break;
    }
    return HGroup;
}

void OrderListModel::setHeader() {
    grid_.clearRows();
    grid_.clearMerges();
    QStringList captions;
    QVector<int> widths;
    int hiddenFrom = 0;
    switch (kind_) {
    case OrderKind::LongTerm:
        captions = {QStringLiteral("序号"),         QStringLiteral("日期"),         QStringLiteral("时间"),
                    QString(),                      QStringLiteral("医  嘱  内  容"), QStringLiteral("下 嘱\n医 生"),
                    QStringLiteral("核 对\n护 士"), QStringLiteral("停嘱日期"),     QStringLiteral("停嘱\n时间"),
                    QStringLiteral("停 嘱\n医 生"), QStringLiteral("执 行\n护 士"), QString(),
                    QString()};
        widths = {40, 100, 40, 6, 450, 60, 60, 90, 50, 60, 60, 0, 0};
        hiddenFrom = LOrderNo;
        break;
    case OrderKind::Temporary:
        captions = {QStringLiteral("序号"),     QStringLiteral("日期"),     QStringLiteral("时间"),
                    QString(),                  QStringLiteral("医  嘱  内  容"), QStringLiteral("下嘱医生"),
                    QStringLiteral("执行时间"), QStringLiteral("核对护士"), QString(),
                    QString()};
        // The execution time is wide enough for its whole "yyyy-MM-dd hh:mm".
        widths = {40, 100, 50, 6, 450, 70, 130, 70, 0, 0};
        hiddenFrom = TGroup;
        break;
    case OrderKind::Herbal:
        captions = {QStringLiteral("序号"),     QStringLiteral("日期"), QStringLiteral("时间"),
                    QString(),                  QStringLiteral("中                   药"),
                    QStringLiteral("下嘱医生"), QStringLiteral("核对护士"), QString(),
                    QString()};
        widths = {40, 100, 50, 6, 450, 80, 80, 0, 0};
        hiddenFrom = HGroup;
        break;
    }
    grid_.setCols(int(captions.size()));
    grid_.setHeader(captions);
    for (int c = 0; c < grid_.cols(); ++c) {
        grid_.setColumnWidth(c, widths[c]);
        grid_.setColumnHidden(c, c >= hiddenFrom);
        grid_.setColumnAlignment(c, c == contentColumn() ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    }
    grid_.setRowHeight(0, 44);
    grid_.setRowFontStyle(0, ui::Bold);
    grid_.setRowForeColor(0, kHeaderColour);
    grid_.setEditable(false);
}

void OrderListModel::load(const QString& serial, bool discharged) {
    serial_ = serial.trimmed();
    discharged_ = discharged;
    setHeader();
    grid_.setCurrent(-1, -1);
    if (serial_.isEmpty()) return;
    const QVector<ListLine> lines = OrderLists(files_).lines(serial_, kind_, discharged_);
    grid_.setRows(int(lines.size()) + 1);
    for (int i = 0; i < lines.size(); ++i) {
        const ListLine& l = lines[i];
        const int r = i + 1;
        QStringList cells;
        switch (kind_) {
        case OrderKind::LongTerm:
            cells = {QString(), l.date,         l.time,         QString(),     l.content,     l.doctor, l.nurse,
                     l.stopDate, l.stopTime,    l.stopDoctor,   l.stopNurse,   l.orderNumber, l.group};
            break;
        case OrderKind::Temporary:
            cells = {QString(), l.date, l.time, QString(), l.content, l.doctor, l.stopDate, l.nurse, l.group, l.remark};
            break;
        case OrderKind::Herbal:
            cells = {QString(), l.date, l.time, QString(), l.content, l.doctor, l.nurse, l.group, l.remark};
            break;
        }
        for (int c = 0; c < cells.size(); ++c) grid_.setText(r, c, cells[c]);
        QVariantList sids;
        for (qint64 s : l.sids) sids << s;
        grid_.setRowValue(r, QVariantMap{{kSids, sids}, {kMarker, l.marker}, {kVoidedRow, l.voided},
                                         {kArchived, l.archived}});
        if (l.marker) {
            // A marker line: its text in the middle of the content column.
            grid_.setCellAlignment(r, contentColumn(), Qt::AlignCenter);
            grid_.setCellFontStyle(r, contentColumn(), ui::Bold);
        }
        if (l.voided) {
            styleVoided(r);
        } else if (kind_ == OrderKind::LongTerm && !l.marker && l.stopDate.isEmpty()) {
            for (int c = LDate; c <= LStopNurse; ++c) grid_.setCellBackColor(r, c, kRunningShade);
        }
    }
    number();
}

void OrderListModel::reload() {
    const QVector<qint64> selected = sidsOfRow(selectedRow());
    const int col = grid_.col() >= 0 ? grid_.col() : contentColumn();
    load(serial_, discharged_);
    for (qint64 s : selected) {
        if (const int r = rowOfSid(s)) {
            grid_.setCurrent(r, col);
            return;
        }
    }
}

void OrderListModel::number() {
    for (int r = 1; r < grid_.rows(); ++r) grid_.setText(r, 0, QString::number(r));
}

void OrderListModel::styleVoided(int r) {
    for (int c = 1; c <= lastDataColumn(kind_); ++c) {
        grid_.setCellForeColor(r, c, kVoidedGrey);
        grid_.setCellFontStyle(r, c, grid_.cellFontStyle(r, c) | ui::StrikeOut);
        grid_.setCellBackColor(r, c, 0xFFFFFF);
    }
    QVariantMap v = grid_.rowValue(r).toMap();
    v[kVoidedRow] = true;
    grid_.setRowValue(r, v);
}

QVector<qint64> OrderListModel::sidsOfRow(int r) const {
    QVector<qint64> sids;
    if (r < 1 || r >= grid_.rows()) return sids;
    for (const QVariant& s : grid_.rowValue(r).toMap().value(kSids).toList()) sids.append(s.toLongLong());
    return sids;
}

int OrderListModel::rowOfSid(qint64 sid) const {
    for (int r = 1; r < grid_.rows(); ++r)
        if (sidsOfRow(r).contains(sid)) return r;
    return 0;
}

bool OrderListModel::isMarkerRow(int r) const {
    return r >= 1 && r < grid_.rows() && grid_.rowValue(r).toMap().value(kMarker).toBool();
}

bool OrderListModel::isVoidedRow(int r) const {
    return r >= 1 && r < grid_.rows() && grid_.rowValue(r).toMap().value(kVoidedRow).toBool();
}

int OrderListModel::selectedRow() const {
    const int r = grid_.row();
    return r >= 1 && r < grid_.rows() ? r : 0;
}

void OrderListModel::select(int r) {
    if (r < 1 || r >= grid_.rows()) return;
    grid_.setCurrent(r, grid_.col() >= 0 ? grid_.col() : contentColumn());
}

int OrderListModel::nextWaitingRow(int r) const {
    for (int next = qMax(r, 0) + 1; next < grid_.rows(); ++next) {
        if (isMarkerRow(next) || isVoidedRow(next) || grid_.rowValue(next).toMap().value(kArchived).toBool()) continue;
        if (grid_.text(next, nurseColumn()).trimmed().isEmpty()) return next;
        if (kind_ == OrderKind::LongTerm && !grid_.text(next, LStopDoctor).trimmed().isEmpty() &&
            grid_.text(next, LStopNurse).trimmed().isEmpty())
            return next;
    }
    return 0;
}

GroupTarget OrderListModel::target(int r) const {
    GroupTarget t;
    t.serial = serial_;
    t.kind = kind_;
    const QVector<qint64> sids = sidsOfRow(r);
    t.sid = sids.isEmpty() ? 0 : sids.first();
    t.group = grid_.text(r, groupColumn()).trimmed();
    return t;
}

QVector<int> OrderListModel::rowsOf(const QVector<qint64>& sids) const {
    QVector<int> rows;
    for (int r = 1; r < grid_.rows(); ++r) {
        const QVector<qint64> own = sidsOfRow(r);
        if (std::any_of(own.begin(), own.end(), [&](qint64 s) { return sids.contains(s); })) rows.append(r);
    }
    return rows;
}

OrderListModel::Outcome OrderListModel::refuse(const QString& text) {
    ui_.warningBox(kMessageTitle, text);
    return Outcome::Refused;
}

OrderListModel::Outcome OrderListModel::fail() {
    ui_.warningBox(kMessageTitle, kOperationFailed);
    return Outcome::Failed;
}

OrderListModel::Outcome OrderListModel::outOfDate(qint64 sid, const QString& refusal) {
    reload();
    const RowState s = OrderLifecycle(files_, user_.userName, user_.department).state(sid);
    return refuse(!s.exists ? kOrderGone : s.voided ? kOrderVoided : refusal);
}

OrderListModel::Outcome OrderListModel::execute() {
    const int r = selectedRow();
    if (r < 1 || isMarkerRow(r) || grid_.rowValue(r).toMap().value(kArchived).toBool()) return Outcome::Nothing;
    if (isVoidedRow(r)) return refuse(kOrderVoided);
    OrderLifecycle lifecycle(files_, user_.userName, user_.department);
    const GroupTarget t = target(r);
    bool confirming = false;
    GroupChange c;
    if (grid_.text(r, nurseColumn()).trimmed().isEmpty()) {
        c = lifecycle.execute(t);
    } else if (kind_ == OrderKind::LongTerm && !grid_.text(r, LStopDoctor).trimmed().isEmpty() &&
               grid_.text(r, LStopNurse).trimmed().isEmpty()) {
        confirming = true;
        c = lifecycle.confirmStop(t);
    } else {
        return refuse(kAlreadyExecuted);
    }
    if (c.outcome == GroupChange::Failed) return fail();
    if (c.outcome != GroupChange::Changed) return outOfDate(t.sid, kAlreadyExecuted);
    for (int row : rowsOf(c.sids)) {
        if (confirming) {
            grid_.setText(row, LStopNurse, user_.userName);
        } else if (kind_ == OrderKind::Temporary) {
            grid_.setText(row, TExecuted, c.at.left(16));
            grid_.setText(row, TNurse, user_.userName);
        } else {
            grid_.setText(row, nurseColumn(), user_.userName);
        }
    }
    if (const int next = nextWaitingRow(r)) select(next);
    return Outcome::Done;
}

OrderListModel::Outcome OrderListModel::stop() {
    const int r = selectedRow();
    if (kind_ != OrderKind::LongTerm || r < 1) return Outcome::Nothing;
    if (!grid_.text(r, LStopDate).trimmed().isEmpty()) return refuse(kAlreadyStopped);
    if (isMarkerRow(r)) return Outcome::Nothing;
    const GroupTarget t = target(r);
    const GroupChange c = OrderLifecycle(files_, user_.userName, user_.department).stop(t);
    if (c.outcome == GroupChange::Failed) return fail();
    if (c.outcome != GroupChange::Changed) return outOfDate(t.sid, kAlreadyStopped);
    for (int row : rowsOf(c.sids)) {
        grid_.setText(row, LStopDate, c.at.left(10));
        grid_.setText(row, LStopTime, c.at.mid(11, 5));
        grid_.setText(row, LStopDoctor, user_.userName);
        for (int col = LDate; col <= LStopNurse; ++col) grid_.setCellBackColor(row, col, 0xFFFFFF);
    }
    return Outcome::Done;
}

OrderListModel::Outcome OrderListModel::voidOrder() {
    if (kind_ == OrderKind::Herbal) return Outcome::Nothing;
    const int r = selectedRow();
    if (r < 1) return refuse(kChooseOrderToVoid);
    if (isMarkerRow(r)) return Outcome::Nothing;
    if (isVoidedRow(r)) return refuse(kOrderVoided);
    const GroupTarget t = target(r);
    const GroupChange c = OrderLifecycle(files_, user_.userName, user_.department).voidGroup(t);
    if (c.outcome == GroupChange::Failed) return fail();
    if (c.outcome != GroupChange::Changed) return outOfDate(t.sid, kChooseOrderToVoid);
    for (int row : rowsOf(c.sids)) styleVoided(row);
    return Outcome::Done;
}

OrderListModel::Outcome OrderListModel::remove() {
    if (kind_ == OrderKind::Herbal) return Outcome::Nothing;
    const int r = selectedRow();
    if (r < 1) return Outcome::Nothing;
    if (!grid_.text(r, nurseColumn()).trimmed().isEmpty()) return refuse(kExecutedCannotDelete);
    if (isMarkerRow(r)) return Outcome::Nothing;
    const GroupTarget t = target(r);
    const GroupChange c = OrderLifecycle(files_, user_.userName, user_.department).remove(t);
    if (c.outcome == GroupChange::Failed) return fail();
    if (c.outcome != GroupChange::Changed) return outOfDate(t.sid, kExecutedCannotDelete);
    QVector<int> rows = rowsOf(c.sids);
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int row : rows) grid_.removeRow(row);
    number();
    if (grid_.rows() > 1) select(qMin(r, grid_.rows() - 1));
    return Outcome::Done;
}

OrderListModel::Outcome OrderListModel::recordSkinTest(bool positive) {
    const int r = selectedRow();
    if (kind_ != OrderKind::Temporary || r < 1 || isMarkerRow(r)) return Outcome::Nothing;
    if (!isSkinTestItem(grid_.text(r, TContent))) return refuse(kNotSkinTest);
    if (isVoidedRow(r)) return refuse(kOrderVoided);
    const GroupTarget t = target(r);
    const GroupChange c = OrderLifecycle(files_, user_.userName, user_.department)
                              .recordSkinTest(t, positive ? kPositive : kNegative);
    if (c.outcome == GroupChange::Failed) return fail();
    if (c.outcome == GroupChange::NotSkinTest) return refuse(kNotSkinTest);
    if (c.outcome != GroupChange::Changed) return outOfDate(t.sid, kOrderVoided);
    // The content changed: the list is read again with the result in it.
    reload();
    return Outcome::Done;
}

OrderListModel::Outcome OrderListModel::reorganise() {
    if (kind_ != OrderKind::LongTerm || serial_.isEmpty()) return Outcome::Nothing;
    if (ui_.messageDialog(kReorganiseQuestion, true) != 1) return Outcome::Nothing;
    const Reorganisation done = OrderLifecycle(files_, user_.userName, user_.department).reorganise(serial_);
    if (!done.ok) return fail();
    reload();
    return Outcome::Done;
}

}  // namespace qh::orders
