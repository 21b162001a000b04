#pragma once
// The demo ward's template library: two doctors, one of each department, with entries of
// every kind, some private and some shared, and samples made from their own patients'
// admission records. Made through TemplateLibrary as the doctors would.
#include <QString>

#include "store/DatabaseFiles.h"

namespace qh::records {

struct DemoLibraryResult {
    bool ok = false;
    QString message;  // the first failure, when not ok
    int entries = 0;
};

// Run after the demo patients and their documents were made.
DemoLibraryResult populateDemoLibrary(const store::DataDirectory& files);

}  // namespace qh::records
