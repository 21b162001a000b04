#include "records/templates/TemplateSettings.h"

#include "store/DatabaseFiles.h"
#include "store/ExternalDatabase.h"
#include "store/SqlText.h"
#include "interaction/UserInterface.h"

namespace qh::records {

using store::ExternalDatabase;
using store::sqlText;

PaperGeometry paperGeometry(const QString& paper) {
    if (paper == QLatin1String("B")) return {1820, 2570, 74};
    return {2100, 2970, 84};
}

namespace {

bool headerFieldShown(ExternalDatabase& db, const QString& item) {
    const auto rs = db.Query(QStringLiteral("select * from 抬头 where 项目='") + sqlText(item) + QStringLiteral("'"));
    const bool shown = !db.IsEOF(rs) && db.Read(rs, QStringLiteral("选中")).toBool();
    db.CloseRecordSet(rs);
    return shown;
}

}  // namespace

TemplateSettings loadTemplateSettings() {
    TemplateSettings s;
    ExternalDatabase db;
    if (!store::openFile(db, store::DbFile::Main)) return s;
    const auto rs = db.Query(QStringLiteral("select * from 基础模板"));
    const bool a4 = db.IsEOF(rs) || db.Read(rs, QStringLiteral("纸张数据")).toBool();
    db.CloseRecordSet(rs);
    s.paper = a4 ? QStringLiteral("A") : QStringLiteral("B");
    s.baseColumn = a4 ? QStringLiteral("A4数据") : QStringLiteral("B5数据");
    s.header.name = headerFieldShown(db, QStringLiteral("姓名"));
    s.header.department = headerFieldShown(db, QStringLiteral("科室"));
    s.header.room = headerFieldShown(db, QStringLiteral("病室"));
    s.header.bed = headerFieldShown(db, QStringLiteral("床号"));
    s.header.number = headerFieldShown(db, QStringLiteral("住院号"));
    db.Close();
    return s;
}

AddMenu buildAddMenu(const QString& paper) {
    AddMenu menu;
    ExternalDatabase db;
    if (!store::openFile(db, store::DbFile::Main)) return menu;
    const auto rs = db.Query(QStringLiteral("select * from GSMB  where 选中=true AND 纸张='") + sqlText(paper) +
                             QStringLiteral("' order by 顺序"));
    while (!db.IsEOF(rs) && menu.items.size() < kAddMenuSize) {
        menu.items.append({db.Read(rs, QStringLiteral("病历标题")).toText(), db.Read(rs, QStringLiteral("检索")).toText()});
        db.MoveNext(rs);
    }
    db.CloseRecordSet(rs);
    db.Close();
    return menu;
}

QString recordKeyForPatient(const QString& itemKey, const QString& sex) {
    static const QString kFamily = QStringLiteral("住院病历");
    if (!itemKey.endsWith(kFamily)) return itemKey;
    return sex + itemKey.right(6);
}

QVector<TemplateEntry> listAllTemplates(const QString& paper) {
    QVector<TemplateEntry> entries;
    ExternalDatabase db;
    if (!store::openFile(db, store::DbFile::Main)) return entries;
    const auto rs = db.Query(QStringLiteral("select * from  GSMB WHERE 纸张='") + sqlText(paper) +
                             QStringLiteral("'  order by 顺序 ASC"));
    for (; !db.IsEOF(rs); db.MoveNext(rs)) {
        // The common page header is a template row too, but no record is made from it.
        if (db.Read(rs, QStringLiteral("检索")).toText() == kCommonHeaderKey) continue;
        entries.append({db.Read(rs, QStringLiteral("标题")).toText(), db.Read(rs, QStringLiteral("编号")).toInt()});
    }
    db.CloseRecordSet(rs);
    db.Close();
    return entries;
}

bool addFromList(qint64 id, ui::UserInterface& ui, const std::function<void(const QString& key)>& create) {
    if (id <= 0) {
        ui.messageBox(QStringLiteral("青禾电子病历"), QStringLiteral("请正确选择要添加模板。"));
        return false;
    }
    ExternalDatabase db;
    if (!store::openFile(db, store::DbFile::Main)) return false;
    const auto rs = db.Query(QStringLiteral("select * from GSMB where 编号=") + QString::number(id));
    const bool found = !db.IsEOF(rs);
    const QString key = db.Read(rs, QStringLiteral("检索")).toText();
    db.CloseRecordSet(rs);
    db.Close();
    if (!found) {
        ui.messageBox(QStringLiteral("青禾电子病历"), QStringLiteral("请正确选择要添加模板。"));
        return false;
    }
    if (create) create(key);
    return true;
}

QStringList listRecordTitles(const QString& paper) {
    QStringList titles;
    ExternalDatabase db;
    if (!store::openFile(db, store::DbFile::Main)) return titles;
    const auto rs = db.Query(QStringLiteral("select 病历标题 from GSMB WHERE 纸张='") + sqlText(paper) +
                             QStringLiteral("' group by 病历标题 order by avg(顺序)"));
    for (; !db.IsEOF(rs); db.MoveNext(rs)) titles << db.Read(rs, 1).toText();
    db.CloseRecordSet(rs);
    db.Close();
    return titles;
}

}  // namespace qh::records
