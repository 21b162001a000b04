#include "interaction/ScriptedUserInterface.h"

namespace qh::ui {

QStringList ScriptedUserInterface::texts() const {
    QStringList out;
    for (const Shown& s : shown_) out << s.text;
    return out;
}

void ScriptedUserInterface::clear() {
    shown_.clear();
    dialogAnswers_.clear();
    okCancelAnswers_.clear();
    inputAnswers_.clear();
    pathAnswers_.clear();
    unanswered_ = 0;
}

int ScriptedUserInterface::messageDialog(const QString& text, bool withCancel) {
    shown_.push_back({ShownKind::MessageDialog, QString(), text, withCancel});
    if (!dialogAnswers_.isEmpty()) return dialogAnswers_.dequeue();
    // A message with a single button can only be acknowledged.
    if (!withCancel) return 1;
    ++unanswered_;
    return 0;
}

void ScriptedUserInterface::messageBox(const QString& title, const QString& text) {
    shown_.push_back({ShownKind::MessageBox, title, text, false});
}

void ScriptedUserInterface::warningBox(const QString& title, const QString& text) {
    shown_.push_back({ShownKind::MessageBox, title, text, false, false, true});
}

int ScriptedUserInterface::confirmPermanent(const QString& text) {
    shown_.push_back({ShownKind::MessageDialog, QString(), text, true, true});
    if (!dialogAnswers_.isEmpty()) return dialogAnswers_.dequeue();
    ++unanswered_;
    return 0;
}

bool ScriptedUserInterface::askOkCancel(const QString& title, const QString& text) {
    shown_.push_back({ShownKind::OkCancel, title, text, true});
    if (!okCancelAnswers_.isEmpty()) return okCancelAnswers_.dequeue();
    ++unanswered_;
    return false;
}

InputResult ScriptedUserInterface::inputBox(const QString& title, const QString& prompt, InputMode,
                                            const QString&) {
    shown_.push_back({ShownKind::InputBox, title, prompt, true});
    if (!inputAnswers_.isEmpty()) return inputAnswers_.dequeue();
    ++unanswered_;
    return {};
}

QString ScriptedUserInterface::nextPath() {
    if (!pathAnswers_.isEmpty()) return pathAnswers_.dequeue();
    ++unanswered_;
    return QString();
}

QString ScriptedUserInterface::openFileName(const QString& title, const QString&, const QString&) {
    shown_.push_back({ShownKind::OpenFile, title, QString(), true});
    return nextPath();
}

QString ScriptedUserInterface::saveFileName(const QString& title, const QString&, const QString&) {
    shown_.push_back({ShownKind::SaveFile, title, QString(), true});
    return nextPath();
}

QString ScriptedUserInterface::folderName(const QString& title, const QString&) {
    shown_.push_back({ShownKind::Folder, title, QString(), true});
    return nextPath();
}

}  // namespace qh::ui
