#pragma once
// A ward to try the program on: doctors and nurses with passwords, and about forty
// patients admitted over the last months and moved through the three states by the same
// admission and transition code the windows use. Random choices come from a fixed seed;
// the dates count back from today.
#include <QList>
#include <QString>

#include "store/DatabaseFiles.h"

namespace qh::patients {

struct DemoAccount {
    QString name, department, level, password;  // level "医师" or "护师"
};

// The accounts the demo ward creates.
QList<DemoAccount> demoAccounts();

struct DemoWardResult {
    bool ok = false;
    QString message;  // the first failure, when not ok
    int inWard = 0, pending = 0, discharged = 0;
};

// Adds the accounts and patients to the ward in the data directory in force, which must
// hold freshly created files.
DemoWardResult populateDemoWard(const store::DataDirectory& files, unsigned seed = 20160305);

}  // namespace qh::patients
