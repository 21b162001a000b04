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
#include "widgets/ScriptedUserInterface.h"

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

struct Row {
    QString key, paper;
    QByteArray data;
};

class StarterTemplatesTest : public test::TemplatesWard {
protected:
    void SetUp() override { makeWard(true); }
    QVector<Row> rows() {
        QVector<Row> all;
        const auto rs = db_.Query(QStringLiteral("select * from GSMB order by 编号"));
        for (; !db_.IsEOF(rs); db_.MoveNext(rs))
            all.append({db_.Read(rs, QStringLiteral("检索")).toText(), db_.Read(rs, QStringLiteral("纸张")).toText(),
                        db_.Read(rs, QStringLiteral("数据")).toBytes()});
        db_.CloseRecordSet(rs);
        return all;
    }
    static QString lookDir() { return qEnvironmentVariable("QH_TEMPLATE_LOOK"); }
};

TEST_F(StarterTemplatesTest, FreshInstallationOffersTheSameMenuOnA4AndB5) {
    const TemplateSettings s = LoadTemplateSettings();
    EXPECT_EQ(s.paper, QStringLiteral("A"));
    EXPECT_TRUE(s.header.name && s.header.department && s.header.room && s.header.bed && s.header.number);
    const AddMenu a4 = BuildAddMenu(QStringLiteral("A"));
    const AddMenu b5 = BuildAddMenu(QStringLiteral("B"));
    ASSERT_EQ(a4.items.size(), 20);
    ASSERT_EQ(b5.items.size(), 20);
    QStringList keys;
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(a4.items[i].key, b5.items[i].key);
        keys << a4.items[i].key;
    }
    EXPECT_EQ(keys.first(), QStringLiteral("入院记录"));
    for (const char* key : {"住院病历", "首次病程记录", "日常病程记录", "上级医师查房记录", "术前小结", "手术记录",
                            "术后首次病程记录", "出院记录", "死亡记录", "会诊记录", "知情同意书"})
        EXPECT_TRUE(keys.contains(QString::fromUtf8(key))) << key;
    // The sex variants are chosen by the key rule and stay out of the menu.
    EXPECT_FALSE(keys.contains(QStringLiteral("男住院病历")));
    EXPECT_EQ(readInt(QStringLiteral("select count(*) from GSMB where 检索 in ('男住院病历','女住院病历')")), 4);
    EXPECT_EQ(readText(QStringLiteral("select 添加 from GSMB where 检索='日常病程记录' and 纸张='B'")), QStringLiteral("真"));
    EXPECT_EQ(readText(QStringLiteral("select 添加 from GSMB where 检索='入院记录' and 纸张='A'")), QStringLiteral("假"));
}

TEST_F(StarterTemplatesTest, EveryTemplateIsADocumentOnItsPaperWithKnownFields) {
    const QVector<Row> all = rows();
    ASSERT_GE(all.size(), 2 * 26);
    static const QRegularExpression braces(QStringLiteral("\\{[^{}]*\\}"));
    for (const Row& row : all) {
        SCOPED_TRACE(row.key.toStdString() + " " + row.paper.toStdString());
        RecordDocumentPort doc;
        ASSERT_TRUE(doc.SetContent(row.data));
        EXPECT_EQ(doc.document().paper().width, row.paper == QLatin1String("A") ? 2100 : 1820);
        const QString text = doc.document().body()->toPlainText();
        EXPECT_FALSE(text.trimmed().isEmpty());
        for (auto it = braces.globalMatch(text); it.hasNext();) {
            const QString p = it.next().captured();
            EXPECT_TRUE(kPlaceholders.contains(p)) << p.toStdString();
        }
        for (const QString& alias : aliasesOf(doc.document().body())) EXPECT_TRUE(kAliases.contains(alias)) << alias.toStdString();
    }
    for (const QString& column : {QStringLiteral("A4数据"), QStringLiteral("B5数据")}) {
        RecordDocumentPort base;
        ASSERT_TRUE(base.SetContent(readBytes(QStringLiteral("select ") + column + QStringLiteral(" from 基础模板"))));
        EXPECT_EQ(base.document().paper().height, column == QStringLiteral("A4数据") ? 2970 : 2570);
    }
}

TEST_F(StarterTemplatesTest, WardRecordFamilyCarriesTheRightFormCells) {
    RecordDocumentPort female, male;
    ASSERT_TRUE(female.SetContent(readBytes(QStringLiteral("select 数据 from GSMB where 检索='女住院病历' and 纸张='A'"))));
    ASSERT_TRUE(male.SetContent(readBytes(QStringLiteral("select 数据 from GSMB where 检索='男住院病历' and 纸张='A'"))));
    EXPECT_TRUE(female.document().body()->toPlainText().contains(QStringLiteral("月经史")));
    EXPECT_TRUE(female.document().body()->toPlainText().contains(QStringLiteral("生育史")));
    EXPECT_FALSE(male.document().body()->toPlainText().contains(QStringLiteral("月经史")));
    // The 住院病历 keys fill the cells named after the fields.
    for (const char* cell : {"姓名", "性别", "年龄", "住址", "入院日期", "采集时间", "CSRQ"})
        EXPECT_TRUE(aliasesOf(female.document().body()).contains(QString::fromUtf8(cell))) << cell;
    RecordDocumentPort admission;
    ASSERT_TRUE(admission.SetContent(readBytes(QStringLiteral("select 数据 from GSMB where 检索='入院记录' and 纸张='B'"))));
    EXPECT_TRUE(admission.document().replaceAll(QStringLiteral("{主诉}"), QStringLiteral("咳嗽3天"), true) > 0);
    EXPECT_TRUE(aliasesOf(admission.document().body()).contains(QStringLiteral("XM")));
}

TEST_F(StarterTemplatesTest, CommonHeaderComposedForAPatientFitsThePaper) {
    for (const QString& paper : {QStringLiteral("A"), QStringLiteral("B")}) {
        RecordDocumentPort header, record;
        ASSERT_TRUE(header.SetContent(LoadCommonHeader(paper)));
        ASSERT_TRUE(record.SetContent(readBytes(QStringLiteral("select 数据 from GSMB where 检索='首次病程记录' and 纸张='") +
                                                paper + QStringLiteral("'"))));
        const HeaderValues v{QStringLiteral("张三"), QStringLiteral("内科"), QStringLiteral("3"), QStringLiteral("12"),
                             QStringLiteral("1001")};
        ComposeRecordHeader(header, record, QStringLiteral("青禾医院"), v, HeaderFlags::all(), paper);
        const QStringList lines = record.document().header()->toPlainText().split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 2);
        EXPECT_EQ(lines[0], QStringLiteral("青禾医院"));
        EXPECT_EQ(text::gbkLength(lines[1]), paper == QLatin1String("A") ? 84 : 74);
    }
}

TEST_F(StarterTemplatesTest, EveryTemplatePrintsToPdf) {
    const QString dir = lookDir().isEmpty() ? dir_.file(QStringLiteral("pdf")) : lookDir();
    QDir().mkpath(dir);
    RecordDocumentPort header;
    ASSERT_TRUE(header.SetContent(LoadCommonHeader(QStringLiteral("A"))));
    const QByteArray headerBytes = header.GetContent();
    DocumentEditor editor;
    for (const Row& row : rows()) {
        if (row.paper != QLatin1String("A") && !lookDir().isEmpty() && row.key != QStringLiteral("入院记录")) continue;
        ASSERT_TRUE(editor.SetContent(row.data));
        RecordDocumentPort h;
        ASSERT_TRUE(h.SetContent(headerBytes));
        RecordDocumentPort record;
        ASSERT_TRUE(record.SetContent(row.data));
        ComposeRecordHeader(h, record, QStringLiteral("青禾医院"),
                            {QStringLiteral("张三"), QStringLiteral("内科"), QStringLiteral("3"), QStringLiteral("12"),
                             QStringLiteral("1001")},
                            HeaderFlags::all(), row.paper);
        ASSERT_TRUE(editor.SetContent(record.GetContent()));
        const QString path = dir + QLatin1Char('/') + row.paper + QLatin1Char('-') + row.key + QStringLiteral(".pdf");
        QString error;
        ASSERT_TRUE(editor.ExportPdf(path, &error)) << error.toStdString();
        EXPECT_GT(QFileInfo(path).size(), 1000);
    }
}

TEST_F(StarterTemplatesTest, TemplatePageOpensATemplateAndPreviewsItsHeader) {
    ui::ScriptedUserInterface ui;
    TemplatePage page(ui, LoadTemplateSettings(), QStringLiteral("青禾医院"), QStringLiteral("内科"));
    page.resize(1280, 820);
    page.refresh();
    EXPECT_EQ(page.countLabel()->text(), QStringLiteral("共有模板27个"));
    EXPECT_EQ(page.captionLabel()->text(), QStringLiteral("当前模板： 入院记录"));
    EXPECT_EQ(page.model().openKey(), QStringLiteral("入院记录"));
    page.fieldBox(2)->setChecked(false);  // 病室
    page.headerBox()->setChecked(true);
    page.previewHeader();
    const QString header = page.editor()->document().header()->toPlainText();
    EXPECT_TRUE(header.contains(QStringLiteral("姓名：XXX")));
    EXPECT_TRUE(header.contains(QStringLiteral("科室：内科")));
    EXPECT_FALSE(header.contains(QStringLiteral("病室")));

    if (!lookDir().isEmpty()) {
        page.show();
        page.grab().save(lookDir() + QStringLiteral("/template-page.png"));
    }

    // Moving in the view moves in the table; the list shows it at once. The preview left
    // the template modified: switching offers to save it (declined here).
    ui.answerMessageDialog(0);
    page.list()->setCurrentRow(1);
    EXPECT_EQ(ui.lastText(), QStringLiteral("入院记录已修改，是否保存？"));
    page.moveUp();
    EXPECT_EQ(page.list()->item(0)->text(), QStringLiteral("住院病历"));
    EXPECT_EQ(page.list()->currentRow(), 0);
    EXPECT_EQ(readInt(QStringLiteral("select 顺序 from GSMB where 检索='住院病历' and 纸张='A'")), 1);
}

}  // namespace
}  // namespace qh::records
