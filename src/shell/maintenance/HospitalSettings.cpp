#include "shell/maintenance/HospitalSettings.h"

#include <QSet>

#include "shell/MainCommands.h"
#include "shell/maintenance/UserAccounts.h"
#include "store/Connection.h"

namespace qh::shell {

namespace {

// A pick list: where it lives and what its save says.
struct ListTab {
    SettingsTab tab;
    store::DbFile file;
    QString note;     // 备注
    QString saved;    // the message after saving, without "保存成功！"
};

const QVector<ListTab>& listTabs() {
    static const QVector<ListTab> tabs{
        {SettingsTab::Diagnoses, store::DbFile::Coding, QStringLiteral("疾病名称"), QStringLiteral("诊断信息")},
        {SettingsTab::Complaints, store::DbFile::Coding, QStringLiteral("主诉"), QStringLiteral("主诉信息")},
        {SettingsTab::Addresses, store::DbFile::Coding, QStringLiteral("联系地址"), QStringLiteral("联系地址")},
        {SettingsTab::TextOrders, store::DbFile::Coding, QStringLiteral("文字医嘱"), QStringLiteral("文字医嘱")},
        {SettingsTab::OrderUsages, store::DbFile::Main, QStringLiteral("医嘱用法"), QStringLiteral("医嘱用法")},
        {SettingsTab::OrderFrequencies, store::DbFile::Main, QStringLiteral("医嘱频次"), QStringLiteral("医嘱频次")},
        {SettingsTab::HerbalUsages, store::DbFile::Main, QStringLiteral("中药用法"), QStringLiteral("草药用法")},
        {SettingsTab::DrugForms, store::DbFile::Main, QStringLiteral("药品剂型"), QStringLiteral("药品剂型")},
        {SettingsTab::DoseUnits, store::DbFile::Main, QStringLiteral("剂量单位"), QStringLiteral("剂量单位")},
        {SettingsTab::DrugClasses, store::DbFile::Main, QStringLiteral("药品分类"), QStringLiteral("药品分类")},
    };
    return tabs;
}

const ListTab* listTab(SettingsTab tab) {
    for (const ListTab& l : listTabs())
        if (l.tab == tab) return &l;
    return nullptr;
}

const QStringList kPaperChoices{QStringLiteral("A4"), QStringLiteral("B5")};
const QStringList kFrontPageChoices{QStringLiteral("西医病案首页"), QStringLiteral("中医病案首页")};

bool marked(const QString& cell) {
    const QString t = cell.trimmed();
    return t == kMark || t == QLatin1String("1");
}

// A whole number of beds; an empty cell is none.
bool wholeNumber(const QString& text, qint64* value) {
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        *value = 0;
        return true;
    }
    bool ok = false;
    *value = t.toLongLong(&ok);
    return ok && *value >= 0;
}

// 备份 holds one row; a file without it gets one instead of an update of nothing.
bool writeSettingsRow(store::Connection& db, const QStringList& columns, const store::Params& values) {
    if (db.query(QStringLiteral("select count(*) from 备份")).first().value(0).toInt() == 0) {
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i) marks << QStringLiteral("?");
        return db.execute(QStringLiteral("insert into 备份 (%1) values (%2)").arg(columns.join(','), marks.join(',')), values)
            .changed();
    }
    QStringList sets;
    for (const QString& c : columns) sets << c + QStringLiteral("=?");
    return db.execute(QStringLiteral("UPDATE 备份 SET ") + sets.join(','), values).changed();
}

}  // namespace

const SettingsTabInfo& settingsTabInfo(SettingsTab tab) {
    static const QVector<SettingsTabInfo> infos{
        {QStringLiteral("医院名称"), {QStringLiteral("编号"), QStringLiteral("医 院 名 称"), QStringLiteral("机构代码")},
         QStringLiteral("双击医院名称行，进入编辑状态后输入医院名称，输入完毕后鼠标在空白处点击，结束编辑状态然后再保存。保存组织机构代码主要用于首页填写。")},
        {QStringLiteral("科室设置"),
         {QStringLiteral("编号"), QStringLiteral("科室名称"), QStringLiteral("床位数"), QStringLiteral("设为默认")},
         QStringLiteral("在此可以维护医院临床科室，可随意添加、删除科室。输入科室床位数后便于统计功能。鼠标双击可设置默认科室，设置默认科室后。每次登陆系统时会自动选择默认科室。"),
         true},
        {QStringLiteral("用户权限"),
         QStringList{QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("级别"), QStringLiteral("科室")} +
             kRightCaptions,
         QStringLiteral("在此可设置每个用户的权限，如果要添加、删除用户。请进入 维护-用户密码窗口设置。")},
        {QStringLiteral("诊断名称"), {QStringLiteral("编号"), QStringLiteral("常 用 诊 断")},
         QStringLiteral("此处维护的诊断信息，在添加患者窗口中可选择。"), true},
        {QStringLiteral("常用主诉"), {QStringLiteral("编号"), QStringLiteral("常 用 主 诉")},
         QStringLiteral("此处维护的主诉信息，在添加患者窗口中可选择。"), true},
        {QStringLiteral("常用地址"), {QStringLiteral("编号"), QStringLiteral("常 用 地 址")},
         QStringLiteral("此处维护的地址信息，在添加患者窗口中可选择。"), true},
        {QStringLiteral("医嘱用法"), {QStringLiteral("编号"), QStringLiteral("医 嘱 用 法"), QStringLiteral("说   明")},
         QStringLiteral("此处维护的医嘱用法信息，为开具医嘱时选择项。"), true},
        {QStringLiteral("医嘱频次"),
         {QStringLiteral("编号"), QStringLiteral("医 嘱 频 次"), QStringLiteral("说明"), QStringLiteral("每日次数")},
         QStringLiteral("此处维护的医嘱频次信息，为开具医嘱时选择项。"), true},
        {QStringLiteral("草药用法"), {QStringLiteral("编号"), QStringLiteral("草 药 用 法")},
         QStringLiteral("此处维护的草药用法信息，为开具医嘱时选择项。"), true},
        {QStringLiteral("文字医嘱"), {QStringLiteral("编号"), QStringLiteral("文 字 医 嘱")},
         QStringLiteral("此处维护的文字医嘱信息，为开具医嘱时选择项。"), true},
        {QStringLiteral("格式纸张"), {QStringLiteral("编号"), QStringLiteral("纸 张 格 式"), QStringLiteral("选中")},
         QStringLiteral("此处维护医院病历纸张大小格式")},
        {QStringLiteral("页眉项目"), {QStringLiteral("编号"), QStringLiteral("页 眉 项 目"), QStringLiteral("显示")},
         QStringLiteral("此处维护病历页眉中显示的项目，此处显示项目，前提为格式模版中选中【添加页眉】")},
        {QStringLiteral("药品剂型"), {QStringLiteral("编号"), QStringLiteral("药 品 剂 型")},
         QStringLiteral("此处维护的药品剂型信息，维护药品字典是使用。"), true},
        {QStringLiteral("剂量单位"), {QStringLiteral("编号"), QStringLiteral("剂 量 单 位")},
         QStringLiteral("此处维护的剂量单位信息，为维护药品字典时选项。"), true},
        {QStringLiteral("药品分类"), {QStringLiteral("编号"), QStringLiteral("药 品 分 类")},
         QStringLiteral("此处维护的药品分类信息，为维护药品字典时选项。"), true},
        {QStringLiteral("病历首页"), {QStringLiteral("编号"), QStringLiteral("病 历 首 页"), QStringLiteral("选中")},
         QStringLiteral("此处维护医院病历首页内容")},
    };
    return infos[int(tab)];
}

HospitalSettings::HospitalSettings(const store::DataDirectory& files, const UserContext& user, ui::UserInterface& ui,
                                   std::function<void(const UserContext&)> userChanged)
    : files_(files), user_(user), ui_(ui), userChanged_(std::move(userChanged)) {
    for (int i = 0; i < kSettingsTabCount; ++i) {
        const SettingsTabInfo& info = settingsTabInfo(SettingsTab(i));
        grids_[i] = std::make_unique<ui::DataGrid>(int(info.columns.size()));
        grids_[i]->setHeader(info.columns);
        grids_[i]->setEditable(true);
    }
}

HospitalSettings::~HospitalSettings() = default;

void HospitalSettings::keepEmptyLastRow(ui::DataGrid& grid) {
    const int last = grid.rows() - 1;
    bool empty = last >= 1;
    for (int c = 1; empty && c < grid.cols(); ++c) empty = grid.text(last, c).trimmed().isEmpty();
    if (empty) return;
    const int r = grid.addRow();
    grid.setText(r, 0, QString::number(r));
}

int HospitalSettings::dataRows(SettingsTab tab) const {
    const ui::DataGrid& g = *grids_[size_t(tab)];
    return settingsTabInfo(tab).growing ? g.rows() - 2 : g.rows() - 1;
}

bool HospitalSettings::refuse(const QString& text) {
    ui_.messageDialog(text);
    return false;
}

bool HospitalSettings::load() {
    if (!requireRight(user_.XTGL, ui_)) return false;
    for (int i = 0; i < kSettingsTabCount; ++i) loadTab(SettingsTab(i));
    return true;
}

bool HospitalSettings::loadTab(SettingsTab tab) {
    ui::DataGrid& g = grid(tab);
    g.clearRows();
    auto add = [&g](const QStringList& cells, const QVariant& key = {}) {
        const int r = g.addRow(QStringList{QString::number(g.rows())} + cells);
        g.setRowValue(r, key);
    };
    if (const ListTab* list = listTab(tab)) {
        store::Connection db = store::Connection::open(files_, list->file);
        const bool phrases = list->file == store::DbFile::Coding;
        const QString sql = phrases ? QStringLiteral("select * from 系统设置 where 备注=? order by 编号")
                                    : QStringLiteral("select * from xmzdb where 备注=? order by 参数值, 编号");
        for (const store::Row& row : db.query(sql, {list->note})) {
            if (phrases) add({row.text(QStringLiteral("项目"))});
            else if (tab == SettingsTab::OrderUsages)
                add({row.text(QStringLiteral("参数名称")), row.text(QStringLiteral("说明"))});
            else if (tab == SettingsTab::OrderFrequencies)
                add({row.text(QStringLiteral("参数名称")), row.text(QStringLiteral("说明")),
                     row.value(QStringLiteral("数量")).isNull() ? QString() : QString::number(row.real(QStringLiteral("数量")))});
            else add({row.text(QStringLiteral("参数名称"))});
        }
        keepEmptyLastRow(g);
        return db.isOpen();
    }
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    switch (tab) {
    case SettingsTab::Hospital: {
        const store::Row row = db.query(QStringLiteral("select * from 备份")).first();
        add({row.text(QStringLiteral("医院名称")), row.text(QStringLiteral("IP地址"))});
        break;
    }
    case SettingsTab::Departments:
        for (const store::Row& row : db.query(QStringLiteral("select * from 科室 order by 编号")))
            add({row.text(QStringLiteral("科室")), QString::number(row.integer(QStringLiteral("床位"))),
                 row.text(QStringLiteral("默认")).trimmed() == kMark ? kMark : QString()},
                row.integer(QStringLiteral("编号")));
        keepEmptyLastRow(g);
        break;
    case SettingsTab::Users:
        for (const store::Row& row : db.query(QStringLiteral("select * from 用户"))) {
            QStringList cells{row.text(QStringLiteral("用户")), row.text(QStringLiteral("级别")), row.text(QStringLiteral("科室"))};
            for (const QString& c : kRightColumns) cells << (row.boolean(c) ? kMark : QString());
            add(cells, row.integer(QStringLiteral("编号")));
        }
        break;
    case SettingsTab::Paper: {
        const store::Row row = db.query(QStringLiteral("select 纸张数据 from 基础模板")).first();
        const bool a4 = !row.isValid() || row.boolean(QStringLiteral("纸张数据"));
        add({kPaperChoices[0], a4 ? kMark : QString()});
        add({kPaperChoices[1], a4 ? QString() : kMark});
        break;
    }
    case SettingsTab::HeaderItems:
        for (const store::Row& row : db.query(QStringLiteral("select * from 抬头 order by 编号")))
            add({row.text(QStringLiteral("项目")), row.boolean(QStringLiteral("选中")) ? kMark : QString()},
                row.integer(QStringLiteral("编号")));
        break;
    case SettingsTab::FrontPage: {
        const int format = int(db.query(QStringLiteral("select * from 备份")).first().integer(QStringLiteral("精灵狗")));
        add({kFrontPageChoices[0], format != 2 ? kMark : QString()});
        add({kFrontPageChoices[1], format == 2 ? kMark : QString()});
        break;
    }
    default:
        break;
    }
    return db.isOpen();
}

bool HospitalSettings::toggleMark(SettingsTab tab, int row, int col) {
    ui::DataGrid& g = grid(tab);
    if (row < 1 || row >= g.rows()) return false;
    auto exclusive = [&g, row, col] {
        for (int r = 1; r < g.rows(); ++r) g.setText(r, col, r == row ? kMark : QString());
        return true;
    };
    auto toggle = [&g, row, col] {
        g.setText(row, col, marked(g.text(row, col)) ? QString() : kMark);
        return true;
    };
    switch (tab) {
    case SettingsTab::Departments:
        if (col != 3 || row == g.rows() - 1) return false;  // not the empty last row
        if (marked(g.text(row, col))) return toggle();      // unmarked again: no default
        return exclusive();
    case SettingsTab::Paper:
    case SettingsTab::FrontPage:
        return col == 2 && exclusive();
    case SettingsTab::HeaderItems:
        return col == 2 && toggle();
    case SettingsTab::Users:
        return col >= 4 && col < 12 && toggle();
    default:
        return false;
    }
}

bool HospitalSettings::save(SettingsTab tab) {
    if (!requireRight(user_.XTGL, ui_)) return false;
    if (listTab(tab)) return saveList(tab);
    switch (tab) {
    case SettingsTab::Hospital: return saveHospital();
    case SettingsTab::Departments: return saveDepartments();
    case SettingsTab::Users: return saveUsers();
    case SettingsTab::Paper: return savePaper();
    case SettingsTab::HeaderItems: return saveHeader();
    case SettingsTab::FrontPage: return saveFrontPage();
    default: return false;
    }
}

bool HospitalSettings::saveHospital() {
    const ui::DataGrid& g = grid(SettingsTab::Hospital);
    const QString name = g.text(1, 1).trimmed();
    const QString code = g.text(1, 2).trimmed();
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    const bool ok = db.isOpen() && writeSettingsRow(db, {QStringLiteral("医院名称"), QStringLiteral("IP地址")}, {name, code});
    if (!ok) return refuse(QStringLiteral("医院名称保存失败！"));
    ui_.messageDialog(QStringLiteral("医院名称保存成功！"));
    user_.hospitalName = name;
    user_.organisationCode = code;
    if (userChanged_) userChanged_(user_);
    return true;
}

bool HospitalSettings::saveDepartments() {
    const ui::DataGrid& g = grid(SettingsTab::Departments);
    struct Dept {
        qint64 id;
        QString name;
        qint64 beds;
        bool isDefault;
    };
    QVector<Dept> rows;
    QSet<QString> names;
    int defaults = 0;
    for (int r = 1; r <= dataRows(SettingsTab::Departments); ++r) {
        Dept d{g.rowValue(r).toLongLong(), g.text(r, 1).trimmed(), 0, marked(g.text(r, 3))};
        if (d.name.isEmpty() && g.text(r, 2).trimmed().isEmpty() && !d.isDefault && d.id == 0) continue;  // a blank row
        if (d.name.isEmpty()) return refuse(QStringLiteral("第%1行没有科室名称。").arg(r));
        if (!wholeNumber(g.text(r, 2), &d.beds))
            return refuse(QStringLiteral("科室“%1”的床位数应为整数：%2").arg(d.name, g.text(r, 2).trimmed()));
        if (names.contains(d.name)) return refuse(QStringLiteral("科室名称重复：") + d.name);
        names.insert(d.name);
        defaults += d.isDefault;
        rows << d;
    }
    if (defaults > 1) return refuse(QStringLiteral("只能设一个默认科室。"));

    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return refuse(QStringLiteral("科室信息保存失败！"));
    QHash<qint64, QString> stored;
    for (const store::Row& row : db.query(QStringLiteral("select * from 科室")))
        stored.insert(row.integer(QStringLiteral("编号")), row.text(QStringLiteral("科室")));
    QSet<qint64> kept;
    for (const Dept& d : rows) kept.insert(d.id);
    // A department still named by an account or holding patients on the ward stays.
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        if (kept.contains(it.key())) continue;
        const int users = db.query(QStringLiteral("select count(*) from 用户 where 科室=?"), {it.value()}).first().value(0).toInt();
        const int patients = db.query(QStringLiteral("select count(*) from 在院病人 where 科室=? and 状态 in ('在院','待结')"),
                                      {it.value()})
                                 .first()
                                 .value(0)
                                 .toInt();
        if (users > 0 || patients > 0)
            return refuse(QStringLiteral("科室“%1”还有%2个用户、%3位在院病人，不能删除。").arg(it.value()).arg(users).arg(patients));
    }
    store::Transaction tx(db);
    bool ok = true;
    for (auto it = stored.cbegin(); ok && it != stored.cend(); ++it)
        if (!kept.contains(it.key())) ok = db.execute(QStringLiteral("delete from 科室 where 编号=?"), {it.key()}).changed();
    for (const Dept& d : rows) {
        if (!ok) break;
        const QString mark = d.isDefault ? kMark : QString();
        if (d.id == 0 || !stored.contains(d.id)) {
            ok = db.execute(QStringLiteral("insert into 科室 (科室, 床位, 默认) values (?, ?, ?)"), {d.name, d.beds, mark}).changed();
            continue;
        }
        ok = db.execute(QStringLiteral("update 科室 set 科室=?, 床位=?, 默认=? where 编号=?"), {d.name, d.beds, mark, d.id}).ok;
        // A renamed department takes its accounts and patients along.
        const QString old = stored.value(d.id);
        if (ok && old != d.name)
            ok = db.execute(QStringLiteral("update 用户 set 科室=? where 科室=?"), {d.name, old}).ok &&
                 db.execute(QStringLiteral("update 在院病人 set 科室=? where 科室=?"), {d.name, old}).ok;
    }
    if (!ok || !tx.commit()) return refuse(QStringLiteral("科室信息保存失败！"));
    ui_.messageDialog(QStringLiteral("科室信息保存成功！"));
    // The logged-in department renamed: the banner and the lists follow it.
    for (const Dept& d : rows)
        if (stored.value(d.id) == user_.department && d.name != user_.department) {
            user_.department = d.name;
            if (userChanged_) userChanged_(user_);
            break;
        }
    loadTab(SettingsTab::Departments);  // new rows show their 编号
    return true;
}

bool HospitalSettings::saveUsers() {
    const ui::DataGrid& g = grid(SettingsTab::Users);
    int administrators = 0;
    QSet<QString> accounts;
    for (int r = 1; r <= dataRows(SettingsTab::Users); ++r) {
        const QString name = g.text(r, 1).trimmed();
        if (name.isEmpty() || g.text(r, 3).trimmed().isEmpty()) return refuse(QStringLiteral("第%1行的用户信息输入不全！").arg(r));
        const QString key = g.text(r, 3).trimmed() + QChar(0x1f) + name;
        if (accounts.contains(key)) return refuse(QStringLiteral("该用户已存在。") + name);
        accounts.insert(key);
        administrators += marked(g.text(r, 4));
    }
    if (administrators == 0 && g.rows() > 1) return refuse(kLastAdministratorText);

    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen()) return refuse(QStringLiteral("用户信息保存失败！"));
    store::Transaction tx(db);
    bool ok = true;
    for (int r = 1; ok && r <= dataRows(SettingsTab::Users); ++r) {
        const qint64 id = g.rowValue(r).toLongLong();
        const store::Row old = db.query(QStringLiteral("select * from 用户 where 编号=?"), {id}).first();
        store::Params params{g.text(r, 1).trimmed(), g.text(r, 2).trimmed(), g.text(r, 3).trimmed()};
        for (int c = 4; c < 12; ++c) params.emplace_back(marked(g.text(r, c)) ? QStringLiteral("1") : QStringLiteral("0"));
        params.emplace_back(id);
        ok = db.execute(QStringLiteral("UPDATE 用户 SET 用户=?,级别=?,科室=?,XTGL=?,SXBL=?,XGBL=?,CYBL=?,HZTW=?,YZCF=?,"
                                       "YZWH=?,TJCX=? WHERE 编号=?"),
                        params)
                 .changed();
        // A renamed doctor stays the responsible doctor of their patients.
        const QString oldName = old.text(QStringLiteral("用户"));
        if (ok && oldName != g.text(r, 1).trimmed())
            ok = db.execute(QStringLiteral("update 在院病人 set 主管医生=? where 主管医生=? and 科室=?"),
                            {g.text(r, 1).trimmed(), oldName, old.text(QStringLiteral("科室"))})
                     .ok;
    }
    if (!ok || !tx.commit()) return refuse(QStringLiteral("用户信息保存失败！"));
    ui_.messageDialog(QStringLiteral("用户信息保存成功！"));
    return true;
}

bool HospitalSettings::saveList(SettingsTab tab) {
    const ListTab& list = *listTab(tab);
    const ui::DataGrid& g = grid(tab);
    const QString failed = list.saved + QStringLiteral("保存失败！");
    struct Item {
        QString name, note;
        QVariant count;
    };
    QVector<Item> items;
    for (int r = 1; r <= dataRows(tab); ++r) {
        Item item{g.text(r, 1).trimmed(), g.cols() > 2 ? g.text(r, 2).trimmed() : QString(), {}};
        const QString count = g.cols() > 3 ? g.text(r, 3).trimmed() : QString();
        if (item.name.isEmpty() && item.note.isEmpty() && count.isEmpty()) continue;  // a blank row
        if (item.name.isEmpty()) return refuse(QStringLiteral("第%1行没有内容。").arg(r));
        if (tab == SettingsTab::OrderFrequencies && !count.isEmpty()) {
            bool number = false;
            const double n = count.toDouble(&number);
            if (!number || n < 0) return refuse(QStringLiteral("“%1”的每日次数应为数字：%2").arg(item.name, count));
            item.count = n;
        }
        items << item;
    }
    store::Connection db = store::Connection::open(files_, list.file);
    if (!db.isOpen()) return refuse(failed);
    store::Transaction tx(db);
    const bool phrases = list.file == store::DbFile::Coding;
    bool ok = db.execute(phrases ? QStringLiteral("delete from 系统设置 where 备注=?")
                                 : QStringLiteral("delete from xmzdb where 备注=?"),
                         {list.note})
                  .ok;
    // The lists are read in the order of 编号 (phrases) or 参数值: the row's place is kept.
    for (int i = 0; ok && i < items.size(); ++i) {
        const Item& it = items[i];
        if (phrases)
            ok = db.execute(QStringLiteral("insert into 系统设置 (项目, 备注) values (?, ?)"), {it.name, list.note}).changed();
        else
            ok = db.execute(QStringLiteral("insert into xmzdb (参数名称, 参数值, 备注, 说明, 数量) values (?, ?, ?, ?, ?)"),
                            {it.name, i + 1, list.note,
                             tab == SettingsTab::OrderUsages || tab == SettingsTab::OrderFrequencies ? store::Param(it.note)
                                                                                                     : store::Param(nullptr),
                             it.count.isValid() ? store::Param(it.count.toDouble()) : store::Param(nullptr)})
                     .changed();
    }
    if (!ok || !tx.commit()) return refuse(failed);
    ui_.messageDialog(list.saved + QStringLiteral("保存成功！"));
    return true;
}

bool HospitalSettings::savePaper() {
    const ui::DataGrid& g = grid(SettingsTab::Paper);
    const QString paper = marked(g.text(2, 2)) ? QStringLiteral("B") : QStringLiteral("A");
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen() || !db.execute(QStringLiteral("UPDATE 基础模板 SET 纸张数据=?"), {paper}).changed())
        return refuse(QStringLiteral("纸张格式保存失败！"));
    ui_.messageDialog(QStringLiteral("纸张格式保存成功！"));
    return true;
}

bool HospitalSettings::saveHeader() {
    const ui::DataGrid& g = grid(SettingsTab::HeaderItems);
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    bool ok = db.isOpen();
    store::Transaction tx(db);
    for (int r = 1; ok && r < g.rows(); ++r)
        ok = db.execute(QStringLiteral("UPDATE 抬头 SET 选中=? where 编号=?"),
                        {marked(g.text(r, 2)) ? kMark : QString(), g.rowValue(r).toLongLong()})
                 .changed();
    if (!ok || !tx.commit()) return refuse(QStringLiteral("页眉项目保存失败！"));
    ui_.messageDialog(QStringLiteral("页眉项目保存成功！"));
    return true;
}

bool HospitalSettings::saveFrontPage() {
    const int format = marked(grid(SettingsTab::FrontPage).text(2, 2)) ? 2 : 1;
    store::Connection db = store::Connection::open(files_, store::DbFile::Main);
    if (!db.isOpen() || !writeSettingsRow(db, {QStringLiteral("精灵狗")}, {format}))
        return refuse(QStringLiteral("病历首页格式保存失败！"));
    // The user's format follows only a stored change.
    user_.frontPageFormat = format;
    if (userChanged_) userChanged_(user_);
    ui_.messageDialog(QStringLiteral("病历首页格式保存成功！"));
    return true;
}

}  // namespace qh::shell
