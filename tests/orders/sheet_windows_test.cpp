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

namespace qh::test {
namespace {

class SheetWindowsTest : public SheetFixture {
protected:
    shell::PatientContext patient() {
        shell::PatientContext p;
        EXPECT_TRUE(orders::readStayPatient(files(), serial_, &p));
        return p;
    }
    void save(QWidget& w, const char* name) {
        const QPixmap picture = w.grab();
        EXPECT_FALSE(picture.isNull());
        const QString dir = qEnvironmentVariable("QH_SCREENSHOT_DIR");
        if (dir.isEmpty()) return;
        QDir().mkpath(dir);
        EXPECT_TRUE(picture.save(QDir(dir).filePath(QString::fromUtf8(name))));
    }
};

TEST_F(SheetWindowsTest, PrintViewPagesThroughTheChosenSheet) {
    exec(QStringLiteral("insert into 备份 (医院名称) values ('青禾县人民医院')"));
    for (int i = 1; i <= 26; ++i) drug(QStringLiteral("药品%1").arg(i));
    Row temp;
    temp.kind = QStringLiteral("临时医嘱");
    temp.content = QStringLiteral("血常规");
    temp.slip = QStringLiteral("执行单");
    add(temp);
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
    save(view, "order-sheet-view.png");
    view.setKind(orders::SheetKind::Temporary);
    EXPECT_EQ(view.countText(), QStringLiteral("共1页"));
    EXPECT_EQ(view.pageText(), QStringLiteral("第 1 页"));
}

TEST_F(SheetWindowsTest, CardWindowShowsTheTickedBedsAndTheSlips) {
    for (int i = 1; i <= 3; ++i) {
        Row r;
        r.content = QStringLiteral("注射用头孢曲松钠");
        r.xmid = 2;
        r.dose = QStringLiteral("2g");
        r.route = QStringLiteral("静脉滴注");
        r.frequency = QStringLiteral("qd");
        r.kind = i == 3 ? QStringLiteral("临时医嘱") : QStringLiteral("长期医嘱");
        add(r);
    }
    orders::InfusionCardWindow window(
        files(), QStringLiteral("张护士"), ui_, [this] { return QVector<qint64>{serial_.toLongLong()}; },
        [this] { return patient(); });
    window.setDate(QDate(2016, 5, 10));
    window.setOption(orders::CardOption::LongTerm);
    window.showCards();
    ASSERT_EQ(window.cards().cards().size(), 1);
    EXPECT_EQ(window.cards().cards()[0].lines.size(), 2);
    const QString pdf = dir_.file(QStringLiteral("cards.pdf"));
    EXPECT_TRUE(window.exportPdf(pdf));
    window.resize(1000, 900);
    save(window, "infusion-cards.png");

    window.tabs()->setCurrentIndex(1);
    ASSERT_EQ(window.prescriptionList()->count(), 1);
    EXPECT_EQ(window.prescriptionList()->item(0)->text(), QStringLiteral("西_09时07分"));
    EXPECT_TRUE(window.exportPdf(dir_.file(QStringLiteral("slip.pdf"))));
    save(window, "prescription-slip.png");

    // Nobody ticked: the nurse is told, and there is nothing to print.
    orders::InfusionCardWindow empty(files(), QString(), ui_, [] { return QVector<qint64>(); }, {});
    empty.showCards();
    EXPECT_TRUE(empty.cards().cards().isEmpty());
    EXPECT_EQ(ui_.lastText(), QStringLiteral("请在床位列表中勾选患者！"));
    EXPECT_FALSE(empty.exportPdf(dir_.file(QStringLiteral("none.pdf"))));
}

}  // namespace
}  // namespace qh::test
