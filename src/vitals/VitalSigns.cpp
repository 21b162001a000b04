#include "vitals/VitalSigns.h"

#include <QRegularExpression>

#include "common/Clock.h"
#include "common/DateText.h"
#include "common/NumericText.h"
#include "common/TimeOfDayText.h"
#include "store/Connection.h"
#include "vitals/TemperatureChart.h"
#include "vitals/VitalRows.h"

namespace qh::vitals {

namespace {

QString S(const char* utf8) { return QString::fromUtf8(utf8); }

const QStringList kTempHeader = {S("编号"), S("日期"), S("时刻"), S("体温类型"), S("体温"),
                                 S("降温后"), S("脉搏"), S("心率"), S("呼吸"), S("记录者")};
const QStringList kEntryHeader = {S("编号"), S("日期"), S("时刻"), S("项目名称"), S("项目数值"), S("记录者")};
const QStringList kListHeader = {S("编号"), S("日期"), S("时刻"), S("血压"), S("总液体量"),
                                 S("大便次数"), S("小便次数"), S("其他排除量"), S("体重"), S("药物过敏"),
                                 S("痰量"), S("小便量"), S("引流量"), S("呕吐量"), S("其他")};
// The stored columns behind list columns 3-13 (14 is 扩展名称1 and 扩展1).
const QStringList kListColumns = {S("血压"), S("总入量"), S("大便次数"), S("小便次数"), S("总出量"), S("体重"),
                                  S("药物过敏"), S("舌质"), S("扩展2"), S("舌苔"), S("腹围")};
const QStringList kEventHeader = {S("编号"), S("日期"), S("时刻"), S("事项"), S("事项时间"), S("事项类型"), S("记录者")};
const QStringList kItems = {S("血压"), S("呕吐量"), S("痰量"), S("引流量"), S("总入量"), S("大便次数"),
                            S("小便量"), S("其他排除量"), S("体重"), S("药物过敏"), S("其他")};
const QStringList kEvents = {S("入院"), S("手术"), S("分娩"), S("出院"), S("转入"), S("转出"), S("死亡"), S("请假"), S("外出")};
const QString kRefused = S("拒测");
const QString kExtraSeparator = S("  ");

// The item of the list layout's other cell: "name  value".
struct Extra {
    QString name, value;
};
Extra splitExtra(const QString& shown) {
    const int at = shown.indexOf(kExtraSeparator);
    if (at < 0) return {shown.trimmed().isEmpty() ? QString() : S("其他"), shown.trimmed()};
    return {shown.left(at).trimmed(), shown.mid(at + kExtraSeparator.size()).trimmed()};
}

bool isWhole(const QString& v) {
    static const QRegularExpression number(QStringLiteral(R"(^\d+(\.\d+)?$)"));
    return number.match(v).hasMatch();
}

QString eventType(const QString& event) { return isAbsenceEvent(event) ? QStringLiteral("2") : QStringLiteral("1"); }

}  // namespace

const QStringList& timeSlots() {
    static const QStringList labels = {S("上4"), S("上8"), S("上12"), S("下4"), S("下8"), S("下12")};
    return labels;
}

int slotNumber(const QString& slot) { return int(timeSlots().indexOf(slot)) + 1; }

int chartSlotIndex(const QString& slot) {
    static const QStringList older = {S("上3"), S("上7"), S("上11"), S("下3"), S("下7"), S("下11")};
    const QString t = slot.trimmed();
    const int i = int(timeSlots().indexOf(t));
    return i >= 0 ? i : int(older.indexOf(t));
}

QString rowDateText(const QDate& d) { return dates::dashDateText(d); }

QDate parseRowDate(const QString& text) {
    static const QRegularExpression dashed(QStringLiteral(R"(^(\d{4})-(\d{1,2})-(\d{1,2})$)"));
    const QRegularExpressionMatch m = dashed.match(asciiDigits(text));
    if (!m.hasMatch()) return {};
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

QString asciiDigits(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const ushort u = c.unicode();
        if (u >= 0xFF10 && u <= 0xFF19) out += QChar(u - 0xFF10 + '0');
        else if (u == 0xFF0E) out += QLatin1Char('.');
        else if (u == 0xFF0F) out += QLatin1Char('/');
        else if (u == 0xFF0D) out += QLatin1Char('-');
        else if (u == 0x3000) out += QLatin1Char(' ');
        else out += c;
    }
    return out.trimmed();
}

QString itemColumn(const QString& item) {
    static const QHash<QString, QString> columns = {
        {S("血压"), S("血压")},     {S("总入量"), S("总入量")},   {S("大便次数"), S("大便次数")},
        {S("小便次数"), S("小便次数")}, {S("其他排除量"), S("总出量")}, {S("体重"), S("体重")},
        {S("药物过敏"), S("药物过敏")}, {S("痰量"), S("舌质")},     {S("小便量"), S("扩展2")},
        {S("引流量"), S("舌苔")},   {S("呕吐量"), S("腹围")}};
    return columns.value(item.trimmed());
}

bool isAbsenceEvent(const QString& event) {
    const QString e = event.trimmed();
    return e == kRefused || e == S("请假") || e == S("外出");
}

VitalSigns::VitalSigns(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui)
    : files_(files), user_(user), ui_(ui), temperatures_(TempCols), others_(kOtherListCols), events_(EventCols) {
    temperatures_.setHeader(kTempHeader);
    temperatures_.setColumnItems(TSlot, timeSlots());
    temperatures_.setColumnItems(TType, {S("腋温"), S("口温"), S("肛温")});
    events_.setHeader(kEventHeader);
    events_.setColumnItems(VSlot, timeSlots());
    events_.setColumnItems(VEvent, kEvents);
    setOthersLayout(false);
    for (ui::DataGrid* g : {&temperatures_, &others_, &events_}) {
        g->setColumnWidth(0, 44);
        g->setColumnWidth(1, 80);
        g->setEditable(user_.HZTW);
    }
}

void VitalSigns::setPatient(const shell::PatientContext& patient) {
    serial_ = patient.serialNumber;
    name_ = patient.name;
    admission_ = dates::parseDateText(patient.admissionDate).date();
    for (ui::DataGrid* g : {&temperatures_, &others_, &events_}) g->setEditable(user_.HZTW);
    listAll();
}

void VitalSigns::setOthersLayout(bool entry) {
    othersEntry_ = entry;
    others_.clearRows();
    if (entry) {
        others_.setCols(EntryCols);
        others_.setHeader(kEntryHeader);
        others_.setColumnItems(ESlot, timeSlots());
        others_.setColumnItems(EItem, kItems);
    } else {
        others_.setCols(kOtherListCols);
        others_.setHeader(kListHeader);
        others_.setColumnItems(ESlot, QStringList());
        others_.setColumnItems(EItem, QStringList());
    }
    others_.setColumnWidth(0, 44);
    others_.setColumnWidth(1, 80);
}

bool VitalSigns::refuseWithoutRight() {
    if (user_.HZTW && !serial_.isEmpty()) return false;
    if (!user_.HZTW) ui_.messageDialog(kNoRight);
    return true;
}

// --- Lists ---

void VitalSigns::listTemperatures() {
    temperatures_.clearRows();
    if (serial_.isEmpty()) return;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return;
    for (const OrderedRow& o : readChartRows(db, serial_)) {
        const store::Row& r = o.row;
        if (r.text(S("体温1")).isEmpty()) continue;
        temperatures_.addRow({r.text(S("编号")), r.text(S("日期")), r.text(S("时刻")), r.text(S("体温类型")),
                              r.text(S("体温1")), r.text(S("体温2")), r.text(S("脉搏")), r.text(S("心率")),
                              r.text(S("呼吸")), r.text(S("记录者"))});
    }
}

void VitalSigns::listOthers() {
    setOthersLayout(false);
    if (serial_.isEmpty()) return;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return;
    for (const OrderedRow& o : readChartRows(db, serial_)) {
        const store::Row& r = o.row;
        QStringList cells = {r.text(S("编号")), r.text(S("日期")), r.text(S("时刻"))};
        bool any = false;
        for (const QString& c : kListColumns) {
            cells << r.text(c);
            any = any || !cells.last().isEmpty();
        }
        const QString name = r.text(S("扩展名称1")), value = r.text(S("扩展1"));
        any = any || !name.isEmpty() || !value.isEmpty();
        if (!any) continue;
        cells << ((name.isEmpty() && value.isEmpty()) ? QString() : name + kExtraSeparator + value);
        others_.addRow(cells);
    }
}

void VitalSigns::listEvents() {
    events_.clearRows();
    events_.setColumnItems(VEvent, kEvents);
    if (serial_.isEmpty()) return;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return;
    for (const store::Row& r :
         db.query(QStringLiteral("select * from 体温单 where 检索=? order by 编号 ASC"), {serial_})) {
        for (int type : {1, 2}) {
            const QString event = r.text(QStringLiteral("事项%1").arg(type));
            if (event.isEmpty()) continue;
            const int row = events_.addRow({r.text(S("编号")), r.text(S("日期")), r.text(S("时刻")), event,
                                            r.text(QStringLiteral("事项时间%1").arg(type)), QString::number(type),
                                            r.text(S("记录者"))});
            events_.setRowValue(row, type);  // the pair the event is stored in
        }
    }
}

void VitalSigns::listAll() {
    listTemperatures();
    listOthers();
    listEvents();
}

// --- New rows ---

void VitalSigns::fillDefaults(ui::DataGrid& grid, int row, int dateCol, int slotCol, int recorderCol) {
    const QDateTime now = Clock::now();
    grid.setText(row, dateCol, rowDateText(now.date()));
    grid.setText(row, slotCol, dates::defaultTimeSlot(now.time().hour()));
    grid.setText(row, recorderCol, user_.userName);
}

QList<int> VitalSigns::newRows(const ui::DataGrid& grid) const {
    QList<int> rows;
    for (int r = 1; r < grid.rows(); ++r)
        if (grid.text(r, 0).trimmed().isEmpty()) rows << r;
    return rows;
}

bool VitalSigns::addTemperature() {
    if (refuseWithoutRight()) return false;
    temperatures_.clearRows();
    const int row = temperatures_.addRow();
    fillDefaults(temperatures_, row, TDate, TSlot, TRecorder);
    temperatures_.setText(row, TType, S("腋温"));
    temperatures_.setCurrent(row, TTemp);
    return true;
}

bool VitalSigns::addOther() {
    if (refuseWithoutRight()) return false;
    if (!othersEntry_) setOthersLayout(true);
    const int row = others_.addRow();
    fillDefaults(others_, row, EDate, ESlot, ERecorder);
    // A further row takes the date and slot of the one before: one save holds one slot.
    if (row > 1) {
        others_.setText(row, EDate, others_.text(row - 1, EDate));
        others_.setText(row, ESlot, others_.text(row - 1, ESlot));
    }
    others_.setCurrent(row, EItem);
    return true;
}

bool VitalSigns::addEvent() {
    if (refuseWithoutRight()) return false;
    // New events are entered on their own; the listed ones are changed by modify.
    if (newRows(events_).size() != events_.rows() - 1) events_.clearRows();
    events_.setColumnItems(VEvent, kEvents + QStringList{kRefused});
    const int row = events_.addRow();
    fillDefaults(events_, row, VDate, VSlot, VRecorder);
    events_.setText(row, VType, QStringLiteral("1"));
    events_.setText(row, VTime, dates::eventTimeText(Clock::now().time()));
    events_.setCurrent(row, VEvent);
    return true;
}

void VitalSigns::eventEdited(int row) {
    if (row < 1 || row >= events_.rows() || events_.text(row, VType) == QStringLiteral("3")) return;
    events_.setText(row, VType, eventType(events_.text(row, VEvent)));
}

// --- Checks ---

bool VitalSigns::checkDateAndSlot(const QString& date, const QString& slot) {
    if (!parseRowDate(date).isValid()) {
        ui_.messageDialog(S("操作错误！日期数值不正确。"));
        return false;
    }
    if (slotNumber(slot) == 0) {
        ui_.messageDialog(S("操作错误！时刻数值不正确。"));
        return false;
    }
    return true;
}

bool VitalSigns::checkValues(QList<Check>& checks) {
    static const QRegularExpression pressure(QStringLiteral(R"(^(\d+)\s*/\s*(\d+)$)"));
    QStringList unusual;
    for (Check& c : checks) {
        c.value = asciiDigits(c.value);
        if (c.value.isEmpty() || c.kind == Check::Free) continue;
        if (c.kind == Check::Pressure) {
            const QRegularExpressionMatch m = pressure.match(c.value);
            if (!m.hasMatch()) {
                ui_.messageDialog(S("操作错误！") + c.heading + S("数值不正确。"));
                return false;
            }
            c.value = m.captured(1) + QLatin1Char('/') + m.captured(2);
            if (m.captured(1).toInt() <= m.captured(2).toInt()) unusual << c.heading + QLatin1Char(' ') + c.value;
            continue;
        }
        if (!isWhole(c.value)) {
            ui_.messageDialog(S("操作错误！") + c.heading + S("数值不正确。"));
            return false;
        }
        const double v = c.value.toDouble();
        if (c.low < c.high && (v < c.low || v > c.high)) unusual << c.heading + QLatin1Char(' ') + c.value;
    }
    if (unusual.isEmpty()) return true;
    return ui_.messageDialog(unusual.join(S("，")) + S(" 超出常见范围，确定要保存吗？"), true) == 1;
}

// The check of a temperature-grid row, columns 4-8.
static QList<QPair<int, std::pair<double, double>>> temperatureRanges() {
    return {{VitalSigns::TTemp, {35.0, 42.0}},  {VitalSigns::TCooled, {35.0, 42.0}},
            {VitalSigns::TPulse, {40, 180}},    {VitalSigns::THeart, {40, 180}},
            {VitalSigns::TResp, {8, 40}}};
}

// --- Day counts ---

int VitalSigns::hospitalDay(const QDate& d) const {
    if (!admission_.isValid() || !d.isValid()) return 0;
    return int(admission_.daysTo(d)) + 1;
}

QString VitalSigns::surgeryDay(store::Connection& db, const QDate& d) const {
    const store::Rows before = db.query(QStringLiteral("select * from 体温单 where 检索=? and 日期=?"),
                                        {serial_, rowDateText(d.addDays(-1))});
    // An operation the day before starts the count; otherwise it carries on to 14.
    for (const store::Row& r : before)
        if (r.text(S("事项1")).trimmed() == S("手术")) return QStringLiteral("1");
    const QString count = before.first().text(S("手术日数")).trimmed();
    if (count.isEmpty()) return {};
    const double n = text::val(count);
    return n < 14 ? QString::number(int(n) + 1) : QString();
}

QString VitalSigns::pageCountText() const {
    return S("共 ") + QString::number(chartPageCount(admission_, Clock::now().date())) + S(" 页");
}

bool VitalSigns::slotTaken(store::Connection& db, const QString& key, qint64 except) const {
    for (const store::Row& r : db.query(QStringLiteral("select * from 体温单 where 时刻检索=?"), {key}))
        if (r.integer(S("编号")) != except) return true;
    return false;
}

QString VitalSigns::sameDateAndSlot(const ui::DataGrid& grid, const QList<int>& rows, int dateCol, int slotCol) const {
    QString reason;
    for (int i = 1; i < rows.size(); ++i) {
        if (grid.text(rows[i], slotCol).trimmed() != grid.text(rows[i - 1], slotCol).trimmed())
            reason = S("时刻必须一致");
        else if (parseRowDate(grid.text(rows[i], dateCol)) != parseRowDate(grid.text(rows[i - 1], dateCol)) ||
                 !parseRowDate(grid.text(rows[i], dateCol)).isValid())
            reason = S("日期必须一致");
    }
    return reason;
}

QList<int> VitalSigns::rowsToSave(const ui::DataGrid& grid, int filled, int dateCol, int slotCol) {
    QList<int> rows;
    for (int r : newRows(grid))
        if (!grid.text(r, filled).trimmed().isEmpty()) rows << r;
    if (rows.isEmpty()) return rows;
    const QString reason = sameDateAndSlot(grid, rows, dateCol, slotCol);
    if (!reason.isEmpty()) {
        ui_.messageDialog(S("所添加项目的") + reason + S("，若一定要改请单个添加"));
        return {};
    }
    if (!checkDateAndSlot(grid.text(rows.first(), dateCol), grid.text(rows.first(), slotCol).trimmed())) return {};
    return rows;
}

store::Connection VitalSigns::openMain(const QString& failed) {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) ui_.messageDialog(failed);
    return db;
}

store::ExecResult VitalSigns::writeSlotRow(store::Connection& db, const QDate& day, const QString& slot,
                                           QStringList columns, store::Params values, qint64* number) {
    const QString date = rowDateText(day);
    const QString key = slotKey(date, slot);
    columns << S("排序1") << S("排序2") << S("排序3") << S("排序4");
    for (const store::Param& p : store::Params{day.year(), day.month(), day.day(), slotNumber(slot)}) values.push_back(p);
    const store::Row existing = db.query(QStringLiteral("select * from 体温单 where 时刻检索=?"), {key}).first();
    if (existing.isValid()) {
        if (number) *number = existing.integer(S("编号"));
        values.push_back(key);
        return db.execute(QStringLiteral("UPDATE 体温单 SET ") + columns.join(QStringLiteral("=?,")) +
                              QStringLiteral("=? where 时刻检索=?"),
                          values);
    }
    store::Params all = {serial_, key, date, slot, QString::number(hospitalDay(day)), surgeryDay(db, day)};
    all.insert(all.end(), values.begin(), values.end());
    QStringList marks;
    for (size_t i = 0; i < all.size(); ++i) marks << QStringLiteral("?");
    const store::ExecResult done =
        db.execute(QStringLiteral("INSERT INTO 体温单 (检索,时刻检索,日期,时刻,住院日数,手术日数,") + columns.join(u',') +
                       QStringLiteral(") values (") + marks.join(u',') + QLatin1Char(')'),
                   all);
    if (number) *number = done.insertedKey;
    return done;
}

bool VitalSigns::sayEntriesSaved(const QString& saved) {
    ui_.messageDialog(saved.isEmpty() ? S("患者") + name_ + S(" 数据保存失败") : S("患者") + saved + S(" 数据保存成功"));
    return !saved.isEmpty();
}

// --- Saves ---

// The row's date and slot, then its measured values against their ranges; the values are
// written back as checked (a number typed with a comma, say, as the number).
bool VitalSigns::checkTemperatureRow(int row, const QString& slot) {
    if (!checkDateAndSlot(temperatures_.text(row, TDate), slot)) return false;
    QList<Check> checks;
    for (const auto& [col, range] : temperatureRanges())
        checks << Check{kTempHeader[col], temperatures_.text(row, col), Check::Number, range.first, range.second};
    if (!checkValues(checks)) return false;
    int i = 0;
    for (const auto& [col, range] : temperatureRanges()) temperatures_.setText(row, col, checks[i++].value);
    return true;
}

bool VitalSigns::saveTemperature() {
    if (refuseWithoutRight()) return false;
    if (temperatures_.rows() != 2) return false;  // one row at a time
    const int row = 1;
    const QDate day = parseRowDate(temperatures_.text(row, TDate));
    const QString slot = temperatures_.text(row, TSlot).trimmed();
    if (!checkTemperatureRow(row, slot)) return false;
    temperatures_.setText(row, TDate, rowDateText(day));

    const QString failed = S("患者") + name_ + S("体温数据保存失败");
    store::Connection db = openMain(failed);
    if (!db.isOpen()) return false;
    store::Params values;
    for (int c = TType; c <= TRecorder; ++c) values.push_back(temperatures_.text(row, c).trimmed());
    qint64 number = 0;
    const store::ExecResult done =
        writeSlotRow(db, day, slot, {S("体温类型"), S("体温1"), S("体温2"), S("脉搏"), S("心率"), S("呼吸"), S("记录者")},
                     values, &number);
    if (!done.changed()) {
        ui_.messageDialog(failed);
        return false;
    }
    temperatures_.setText(row, TNumber, QString::number(number));
    ui_.messageDialog(S("患者") + name_ + S("体温数据保存成功"));
    return true;
}

bool VitalSigns::saveOthers() {
    if (refuseWithoutRight()) return false;
    if (!othersEntry_) return false;  // the list layout is changed by modify
    const QList<int> rows = rowsToSave(others_, EItem, EDate, ESlot);
    if (rows.isEmpty()) return false;
    QList<Check> checks;
    for (int r : rows) {
        const QString item = others_.text(r, EItem).trimmed();
        Check c{item, others_.text(r, EValue), Check::Number};
        if (item == S("血压")) c.kind = Check::Pressure;
        else if (item == S("药物过敏") || itemColumn(item).isEmpty()) c.kind = Check::Free;
        checks << c;
    }
    if (!checkValues(checks)) return false;
    for (int i = 0; i < rows.size(); ++i) others_.setText(rows[i], EValue, checks[i].value);

    store::Connection db = openMain(S("患者") + name_ + S(" 数据保存失败"));
    if (!db.isOpen()) return false;
    const QDate day = parseRowDate(others_.text(rows.first(), EDate));
    const QString slot = others_.text(rows.first(), ESlot).trimmed();
    QString saved;
    for (int r : rows) {
        others_.setText(r, EDate, rowDateText(day));
        const QString item = others_.text(r, EItem).trimmed();
        const QString value = others_.text(r, EValue);
        const QString recorder = others_.text(r, ERecorder).trimmed();
        const QString column = itemColumn(item);
        // An item that is not one of the listed ones is an extra item: its name and value, never a column name.
        const store::ExecResult done =
            column.isEmpty()
                ? writeSlotRow(db, day, slot, {S("扩展名称1"), S("扩展1"), S("记录者")}, {item, value, recorder})
                : writeSlotRow(db, day, slot, {column, S("记录者")}, {value, recorder});
        if (done.changed()) saved += QLatin1Char(' ') + item;
    }
    return sayEntriesSaved(saved);
}

bool VitalSigns::saveEvents() {
    if (refuseWithoutRight()) return false;
    const QList<int> rows = rowsToSave(events_, VEvent, VDate, VSlot);
    if (rows.isEmpty()) return false;
    store::Connection db = openMain(S("患者") + name_ + S(" 数据保存失败"));
    if (!db.isOpen()) return false;
    const QDate day = parseRowDate(events_.text(rows.first(), VDate));
    const QString slot = events_.text(rows.first(), VSlot).trimmed();
    QString saved;
    for (int r : rows) {
        events_.setText(r, VDate, rowDateText(day));
        const QString event = events_.text(r, VEvent).trimmed();
        // The pair of columns follows the event, whatever the cell said.
        const QString type = eventType(event);
        events_.setText(r, VType, type);
        const store::ExecResult done =
            writeSlotRow(db, day, slot, {S("事项") + type, S("事项时间") + type, S("记录者")},
                         {event, events_.text(r, VTime).trimmed(), events_.text(r, VRecorder).trimmed()});
        if (done.changed()) saved += QLatin1Char(' ') + event;
    }
    return sayEntriesSaved(saved);
}

// --- Modify ---

bool VitalSigns::modifyTemperature(int row) {
    if (refuseWithoutRight()) return false;
    if (row < 1 || row >= temperatures_.rows() || temperatures_.text(row, TNumber).trimmed().isEmpty()) {
        ui_.messageDialog(kChooseRow);
        return false;
    }
    const QString number = temperatures_.text(row, TNumber).trimmed();
    const QString slot = temperatures_.text(row, TSlot).trimmed();
    if (!checkTemperatureRow(row, slot)) return false;
    const QDate day = parseRowDate(temperatures_.text(row, TDate));
    const QString date = rowDateText(day);
    temperatures_.setText(row, TDate, date);
    const QString failed = S("患者 ") + name_ + S(" 编号为 ") + number + S(" 体温数据修改失败");
    store::Connection db = openMain(failed);
    if (!db.isOpen()) return false;
    const QString key = slotKey(date, slot);
    if (slotTaken(db, key, number.toLongLong())) {
        ui_.messageDialog(kSlotTaken);
        return false;
    }
    store::Params params = {key};
    params.push_back(temperatures_.text(row, TType).trimmed());
    params.push_back(date);
    params.push_back(slot);
    for (int c = TTemp; c <= TRecorder; ++c) params.push_back(temperatures_.text(row, c).trimmed());
    for (const store::Param& p : store::Params{day.year(), day.month(), day.day(), slotNumber(slot), number.toLongLong()})
        params.push_back(p);
    const store::ExecResult done = db.execute(
        QStringLiteral("UPDATE 体温单 SET 时刻检索=?,体温类型=?,日期=?,时刻=?,体温1=?,体温2=?,脉搏=?,心率=?,呼吸=?,"
                       "记录者=?,排序1=?,排序2=?,排序3=?,排序4=? where 编号=?"),
        params);
    if (!done.changed()) {
        ui_.messageDialog(failed);
        return false;
    }
    ui_.messageDialog(S("患者 ") + name_ + S(" 编号为 ") + number + S(" 体温数据修改成功"));
    return true;
}

bool VitalSigns::modifyOther(int row) {
    if (refuseWithoutRight()) return false;
    if (othersEntry_ || row < 1 || row >= others_.rows() || others_.text(row, ENumber).trimmed().isEmpty()) {
        ui_.messageDialog(kChooseRow);
        return false;
    }
    const QString number = others_.text(row, ENumber).trimmed();
    // List columns 3-13 in order, then the extra item.
    QList<Check> checks;
    for (int c = 3; c <= 13; ++c) {
        Check check{kListHeader[c], others_.text(row, c), Check::Number};
        if (c == 3) check.kind = Check::Pressure;
        if (c == 9) check.kind = Check::Free;
        checks << check;
    }
    if (!checkValues(checks)) return false;
    for (int c = 3; c <= 13; ++c) others_.setText(row, c, checks[c - 3].value);
    const Extra extra = splitExtra(others_.text(row, 14));
    const QString failed = S("患者 ") + name_ + S(" 编号为 ") + number + S(" 数据修改失败");
    store::Connection db = openMain(failed);
    if (!db.isOpen()) return false;
    auto cell = [&](int c) { return others_.text(row, c).trimmed(); };
    const store::ExecResult done = db.execute(
        QStringLiteral("UPDATE 体温单 SET 血压=?,体重=?,大便次数=?,小便次数=?,总入量=?,总出量=?,药物过敏=?,扩展名称1=?,"
                       "扩展1=?,排序4=?,舌质=?,舌苔=?,腹围=?,扩展2=? where 编号=?"),
        {cell(3), cell(8), cell(5), cell(6), cell(4), cell(7), cell(9), extra.name, extra.value,
         slotNumber(cell(2)), cell(10), cell(12), cell(13), cell(11), number.toLongLong()});
    if (!done.changed()) {
        ui_.messageDialog(failed);
        return false;
    }
    others_.setText(row, 14, extra.name.isEmpty() && extra.value.isEmpty() ? QString()
                                                                          : extra.name + kExtraSeparator + extra.value);
    ui_.messageDialog(S("患者 ") + name_ + S(" 编号为 ") + number + S(" 数据修改成功"));
    return true;
}

bool VitalSigns::modifyEvent(int row) {
    if (refuseWithoutRight()) return false;
    if (row < 1 || row >= events_.rows() || events_.text(row, VNumber).trimmed().isEmpty()) {
        ui_.messageDialog(kChooseRow);
        return false;
    }
    const QString number = events_.text(row, VNumber).trimmed();
    const QString event = events_.text(row, VEvent).trimmed();
    QString type = events_.text(row, VType).trimmed();
    if (type != QStringLiteral("3")) type = eventType(event);
    events_.setText(row, VType, type);
    const QString before = events_.rowValue(row).toString();  // the pair it was listed from
    const QString failed = S("患者 ") + name_ + S(" 编号为 ") + number + S(" 事项数据修改失败");
    store::Connection db = openMain(failed);
    if (!db.isOpen()) return false;
    const QString set = type == QStringLiteral("3") ? QStringLiteral("扩展名称1=?,扩展1=?")
                                                    : QStringLiteral("事项%1=?,事项时间%1=?").arg(type);
    store::Transaction tx(db);
    // An event that changed its pair leaves the old one: it is moved, not copied.
    if ((before == QStringLiteral("1") || before == QStringLiteral("2")) && before != type &&
        !db.execute(QStringLiteral("UPDATE 体温单 SET 事项%1=NULL,事项时间%1=NULL where 编号=?").arg(before),
                    {number.toLongLong()})
             .changed()) {
        ui_.messageDialog(failed);
        return false;
    }
    const store::ExecResult done =
        db.execute(QStringLiteral("UPDATE 体温单 SET ") + set + QStringLiteral(",记录者=?,排序4=? where 编号=?"),
                   {event, events_.text(row, VTime).trimmed(), events_.text(row, VRecorder).trimmed(),
                    slotNumber(events_.text(row, VSlot).trimmed()), number.toLongLong()});
    if (!done.changed() || !tx.commit()) {
        ui_.messageDialog(failed);
        return false;
    }
    if (type != QStringLiteral("3")) events_.setRowValue(row, type.toInt());
    ui_.messageDialog(S("患者 ") + name_ + S(" 编号为 ") + number + S(" 事项数据修改成功"));
    return true;
}

}  // namespace qh::vitals
