#pragma once
// One of the three order lists of a patient (long-term, temporary, herbal) as a grid, and
// the operations of its pop-up menu on the selected row. Each operation acts on the
// selected row's whole group and then updates exactly the grid rows the database changed,
// without reading the list again; when the database changed nothing (someone else was
// first) the list is read again and the matching refusal shown; when it failed the grid
// stays as it was and "操作失败，医嘱未更改！" is shown.
#include <QString>
#include <QVector>

#include "orders/OrderLifecycle.h"
#include "orders/OrderLists.h"
#include "shell/UserContext.h"
#include "store/DatabaseFiles.h"
#include "interaction/DataGrid.h"
#include "interaction/UserInterface.h"

namespace qh::orders {

// Grey of voided lines (0x00BBGGRR) and the shading of running long-term orders.
inline constexpr quint32 kVoidedGrey = 0xC0C0C0;
inline constexpr quint32 kRunningShade = 0xDBFBD2;

class OrderListModel {
public:
    enum class Outcome {
        Nothing,  // no data row selected, a marker line, or cancelled
        Done,
        Refused,  // a warning was shown
        Failed    // the database refused; "操作失败，医嘱未更改！" was shown
    };

    // Columns of the long-term list.
    enum LongTermCol {
        LNo = 0, LDate, LTime, LBlank, LContent, LDoctor, LNurse, LStopDate, LStopTime, LStopDoctor, LStopNurse,
        LOrderNo, LGroup, LongTermColumns
    };
    // Columns of the temporary list.
    enum TemporaryCol {
        TNo = 0, TDate, TTime, TBlank, TContent, TDoctor, TExecuted, TNurse, TGroup, TRemark, TemporaryColumns
    };
    // Columns of the herbal list.
    enum HerbalCol { HNo = 0, HDate, HTime, HBlank, HContent, HDoctor, HNurse, HGroup, HNumber, HerbalColumns };

    OrderListModel(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui,
                   OrderKind kind);

    OrderKind kind() const { return kind_; }
    ui::DataGrid& grid() { return grid_; }
    const ui::DataGrid& grid() const { return grid_; }
    QString serial() const { return serial_; }

    // Reads the patient's list into the grid. `discharged`: the patient was chosen from
    // the discharged list (the herbal list then reads both herbal tables).
    void load(const QString& serial, bool discharged = false);
    // Reads the list again and keeps the selection on the same stored row where it still is.
    void reload();

    // Column of the executing nurse, of the group key.
    int nurseColumn() const;
    int groupColumn() const;
    // The stored rows a grid row stands for; the grid row showing a stored row (0: none).
    QVector<qint64> sidsOfRow(int r) const;
    int rowOfSid(qint64 sid) const;
    bool isMarkerRow(int r) const;
    bool isVoidedRow(int r) const;

    int selectedRow() const;
    void select(int r);
    // The next row below `r` whose group still waits for a nurse (not executed, or a
    // stopped long-term order whose stop is not confirmed); 0 when there is none.
    int nextWaitingRow(int r) const;

    // 护士执行 of this list (ExecuteLongTerm, ExecuteTemporary, ExecuteHerbal); on success
    // the selection moves on to the next group still waiting.
    Outcome execute();
    // 停止医嘱 (long-term list).
    Outcome stop();
    // 作废医嘱 (long-term and temporary lists).
    Outcome voidOrder();
    // 删除医嘱 (long-term and temporary lists).
    Outcome remove();
    // 皮试阳性 / 皮试阴性 (temporary list).
    Outcome recordSkinTest(bool positive);
    // 重整医嘱 (long-term list): asks, reorganises, reads the list again.
    Outcome reorganise();

private:
    GroupTarget target(int r) const;
    // The grid rows showing any of these stored rows.
    QVector<int> rowsOf(const QVector<qint64>& sids) const;
    // After a statement that changed nothing: read again and tell why.
    Outcome outOfDate(qint64 sid, const QString& refusal);
    Outcome refuse(const QString& text);
    Outcome fail();
    void setHeader();
    void styleVoided(int r);
    void number();

    store::DataDirectory files_;
    const shell::UserContext& user_;
    ui::UserInterface& ui_;
    OrderKind kind_;
    ui::DataGrid grid_;
    QString serial_;
    bool discharged_ = false;
};

}  // namespace qh::orders
