// Record documents: numbering and the once-only rule, the Add menu's key, composition,
// saving, deleting, the edit right, damaged documents and continued printing.
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextTable>

#include "records/documents/RecordComposition.h"
#include "records/editor/NamedFields.h"
#include "records/editor/PagePrinter.h"
#include "records/editor/Revisions.h"
#include "records_fixture.h"
#include "support/full_disk.h"

namespace qh::records {
namespace {

using test::RecordsWard;
const QString kNote = QStringLiteral("日常病程记录");

TEST_F(RecordsWard, MultiAddNumbersCopiesAndNeverReusesATitle) {
    PatientRecords& r = records();
    ASSERT_TRUE(r.createRecord(kNote));
    ASSERT_TRUE(r.createRecord(kNote));
    ASSERT_TRUE(r.createRecord(kNote));
    ASSERT_EQ(r.entries().size(), 4);
    const QStringList names{r.entries()[1].caption, r.entries()[2].caption, r.entries()[3].caption};
    EXPECT_EQ(names, QStringList({"日常病程记录", "日常病程记录2", "日常病程记录3"}));
    for (int i = 1; i <= 3; ++i) {
        const store::Row stored = row(r.entries()[i].id);
        EXPECT_EQ(stored.text("病历"), names[i - 1]);
        EXPECT_EQ(stored.text("标题"), i == 1 ? kNote : kNote + QString::number(i));
        EXPECT_EQ(stored.text("病历次数"), kNote);
        EXPECT_EQ(stored.text("检索"), patient_.serialNumber);
    }
    // The second copy goes; two copies remain, so the next would be number 3, which exists.
    const qint64 third = r.entries()[3].id;
    r.selectEntry(2);
    ui_.answerMessageDialog(1);
    ASSERT_TRUE(r.deleteRecord());
    ASSERT_TRUE(r.createRecord(kNote));
    EXPECT_EQ(r.openCaption(), "日常病程记录4");
    EXPECT_EQ(r.lastCreatedTitle(), kNote + "4");
    // The doctor's text goes into the new row, not into the older copy of a similar title.
    type(QStringLiteral("今日体温降至37.2℃。"));
    ASSERT_TRUE(r.saveRecord());
    EXPECT_TRUE(storedText(r.openId()).contains("37.2℃"));
    EXPECT_FALSE(storedText(third).contains("37.2℃"));
    EXPECT_NE(r.openId(), third);
}

TEST_F(RecordsWard, OnceOnlyTemplateRefusesASecondCopy) {
    PatientRecords& r = records();
    ASSERT_TRUE(r.createRecord("入院记录"));
    const int before = rowCount();
    EXPECT_FALSE(r.createRecord("入院记录"));
    EXPECT_EQ(ui_.lastText(), "你已经添加【入院记录】模块");
    EXPECT_EQ(rowCount(), before);
    EXPECT_EQ(r.entries().size(), 2);
}

TEST_F(RecordsWard, AddMenuPicksTheSexVariantAndFallsBackToTheItemKey) {
    PatientRecords& r = records();
    ASSERT_TRUE(r.addRecordFromMenu("住院病历"));
    EXPECT_EQ(row(r.openId()).text("标题"), "男住院病历");

    patient_.sex = QStringLiteral("未知");
    patient_.serialNumber = QStringLiteral("2016000102");
    PatientRecords& other = records();
    ASSERT_TRUE(other.addRecordFromMenu("住院病历"));
    EXPECT_EQ(row(other.openId()).text("标题"), "住院病历");

    // No template at all: said so, and no empty untitled row.
    const int before = rowCount();
    EXPECT_FALSE(other.createRecord("不存在的模板"));
    EXPECT_TRUE(ui_.lastText().contains("不存在的模板"));
    EXPECT_EQ(rowCount(), before);
}

TEST_F(RecordsWard, CompositionFillsHeaderPlaceholdersAndCellsInOnePass) {
    patient_.complaint = QStringLiteral("{日期}后发热{姓 名}");
    PatientRecords& r = records();
    ASSERT_TRUE(r.createRecord("住院病历"));
    RecordDocument& doc = editor_.document();
    const QString body = doc.body()->toPlainText();
    EXPECT_TRUE(body.contains("{日期}后发热{姓 名}")) << "a value is not rewritten by a later placeholder";
    EXPECT_TRUE(body.contains("张三"));
    EXPECT_TRUE(body.contains("1976年2月1日")) << "CSRQ from the stored birth date";
    EXPECT_TRUE(body.contains("2016年3月5日8时"));
    const QString header = doc.header()->toPlainText();
    EXPECT_TRUE(header.contains("青禾县人民医院"));
    EXPECT_TRUE(header.contains("姓名：张三"));
    EXPECT_FALSE(header.contains("{眉头}"));

    // Without a birth date the year comes from the age in years; an age in months gives none.
    patient_.birthDate.clear();
    EXPECT_EQ(familyBirthDateText(patient_), "1976年1月1日");
    patient_.age = QStringLiteral("3月");
    EXPECT_EQ(familyBirthDateText(patient_), "");
}

TEST_F(RecordsWard, AnAliasOnSeveralCellsFillsThemAllAndTemplateLeftoversGo) {
    RecordDocument doc;
    QTextCursor c(doc.body());
    QTextTable* t = c.insertTable(1, 2);
    setCellAlias(t->cellAt(0, 0), "XM");
    setCellAlias(t->cellAt(0, 1), "XM");
    doc.setProtection(Protection::FormFill);
    doc.setPrintMark({3, "x"});
    QTextCursor end(doc.body());
    end.movePosition(QTextCursor::End);
    insertTracked(end, "待定", "王主任", QDateTime::currentDateTime());
    doc.header()->setPlainText("预览页眉");
    CompositionInput in;
    in.patient = patient_;
    in.key = "日常病程记录";
    in.now = QDateTime(QDate(2016, 3, 7), QTime(15, 5));
    composeRecord(doc, {}, in);
    EXPECT_EQ(t->cellAt(0, 0).firstCursorPosition().block().text(), "张三");
    EXPECT_EQ(t->cellAt(0, 1).firstCursorPosition().block().text(), "张三");
    EXPECT_EQ(doc.protection(), Protection::None);
    EXPECT_EQ(doc.printMark().position, -1);
    EXPECT_EQ(revisionCount(doc.body()), 0);
    EXPECT_TRUE(doc.header()->isEmpty()) << "a template without header gives a record without one";
}

TEST_F(RecordsWard, AFailedInsertAddsNoEntry) {
    PatientRecords& r = records();
    exec("create trigger refuse before insert on 在院病历 begin select raise(abort, 'disk full'); end");
    EXPECT_FALSE(r.createRecord(kNote));
    EXPECT_EQ(ui_.lastText(), "《日常病程记录》添加失败！");
    EXPECT_EQ(r.entries().size(), 1);
    EXPECT_EQ(r.openId(), 0);
}

TEST_F(RecordsWard, SaveSaysSavedOnlyWhenARowChanged) {
    PatientRecords& r = records();
    ASSERT_TRUE(r.createRecord(kNote));
    type("咳嗽减轻。");
    ASSERT_TRUE(r.saveRecord());
    EXPECT_EQ(ui_.lastText(), " 患者【张三】\r\r《日常病程记录》保存成功！");
    EXPECT_FALSE(r.isModified());

    exec("delete from 在院病历");  // gone at another workstation
    type("又写了一句。");
    EXPECT_FALSE(r.saveRecord());
    EXPECT_EQ(ui_.lastText(), " 患者【张三】\r\r《日常病程记录》保存失败！");
    EXPECT_TRUE(r.isModified());
}

// A full disk during a save: "保存失败", the document stays modified (nothing is lost from
// the screen), and the stored copy is the last one saved, whole.
TEST_F(RecordsWard, AFullDiskDuringASaveKeepsTheStoredCopyAndTheTyping) {
    PatientRecords& r = records();
    ASSERT_TRUE(r.createRecord(kNote));
    type("咳嗽减轻。");
    ASSERT_TRUE(r.saveRecord());
    type(QString(4000, QChar(0x75c5)));  // enough text to need new pages in the file
    {
        qh::test::FullDisk disk(0);
        EXPECT_FALSE(r.saveRecord());
        EXPECT_GT(disk.refusedWrites(), 0);
    }
    EXPECT_EQ(ui_.lastText(), " 患者【张三】\r\r《日常病程记录》保存失败！");
    EXPECT_TRUE(r.isModified());
    EXPECT_TRUE(storedText(r.openId()).contains("咳嗽减轻。"));
    EXPECT_FALSE(storedText(r.openId()).contains(QString(40, QChar(0x75c5))));
    ASSERT_TRUE(r.saveRecord());  // room again: the typing was kept and now saves
    EXPECT_TRUE(storedText(r.openId()).contains(QString(40, QChar(0x75c5))));
}

TEST_F(RecordsWard, ADamagedDocumentOpensEmptyAndReadOnlyAndIsNeverSavedOver) {
    PatientRecords& r = records();
    ASSERT_TRUE(r.createRecord(kNote));
    const qint64 id = r.openId();
    exec("update 在院病历 set 数据=? where 编号=?", {QByteArray("not a document"), id});
    r.listRecords(patient_);
    r.selectEntry(1);
    EXPECT_TRUE(r.openFailed());
    EXPECT_TRUE(ui_.lastText().contains("已损坏"));
    EXPECT_TRUE(editor_.document().body()->isEmpty());
    EXPECT_EQ(editor_.protection(), Protection::ReadOnly);
    editor_.setModified(true);
    EXPECT_FALSE(r.isModified());
    EXPECT_FALSE(r.saveRecord());
    EXPECT_EQ(row(id).bytes("数据"), QByteArray("not a document"));
}

TEST_F(RecordsWard, CreatingOffersToSaveTheOpenDocumentFirst) {
    PatientRecords& r = records();
    ASSERT_TRUE(r.createRecord(kNote));
    const qint64 first = r.openId();
    type("未保存的内容");
    ui_.answerMessageDialog(1);
    ASSERT_TRUE(r.createRecord(kNote));
    EXPECT_EQ(ui_.shown()[0].text, "     患者     【张三】\r\r《日常病程记录》已修改，是否保存？");
    EXPECT_TRUE(storedText(first).contains("未保存的内容"));
}

TEST_F(RecordsWard, TheEditRightIsTheLogicsNotTheButtons) {
    ASSERT_TRUE(records().createRecord(kNote));
    shell::UserContext nurse;
    nurse.userName = QStringLiteral("赵护士");
    PatientRecords& r = records(nurse);
    r.selectEntry(1);
    EXPECT_EQ(editor_.protection(), Protection::ReadOnly);
    editor_.setProtection(Protection::None);  // e.g. a file import replaced the content
    r.contentReplaced();
    EXPECT_EQ(editor_.protection(), Protection::ReadOnly);
    type("护士写的");
    EXPECT_FALSE(r.isModified()) << "no save offered";
    EXPECT_FALSE(r.saveRecord());
    EXPECT_FALSE(storedText(r.openId()).contains("护士写的"));
    EXPECT_FALSE(r.deleteRecord());
    EXPECT_EQ(rowCount(), 1);

    // Another doctor with the right writes with tracked changes, signed with the name.
    shell::UserContext chief = doctor_;
    chief.userName = QStringLiteral("王主任");
    PatientRecords& c = records(chief);
    c.selectEntry(1);
    EXPECT_EQ(editor_.protection(), Protection::None);
    EXPECT_TRUE(editor_.trackChanges());
    EXPECT_EQ(editor_.document().revisionAuthor(), "王主任");
    EXPECT_FALSE(c.deleteRecord()) << "only the 主管医生 deletes";
    // The 主管医生 writes plainly.
    records().selectEntry(1);
    EXPECT_FALSE(editor_.trackChanges());
}

TEST_F(RecordsWard, DeleteAsksAndOpensTheNextEntry) {
    PatientRecords& r = records();
    ASSERT_TRUE(r.createRecord("入院记录"));
    ASSERT_TRUE(r.createRecord(kNote));
    r.selectEntry(1);
    ui_.answerMessageDialog(0);
    EXPECT_FALSE(r.deleteRecord());
    EXPECT_EQ(ui_.lastText(), "你确定要删除患者【张三—入院记录】吗？\r\n\r\n注意：删除后病历不可恢复！");
    EXPECT_EQ(rowCount(), 2);
    ui_.answerMessageDialog(1);
    ASSERT_TRUE(r.deleteRecord());
    EXPECT_EQ(rowCount(), 1);
    EXPECT_EQ(r.selected(), 1);
    EXPECT_EQ(r.openCaption(), kNote);
}

TEST_F(RecordsWard, ContinuedPrintingStoresTheMarkSoTheNextContinuesAfterIt) {
    PatientRecords& r = records();
    ASSERT_TRUE(r.createRecord(kNote));
    const qint64 id = r.openId();
    type("第一天记录。");
    EXPECT_EQ(r.continuePrintRecord().status, PrintStatus::Printed);
    RecordDocument stored;
    ASSERT_TRUE(decodeEwd(row(id).bytes("数据"), stored, nullptr));
    EXPECT_GE(stored.printMark().position, 0) << "the mark reached the database";
    EXPECT_FALSE(r.isModified());
    // Nothing new: nothing printed twice.
    EXPECT_EQ(r.continuePrintRecord().status, PrintStatus::NothingToPrint);
    EXPECT_EQ(ui_.lastText(), kNothingToPrint);

    // A plain print is no change of the doctor's.
    EXPECT_EQ(r.printRecord().status, PrintStatus::Printed);
    EXPECT_FALSE(r.isModified());

    // The store step fails: said so, and nothing printed.
    const int before = printed_;
    exec("delete from 在院病历");
    type("第二天记录。");
    EXPECT_NE(r.continuePrintRecord().status, PrintStatus::Printed);
    EXPECT_EQ(printed_, before);
    EXPECT_TRUE(ui_.lastText().endsWith("保存失败！"));
}

}  // namespace
}  // namespace qh::records

namespace qh::records {
namespace {

// Every starter template makes a record with nothing left to fill: no known placeholder
// stays in the text, every named cell holds the patient's value, the header is the
// patient's, and the record prints.
TEST_F(RecordsWard, EveryStarterTemplateComposesCompletely) {
    static const QRegularExpression known(
        "\\{(姓名|性别|年龄|诊断|床号|住址|科室|主诉|住院号|主管医生|病室|医疗证号|职业|出生日期|联系电话|身份证号|联系人|"
        "患者关系|T|P|R|Bp|天数|日期\\d?|入院日期\\d?|医院名称|眉头)\\}");
    patient_.occupation = QStringLiteral("教师");
    patient_.address = QStringLiteral("青禾县人民路12号");
    PatientRecords& r = records();
    const store::Rows keys = db_.query("select 检索 from GSMB where 纸张='A' and 检索<>'通用页眉' order by 顺序");
    ASSERT_GT(keys.size(), 20);
    for (const store::Row& key : keys) {
        const QString k = key.text("检索");
        ASSERT_TRUE(r.createRecord(k)) << k.toStdString() << " " << ui_.lastText().toStdString();
        RecordDocument& doc = editor_.document();
        const QString text = doc.body()->toPlainText() + doc.header()->toPlainText();
        EXPECT_FALSE(known.match(text).hasMatch()) << k.toStdString() << ": " << known.match(text).captured().toStdString();
        EXPECT_TRUE(doc.header()->toPlainText().contains("姓名：张三")) << k.toStdString();
        if (QTextTableCell cell = findNamedCell(doc.body(), "XM"); cell.isValid())
            EXPECT_EQ(cell.firstCursorPosition().block().text(), "张三") << k.toStdString();
        EXPECT_EQ(r.printRecord().status, PrintStatus::Printed) << k.toStdString();
    }
    EXPECT_EQ(r.entries().size(), keys.size() + 1);
}

}  // namespace
}  // namespace qh::records
