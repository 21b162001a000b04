#include <gtest/gtest.h>

#include <QCryptographicHash>

#include "common/Pinyin.h"
#include "interaction/ScriptedUserInterface.h"
#include "orders/OrderLists.h"
#include "patients/WardGenerator.h"
#include "shell/BedList.h"
#include "shell/LoginModel.h"
#include "shell/PatientList.h"
#include "store/Connection.h"
#include "store/DataDirectory.h"
#include "support/temp_dir.h"

namespace qh::patients {
namespace {

// One small generated ward (a year, a few beds per department) shared by the tests.
class WardGeneratorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new test::TempDir;
        ASSERT_EQ(store::createDataFiles(dir_->path()).status, store::PrepareResult::Created);
        plan_.years = 1;
        plan_.beds = 24;
        plan_.seed = 7;
        plan_.lastDay = QDate(2024, 6, 30);
        result_ = generateWard(store::DataDirectory(dir_->path()), plan_, [](const QString& line) { lines_ << line; });
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }
    static store::DataDirectory files() { return store::DataDirectory(dir_->path()); }
    static store::Rows query(const QString& sql) {
        store::Connection db = store::Connection::open(files(), store::DbFile::Main);
        return db.query(sql);
    }
    static qint64 number(const QString& sql) { return query(sql).first().value(0).toInt(); }
    // A digest of the patients and orders, to compare two generations.
    static QByteArray digest(const store::DataDirectory& where) {
        store::Connection db = store::Connection::open(where, store::DbFile::Main);
        QCryptographicHash hash(QCryptographicHash::Sha1);
        for (const char* sql : {"select * from 在院病人 order by 编号", "select * from zyb_yzxx order by sid",
                                "select * from 体温单 order by 编号", "select 编号,检索,病历,标题 from 在院病历 order by 编号"})
        {
            const store::Rows rows = db.query(QString::fromUtf8(sql));
            const int columns = int(rows.columns().size());
            for (const store::Row& r : rows)
                for (int c = 0; c < columns; ++c) {
                    hash.addData(r.value(c).toText().toUtf8());
                    hash.addData("|");
                }
        }
        return hash.result();
    }

    static inline test::TempDir* dir_ = nullptr;
    static inline WardPlan plan_;
    static inline GeneratedWard result_;
    static inline QStringList lines_;
};

TEST_F(WardGeneratorTest, FillsEveryPartOfTheWardAndSaysSoAsItGoes) {
    ASSERT_TRUE(result_.ok) << result_.message.toStdString();
    // 24 beds for a year at a few days a stay: hundreds of stays, every state present.
    EXPECT_GT(result_.stays, 400);
    EXPECT_EQ(result_.stays, result_.inWard + result_.pending + result_.discharged);
    EXPECT_GT(result_.inWard, 0);
    EXPECT_GT(result_.discharged, result_.inWard);
    EXPECT_EQ(number("select count(*) from 在院病人"), result_.stays);
    EXPECT_EQ(number("select count(*) from zyb_yzxx"), result_.orderLines);
    EXPECT_EQ(number("select count(*) from 体温单"), result_.vitalRows);
    EXPECT_EQ(number("select count(*) from 在院病历"), result_.documents);
    EXPECT_EQ(number("select count(*) from BAJK"), result_.discharged);
    EXPECT_GT(result_.orderLines, result_.stays * 20);
    EXPECT_GT(result_.documents, result_.stays * 2);
    EXPECT_TRUE(lines_.join('\n').contains(QStringLiteral("index 在院病人_科室_状态"))) << lines_.join('\n').toStdString();
}

TEST_F(WardGeneratorTest, DerivedColumnsAreTheProgramsOwn) {
    ASSERT_TRUE(result_.ok);
    for (const store::Row& r : query(QStringLiteral("select 姓名, 姓名检索 from 在院病人 where 编号 % 37 = 0")))
        EXPECT_EQ(r.text("姓名检索"), text::pinyinInitials(r.text("姓名"))) << r.text("姓名").toStdString();
    // Every row's slot key is its date, slot and stay; every line belongs to a stay.
    EXPECT_EQ(number("select count(*) from 体温单 where 时刻检索 <> 日期 || 时刻 || 检索"), 0);
    EXPECT_EQ(number("select count(*) from zyb_yzxx y where not exists (select 1 from 在院病人 p where p.住院编号 = y.zyid)"), 0);
    // Order numbers are unique and the counter is past them, so the next save numbers on.
    EXPECT_EQ(number("select count(*) - count(distinct yzid) from zyb_yzxx"), 0);
    EXPECT_GE(number("select max(sid) from adm_sid"), number("select max(lrsx) from zyb_yzxx"));
    // Dates are stored canonically although the triggers were set aside during the load.
    EXPECT_EQ(number("select count(*) from 在院病人 where 入院日期 is not qh_date(入院日期)"), 0);
    EXPECT_EQ(number("select count(*) from zyb_yzxx where tzsj is not qh_date(tzsj)"), 0);
    // States: the ward's patients have no discharge date, the others one after admission.
    EXPECT_EQ(number("select count(*) from 在院病人 where 状态='在院' and 出院日期 is not null"), 0);
    EXPECT_EQ(number("select count(*) from 在院病人 where 状态<>'在院' and (出院日期 is null or 出院日期 < 日期部分)"), 0);
    // No bed holds two in-ward patients of one department.
    EXPECT_EQ(number("select count(*) from (select 科室, 床号 from 在院病人 where 状态='在院' group by 科室, 床号 "
                     "having count(*) > 1)"),
              0);
}

TEST_F(WardGeneratorTest, IndexesTriggersAndStatisticsAreBackAfterTheLoad) {
    ASSERT_TRUE(result_.ok);
    test::TempDir fresh;
    ASSERT_EQ(store::createDataFiles(fresh.path()).status, store::PrepareResult::Created);
    const QString objects = QStringLiteral("select count(*) from sqlite_master where type='%1'");
    store::Connection empty = store::Connection::open(store::DataDirectory(fresh.path()), store::DbFile::Main);
    for (const char* type : {"index", "trigger", "view"})
        EXPECT_EQ(number(objects.arg(QLatin1String(type))), empty.query(objects.arg(QLatin1String(type))).first().value(0).toInt())
            << type;
    EXPECT_GT(number("select count(*) from sqlite_stat1 where tbl='在院病人'"), 0);
    // A date written now is still made canonical by its trigger.
    store::Connection db = store::Connection::open(files(), store::DbFile::Main);
    const QString read = QStringLiteral("select CAST(出院日期 AS TEXT) from 在院病人 where 编号=1");
    const QString before = db.query(read).first().value(0).toText();
    ASSERT_TRUE(db.execute(QStringLiteral("update 在院病人 set 出院日期='2024-7-1' where 编号=1")).changed());
    EXPECT_EQ(db.query(read).first().value(0).toText(), QStringLiteral("2024-07-01 00:00:00"));
    // The shared ward goes back as it was (another test compares it with a new one).
    ASSERT_TRUE(db.execute(QStringLiteral("update 在院病人 set 出院日期=? where 编号=1"), {before}).changed());
}

TEST_F(WardGeneratorTest, TheProgramWorksOnTheGeneratedWard) {
    ASSERT_TRUE(result_.ok);
    ui::ScriptedUserInterface ui;
    shell::LoginModel login(files(), ui);
    login.open();
    ASSERT_FALSE(login.departments().isEmpty());
    login.chooseDepartment(0);
    ASSERT_FALSE(login.users().isEmpty());
    login.chooseUser(0);
    shell::UserContext user;
    EXPECT_TRUE(login.logIn(QStringLiteral("123"), user));

    shell::PatientList list(files(), user);
    list.setOwnPatients(false);
    ASSERT_TRUE(list.fill(shell::PatientStatus::InWard, shell::ListMode::Name));
    EXPECT_FALSE(list.rows().isEmpty());
    shell::BedList beds(files(), user.department);
    ASSERT_TRUE(beds.fill());
    EXPECT_EQ(beds.rows().size(), list.rows().size());
    const QString serial = query(QStringLiteral("select 住院编号 from 在院病人 where 状态='出院' limit 1")).first().text("住院编号");
    EXPECT_FALSE(orders::OrderLists(files()).lines(serial, orders::OrderKind::LongTerm).isEmpty());
}

TEST_F(WardGeneratorTest, TheSameSeedAndDayMakeTheSameWardAndAnotherSeedAnother) {
    ASSERT_TRUE(result_.ok);
    test::TempDir again, other;
    for (const test::TempDir* d : {&again, &other})
        ASSERT_EQ(store::createDataFiles(d->path()).status, store::PrepareResult::Created);
    ASSERT_TRUE(generateWard(store::DataDirectory(again.path()), plan_).ok);
    WardPlan changed = plan_;
    changed.seed = 8;
    ASSERT_TRUE(generateWard(store::DataDirectory(other.path()), changed).ok);
    EXPECT_EQ(digest(store::DataDirectory(again.path())), digest(files()));
    EXPECT_NE(digest(store::DataDirectory(other.path())), digest(files()));
    // A ward that already has patients is refused: generating is for new files only.
    const GeneratedWard refused = generateWard(store::DataDirectory(again.path()), plan_);
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.message.isEmpty());
}

}  // namespace
}  // namespace qh::patients
