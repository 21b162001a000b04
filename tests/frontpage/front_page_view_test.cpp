// The front-page tab through its controls: the Designer forms filled and read by column
// name, the paper's Tab order, lookups from fields and grids, saving, the date check, the
// preview, and the page without a patient.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>

#include "frontpage/FrontPageColumns.h"
#include "frontpage/ui/FrontDateEdit.h"
#include "frontpage/ui/FrontPageCommands.h"
#include "frontpage/ui/FrontPageView.h"
#include "frontpage_fixture.h"
#include "records/ui/DocumentEditor.h"
#include "shell/MainCommands.h"
#include "shell/PatientSelection.h"
#include "shell/ui/MainWindow.h"

using namespace qh;
using namespace qh::frontpage;

namespace {

void pressEnter(QWidget* w) {
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
}

class FrontPageViewTest : public test::FrontPageFixture {
protected:
    void SetUp() override {
        FrontPageFixture::SetUp();
        if (HasFatalFailure()) return;
        selection = std::make_unique<shell::PatientSelection>(files());
        view = std::make_unique<FrontPageView>(files(), user_, ui_, *selection);
        view->resize(1000, 760);
    }
    template <typename T>
    T* field(const char* name) {
        T* found = view->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString cell(const char* grid, int row, int column) {
        QTableWidgetItem* item = field<QTableWidget>(grid)->item(row, column);
        return item ? item->text() : QString();
    }
    void open() {
        ASSERT_TRUE(selection->select(patientId_, shell::PatientStatus::Discharged));
        view->refresh();
    }
    std::unique_ptr<shell::PatientSelection> selection;
    std::unique_ptr<FrontPageView> view;
};

TEST_F(FrontPageViewTest, TheFormsArePrefilledAndMoveByTabInTheOrderOfThePaper) {
    view->refresh();
    EXPECT_FALSE(view->isEnabled());  // nobody selected
    open();
    EXPECT_TRUE(view->isEnabled());
    EXPECT_EQ(field<QLineEdit>("XM")->text(), "张三");
    EXPECT_EQ(field<QComboBox>("XB")->currentText(), "1 男");
    EXPECT_EQ(field<QComboBox>("HYDM")->currentIndex(), -1);
    EXPECT_EQ(field<QComboBox>("RYKS")->currentText(), "内科");
    EXPECT_EQ(field<FrontDateEdit>("CYRQ")->value(), QDateTime(QDate(2016, 3, 9), QTime(10, 0)));
    EXPECT_EQ(field<FrontDateEdit>("ZKRQ")->value(), QDateTime());
    EXPECT_EQ(field<QLineEdit>("ZYTS")->text(), "4");
    EXPECT_EQ(field<QComboBox>("KZRQM")->count(), 2);  // the users
    EXPECT_EQ(view->westernValues()["LXRXM"], "张四");

    QStringList order;
    QWidget* w = field<QWidget>("YLFFFS");
    for (int i = 0; i < 2000 && order.size() < 12; ++i, w = w->nextInFocusChain())
        if (findColumn(w->objectName()) && !order.contains(w->objectName())) order << w->objectName();
    EXPECT_EQ(order, (QStringList{"YLFFFS", "JKKH", "ZYCS", "BAH", "XM", "XB", "CSRQ", "NL", "GJ", "NLY", "TZ", "RYTZ"}));
}

TEST_F(FrontPageViewTest, EnterSearchesFromFieldsAndGridsAndAPickFillsNameAndCode) {
    open();
    view->show();
    auto* mzzd = field<QLineEdit>("MZZD");
    mzzd->setText("肺");
    pressEnter(mzzd);
    QTableWidget* list = view->resultList(false);
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->geometry().top(), mzzd->mapTo(view->westernForm(), QPoint(0, mzzd->height())).y());
    pressEnter(list);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(mzzd->text(), "肺炎");
    EXPECT_EQ(field<QLineEdit>("MZBM")->text(), "J18");

    auto* grid = field<QTableWidget>("diagnosisGrid");
    grid->item(1, 0)->setText("gm");
    grid->setCurrentCell(1, 0);
    pressEnter(grid);
    ASSERT_TRUE(list->isVisible());
    pressEnter(list);
    EXPECT_EQ(cell("diagnosisGrid", 1, 0), "感冒");
    EXPECT_EQ(cell("diagnosisGrid", 1, 1), "J00");

    auto* ops = field<QTableWidget>("operationGrid");
    ops->item(0, 3)->setText("阑尾");
    ops->setCurrentCell(0, 3);
    pressEnter(ops);
    pressEnter(list);
    EXPECT_EQ(cell("operationGrid", 0, 3), "阑尾切除术");
    EXPECT_EQ(cell("operationGrid", 0, 0), "47.09");

    // In the TCM grid the column decides: 中医证型 searches syndromes and fills 症候编码.
    view->tabs()->setCurrentIndex(1);
    auto* tcm = field<QTableWidget>("tcmGrid");
    tcm->item(0, 1)->setText("风寒");
    tcm->setCurrentCell(0, 1);
    pressEnter(tcm);
    QTableWidget* tcmList = view->resultList(true);
    ASSERT_TRUE(tcmList->isVisible());
    pressEnter(tcmList);
    EXPECT_EQ(cell("tcmGrid", 0, 1), "风寒犯表证");
    EXPECT_EQ(cell("tcmGrid", 0, 3), "ZBSW10");
    EXPECT_EQ(cell("tcmGrid", 0, 0), "");
}

TEST_F(FrontPageViewTest, SavingBothPagesKeepsUnknownCodesAndThePreviewShowsTheSavedPage) {
    ASSERT_EQ(rows(), 0);
    open();
    EXPECT_EQ(rows(), 0);  // opening writes nothing
    field<QComboBox>("HYDM")->setCurrentIndex(1);
    field<QLineEdit>("ZFY")->setText("1234.56");
    view->saveShown();
    EXPECT_EQ(ui_.lastText(), "患者 【张三】  病案信息保存成功！");
    EXPECT_EQ(bajk("HYDM"), "2");
    EXPECT_EQ(bajk("XB"), "1");

    view->tabs()->setCurrentIndex(1);
    field<QComboBox>("DRGS")->setCurrentIndex(3);
    view->saveShown();
    EXPECT_EQ(ui_.lastText(), "患者 【张三】  中医病案信息保存成功！");
    EXPECT_EQ(bajk("DRGS"), "4");

    exec("update BAJK set HYDM='7', XB=NULL");
    view->tabs()->setCurrentIndex(0);
    view->refresh();
    EXPECT_EQ(field<QComboBox>("HYDM")->currentText(), "7");
    EXPECT_EQ(field<QComboBox>("XB")->currentIndex(), -1);
    view->saveShown();
    EXPECT_EQ(bajk("HYDM"), "7");
    EXPECT_EQ(bajk("XB"), "");

    // A discharge before the admission is refused and the shown date comes back.
    auto* discharge = field<FrontDateEdit>("CYRQ");
    discharge->setValue(QDateTime(QDate(2016, 3, 1), QTime(9, 0)));
    emit discharge->editingFinished();
    EXPECT_EQ(ui_.lastText(), "操作错误，出院日期不能小于入院日期");
    EXPECT_EQ(discharge->value(), QDateTime(QDate(2016, 3, 9), QTime(10, 0)));
    discharge->setValue(QDateTime(QDate(2016, 3, 5), QTime(17, 0)));
    emit discharge->editingFinished();
    EXPECT_EQ(field<QLineEdit>("ZYTS")->text(), "1");

    // The preview prints what is saved: the changed discharge is offered for saving first.
    ui_.answerMessageDialog(1);
    view->tabs()->setCurrentIndex(2);
    EXPECT_EQ(bajk("ZYTS"), "1");
    records::DocumentEditor* preview = view->preview();
    EXPECT_EQ(preview->protection(), records::Protection::ReadOnly);
    EXPECT_FALSE(preview->isModified());
    EXPECT_TRUE(preview->document().body()->toPlainText().contains("住 院 病 案 首 页"));
    EXPECT_TRUE(preview->document().body()->toPlainText().contains("1235"));
    const QString pdf = dir_.file("front.pdf");
    view->exportPdf(pdf);
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
}

TEST_F(FrontPageViewTest, WhatWasTypedIsOfferedForSavingBeforeAnotherPatientIsShown) {
    open();
    EXPECT_FALSE(view->hasUnsavedChanges());  // prefilled, not typed
    const qint64 other = addPatient({.name = QStringLiteral("李四")});
    const QString otherSerial = read(QStringLiteral("select 住院编号 from 在院病人 where 编号=%1").arg(other));
    ASSERT_TRUE(selection->select(other, shell::PatientStatus::InWard));
    view->refresh();
    EXPECT_TRUE(ui_.shown().isEmpty());
    EXPECT_EQ(field<QLineEdit>("XM")->text(), "李四");

    field<QLineEdit>("JKKH")->setText("K-1");
    ASSERT_TRUE(selection->select(patientId_, shell::PatientStatus::Discharged));
    ui_.answerMessageDialog(1);
    view->refresh();
    ASSERT_FALSE(ui_.texts().isEmpty());
    EXPECT_EQ(ui_.texts().first(), "患者 【李四】 的病案首页已修改，是否保存？");
    EXPECT_EQ(read(QStringLiteral("select JKKH from BAJK where ZYBH='%1'").arg(otherSerial)), "K-1");
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(field<QLineEdit>("XM")->text(), "张三");
}

TEST_F(FrontPageViewTest, ClosingTheMainWindowOffersToSaveWhatWasTyped) {
    shell::MainWindow main(user_, files(), ui_);
    FrontPageView* page = installFrontPage(main);
    ASSERT_TRUE(main.selection().select(patientId_, shell::PatientStatus::Discharged));
    ASSERT_TRUE(main.commands().run(shell::cmd::FrontPage));
    page->findChild<QLineEdit*>(QStringLiteral("JKKH"))->setText("K-9");
    ui_.answerMessageDialog(1);
    main.close();
    EXPECT_TRUE(ui_.texts().contains("患者 【张三】 的病案首页已修改，是否保存？")) << ui_.texts().join('\n').toStdString();
    EXPECT_EQ(read(QStringLiteral("select JKKH from BAJK where ZYBH='%1'").arg(main.selection().serialNumber())), "K-9");
}

TEST_F(FrontPageViewTest, WithoutAPatientThePageIsDisabledAndWritesNothing) {
    open();
    selection->clear();
    view->refresh();
    EXPECT_FALSE(view->isEnabled());
    EXPECT_EQ(field<QLineEdit>("XM")->text(), "");
    view->saveShown();
    EXPECT_EQ(rows(), 0);
    EXPECT_TRUE(ui_.shown().isEmpty());
}

}  // namespace
