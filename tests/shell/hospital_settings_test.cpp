// The settings page's tabs: what they load, how each save checks the grid first and writes
// in one transaction, departments saved by difference.
#include "ward_fixture.h"
#include "shell/maintenance/HospitalSettings.h"
#include "shell/maintenance/UserAccounts.h"
#include "interaction/ScriptedUserInterface.h"
#include "store/Connection.h"

namespace qh::shell {
namespace {

class SettingsTest : public test::WardFixture {
protected:
    void SetUp() override {
        WardFixture::SetUp();
        addDepartment("内科", "√");
        addDepartment("外科");
        addDepartment("五官科");
        addUser("管理员", "内科", "pw", "11111111");
        addUser("外科医生", "外科", "pw", "01000000");
        admin_.department = "内科";
        admin_.grantAll();
    }
    QString one(const QString& sql, store::DbFile f = store::DbFile::Main) {
        store::Connection db = store::Connection::open(files(), f);
        return db.query(sql).first().value(0).toText();
    }
    QStringList column(const QString& sql, store::DbFile f = store::DbFile::Main) {
        store::Connection db = store::Connection::open(files(), f);
        QStringList out;
        for (const store::Row& row : db.query(sql)) out << row.value(0).toText();
        return out;
    }
    // Types into the empty last row of a growing grid, as the page does.
    static void append(ui::DataGrid& g, const QStringList& cells) {
        const int r = g.rows() - 1;
        for (int c = 0; c < cells.size(); ++c) g.setText(r, c + 1, cells[c]);
        HospitalSettings::keepEmptyLastRow(g);
    }
    static int rowOf(const ui::DataGrid& g, const QString& name) {
        for (int r = 1; r < g.rows(); ++r)
            if (g.text(r, 1) == name) return r;
        return -1;
    }
    ui::ScriptedUserInterface ui_;
    UserContext admin_;
};

TEST_F(SettingsTest, HospitalNameMakesTheMissingRowAndReachesTheUser) {
    UserContext changed;
    HospitalSettings settings(files(), admin_, ui_, [&](const UserContext& u) { changed = u; });
    ASSERT_TRUE(settings.load());
    settings.grid(SettingsTab::Hospital).setText(1, 1, " 青禾县人民医院 ");
    settings.grid(SettingsTab::Hospital).setText(1, 2, "45012377-X");
    ASSERT_TRUE(settings.save(SettingsTab::Hospital));
    EXPECT_EQ(ui_.lastText(), "医院名称保存成功！");
    EXPECT_EQ(one("select count(*) from 备份"), "1");
    EXPECT_EQ(one("select 医院名称 from 备份"), "青禾县人民医院");
    EXPECT_EQ(changed.hospitalName, "青禾县人民医院");
    EXPECT_EQ(changed.organisationCode, "45012377-X");

    // The front-page format follows only a stored change.
    settings.toggleMark(SettingsTab::FrontPage, 2, 2);
    ASSERT_TRUE(settings.save(SettingsTab::FrontPage));
    EXPECT_EQ(one("select 精灵狗 from 备份"), "2");
    EXPECT_EQ(changed.frontPageFormat, 2);
    EXPECT_EQ(one("select 医院名称 from 备份"), "青禾县人民医院");
}

TEST_F(SettingsTest, DepartmentsAreSavedByDifferenceAndRenamesCarry) {
    addPatient({.name = "张三", .department = "内科", .doctor = "管理员"});
    UserContext changed;
    HospitalSettings settings(files(), admin_, ui_, [&](const UserContext& u) { changed = u; });
    ASSERT_TRUE(settings.load());
    ui::DataGrid& g = settings.grid(SettingsTab::Departments);
    const QString innerId = one("select 编号 from 科室 where 科室='内科'");
    g.setText(rowOf(g, "内科"), 1, "心内科");
    g.removeRow(rowOf(g, "五官科"));
    append(g, {"儿科", "20"});
    settings.toggleMark(SettingsTab::Departments, rowOf(g, "儿科"), 3);  // the one default moves
    ASSERT_TRUE(settings.save(SettingsTab::Departments));
    EXPECT_EQ(ui_.lastText(), "科室信息保存成功！");
    EXPECT_EQ(column("select 科室 from 科室 order by 编号"), (QStringList{"心内科", "外科", "儿科"}));
    EXPECT_EQ(one("select 编号 from 科室 where 科室='心内科'"), innerId);  // kept its 编号
    EXPECT_EQ(column("select 科室 from 科室 where 默认='√'"), QStringList{"儿科"});
    EXPECT_EQ(one("select 床位 from 科室 where 科室='儿科'"), "20");
    EXPECT_EQ(one("select 科室 from 用户 where 用户='管理员'"), "心内科");
    EXPECT_EQ(one("select 科室 from 在院病人 where 姓名='张三'"), "心内科");
    EXPECT_FALSE(g.rowValue(rowOf(g, "儿科")).isNull());  // read back with its new 编号
    EXPECT_EQ(changed.department, "心内科");  // the logged-in department was renamed
}

TEST_F(SettingsTest, DepartmentRefusalsChangeNothing) {
    HospitalSettings settings(files(), admin_, ui_);
    ASSERT_TRUE(settings.load());
    ui::DataGrid& g = settings.grid(SettingsTab::Departments);
    const QStringList before = column("select 科室 || '/' || 床位 || '/' || 默认 from 科室 order by 编号");

    g.setText(rowOf(g, "外科"), 2, "3.5");
    EXPECT_FALSE(settings.save(SettingsTab::Departments));
    EXPECT_TRUE(ui_.lastText().contains("整数"));
    g.setText(rowOf(g, "外科"), 2, "40");

    g.setText(rowOf(g, "五官科"), 3, "√");  // typed: a second default
    EXPECT_FALSE(settings.save(SettingsTab::Departments));
    EXPECT_EQ(ui_.lastText(), "只能设一个默认科室。");
    g.setText(rowOf(g, "五官科"), 3, "");

    const int ent = rowOf(g, "五官科");
    g.setText(ent, 1, "外科");
    EXPECT_FALSE(settings.save(SettingsTab::Departments));
    EXPECT_TRUE(ui_.lastText().contains("重复"));
    g.setText(ent, 1, "五官科");

    g.removeRow(rowOf(g, "外科"));  // 外科医生 still belongs there
    EXPECT_FALSE(settings.save(SettingsTab::Departments));
    EXPECT_TRUE(ui_.lastText().contains("不能删除"));
    EXPECT_EQ(column("select 科室 || '/' || 床位 || '/' || 默认 from 科室 order by 编号"), before);
}

TEST_F(SettingsTest, PickListsKeepTheirOrderAndAreCheckedBeforeAnythingIsDeleted) {
    HospitalSettings settings(files(), admin_, ui_);
    ASSERT_TRUE(settings.load());
    ui::DataGrid& freq = settings.grid(SettingsTab::OrderFrequencies);
    append(freq, {"TID", "每日三次", "3"});
    append(freq, {"BID", "每日两次", "2"});
    append(freq, {"QD", "每日一次", "1"});
    ASSERT_TRUE(settings.save(SettingsTab::OrderFrequencies));
    EXPECT_EQ(ui_.lastText(), "医嘱频次保存成功！");
    EXPECT_EQ(column("select 参数名称 from xmzdb where 备注='医嘱频次' order by 参数值"), (QStringList{"TID", "BID", "QD"}));
    EXPECT_EQ(one("select 数量 from xmzdb where 参数名称='TID'"), "3");

    freq.setText(2, 3, "两次");  // not a number: the stored list stays whole
    EXPECT_FALSE(settings.save(SettingsTab::OrderFrequencies));
    EXPECT_TRUE(ui_.lastText().contains("每日次数"));
    EXPECT_EQ(one("select count(*) from xmzdb where 备注='医嘱频次'"), "3");

    ui::DataGrid& diag = settings.grid(SettingsTab::Diagnoses);
    append(diag, {"高血压"});
    append(diag, {"肺炎"});
    ASSERT_TRUE(settings.save(SettingsTab::Diagnoses));
    EXPECT_EQ(ui_.lastText(), "诊断信息保存成功！");
    ASSERT_TRUE(settings.load());
    EXPECT_EQ(settings.grid(SettingsTab::Diagnoses).text(1, 1), "高血压");
    EXPECT_EQ(settings.grid(SettingsTab::Diagnoses).text(2, 1), "肺炎");
    // Only the empty last row left: the list is emptied.
    settings.grid(SettingsTab::Diagnoses).clearRows();
    HospitalSettings::keepEmptyLastRow(settings.grid(SettingsTab::Diagnoses));
    ASSERT_TRUE(settings.save(SettingsTab::Diagnoses));
    EXPECT_EQ(one("select count(*) from 系统设置 where 备注='疾病名称'", store::DbFile::Coding), "0");
}

TEST_F(SettingsTest, UserRightsKeepAnAdministratorAndRenamesCarryToPatients) {
    addPatient({.name = "李四", .department = "外科", .doctor = "外科医生"});
    HospitalSettings settings(files(), admin_, ui_);
    ASSERT_TRUE(settings.load());
    ui::DataGrid& g = settings.grid(SettingsTab::Users);
    const int adminRow = rowOf(g, "管理员"), surgeonRow = rowOf(g, "外科医生");
    settings.toggleMark(SettingsTab::Users, adminRow, 4);  // XTGL off for the only holder
    EXPECT_FALSE(settings.save(SettingsTab::Users));
    EXPECT_EQ(ui_.lastText(), kLastAdministratorText);
    EXPECT_EQ(one("select XTGL from 用户 where 用户='管理员'"), "1");

    settings.toggleMark(SettingsTab::Users, surgeonRow, 4);  // another administrator first
    g.setText(surgeonRow, 1, "外科主任");
    ASSERT_TRUE(settings.save(SettingsTab::Users));
    EXPECT_EQ(ui_.lastText(), "用户信息保存成功！");
    EXPECT_EQ(one("select XTGL from 用户 where 用户='管理员'"), "0");
    EXPECT_EQ(one("select XTGL from 用户 where 用户='外科主任'"), "1");
    EXPECT_EQ(one("select 主管医生 from 在院病人 where 姓名='李四'"), "外科主任");
}

TEST_F(SettingsTest, PaperAndHeaderFailWhenTheirRowsAreMissing) {
    HospitalSettings settings(files(), admin_, ui_);
    ASSERT_TRUE(settings.load());
    settings.toggleMark(SettingsTab::Paper, 2, 2);
    EXPECT_FALSE(settings.save(SettingsTab::Paper));  // no 基础模板 row in this ward
    EXPECT_EQ(ui_.lastText(), "纸张格式保存失败！");
    exec("insert into 基础模板 (纸张数据) values ('A')");
    ASSERT_TRUE(settings.save(SettingsTab::Paper));
    EXPECT_EQ(one("select 纸张数据 from 基础模板"), "0");  // B5

    exec("insert into 抬头 (项目, 选中) values ('姓名', '1')");
    exec("insert into 抬头 (项目, 选中) values ('床号', '1')");
    ASSERT_TRUE(settings.load());
    settings.toggleMark(SettingsTab::HeaderItems, 2, 2);
    ASSERT_TRUE(settings.save(SettingsTab::HeaderItems));
    EXPECT_EQ(ui_.lastText(), "页眉项目保存成功！");
    EXPECT_EQ(column("select 选中 from 抬头 order by 编号"), (QStringList{"1", "0"}));
}

}  // namespace
}  // namespace qh::shell
