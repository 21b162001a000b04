#pragma once
// The vital-sign records of the current patient, one 体温单 row per date and time slot, and
// the three grids of the temperature-chart page that show and edit them: temperatures;
// other items (an entry layout for new rows, a list layout of what is stored); events.
// Adding, saving and modifying need the 绘制体温 right (HZTW); the logic refuses them
// without it, whatever the window shows.
#include <QDate>
#include <QString>
#include <QStringList>

#include "interaction/DataGrid.h"
#include "interaction/UserInterface.h"
#include "shell/PatientContext.h"
#include "shell/UserContext.h"
#include "store/Connection.h"
#include "store/DatabaseFiles.h"

namespace qh::vitals {

// The six slots of a day, 04:00 to 24:00, in their order (排序4 is the index + 1).
const QStringList& timeSlots();
// 1-6 for a slot label, 0 for any other text.
int slotNumber(const QString& slot);
// The slot's column on the chart, 0-5; the older labels 上3, 上7, 上11, 下3, 下7, 下11 stand
// for the same columns. -1 for any other text.
int chartSlotIndex(const QString& slot);
// The date text of a row: "2016-2-4", no leading zeros.
QString rowDateText(const QDate& d);
// Reads a row date ("2016-2-4", also padded); invalid for anything else.
QDate parseRowDate(const QString& text);
// Full-width digits, "．", "／" and "－" as ASCII, blanks at both ends removed.
QString asciiDigits(const QString& text);

// The column an item of the other-items grid is stored in; empty for a name that is not
// one of the listed items (it is then stored as an extra item, 扩展名称1 and 扩展1).
QString itemColumn(const QString& item);
// Events written at the bottom of the chart (事项2) and that break its lines.
bool isAbsenceEvent(const QString& event);

inline const QString kChooseRow = QStringLiteral("操作错误！请选择需要修改的表格行。");
inline const QString kNoRight = QStringLiteral("操作错误！您没有绘制体温单的权限。");
inline const QString kSlotTaken = QStringLiteral("操作错误！该日期和时刻已有记录，请在那一行中修改。");

class VitalSigns {
public:
    VitalSigns(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui);

    // The patient the page shows: 住院编号 (row key), name (messages), admission date.
    void setPatient(const shell::PatientContext& patient);
    const QString& serialNumber() const { return serial_; }
    bool canEdit() const { return user_.HZTW; }

    // Grid columns.
    enum TempCol { TNumber, TDate, TSlot, TType, TTemp, TCooled, TPulse, THeart, TResp, TRecorder, TempCols };
    enum EntryCol { ENumber, EDate, ESlot, EItem, EValue, ERecorder, EntryCols };
    enum EventCol { VNumber, VDate, VSlot, VEvent, VTime, VType, VRecorder, EventCols };
    static constexpr int kOtherListCols = 15;

    ui::DataGrid& temperatures() { return temperatures_; }
    ui::DataGrid& others() { return others_; }
    ui::DataGrid& events() { return events_; }
    bool othersInEntryLayout() const { return othersEntry_; }

    // The three lists, read from the patient's rows.
    void listTemperatures();
    void listOthers();
    void listEvents();
    void listAll();

    // New rows with their defaults (date today, slot by the hour, the user as recorder).
    bool addTemperature();
    bool addOther();
    bool addEvent();
    // The event cell of a row was edited: its type follows the event.
    void eventEdited(int row);

    // Saves: true when something was stored (and said so).
    bool saveTemperature();
    bool saveOthers();
    bool saveEvents();
    // Writes the selected data row back by its 编号.
    bool modifyTemperature(int row);
    bool modifyOther(int row);
    bool modifyEvent(int row);

    // Day counts of a row dated d: day in hospital (admission day 1) and the post-operative
    // day carried on from the day before (empty when not counting).
    int hospitalDay(const QDate& d) const;
    QString surgeryDay(store::Connection& db, const QDate& d) const;

    // "共 N 页": the chart's page count for today.
    QString pageCountText() const;

private:
    struct Check {
        QString heading;
        QString value;  // as entered
        enum Kind { Number, Pressure, Free } kind = Number;
        double low = 0, high = 0;  // the usual range; low == high: none
    };
    // Normalises and checks the values; false after the refusal or a cancelled question.
    bool checkValues(QList<Check>& checks);
    bool checkDateAndSlot(const QString& date, const QString& slot);
    bool checkTemperatureRow(int row, const QString& slot);
    QString slotKey(const QString& date, const QString& slot) const { return date + slot + serial_; }
    bool slotTaken(store::Connection& db, const QString& key, qint64 except) const;
    bool refuseWithoutRight();
    void fillDefaults(ui::DataGrid& grid, int row, int dateCol, int slotCol, int recorderCol);
    void setOthersLayout(bool entry);
    QString sameDateAndSlot(const ui::DataGrid& grid, const QList<int>& rows, int dateCol, int slotCol) const;
    // The new rows with `filled` typed in, all of one valid date and slot; none after a refusal.
    QList<int> rowsToSave(const ui::DataGrid& grid, int filled, int dateCol, int slotCol);
    // The main database; when it does not open, `failed` is said and the connection is closed.
    store::Connection openMain(const QString& failed);
    // Writes `columns` with their `values`, then the four sort numbers, into the patient's row
    // of the day and slot: an UPDATE of that row when there is one, else an INSERT that also
    // carries the row's 检索, 时刻检索, 日期, 时刻, 住院日数 and 手术日数. The row's 编号 in *number.
    store::ExecResult writeSlotRow(store::Connection& db, const QDate& day, const QString& slot, QStringList columns,
                                   store::Params values, qint64* number = nullptr);
    // Says which of the entries were saved ("患者 血压 体重 数据保存成功"), or that none was.
    bool sayEntriesSaved(const QString& saved);
    QList<int> newRows(const ui::DataGrid& grid) const;

    store::DataDirectory files_;
    const shell::UserContext& user_;
    ui::UserInterface& ui_;
    QString serial_, name_;
    QDate admission_;
    ui::DataGrid temperatures_;
    ui::DataGrid others_;
    ui::DataGrid events_;
    bool othersEntry_ = false;
};

}  // namespace qh::vitals
