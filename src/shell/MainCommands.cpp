#include "shell/MainCommands.h"

namespace qh::shell {

QString cmd::addItem(int index) { return QStringLiteral("add.%1").arg(index); }

QVector<MenuDef> mainMenus() {
    QVector<CommandItem> add;
    for (int i = 1; i <= kAddMenuItems; ++i) add.push_back({cmd::addItem(i), QStringLiteral("模板%1").arg(i)});
    add.push_back({cmd::MoreTemplates, QStringLiteral("更多模板")});
    return {
        {QStringLiteral("文件"),
         {{cmd::OpenFile, QStringLiteral("打开文件")},
          {cmd::SaveRecord, QStringLiteral("保存病历")},
          {cmd::SaveAs, QStringLiteral("另存为..")},
          {cmd::PrintRecord, QStringLiteral("打印病历")},
          {cmd::ContinuePrint, QStringLiteral("续打病历")},
          {cmd::Exit, QStringLiteral("退出系统")}}},
        {QStringLiteral("病历"),
         {{cmd::Admit, QStringLiteral("登记患者")},
          {cmd::DeletePatient, QStringLiteral("删除患者")},
          {cmd::Pending, QStringLiteral("患者待结")},
          {cmd::Discharge, QStringLiteral("病历出科")},
          {cmd::Return, QStringLiteral("患者返院")}}},
        {QStringLiteral("添加"), add},
        {QStringLiteral("修订"),
         {{QStringLiteral("revision.accept"), QStringLiteral("接受修订")},
          {QStringLiteral("revision.acceptAll"), QStringLiteral("接受所有")},
          {QStringLiteral("revision.reject"), QStringLiteral("拒绝修订")},
          {QStringLiteral("revision.rejectAll"), QStringLiteral("拒绝所有")}}},
        {QStringLiteral("编辑"),
         {{QStringLiteral("edit.cut"), QStringLiteral("剪切")},
          {QStringLiteral("edit.copy"), QStringLiteral("复制")},
          {QStringLiteral("edit.paste"), QStringLiteral("粘贴")},
          {QStringLiteral("edit.undo"), QStringLiteral("撤销")},
          {QStringLiteral("edit.redo"), QStringLiteral("返回")},
          {QStringLiteral("edit.replace"), QStringLiteral("替换")},
          {QStringLiteral("edit.font"), QStringLiteral("字体")},
          {QStringLiteral("edit.character"), QStringLiteral("字符")},
          {QStringLiteral("edit.picture"), QStringLiteral("图片")}}},
        {QStringLiteral("业务"),
         {{cmd::DiseaseInfo, QStringLiteral("诊疗常规")},
          {cmd::DrugReference, QStringLiteral("用药参考")},
          {cmd::Statistics, QStringLiteral("统计数据")},
          {cmd::InfusionCards, QStringLiteral("输 液 卡")}}},
        {QStringLiteral("维护"),
         {{cmd::Users, QStringLiteral("用户密码")},
          {cmd::Settings, QStringLiteral("系统设置")},
          {cmd::DrugCatalogue, QStringLiteral("药品字典")},
          {cmd::FeeItems, QStringLiteral("收费项目")},
          {cmd::FormatTemplates, QStringLiteral("格式模板")}}},
        {QStringLiteral("帮助"),
         {{cmd::Help, QStringLiteral("使用说明")},
          {cmd::Backup, QStringLiteral("数据备份")},
          {cmd::Restore, QStringLiteral("数据还原")}}},
    };
}

QVector<CommandItem> patientListMenu() {
    return {
        {cmd::RecordsPage, QStringLiteral("患者病历")},
        {cmd::OrdersPage, QStringLiteral("医嘱处理")},
        {cmd::OrderSheets, QStringLiteral("医 嘱 单")},
        {cmd::ChartPage, QStringLiteral("体 温 单")},
        {cmd::FrontPage, QStringLiteral("住院首页")},
        {QString(), QString()},
        {cmd::Pending, QStringLiteral("患者待结")},
        {cmd::Discharge, QStringLiteral("患者出院")},
        {cmd::Return, QStringLiteral("患者返院")},
        {cmd::Transfer, QStringLiteral("患者转科")},
        {cmd::DeletePatient, QStringLiteral("删除患者")},
        {QString(), QString()},
        {cmd::NewLibraryTemplate, QStringLiteral("新增模板")},
    };
}

QVector<CommandItem> commandPanel() {
    return {
        {cmd::Admit, QStringLiteral("登记患者")},
        {cmd::Pending, QStringLiteral("患者待结")},
        {cmd::Discharge, QStringLiteral("患者出院")},
        {cmd::Return, QStringLiteral("患者返院")},
        {cmd::Users, QStringLiteral("用户管理")},
        {cmd::Settings, QStringLiteral("系统设置")},
        {cmd::Backup, QStringLiteral("数据备份")},
        {cmd::Restore, QStringLiteral("数据还原")},
        {cmd::Statistics, QStringLiteral("统计数据")},
        {cmd::DiseaseInfo, QStringLiteral("诊疗常规")},
        {cmd::DrugReference, QStringLiteral("用药参考")},
        {cmd::Help, QStringLiteral("使用说明")},
    };
}

bool commandAllowed(const QString& id, const UserContext& user) {
    if (id == cmd::Settings || id == cmd::Backup || id == cmd::Restore) return user.XTGL;
    if (id == cmd::Statistics) return user.TJCX;
    return true;
}

bool requireRight(bool has, ui::UserInterface& ui) {
    if (!has) ui.messageDialog(kNoRightText);
    return has;
}

bool commandVisible(const QString& id, const UserContext& user, PatientStatus status) {
    // The panel keeps its user-account entry for administrators; the menu bar offers it to all.
    if (!user.XTGL && id == cmd::Users) return false;
    if (!commandAllowed(id, user)) return false;
    switch (status) {
    case PatientStatus::InWard:
        return id != cmd::Return;
    case PatientStatus::Pending:
        return id != cmd::Pending;
    case PatientStatus::Discharged:
        return id != cmd::Discharge;
    case PatientStatus::None:
        break;
    }
    return true;
}

bool offersSaveFirst(const QString& id) {
    // Leaving the record page for another page counts too: the open document is offered
    // for saving before the orders, the chart or the front page take its place.
    static const QStringList ids{cmd::DiseaseInfo, cmd::DrugReference, cmd::Statistics, cmd::InfusionCards,
                                 cmd::Settings,    cmd::DrugCatalogue, cmd::FeeItems,   cmd::FormatTemplates,
                                 cmd::OrdersPage,  cmd::ChartPage,     cmd::FrontPage,      cmd::OrderSheets};
    return ids.contains(id);
}

}  // namespace qh::shell
