#pragma once
// What happens to stored orders after entry: a nurse executes them (and confirms a stop),
// a doctor stops, voids or deletes them, records a skin-test result, reorganises the
// long-term orders or starts a post-operative batch.
//
// Every group statement names the patient's stay as well as the group number, and the
// generation of the row: the rows between the reorganisation markers around it. A
// reorganised copy keeps the yzid and sjyz of its original, so without the generation
// stopping a copy would stop (or delete) its stopped original too. A group number "0"
// (承组 lines without a 新组 above them) or an empty one stands for the row alone.
//
// Each statement carries the state it expects in its condition (execute: not executed,
// stop: running, …) and reads the rows it will change inside the same transaction, so the
// caller learns exactly which rows changed; nothing changed means someone else was first.
#include <QString>
#include <QVector>

#include "orders/OrderModel.h"
#include "store/DatabaseFiles.h"
#include "interaction/UserInterface.h"

namespace qh::orders {

class WesternEntry;

// Messages of the order lists.
inline const QString kMessageTitle = QStringLiteral("青禾医院管理系统");
inline const QString kAlreadyExecuted = QStringLiteral("操作错误，当前医嘱已经执行，不必重复执行！");
inline const QString kAlreadyStopped = QStringLiteral("操作错误，当前医嘱已经停止，不必重复停嘱！");
inline const QString kChooseOrderToVoid = QStringLiteral("操作错误，请正确选择要作废的医嘱！");
inline const QString kExecutedCannotDelete = QStringLiteral("操作错误，当前医嘱已经执行，不能删除！");
inline const QString kNotSkinTest = QStringLiteral("操作错误，当前医嘱不为试敏(皮试)医嘱！");
inline const QString kOrderVoided = QStringLiteral("操作错误，当前医嘱已经作废！");
inline const QString kOrderGone = QStringLiteral("操作错误，当前医嘱已被删除！");
inline const QString kOperationFailed = QStringLiteral("操作失败，医嘱未更改！");
inline const QString kReorganiseQuestion = QStringLiteral(
    "    将所有尚未停止的长期医嘱重新开具。\r\n如果放弃开具术后医嘱请按取消键退出，否则请按确定键。");
inline const QString kPostOperativeQuestion = QStringLiteral(
    "将自动停止所有尚未停止的长期医嘱。所有医嘱都必须重新开具。\r\n如果放弃开具术后医嘱请按取消键退出，否则请按确定键。");
inline const QString kPostOperativeDiscardQuestion = QStringLiteral(
    "开具术后医嘱时将作废所有新开医嘱。\r\n将停止所有尚未停止的长期医嘱。所有医嘱都必须重新开具。\r\n"
    "如果放弃开具术后医嘱请按取消键退出，否则请按确定键。");

// The row an operation was chosen on.
struct GroupTarget {
    QString serial;   // the patient's stay (zyid)
    OrderKind kind = OrderKind::LongTerm;
    qint64 sid = 0;   // the selected row
    QString group;    // its group key as the list holds it
};

// What a group statement did.
struct GroupChange {
    enum Outcome {
        Changed,     // these rows changed
        Unchanged,   // no row was in the expected state: the list is out of date
        NotSkinTest, // the stored content is not a skin test
        Failed       // the database refused; nothing changed
    };
    Outcome outcome = Failed;
    QVector<qint64> sids;  // the rows changed, by sid
    QString at;            // the time written (execution or stop)
    QString content;       // a skin test: the stored content afterwards
    QString error;
    bool changed() const { return outcome == Changed; }
};

struct Reorganisation {
    bool ok = false;
    qint64 marker = 0;  // sid of the "重整医嘱" row
    int copied = 0;     // running orders copied below it (and stopped above it)
    QString error;
};

// The state of one stored row, for the refusal shown when a statement found nothing to do.
struct RowState {
    bool exists = false;
    bool voided = false, executed = false, stopped = false, stopConfirmed = false;
    QString content;
};

class OrderLifecycle {
public:
    // `user` signs what is done; `department` is written on the reorganised copies.
    OrderLifecycle(const store::DataDirectory& files, const QString& user, const QString& department)
        : files_(files), user_(user), department_(department) {}

    // A nurse executes the group: hsxm1 on its valid rows not yet executed; temporary and
    // herbal orders also get dysj and yyjs 0. Marker and voided rows are left alone. A
    // herbal prescription is its herbs and its header row.
    GroupChange execute(const GroupTarget& target);
    // A nurse confirms the stop of a stopped long-term group: hsxm2.
    GroupChange confirmStop(const GroupTarget& target);
    // A doctor stops the running rows of the group: ysxm2 and tzsj.
    GroupChange stop(const GroupTarget& target);
    // yzzt 'Del' and yyjs 0 on the group's rows that are not voided yet.
    GroupChange voidGroup(const GroupTarget& target);
    // Deletes the group when none of its rows has been executed; otherwise nothing.
    GroupChange remove(const GroupTarget& target);
    // The skin-test result (kPositive or kNegative): the selected row's content from the
    // stored one without its trailing "( )", " (+)" or " (-)", the execution on the group.
    GroupChange recordSkinTest(const GroupTarget& target, const QString& result);

    // One transaction: the marker (its number from the counter, yzzt 'OK'), a copy of
    // every valid running long-term order below it in sid order, and the stop of the
    // originals. Earlier markers are neither copied nor stopped.
    Reorganisation reorganise(const QString& serial);
    // Stops every valid running long-term order of the stay (a post-operative batch).
    GroupChange stopAllRunning(const QString& serial);

    RowState state(qint64 sid) const;

private:
    store::DataDirectory files_;
    QString user_;
    QString department_;
};

// StartPostOperative on the long-term entry grid: asks (the question depends on whether
// the grid holds lines), stops every running long-term order, and leaves the grid with
// one "术后医嘱" marker line to enter the new orders below. False when cancelled or when
// the stop failed (the grid then stays as it was).
bool startPostOperative(OrderLifecycle& lifecycle, const QString& serial, WesternEntry& entry, ui::UserInterface& ui);

}  // namespace qh::orders
