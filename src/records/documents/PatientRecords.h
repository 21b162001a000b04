#pragma once
// The record documents of the current patient, as the record page works on them: the
// document list (entry 0 the patient-information form), the document open in the record
// editor with the edit right of the logged-in user, and the operations of the Add menu,
// "保存病历", "删除病历", "打印病历" and "续打病历". The page shows what this holds; the
// administrator's commands and the demo ward drive the same class without a window.
#include <QObject>
#include <QString>
#include <QVector>
#include <functional>

#include "records/editor/PagePrinter.h"
#include "records/templates/TemplateSettings.h"
#include "shell/OfferSave.h"
#include "shell/PatientContext.h"
#include "shell/UserContext.h"

namespace qh::ui {
class UserInterface;
}

namespace qh::records {

class DocumentPort;

struct RecordEntry {
    QString caption;  // 病历
    qint64 id = 0;    // 编号; 0 for entry 0
};

// One stored document as listed by the administrator's tool.
struct StoredRecord {
    qint64 id = 0;
    qint64 order = 0;
    QString name, title, copies;  // 病历, 标题, 病历次数
};
QVector<StoredRecord> storedRecords(const store::DataDirectory& files, const QString& serialNumber);

inline const QString kInformationEntry = QStringLiteral("患者一般信息");

class PatientRecords : public QObject, public shell::EditableDocument {
    Q_OBJECT
public:
    // Prints the open document through the editor: continued printing or a whole print.
    using Printer = std::function<PrintOutcome(bool continued)>;

    PatientRecords(const store::DataDirectory& files, const shell::UserContext& user, DocumentPort& editor,
                   ui::UserInterface& ui, const TemplateSettings& settings, QObject* parent = nullptr);

    void setPrinter(Printer printer) { printer_ = std::move(printer); }

    // ListRecords: the patient's documents under entry 0, entry 0 selected and shown.
    // The open document is not offered for saving here: the caller does that while the
    // previous patient is still the current one.
    void listRecords(const shell::PatientContext& patient);
    const shell::PatientContext& patient() const { return patient_; }
    const QVector<RecordEntry>& entries() const { return entries_; }
    int selected() const { return selected_; }
    // Another entry chosen in the list: a modified document is offered for saving first.
    void selectEntry(int row);
    // OpenRecord for the selected entry. False when a document could not be read.
    bool openRecord();

    // The Add menu's item with this stored key (a key ending with 住院病历 takes the
    // patient's sex first, and falls back to the item's own key).
    bool addRecordFromMenu(const QString& itemKey);
    // CreateRecord: a new document of the template, stored at once, open and selected.
    // fallbackKey is tried when no template of `key` is on the ward's paper.
    bool createRecord(const QString& key, const QString& fallbackKey = {});
    bool saveRecord();
    bool deleteRecord();
    PrintOutcome printRecord();
    PrintOutcome continuePrintRecord();
    // The editor's content was replaced (file import, a library entry): the edit right of
    // the open document applies to the new content too.
    void contentReplaced();

    // The open document: its 编号 (0 on entry 0 or when none could be read).
    qint64 openId() const { return openId_; }
    QString openCaption() const { return openCaption_; }
    bool showsInformation() const { return selected_ <= 0; }
    // The stored document could not be read: the editor is empty and read-only, and nothing
    // is saved over the row.
    bool openFailed() const { return openFailed_; }
    // SXBL, or the patient's 主管医生.
    bool mayEdit() const;
    // Only the patient's 主管医生 deletes documents.
    bool mayDelete() const;
    // Whether the logged-in user's changes are kept as revisions: always when someone other
    // than the patient's 主管医生 changes a document.
    bool tracksChanges() const;
    QString statusText() const;  // "当前病历： " + 姓名 + "─" + caption

    // EditableDocument: what OfferSave offers.
    bool isModified() const override;
    QString title() const override { return openCaption_; }
    bool save() override { return saveRecord(); }
    void discardChanges() override;
    shell::OfferSaveOutcome offerSave();

    // The last created document's 编号 and 标题.
    qint64 lastCreatedId() const { return lastCreatedId_; }
    QString lastCreatedTitle() const { return lastCreatedTitle_; }

signals:
    // The list of entries or the selection changed.
    void entriesChanged();
    // A document was opened, emptied or closed; the status text and the edit right may differ.
    void documentOpened();

private:
    void closeDocument();
    void applyEditRight();
    bool storeContent(const QByteArray& bytes);
    QString saveMessage(bool saved) const;

    store::DataDirectory files_;
    shell::UserContext user_;
    DocumentPort& editor_;
    ui::UserInterface& ui_;
    TemplateSettings settings_;
    Printer printer_;
    shell::PatientContext patient_;
    QVector<RecordEntry> entries_;
    int selected_ = 0;
    qint64 openId_ = 0;
    QString openCaption_;
    bool openFailed_ = false;
    qint64 lastCreatedId_ = 0;
    QString lastCreatedTitle_;
};

}  // namespace qh::records
