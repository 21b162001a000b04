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
    exec(QStringLiteral("insert into 备份 (医院名称) values ('青禾县人民医院')"));
    Row head;
    head.content = QStringLiteral("0.9%氯化钠注射液");
    head.xmid = 1;
    head.spec = QStringLiteral("250ml/袋");
    head.unit = QStringLiteral("袋");
    head.dose = QStringLiteral("250ml");
    head.marker = QStringLiteral("新组");
    head.yzid = QStringLiteral("6100");
    add(head);
    Row tail = head;
    tail.content = QStringLiteral("注射用头孢曲松钠");
    tail.xmid = 2;
    tail.spec = QStringLiteral("1g/支");
    tail.quantity = 2;
    tail.unit = QStringLiteral("支");
    tail.dose = QStringLiteral("2g");
    tail.route = QStringLiteral("静脉滴注");
    tail.frequency = QStringLiteral("qd");
    tail.marker = QStringLiteral("承组");
    tail.yzid = QStringLiteral("6101");
    tail.group = QStringLiteral("6100");
    add(tail);
    Row skin;
    skin.kind = QStringLiteral("临时医嘱");
    skin.content = QStringLiteral("注射用青霉素钠");
    skin.xmid = 6;
    skin.spec = QStringLiteral("80万U");
    skin.dose = QStringLiteral("80万U");
    skin.route = QStringLiteral("肌内注射");
    skin.frequency = QStringLiteral("st");
    add(skin);
    Row oral;
    oral.content = QStringLiteral("阿莫西林胶囊");
    oral.xmid = 3;
    oral.spec = QStringLiteral("0.25g×24粒");
    oral.quantity = 0.5;
    oral.unit = QStringLiteral("盒");
    oral.dose = QStringLiteral("0.5g");
    oral.route = QStringLiteral("口服");
    oral.frequency = QStringLiteral("tid");
    add(oral);
    const QStringList herbs{QStringLiteral("黄芪"), QStringLiteral("当归"), QStringLiteral("白术"),
                            QStringLiteral("茯苓"), QStringLiteral("甘草"), QStringLiteral("陈皮"),
                            QStringLiteral("半夏"), QStringLiteral("党参"), QStringLiteral("川芎")};
    for (const QString& name : herbs) {
        Row herb;
        herb.kind = QStringLiteral("处方用药");
        herb.content = name + u' ';
        herb.xmid = 7;
        herb.quantity = 12;
        herb.unit = QStringLiteral("g");
        herb.slip = QStringLiteral("处方单");
        herb.marker.clear();
        herb.group = QStringLiteral("6200");
        herb.ordered = QStringLiteral("2016-05-10 10:30:00");
        add(herb);
    }
    Row header;
    header.kind = QStringLiteral("处方用药");
    header.content = QStringLiteral("草药处方单");
    header.quantity = 7;
    header.route = QStringLiteral("水煎服，每日一剂");
    header.slip = QStringLiteral("处方单");
    header.marker.clear();
    header.yzid = QStringLiteral("6200");
    header.group = QStringLiteral("CYCF1605101030001234");
    header.ordered = QStringLiteral("2016-05-10 10:30:00");
    add(header);

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
    save(window, "infusion-cards.png");

    window.tabs()->setCurrentIndex(1);
    ASSERT_EQ(window.prescriptionList()->count(), 2);
    EXPECT_EQ(window.prescriptionList()->item(0)->text(), QStringLiteral("西_09时07分"));
    EXPECT_EQ(window.prescriptionList()->item(1)->text(), QStringLiteral("中_10时30分"));
    EXPECT_TRUE(window.exportPdf(pdfPath("western-slip.pdf")));
    save(window, "prescription-slip.png");
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
