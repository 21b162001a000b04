#pragma once
// The help window: the HTML manual in a browser pane; the manual links its own chapters.
#include <QWidget>

class QTextBrowser;

namespace qh::shell {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& file, QWidget* parent = nullptr);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

}  // namespace qh::shell
