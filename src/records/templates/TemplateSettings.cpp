#include "records/templates/TemplateSettings.h"

#include "store/Connection.h"
#include "interaction/UserInterface.h"

namespace qh::records {

PaperGeometry paperGeometry(const QString& paper) {
    if (paper == QLatin1String("B")) return {1820, 2570, 74};
    return {2100, 2970, 84};
}

namespace {

bool headerFieldShown(store::Connection& db, const QString& item) {
    // A field without its row is not shown (the empty row reads as false).
    return db.query(QStringLiteral("select * from 抬头 where 项目=?"), {item}).first().boolean(QStringLiteral("选中"));
}

}  // namespace

TemplateSettings loadTemplateSettings(const store::DataDirectory& files) {
    TemplateSettings s;
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return s;
    const store::Row base = db.query(QStringLiteral("select * from 基础模板")).first();
    const bool a4 = !base.isValid() || base.boolean(QStringLiteral("纸张数据"));
    s.paper = a4 ? QStringLiteral("A") : QStringLiteral("B");
    s.baseColumn = a4 ? QStringLiteral("A4数据") : QStringLiteral("B5数据");
    s.header.name = headerFieldShown(db, QStringLiteral("姓名"));
    s.header.department = headerFieldShown(db, QStringLiteral("科室"));
    s.header.room = headerFieldShown(db, QStringLiteral("病室"));
    s.header.bed = headerFieldShown(db, QStringLiteral("床号"));
    s.header.number = headerFieldShown(db, QStringLiteral("住院号"));
    return s;
}

AddMenu buildAddMenu(const store::DataDirectory& files, const QString& paper) {
    AddMenu menu;
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return menu;
    for (const store::Row& row :
         db.query(QStringLiteral("select * from GSMB  where 选中=true AND 纸张=? order by 顺序"), {paper})) {
        if (menu.items.size() == kAddMenuSize) break;
        menu.items.append({row.text(QStringLiteral("病历标题")), row.text(QStringLiteral("检索"))});
    }
    return menu;
}

QString recordKeyForPatient(const QString& itemKey, const QString& sex) {
    static const QString kFamily = QStringLiteral("住院病历");
    if (!itemKey.endsWith(kFamily)) return itemKey;
    return sex + itemKey.right(6);
}

QVector<TemplateEntry> listAllTemplates(const store::DataDirectory& files, const QString& paper) {
    QVector<TemplateEntry> entries;
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return entries;
    for (const store::Row& row :
         db.query(QStringLiteral("select * from  GSMB WHERE 纸张=?  order by 顺序 ASC"), {paper})) {
        // The common page header is a template row too, but no record is made from it.
        if (row.text(QStringLiteral("检索")) == kCommonHeaderKey) continue;
        entries.append({row.text(QStringLiteral("标题")), row.integer(QStringLiteral("编号"))});
    }
    return entries;
}

bool addFromList(const store::DataDirectory& files, qint64 id, ui::UserInterface& ui,
                 const std::function<void(const QString& key)>& create) {
    const auto refuse = [&ui] {
        ui.messageBox(QStringLiteral("青禾电子病历"), QStringLiteral("请正确选择要添加模板。"));
        return false;
    };
    if (id <= 0) return refuse();
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return false;
    const store::Row row = db.query(QStringLiteral("select * from GSMB where 编号=?"), {id}).first();
    db.close();
    if (!row.isValid()) return refuse();
    if (create) create(row.text(QStringLiteral("检索")));
    return true;
}

QStringList listRecordTitles(const store::DataDirectory& files, const QString& paper) {
    QStringList titles;
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) return titles;
    for (const store::Row& row : db.query(
             QStringLiteral("select 病历标题 from GSMB WHERE 纸张=? group by 病历标题 order by avg(顺序)"), {paper}))
        titles << row.text(QStringLiteral("病历标题"));
    return titles;
}

}  // namespace qh::records
