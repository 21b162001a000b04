// The administrator's tool: creates, inspects and checks a ward's database files.
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "AdminCommands.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = qh::admin::dispatch(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return status;
}
