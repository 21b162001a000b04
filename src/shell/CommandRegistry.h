#pragma once
// The commands of the main window by id (MainCommands.h): which feature runs each one,
// whether it needs a selected patient, and running it with the unsaved-changes prompt
// first where the command calls for it. Menus, the command panel and pop-up menus show
// the registry's state; they hold no handlers of their own.
#include <QHash>
#include <QSet>
#include <QObject>
#include <QString>
#include <functional>

namespace qh::shell {

class CommandRegistry : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void()>;
    enum class Needs { Nothing, Patient };

    explicit CommandRegistry(QObject* parent = nullptr) : QObject(parent) {}

    // A feature makes its command available.
    void setHandler(const QString& id, Handler handler, Needs needs = Needs::Nothing);
    bool isAvailable(const QString& id) const { return handlers_.contains(id); }
    // Available, and a patient is selected when the command needs one.
    bool isEnabled(const QString& id) const;

    // A feature switches its command off for a while (e.g. saving a document the user may
    // only read) and on again; a blocked command is disabled and does not run.
    void setBlocked(const QString& id, bool blocked);
    bool isBlocked(const QString& id) const { return blocked_.contains(id); }

    // Follows the patient selection: commands that need a patient are enabled only with one.
    void setPatientSelected(bool selected);
    // Runs before every command for which offersSaveFirst(id) holds (the main window's
    // unsaved-changes prompt).
    void setOfferSave(std::function<void()> offerSave) { offerSave_ = std::move(offerSave); }
    // Asked before every command runs (and before the unsaved-changes prompt): false stops
    // it. The main window refuses here the commands the user has no right for, so a handler
    // added later is closed to them as well.
    void setRightCheck(std::function<bool(const QString& id)> check) { rightCheck_ = std::move(check); }

    // Items whose caption comes from data (the Add menu's template items): shown with this
    // caption, or hidden.
    void setCaption(const QString& id, const QString& caption, bool visible);
    bool hasCaption(const QString& id) const { return captions_.contains(id); }
    QString caption(const QString& id) const { return captions_.value(id).first; }
    bool isShown(const QString& id) const { return captions_.value(id, {QString(), true}).second; }

    // False, and nothing run, when the command is not enabled.
    bool run(const QString& id);

signals:
    // A command became available, enabled or disabled.
    void stateChanged(const QString& id);

private:
    struct Entry {
        Handler handler;
        Needs needs = Needs::Nothing;
    };
    QHash<QString, Entry> handlers_;
    QHash<QString, QPair<QString, bool>> captions_;
    QSet<QString> blocked_;
    bool patientSelected_ = false;
    std::function<void()> offerSave_;
    std::function<bool(const QString&)> rightCheck_;
};

}  // namespace qh::shell
