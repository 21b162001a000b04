// The administrator's tool: creates, inspects and checks a ward's database files.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <cstring>
#include <memory>

#include "AdminCommands.h"

namespace {

// A command that draws a picture (a chart written as PNG or PDF) needs fonts, which only a
// GUI application offers; it draws off screen, so no display is needed.
bool drawsPictures(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--png") == 0 || std::strcmp(argv[i], "--pdf") == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    std::unique_ptr<QCoreApplication> app;
    if (drawsPictures(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = qh::admin::dispatch(app->arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return status;
}
