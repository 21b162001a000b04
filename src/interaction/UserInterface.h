#pragma once
// Everything the program's logic asks of the person in front of it: messages,
// questions, the input box and file choices. The Qt implementation shows real modal
// dialogs; the scripted one answers in tests and records what was shown.
#include <QString>

namespace qh::ui {

enum class InputMode { Text, Numeric };

struct InputResult {
    bool ok = false;  // OK pressed (false: Cancel or closed)
    QString text;
};

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // The program's own modal message window: the text and an OK button, with a
    // second (cancel) button when asked. 1 for OK, 0 for anything else.
    virtual int messageDialog(const QString& text, bool withCancel = false) = 0;
    // The plain platform message box with a title and one OK button.
    virtual void messageBox(const QString& title, const QString& text) = 0;
    // The same with the warning icon, for a refusal the person must notice (a wrong password).
    virtual void warningBox(const QString& title, const QString& text) = 0;
    // The question before a permanent change (deleting a patient, a record, a template): the
    // program's message window with 确定 and 取消, 取消 being the default button, so that an
    // Enter pressed out of habit keeps the data. 1 for 确定, 0 for anything else.
    virtual int confirmPermanent(const QString& text) = 0;
    // A plain question with OK and Cancel; true for OK.
    virtual bool askOkCancel(const QString& title, const QString& text) = 0;
    // A prompt with a title and a prompt text; numeric mode accepts only a number.
    virtual InputResult inputBox(const QString& title, const QString& prompt,
                                 InputMode mode = InputMode::Text,
                                 const QString& initial = QString()) = 0;
    // File and folder choices: the chosen path, empty when cancelled.
    // filter is Qt's form: "病历文件 (*.ewd);;文本文件 (*.txt)".
    virtual QString openFileName(const QString& title, const QString& directory,
                                 const QString& filter) = 0;
    virtual QString saveFileName(const QString& title, const QString& directory,
                                 const QString& filter) = 0;
    virtual QString folderName(const QString& title, const QString& directory) = 0;
};

}  // namespace qh::ui
