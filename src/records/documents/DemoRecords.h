#pragma once
// The demo ward's record documents: for most stays an admission record and progress notes
// every few days, and a surgery record for some surgical patients, each made by the
// patient's 主管医生 through record creation at its own moment and written and saved as a
// doctor would.
#include <QString>

#include "store/DatabaseFiles.h"

namespace qh::records {

struct DemoRecordsResult {
    bool ok = false;
    QString message;  // the first failure, when not ok
    int documents = 0;
};

// Adds documents to every stay of the ward (run after the demo patients were made).
DemoRecordsResult populateDemoRecords(const store::DataDirectory& files, unsigned seed = 20160305);

}  // namespace qh::records
