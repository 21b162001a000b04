// The starter templates a new installation is seeded with, the template page over them,
// and what they look like (PDFs and a screenshot when QH_TEMPLATE_LOOK names a folder).
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include "common/GbkText.h"
#include "records/editor/DocumentProperties.h"
#include "records/templates/DocumentPort.h"
#include "records/templates/PageHeader.h"
#include "records/ui/DocumentEditor.h"
#include "records/ui/TemplatePage.h"
#include "templates_fixture.h"
#include "interaction/ScriptedUserInterface.h"

namespace qh::records {
namespace {

const QSet<QString> kPlaceholders = {
    "{姓名}", "{性别}", "{年龄}", "{诊断}", "{床号}", "{住址}", "{科室}", "{主诉}", "{住院号}", "{主管医生}",
    "{病室}", "{医疗证号}", "{职业}", "{出生日期}", "{联系电话}", "{身份证号}", "{联系人}", "{患者关系}", "{T}",
    "{P}", "{R}", "{Bp}", "{天数}", "{日期5}", "{日期4}", "{日期3}", "{日期2}", "{日期1}", "{日期}", "{入院日期}",
    "{入院日期1}", "{入院日期2}", "{入院日期3}", "{入院日期4}", "{入院日期5}", "{医院名称}", "{眉头}"};
const QSet<QString> kAliases = {
    "XM", "XB", "NL", "ZD", "CH", "ZZ", "KS", "ZS", "ZYH", "ZGYS", "BS", "YLZH", "ZY", "CSRQ", "LXDH", "SFZH",
    "LXR", "HZGX", "T", "P", "R", "Bp", "TS", "RQ5", "RQ4", "RQ3", "RQ2", "RQ1", "RQ", "RYRQ", "RYRQ1", "RYRQ2",
    "RYRQ3", "RYRQ4", "RYRQ5", "CYRQ", "YYMC", "姓名", "年龄", "性别", "诊断", "住址", "入院日期", "采集时间"};

QSet<QString> aliasesOf(const QTextDocument* doc) {
    QSet<QString> found;
    QSet<QTextTable*> tables;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        if (QTextTable* t = QTextCursor(b).currentTable()) tables.insert(t);
    for (QTextTable* t : tables)
        for (int r = 0; r < t->rows(); ++r)
            for (int c = 0; c < t->columns(); ++c) {
                const QString alias = t->cellAt(r, c).format().property(AliasProperty).toString();
                if (!alias.isEmpty()) found.insert(alias);
            }
    return found;
}

const HeaderValues kZhang{"张三", "内科", "3", "12", "1001"};

class StarterTemplatesTest : public test::TemplatesWard {
protected:
    void SetUp() override { makeWard(true); }
    static QString lookDir() { return qEnvironmentVariable("QH_TEMPLATE_LOOK"); }
};

TEST_F(StarterTemplatesTest, FreshInstallationOffersTheSameMenuOnA4AndB5) {
    const TemplateSettings s = loadTemplateSettings(files_);
    EXPECT_EQ(s.paper, "A");
    EXPECT_TRUE(s.header.name && s.header.department && s.header.room && s.header.bed && s.header.number);
    const AddMenu a4 = buildAddMenu(files_, "A");
    const AddMenu b5 = buildAddMenu(files_, "B");
    ASSERT_EQ(a4.items.size(), 20);
    ASSERT_EQ(b5.items.size(), 20);
    QStringList keys;
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(a4.items[i].key, b5.items[i].key);
        keys << a4.items[i].key;
    }
    EXPECT_EQ(keys.first(), "入院记录");
    for (const char* key : {"住院病历", "首次病程记录", "日常病程记录", "上级医师查房记录", "术前小结", "手术记录",
                            "术后首次病程记录", "出院记录", "死亡记录", "会诊记录", "知情同意书"})
        EXPECT_TRUE(keys.contains(QString::fromUtf8(key))) << key;
    // The sex variants are chosen by the key rule and stay out of the menu.
    EXPECT_FALSE(keys.contains("男住院病历"));
    EXPECT_EQ(read("select count(*) from GSMB where 检索 in ('男住院病历','女住院病历')").toInt(), 4);
    EXPECT_EQ(read("select 添加 from GSMB where 检索='日常病程记录' and 纸张='B'").toText(), "真");
    EXPECT_EQ(read("select 添加 from GSMB where 检索='入院记录' and 纸张='A'").toText(), "假");
}

// Each template opens on its paper with known fields, takes the common header composed for
// a patient (kept in the stored record) and prints to PDF.
TEST_F(StarterTemplatesTest, EveryTemplateIsADocumentWithKnownFieldsThatTakesTheHeaderAndPrints) {
    const QString dir = lookDir().isEmpty() ? dir_.file("pdf") : lookDir();
    QDir().mkpath(dir);
    static const QRegularExpression braces("\\{[^{}]*\\}");
    DocumentEditor editor;
    int count = 0;
    // (the front-page forms have no paper: they are the front page's, tested there)
    for (const store::Row& row : db_.query("select 检索, 纸张, 数据 from GSMB where 纸张 is not null order by 编号")) {
        ++count;
        const QString key = row.text("检索"), paper = row.text("纸张");
        SCOPED_TRACE((key + " " + paper).toStdString());
        RecordDocumentPort header, record;
        ASSERT_TRUE(record.setContent(row.bytes("数据")));
        EXPECT_EQ(record.document().paper().width, paper == "A" ? 2100 : 1820);
        const QString text = record.document().body()->toPlainText();
        EXPECT_FALSE(text.trimmed().isEmpty());
        for (auto it = braces.globalMatch(text); it.hasNext();) {
            const QString p = it.next().captured();
            EXPECT_TRUE(kPlaceholders.contains(p)) << p.toStdString();
        }
        for (const QString& alias : aliasesOf(record.document().body())) EXPECT_TRUE(kAliases.contains(alias)) << alias.toStdString();

        ASSERT_TRUE(header.setContent(loadCommonHeader(files_, paper)));
        composeRecordHeader(header, record, "青禾医院", kZhang, HeaderFlags::all(), paper);
        EXPECT_FALSE(header.isModified());
        ASSERT_TRUE(editor.setContent(record.content()));
        EXPECT_EQ(editor.document().body()->toPlainText(), text);
        EXPECT_EQ(editor.document().header()->toPlainText(), "青禾医院\n" + composeHeaderLine(kZhang, HeaderFlags::all(), paper));
        const QString path = dir + "/" + paper + "-" + key + ".pdf";
        QString error;
        ASSERT_TRUE(editor.exportPdf(path, &error)) << error.toStdString();
        EXPECT_GT(QFileInfo(path).size(), 1000);
    }
    EXPECT_GE(count, 2 * 26);
    for (const QString& column : {"A4数据", "B5数据"}) {
        RecordDocumentPort base;
        ASSERT_TRUE(base.setContent(read("select " + column + " from 基础模板").toBytes()));
        EXPECT_EQ(base.document().paper().height, column == "A4数据" ? 2970 : 2570);
    }
}

TEST_F(StarterTemplatesTest, WardRecordFamilyCarriesTheRightFormCells) {
    RecordDocumentPort female, male;
    ASSERT_TRUE(female.setContent(read("select 数据 from GSMB where 检索='女住院病历' and 纸张='A'").toBytes()));
    ASSERT_TRUE(male.setContent(read("select 数据 from GSMB where 检索='男住院病历' and 纸张='A'").toBytes()));
    EXPECT_TRUE(female.document().body()->toPlainText().contains("月经史"));
    EXPECT_TRUE(female.document().body()->toPlainText().contains("生育史"));
    EXPECT_FALSE(male.document().body()->toPlainText().contains("月经史"));
    // The 住院病历 keys fill the cells named after the fields.
    for (const char* cell : {"姓名", "性别", "年龄", "住址", "入院日期", "采集时间", "CSRQ"})
        EXPECT_TRUE(aliasesOf(female.document().body()).contains(QString::fromUtf8(cell))) << cell;
    RecordDocumentPort admission;
    ASSERT_TRUE(admission.setContent(read("select 数据 from GSMB where 检索='入院记录' and 纸张='B'").toBytes()));
    EXPECT_TRUE(admission.document().replaceAll("{主诉}", "咳嗽3天", true) > 0);
    EXPECT_TRUE(aliasesOf(admission.document().body()).contains("XM"));
}

TEST_F(StarterTemplatesTest, TemplatePageOpensATemplateAndPreviewsItsHeader) {
    ui::ScriptedUserInterface ui;
    TemplatePage page(files_, ui, loadTemplateSettings(files_), "青禾医院", "内科");
    page.resize(1280, 820);
    page.refresh();
    EXPECT_EQ(page.countLabel()->text(), "共有模板27个");
    EXPECT_EQ(page.captionLabel()->text(), "当前模板： 入院记录");
    EXPECT_EQ(page.model().openKey(), "入院记录");
    page.fieldBox(2)->setChecked(false);  // 病室
    page.headerBox()->setChecked(true);
    page.previewHeader();
    const QString header = page.editor()->document().header()->toPlainText();
    HeaderFlags boxes = HeaderFlags::all();
    boxes.room = false;
    EXPECT_EQ(header, "青禾医院\n" + composeHeaderLine({"XXX", "内科", "X", "X", "XXX"}, boxes, "A"));  // sample values

    if (!lookDir().isEmpty()) {
        page.show();
        page.grab().save(lookDir() + "/template-page.png");
    }

    // Moving in the view moves in the table; the list shows it at once. The preview left
    // the template modified: switching offers to save it (declined here).
    ui.answerMessageDialog(0);
    page.list()->setCurrentRow(1);
    EXPECT_EQ(ui.lastText(), "入院记录已修改，是否保存？");
    page.moveUp();
    EXPECT_EQ(page.list()->item(0)->text(), "住院病历");
    EXPECT_EQ(page.list()->currentRow(), 0);
    EXPECT_EQ(read("select 顺序 from GSMB where 检索='住院病历' and 纸张='A'").toInt(), 1);
}

}  // namespace
}  // namespace qh::records
