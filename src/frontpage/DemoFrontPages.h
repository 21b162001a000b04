#pragma once
// The demo ward's front pages: every discharged patient gets a complete front page (coded
// diagnoses, an operation for the surgical cases, costs and signatures), saved through the
// same FrontPageRecord the front-page tab uses.
#include <QString>

#include "store/DatabaseFiles.h"

namespace qh::frontpage {

struct DemoFrontPagesResult {
    bool ok = false;
    QString message;  // the first failure, when not ok
    int frontPages = 0;
};

DemoFrontPagesResult populateDemoFrontPages(const store::DataDirectory& files, unsigned seed = 20160305);

}  // namespace qh::frontpage
