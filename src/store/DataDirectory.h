#pragma once
// Where the ward's three database files live, and making them on first start.
#include <QString>
#include <QStringList>

namespace qh::store {

// The data directory named by the command line ("--data DIR" or "--data=DIR"), else by
// the environment variable QINGHE_DATA, else the program's own directory. arguments are
// the program's arguments, the program name first.
QString resolveDataDirectory(const QStringList& arguments);

struct PrepareResult {
    enum Status { Created, Existing, Incomplete, Failed } status = Failed;
    QStringList missing;  // file names, when Incomplete
    QString message;      // one line for the user
};

// Where new files take their schema and seed from: the compiled-in resources unless a
// folder is named (tests).
struct CreationSources {
    QString schemaDir;  // holds <stem>.sql; empty: ":/schema"
    QString seedDir;    // holds <stem>/*.tsv; empty: ":/seed"
};

// All three files present: Existing, nothing touched. None present: the directory is made
// if needed and the three files are created with schema and seed (Created). Some missing:
// nothing is created (a lost main database must never come back empty), Incomplete with
// the missing names. Each file is built under a temporary name and renamed into place
// only when all three are complete; an existing file is never overwritten.
PrepareResult prepareDataDirectory(const QString& dir);
PrepareResult prepareDataDirectory(const QString& dir, const CreationSources& sources);

// Creates the three files in dir like prepareDataDirectory, but refuses (Failed, with the
// reason) when any of them exists. The administrator's init.
PrepareResult createDataFiles(const QString& dir, const CreationSources& sources = {});

// Moves the three complete files of builtDir (a ward built elsewhere, as the demo command
// does) into dir, which must hold none of them; the same all-or-recoverable placing as a
// new ward's. Failed with the reason otherwise; builtDir is left as it was then.
PrepareResult publishDataFiles(const QString& builtDir, const QString& dir);

// Finishes what a creation interrupted by a crash left behind: when all three files were
// complete and being put in place, the rest are put in place; files of a build that never
// got that far are removed. Runs before a data directory is judged. Returns what it did
// (empty when there was nothing to do).
QString recoverInterruptedCreation(const QString& dir);

}  // namespace qh::store
