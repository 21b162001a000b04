#pragma once
// The administrator's commands talk to the person through the same port as the windows:
// messages are printed on the command's output, questions are answered with OK (the command
// line states its intent up front), prompts and file choices are declined.
#include <QTextStream>

#include "interaction/UserInterface.h"

namespace qh::admin {

class ConsoleUserInterface : public ui::UserInterface {
public:
    explicit ConsoleUserInterface(QTextStream& out) : out_(out) {}
    int messageDialog(const QString& text, bool) override {
        out_ << text << '\n';
        return 1;
    }
    void messageBox(const QString&, const QString& text) override { out_ << text << '\n'; }
    void warningBox(const QString&, const QString& text) override { out_ << text << '\n'; }
    int confirmPermanent(const QString& text) override {
        out_ << text << '\n';
        return 1;
    }
    bool askOkCancel(const QString&, const QString& text) override {
        out_ << text << '\n';
        return true;
    }
    ui::InputResult inputBox(const QString&, const QString&, ui::InputMode, const QString& initial) override {
        return {false, initial};
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString folderName(const QString&, const QString&) override { return {}; }

private:
    QTextStream& out_;
};

}  // namespace qh::admin
