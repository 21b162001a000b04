#pragma once
// A fresh ward for one test: the three files made from the schema alone (no seed) in a
// throw-away directory, which becomes the data directory; rows are added through the store.
#include <gtest/gtest.h>

#include <QDir>

#include "support/temp_dir.h"
#include "common/Identity.h"
#include "common/Pinyin.h"
#include "interaction/ScriptedUserInterface.h"
#include "shell/UserContext.h"
#include "store/Connection.h"
#include "store/DataDirectory.h"
#include "store/DatabaseFiles.h"
#include "store/ExternalDatabase.h"
#include "store/SqlText.h"

namespace qh::test {

class WardFixture : public ::testing::Test {
protected:
    void SetUp() override {
        QDir(dir_.path()).mkdir(QStringLiteral("seed"));
        QDir(dir_.path()).mkdir(QStringLiteral("ward"));
        store::CreationSources sources{QStringLiteral(QH_SOURCE_DIR "/data/schema"), dir_.file(QStringLiteral("seed"))};
        const auto prepared = store::prepareDataDirectory(dir_.file(QStringLiteral("ward")), sources);
        ASSERT_EQ(prepared.status, store::PrepareResult::Created) << prepared.message.toStdString();
        ASSERT_TRUE(open());
    }
    void TearDown() override { db_.close(); }

    // The ward's data directory, as the program passes it down from start-up.
    store::DataDirectory files() const { return store::DataDirectory(dir_.file(QStringLiteral("ward"))); }
    bool open() { return db_.open(files(), store::DbFile::Main); }
    void exec(const QString& sql) { ASSERT_TRUE(db_.execute(sql)) << sql.toStdString() << " " << db_.lastError().toStdString(); }
    static QString q(const QString& v) { return QStringLiteral("'") + store::sqlText(v) + QStringLiteral("'"); }

    void addDepartment(const QString& name, const QString& mark = QString()) {
        exec(QStringLiteral("insert into 科室 (科室, 床位, 默认) values (%1, 30, %2)").arg(q(name), q(mark)));
    }
    void setHospital(const QString& name, const QString& code, int format) {
        exec(QStringLiteral("insert into 备份 (医院名称, IP地址, 精灵狗) values (%1, %2, %3)").arg(q(name), q(code)).arg(format));
    }
    // flags: eight '0'/'1' characters in the order XTGL SXBL XGBL CYBL HZTW YZCF YZWH TJCX.
    qint64 addUser(const QString& name, const QString& department, const QString& password,
                   const QString& flags = QStringLiteral("11111111"), bool storeDigest = true) {
        QStringList f;
        for (QChar c : flags) f << q(QString(c));
        exec(QStringLiteral("insert into 用户 (用户, 密码, 级别, 科室, XTGL, SXBL, XGBL, CYBL, HZTW, YZCF, YZWH, TJCX) "
                            "values (%1, %2, '医师', %3, %4)")
                 .arg(q(name), q(storeDigest ? identity::passwordDigest(password) : QString()), q(department),
                      f.join(',')));
        return db_.lastInsertId();
    }
    struct Patient {
        QString name, sex = QStringLiteral("男"), age = QStringLiteral("40岁"), diagnosis = QStringLiteral("肺炎"),
                bed = QStringLiteral("1"), number, department = QStringLiteral("内科"),
                doctor = QStringLiteral("李医生"), status = QStringLiteral("在院"), discharged;
    };
    qint64 addPatient(const Patient& p) {
        static int serial = 1000;
        const QString number = p.number.isEmpty() ? QString::number(++serial) : p.number;
        exec(QStringLiteral("insert into 在院病人 (住院编号, 住院号, 姓名, 姓名检索, 性别, 年龄, 诊断, 床号, 科室, 主管医生, "
                            "状态, 住址, 入院日期, 医疗证号, 出院日期) values (%1, %2, %3, %4, %5, %6, %7, %8, %9, %10, %11, "
                            "'河东路1号', '2016年3月5日8时30分', 'YB001', %12)")
                 .arg(q(QString::number(++serial)), q(number), q(p.name), q(text::pinyinInitials(p.name)), q(p.sex),
                      q(p.age), q(p.diagnosis), q(p.bed))
                 .arg(q(p.department), q(p.doctor), q(p.status),
                      p.discharged.isEmpty() ? QStringLiteral("NULL") : q(p.discharged)));
        return db_.lastInsertId();
    }

    // The first column of the first row a statement reads from one of the files, as text.
    QString value(const QString& sql, store::DbFile file = store::DbFile::Main) {
        return store::Connection::open(files(), file).query(sql).first().value(0).toText();
    }
    qint64 count(const QString& sql) { return value(sql).toLongLong(); }

    TempDir dir_;
    store::ExternalDatabase db_;
};

// A ward with 内科 (the default) and 外科, the doctors 李医生 and 王医生 of 内科, and 李医生
// logged in with every right.
class DoctorsWard : public WardFixture {
protected:
    void SetUp() override {
        WardFixture::SetUp();
        if (HasFatalFailure()) return;
        addDepartment(QStringLiteral("内科"), QStringLiteral("√"));
        addDepartment(QStringLiteral("外科"));
        addUser(QStringLiteral("李医生"), QStringLiteral("内科"), QStringLiteral("1"));
        addUser(QStringLiteral("王医生"), QStringLiteral("内科"), QStringLiteral("1"));
        user_.userName = QStringLiteral("李医生");
        user_.department = QStringLiteral("内科");
        user_.grantAll();
    }

    shell::UserContext user_;
    ui::ScriptedUserInterface ui_;
};

}  // namespace qh::test
