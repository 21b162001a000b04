#include "records/documents/PatientRecords.h"

#include "common/Clock.h"
#include "records/documents/RecordComposition.h"
#include "records/editor/EwdFormat.h"
#include "records/editor/RecordDocument.h"
#include "records/templates/DocumentPort.h"
#include "records/templates/PageHeader.h"
#include "store/Connection.h"
#include "interaction/UserInterface.h"

namespace qh::records {

namespace {

const QString kTrue = QStringLiteral("真");

QString quoted(const QString& caption) { return QStringLiteral("《") + caption + QStringLiteral("》"); }

}  // namespace

QVector<StoredRecord> storedRecords(const store::DataDirectory& files, const QString& serialNumber) {
    QVector<StoredRecord> out;
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return out;
    for (const store::Row& row :
         db.query(QStringLiteral("select * from 在院病历 where 检索=? order by 顺序 ASC,编号 ASC"), {serialNumber}))
        out.append({row.integer(QStringLiteral("编号")), row.integer(QStringLiteral("顺序")), row.text(QStringLiteral("病历")),
                    row.text(QStringLiteral("标题")), row.text(QStringLiteral("病历次数"))});
    return out;
}

PatientRecords::PatientRecords(const store::DataDirectory& files, const shell::UserContext& user, DocumentPort& editor,
                               ui::UserInterface& ui, const TemplateSettings& settings, QObject* parent)
    : QObject(parent), files_(files), user_(user), editor_(editor), ui_(ui), settings_(settings) {
    entries_.append({kInformationEntry, 0});
    editor_.setRevisionAuthor(user_.userName);
}

void PatientRecords::listRecords(const shell::PatientContext& patient) {
    patient_ = patient;
    entries_.clear();
    entries_.append({kInformationEntry, 0});
    if (!patient_.serialNumber.isEmpty())
        for (const StoredRecord& r : storedRecords(files_, patient_.serialNumber)) entries_.append({r.name, r.id});
    selected_ = 0;
    emit entriesChanged();
    openRecord();
}

void PatientRecords::selectEntry(int row) {
    if (row < 0 || row >= entries_.size()) return;
    if (row == selected_ && (row == 0 || openId_ == entries_[row].id)) return;
    offerSave();
    selected_ = row;
    emit entriesChanged();
    openRecord();
}

void PatientRecords::closeDocument() {
    openId_ = 0;
    openCaption_.clear();
    openFailed_ = false;
    // Nothing is left in the editor to be offered for saving.
    editor_.setContent(QByteArray());
    editor_.setModified(false);
}

bool PatientRecords::openRecord() {
    if (selected_ <= 0) {
        closeDocument();
        emit documentOpened();
        return true;
    }
    const RecordEntry entry = entries_[selected_];
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return false;
    const store::Row row = db.query(QStringLiteral("select * from 在院病历 where 编号=?"), {entry.id}).first();
    db.close();
    openId_ = entry.id;
    openCaption_ = entry.caption;
    openFailed_ = !row.isValid() || !editor_.setContent(row.bytes(QStringLiteral("数据")));
    if (openFailed_) {
        // An unreadable document is shown as nothing, and nothing can be saved over it.
        editor_.setContent(QByteArray());
        ui_.messageDialog(row.isValid() ? quoted(entry.caption) + QStringLiteral("的数据已损坏，无法打开！")
                                        : quoted(entry.caption) + QStringLiteral("已不存在！"));
    }
    applyEditRight();
    editor_.setModified(false);
    emit documentOpened();
    return !openFailed_;
}

bool PatientRecords::mayEdit() const { return user_.SXBL || user_.userName == patient_.doctor; }

bool PatientRecords::mayDelete() const { return !patient_.doctor.isEmpty() && user_.userName == patient_.doctor; }

bool PatientRecords::tracksChanges() const { return user_.userName != patient_.doctor; }

void PatientRecords::applyEditRight() {
    editor_.setRevisionAuthor(user_.userName);
    const bool editable = openId_ != 0 && !openFailed_ && mayEdit();
    editor_.setProtection(editable ? Protection::None : Protection::ReadOnly);
    editor_.setTrackChanges(editable && tracksChanges());
}

void PatientRecords::contentReplaced() {
    if (openId_ == 0) return;
    applyEditRight();
    // New content waits for "保存病历"; only a document this user may store is offered.
    editor_.setModified(!openFailed_ && mayEdit());
    emit documentOpened();
}

QString PatientRecords::statusText() const {
    if (openId_ == 0) return {};
    return QStringLiteral("当前病历： ") + patient_.name + QStringLiteral("─") + openCaption_;
}

bool PatientRecords::addRecordFromMenu(const QString& itemKey) {
    return createRecord(recordKeyForPatient(itemKey, patient_.sex), itemKey);
}

bool PatientRecords::createRecord(const QString& wantedKey, const QString& fallbackKey) {
    if (patient_.serialNumber.isEmpty()) return false;
    offerSave();
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return false;
    const QString serial = patient_.serialNumber;
    const auto templateRow = [&](const QString& key) {
        return db.query(QStringLiteral("select * from GSMB  where 检索=? and 纸张=?"), {key, settings_.paper}).first();
    };
    QString key = wantedKey;
    store::Row tpl = templateRow(key);
    if (!tpl.isValid() && !fallbackKey.isEmpty() && fallbackKey != key) {
        key = fallbackKey;  // e.g. no 住院病历 of the patient's sex on this paper
        tpl = templateRow(key);
    }
    if (!tpl.isValid()) {
        ui_.messageDialog(QStringLiteral("没有找到【") + wantedKey + QStringLiteral("】模板，未添加病历。"));
        return false;
    }
    const QString recordTitle = tpl.text(QStringLiteral("病历标题"));
    RecordDocument doc;
    if (!decodeEwd(tpl.bytes(QStringLiteral("数据")), doc, nullptr)) {
        ui_.messageDialog(QStringLiteral("【") + recordTitle + QStringLiteral("】模板的数据已损坏，未添加病历。"));
        return false;
    }
    const bool multi = tpl.text(QStringLiteral("添加")) == kTrue;
    const qint64 order = tpl.integer(QStringLiteral("顺序"));
    QString name = recordTitle;
    QString title = key;
    if (multi) {
        const qint64 n = db.query(QStringLiteral("select count(1) from 在院病历 where  病历次数=? and 检索=?"), {key, serial})
                             .first()
                             .value(0)
                             .toInt();
        // From n + 1 on, past any 标题 the patient already has (a deleted copy, a copy made
        // while the template was once-only): a new document never shares a title.
        for (qint64 m = n + 1;; ++m) {
            title = m == 1 ? key : key + QString::number(m);
            if (!db.query(QStringLiteral("select 编号 from 在院病历 where 标题=? and 检索=?"), {title, serial}).first().isValid()) {
                name = m == 1 ? recordTitle : recordTitle + QString::number(m);
                break;
            }
        }
    } else {
        const store::Row have =
            db.query(QStringLiteral("select 病历 from 在院病历 where  标题=? and 检索=?"), {key, serial}).first();
        if (have.isValid()) {
            ui_.messageDialog(QStringLiteral("你已经添加【") + have.text(QStringLiteral("病历")) + QStringLiteral("】模块"));
            return false;
        }
    }
    CompositionInput input;
    input.patient = patient_;
    input.key = key;
    input.hospitalName = user_.hospitalName;
    input.loginDepartment = user_.department;
    input.headerFlags = settings_.header;
    input.paper = settings_.paper;
    input.header = tpl.text(QStringLiteral("页眉")) == kTrue;
    input.now = Clock::now();
    const QByteArray header = input.header ? loadCommonHeader(files_, settings_.paper) : QByteArray();
    composeRecord(doc, header, input);
    const QByteArray bytes = encodeEwd(doc);

    const store::ExecResult inserted =
        multi ? db.execute(QStringLiteral("INSERT INTO 在院病历 (检索,病历,顺序,病历次数,标题,数据) values (?,?,?,?,?,?)"),
                           {serial, name, order, key, title, bytes})
              : db.execute(QStringLiteral("INSERT INTO 在院病历 (检索,病历,顺序,标题,数据) values (?,?,?,?,?)"),
                           {serial, name, order, title, bytes});
    db.close();
    if (!inserted.changed() || inserted.insertedKey <= 0) {
        ui_.messageDialog(quoted(name) + QStringLiteral("添加失败！"));
        return false;
    }
    // The new row is known by the key its own insert generated, never looked up by title.
    entries_.append({name, inserted.insertedKey});
    selected_ = int(entries_.size()) - 1;
    openId_ = inserted.insertedKey;
    openCaption_ = name;
    openFailed_ = !editor_.setContent(bytes);
    applyEditRight();
    editor_.setModified(false);
    lastCreatedId_ = inserted.insertedKey;
    lastCreatedTitle_ = title;
    emit entriesChanged();
    emit documentOpened();
    return true;
}

bool PatientRecords::storeContent(const QByteArray& bytes) {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    return db.isOpen() &&
           db.execute(QStringLiteral("UPDATE 在院病历 SET 数据=? where 编号=?"), {bytes, openId_}).changed();
}

QString PatientRecords::saveMessage(bool saved) const {
    return QStringLiteral(" 患者【") + patient_.name + QStringLiteral("】") + QStringLiteral("\r\r") + quoted(openCaption_) +
           (saved ? QStringLiteral("保存成功！") : QStringLiteral("保存失败！"));
}

bool PatientRecords::saveRecord() {
    if (patient_.serialNumber.isEmpty() || selected_ <= 0 || openId_ == 0) return false;
    if (openFailed_) {
        ui_.messageDialog(quoted(openCaption_) + QStringLiteral("的数据已损坏，不能保存。"));
        return false;
    }
    if (!mayEdit()) {
        ui_.messageDialog(QStringLiteral("你没有修改") + quoted(openCaption_) + QStringLiteral("的权限，不能保存。"));
        return false;
    }
    const bool saved = storeContent(editor_.content());
    ui_.messageDialog(saveMessage(saved));
    if (saved) editor_.setModified(false);
    return saved;
}

bool PatientRecords::deleteRecord() {
    if (selected_ <= 0 || selected_ >= entries_.size()) return false;
    const RecordEntry doomed = entries_[selected_];
    if (!mayDelete()) {
        ui_.messageDialog(QStringLiteral("只有患者的主管医生才能删除病历。"));
        return false;
    }
    if (ui_.confirmPermanent(QStringLiteral("你确定要删除患者【") + patient_.name + QStringLiteral("—") + doomed.caption +
                             QStringLiteral("】吗？\r\n\r\n注意：删除后病历不可恢复！")) != 1)
        return false;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return false;
    const bool deleted = db.execute(QStringLiteral("delete from 在院病历  where 编号=?"), {doomed.id}).changed();
    db.close();
    if (!deleted) {
        ui_.messageDialog(quoted(doomed.caption) + QStringLiteral("删除失败！"));
        return false;
    }
    editor_.setModified(false);
    const int row = selected_;
    entries_.removeAt(row);
    selected_ = qMin(row, int(entries_.size()) - 1);
    emit entriesChanged();
    openRecord();
    return true;
}

PrintOutcome PatientRecords::printRecord() {
    if (openId_ == 0 || openFailed_ || !printer_) return {PrintStatus::NothingToPrint, 0, kNothingToPrint};
    const bool wasModified = editor_.isModified();
    const PrintOutcome outcome = printer_(false);
    // The print mark noted on the document is no change of the doctor's.
    if (!wasModified) editor_.setModified(false);
    if (outcome.status != PrintStatus::Cancelled && !outcome.message.isEmpty()) ui_.messageDialog(outcome.message);
    return outcome;
}

PrintOutcome PatientRecords::continuePrintRecord() {
    if (openId_ == 0 || openFailed_ || !printer_) return {PrintStatus::NothingToPrint, 0, kNothingToPrint};
    if (!storeContent(editor_.content())) {
        ui_.messageDialog(saveMessage(false));
        return {PrintStatus::DeviceFailed, 0, saveMessage(false)};
    }
    const PrintOutcome outcome = printer_(true);
    // What reached the paper is noted in the document: stored again, so that the next
    // continued print starts after it.
    if (outcome.status == PrintStatus::Printed && !storeContent(editor_.content()))
        ui_.messageDialog(saveMessage(false));
    if (outcome.status != PrintStatus::Cancelled && !outcome.message.isEmpty()) ui_.messageDialog(outcome.message);
    // The editor shows the stored document again: nothing changed for printing stays.
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    const QByteArray stored =
        db.query(QStringLiteral("select * from 在院病历 where 编号=?"), {openId_}).first().bytes(QStringLiteral("数据"));
    db.close();
    if (editor_.setContent(stored)) applyEditRight();
    editor_.setModified(false);
    return outcome;
}

bool PatientRecords::isModified() const {
    return openId_ != 0 && !openFailed_ && mayEdit() && editor_.isModified();
}

void PatientRecords::discardChanges() { editor_.setModified(false); }

shell::OfferSaveOutcome PatientRecords::offerSave() { return shell::offerSave(ui_, patient_, this); }

}  // namespace qh::records
