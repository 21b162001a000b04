#include "shell/CommandRegistry.h"

#include "shell/MainCommands.h"

namespace qh::shell {

void CommandRegistry::setHandler(const QString& id, Handler handler, Needs needs) {
    handlers_[id] = Entry{std::move(handler), needs};
    emit stateChanged(id);
}

bool CommandRegistry::isEnabled(const QString& id) const {
    const auto it = handlers_.constFind(id);
    return it != handlers_.constEnd() && (it->needs == Needs::Nothing || patientSelected_) && !blocked_.contains(id);
}

void CommandRegistry::setBlocked(const QString& id, bool blocked) {
    if (blocked == blocked_.contains(id)) return;
    if (blocked)
        blocked_.insert(id);
    else
        blocked_.remove(id);
    emit stateChanged(id);
}

void CommandRegistry::setPatientSelected(bool selected) {
    if (patientSelected_ == selected) return;
    patientSelected_ = selected;
    for (auto it = handlers_.cbegin(); it != handlers_.cend(); ++it)
        if (it->needs == Needs::Patient) emit stateChanged(it.key());
}

void CommandRegistry::setCaption(const QString& id, const QString& caption, bool visible) {
    captions_[id] = {caption, visible};
    emit stateChanged(id);
}

bool CommandRegistry::run(const QString& id) {
    if (!isEnabled(id)) return false;
    if (rightCheck_ && !rightCheck_(id)) return true;  // refused, and said so by the check
    // A copy: the handler may replace its own registration while it runs.
    const Handler handler = handlers_.value(id).handler;
    if (offersSaveFirst(id) && offerSave_) offerSave_();
    handler();
    return true;
}

}  // namespace qh::shell
