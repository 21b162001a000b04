#include "records/library/TemplateLibrary.h"

#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "common/Clock.h"
#include "common/GbkText.h"
#include "common/Pinyin.h"
#include "interaction/UserInterface.h"
#include "records/documents/PatientRecords.h"
#include "records/documents/RecordComposition.h"
#include "records/editor/Authoring.h"
#include "records/editor/EwdFormat.h"
#include "records/editor/RecordDocument.h"
#include "records/templates/DocumentPort.h"
#include "records/templates/PageHeader.h"
#include "store/Connection.h"
#include "store/SqlText.h"

namespace qh::records {

using store::sqlText;

namespace {

const QString kYes = QStringLiteral("是");
const QString kNo = QStringLiteral("否");
const QString kShared = QStringLiteral("(加密='否' or 加密='' or 加密 is null)");
const QString kSaved = QStringLiteral("模板保存成功！");
const QString kSaveFailed = QStringLiteral("模板保存失败！");
const QString kNotOwn = QStringLiteral("只能修改自己的模板！");
const QString kNoTitle = QStringLiteral("请正确填写模板标题。");

QString quote(const QString& value) { return QLatin1Char('\'') + sqlText(value) + QLatin1Char('\''); }
QString number(qint64 n) { return QString::number(n); }

// The owner column of a table.
QString ownerColumn(LibraryKind kind) {
    return kind == LibraryKind::Module ? QStringLiteral("所属") : QStringLiteral("所有者");
}
// The name column the list shows and rename changes.
QString nameColumn(LibraryKind kind) {
    switch (kind) {
    case LibraryKind::Module: return QStringLiteral("模块名称");
    case LibraryKind::Surgery: return QStringLiteral("诊断");
    case LibraryKind::Related: return QStringLiteral("病历");
    default: return QStringLiteral("名称1");
    }
}

// The related-records search: the diagnosis without its first character (two GBK bytes),
// so that 急性阑尾炎 finds 慢性阑尾炎 as well.
QString diagnosisStem(const QString& diagnosis) {
    const QString head = text::cutToBytes(diagnosis, 2);
    return diagnosis.mid(head.size());
}

QString likeClause(const QString& column, const QString& text) {
    return column + QStringLiteral(" like '%") + likeText(text) + QStringLiteral("%' escape '\\'");
}

LibraryEntry entryFrom(LibraryKind kind, const store::Row& row) {
    LibraryEntry e;
    e.kind = kind;
    e.id = row.integer(QStringLiteral("编号"));
    e.name = row.text(nameColumn(kind));
    if (kind == LibraryKind::Related) {
        e.group = row.text(QStringLiteral("状态"));
        e.owner = row.text(QStringLiteral("主管医生"));
        e.patientName = row.text(QStringLiteral("姓名"));
        e.admissionNumber = row.text(QStringLiteral("住院号"));
        e.diagnosis = row.text(QStringLiteral("诊断"));
        return e;
    }
    if (kind == LibraryKind::Module) e.group = row.text(QStringLiteral("模块主表"));
    if (kind == LibraryKind::Disease || kind == LibraryKind::Sample) e.group = row.text(QStringLiteral("名称2"));
    e.owner = row.text(ownerColumn(kind));
    e.isPrivate = row.text(QStringLiteral("加密")) == kYes;
    return e;
}

// A text on a fresh page of the ward's paper, as the library editor shows a text kind.
QByteArray textPage(const QString& text, const QString& paper) {
    RecordDocument doc;
    const PaperGeometry g = paperGeometry(paper);
    doc.setPaper(g.width, g.height);
    QTextCursor(doc.body()).insertText(text);
    doc.setModified(false);
    return encodeEwd(doc);
}

}  // namespace

QString libraryTable(LibraryKind kind) {
    switch (kind) {
    case LibraryKind::Disease: return QStringLiteral("疾病模板");
    case LibraryKind::Sample: return QStringLiteral("示例病历");
    case LibraryKind::Related: return QStringLiteral("相关病历");
    case LibraryKind::Module: return QStringLiteral("SXZS");
    case LibraryKind::Surgery: return QStringLiteral("外科手术记录");
    }
    return {};
}

QString libraryCaption(LibraryKind kind) {
    switch (kind) {
    case LibraryKind::Disease: return QStringLiteral("疾病模板");
    case LibraryKind::Sample: return QStringLiteral("示例病历");
    case LibraryKind::Related: return QStringLiteral("相关病历");
    case LibraryKind::Module: return QStringLiteral("文字模块");
    case LibraryKind::Surgery: return QStringLiteral("手术模板");
    }
    return {};
}

QString LibraryEntry::label() const {
    if (kind == LibraryKind::Related) return group + QLatin1Char(' ') + patientName + QLatin1Char(' ') + name;
    return name;
}

QString likeText(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_')) out += QLatin1Char('\\');
        out += c;
    }
    return sqlText(out);
}

QString documentText(const QByteArray& bytes) {
    RecordDocument doc;
    if (!decodeEwd(bytes, doc, nullptr)) return {};
    return doc.body()->toPlainText();
}

int makeSample(RecordDocument& doc, const shell::PatientContext& p) {
    startFresh(doc);
    // The particulars that say who the patient is, longest first, so that a value that
    // contains another (an address holding the name of a street) goes back whole.
    QList<QPair<QString, QString>> back = {
        {p.name, QStringLiteral("{姓名}")},
        {p.admissionNumber, QStringLiteral("{住院号}")},
        {p.address, QStringLiteral("{住址}")},
        {p.phone, QStringLiteral("{联系电话}")},
        {p.idCardNumber, QStringLiteral("{身份证号}")},
        {p.contact, QStringLiteral("{联系人}")},
        {p.insuranceNumber, QStringLiteral("{医疗证号}")},
        {p.birthDate.trimmed().isEmpty() ? QString() : birthDateText(p.birthDate), QStringLiteral("{出生日期}")},
        {p.bed.trimmed().isEmpty() ? QString() : p.bed.trimmed() + QStringLiteral("床"), QStringLiteral("{床号}")},
    };
    std::stable_sort(back.begin(), back.end(), [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
    int count = 0;
    // The form's named cells hold the patient's particulars: emptied, refilled on use.
    for (const QString& alias : knownFormAliases()) count += setAllNamedText(doc.body(), alias, QString());
    for (const auto& [value, placeholder] : back) {
        // A single character is too likely to be part of other words.
        if (value.trimmed().size() < 2) continue;
        count += doc.replaceAll(value.trimmed(), placeholder, true);
    }
    return count;
}

TemplateLibrary::TemplateLibrary(const store::DataDirectory& files, const shell::UserContext& user,
                                 ui::UserInterface& ui)
    : files_(files), user_(user), ui_(ui) {}

QVector<LibraryEntry> TemplateLibrary::list(LibraryKind kind, bool own, const LibraryContext& context,
                                            const QString& search) const {
    QVector<LibraryEntry> out;
    const QString table = libraryTable(kind);
    const QString U = user_.userName;
    const QString D = context.documentName;
    const QString text = search.trimmed();
    QString sql;
    switch (kind) {
    case LibraryKind::Disease:
    case LibraryKind::Sample:
        sql = QStringLiteral("select * from ") + table + QStringLiteral(" where ") +
              (own ? QStringLiteral("所有者=") + quote(U) : kShared) + QStringLiteral(" and 名称2=") + quote(D);
        if (!text.isEmpty())
            sql += QStringLiteral(" and (") + likeClause(QStringLiteral("名称1"), text) + QStringLiteral(" OR ") +
                   likeClause(QStringLiteral("JSM"), text) + QStringLiteral(")");
        sql += QStringLiteral(" order by 名称1 ASC,名称2 DESC");
        break;
    case LibraryKind::Related:
        sql = QStringLiteral("select * from 相关病历 where ") +
              (own ? QStringLiteral("主管医生=") + quote(U) + QStringLiteral(" and ") : QString()) +
              likeClause(QStringLiteral("诊断"), text.isEmpty() ? diagnosisStem(context.patient.diagnosis) : text) +
              QStringLiteral(" and 病历=") + quote(D) + QStringLiteral(" order by 状态 DESC,编号 DESC");
        break;
    case LibraryKind::Module:
        sql = QStringLiteral("select * from SXZS where ") + (own ? QStringLiteral("所属=") + quote(U) : kShared);
        if (!text.isEmpty())
            sql += QStringLiteral(" and (") + likeClause(QStringLiteral("模块名称"), text) + QStringLiteral(" OR ") +
                   likeClause(QStringLiteral("模块主表"), text) + QStringLiteral(")");
        sql += QStringLiteral(" order by 模块主表,编号");
        break;
    case LibraryKind::Surgery:
        sql = QStringLiteral("select * from 外科手术记录 where ") +
              (own ? QStringLiteral("所有者=") + quote(U) : kShared);
        if (!text.isEmpty()) sql += QStringLiteral(" and ") + likeClause(QStringLiteral("诊断"), text);
        sql += QStringLiteral(" order by 编号");
        break;
    }
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return out;
    for (const store::Row& row : db.query(sql)) {
        LibraryEntry e = entryFrom(kind, row);
        // The current patient's own documents are no "other" records.
        if (kind == LibraryKind::Related && !context.patient.admissionNumber.isEmpty() &&
            e.admissionNumber == context.patient.admissionNumber)
            continue;
        out.append(e);
    }
    if (kind == LibraryKind::Module && !text.isEmpty()) {
        // The initials of a module's name are not stored: they are matched here.
        QVector<LibraryEntry> all = list(kind, own, context);
        const QString upper = text.toUpper();
        for (const LibraryEntry& e : all) {
            const bool already = std::any_of(out.begin(), out.end(), [&](const LibraryEntry& o) { return o.id == e.id; });
            if (!already && text::pinyinInitials(e.name).contains(upper)) out.append(e);
        }
    }
    return out;
}

bool TemplateLibrary::openEntry(const LibraryEntry& entry, DocumentPort& editor, const QString& paper) {
    closeEntry();
    // A related record is a document of 在院病历, read by its own key whatever its state.
    const QString table = entry.kind == LibraryKind::Related ? QStringLiteral("在院病历") : libraryTable(entry.kind);
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return false;
    const store::Row row = db.query(QStringLiteral("select * from ") + table + QStringLiteral(" where 编号=") + number(entry.id)).first();
    db.close();
    bool ok = row.isValid();
    if (ok) {
        if (isTextKind(entry.kind))
            ok = editor.setContent(textPage(row.text(QStringLiteral("内容")), paper));
        else
            ok = editor.setContent(row.bytes(entry.kind == LibraryKind::Related ? QStringLiteral("数据")
                                                                                : QStringLiteral("内容")));
    }
    if (!ok) {
        editor.setContent(QByteArray());
        editor.setModified(false);
        ui_.messageDialog(row.isValid() ? QStringLiteral("模板【") + entry.name + QStringLiteral("】的数据已损坏，无法打开！")
                                        : QStringLiteral("模板【") + entry.name + QStringLiteral("】已不存在！"));
        return false;
    }
    // A library entry is shown as it is stored: no one's revisions or protection apply.
    editor.setProtection(entry.kind == LibraryKind::Related ? Protection::ReadOnly : Protection::None);
    editor.setTrackChanges(false);
    editor.setModified(false);
    opened_ = entry;
    switch (entry.kind) {
    case LibraryKind::Module: caption_ = QStringLiteral("当前模板：") + entry.group; break;
    case LibraryKind::Surgery: caption_ = QStringLiteral("当前模板： 手术记录模板"); break;
    case LibraryKind::Related: caption_ = QStringLiteral("当前模板： ") + entry.label(); break;
    default: caption_ = QStringLiteral("当前模板： ") + entry.name; break;
    }
    return true;
}

bool TemplateLibrary::applyEntry(DocumentPort& libraryEditor, PatientRecords& records, DocumentPort& recordEditor) {
    if (!hasOpenEntry()) {
        ui_.messageDialog(QStringLiteral("请先选择要引用的模板！"));
        return false;
    }
    if (records.openId() == 0 || records.showsInformation()) {
        ui_.messageDialog(QStringLiteral("请先打开要引用模板的病历！"));
        return false;
    }
    if (records.openFailed() || !records.mayEdit() || recordEditor.protection() == Protection::ReadOnly) {
        ui_.messageDialog(QStringLiteral("你没有修改《") + records.openCaption() + QStringLiteral("》的权限，不能引用模板。"));
        return false;
    }
    const shell::PatientContext& patient = records.patient();
    if (isTextKind(opened_.kind)) {
        RecordDocumentPort scratch;
        if (!scratch.setContent(libraryEditor.content())) return false;
        replacePlaceholders(scratch.document().body(), placeholderValues(patient, Clock::now()));
        QString text = scratch.document().body()->toPlainText();
        if (!recordEditor.insertAtCaret(text, kModuleFont)) {
            ui_.messageDialog(QStringLiteral("光标所在处不能插入文字。"));
            return false;
        }
        return true;
    }
    // A whole document replaces the record: what was written is offered and then confirmed.
    records.offerSave();
    if (ui_.messageDialog(QStringLiteral("引用模板【") + opened_.name + QStringLiteral("】将替换《") + records.openCaption() +
                              QStringLiteral("》的全部内容，确定引用吗？"),
                          true) != 1)
        return false;
    RecordDocument doc;
    if (!decodeEwd(libraryEditor.content(), doc, nullptr)) return false;
    // The record's template decides the special cells and whether it has the page header.
    const TemplateSettings settings = loadTemplateSettings(files_);
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return false;
    const store::Row record =
        db.query(QStringLiteral("select 标题,病历次数 from 在院病历 where 编号=") + number(records.openId())).first();
    QString key = record.text(QStringLiteral("病历次数"));
    if (key.isEmpty()) key = record.text(QStringLiteral("标题"));
    const store::Row tpl = db.query(QStringLiteral("select 页眉 from GSMB where 检索=") + quote(key) +
                                    QStringLiteral(" and 纸张=") + quote(settings.paper))
                               .first();
    db.close();
    CompositionInput input;
    input.patient = patient;
    input.key = key;
    input.hospitalName = user_.hospitalName;
    input.loginDepartment = user_.department;
    input.headerFlags = settings.header;
    input.paper = settings.paper;
    input.header = tpl.text(QStringLiteral("页眉")) == QStringLiteral("真");
    input.now = Clock::now();
    composeRecord(doc, input.header ? loadCommonHeader(files_, settings.paper) : QByteArray(), input);
    if (!recordEditor.setContent(encodeEwd(doc))) return false;
    // The edit right of the record applies to the new content, which waits for 保存病历.
    records.contentReplaced();
    return true;
}

qint64 TemplateLibrary::insertDocument(LibraryKind kind, const NewLibraryEntry& entry, const QByteArray& bytes) {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return 0;
    const store::ExecResult r = db.execute(
        QStringLiteral("INSERT INTO ") + libraryTable(kind) + QStringLiteral(" (名称1,JSM,名称2,加密,所有者,内容) values (") +
            quote(entry.name.trimmed()) + QLatin1Char(',') + quote(text::pinyinInitials(entry.name.trimmed())) +
            QLatin1Char(',') + quote(entry.group.trimmed()) + QLatin1Char(',') + quote(entry.isPrivate ? kYes : kNo) +
            QLatin1Char(',') + quote(user_.userName) + QStringLiteral(",?)"),
        {bytes});
    return r.changed() ? r.insertedKey : 0;
}

qint64 TemplateLibrary::saveEntryAs(LibraryKind kind, const NewLibraryEntry& entry, const DocumentPort& editor) {
    if (kind == LibraryKind::Related) return 0;
    const bool documentKind = !isTextKind(kind);
    if (entry.name.trimmed().isEmpty() || ((documentKind || kind == LibraryKind::Module) && entry.group.trimmed().isEmpty())) {
        ui_.messageDialog(kNoTitle);
        return 0;
    }
    qint64 id = 0;
    if (documentKind) {
        RecordDocument doc;
        if (decodeEwd(editor.content(), doc, nullptr)) {
            startFresh(doc);
            id = insertDocument(kind, entry, encodeEwd(doc));
        }
    } else {
        const QString text = documentText(editor.content());
        store::Connection db = store::Connection::open(files_, store::DbFile::Main);
        if (db.isOpen()) {
            // The text goes in with the row: a new surgery template is never an empty row.
            const store::ExecResult r =
                kind == LibraryKind::Module
                    ? db.execute(QStringLiteral("INSERT INTO SXZS (模块主表,模块名称,加密,所属,内容,属性) values (") +
                                 quote(entry.group.trimmed()) + QLatin1Char(',') + quote(entry.name.trimmed()) +
                                 QLatin1Char(',') + quote(entry.isPrivate ? kYes : kNo) + QLatin1Char(',') +
                                 quote(user_.userName) + QLatin1Char(',') + quote(text) + QLatin1Char(',') +
                                 quote(entry.attribute) + QLatin1Char(')'))
                    : db.execute(QStringLiteral("INSERT INTO 外科手术记录 (诊断,加密,所有者,科室,内容) values (") +
                                 quote(entry.name.trimmed()) + QLatin1Char(',') + quote(entry.isPrivate ? kYes : kNo) +
                                 QLatin1Char(',') + quote(user_.userName) + QLatin1Char(',') + quote(user_.department) +
                                 QLatin1Char(',') + quote(text) + QLatin1Char(')'));
            id = r.changed() ? r.insertedKey : 0;
        }
    }
    ui_.messageDialog(id > 0 ? kSaved : kSaveFailed);
    if (id > 0) {
        opened_ = LibraryEntry{kind, id, entry.name.trimmed(), entry.group.trimmed(), user_.userName, entry.isPrivate};
        caption_ = kind == LibraryKind::Module ? QStringLiteral("当前模板：") + opened_.group
                   : kind == LibraryKind::Surgery ? QStringLiteral("当前模板： 手术记录模板")
                                                  : QStringLiteral("当前模板： ") + opened_.name;
    }
    return id;
}

qint64 TemplateLibrary::saveRecordAsEntry(LibraryKind kind, const NewLibraryEntry& entry, const QByteArray& content,
                                          const shell::PatientContext& patient) {
    if (kind != LibraryKind::Disease && kind != LibraryKind::Sample) return 0;
    if (entry.name.trimmed().isEmpty() || entry.group.trimmed().isEmpty()) {
        ui_.messageDialog(kNoTitle);
        return 0;
    }
    RecordDocument doc;
    if (!decodeEwd(content, doc, nullptr)) {
        ui_.messageDialog(QStringLiteral("病历范文保存失败！"));
        return 0;
    }
    makeSample(doc, patient);
    const qint64 id = insertDocument(kind, entry, encodeEwd(doc));
    ui_.messageDialog(id > 0 ? QStringLiteral("病历范文保存成功。") : QStringLiteral("病历范文保存失败！"));
    return id;
}

bool TemplateLibrary::ownedByUser(const LibraryEntry& entry, const QString& refusal) const {
    if (entry.kind != LibraryKind::Related && entry.owner == user_.userName) return true;
    ui_.messageDialog(refusal);
    return false;
}

bool TemplateLibrary::saveEntry(const DocumentPort& editor) {
    if (!hasOpenEntry() || opened_.kind == LibraryKind::Related) return false;
    if (!ownedByUser(opened_, kNotOwn)) return false;
    const LibraryKind kind = opened_.kind;
    const QString where = QStringLiteral(" where 编号=") + number(opened_.id) + QStringLiteral(" and ") + ownerColumn(kind) +
                          QLatin1Char('=') + quote(user_.userName);
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    bool saved = false;
    if (db.isOpen()) {
        if (isTextKind(kind)) {
            saved = db.execute(QStringLiteral("UPDATE ") + libraryTable(kind) + QStringLiteral(" SET 内容=") +
                               quote(documentText(editor.content())) + where)
                        .changed();
        } else {
            saved = db.execute(QStringLiteral("UPDATE ") + libraryTable(kind) + QStringLiteral(" SET 内容=?") + where,
                               {editor.content()})
                        .changed();
        }
    }
    db.close();
    ui_.messageDialog(saved ? kSaved : kSaveFailed);
    return saved;
}

bool TemplateLibrary::renameEntry(const LibraryEntry& entry, const QString& newName) {
    const QString name = newName.trimmed();
    if (entry.id == 0 || entry.kind == LibraryKind::Related) return false;
    if (name.isEmpty()) {
        ui_.messageDialog(kNoTitle);
        return false;
    }
    if (!ownedByUser(entry, kNotOwn)) return false;
    const QString U = quote(user_.userName);
    QString sql;
    switch (entry.kind) {
    case LibraryKind::Disease:
    case LibraryKind::Sample:
        // Every entry of the user with that name, and the initials the search finds it by.
        sql = QStringLiteral("UPDATE ") + libraryTable(entry.kind) + QStringLiteral(" SET 名称1=") + quote(name) +
              QStringLiteral(",JSM=") + quote(text::pinyinInitials(name)) + QStringLiteral(" where 所有者=") + U +
              QStringLiteral(" and 名称1=") + quote(entry.name);
        break;
    case LibraryKind::Module:
        sql = QStringLiteral("UPDATE SXZS SET 模块主表=") + quote(name) + QStringLiteral(" where 所属=") + U +
              QStringLiteral(" and 模块主表=") + quote(entry.group);
        break;
    case LibraryKind::Surgery:
        sql = QStringLiteral("UPDATE 外科手术记录 SET 诊断=") + quote(name) + QStringLiteral(" where 所有者=") + U +
              QStringLiteral(" and 编号=") + number(entry.id);
        break;
    case LibraryKind::Related: return false;
    }
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    const bool renamed = db.isOpen() && db.execute(sql).changed();
    db.close();
    if (!renamed) {
        ui_.messageDialog(QStringLiteral("修改标题失败！"));
        return false;
    }
    if (opened_.id == entry.id && opened_.kind == entry.kind) {
        if (entry.kind == LibraryKind::Module) {
            opened_.group = name;
            caption_ = QStringLiteral("当前模板：") + name;
        } else {
            opened_.name = name;
            if (entry.kind != LibraryKind::Surgery) caption_ = QStringLiteral("当前模板： ") + name;
        }
    }
    return true;
}

bool TemplateLibrary::deleteEntry(const LibraryEntry& entry) {
    if (entry.id == 0 || entry.kind == LibraryKind::Related) {
        ui_.messageDialog(entry.kind == LibraryKind::Disease || entry.kind == LibraryKind::Sample
                              ? QStringLiteral("请正确选择所要删除的模板！")
                              : QStringLiteral("请选择所要删除的模板！"));
        return false;
    }
    if (!ownedByUser(entry, QStringLiteral("只能删除自己的模板！"))) return false;
    const QString shown = entry.kind == LibraryKind::Module ? entry.group + QStringLiteral("—") + entry.name : entry.name;
    if (ui_.confirmPermanent(QStringLiteral("你确定要删除模板【") + shown +
                             QStringLiteral("】吗？\r\n\r\n注意：删除后模板不可恢复！")) != 1)
        return false;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    const bool deleted = db.isOpen() && db.execute(QStringLiteral("delete from ") + libraryTable(entry.kind) +
                                                   QStringLiteral(" where 编号=") + number(entry.id) +
                                                   QStringLiteral(" and ") + ownerColumn(entry.kind) +
                                                   QLatin1Char('=') + quote(user_.userName))
                                            .changed();
    db.close();
    if (!deleted) {
        ui_.messageDialog(QStringLiteral("模板删除失败！"));
        return false;
    }
    if (opened_.id == entry.id && opened_.kind == entry.kind) closeEntry();
    return true;
}

bool TemplateLibrary::setPrivate(const LibraryEntry& entry, bool isPrivate) {
    if (entry.id == 0 || entry.kind == LibraryKind::Related) return false;
    if (!ownedByUser(entry, kNotOwn)) return false;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    const bool done = db.isOpen() && db.execute(QStringLiteral("UPDATE ") + libraryTable(entry.kind) +
                                                QStringLiteral(" SET 加密=") + quote(isPrivate ? kYes : kNo) +
                                                QStringLiteral(" where 编号=") + number(entry.id) +
                                                QStringLiteral(" and ") + ownerColumn(entry.kind) + QLatin1Char('=') +
                                                quote(user_.userName))
                                         .changed();
    db.close();
    if (!done) {
        ui_.messageDialog(isPrivate ? QStringLiteral("模板加密失败！") : QStringLiteral("模板共享失败！"));
        return false;
    }
    if (opened_.id == entry.id && opened_.kind == entry.kind) opened_.isPrivate = isPrivate;
    return true;
}

}  // namespace qh::records
