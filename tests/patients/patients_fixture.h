#pragma once
// A ward with two departments, their doctors, a few pick-list rows and ICD10 codes, and
// helpers to read back the rows the registry writes.
#include <QFile>

#include "common/Clock.h"
#include "shell/UserContext.h"
#include "shell/ward_fixture.h"
#include "store/Connection.h"
#include "interaction/ScriptedUserInterface.h"

namespace qh::test {

class PatientsFixture : public DoctorsWard {
protected:
    void SetUp() override {
        DoctorsWard::SetUp();
        if (HasFatalFailure()) return;
        addUser(QStringLiteral("陈医生"), QStringLiteral("外科"), QStringLiteral("1"));
        exec(QStringLiteral("insert into xmzdb (参数名称, 参数值, 备注) values ('农民', 1, '职业'), ('工人', 2, '职业'), "
                            "('配偶', 1, '患者关系')"));
        store::Connection coding = store::Connection::open(files(), store::DbFile::Coding);
        ASSERT_TRUE(coding.isOpen()) << coding.lastError().toStdString();
        for (const char* sql :
             {"insert into 系统设置 (项目, 备注) values ('原发性高血压', '疾病名称'), ('青禾镇东街', '联系地址'), "
              "('头晕3天', '主诉')",
              "insert into ICD10 (JSM, ICDMC, BM) values ('GXY', '高血压', 'I10'), ('FY', '肺炎', 'J18'), "
              "('GXB', '冠心病', 'I25'), ('TNB', '糖尿病 O''Neil型', 'E11')"}) {
            const store::ExecResult done = coding.execute(QString::fromUtf8(sql));
            ASSERT_TRUE(done.ok) << done.error.toStdString();
        }
        Clock::set([] { return QDateTime(QDate(2016, 5, 10), QTime(9, 7, 2)); });
    }
    void TearDown() override {
        Clock::set({});
        WardFixture::TearDown();
    }

    // One column of a patient row as text; dates read back in their stored canonical form.
    QString column(qint64 id, const QString& name) {
        return value(QStringLiteral("select CAST(%1 AS TEXT) from 在院病人 where 编号=%2").arg(name).arg(id));
    }
    // Each (column, text) pair as column() reads it back.
    void expectColumns(qint64 id, std::initializer_list<std::pair<const char*, const char*>> expected) {
        for (const auto& [name, text] : expected) EXPECT_EQ(column(id, name), QString::fromUtf8(text)) << name;
    }
    void addDocument(const QString& serial, const QString& caption) {
        exec(QStringLiteral("insert into 在院病历 (检索, 病历) values (%1, %2)").arg(q(serial), q(caption)));
    }
    // Makes every statement of the given kind on 在院病人 or 在院病历 fail.
    void failOn(const QString& when, const QString& table) {
        exec(QStringLiteral("CREATE TRIGGER fail_%1 BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'refused'); END")
                 .arg(when, table));
    }
    // Hides the main database as if the server were gone.
    void hideMainDatabase() {
        db_.close();
        const QString main = files().path(store::DbFile::Main);
        ASSERT_TRUE(QFile::rename(main, main + ".away"));
    }
};

}  // namespace qh::test
