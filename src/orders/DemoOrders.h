#pragma once
// Orders for the demo ward's in-ward patients, entered through the same entry grids and
// save as a doctor's: nursing and diet orders, an infusion group, single drugs, tests, a
// skin test for some and a herbal prescription for others. Then the ward works them on the
// order lists: nurses execute them and record skin-test results, doctors stop a tablet
// here and there (the stop confirmed by a nurse for some), void a test, and reorganise the
// long-term orders of the patients who have been in longest.
#include <QString>

#include "store/DatabaseFiles.h"

namespace qh::orders {

struct DemoOrdersResult {
    bool ok = false;
    QString message;  // the first failure, when not ok
    int patients = 0, lines = 0, prescriptions = 0;
    // What the ward's nurses and doctors did with them afterwards, through the order lists.
    int executed = 0, stopped = 0, voided = 0, skinTests = 0, reorganised = 0;
};

DemoOrdersResult populateDemoOrders(const store::DataDirectory& files, unsigned seed = 20160305);

}  // namespace qh::orders
