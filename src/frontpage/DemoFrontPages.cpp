#include "frontpage/DemoFrontPages.h"

#include <random>

#include "frontpage/FrontPageRecord.h"
#include "interaction/ScriptedUserInterface.h"
#include "store/Connection.h"

using namespace Qt::Literals::StringLiterals;

namespace qh::frontpage {

namespace {

// The operation a surgical diagnosis of the demo ward is treated with (ICD_SS names).
struct DemoOperation {
    QString diagnosisCode, operation, grade, wound, anaesthesia;
};

const QList<DemoOperation>& demoOperations() {
    static const QList<DemoOperation> ops{
        {u"K35"_s, u"腹腔镜下阑尾切除术"_s, u"二级"_s, u"Ⅱ/甲"_s, u"全身麻醉"_s},
        {u"K80"_s, u"腹腔镜下胆囊切除术"_s, u"三级"_s, u"Ⅱ/甲"_s, u"全身麻醉"_s},
        {u"N20"_s, u"肾、输尿管和/或膀胱体外冲击波碎石[ESWL]"_s, u"二级"_s, u"0"_s, u"局部麻醉"_s},
        {u"M51"_s, u"椎间盘切除术"_s, u"三级"_s, u"Ⅰ/甲"_s, u"全身麻醉"_s},
        {u"S72"_s, u"股骨骨折开放性复位术伴内固定"_s, u"三级"_s, u"Ⅰ/甲"_s, u"椎管内麻醉"_s},
        {u"K25"_s, u"胃部分切除术伴空肠吻合术"_s, u"四级"_s, u"Ⅱ/甲"_s, u"全身麻醉"_s},
    };
    return ops;
}

// A pick-list item that begins with the text, else the text itself.
QString listItem(store::Connection& db, const QString& list, const QString& text) {
    for (const store::Row& row : db.query(u"select 参数名称 from xmzdb where 备注=? order by 参数值"_s, {list}))
        if (row.text(u"参数名称"_s).contains(text)) return row.text(u"参数名称"_s);
    return text;
}

}  // namespace

DemoFrontPagesResult populateDemoFrontPages(const store::DataDirectory& files, unsigned seed) {
    DemoFrontPagesResult result;
    std::mt19937 dice(seed);
    const auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(dice); };

    QList<shell::PatientContext> stays;
    QMap<QString, QStringList> doctors, nurses;  // by department
    QMap<QString, QString> codes;                 // ICD10 name -> code
    QMap<QString, QString> operationCodes;        // ICD_SS name -> code
    {
        store::Connection db = store::Connection::open(files, store::DbFile::Main);
        store::Connection coding = store::Connection::open(files, store::DbFile::Coding);
        if (!db.isOpen() || !coding.isOpen()) {
            result.message = u"数据库无法打开"_s;
            return result;
        }
        for (const store::Row& row : db.query(u"select * from 在院病人 where 状态='出院' order by 编号"_s)) {
            shell::PatientContext p;
            for (const QString& column : shell::PatientContext::columns()) p.setValue(column, row.text(column));
            stays << p;
        }
        for (const store::Row& row : db.query(u"select 用户, 级别, 科室 from 用户 order by 编号"_s))
            (row.text(u"级别"_s) == u"护师"_s ? nurses : doctors)[row.text(u"科室"_s)] << row.text(u"用户"_s);
        for (const store::Row& row : coding.query(u"select ICDMC, BM from ICD10"_s))
            codes.insert(row.text(u"ICDMC"_s), row.text(u"BM"_s));
        for (const store::Row& row : coding.query(u"select SSMC, BM from ICD_SS"_s))
            operationCodes.insert(row.text(u"SSMC"_s), row.text(u"BM"_s));
    }

    ui::ScriptedUserInterface quiet;
    FrontPageRecord record(files, quiet);
    store::Connection lists = store::Connection::open(files, store::DbFile::Main);
    for (const shell::PatientContext& p : stays) {
        const QString dept = p.department.trimmed();
        FrontPageValues v = record.prefill(p, dept);
        const QStringList docs = doctors.value(dept), nurseList = nurses.value(dept);
        const auto doctor = [&](int i) { return docs.isEmpty() ? QString() : docs[i % docs.size()]; };
        v[u"YLFFFS"_s] = QString::number(QList<int>{1, 2, 3, 1, 7}[between(0, 4)]);
        v[u"ZYCS"_s] = u"1"_s;
        v[u"HYDM"_s] = p.age.toInt() < 22 ? u"1"_s : u"2"_s;
        v[u"MZ"_s] = u"汉族"_s;
        v[u"ZY"_s] = p.occupation;
        v[u"SFZH"_s] = p.idCardNumber;
        v[u"JGSF"_s] = u"广西南宁"_s;
        v[u"TJBM"_s] = QString::number(between(1, 2));
        v[u"MZZD"_s] = p.diagnosis;
        v[u"MZBM"_s] = codes.value(p.diagnosis);
        v[u"CYZD1"_s] = p.diagnosis;
        v[u"CYBM1"_s] = codes.value(p.diagnosis);
        v[u"CYBQ1"_s] = u"1 有"_s;
        if (p.age.toInt() >= 50 && !p.diagnosis.contains(u"高血压"_s)) {
            v[u"CYZD2"_s] = u"特发性（原发性）高血压"_s;
            v[u"CYBM2"_s] = codes.value(v[u"CYZD2"_s], u"I10"_s);
            v[u"CYBQ2"_s] = u"1 有"_s;
        }
        v[u"YWGM"_s] = u"1"_s;
        v[u"SWSJ"_s] = QString();
        v[u"XX"_s] = QString::number(between(1, 4));
        v[u"RH"_s] = u"2"_s;
        v[u"KZRQM"_s] = doctor(0);
        v[u"FZRQM"_s] = doctor(0);
        v[u"ZZQM"_s] = doctor(1);
        v[u"ZYQM"_s] = p.doctor.isEmpty() ? doctor(2) : p.doctor;
        v[u"HSQM"_s] = nurseList.isEmpty() ? QString() : nurseList.first();
        v[u"BMYQM"_s] = doctor(1);
        v[u"BAZL"_s] = u"1.甲"_s;
        v[u"ZKQM"_s] = doctor(0);
        v[u"ZKHS"_s] = v[u"HSQM"_s];
        v[u"ZKRQ"_s] = v[u"CYRQ"_s];
        v[u"LYFS"_s] = u"1.医嘱离院"_s;
        v[u"ZZJH"_s] = u"1.无"_s;
        const QString code = codes.value(p.diagnosis).left(3);
        double surgery = 0, anaesthesia = 0;
        for (const DemoOperation& op : demoOperations()) {
            if (op.diagnosisCode != code) continue;
            const QDateTime admitted = parseDateValue(v[u"RYRQ"_s]);
            v[u"SSCZBM1"_s] = operationCodes.value(op.operation);
            v[u"SSRQ1"_s] = admitted.isValid() ? admitted.date().addDays(1).toString(u"yyyy-MM-dd"_s) : QString();
            v[u"SSJB1"_s] = op.grade;
            v[u"SSMC1"_s] = op.operation;
            v[u"SZ1"_s] = doctor(0);
            v[u"YZ1"_s] = doctor(1);
            v[u"EZ1"_s] = doctor(2);
            v[u"QKDJ1"_s] = op.wound;
            v[u"MZFS1"_s] = lists.isOpen() ? listItem(lists, u"麻醉方式"_s, op.anaesthesia) : op.anaesthesia;
            v[u"MZYS1"_s] = doctor(3);
            surgery = between(1500, 4800);
            anaesthesia = between(400, 1200);
        }
        const int days = v[u"ZYTS"_s].toInt();
        const double western = days * between(80, 260) + between(0, 99) / 100.0;
        const double patent = days * between(10, 60);
        const double herbal = between(0, 1) ? days * between(15, 45) : 0;
        const double materials = between(50, 600) + surgery / 5;
        const double total = western + patent + herbal + materials + surgery + anaesthesia + days * between(150, 300);
        v[u"ZFY"_s] = QString::number(total, 'f', 2);
        v[u"ZFFY"_s] = QString::number(total * between(15, 45) / 100.0, 'f', 2);
        v[u"SSF"_s] = surgery > 0 ? QString::number(surgery, 'f', 2) : QString();
        v[u"MZFY"_s] = anaesthesia > 0 ? QString::number(anaesthesia, 'f', 2) : QString();
        v[u"XYFY"_s] = QString::number(western, 'f', 2);
        v[u"ZCYFY"_s] = QString::number(patent, 'f', 2);
        v[u"CYFY"_s] = herbal > 0 ? QString::number(herbal, 'f', 2) : QString();
        v[u"ZLCLFY"_s] = QString::number(materials, 'f', 2);
        if (record.saveWestern(p.serialNumber, p.name, v, parseDateValue(v[u"CYRQ"_s])) != SaveOutcome::Saved) {
            result.message = u"%1: %2"_s.arg(p.serialNumber, quiet.texts().join(u' '));
            return result;
        }
        FrontPageValues tcm;
        tcm[u"ZLLB"_s] = herbal > 0 ? u"2.中西医"_s : u"3.西医"_s;
        for (const char* c : {"ZYSB", "ZYJS", "ZYHL", "ZYZJ", "LJGL", "BZSH", "DBZ", "XJPY"}) tcm[QString::fromLatin1(c)] = u"2"_s;
        tcm[u"LCLJ"_s] = u"3"_s;
        tcm[u"DRGS"_s] = u"1"_s;
        tcm[u"KSS"_s] = p.diagnosis.contains(u"肺炎"_s) || !v[u"SSMC1"_s].isEmpty() ? u"1"_s : u"2"_s;
        tcm[u"SSJH"_s] = u"1"_s;
        if (record.saveTcm(p.serialNumber, p.name, tcm) != SaveOutcome::Saved) {
            result.message = p.serialNumber;
            return result;
        }
        ++result.frontPages;
    }
    result.ok = true;
    return result;
}

}  // namespace qh::frontpage
