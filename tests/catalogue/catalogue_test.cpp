// The catalogue: category codes, adding, saving, searching, disabling and re-enabling fee
// items and drugs, and the refusals that come before any statement.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>

#include "catalogue/Catalogue.h"
#include "catalogue/ui/CatalogueWindow.h"
#include "common/fixed_clock.h"
#include "interaction/ScriptedUserInterface.h"
#include "shell/ward_fixture.h"
#include "store/Connection.h"
#include "store/DataDirectory.h"
#include "support/temp_dir.h"

using namespace qh;
using namespace qh::catalogue;

namespace {

class CatalogueTest : public test::WardFixture {
protected:
    void SetUp() override {
        WardFixture::SetUp();
        if (HasFatalFailure()) return;
        exec("insert into adm_xmlb (xmlb, xmmc) values ('XMLB001', '西药费'), ('XMLB003', '中草药费'), "
             "('XMLB008', '治疗费'), ('XMLB011', '卫生材料费')");
        exec("insert into YWBM (BMMC, SSBM) values ('内科', '临床科室'), ('检验科', '医技科室'), ('西药房', '药剂部门')");
        exec("insert into xmzdb (参数名称, 参数值, 备注) values ('片剂', 2, '药品剂型'), ('胶囊剂', 1, '药品剂型'), "
             "('mg', 1, '剂量单位')");
    }
    Item fee(const QString& name, int category = 8) {
        Item i;
        i.name = name;
        i.category = category;
        i.price = "12.5";
        i.dosePrice = "12.5";
        i.unit = "次";
        i.type = "治疗";
        return i;
    }
    store::Row row(qint64 xmid) {
        return store::Connection::open(files(), store::DbFile::Main)
            .query("select * from ddt_costitems where xmid=?", {xmid})
            .first();
    }
    qint64 items() {
        return store::Connection::open(files(), store::DbFile::Main)
            .query("select count(*) from ddt_costitems")
            .first()
            .value(0)
            .toInt();
    }
    test::FixedClock clock_{QDateTime(QDate(2016, 5, 10), QTime(8, 3, 4))};
    ui::ScriptedUserInterface ui_;
    Catalogue fees_{files(), ui_, Mode::Fee};
    Catalogue drugs_{files(), ui_, Mode::Drug};
};

TEST_F(CatalogueTest, CategoryCodes) {
    EXPECT_EQ(categoryCode(1), "XMLB001");
    EXPECT_EQ(categoryCode(12), "XMLB012");
    EXPECT_EQ(categoryCode(123), "XMLB123");
    EXPECT_EQ(categoryNumber("XMLB012"), 12);
    EXPECT_EQ(categoryNumber("材料"), 0);
}

TEST_F(CatalogueTest, ListsOfTheForm) {
    const Lists fee = fees_.lists();
    ASSERT_EQ(fee.categories.size(), 4);
    EXPECT_EQ(fee.categories[3].name, "卫生材料费");
    EXPECT_EQ(fee.categories[3].number, 11);
    EXPECT_EQ(fee.departments, QStringList({"检验科", "西药房", "临床科室"}));
    EXPECT_TRUE(fee.forms.isEmpty());
    EXPECT_EQ(drugs_.lists().forms, QStringList({"胶囊剂", "片剂"}));
}

TEST_F(CatalogueTest, AddFeeItemFillsTheSearchCodeAndStamps) {
    qint64 id = 0;
    ASSERT_TRUE(fees_.addFeeItem(fee(" 换药（大） "), &id));
    EXPECT_EQ(ui_.shown().last().title, kTitle);
    EXPECT_EQ(ui_.lastText(), "新添加项目【换药（大）】成功！");
    const store::Row r = row(id);
    EXPECT_EQ(r.text("xmmc"), "换药（大）");
    EXPECT_EQ(r.text("xmsy"), "HYD");
    EXPECT_EQ(r.text("xmlb"), "XMLB008");
    EXPECT_EQ(r.text("xmzt"), "OK");
    EXPECT_EQ(r.text("czsj"), "2016-05-10 08:03:04");
    EXPECT_DOUBLE_EQ(r.real("xmdj"), 12.5);
    // A typed code is kept as typed.
    Item typed = fee("清创缝合");
    typed.initials = "QC";
    ASSERT_TRUE(fees_.addFeeItem(typed, &id));
    EXPECT_EQ(row(id).text("xmsy"), "QC");
}

TEST_F(CatalogueTest, RefusalsComeBeforeAnyStatement) {
    Item noCategory = fee("导尿", 0);
    EXPECT_FALSE(fees_.addFeeItem(noCategory));
    EXPECT_EQ(ui_.lastText(), "项目尚未保存，请正确选择项目类别。");
    EXPECT_FALSE(drugs_.addDrug(noCategory));
    EXPECT_EQ(ui_.lastText(), "药品尚未保存，请正确选择药品类别。");
    const struct {
        const char* price;
        const char* dosePrice;
        const char* ratio;
        const char* field;
    } cases[] = {
        {"", "1", "", "价格"}, {"1+1", "1", "", "价格"}, {"1", "0);delete from ddt_costitems;--", "", "剂量单价"},
        {"1", "1", "一", "拆零比例"},
    };
    for (const auto& c : cases) {
        Item i = fee("导尿", 1);
        i.price = c.price;
        i.dosePrice = c.dosePrice;
        i.ratio1 = c.ratio;
        EXPECT_FALSE(drugs_.addDrug(i)) << c.price;
        EXPECT_TRUE(ui_.lastText().contains(QString::fromUtf8(c.field))) << ui_.lastText().toStdString();
    }
    EXPECT_EQ(items(), 0);
}

TEST_F(CatalogueTest, DrugAddedLoadedSavedAndFound) {
    Item d;
    d.name = "阿莫西林胶囊";
    d.category = 1;
    d.price = "6.8";
    d.dosePrice = "0.2833";
    d.wholesale = "5.9";
    d.ratio1 = "24";
    d.ratio2 = "";
    d.spec = "0.25g×24粒";
    d.form = "胶囊剂";
    d.skinTest = "1";
    d.defaultDose = "0.25";
    d.defaultDoseUnit = "g";
    qint64 id = 0;
    ASSERT_TRUE(drugs_.addDrug(d, &id));
    EXPECT_EQ(ui_.lastText(), "新添加药品【阿莫西林胶囊】成功！");
    std::optional<Item> loaded = drugs_.load(id);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->initials, "AMXLJN");
    EXPECT_EQ(loaded->categoryName, "西药费");
    EXPECT_EQ(loaded->category, 1);
    EXPECT_EQ(loaded->ratio1, "24");
    EXPECT_TRUE(row(id).value("plbl").isNull());
    loaded->price = "7.2";
    loaded->spec = "0.5g×12粒";
    ASSERT_TRUE(drugs_.save(*loaded));
    EXPECT_EQ(ui_.lastText(), "药品【阿莫西林胶囊】数据修改成功！");
    EXPECT_DOUBLE_EQ(row(id).real("xmdj"), 7.2);
    EXPECT_EQ(row(id).text("xmgg"), "0.5g×12粒");
    // Found by initials or any part of the name, within its category only.
    EXPECT_EQ(drugs_.search(SearchKind::WesternDrugs, "mxl").size(), 1);
    EXPECT_EQ(drugs_.search(SearchKind::WesternDrugs, "西林").size(), 1);
    EXPECT_EQ(drugs_.search(SearchKind::Herbs, "西林").size(), 0);
    EXPECT_EQ(drugs_.search(SearchKind::WesternDrugs, "%").size(), 0);
    // A save that finds no row says so.
    loaded->xmid = 999;
    EXPECT_FALSE(drugs_.save(*loaded));
    EXPECT_EQ(ui_.lastText(), "药品【阿莫西林胶囊】数据修改失败！");
}

TEST_F(CatalogueTest, MaterialsAndFeeItemsSearches) {
    ASSERT_TRUE(fees_.addFeeItem(fee("一次性输液器", 11)));
    ASSERT_TRUE(fees_.addFeeItem(fee("换药", 8)));
    EXPECT_EQ(fees_.search(SearchKind::Materials, "").size(), 1);
    const QVector<Found> others = fees_.search(SearchKind::FeeItems, "");
    ASSERT_EQ(others.size(), 1);
    EXPECT_EQ(others[0].name, "换药");
}

TEST_F(CatalogueTest, DisableAndEnableWithTheirQuestions) {
    qint64 id = 0;
    ASSERT_TRUE(fees_.addFeeItem(fee("换药"), &id));
    Item item = *fees_.load(id);
    EXPECT_FALSE(fees_.enable(item));
    EXPECT_EQ(ui_.lastText(), "操作错误！\r\n此费用项目为正常状态");
    EXPECT_EQ(ui_.shown().last().title, kAdminTitle);
    ui_.answerOkCancel(false);
    EXPECT_FALSE(fees_.disable(item));
    EXPECT_EQ(ui_.lastText(), "你确定要禁止使用费用项目【换药】吗？\r\n\r\n   注意：删除后药品不可使用！");
    EXPECT_EQ(row(id).text("xmzt"), "OK");
    ui_.answerOkCancel(true);
    EXPECT_TRUE(fees_.disable(item));
    item = *fees_.load(id);
    EXPECT_EQ(fees_.statusText(item), "此费用项目已禁止");
    EXPECT_EQ(drugs_.statusText(item), "此药品已禁止");
    EXPECT_FALSE(fees_.disable(item));
    EXPECT_EQ(ui_.lastText(), "操作错误！\r\n此费用项目已禁止");
    ui_.answerOkCancel(true);
    EXPECT_TRUE(drugs_.enable(item));
    EXPECT_EQ(ui_.lastText(), "你确定要解除禁止   药品【换药】吗？\r\n");
    EXPECT_EQ(row(id).text("xmzt"), "OK");
    EXPECT_EQ(ui_.unanswered(), 0);
}

// ---- the window

TEST_F(CatalogueTest, WindowAddsFindsAndDisablesADrug) {
    exec("insert into ddt_costitems (xmmc, xmsy, xmlb, xmdw, xmdj, jldw, jldj, xmgg, xmzt) values "
         "('注射用青霉素钠', 'ZSYQMSN', 'XMLB001', '支', 0.6, '支', 0.6, '80万U', 'OK'), "
         "('头孢呋辛酯片', 'TBFXZP', 'XMLB001', '盒', 18, '片', 1.5, '0.25g×12片', 'OK')");
    CatalogueWindow window(files(), ui_, Mode::Drug);
    window.show();
    EXPECT_EQ(window.windowTitle(), "新增药品");
    EXPECT_EQ(window.results().rows(), 3);
    window.field("xmmc")->setText("阿莫西林胶囊");
    window.field("xmdj")->setText("6.8");
    window.field("jldj")->setText("0.28");
    window.field("xmgg")->setText("0.25g×24粒");
    window.field("xmdw")->setText("盒");
    window.skinTestBox()->setChecked(true);
    window.addItem();
    EXPECT_EQ(ui_.lastText(), "药品尚未保存，请正确选择药品类别。");
    window.categoryBox()->setCurrentIndex(window.categoryBox()->findText("西药费"));
    window.addItem();
    EXPECT_EQ(ui_.lastText(), "新添加药品【阿莫西林胶囊】成功！");
    EXPECT_EQ(window.field("xmsy")->text(), "AMXLJN");
    EXPECT_EQ(window.results().rows(), 4);
    window.searchBox()->setText("mxl");
    window.search();
    ASSERT_EQ(window.results().rows(), 2);
    window.loadRow(1);
    ui_.answerOkCancel(true);
    window.disableItem();
    EXPECT_EQ(window.status(), "此药品已禁止");
    EXPECT_EQ(row(window.results().rowValue(1).toLongLong()).text("ps"), "1");

    const QByteArray shots = qgetenv("QH_SCREENSHOTS");
    if (shots.isEmpty()) return;
    // The screenshot shows the catalogue a new ward starts with.
    test::TempDir seeded;
    ASSERT_EQ(store::createDataFiles(seeded.path()).status, store::PrepareResult::Created);
    CatalogueWindow full(store::DataDirectory(seeded.path()), ui_, Mode::Drug);
    full.show();
    full.loadRow(3);
    QDir().mkpath(QString::fromLocal8Bit(shots));
    EXPECT_TRUE(full.grab().save(QString::fromLocal8Bit(shots) + "/catalogue.png"));
}

}  // namespace
