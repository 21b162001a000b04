// The administrator's tool: creates, inspects and checks a ward's database files.
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

#include "AdminCommands.h"

int main(int argc, char** argv) {
    // Printing to PDF lays out text, which takes Qt's GUI side but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = qh::admin::dispatch(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return status;
}
