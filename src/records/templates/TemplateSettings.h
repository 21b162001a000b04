#pragma once
// The ward's paper and page-header settings (基础模板, 抬头) and the lists of templates
// the main window offers for adding a record: the twenty Add-menu items and the list of
// all templates of the paper ("更多模板").
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

#include "store/DatabaseFiles.h"

namespace qh::ui {
class UserInterface;
}

namespace qh::records {

inline constexpr int kAddMenuSize = 20;
inline const QString kCommonHeaderKey = QStringLiteral("通用页眉");

// Which 抬头 fields the header line shows.
struct HeaderFlags {
    bool name = false, department = false, room = false, bed = false, number = false;
    static HeaderFlags all() { return {true, true, true, true, true}; }
};

struct TemplateSettings {
    QString paper = QStringLiteral("A");              // "A" (A4) or "B" (B5)
    QString baseColumn = QStringLiteral("A4数据");     // the base document of that paper
    HeaderFlags header;
};

// Paper sizes in 0.1 mm and the header line's width in GBK bytes, by paper letter.
struct PaperGeometry {
    int width, height, headerBytes;
};
PaperGeometry paperGeometry(const QString& paper);

// Reads the paper from 基础模板 and the five header flags from 抬头. A file that cannot be
// opened gives the defaults (A4, no header fields).
TemplateSettings loadTemplateSettings(const store::DataDirectory& files);

struct AddMenuItem {
    QString caption;  // 病历标题
    QString key;      // 检索
};
// The Add menu as data: at most twenty items, the first by 顺序 of the templates marked
// 选中 on the paper; the menu items past the last one are hidden.
struct AddMenu {
    QVector<AddMenuItem> items;
    bool visible(int index) const { return index >= 0 && index < items.size(); }
};
AddMenu buildAddMenu(const store::DataDirectory& files, const QString& paper);

// The key an Add-menu item hands to record creation: a key ending with 住院病历 picks the
// variant of the patient's sex (住院病历 becomes 男住院病历 for a male patient).
QString recordKeyForPatient(const QString& itemKey, const QString& sex);

struct TemplateEntry {
    QString caption;  // 标题
    qint64 id = 0;    // 编号
};
// Every template of the paper by 顺序, for adding one that is not in the Add menu.
QVector<TemplateEntry> listAllTemplates(const store::DataDirectory& files, const QString& paper);
// Reads the chosen template's key and hands it to `create`; with no row chosen (id 0) it
// tells the user instead, and so when the row is gone meanwhile. False when nothing was
// handed on.
bool addFromList(const store::DataDirectory& files, qint64 id, ui::UserInterface& ui,
                 const std::function<void(const QString& key)>& create);

// The distinct record titles of the paper, ordered by the average 顺序 of their templates.
QStringList listRecordTitles(const store::DataDirectory& files, const QString& paper);

}  // namespace qh::records
