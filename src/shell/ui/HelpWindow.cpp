#include "shell/ui/HelpWindow.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace qh::shell {

HelpWindow::HelpWindow(const QString& file, QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("青禾电子病历书写帮助"));
    setAttribute(Qt::WA_DeleteOnClose);
    browser_ = new QTextBrowser;
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setOpenExternalLinks(false);
    const QUrl url = file.startsWith(QLatin1String(":/")) ? QUrl(QStringLiteral("qrc") + file)
                                                          : QUrl::fromLocalFile(file);
    browser_->setSource(url);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(760, 620);
}

}  // namespace qh::shell
