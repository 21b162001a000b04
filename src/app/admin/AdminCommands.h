#pragma once
// The commands of qinghe-emr-admin. Each lives in its own file and takes the arguments
// after its name; it writes results to out, a one-line reason to err, and returns the
// exit status. Adding a command: a new file, its declaration here and one line in
// AdminCommands.cpp.
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace qh::admin {

using CommandFunction = int (*)(const QStringList& args, QTextStream& out, QTextStream& err);

struct AdminCommand {
    QString name;
    QString usage;  // the arguments, for the help text
    CommandFunction run;
};

const QList<AdminCommand>& adminCommands();
// Runs the command named by args[0]; an unknown or missing name prints the usage (status 2).
int dispatch(const QStringList& args, QTextStream& out, QTextStream& err);

int runInit(const QStringList& args, QTextStream& out, QTextStream& err);
int runSql(const QStringList& args, QTextStream& out, QTextStream& err);
int runCheck(const QStringList& args, QTextStream& out, QTextStream& err);
int runUpgrade(const QStringList& args, QTextStream& out, QTextStream& err);
int runImport(const QStringList& args, QTextStream& out, QTextStream& err);
int runReindex(const QStringList& args, QTextStream& out, QTextStream& err);
int runDemo(const QStringList& args, QTextStream& out, QTextStream& err);
int runGenerate(const QStringList& args, QTextStream& out, QTextStream& err);
int runBackup(const QStringList& args, QTextStream& out, QTextStream& err);
int runRestore(const QStringList& args, QTextStream& out, QTextStream& err);
int runRecords(const QStringList& args, QTextStream& out, QTextStream& err);
int runRecordNew(const QStringList& args, QTextStream& out, QTextStream& err);
int runRecordExport(const QStringList& args, QTextStream& out, QTextStream& err);
int runLibrary(const QStringList& args, QTextStream& out, QTextStream& err);
int runReference(const QStringList& args, QTextStream& out, QTextStream& err);
int runPrint(const QStringList& args, QTextStream& out, QTextStream& err);
int runOrders(const QStringList& args, QTextStream& out, QTextStream& err);
int runReport(const QStringList& args, QTextStream& out, QTextStream& err);
int runPrintFrontPage(const QStringList& args, QTextStream& out, QTextStream& err);

}  // namespace qh::admin
