// Documents to files and back: the name rule of the save dialog, the overwrite question,
// success only when written, the modified flag left alone, PDF, and the word-processor
// converter (a stand-in script plays LibreOffice).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTextCursor>

#include "interaction/ScriptedUserInterface.h"
#include "records/editor/DocumentFiles.h"
#include "records/editor/EwdFormat.h"
#include "records/library/FileExchange.h"
#include "records/templates/DocumentPort.h"
#include "support/temp_dir.h"

namespace qh::records {
namespace {

class FileExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        QTextCursor(doc_.document().body()).insertText(QStringLiteral("主诉：发热3天。"));
        qunsetenv("QINGHE_CONVERTER");
    }
    void TearDown() override { qunsetenv("QINGHE_CONVERTER"); }
    QString bodyOf(const QString& path) {
        RecordDocument read;
        QString error;
        if (!openDocumentFile(path, read, &error)) return QStringLiteral("<") + error + QStringLiteral(">");
        return read.body()->toPlainText();
    }
    // A stand-in for LibreOffice: logs its arguments and "converts" by copying, or writes a
    // small HTML page when asked for HTML; `fail` makes it exit with 1.
    void installConverter(bool fail = false) {
        const QString script = dir_.file(QStringLiteral("convert.sh"));
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("#!/bin/sh\n"
                               "echo \"$@\" >> '%1'\n"
                               "%2"
                               "fmt=\"$3\"; out=\"$5\"; in=\"$6\"\n"
                               "base=$(basename \"$in\"); base=\"${base%.*}\"\n"
                               "if [ \"$fmt\" = html ]; then\n"
                               "  printf '<html><body><p>转换所得的病历</p></body></html>' > \"$out/$base.html\"\n"
                               "else\n"
                               "  cp \"$in\" \"$out/$base.$fmt\"\n"
                               "fi\n")
                    .arg(dir_.file(QStringLiteral("calls.log")), fail ? QStringLiteral("exit 1\n") : QString())
                    .toUtf8());
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        qputenv("QINGHE_CONVERTER", script.toUtf8());
    }

    test::TempDir dir_;
    ui::ScriptedUserInterface ui_;
    RecordDocumentPort doc_;
};

TEST_F(FileExchangeTest, NamesWithoutAKnownTypeGetEwdAppended) {
    EXPECT_EQ(exportFileName("a/出院记录"), "a/出院记录.ewd");
    EXPECT_EQ(exportFileName("a/b.ost"), "a/b.ost.ewd");
    EXPECT_EQ(exportFileName("a/b.EWD"), "a/b.EWD");
    EXPECT_EQ(exportFileName("a/b.pdf"), "a/b.pdf");
    // .docx only where something can write it.
    EXPECT_EQ(exportFileName("a/b.docx"), converterProgram().isEmpty() ? "a/b.docx.ewd" : "a/b.docx");
    installConverter();
    EXPECT_EQ(exportFileName("a/b.docx"), "a/b.docx");
    EXPECT_TRUE(exportFilter().contains("*.docx"));
}

TEST_F(FileExchangeTest, ExportSaysSavedOnlyWhenWrittenAndLeavesTheDocumentModified) {
    doc_.setModified(true);
    // Cancelled: nothing written, nothing said.
    ui_.answerPath(QString());
    EXPECT_FALSE(exportDocument(ui_, doc_.document(), "x"));
    ASSERT_EQ(ui_.shown().size(), 1);
    EXPECT_EQ(ui_.shown().first().kind, ui::ShownKind::SaveFile);

    ui_.answerPath(dir_.file("记录"));
    ASSERT_TRUE(exportDocument(ui_, doc_.document(), "x"));
    EXPECT_EQ(ui_.lastText(), "文件保存成功！");
    EXPECT_EQ(bodyOf(dir_.file("记录.ewd")), "主诉：发热3天。");
    EXPECT_TRUE(doc_.isModified());  // the database copy still waits to be saved

    // The appended name exists: asked first; "no" keeps the old file.
    QTextCursor(doc_.document().body()).insertText(QStringLiteral("新"));
    ui_.answerPath(dir_.file("记录"));
    ui_.answerOkCancel(false);
    EXPECT_FALSE(exportDocument(ui_, doc_.document(), "x"));
    EXPECT_EQ(bodyOf(dir_.file("记录.ewd")), "主诉：发热3天。");
    ui_.answerPath(dir_.file("记录"));
    ui_.answerOkCancel(true);
    ASSERT_TRUE(exportDocument(ui_, doc_.document(), "x"));
    EXPECT_EQ(bodyOf(dir_.file("记录.ewd")), "新主诉：发热3天。");

    // A folder that does not exist: the failure is said, not success.
    ui_.answerPath(dir_.file("没有/记录.ewd"));
    EXPECT_FALSE(exportDocument(ui_, doc_.document(), "x"));
    EXPECT_TRUE(ui_.lastText().startsWith("文件保存失败！"));

    ui_.answerPath(dir_.file("记录.pdf"));
    ASSERT_TRUE(exportDocument(ui_, doc_.document(), "x"));
    QFile pdf(dir_.file("记录.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
}

TEST_F(FileExchangeTest, WordDocumentsGoOutAndComeBackThroughTheConverter) {
    // .odt needs no converter.
    ui_.answerPath(dir_.file("记录.odt"));
    ASSERT_TRUE(exportDocument(ui_, doc_.document(), "x"));
    EXPECT_GT(QFileInfo(dir_.file("记录.odt")).size(), 0);

    installConverter();
    ui_.answerPath(dir_.file("记录.docx"));
    ASSERT_TRUE(exportDocument(ui_, doc_.document(), "x"));
    EXPECT_EQ(ui_.lastText(), "文件保存成功！");
    QFile docx(dir_.file("记录.docx"));
    ASSERT_TRUE(docx.open(QIODevice::ReadOnly));
    EXPECT_TRUE(docx.read(2) == "PK");  // the document as the converter left it
    EXPECT_EQ(bodyOf(dir_.file("记录.docx")), "转换所得的病历");
    QFile log(dir_.file("calls.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QStringList calls = QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(calls.size(), 2);
    EXPECT_TRUE(calls[0].startsWith("--headless --convert-to docx --outdir "));
    EXPECT_TRUE(calls[1].startsWith("--headless --convert-to html --outdir "));

    // A converter that fails: no file, and the failure said.
    installConverter(true);
    ui_.answerPath(dir_.file("坏.docx"));
    EXPECT_FALSE(exportDocument(ui_, doc_.document(), "x"));
    EXPECT_TRUE(ui_.lastText().startsWith("文件保存失败！"));
    EXPECT_FALSE(QFile::exists(dir_.file("坏.docx")));
}

}  // namespace
}  // namespace qh::records
