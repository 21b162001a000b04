#pragma once
// Vital signs for the demo ward: a few in-ward patients get one to three weeks of
// measurements, six slots a day, entered through the same records logic the chart page
// uses: fevers with cooling, an operation with its post-operative days, a leave, a refusal,
// intake and output, blood pressure and weight.
#include <QString>

#include "store/DatabaseFiles.h"

namespace qh::vitals {

struct DemoVitalsResult {
    bool ok = false;
    QString message;  // the first failure, when not ok
    int patients = 0;
    int rows = 0;  // 体温单 rows made
};

// Adds the measurements to the ward's in-ward patients admitted six to twenty days ago.
DemoVitalsResult populateDemoVitals(const store::DataDirectory& files, unsigned seed = 20160305);

}  // namespace qh::vitals
