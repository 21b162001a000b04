// The administrator's tool: creates, inspects and checks a ward's database files.
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

#include "AdminCommands.h"

namespace {
// The tool speaks for itself on stdout and stderr; Qt's own notes about the platform (no
// runtime directory, no display) are not its messages. Critical ones still reach stderr.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}
}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(quietQtMessages);
    // Documents are laid out as on paper (fonts, pages): a GUI application, on the offscreen
    // platform unless another is asked for, so that no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = qh::admin::dispatch(app.arguments().mid(1), out, err);
    out.flush();
    err.flush();
    return status;
}
