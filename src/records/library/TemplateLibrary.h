#pragma once
// The template library beside the record editor: disease templates and sample records
// (documents filed under the name of the record they are for), related records of other
// patients (read only), text modules in groups and surgery-record templates (plain text).
// An entry belongs to the user who saved it; one marked private (加密 "是") is listed for
// its owner only. Only the owner saves over, renames, deletes, shares or privatises it.
#include <QByteArray>
#include <QString>
#include <QVector>

#include "shell/PatientContext.h"
#include "shell/UserContext.h"
#include "store/DatabaseFiles.h"

namespace qh::ui {
class UserInterface;
}

namespace qh::records {

class DocumentPort;
class PatientRecords;
class RecordDocument;

enum class LibraryKind { Disease = 0, Sample = 1, Related = 2, Module = 3, Surgery = 4 };
inline constexpr int kLibraryKinds = 5;

// The table of the kind: 疾病模板, 示例病历, 相关病历, SXZS, 外科手术记录.
QString libraryTable(LibraryKind kind);
// The tab caption: "疾病模板", "示例病历", "相关病历", "文字模块", "手术模板".
QString libraryCaption(LibraryKind kind);
// Documents (disease templates, sample records, related records) or plain text.
inline bool isTextKind(LibraryKind kind) { return kind == LibraryKind::Module || kind == LibraryKind::Surgery; }

struct LibraryEntry {
    LibraryKind kind = LibraryKind::Disease;
    qint64 id = 0;          // 编号
    QString name;           // 名称1, 模块名称, 诊断; a related record's 病历
    QString group;          // 名称2 (the record it is for), 模块主表; a related record's 状态
    QString owner;          // 所有者 / 所属; a related record's 主管医生
    bool isPrivate = false;  // 加密 "是"
    QString patientName;    // related records: 姓名
    QString admissionNumber;  // related records: 住院号
    QString diagnosis;      // related records: 诊断
    // What the list shows: the name; a related record "状态 姓名 病历".
    QString label() const;
};

// What the library lists for: the open record's name and the current patient.
struct LibraryContext {
    QString documentName;  // the open record's list caption (病历), e.g. 入院记录
    shell::PatientContext patient;
};

// A new entry as the save-as dialog gives it.
struct NewLibraryEntry {
    QString name;      // 名称1 / 模块名称 / 诊断
    QString group;     // 名称2 for documents, 模块主表 for text modules
    bool isPrivate = false;
    QString attribute;  // 属性 of a text module
};

// LIKE text for "like '%" + likeText(t) + "%' escape '\'": quoted, with %, _ and \ taken
// literally.
QString likeText(const QString& text);

// The font text modules and surgery templates are set in when they go into a record.
inline const QString kModuleFont = QStringLiteral("仿宋_GB2312");

// A record turned into a sample: nothing of its patient stays. Header, print mark,
// protection and pending revisions go; the patient's particulars written in the text are
// turned back into their placeholders ("张三" -> "{姓名}"), so that applying the sample
// fills them for the patient it is applied to. Returns the number of texts replaced.
int makeSample(RecordDocument& doc, const shell::PatientContext& patient);

class TemplateLibrary {
public:
    TemplateLibrary(const store::DataDirectory& files, const shell::UserContext& user, ui::UserInterface& ui);

    // ListOwnLibrary / ListSharedLibrary, restricted by `search` when it is not empty
    // (names and initials; for related records the diagnosis).
    QVector<LibraryEntry> list(LibraryKind kind, bool own, const LibraryContext& context,
                               const QString& search = {}) const;

    // OpenLibraryEntry: the entry's content in the library editor, unmodified. The text
    // kinds get a page of `paper` ("A" or "B") with the text. False when it is gone or
    // unreadable (the editor is then empty).
    bool openEntry(const LibraryEntry& entry, DocumentPort& libraryEditor, const QString& paper);
    // "当前模板： " + name, or for text modules "当前模板：" + group.
    QString caption() const { return caption_; }
    const LibraryEntry& openedEntry() const { return opened_; }
    bool hasOpenEntry() const { return opened_.id != 0; }
    void closeEntry() { opened_ = {}; caption_.clear(); }

    // ApplyLibraryEntry: the library editor's entry into the open record. Text kinds go in
    // at the caret (placeholders filled, in kModuleFont); document kinds replace the
    // record after a question, composed for the record's patient as a new record is, and
    // the record waits for "保存病历". Refused on a read-only record.
    bool applyEntry(DocumentPort& libraryEditor, PatientRecords& records, DocumentPort& recordEditor);

    // SaveLibraryEntryAs: a new entry of `kind` with the library editor's content. Returns
    // the new 编号, 0 when nothing was stored.
    qint64 saveEntryAs(LibraryKind kind, const NewLibraryEntry& entry, const DocumentPort& libraryEditor);
    // SaveRecordAsLibraryEntry ("存为范文"): the open record, made a sample, as a disease
    // template or sample record.
    qint64 saveRecordAsEntry(LibraryKind kind, const NewLibraryEntry& entry, const QByteArray& recordContent,
                             const shell::PatientContext& patient);
    // SaveLibraryEntry: the library editor's content over the open entry (own entries only).
    bool saveEntry(const DocumentPort& libraryEditor);
    // RenameLibraryEntry: disease templates and samples by name, a text module's group,
    // a surgery template by 编号. The initials follow the name.
    bool renameEntry(const LibraryEntry& entry, const QString& newName);
    // DeleteLibraryEntry after the question.
    bool deleteEntry(const LibraryEntry& entry);
    // ShareLibraryEntry / PrivatizeLibraryEntry.
    bool setPrivate(const LibraryEntry& entry, bool isPrivate);

private:
    bool ownedByUser(const LibraryEntry& entry, const QString& refusal) const;
    qint64 insertDocument(LibraryKind kind, const NewLibraryEntry& entry, const QByteArray& bytes);

    store::DataDirectory files_;
    shell::UserContext user_;
    ui::UserInterface& ui_;
    LibraryEntry opened_;
    QString caption_;
};

// Plain text of a stored document ("" when unreadable).
QString documentText(const QByteArray& bytes);

}  // namespace qh::records
