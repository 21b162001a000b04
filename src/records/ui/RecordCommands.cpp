#include "records/ui/RecordCommands.h"

#include <QEvent>
#include <QLabel>

#include "records/ui/DocumentEditor.h"
#include "records/ui/LibraryPanel.h"
#include "records/ui/RecordPage.h"
#include "shell/MainCommands.h"
#include "shell/ui/Workbench.h"

namespace qh::records {

using shell::CommandRegistry;
using shell::PageRegistry;
using shell::WorkPage;

namespace {

// Closing the main window offers the open document for saving first.
class CloseGuard : public QObject {
public:
    CloseGuard(shell::Workbench& bench, QObject* parent) : QObject(parent), bench_(bench) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close && watched == bench_.window()) bench_.offerSaveIfShowingRecords();
        return false;
    }

private:
    shell::Workbench& bench_;
};

}  // namespace

RecordPage* installRecordPage(shell::Workbench& bench) {
    shell::Workbench* b = &bench;
    auto* page = new RecordPage(bench, loadTemplateSettings(bench.files()));
    // Selecting a patient lists their documents under entry 0, which shows their particulars.
    bench.pages().setPage(WorkPage::Records, page, [page] { page->refresh(); });
    bench.pages().setPage(WorkPage::RecordsStart, new QLabel, {}, PageRegistry::Needs::Nothing);

    // The page is the document in front of the user: the form on entry 0, else the record.
    bench.setOpenDocument(page);
    // Leaving the record page offers the document there, as leaving the patient does.
    QObject::connect(&bench.pages(), &PageRegistry::pageShown, page,
                     [b, page, last = std::make_shared<bool>(false)](WorkPage shown) {
                         const bool records = shown == WorkPage::Records || shown == WorkPage::RecordsStart;
                         if (*last && !records) shell::offerSave(b->userInterface(), b->selection().patient(), page);
                         *last = records;
                     });
    if (QWidget* window = bench.window()) window->installEventFilter(new CloseGuard(bench, page));

    const auto onRecords = [b] { return b->pages().current() == WorkPage::Records; };
    const auto withDocument = [page, onRecords](auto action) {
        return [page, onRecords, action] {
            if (onRecords() && !page->showsPatientInformation()) action(page);
        };
    };
    CommandRegistry& commands = bench.commands();
    constexpr auto patient = CommandRegistry::Needs::Patient;
    commands.setHandler(shell::cmd::SaveRecord, [page, onRecords] {
        if (onRecords()) page->saveShown();
    }, patient);
    // A file goes into the open record; with no record open (entry 0), into the library.
    commands.setHandler(shell::cmd::OpenFile, [page, onRecords] {
        if (!onRecords()) return;
        if (!page->showsPatientInformation()) {
            page->importFile();
            return;
        }
        page->showLibrary(true);
        page->library()->importFile();
    }, patient);
    commands.setHandler(shell::cmd::SaveAs, withDocument([](RecordPage* p) { p->exportFile(); }), patient);
    commands.setHandler(shell::cmd::PrintRecord, withDocument([](RecordPage* p) { p->records().printRecord(); }),
                        patient);
    commands.setHandler(shell::cmd::ContinuePrint,
                        withDocument([](RecordPage* p) { p->records().continuePrintRecord(); }), patient);
    commands.setHandler(shell::cmd::RecordsPage, [b] { b->pages().show(WorkPage::Records); }, patient);
    // "新增模板": an empty page in the library beside the record, saved with 另存为.
    commands.setHandler(shell::cmd::NewLibraryTemplate, [b, page] {
        b->pages().show(WorkPage::Records);
        page->showLibrary(true);
        page->library()->startNewEntry();
    }, patient);

    // 修订 and 编辑: one editor command each; the editor keeps protection and tracking.
    using Action = void (*)(DocumentEditor*);
    const QList<QPair<QString, Action>> editing = {
        {QStringLiteral("revision.accept"), [](DocumentEditor* e) { e->acceptRevision(); }},
        {QStringLiteral("revision.acceptAll"), [](DocumentEditor* e) { e->acceptAllRevisions(); }},
        {QStringLiteral("revision.reject"), [](DocumentEditor* e) { e->rejectRevision(); }},
        {QStringLiteral("revision.rejectAll"), [](DocumentEditor* e) { e->rejectAllRevisions(); }},
        {QStringLiteral("edit.cut"), [](DocumentEditor* e) { e->cut(); }},
        {QStringLiteral("edit.copy"), [](DocumentEditor* e) { e->copy(); }},
        {QStringLiteral("edit.paste"), [](DocumentEditor* e) { e->paste(); }},
        {QStringLiteral("edit.undo"), [](DocumentEditor* e) { e->undo(); }},
        {QStringLiteral("edit.redo"), [](DocumentEditor* e) { e->redo(); }},
        {QStringLiteral("edit.replace"), [](DocumentEditor* e) { e->showReplaceDialog(); }},
        {QStringLiteral("edit.font"), [](DocumentEditor* e) { e->showFontDialog(); }},
        {QStringLiteral("edit.character"), [](DocumentEditor* e) { e->showCharacterDialog(); }},
        {QStringLiteral("edit.picture"), [](DocumentEditor* e) { e->insertPicture(); }},
    };
    for (const auto& [id, action] : editing)
        commands.setHandler(id, withDocument([action](RecordPage* p) { action(p->editor()); }), patient);
    return page;
}

CreateRecordFn recordCreator(shell::Workbench& bench, RecordPage* page) {
    shell::Workbench* b = &bench;
    return [b, page](const QString& key, const QString& fallbackKey) {
        // Documents are added on the record page, where they open.
        if (b->pages().current() != WorkPage::Records) b->pages().show(WorkPage::Records);
        // Whatever is in front (the form of entry 0, or a document) is offered first.
        b->offerSaveIfShowingRecords();
        page->records().createRecord(key, fallbackKey);
    };
}

}  // namespace qh::records
