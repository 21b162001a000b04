// The template library: own and shared lists, search by name and initials, samples made
// from a record and applied to another patient, text modules at the caret, owner-only
// changes, related records of other patients.
#include <QTextCursor>

#include "records/library/TemplateLibrary.h"
#include "records_fixture.h"

namespace qh::records {
namespace {

using test::RecordsWard;

class LibraryWard : public RecordsWard {
protected:
    shell::UserContext other(const QString& name) {
        shell::UserContext u = doctor_;
        u.userName = name;
        u.SXBL = false;
        return u;
    }
    LibraryContext context(const QString& document = QStringLiteral("入院记录")) { return {document, patient_}; }
    QStringList names(const QVector<LibraryEntry>& entries) {
        QStringList out;
        for (const LibraryEntry& e : entries) out << e.label();
        return out;
    }
    // A document entry holding `text`, saved by `user` through the library editor.
    qint64 saveDocumentEntry(TemplateLibrary& lib, LibraryKind kind, const QString& name, bool isPrivate,
                             const QString& text = QStringLiteral("现病史：")) {
        RecordDocumentPort page;
        QTextCursor(page.document().body()).insertText(text);
        return lib.saveEntryAs(kind, {name, QStringLiteral("入院记录"), isPrivate, {}}, page);
    }
    RecordDocumentPort library_;
};

TEST_F(LibraryWard, PrivateEntriesShowForTheirOwnerUntilShared) {
    TemplateLibrary mine(files_, doctor_, ui_);
    TemplateLibrary his(files_, other(QStringLiteral("王医生")), ui_);
    const qint64 id = saveDocumentEntry(mine, LibraryKind::Disease, QStringLiteral("肺炎"), true);
    ASSERT_GT(id, 0);
    EXPECT_EQ(ui_.lastText(), "模板保存成功！");
    // An entry whose 加密 is empty or null is shared.
    exec(QStringLiteral("insert into 疾病模板 (名称1,名称2,加密,所有者) values ('哮喘','入院记录',null,'赵医生')"));
    exec(QStringLiteral("insert into 疾病模板 (名称1,名称2,加密,所有者) values ('胃炎','入院记录','','赵医生')"));
    exec(QStringLiteral("insert into 疾病模板 (名称1,名称2,加密,所有者) values ('胆囊炎','出院记录','否','赵医生')"));
    EXPECT_EQ(names(mine.list(LibraryKind::Disease, true, context())), QStringList({"肺炎"}));
    EXPECT_EQ(names(his.list(LibraryKind::Disease, true, context())), QStringList());
    EXPECT_EQ(names(his.list(LibraryKind::Disease, false, context())), QStringList({"胃炎", "哮喘"}));

    LibraryEntry entry = mine.list(LibraryKind::Disease, true, context()).first();
    // Nobody but the owner shares, privatises, renames or deletes it.
    EXPECT_FALSE(his.setPrivate(entry, false));
    EXPECT_FALSE(his.renameEntry(entry, QStringLiteral("重症肺炎")));
    EXPECT_FALSE(his.deleteEntry(entry));
    EXPECT_EQ(ui_.lastText(), "只能删除自己的模板！");
    // Even when the caller's idea of the owner is wrong, the statement checks it again.
    LibraryEntry forged = entry;
    forged.owner = QStringLiteral("王医生");
    EXPECT_FALSE(his.setPrivate(forged, false));
    EXPECT_EQ(ui_.lastText(), "模板共享失败！");
    EXPECT_EQ(read(QStringLiteral("select 加密 from 疾病模板 where 编号=%1").arg(id)).toText(), "是");

    ASSERT_TRUE(mine.setPrivate(entry, false));
    EXPECT_TRUE(names(his.list(LibraryKind::Disease, false, context())).contains("肺炎"));
    ASSERT_TRUE(mine.setPrivate(entry, true));
    EXPECT_FALSE(names(his.list(LibraryKind::Disease, false, context())).contains("肺炎"));

    // Deleting asks; 取消 keeps it.
    ui_.answerMessageDialog(0);
    EXPECT_FALSE(mine.deleteEntry(entry));
    EXPECT_TRUE(ui_.lastText().startsWith("你确定要删除模板【肺炎】吗？"));
    ui_.answerMessageDialog(1);
    EXPECT_TRUE(mine.deleteEntry(entry));
    EXPECT_TRUE(mine.list(LibraryKind::Disease, true, context()).isEmpty());
    EXPECT_FALSE(mine.deleteEntry(LibraryEntry{}));
    EXPECT_EQ(ui_.lastText(), "请正确选择所要删除的模板！");
    EXPECT_FALSE(mine.deleteEntry(LibraryEntry{LibraryKind::Module}));
    EXPECT_EQ(ui_.lastText(), "请选择所要删除的模板！");
}

TEST_F(LibraryWard, SearchFindsNamesAndInitialsAndTakesPercentLiterally) {
    TemplateLibrary lib(files_, doctor_, ui_);
    ASSERT_GT(saveDocumentEntry(lib, LibraryKind::Sample, QStringLiteral("肺炎"), false), 0);
    ASSERT_GT(saveDocumentEntry(lib, LibraryKind::Sample, QStringLiteral("烧伤50%"), false), 0);
    ASSERT_GT(saveDocumentEntry(lib, LibraryKind::Sample, QStringLiteral("烧伤5"), false), 0);
    EXPECT_EQ(read(QStringLiteral("select JSM from 示例病历 where 名称1='肺炎'")).toText(), "FY");
    EXPECT_EQ(names(lib.list(LibraryKind::Sample, true, context(), QStringLiteral("fy"))), QStringList({"肺炎"}));
    EXPECT_EQ(names(lib.list(LibraryKind::Sample, true, context(), QStringLiteral("50%"))), QStringList({"烧伤50%"}));
    EXPECT_EQ(names(lib.list(LibraryKind::Sample, true, context(), QStringLiteral("伤_"))), QStringList());
    EXPECT_EQ(names(lib.list(LibraryKind::Sample, true, context(), QStringLiteral("x' or '1'='1"))), QStringList());
    // Renaming changes the initials too, so the new name is found by them.
    const LibraryEntry e = lib.list(LibraryKind::Sample, true, context(), QStringLiteral("肺炎")).first();
    ASSERT_TRUE(lib.renameEntry(e, QStringLiteral("支气管哮喘")));
    EXPECT_EQ(names(lib.list(LibraryKind::Sample, true, context(), QStringLiteral("ZQGXC"))), QStringList({"支气管哮喘"}));
    EXPECT_TRUE(lib.list(LibraryKind::Sample, true, context(), QStringLiteral("FY")).isEmpty());
    EXPECT_FALSE(lib.renameEntry(e, QStringLiteral("  ")));
    EXPECT_EQ(ui_.lastText(), "请正确填写模板标题。");
}

TEST_F(LibraryWard, SampleFromOneRecordIsAppliedToAnotherPatientWithNothingOfTheFirstLeft) {
    PatientRecords& r = records();
    ASSERT_TRUE(r.createRecord(QStringLiteral("入院记录")));
    type(QStringLiteral("患者张三，住院号1001，12床，自述发热。"));
    TemplateLibrary lib(files_, doctor_, ui_);
    // An empty title stores nothing.
    EXPECT_EQ(lib.saveRecordAsEntry(LibraryKind::Sample, {QString(), r.openCaption(), false, {}}, editor_.content(), patient_), 0);
    EXPECT_EQ(ui_.lastText(), "请正确填写模板标题。");
    EXPECT_EQ(read(QStringLiteral("select count(*) from 示例病历")).toInt(), 0);
    const qint64 id =
        lib.saveRecordAsEntry(LibraryKind::Sample, {QStringLiteral("肺炎范文"), r.openCaption(), false, {}}, editor_.content(), patient_);
    ASSERT_GT(id, 0);
    EXPECT_EQ(ui_.lastText(), "病历范文保存成功。");
    const QString stored = documentText(read(QStringLiteral("select 内容 from 示例病历 where 编号=%1").arg(id)).toBytes());
    EXPECT_FALSE(stored.contains("张三"));
    EXPECT_FALSE(stored.contains("1001"));
    EXPECT_TRUE(stored.contains("自述发热"));

    // Another doctor applies it to another patient's 入院记录 after finding it by initials.
    patient_.name = QStringLiteral("李四");
    patient_.admissionNumber = QStringLiteral("2002");
    patient_.serialNumber = QStringLiteral("2016000202");
    patient_.bed = QStringLiteral("7");
    patient_.doctor = QStringLiteral("王医生");
    const shell::UserContext wang = other(QStringLiteral("王医生"));
    PatientRecords& second = records(wang);
    ASSERT_TRUE(second.createRecord(QStringLiteral("入院记录")));
    TemplateLibrary his(files_, wang, ui_);
    const QVector<LibraryEntry> found = his.list(LibraryKind::Sample, false, context(), QStringLiteral("FYFW"));
    ASSERT_EQ(found.size(), 1);
    ASSERT_TRUE(his.openEntry(found.first(), library_, QStringLiteral("A")));
    EXPECT_EQ(his.caption(), "当前模板： 肺炎范文");
    EXPECT_FALSE(library_.isModified());
    // The question before replacing: 取消 leaves the record as it was.
    ui_.answerMessageDialog(0);
    EXPECT_FALSE(his.applyEntry(library_, second, editor_));
    EXPECT_FALSE(editor_.document().body()->toPlainText().contains("自述发热"));
    ui_.answerMessageDialog(1);
    ASSERT_TRUE(his.applyEntry(library_, second, editor_));
    const QString applied = editor_.document().body()->toPlainText();
    EXPECT_TRUE(applied.contains("患者李四，住院号2002，7床，自述发热。")) << applied.toStdString();
    EXPECT_FALSE(applied.contains("张三"));
    EXPECT_FALSE(editor_.document().header()->toPlainText().contains("张三"));
    // It waits for 保存病历.
    EXPECT_TRUE(second.isModified());
    // The owner's sample is not the other doctor's to save over.
    EXPECT_FALSE(his.saveEntry(library_));
}

TEST_F(LibraryWard, TextModulesKeepApostrophesAndGoInAtTheCaretFilled) {
    TemplateLibrary lib(files_, doctor_, ui_);
    RecordDocumentPort page;
    QTextCursor(page.document().body()).insertText(QStringLiteral("{姓名}'s 查体：神清。"));
    const qint64 id = lib.saveEntryAs(LibraryKind::Module, {QStringLiteral("查体"), QStringLiteral("常用"), false, {}}, page);
    ASSERT_GT(id, 0);
    EXPECT_EQ(read(QStringLiteral("select 内容 from SXZS where 编号=%1").arg(id)).toText(), "{姓名}'s 查体：神清。");
    const LibraryEntry e = lib.list(LibraryKind::Module, true, context(), QStringLiteral("CT")).value(0);
    ASSERT_EQ(e.id, id);
    ASSERT_TRUE(lib.openEntry(e, library_, QStringLiteral("A")));
    EXPECT_EQ(lib.caption(), "当前模板：常用");
    // Saved again with an apostrophe in the changed text.
    QTextCursor(library_.document().body()).insertText(QStringLiteral("O'Neil "));
    ASSERT_TRUE(lib.saveEntry(library_));
    EXPECT_TRUE(read(QStringLiteral("select 内容 from SXZS where 编号=%1").arg(id)).toText().startsWith("O'Neil "));

    PatientRecords& r = records();
    ASSERT_TRUE(r.createRecord(QStringLiteral("日常病程记录")));
    const int before = editor_.document().body()->characterCount();
    ASSERT_TRUE(lib.applyEntry(library_, r, editor_));
    EXPECT_TRUE(editor_.document().body()->toPlainText().endsWith("O'Neil 张三's 查体：神清。"));
    EXPECT_GT(editor_.document().body()->characterCount(), before);
    // A record the user may only read takes nothing.
    PatientRecords& readOnly = records(other(QStringLiteral("王医生")));
    readOnly.selectEntry(1);
    const QString was = editor_.document().body()->toPlainText();
    EXPECT_FALSE(lib.applyEntry(library_, readOnly, editor_));
    EXPECT_EQ(editor_.document().body()->toPlainText(), was);
    // Group rename renames the group of the user's modules.
    ASSERT_TRUE(lib.renameEntry(e, QStringLiteral("体检")));
    EXPECT_EQ(read(QStringLiteral("select 模块主表 from SXZS where 编号=%1").arg(id)).toText(), "体检");
}

TEST_F(LibraryWard, NewSurgeryTemplateIsStoredWithItsText) {
    TemplateLibrary lib(files_, doctor_, ui_);
    RecordDocumentPort page;
    QTextCursor(page.document().body()).insertText(QStringLiteral("手术经过：麻醉满意后……"));
    const qint64 id = lib.saveEntryAs(LibraryKind::Surgery, {QStringLiteral("阑尾切除术"), {}, true, {}}, page);
    ASSERT_GT(id, 0);
    const store::Row row = db_.query(QStringLiteral("select * from 外科手术记录 where 编号=?"), {id}).first();
    EXPECT_EQ(row.text("内容"), "手术经过：麻醉满意后……");
    EXPECT_EQ(row.text("科室"), "内科");
    EXPECT_EQ(row.text("加密"), "是");
    ASSERT_TRUE(lib.openEntry(lib.list(LibraryKind::Surgery, true, context()).first(), library_, QStringLiteral("B")));
    EXPECT_EQ(library_.document().body()->toPlainText(), "手术经过：麻醉满意后……");
    EXPECT_EQ(library_.document().paper().width, 1820);
    EXPECT_EQ(lib.caption(), "当前模板： 手术记录模板");
}

TEST_F(LibraryWard, RelatedRecordsOfOtherPatientsByDiagnosisStem) {
    auto addPatient = [&](const QString& serial, const QString& number, const QString& name, const QString& state,
                          const QString& diagnosis) {
        exec(QStringLiteral("insert into 在院病人 (住院编号,住院号,姓名,状态,主管医生,诊断) values (?,?,?,?,?,?)"),
             {serial, number, name, state, doctor_.userName, diagnosis});
        RecordDocumentPort doc;
        QTextCursor(doc.document().body()).insertText(name + QStringLiteral("的入院记录"));
        exec(QStringLiteral("insert into 在院病历 (检索,病历,标题,数据) values (?,'入院记录','入院记录',?)"),
             {serial, doc.content()});
    };
    addPatient(QStringLiteral("s1"), QStringLiteral("501"), QStringLiteral("甲"), QStringLiteral("出院"), QStringLiteral("慢性阑尾炎"));
    addPatient(QStringLiteral("s2"), QStringLiteral("502"), QStringLiteral("乙"), QStringLiteral("待结"), QStringLiteral("胃溃疡"));
    addPatient(QStringLiteral("s3"), patient_.admissionNumber, patient_.name, QStringLiteral("在院"), QStringLiteral("急性阑尾炎"));
    patient_.diagnosis = QStringLiteral("急性阑尾炎");
    TemplateLibrary lib(files_, doctor_, ui_);
    const QVector<LibraryEntry> related = lib.list(LibraryKind::Related, true, context());
    EXPECT_EQ(names(related), QStringList({"出院 甲 入院记录"}));
    EXPECT_EQ(names(lib.list(LibraryKind::Related, true, context(), QStringLiteral("溃疡"))), QStringList({"待结 乙 入院记录"}));
    ASSERT_TRUE(lib.openEntry(related.first(), library_, QStringLiteral("A")));
    EXPECT_EQ(library_.document().body()->toPlainText(), "甲的入院记录");
    EXPECT_EQ(library_.protection(), Protection::ReadOnly);
    // Nobody renames, shares or deletes another patient's record through the library.
    EXPECT_FALSE(lib.setPrivate(related.first(), true));
    EXPECT_FALSE(lib.deleteEntry(related.first()));
}

}  // namespace
}  // namespace qh::records
