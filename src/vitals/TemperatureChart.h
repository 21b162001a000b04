#pragma once
// The weekly temperature chart, drawn page by page on a drawing board of 620 × 868 pixels:
// header, date and day rows, the temperature and pulse area with its scales and legend,
// the patient's temperatures, pulses and heart rates with their lines, cooling, events,
// the post-operative day count and the rows of further measurements at the bottom.
//
// Positions are computed in hundredths of the value, so a temperature lands exactly on its
// grid line (36.8 °C at y = 455); a value that is missing or not a number is not drawn and
// does not join a line.
#include <QDate>
#include <QList>
#include <QString>

#include "interaction/DrawingBoard.h"
#include "shell/PatientContext.h"
#include "store/DatabaseFiles.h"

namespace qh::vitals {

inline constexpr int kChartWidth = 620;
inline constexpr int kChartHeight = 868;
inline constexpr quint32 kBlue = 0x00FF0000;  // 0x00BBGGRR
inline constexpr quint32 kRed = 0x000000FF;
inline constexpr quint32 kBlack = 0;

// Pages for a stay: one week a page, up to today's hospital day (on day 7 the count already
// holds the next, still empty page).
int chartPageCount(const QDate& admission, const QDate& today);

// Where values go. Each takes the value in hundredths (3680 is 36.8).
int temperatureY(int hundredths);  // 645 - int((T - 33) × 50)
int pulseY(int hundredths);        // 645 - int(P / 20 × 50)
// The value of a cell in hundredths; false for an empty cell or one that is not a number.
bool hundredths(const QString& text, int* value);

// One 体温单 row as the chart reads it.
struct ChartRow {
    QDate date;
    int slot = -1;  // 0-5
    QString type, temperature, cooled, pulse, heart, respiration;
    QString event1, eventTime1, event2, eventTime2;
    QString stools, urineCount, urineVolume, sputum, drainage, vomit, output, intake, weight, extra, allergy,
        pulseQuality, pressure;
};

struct ChartPatient {
    QString hospital, name, sex, age, wardRoom, admissionNumber;
    QDate admission;
};

class TemperatureChart {
public:
    TemperatureChart(ChartPatient patient, QList<ChartRow> rows, QDate today);

    // The patient's rows in chart order (by the date's value and slot), with the particulars
    // of the selected patient and the hospital's name.
    static TemperatureChart load(const store::DataDirectory& files, const shell::PatientContext& patient,
                                 const QString& hospital, const QDate& today);

    int pageCount() const;
    const ChartPatient& patient() const { return patient_; }
    const QList<ChartRow>& rows() const { return rows_; }

    // Draws page P (1..pageCount) on the board's current page.
    void drawPage(ui::DrawingBoard& board, int page) const;
    // A print job of pages first..last (clamped to the chart), one board page each.
    void print(ui::DrawingBoard& board, int first, int last) const;

private:
    void drawEmptyPage(ui::DrawingBoard& b, int page) const;
    void drawDates(ui::DrawingBoard& b, int page) const;
    void drawSurgeryDays(ui::DrawingBoard& b, int page) const;
    void drawRows(ui::DrawingBoard& b, int page) const;
    void drawDayRows(ui::DrawingBoard& b, int page) const;
    int hospitalDay(const QDate& d) const;

    ChartPatient patient_;
    QList<ChartRow> rows_;
    QDate today_;
};

}  // namespace qh::vitals
