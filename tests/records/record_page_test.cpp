// The record page on the main window: the Add menu makes a document that opens in the
// editor, the page offers a modified document before the page, the patient or the window
// changes, and the pop-up menu follows the edit right. Screenshot: record-page.png.
#include <QtWidgets>

#include "records/editor/Revisions.h"
#include "records/ui/DocumentEditor.h"
#include "records/ui/RecordCommands.h"
#include "records/ui/RecordPage.h"
#include "records/ui/RecordTextEdit.h"
#include "records/ui/TemplateCommands.h"
#include "records_fixture.h"
#include "shell/MainCommands.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/PatientListPanel.h"
#include "support/screenshot.h"

namespace qh::records {
namespace {

class RecordPageTest : public test::RecordsWard {
protected:
    void SetUp() override {
        RecordsWard::SetUp();
        if (HasFatalFailure()) return;
        exec("insert into 在院病人 (住院编号, 住院号, 姓名, 性别, 年龄, 诊断, 床号, 科室, 主管医生, 状态, 病室, 入院日期, 出生日期, 主诉, 住址, 职业, 联系电话) "
             "values ('2016000101', '1001', '张三', '男', '40岁', '社区获得性肺炎', '12', '内科', '李医生', '在院', '3', "
             "'2016年3月5日8时30分', '1976年2月1日', '发热、咳嗽、咳痰4天', '青禾县人民路12号', '农民', '13812345678')");
        patientId_ = read("select max(编号) from 在院病人").toInt();
        exec("insert into 在院病人 (住院编号, 姓名, 性别, 科室, 主管医生, 状态) values ('2016000102', '李四', '女', '内科', '李医生', '在院')");
        window_ = new shell::MainWindow(doctor_, files_, ui_);
        page_ = installRecordPage(*window_);
        installTemplateCommands(*window_, recordCreator(*window_, page_));
        window_->resize(1180, 760);
    }
    void TearDown() override {
        delete window_;
        RecordsWard::TearDown();
    }
    QString addItemCaptioned(const QString& caption) {
        for (int i = 1; i <= shell::kAddMenuItems; ++i)
            if (window_->commands().caption(shell::cmd::addItem(i)) == caption) return shell::cmd::addItem(i);
        return {};
    }
    void write(const QString& text) {
        QTextCursor c = page_->editor()->bodyView()->textCursor();
        c.movePosition(QTextCursor::End);
        page_->editor()->bodyView()->setTextCursor(c);
        page_->editor()->bodyView()->insertPlainText(text);
    }

    shell::MainWindow* window_ = nullptr;
    RecordPage* page_ = nullptr;
    qint64 patientId_ = 0;
};

TEST_F(RecordPageTest, AddMenuMakesADocumentThatOpensAndIsOfferedBeforeLeaving) {
    ASSERT_TRUE(window_->selection().select(patientId_, shell::PatientStatus::InWard));
    EXPECT_EQ(window_->pages().current(), shell::WorkPage::Records);
    const QString item = addItemCaptioned("日常病程记录");
    ASSERT_FALSE(item.isEmpty());
    ASSERT_TRUE(window_->commands().run(item));
    ASSERT_EQ(page_->documentList()->count(), 2);
    EXPECT_EQ(page_->documentList()->currentRow(), 1);
    EXPECT_EQ(window_->statusBar()->currentMessage(), "当前病历： 张三─日常病程记录");
    EXPECT_TRUE(page_->editor()->document().body()->toPlainText().contains("张三"));
    EXPECT_FALSE(page_->editor()->document().header()->isEmpty());

    // Leaving the page offers the changed document; answered yes, it is stored.
    write("患者今日体温37.6℃，咳嗽较前减轻。");
    EXPECT_TRUE(page_->insertAtCaret("予银翘散加减。"));  // a passage from the reference windows
    EXPECT_TRUE(page_->editor()->document().body()->toPlainText().contains("予银翘散加减。"));
    ui_.answerMessageDialog(1);  // the prompt
    ui_.answerMessageDialog(1);  // 保存成功
    window_->pages().show(shell::WorkPage::Templates);
    EXPECT_EQ(ui_.shown().at(0).text, "     患者     【张三】\r\r《日常病程记录》已修改，是否保存？");
    EXPECT_TRUE(storedText(page_->records().openId()).contains("37.6℃"));

    // Closing the window asks too; a "no" leaves the stored document as it was.
    window_->pages().show(shell::WorkPage::Records);
    write("未保存的一句。");
    ui_.clear();
    window_->close();
    ASSERT_EQ(ui_.shown().size(), 1);
    EXPECT_TRUE(ui_.shown().at(0).text.endsWith("已修改，是否保存？"));
    EXPECT_FALSE(storedText(page_->records().openId()).contains("未保存的一句"));
}

TEST_F(RecordPageTest, OpeningAFileWaitsForSaveAndSavingAsKeepsTheDocumentToSave) {
    ASSERT_TRUE(window_->selection().select(patientId_, shell::PatientStatus::InWard));
    ASSERT_TRUE(window_->commands().run(addItemCaptioned("日常病程记录")));
    QFile text(dir_.file("note.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("外院转来的病程记录。");
    text.close();
    ui_.answerPath(dir_.file("note.txt"));
    ASSERT_TRUE(window_->commands().run(shell::cmd::OpenFile));
    EXPECT_TRUE(page_->editor()->document().body()->toPlainText().contains("外院转来"));
    EXPECT_TRUE(page_->records().isModified()) << "stored only by 保存病历";
    EXPECT_FALSE(storedText(page_->records().openId()).contains("外院转来"));

    // Saved as a file: ".ewd" added, and the document still waits for 保存病历.
    ui_.answerPath(dir_.file("copy.ost"));
    ASSERT_TRUE(window_->commands().run(shell::cmd::SaveAs));
    EXPECT_EQ(ui_.lastText(), "文件保存成功！");
    EXPECT_TRUE(QFile::exists(dir_.file("copy.ost.ewd")));
    EXPECT_TRUE(page_->records().isModified());
    page_->records().discardChanges();
}

TEST_F(RecordPageTest, AnotherDoctorsChangesAreRevisionsTheResponsibleDoctorSettles) {
    ASSERT_TRUE(window_->selection().select(patientId_, shell::PatientStatus::InWard));
    ASSERT_TRUE(window_->commands().run(addItemCaptioned("入院记录")));
    const qint64 id = page_->records().openId();

    // The chief physician reviews the record: what he types and deletes is kept as revisions.
    delete window_;
    shell::UserContext chief = doctor_;
    chief.userName = QStringLiteral("王主任");
    window_ = new shell::MainWindow(chief, files_, ui_);
    page_ = installRecordPage(*window_);
    window_->resize(1180, 760);
    window_->patientList().showStatus(shell::PatientStatus::InWard);
    window_->listPanel().switchDoctor(1);  // the department's patients
    window_->patientList().showStatus(shell::PatientStatus::InWard);
    ASSERT_TRUE(window_->patientList().selectPatient(patientId_));
    page_->selectEntry(1);
    EXPECT_TRUE(page_->findChild<QLabel*>("recordStatus")->text().contains("修订模式"));
    QTextEdit* view = page_->editor()->bodyView();
    QTextCursor at = page_->editor()->document().body()->find("现病史：");
    ASSERT_FALSE(at.isNull());
    at.clearSelection();
    view->setTextCursor(at);
    for (const QString& ch : QStringList{"既", "往", "吸", "烟", "2", "0", "年", "。"}) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, ch);
        QApplication::sendEvent(view, &key);
    }
    // A phrase of the template's text is deleted: struck out, kept until settled.
    view->setTextCursor(page_->editor()->document().body()->find("无明显诱因"));
    QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(view, &back);
    EXPECT_TRUE(page_->editor()->document().body()->toPlainText().contains("无明显诱因"));
    EXPECT_EQ(revisionCount(page_->editor()->document().body()), 2);
    ui_.answerMessageDialog(1);
    ASSERT_TRUE(window_->commands().run(shell::cmd::SaveRecord));
    window_->show();
    QApplication::processEvents();
    view->verticalScrollBar()->setValue(0);
    QApplication::processEvents();
    test::screenshot(*window_, "record-revisions.png");

    // The responsible doctor sees them signed and settles them.
    delete window_;
    window_ = new shell::MainWindow(doctor_, files_, ui_);
    page_ = installRecordPage(*window_);
    ASSERT_TRUE(window_->selection().select(patientId_, shell::PatientStatus::InWard));
    page_->selectEntry(1);
    QTextDocument* body = page_->editor()->document().body();
    ASSERT_GE(revisionCount(body), 2);
    const QTextCursor typed = body->find("既往");
    EXPECT_EQ(revisionAt(body, typed.selectionStart())->author, "王主任");
    ASSERT_TRUE(window_->commands().run("revision.acceptAll"));
    EXPECT_EQ(revisionCount(body), 0);
    EXPECT_TRUE(body->toPlainText().contains("既往吸烟20年。"));
    EXPECT_FALSE(body->toPlainText().contains("无明显诱因")) << "the deletion accepted";
    ui_.answerMessageDialog(1);
    ASSERT_TRUE(window_->commands().run(shell::cmd::SaveRecord));
    EXPECT_TRUE(storedText(id).contains("既往吸烟20年。"));
}

TEST_F(RecordPageTest, SavingIsSwitchedOffForADocumentTheUserMayOnlyRead) {
    delete window_;
    shell::UserContext nurse;
    nurse.userName = QStringLiteral("赵护士");
    window_ = new shell::MainWindow(nurse, files_, ui_);
    page_ = installRecordPage(*window_);
    ASSERT_TRUE(window_->selection().select(patientId_, shell::PatientStatus::InWard));
    EXPECT_TRUE(window_->commands().isEnabled(shell::cmd::SaveRecord)) << "entry 0 saves the form";
    ASSERT_TRUE(page_->records().createRecord("日常病程记录"));
    EXPECT_FALSE(window_->commands().isEnabled(shell::cmd::SaveRecord));
    EXPECT_EQ(page_->findChild<QLabel*>("recordStatus")->text(), "当前病历： 张三─日常病程记录（只读）");
    // A reference passage is refused by a record the user may only read.
    EXPECT_FALSE(page_->insertAtCaret("银翘散"));
    EXPECT_FALSE(page_->editor()->document().body()->toPlainText().contains("银翘散"));
    page_->selectEntry(0);
    EXPECT_TRUE(window_->commands().isEnabled(shell::cmd::SaveRecord));
}

TEST_F(RecordPageTest, PopUpMenuFollowsTheEditRightAndTheLookIsRecorded) {
    window_->patientList().showStatus(shell::PatientStatus::InWard);
    ASSERT_TRUE(window_->patientList().selectPatient(patientId_));
    ASSERT_TRUE(window_->commands().run(addItemCaptioned("入院记录")));
    ASSERT_TRUE(window_->commands().run(addItemCaptioned("日常病程记录")));
    page_->selectEntry(1);
    // The doctor writes the history of the present illness.
    QTextEdit* view = page_->editor()->bodyView();
    QTextCursor at = page_->editor()->document().body()->find("现病史：");
    ASSERT_FALSE(at.isNull());
    at.clearSelection();
    view->setTextCursor(at);
    QTextCharFormat plain;
    plain.setFontWeight(QFont::Normal);
    view->mergeCurrentCharFormat(plain);
    view->insertPlainText("患者4天前受凉后出现发热，体温最高39.2℃，伴咳嗽、咳黄痰，无胸痛、咯血。");
    QLabel* status = page_->findChild<QLabel*>("recordStatus");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), "当前病历： 张三─入院记录");
    page_->documentMenu()->popup(QPoint());  // shows the state the menu has for this document
    page_->documentMenu()->hide();
    QAction* deleteAction = page_->documentMenu()->findChild<QAction*>("delete");
    ASSERT_NE(deleteAction, nullptr);
    EXPECT_TRUE(deleteAction->isEnabled());

    window_->show();
    QApplication::processEvents();
    view->verticalScrollBar()->setValue(0);
    QApplication::processEvents();
    test::screenshot(*window_, "record-page.png");
    ui_.answerMessageDialog(0);  // closing: the changes are not kept
}

}  // namespace
}  // namespace qh::records
