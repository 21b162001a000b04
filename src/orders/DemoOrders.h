#pragma once
// Orders for the demo ward's in-ward patients, entered through the same entry grids and
// save as a doctor's: nursing and diet orders, an infusion group, single drugs, tests, a
// skin test for some and a herbal prescription for others.
#include <QString>

#include "store/DatabaseFiles.h"

namespace qh::orders {

struct DemoOrdersResult {
    bool ok = false;
    QString message;  // the first failure, when not ok
    int patients = 0, lines = 0, prescriptions = 0;
};

DemoOrdersResult populateDemoOrders(const store::DataDirectory& files, unsigned seed = 20160305);

}  // namespace qh::orders
