#pragma once
// The UserInterface shown with real modal dialogs, parented to a window of the program.
#include <QPointer>
#include <QWidget>

#include "interaction/UserInterface.h"

namespace qh::ui {

class QtUserInterface : public UserInterface {
public:
    explicit QtUserInterface(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    int messageDialog(const QString& text, bool withCancel = false) override;
    void messageBox(const QString& title, const QString& text) override;
    void warningBox(const QString& title, const QString& text) override;
    int confirmPermanent(const QString& text) override;
    bool askOkCancel(const QString& title, const QString& text) override;
    InputResult inputBox(const QString& title, const QString& prompt, InputMode mode = InputMode::Text,
                         const QString& initial = QString()) override;
    QString openFileName(const QString& title, const QString& directory, const QString& filter) override;
    QString saveFileName(const QString& title, const QString& directory, const QString& filter) override;
    QString folderName(const QString& title, const QString& directory) override;

private:
    int programDialog(const QString& text, bool withCancel, bool cancelIsDefault);

    QPointer<QWidget> parent_;
};

// Message texts separate lines by carriage returns; labels need line feeds.
QString displayText(const QString& text);

}  // namespace qh::ui
