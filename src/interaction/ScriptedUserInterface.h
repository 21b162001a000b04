#pragma once
// A UserInterface for tests: answers come from queues filled by the test, and every
// message, question and prompt is recorded in the order shown. A question asked with
// no answer queued is answered "cancel" and counted, so a test can tell a prompt it
// did not expect.
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QVector>

#include "interaction/UserInterface.h"

namespace qh::ui {

enum class ShownKind { MessageDialog, MessageBox, OkCancel, InputBox, OpenFile, SaveFile, Folder };

struct Shown {
    ShownKind kind;
    QString title;  // empty for the message dialog
    QString text;   // the message or prompt
    bool withCancel = false;
    bool cancelIsDefault = false;  // a question before a permanent change
    bool warning = false;          // shown with the warning icon
};

class ScriptedUserInterface : public UserInterface {
public:
    // Queue answers, consumed in order by the matching kind of request.
    void answerMessageDialog(int answer) { dialogAnswers_.enqueue(answer); }
    void answerOkCancel(bool ok) { okCancelAnswers_.enqueue(ok); }
    void answerInput(bool ok, const QString& text = QString()) { inputAnswers_.enqueue({ok, text}); }
    void answerPath(const QString& path) { pathAnswers_.enqueue(path); }

    const QVector<Shown>& shown() const { return shown_; }
    // The texts shown, of every kind, in order.
    QStringList texts() const;
    QString lastText() const { return shown_.isEmpty() ? QString() : shown_.last().text; }
    // Questions that found no queued answer (and were answered with cancel).
    int unanswered() const { return unanswered_; }
    void clear();

    int messageDialog(const QString& text, bool withCancel = false) override;
    void messageBox(const QString& title, const QString& text) override;
    void warningBox(const QString& title, const QString& text) override;
    // Answered from the message-dialog queue, as the window it replaces was.
    int confirmPermanent(const QString& text) override;
    bool askOkCancel(const QString& title, const QString& text) override;
    InputResult inputBox(const QString& title, const QString& prompt, InputMode mode = InputMode::Text,
                         const QString& initial = QString()) override;
    QString openFileName(const QString& title, const QString& directory, const QString& filter) override;
    QString saveFileName(const QString& title, const QString& directory, const QString& filter) override;
    QString folderName(const QString& title, const QString& directory) override;

private:
    QString nextPath();

    QVector<Shown> shown_;
    QQueue<int> dialogAnswers_;
    QQueue<bool> okCancelAnswers_;
    QQueue<InputResult> inputAnswers_;
    QQueue<QString> pathAnswers_;
    int unanswered_ = 0;
};

}  // namespace qh::ui
