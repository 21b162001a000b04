#include "records/templates/TemplatePageModel.h"

#include "records/templates/DocumentPort.h"
#include "store/Connection.h"
#include "interaction/UserInterface.h"

namespace qh::records {

namespace {

QString truth(bool on) { return on ? QStringLiteral("真") : QStringLiteral("假"); }

qint64 orderOf(store::Connection& db, qint64 id) {
    return db.query(QStringLiteral("select 顺序 from GSMB where 编号=?"), {id}).first().integer(QStringLiteral("顺序"));
}

bool setOrder(store::Connection& db, qint64 id, qint64 order) {
    return db.execute(QStringLiteral("UPDATE GSMB SET 顺序=? where 编号=?"), {order, id}).changed();
}

}  // namespace

TemplatePageModel::TemplatePageModel(const store::DataDirectory& files, DocumentPort& editor, ui::UserInterface& ui,
                                     const TemplateSettings& settings)
    : files_(files), editor_(editor), ui_(ui), settings_(settings) {}

void TemplatePageModel::listTemplates() {
    entries_.clear();
    selected_ = -1;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return;
    for (const store::Row& row : db.query(
             QStringLiteral("select * from GSMB where 纸张=? AND 备注='Y' order by 顺序 ASC"), {settings_.paper}))
        entries_.append({row.text(QStringLiteral("标题")), row.integer(QStringLiteral("编号"))});
}

QString TemplatePageModel::countLabel() const {
    return QStringLiteral("共有模板") + QString::number(entries_.size()) + QStringLiteral("个");
}

QString TemplatePageModel::caption() const {
    return openId_ ? QStringLiteral("当前模板： ") + openTitle_ : QString();
}

void TemplatePageModel::offerSave() {
    if (openId_ == 0 || !editor_.isModified()) return;
    if (ui_.messageDialog(openTitle_ + QStringLiteral("已修改，是否保存？"), true) == 1) saveTemplate();
}

bool TemplatePageModel::openRow(int row) {
    if (row < 0 || row >= entries_.size()) return false;
    selected_ = row;
    return openTemplate(entries_[row].id);
}

bool TemplatePageModel::openTemplate(qint64 id) {
    offerSave();
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return false;
    const store::Row row = db.query(QStringLiteral("select * from GSMB where 编号=?"), {id}).first();
    db.close();
    if (!row.isValid()) return false;
    const QString title = row.text(QStringLiteral("标题"));
    // A damaged document is not opened: saving it would overwrite the stored bytes with
    // whatever the editor held before.
    if (!editor_.setContent(row.bytes(QStringLiteral("数据")))) {
        ui_.messageDialog(title + QStringLiteral("模板数据已损坏，无法打开"));
        return false;
    }
    editor_.setModified(false);
    options_.header = row.text(QStringLiteral("页眉")) == truth(true);
    options_.multiAdd = row.text(QStringLiteral("添加")) == truth(true);
    options_.inMenu = row.boolean(QStringLiteral("选中"));
    openId_ = id;
    openTitle_ = title;
    openRecordTitle_ = row.text(QStringLiteral("病历标题"));
    openKey_ = row.text(QStringLiteral("检索"));
    for (int i = 0; i < entries_.size(); ++i)
        if (entries_[i].id == id) selected_ = i;
    return true;
}

void TemplatePageModel::newTemplate() {
    offerSave();
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return;
    const QByteArray base = db.query(QStringLiteral("select * from 基础模板")).first().bytes(settings_.baseColumn);
    // The key's number follows the last 编号 of all papers.
    const store::Rows all = db.query(QStringLiteral("select * from GSMB order by 编号 ASC"));
    const qint64 n = (all.isEmpty() ? 0 : all[all.size() - 1].integer(QStringLiteral("编号"))) + 1;
    const QString key = QStringLiteral("新增模板") + QString::number(n);
    const int c = int(entries_.size()) + 1;
    const store::ExecResult inserted =
        db.execute(QStringLiteral("INSERT INTO GSMB (备注,纸张,检索,标题,病历标题,页眉,顺序,数据) "
                                  "values ('Y',?,?,'新增模板',?,?,?,?)"),
                   {settings_.paper, key, key, truth(options_.header), c, base});
    db.close();
    if (!inserted.changed()) return;
    entries_.append({QStringLiteral("新增模板"), inserted.insertedKey});
    // The new template is the one open now; the old one's changes were offered above.
    editor_.setModified(false);
    openTemplate(inserted.insertedKey);
}

bool TemplatePageModel::saveTemplate() {
    if (openId_ == 0) {
        ui_.messageDialog(QStringLiteral("文件不存在"));
        return false;
    }
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    const bool saved =
        db.isOpen() && db.execute(QStringLiteral("UPDATE GSMB SET 选中=?,页眉=?,添加=?,数据=? where 编号=?"),
                                  {options_.inMenu, truth(options_.header), truth(options_.multiAdd),
                                   editor_.content(), openId_})
                           .changed();
    db.close();
    if (!saved) {
        ui_.messageDialog(openTitle_ + QStringLiteral("模板保存失败！"));
        return false;
    }
    ui_.messageDialog(openTitle_ + QStringLiteral("模板保存成功！"));
    editor_.setModified(false);
    return true;
}

bool TemplatePageModel::renameTemplate(const QString& title, const QString& recordTitle) {
    if (openId_ == 0) {
        ui_.messageDialog(QStringLiteral("文件不存在"));
        return false;
    }
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    const bool saved = db.isOpen() && db.execute(QStringLiteral("UPDATE GSMB SET 标题=?,病历标题=? where 编号=?"),
                                                 {title, recordTitle, openId_})
                                          .changed();
    db.close();
    ui_.messageDialog(QStringLiteral("患者") + title +
                      (saved ? QStringLiteral("模板标题保存成功！") : QStringLiteral("模板标题保存失败！")));
    if (!saved) return false;
    openTitle_ = title;
    openRecordTitle_ = recordTitle;
    for (auto& e : entries_)
        if (e.id == openId_) e.caption = title;
    return true;
}

void TemplatePageModel::deleteTemplate() {
    if (selected_ < 0) {
        ui_.messageDialog(QStringLiteral("文件不存在"));
        return;
    }
    const TemplateEntry doomed = entries_[selected_];
    if (ui_.confirmPermanent(QStringLiteral("你确定要删除模板【") + doomed.caption +
                             QStringLiteral("】吗？\r\n\r\n   注意：删除后病历不可恢复！")) != 1)
        return;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return;
    const bool deleted = db.execute(QStringLiteral("delete from GSMB  where 编号=?"), {doomed.id}).changed();
    db.close();
    if (!deleted) return;
    const int row = selected_;
    entries_.removeAt(row);
    if (doomed.id == openId_) {
        // Its editor content is gone with the row: nothing is left to offer for saving.
        editor_.setModified(false);
        openId_ = 0;
        openTitle_.clear();
    }
    selected_ = -1;
    if (!entries_.isEmpty()) openRow(qMin(row, int(entries_.size()) - 1));
}

void TemplatePageModel::moveTemplateUp() {
    if (selected_ <= 0) {
        ui_.messageDialog(QStringLiteral("请真确选择上移项目"));
        return;
    }
    swapWithNeighbour(selected_ - 1);
}

void TemplatePageModel::moveTemplateDown() {
    if (selected_ < 0 || selected_ >= entries_.size() - 1) {
        ui_.messageDialog(QStringLiteral("请真确选择上移项目"));
        return;
    }
    swapWithNeighbour(selected_ + 1);
}

void TemplatePageModel::swapWithNeighbour(int neighbour) {
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return;
    const qint64 mine = entries_[selected_].id;
    const qint64 other = entries_[neighbour].id;
    // The two rows change together or not at all; a row gone meanwhile undoes the move.
    store::Transaction tx(db);
    qint64 myOrder = orderOf(db, mine);
    qint64 otherOrder = orderOf(db, other);
    if (myOrder == otherOrder) {
        // Swapping equal positions would change nothing that lasts: the list would come
        // back in the old order when read again. The list's order is written out first.
        for (int i = 0; i < entries_.size(); ++i)
            if (!setOrder(db, entries_[i].id, i + 1)) return;
        myOrder = selected_ + 1;
        otherOrder = neighbour + 1;
    }
    if (!setOrder(db, mine, otherOrder) || !setOrder(db, other, myOrder) || !tx.commit()) return;
    entries_.swapItemsAt(selected_, neighbour);
    selected_ = neighbour;
}

}  // namespace qh::records
