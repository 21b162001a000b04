#pragma once
// A synthetic hospital of many years, for measuring the program at the size a ward reaches:
// departments with their doctors and nurses, stays bed by bed with realistic lengths and
// states, diagnoses from the code table, record documents from the starter templates,
// order batches (groups, executions, stops, reorganisations), vital signs by time slot and
// front pages. The same seed and the same last day give the same ward. Every derived
// column (initials, serial numbers, order identifiers, slot keys, date parts) is made by
// the helpers the windows use; the rows go in through one bulk load, the indexes are built
// after it and the planner's statistics refreshed.
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <functional>

#include "store/DatabaseFiles.h"

namespace qh::patients {

struct WardPlan {
    int years = 10;
    int beds = 300;
    unsigned seed = 20160305;
    QDate lastDay;  // the day the ward is made on; invalid means today
};

struct GeneratedWard {
    bool ok = false;
    QString message;  // the failure, when not ok
    qint64 stays = 0, inWard = 0, pending = 0, discharged = 0;
    qint64 documents = 0, orderLines = 0, vitalRows = 0, frontPages = 0, users = 0;
};

// One line per step ("2017: 14873 stays", "index 在院病人_科室_状态").
using GenerationProgress = std::function<void(const QString&)>;

// Fills freshly created files of a data directory (schema and seed only).
GeneratedWard generateWard(const store::DataDirectory& files, const WardPlan& plan,
                           const GenerationProgress& progress = {});

// Front pages of the generated discharges. The front-page subsystem may install a fuller
// row maker here (its own columns and derived values); the generator's default writes the
// particulars, dates, departments and the first diagnosis.
struct FrontPageStay {
    QString serial, admissionNumber, name, sex, age, department, diagnosis, diagnosisCode, doctor;
    QDate birthDate;
    QDateTime admitted, discharged;
};
using FrontPageColumns = QList<QPair<QString, QVariant>>;
void setFrontPageRowMaker(std::function<FrontPageColumns(const FrontPageStay&)> maker);

}  // namespace qh::patients
