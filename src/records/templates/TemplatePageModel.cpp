#include "records/templates/TemplatePageModel.h"

#include "records/templates/DocumentPort.h"
#include "store/DatabaseFiles.h"
#include "store/ExternalDatabase.h"
#include "store/SqlText.h"
#include "interaction/UserInterface.h"

namespace qh::records {

using store::ExternalDatabase;
using store::sqlText;

namespace {

QString truth(bool on) { return on ? QStringLiteral("真") : QStringLiteral("假"); }

qint64 orderOf(ExternalDatabase& db, qint64 id) {
    const auto rs = db.Query(QStringLiteral("select 顺序 from GSMB where 编号=") + QString::number(id));
    const qint64 order = db.Read(rs, 1).toInt();
    db.CloseRecordSet(rs);
    return order;
}

bool setOrder(ExternalDatabase& db, qint64 id, qint64 order) {
    return db.Execute(QStringLiteral("UPDATE GSMB SET 顺序=") + QString::number(order) + QStringLiteral(" where 编号=") +
                      QString::number(id));
}

}  // namespace

TemplatePageModel::TemplatePageModel(DocumentPort& editor, ui::UserInterface& ui, const TemplateSettings& settings)
    : editor_(editor), ui_(ui), settings_(settings) {}

void TemplatePageModel::listTemplates() {
    entries_.clear();
    selected_ = -1;
    ExternalDatabase db;
    if (!store::openFile(db, store::DbFile::Main)) return;
    const auto rs = db.Query(QStringLiteral("select * from GSMB where 纸张='") + sqlText(settings_.paper) +
                             QStringLiteral("' AND 备注='Y' order by 顺序 ASC"));
    for (; !db.IsEOF(rs); db.MoveNext(rs)) {
        entries_.append({db.Read(rs, QStringLiteral("标题")).toText(), db.Read(rs, QStringLiteral("编号")).toInt()});
    }
    db.CloseRecordSet(rs);
    db.Close();
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
    ExternalDatabase db;
    if (!store::openFile(db, store::DbFile::Main)) return false;
    const auto rs = db.Query(QStringLiteral("select * from GSMB where 编号=") + QString::number(id));
    if (db.IsEOF(rs)) {
        db.CloseRecordSet(rs);
        return false;
    }
    const QByteArray data = db.Read(rs, QStringLiteral("数据")).toBytes();
    TemplateOptions options;
    options.header = db.Read(rs, QStringLiteral("页眉")).toText() == truth(true);
    options.multiAdd = db.Read(rs, QStringLiteral("添加")).toText() == truth(true);
    options.inMenu = db.Read(rs, QStringLiteral("选中")).toBool();
    const QString title = db.Read(rs, QStringLiteral("标题")).toText();
    const QString recordTitle = db.Read(rs, QStringLiteral("病历标题")).toText();
    const QString key = db.Read(rs, QStringLiteral("检索")).toText();
    db.CloseRecordSet(rs);
    db.Close();
    // A damaged document is not opened: saving it would overwrite the stored bytes with
    // whatever the editor held before.
    if (!editor_.setContent(data)) {
        ui_.messageDialog(title + QStringLiteral("模板数据已损坏，无法打开"));
        return false;
    }
    editor_.setModified(false);
    options_ = options;
    openId_ = id;
    openTitle_ = title;
    openRecordTitle_ = recordTitle;
    openKey_ = key;
    for (int i = 0; i < entries_.size(); ++i)
        if (entries_[i].id == id) selected_ = i;
    return true;
}

void TemplatePageModel::newTemplate() {
    offerSave();
    ExternalDatabase db;
    if (!store::openFile(db, store::DbFile::Main)) return;
    auto rs = db.Query(QStringLiteral("select * from 基础模板"));
    const QByteArray base = db.Read(rs, settings_.baseColumn).toBytes();
    db.CloseRecordSet(rs);
    rs = db.Query(QStringLiteral("select * from GSMB order by 编号 ASC"));
    db.MoveLast(rs);
    const qint64 n = db.Read(rs, QStringLiteral("编号")).toInt() + 1;
    db.CloseRecordSet(rs);
    const int c = int(entries_.size()) + 1;
    const QString sql = QStringLiteral("INSERT INTO GSMB (备注,纸张,检索,标题,病历标题,页眉,顺序,数据) values ('Y','") +
                        sqlText(settings_.paper) + QStringLiteral("','新增模板") + QString::number(n) +
                        QStringLiteral("','新增模板','新增模板") + QString::number(n) + QStringLiteral("','") +
                        truth(options_.header) + QStringLiteral("',") + QString::number(c) + QStringLiteral(",?)");
    if (!db.Execute(sql, base)) {
        db.Close();
        return;
    }
    const qint64 id = db.LastInsertId();
    db.Close();
    entries_.append({QStringLiteral("新增模板"), id});
    // The new template is the one open now; the old one's changes were offered above.
    editor_.setModified(false);
    openTemplate(id);
}

bool TemplatePageModel::saveTemplate() {
    if (openId_ == 0) {
        ui_.messageDialog(QStringLiteral("文件不存在"));
        return false;
    }
    ExternalDatabase db;
    bool ok = store::openFile(db, store::DbFile::Main);
    if (ok) {
        ok = db.Execute(QStringLiteral("UPDATE GSMB SET 选中=") + (options_.inMenu ? QStringLiteral("1") : QStringLiteral("0")) +
                            QStringLiteral(",页眉='") + truth(options_.header) + QStringLiteral("',添加='") +
                            truth(options_.multiAdd) + QStringLiteral("',数据=? where 编号=") + QString::number(openId_),
                        editor_.content());
        db.Close();
    }
    if (!ok) {
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
    ExternalDatabase db;
    bool ok = store::openFile(db, store::DbFile::Main);
    if (ok) {
        ok = db.Execute(QStringLiteral("UPDATE GSMB SET 标题='") + sqlText(title) + QStringLiteral("',病历标题='") +
                        sqlText(recordTitle) + QStringLiteral("' where 编号=") + QString::number(openId_));
        db.Close();
    }
    ui_.messageDialog(QStringLiteral("患者") + title +
                      (ok ? QStringLiteral("模板标题保存成功！") : QStringLiteral("模板标题保存失败！")));
    if (!ok) return false;
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
    if (ui_.messageDialog(QStringLiteral("你确定要删除模板【") + doomed.caption +
                              QStringLiteral("】吗？\r\n\r\n   注意：删除后病历不可恢复！"),
                          true) != 1)
        return;
    ExternalDatabase db;
    if (!store::openFile(db, store::DbFile::Main)) return;
    const bool ok = db.Execute(QStringLiteral("delete from GSMB  where 编号=") + QString::number(doomed.id));
    db.Close();
    if (!ok) return;
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
    ExternalDatabase db;
    if (!store::openFile(db, store::DbFile::Main)) return;
    const qint64 mine = entries_[selected_].id;
    const qint64 other = entries_[neighbour].id;
    qint64 myOrder = orderOf(db, mine);
    qint64 otherOrder = orderOf(db, other);
    if (myOrder == otherOrder) {
        // Swapping equal positions would change nothing that lasts: the list would come
        // back in the old order when read again. The list's order is written out first.
        for (int i = 0; i < entries_.size(); ++i) setOrder(db, entries_[i].id, i + 1);
        myOrder = selected_ + 1;
        otherOrder = neighbour + 1;
    }
    const bool ok = setOrder(db, mine, otherOrder) && setOrder(db, other, myOrder);
    db.Close();
    if (!ok) return;
    entries_.swapItemsAt(selected_, neighbour);
    selected_ = neighbour;
}

}  // namespace qh::records
