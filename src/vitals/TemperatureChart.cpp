#include "vitals/TemperatureChart.h"

#include <QRegularExpression>
#include <algorithm>

#include "common/DateText.h"
#include "common/GbkText.h"
#include "store/Connection.h"
#include "vitals/VitalRows.h"
#include "vitals/VitalSigns.h"

namespace qh::vitals {

namespace {

QString S(const char* utf8) { return QString::fromUtf8(utf8); }

constexpr int W = kChartWidth;
constexpr int H = kChartHeight;
constexpr int kGridLeft = 128;  // left edge of the first day column
constexpr int kDayWidth = 66;
constexpr int kSlotWidth = 11;

int dayLeft(int d) { return kGridLeft + kDayWidth * (d - 1); }  // d = 1..7
int slotCentre(int d, int s) { return 133 + kSlotWidth * (6 * (d - 1) + s); }

// Centred in a day column, at a fixed width per GBK byte.
int centredIn(int left, int width, const QString& text, int perByte) {
    return left + (width - perByte * text::gbkLength(text)) / 2;
}

// The characters of a text one under the other.
QString downwards(const QString& text) {
    QStringList chars;
    for (QChar c : text) chars << QString(c);
    return chars.join(QStringLiteral("\r\n"));
}

}  // namespace

int chartPageCount(const QDate& admission, const QDate& today) {
    if (!admission.isValid() || !today.isValid()) return 1;
    const int h = int(admission.daysTo(today)) + 1;
    return h < 1 ? 1 : h / 7 + 1;
}

int temperatureY(int hundredths) { return 645 - (hundredths - 3300) / 2; }
int pulseY(int hundredths) { return 645 - hundredths / 40; }

bool hundredths(const QString& text, int* value) {
    static const QRegularExpression number(QStringLiteral(R"(^(\d{1,6})(?:\.(\d+))?$)"));
    const QRegularExpressionMatch m = number.match(asciiDigits(text));
    if (!m.hasMatch()) return false;
    const QString frac = m.captured(2) + QStringLiteral("000");
    int v = m.captured(1).toInt() * 100 + frac.left(2).toInt();
    if (frac[2] >= QLatin1Char('5')) ++v;  // the third decimal rounds
    *value = v;
    return true;
}

TemperatureChart::TemperatureChart(ChartPatient patient, QList<ChartRow> rows, QDate today)
    : patient_(std::move(patient)), rows_(std::move(rows)), today_(today) {}

TemperatureChart TemperatureChart::load(const store::DataDirectory& files, const shell::PatientContext& patient,
                                        const QString& hospital, const QDate& today) {
    ChartPatient p{hospital, patient.name, patient.sex, patient.age, patient.wardRoom, patient.admissionNumber,
                   dates::parseDateText(patient.admissionDate).date()};
    QList<ChartRow> rows;
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (db.isOpen() && !patient.serialNumber.isEmpty()) {
        for (const OrderedRow& o : readChartRows(db, patient.serialNumber)) {
            const store::Row& r = o.row;
            auto t = [&r](const char* column) { return r.text(QString::fromUtf8(column)).trimmed(); };
            ChartRow c;
            c.date = o.date;
            c.slot = o.slot - 1;
            c.type = t("体温类型");
            c.temperature = t("体温1");
            c.cooled = t("体温2");
            c.pulse = t("脉搏");
            c.heart = t("心率");
            c.respiration = t("呼吸");
            c.event1 = t("事项1");
            c.eventTime1 = t("事项时间1");
            c.event2 = t("事项2");
            c.eventTime2 = t("事项时间2");
            c.stools = t("大便次数");
            c.urineCount = t("小便次数");
            c.urineVolume = t("扩展2");
            c.sputum = t("舌质");
            c.drainage = t("舌苔");
            c.vomit = t("腹围");
            c.output = t("总出量");
            c.intake = t("总入量");
            c.weight = t("体重");
            c.extra = t("扩展1");
            c.allergy = t("药物过敏");
            c.pulseQuality = t("脉象");
            c.pressure = t("血压");
            rows << c;
        }
    }
    return TemperatureChart(p, rows, today);
}

int TemperatureChart::hospitalDay(const QDate& d) const {
    if (!patient_.admission.isValid() || !d.isValid()) return 0;
    return int(patient_.admission.daysTo(d)) + 1;
}

int TemperatureChart::pageCount() const {
    int n = chartPageCount(patient_.admission, today_);
    for (const ChartRow& r : rows_) {
        const int h = hospitalDay(r.date);
        if (h >= 1) n = std::max(n, (h - 1) / 7 + 1);
    }
    return n;
}

void TemperatureChart::print(ui::DrawingBoard& board, int first, int last) const {
    first = std::max(1, first);
    last = std::min(pageCount(), last);
    board.beginJob(W, H);
    for (int p = first; p <= last; ++p) {
        if (p > first) board.newPage();
        drawPage(board, p);
    }
    board.endJob();
}

void TemperatureChart::drawPage(ui::DrawingBoard& board, int page) const {
    board.setTransparentText(true);
    drawEmptyPage(board, page);
    drawDates(board, page);
    drawSurgeryDays(board, page);
    drawRows(board, page);
    drawDayRows(board, page);
}

void TemperatureChart::drawEmptyPage(ui::DrawingBoard& b, int page) const {
    b.clear(0, 0, W, H);
    b.setTextColour(kBlack);
    b.setFont(16, true);
    const QString title = patient_.hospital + S("体温单");
    b.text((W - 13 * text::gbkLength(title)) / 2 + 20, 35, title);

    b.setFont(10);
    b.text(30, 70,
           S("姓名:") + patient_.name + S("  性别:") + patient_.sex + S("  年龄:") + patient_.age + S("  病房:") +
               patient_.wardRoom + S("    入院日期:") +
               (patient_.admission.isValid() ? dates::dayText(patient_.admission) : QString()) + S("    住院号:") +
               patient_.admissionNumber);
    b.text(W / 2 - 10, H - 30, S("第 ") + QString::number(page) + S(" 页"));

    // Frame and header rows.
    b.setPen(2, kBlack);
    b.rectangle(30, 85, W - 30, 836);
    b.setPen(1, kBlack);
    for (int y : {104, 123, 142, 165}) b.line(30, y, W - 30, y);
    b.text(55, 88, S("日    期"));
    b.text(55, 108, S("住院日数"));
    b.text(55, 128, S("手术日数"));

    // Hour row: 上午 and 下午 over each half day, the three hours under them.
    for (int d = 1; d <= 7; ++d) {
        for (int half = 0; half < 2; ++half) {
            const int left = dayLeft(d) + 33 * half;
            b.setTextColour(kBlack);
            b.setFont(8);
            b.text(left + 6, 145, half == 0 ? S("上午") : S("下午"));
            b.setTextColour(half == 0 ? kRed : kBlack);
            b.text(left + 2, 155, QStringLiteral("4"));
            b.setTextColour(half == 1 ? kRed : kBlack);
            b.text(left + 13, 155, QStringLiteral("8"));
            b.setFont(7);
            b.text(left + 23, 155, QStringLiteral("12"));
        }
    }

    // Temperature and pulse area: minor lines every 0.2 °C, major lines every degree.
    b.setPen(1, kBlack);
    for (int y = 155; y <= 585; y += 10) b.line(kGridLeft, y, W - 32, y);
    for (int y = 195; y <= 545; y += 50) {
        b.setPen(2, y == 445 ? kRed : kBlack);
        b.line(kGridLeft, y, W - 32, y);
    }

    // Slot and day lines.
    b.setPen(1, kBlack);
    for (int d = 1; d <= 7; ++d)
        for (int k = 1; k <= 5; ++k) b.line(dayLeft(d) + kSlotWidth * k, k == 3 ? 142 : 155, dayLeft(d) + kSlotWidth * k, H - 252);
    b.line(kGridLeft, 86, kGridLeft, H - 35);
    b.setPen(2, kRed);
    for (int d = 1; d <= 7; ++d) b.line(dayLeft(d) + kDayWidth, 86, dayLeft(d) + kDayWidth, H - 35);

    // Scales.
    b.setPen(1, kBlack);
    b.line(60, 143, 60, H - 272);
    b.setFont(9);
    b.setTextColour(kRed);
    b.text(33, 150, S("脉搏"));
    b.setTextColour(kBlack);
    b.text(85, 150, S("体温"));
    b.text(105, 168, S("℃"));
    for (int i = 1; i <= 9; ++i) {
        b.setTextColour(kRed);
        b.text(38, 134 + 50 * i, QString::number(200 - 20 * i));
        b.setTextColour(kBlack);
        b.text(108, 134 + 50 * i, QString::number(43 - i) + S("°"));
    }

    // Legend.
    const struct {
        const char* label;
        int y;
    } legend[] = {{"口表", H - 420}, {"腋表", H - 390}, {"肛表", H - 360}, {"脉搏", H - 330}, {"心率", H - 300}};
    b.setFont(9);
    b.setTextColour(kBlack);
    for (const auto& l : legend) b.text(65, l.y, S(l.label));
    const int x = 95;
    b.setPen(3, kBlue);
    b.circle(x, H - 420 + 5, 2);
    b.setPen(1, kBlue);
    b.line(x - 3, H - 390 + 5 - 3, x + 3, H - 390 + 5 + 3);
    b.line(x - 3, H - 390 + 5 + 3, x + 3, H - 390 + 5 - 3);
    b.circle(x, H - 360 + 5, 4);
    b.setPen(3, kRed);
    b.circle(x, H - 330 + 5, 2);
    b.setPen(1, kRed);
    b.circle(x, H - 300 + 5, 4);

    // Bottom rows.
    const struct {
        const char* label;
        int x;
    } rows[] = {{"呼吸(次/分)", 40}, {"特 殊 治 疗", 40}, {"大 便 次 数", 40}, {"尿  量(ml)", 60},
                {"痰  量(ml)", 60},  {"引流量(ml)", 60},  {"呕吐量(ml)", 60},  {"总  量(ml)", 60},
                {"入  量(ml)", 45},  {"血压(mmHg)", 45},  {"体  重(Kg)", 45},  {"皮    试", 45}};
    b.setFont(9);
    for (int k = 0; k < 12; ++k) b.text(rows[k].x, H - 268 + 20 * k, S(rows[k].label));
    b.setPen(1, kBlack);
    for (int i = 1; i <= 12; ++i) b.line(i >= 5 && i <= 8 ? 50 : 30, H - 32 - 20 * i, W - 30, H - 32 - 20 * i);
    b.text(34, H - 198, S("出"));
    b.text(34, H - 140, S("量"));
    b.line(50, H - 212, 50, H - 112);
}

void TemperatureChart::drawDates(ui::DrawingBoard& b, int page) const {
    if (!patient_.admission.isValid()) return;
    b.setFont(10);
    b.setTextColour(kBlack);
    for (int d = 1; d <= 7; ++d) {
        const QDate date = patient_.admission.addDays(7 * (page - 1) + (d - 1));
        QString label;
        if (d == 1 || (date.month() == 1 && date.day() == 1))
            label = QStringLiteral("%1-%2-%3").arg(date.year()).arg(date.month()).arg(date.day());
        else if (date.day() == 1)
            label = QStringLiteral("%1-%2").arg(date.month()).arg(date.day());
        else
            label = QString::number(date.day());
        b.text(centredIn(dayLeft(d), kDayWidth, label, 6), 88, label);
        const QString day = QString::number(7 * (page - 1) + d);
        b.text(centredIn(dayLeft(d), kDayWidth, day, 6), 108, day);
    }
}

void TemperatureChart::drawSurgeryDays(ui::DrawingBoard& b, int page) const {
    // Hospital days with an operation; a later one restarts the count.
    QList<int> operations;
    for (const ChartRow& r : rows_) {
        const int h = hospitalDay(r.date);
        if (h >= 1 && r.event1 == S("手术") && !operations.contains(h)) operations << h;
    }
    if (operations.isEmpty()) return;
    std::sort(operations.begin(), operations.end());
    b.setFont(8);
    b.setTextColour(kRed);
    for (int d = 1; d <= 7; ++d) {
        const int day = 7 * (page - 1) + d;
        int last = 0;
        for (int op : operations)
            if (op <= day) last = op;
        if (last == 0) continue;
        const int n = day - last;
        if (n > 14) continue;
        const QString label = n == 0 ? S("手术") : QString::number(n);
        b.clear(dayLeft(d) + 14, 124, dayLeft(d) + 44, 139);
        b.text(centredIn(dayLeft(d), kDayWidth, label, 6), 128, label);
    }
}

void TemperatureChart::drawRows(ui::DrawingBoard& b, int page) const {
    struct Line {
        bool has = false;
        int x = 0, y = 0;
    } temperature, pulse, heart;
    bool lowRespiration = false;  // 596 first, then 606, alternating
    auto join = [&b](Line& line, int x, int y, quint32 colour) {
        if (line.has) {
            b.setPen(1, colour);
            b.line(line.x, line.y, x, y);
        }
        line = {true, x, y};
    };

    for (const ChartRow& r : rows_) {
        const int h = hospitalDay(r.date);
        if (h < 1 || (h - 1) / 7 + 1 != page || r.slot < 0) continue;
        const int d = (h - 1) % 7 + 1;
        const int x = slotCentre(d, r.slot);
        int v = 0;

        if (hundredths(r.pulse, &v)) {
            const int y = pulseY(std::clamp(v, 2000, 18000));
            join(pulse, x, y, kRed);
            b.setPen(3, kRed);
            b.circle(x, y, 2);
        }
        if (hundredths(r.heart, &v)) {
            const int y = pulseY(std::clamp(v, 2000, 18000));
            join(heart, x, y, kRed);
            b.setPen(1, kRed);
            b.circle(x, y, 4);
        }
        int ty = 0;
        const bool hasTemperature = hundredths(r.temperature, &v);
        if (hasTemperature) {
            if (v < 3500) {
                // Below the scale: a dot low in the area and an arrow down from it.
                const int ya = std::clamp(632 - (v - 3300) / 2, 550, 573);
                b.setPen(4, kBlue);
                b.circle(x, ya, 3);
                b.setPen(1, kBlue);
                b.line(x, ya + 3, x, ya + 20);
                b.line(x - 3, ya + 15, x, ya + 20);
                b.line(x + 3, ya + 15, x, ya + 20);
            }
            ty = temperatureY(std::clamp(v, 3500, 4200));
            join(temperature, x, ty, kBlue);
            if (r.type == S("口温")) {
                b.setPen(3, kBlue);
                b.circle(x, ty, 2);
            } else if (r.type == S("肛温")) {
                b.setPen(1, kBlue);
                b.circle(x, ty, 4);
            } else {
                b.setPen(1, kBlue);
                b.line(x - 3, ty - 3, x + 3, ty + 3);
                b.line(x - 3, ty + 3, x + 3, ty - 3);
            }
        }
        if (hundredths(r.cooled, &v)) {
            const int cy = temperatureY(std::clamp(v, 3500, 4200));
            if (hasTemperature) {
                b.setPen(1, kRed, true);
                b.line(x, ty, x, cy);
            }
            b.setPen(2, kRed);
            b.circle(x, cy, 4);
        }

        // Events, one character under the other, on a blanked strip.
        b.setFont(7);
        b.setTextColour(kRed);
        if (!r.event1.isEmpty()) {
            const QString text = r.event1 + r.eventTime1;
            const int y = 645 - (4195 - 3300) / 2;
            b.clear(x - 4, y, x - 4 + 9, y + 4 * text::gbkLength(text));
            b.text(x - 4, y, downwards(text));
        }
        if (!r.event2.isEmpty()) {
            const QString text = r.event2 + r.eventTime2;
            const int y = 645 - (3495 - 3300) / 2;
            b.clear(x - 3, y, x - 3 + 9, y + 4 * text::gbkLength(text));
            b.text(x - 3, y, downwards(text));
        }
        // Away or refused: the lines do not run across the gap.
        if (isAbsenceEvent(r.event1) || isAbsenceEvent(r.event2)) temperature.has = pulse.has = heart.has = false;

        if (hundredths(r.respiration, &v)) {
            b.setFont(6);
            b.setTextColour(kBlack);
            b.text(x - 3, lowRespiration ? 606 : 596, r.respiration);
            lowRespiration = !lowRespiration;
        }
    }
}

void TemperatureChart::drawDayRows(ui::DrawingBoard& b, int page) const {
    // The day's last value of each row.
    struct Day {
        QString stools, urineCount, urineVolume, sputum, drainage, vomit, output, intake, weight, extra, allergy,
            pulseQuality, morningPressure, eveningPressure;
    } days[8];
    auto keep = [](QString& into, const QString& value) {
        if (!value.isEmpty()) into = value;
    };
    for (const ChartRow& r : rows_) {
        const int h = hospitalDay(r.date);
        if (h < 1 || (h - 1) / 7 + 1 != page) continue;
        Day& day = days[(h - 1) % 7 + 1];
        keep(day.stools, r.stools);
        keep(day.urineCount, r.urineCount);
        keep(day.urineVolume, r.urineVolume);
        keep(day.sputum, r.sputum);
        keep(day.drainage, r.drainage);
        keep(day.vomit, r.vomit);
        keep(day.output, r.output);
        keep(day.intake, r.intake);
        keep(day.weight, r.weight);
        keep(day.extra, r.extra);
        keep(day.allergy, r.allergy);
        keep(day.pulseQuality, r.pulseQuality);
        if (r.slot >= 4) keep(day.eveningPressure, r.pressure);
        else keep(day.morningPressure, r.pressure);  // 上4 to 下4, and a row without a known slot
    }
    for (int d = 1; d <= 7; ++d) {
        const Day& day = days[d];
        const int left = dayLeft(d);
        auto put = [&](const QString& value, int offset, int y, double size = 8, quint32 colour = kBlack) {
            if (value.isEmpty()) return;
            b.setFont(size);
            b.setTextColour(colour);
            b.text(left + 4 + offset, y, value);
        };
        put(day.stools, 20, 640, 8, kRed);
        QString urine = day.urineVolume.isEmpty() ? day.urineCount : day.urineVolume;
        if (!day.urineVolume.isEmpty() && !day.urineCount.isEmpty())
            urine = day.urineVolume + QLatin1Char('/') + day.urineCount + S("次");
        put(urine, 10, 660);
        put(day.sputum, 10, 680);
        put(day.drainage, 10, 700);
        put(day.vomit, 10, 720);
        put(day.output, 10, 740);
        put(day.intake, 10, 760);
        put(day.weight, 20, 800);
        put(day.extra, -2, 812, 7);
        put(day.allergy, -2, 820);
        put(day.pulseQuality, -2, 620);
        b.setFont(7);
        b.setTextColour(kBlack);
        if (!day.morningPressure.isEmpty()) b.text(left + 3, 785, day.morningPressure);
        if (!day.eveningPressure.isEmpty()) b.text(left + 35, 775, day.eveningPressure);
    }
}

}  // namespace qh::vitals
