// The printed front page: the cell values, the two forms with a cell for every field code,
// the filled read-only document and the PDF.
#include <gtest/gtest.h>

#include <QFile>
#include <QTextDocument>

#include "frontpage/FrontPageColumns.h"
#include "frontpage/FrontPagePrint.h"
#include "frontpage_fixture.h"
#include "records/editor/EwdFormat.h"
#include "records/editor/NamedFields.h"
#include "records/editor/PagePrinter.h"
#include "records/editor/RecordDocument.h"

using namespace qh;
using namespace qh::frontpage;

namespace {

class FrontPagePrintTest : public test::FrontPageFixture {
protected:
    QString cell(records::RecordDocument& doc, const QString& alias) {
        const QTextTableCell c = records::findNamedCell(doc.body(), alias);
        if (!c.isValid()) return "<none>";
        QTextCursor from = c.firstCursorPosition();
        from.setPosition(c.lastCursorPosition().position(), QTextCursor::KeepAnchor);
        return from.selectedText();
    }
};

TEST_F(FrontPagePrintTest, CellValuesAreDaysCodesAndWholeYuan) {
    FrontPageValues saved{{"CSRQ", "1960-05-02 00:00:00"}, {"CYBQ1", "2 临床未确定"}, {"ZYBQ2", "4 无"},
                          {"ZFY", "1234.56"}, {"SSF", "0.5"}, {"MZFY", "-2.5"}, {"KFFY", ""},
                          {"SSRQ1", "2016-03-06 09:30:00"}, {"XB", " 1 "}, {"LYFS", "1.医嘱离院"}};
    const auto cells = printedCells(saved, user_, patient());
    // Half a yuan rounds away from zero; 病案号 and 姓名 fall back to the particulars.
    expectValues(cells, {{"YYMC", "青禾医院"}, {"JGDM", "12345678-9"}, {"CSRQ", "1960-05-02"}, {"CYBQ1", "2"},
                         {"ZYBQ2", "4"}, {"ZFY", "1235"}, {"SSF", "1"}, {"MZFY", "-3"}, {"KFFY", ""},
                         {"SSRQ1", "2016-03-06"}, {"XB", "1"}, {"LYFS", "1.医嘱离院"}, {"BAH", "A100"}, {"XM", "张三"}});
    // A coder's correction wins.
    saved["XM"] = "张叁";
    EXPECT_EQ(printedCells(saved, user_, patient())["XM"], "张叁");
}

TEST_F(FrontPagePrintTest, EachFormHasACellForEveryCodeItPrints) {
    QStringList western = {"YYMC", "JGDM"}, tcm = western;
    for (const auto* list : {&westernColumns(), &westernSecondColumns()})
        for (const FrontPageColumn& c : *list) western << c.name;
    tcm << western;
    for (const FrontPageColumn& c : tcmColumns()) tcm << c.name;
    for (const auto& [form, codes] : {std::pair{"XYSY", western}, std::pair{"ZYSY", tcm}}) {
        SCOPED_TRACE(form);
        QFile f(QStringLiteral(QH_SOURCE_DIR "/data/seed/dzbl/templates/frontpage/%1.ewd").arg(QString(form).toLower()));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        records::RecordDocument doc;
        ASSERT_TRUE(records::decodeEwd(f.readAll(), doc, nullptr));
        EXPECT_EQ(doc.paper(), (records::PaperSize{2100, 2970}));
        EXPECT_EQ(records::pageCount(doc), 2);
        for (const QString& code : codes) EXPECT_TRUE(records::findNamedCell(doc.body(), code).isValid()) << code.toStdString();
    }
}

TEST_F(FrontPagePrintTest, TheFormOfTheHospitalsFormatIsFilledReadOnlyAndPrints) {
    ui::ScriptedUserInterface quiet;
    FrontPageRecord record(files(), quiet);
    FrontPageValues v = record.prefill(patient(), "内科");
    v["CYZD1"] = "肺炎";
    v["CYBQ1"] = "2 临床未确定";
    v["ZFY"] = "1234.56";
    ASSERT_EQ(record.saveWestern(serial_, "张三", v), SaveOutcome::Saved);
    ASSERT_EQ(record.saveTcm(serial_, "张三", {{"ZYZD1", "感冒"}, {"ZYBQ1", "1 有"}}), SaveOutcome::Saved);

    records::RecordDocument western;
    QString error;
    ASSERT_TRUE(buildFrontPageDocument(files(), user_, patient(), 1, western, &error)) << error.toStdString();
    // The western form has no TCM grid.
    for (const auto& [alias, text] : {std::pair{"XM", "张三"}, {"CYBQ1", "2"}, {"ZFY", "1235"}, {"RYRQ", "2016-03-05"},
                                      {"ZYZD1", "<none>"}})
        EXPECT_EQ(cell(western, alias), QString::fromUtf8(text)) << alias;
    EXPECT_EQ(western.protection(), records::Protection::ReadOnly);
    EXPECT_FALSE(western.isModified());

    records::RecordDocument tcm;
    ASSERT_TRUE(buildFrontPageDocument(files(), user_, patient(), 2, tcm, &error));
    EXPECT_EQ(cell(tcm, "ZYZD1"), "感冒");
    EXPECT_EQ(cell(tcm, "ZYBQ1"), "1");

    const QString pdf = dir_.file("front.pdf");
    ASSERT_TRUE(records::exportPdf(tcm, pdf, &error)) << error.toStdString();
    EXPECT_GT(QFileInfo(pdf).size(), 1000);

    exec("delete from GSMB where 名称='ZYSY'");
    EXPECT_FALSE(buildFrontPageDocument(files(), user_, patient(), 2, tcm, &error));
    EXPECT_EQ(error, "首页模板ZYSY不存在");
}

}  // namespace
