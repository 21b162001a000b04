#pragma once
// A ward with a department, doctors and a discharged patient, the two front-page forms
// stored as the seed stores them, and a few codes in every code table.
#include <QFile>

#include "interaction/ScriptedUserInterface.h"
#include "shell/PatientContext.h"
#include "shell/UserContext.h"
#include "shell/ward_fixture.h"
#include "store/Connection.h"

namespace qh::test {

class FrontPageFixture : public DoctorsWard {
protected:
    void SetUp() override {
        DoctorsWard::SetUp();
        if (HasFatalFailure()) return;
        setHospital(QStringLiteral("青禾医院"), QStringLiteral("12345678-9"), 1);
        exec(QStringLiteral("insert into xmzdb (参数名称, 参数值, 备注) values ('汉族', 1, '民族'), ('农民', 1, '职业'), "
                            "('配偶', 1, '患者关系'), ('全身麻醉', 1, '麻醉方式')"));
        patientId_ = addPatient({.name = QStringLiteral("张三"), .number = QStringLiteral("A100"),
                                 .status = QStringLiteral("出院"), .discharged = QStringLiteral("2016-03-09 10:00:00")});
        exec(QStringLiteral("update 在院病人 set 出生日期='1960年5月2日', 联系人='张四', 患者关系='配偶', 联系电话='13800000000', "
                            "病室='3' where 编号=%1").arg(patientId_));
        serial_ = read(QStringLiteral("select 住院编号 from 在院病人 where 编号=%1").arg(patientId_));
        for (const char* form : {"XYSY", "ZYSY"}) {
            QFile f(QStringLiteral(QH_SOURCE_DIR "/data/seed/dzbl/templates/frontpage/%1.ewd").arg(QString::fromLatin1(form).toLower()));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            store::Connection db = store::Connection::open(files(), store::DbFile::Main);
            ASSERT_TRUE(db.execute(QStringLiteral("insert into GSMB (检索, 名称, 备注, 数据) values (?, ?, 'S', ?)"),
                                   {QString::fromLatin1(form), QString::fromLatin1(form), f.readAll()})
                            .changed());
        }
        store::Connection coding = store::Connection::open(files(), store::DbFile::Coding);
        ASSERT_TRUE(coding.isOpen());
        for (const char* sql : {
                 "insert into ICD10 (JSM, ICDMC, BM) values ('GXY', '高血压', 'I10'), ('FY', '肺炎', 'J18'), "
                 "('GM', '感冒', 'J00'), ('XGM', '过敏性鼻炎', 'J30'), ('ABC', '100%_纯', 'Z99'), "
                 "('ABD', '1000 病', 'Z98'), ('OQ', '奥''尼尔综合征', 'Q99')",
                 "insert into ICD_SS (JSM, SSMC, BM) values ('LWQC', '阑尾切除术', '47.09')",
                 "insert into ICD_WS (JSM, ICDMC, BM) values ('DD', '跌倒', 'W19')",
                 "insert into ICD_BL (JSM, ICDMC, BM) values ('XA', '腺癌', 'M81400/3')",
                 "insert into ICD_10 (JSM, ICDMC, BM, BZ) values ('GM', '感冒', 'BNW010', 'B'), "
                 "('FHFB', '风寒犯表证', 'ZBSW10', 'Z'), ('GMB', '感冒病', 'BNW011', 'B')"}) {
            const store::ExecResult done = coding.execute(QString::fromUtf8(sql));
            ASSERT_TRUE(done.ok) << done.error.toStdString();
        }
        user_.hospitalName = QStringLiteral("青禾医院");
        user_.organisationCode = QStringLiteral("12345678-9");
        user_.frontPageFormat = 1;
    }

    QString read(const QString& sql) { return value(sql); }
    // One BAJK column of the stay, as text; "<null>" for NULL.
    QString bajk(const QString& column) {
        store::Connection db = store::Connection::open(files(), store::DbFile::Main);
        const store::Value v = db.query(QStringLiteral("select CAST(%1 AS TEXT) from BAJK where ZYBH=?").arg(column), {serial_})
                                   .first()
                                   .value(0);
        return v.isNull() ? QStringLiteral("<null>") : v.toText();
    }
    // Each (field, text) pair as `values` has it.
    template <typename Values>
    static void expectValues(const Values& values, std::initializer_list<std::pair<const char*, const char*>> expected) {
        for (const auto& [field, text] : expected) EXPECT_EQ(values[QString::fromUtf8(field)], QString::fromUtf8(text)) << field;
    }
    int rows(const QString& table = QStringLiteral("BAJK")) {
        return read(QStringLiteral("select count(*) from %1").arg(table)).toInt();
    }
    shell::PatientContext patient() {
        shell::PatientContext p;
        store::Connection db = store::Connection::open(files(), store::DbFile::Main);
        const store::Row row = db.query(QStringLiteral("select * from 在院病人 where 编号=?"), {patientId_}).first();
        for (const QString& c : shell::PatientContext::columns()) p.setValue(c, row.text(c));
        return p;
    }

    qint64 patientId_ = 0;
    QString serial_;
};

}  // namespace qh::test
