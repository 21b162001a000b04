// The order-sheet print view and the infusion-card window.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>

#include "orders/OrderSheetData.h"
#include "orders/ui/InfusionCardWindow.h"
#include "orders/ui/OrderSheetView.h"
#include "sheet_fixture.h"
#include "support/screenshot.h"

namespace qh::test {
namespace {

class SheetWindowsTest : public SheetFixture {
};

TEST_F(SheetWindowsTest, PrintViewPagesThroughTheChosenSheet) {
    exec(QStringLiteral("insert into 备份 (医院名称) values ('青禾县人民医院')"));
    for (int i = 1; i <= 26; ++i) drug(QStringLiteral("药品%1").arg(i));
    add({.kind = QStringLiteral("临时医嘱"), .content = QStringLiteral("血常规"), .slip = QStringLiteral("执行单")});
    orders::OrderSheetView view(files(), ui_);
    view.resize(900, 1000);
    view.showPatient(patient());
    EXPECT_EQ(view.kind(), orders::SheetKind::LongTerm);
    EXPECT_EQ(view.countText(), QStringLiteral("共2页"));
    EXPECT_EQ(view.pageText(), QStringLiteral("第 1 页"));
    auto* previous = view.findChild<QPushButton*>(QStringLiteral("previousPage"));
    auto* next = view.findChild<QPushButton*>(QStringLiteral("nextPage"));
    EXPECT_FALSE(previous->isEnabled());
    EXPECT_TRUE(next->isEnabled());
    next->click();
    EXPECT_EQ(view.pageText(), QStringLiteral("第 2 页"));
    EXPECT_FALSE(next->isEnabled());
    EXPECT_TRUE(view.findChild<QLabel*>(QStringLiteral("patientLine"))->text().startsWith(QStringLiteral("姓名：王小明")));

    const QString pdf = dir_.file(QStringLiteral("sheet.pdf"));
    EXPECT_TRUE(view.exportPdf(pdf, true));
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("%PDF"));

    view.showPage(1);
    screenshot(view, "order-sheet-view.png");
    view.setKind(orders::SheetKind::Temporary);
    EXPECT_EQ(view.countText(), QStringLiteral("共1页"));
    EXPECT_EQ(view.pageText(), QStringLiteral("第 1 页"));
}

TEST_F(SheetWindowsTest, CardWindowShowsTheTickedBedsAndTheSlips) {
    exec(QStringLiteral("insert into 备份 (医院名称) values ('青禾县人民医院')"));
    add({.content = QStringLiteral("0.9%氯化钠注射液"), .xmid = 1, .marker = QStringLiteral("新组"), .unit = QStringLiteral("袋"),
         .spec = QStringLiteral("250ml/袋"), .dose = QStringLiteral("250ml"), .yzid = QStringLiteral("6100")});
    add({.content = QStringLiteral("注射用头孢曲松钠"), .xmid = 2, .marker = QStringLiteral("承组"), .quantity = 2,
         .spec = QStringLiteral("1g/支"), .dose = QStringLiteral("2g"), .route = QStringLiteral("静脉滴注"),
         .frequency = QStringLiteral("qd"), .group = QStringLiteral("6100"), .yzid = QStringLiteral("6101")});
    add({.kind = QStringLiteral("临时医嘱"), .content = QStringLiteral("注射用青霉素钠"), .xmid = 6,
         .spec = QStringLiteral("80万U"), .dose = QStringLiteral("80万U"), .route = QStringLiteral("肌内注射"),
         .frequency = QStringLiteral("st")});
    add({.content = QStringLiteral("阿莫西林胶囊"), .xmid = 3, .quantity = 0.5, .unit = QStringLiteral("盒"),
         .spec = QStringLiteral("0.25g×24粒"), .dose = QStringLiteral("0.5g"), .route = QStringLiteral("口服"),
         .frequency = QStringLiteral("tid")});
    for (const char* name : {"黄芪", "当归", "白术", "茯苓", "甘草", "陈皮", "半夏", "党参", "川芎"})
        herb(QString::fromUtf8(name) + u' ', 12, QStringLiteral("6200"), QStringLiteral("2016-05-10 10:30:00"));
    herbalHeader(QStringLiteral("6200"), 7, QStringLiteral("水煎服，每日一剂"), QStringLiteral("2016-05-10 10:30:00"));

    orders::InfusionCardWindow window(
        files(), QStringLiteral("张护士"), ui_, [this] { return QVector<qint64>{serial_.toLongLong()}; },
        [this] { return patient(); });
    window.setDate(QDate(2016, 5, 10));
    window.setOption(orders::CardOption::LongTerm);
    window.showCards();
    ASSERT_EQ(window.cards().cards().size(), 1);
    EXPECT_EQ(window.cards().cards()[0].lines.size(), 2);  // the infusion group; the capsule is oral
    window.setOption(orders::CardOption::All);
    window.showCards();
    EXPECT_EQ(window.cards().cards()[0].lines.size(), 3);
    const QString shots = qEnvironmentVariable("QH_SCREENSHOT_DIR");
    const auto pdfPath = [&](const char* name) {
        return shots.isEmpty() ? dir_.file(QString::fromUtf8(name)) : QDir(shots).filePath(QString::fromUtf8(name));
    };
    EXPECT_TRUE(window.exportPdf(pdfPath("infusion-cards.pdf")));
    window.resize(1000, 900);
    screenshot(window, "infusion-cards.png");

    window.tabs()->setCurrentIndex(1);
    ASSERT_EQ(window.prescriptionList()->count(), 2);
    EXPECT_EQ(window.prescriptionList()->item(0)->text(), QStringLiteral("西_09时07分"));
    EXPECT_EQ(window.prescriptionList()->item(1)->text(), QStringLiteral("中_10时30分"));
    EXPECT_TRUE(window.exportPdf(pdfPath("western-slip.pdf")));
    screenshot(window, "prescription-slip.png");
    window.prescriptionList()->setCurrentRow(1);
    EXPECT_TRUE(window.exportPdf(pdfPath("herbal-slip.pdf")));

    // Nobody ticked: the nurse is told, and there is nothing to print.
    orders::InfusionCardWindow empty(files(), QString(), ui_, [] { return QVector<qint64>(); }, {});
    empty.showCards();
    EXPECT_TRUE(empty.cards().cards().isEmpty());
    EXPECT_EQ(ui_.lastText(), QStringLiteral("请在床位列表中勾选患者！"));
    EXPECT_FALSE(empty.exportPdf(dir_.file(QStringLiteral("none.pdf"))));
}

}  // namespace
}  // namespace qh::test
