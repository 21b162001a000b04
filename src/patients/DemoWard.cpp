#include "patients/DemoWard.h"

#include <QDate>
#include <QDateTime>
#include <QSet>
#include <random>

#include "common/Clock.h"
#include "common/DateText.h"
#include "common/Identity.h"
#include "patients/Admission.h"
#include "patients/PickLists.h"
#include "patients/StatusTransitions.h"
#include "store/Connection.h"
#include "shell/UserContext.h"
#include "store/SqlText.h"
#include "interaction/ScriptedUserInterface.h"

namespace qh::patients {

using store::sqlText;

namespace {

// A diagnosis of the code table with a complaint that fits it and its ward.
struct DemoCase {
    const char* code;
    const char* complaint;
    const char* department;
};

const DemoCase kCases[] = {
    {"I10", "反复头晕、头痛5年，加重3天", "内科"},
    {"E11", "口干、多饮、多尿2年，乏力1周", "内科"},
    {"I20", "发作性胸闷、胸痛1月", "内科"},
    {"J18", "发热、咳嗽、咳痰4天", "内科"},
    {"I63", "右侧肢体无力伴言语不清6小时", "内科"},
    {"K29", "上腹部隐痛不适2月", "内科"},
    {"J44", "反复咳嗽、咳痰、气促10年，加重1周", "内科"},
    {"I50", "活动后气促、双下肢水肿半月", "内科"},
    {"J20", "咳嗽、咳痰3天", "内科"},
    {"I48", "心悸、胸闷2天", "内科"},
    {"A09", "腹泻、呕吐1天", "内科"},
    {"K35", "转移性右下腹痛12小时", "外科"},
    {"K80", "反复右上腹痛3年，再发2天", "外科"},
    {"N20", "左侧腰部绞痛伴血尿1天", "外科"},
    {"M51", "腰痛伴右下肢放射痛3月", "外科"},
    {"S72", "跌倒后右髋部疼痛、活动受限4小时", "外科"},
    {"K25", "反复上腹痛3年，黑便2天", "外科"},
};

const char* const kSurnames[] = {"王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周", "徐", "孙",
                                 "马", "朱", "胡", "郭", "何", "高", "林", "罗", "郑", "梁", "谢", "宋"};
const char* const kMaleNames[] = {"建国", "志强", "国华", "永红", "德明", "海涛", "伟", "军", "振华", "文斌",
                                  "立新", "明", "春生", "宏伟", "家豪", "子轩"};
const char* const kFemaleNames[] = {"秀英", "桂兰", "玉珍", "淑芬", "丽娟", "美玲", "芳", "静", "红梅", "晓燕",
                                    "雪梅", "婷", "金凤", "慧敏", "雨涵", "思琪"};
const char* const kStreets[] = {"青禾镇东街", "河西路", "建设路", "人民路", "新华街", "朝阳路", "南湖小区", "城北村"};

class Dice {
public:
    explicit Dice(unsigned seed) : engine_(seed) {}
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    template <typename T, size_t N>
    const T& pick(const T (&items)[N]) {
        return items[size_t(between(0, int(N) - 1))];
    }

private:
    std::mt19937 engine_;
};

QString utf8(const char* s) { return QString::fromUtf8(s); }

// An identity card number of 18 characters with its ISO 7064 check character.
QString idCardNumber(const QDate& birth, Dice& dice, bool male) {
    QString body = QStringLiteral("450123") + birth.toString(QStringLiteral("yyyyMMdd")) +
                   QStringLiteral("%1").arg(dice.between(10, 99)) + QString::number(male ? 1 + 2 * dice.between(0, 4)
                                                                                          : 2 * dice.between(0, 4));
    static const int weights[] = {7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};
    int sum = 0;
    for (int i = 0; i < 17; ++i) sum += body[i].digitValue() * weights[i];
    return body + QString(QStringLiteral("10X98765432")[sum % 11]);
}

bool addAccounts(const store::DataDirectory& files, QString& failure) {
    store::Connection db = store::Connection::open(files, store::DbFile::Main);
    if (!db.isOpen()) {
        failure = QStringLiteral("dzbl.mdb 无法打开");
        return false;
    }
    for (const DemoAccount& a : demoAccounts()) {
        const bool doctor = a.level == QStringLiteral("医师");
        // Doctors hold every right but system administration (only the first doctor of
        // each department has it); nurses chart, execute orders and read records.
        const bool admin = a.name == QStringLiteral("张明华") || a.name == QStringLiteral("陈志强");
        const QStringList flags{admin ? "1" : "0", doctor ? "1" : "0", doctor ? "1" : "0", "1",
                                "1",               doctor ? "1" : "0", "1",               doctor ? "1" : "0"};
        const QString sql = QStringLiteral(
                                "INSERT INTO 用户 (密码,用户,级别,科室,XTGL,SXBL,XGBL,CYBL,HZTW,YZCF,YZWH,TJCX) values ('") +
                            identity::passwordDigest(a.password) + QStringLiteral("','") + sqlText(a.name) +
                            QStringLiteral("','") + sqlText(a.level) + QStringLiteral("','") + sqlText(a.department) +
                            QStringLiteral("','") + flags.join(QStringLiteral("','")) + QStringLiteral("')");
        if (const store::ExecResult done = db.execute(sql); !done) {
            failure = done.error;
            return false;
        }
    }
    return true;
}

QString diagnosisName(const store::DataDirectory& files, const QString& code) {
    store::Connection db = store::Connection::open(files, store::DbFile::Coding);
    return db.query(QStringLiteral("SELECT * FROM ICD10 where BM=?"), {code}).first().text(QStringLiteral("ICDMC"));
}

QStringList doctorsOf(const QString& department) {
    QStringList out;
    for (const DemoAccount& a : demoAccounts())
        if (a.department == department && a.level == QStringLiteral("医师")) out << a.name;
    return out;
}

}  // namespace

QList<DemoAccount> demoAccounts() {
    const QString physician = QStringLiteral("医师"), nurse = QStringLiteral("护师");
    const QString medicine = QStringLiteral("内科"), surgery = QStringLiteral("外科");
    return {
        {QStringLiteral("张明华"), medicine, physician, QStringLiteral("zmh123")},
        {QStringLiteral("李秀英"), medicine, physician, QStringLiteral("lxy123")},
        {QStringLiteral("王建国"), medicine, physician, QStringLiteral("wjg123")},
        {QStringLiteral("赵丽"), medicine, nurse, QStringLiteral("zl123")},
        {QStringLiteral("陈志强"), surgery, physician, QStringLiteral("czq123")},
        {QStringLiteral("刘芳"), surgery, physician, QStringLiteral("lf123")},
        {QStringLiteral("孙静"), surgery, nurse, QStringLiteral("sj123")},
    };
}

DemoWardResult populateDemoWard(const store::DataDirectory& files, unsigned seed) {
    DemoWardResult result;
    if (!addAccounts(files, result.message)) return result;

    Dice dice(seed);
    ui::ScriptedUserInterface quiet;
    const QDateTime now = Clock::now();
    const ClockOverride keep;
    const QDate today = now.date();
    const QStringList occupations = parameterList(files, QStringLiteral("职业"));
    const QStringList relations = parameterList(files, QStringLiteral("患者关系"));
    QHash<QString, QSet<int>> bedsTaken;
    constexpr int kPatients = 40;

    for (int i = 0; i < kPatients; ++i) {
        const DemoCase& c = dice.pick(kCases);
        const QString department = utf8(c.department);
        const QStringList doctors = doctorsOf(department);
        shell::UserContext user;
        user.department = department;
        user.userName = doctors.at(dice.between(0, int(doctors.size()) - 1));

        // Older stays have mostly ended; the last fortnight's are mostly still in the ward.
        const int daysAgo = i < 24 ? dice.between(20, 150) : dice.between(0, 19);
        QDateTime admitted(today.addDays(-daysAgo), QTime(dice.between(7, 21), dice.between(0, 59), 0));
        // Nobody is admitted later than the moment the ward is made.
        if (admitted > now) admitted = now.addSecs(-60 * dice.between(1, 59));
        const bool male = dice.between(0, 1) == 0;
        const int age = dice.between(18, 88);

        AdmissionForm f;
        f.name = utf8(dice.pick(kSurnames)) + utf8(male ? dice.pick(kMaleNames) : dice.pick(kFemaleNames));
        f.doctor = user.userName;
        f.sex = male ? QStringLiteral("男") : QStringLiteral("女");
        f.ageNumber = QString::number(age);
        f.admissionNumber = QString::number(admitted.date().year()) + QStringLiteral("%1").arg(1001 + i, 4, 10, QChar('0'));
        f.address = QStringLiteral("青禾县") + utf8(dice.pick(kStreets)) + QString::number(dice.between(1, 200)) +
                    QStringLiteral("号");
        f.diagnosis = diagnosisName(files, utf8(c.code));
        f.admissionDate = admitted;
        int bed = dice.between(1, 40);
        while (bedsTaken[department].contains(bed)) bed = bed % 40 + 1;
        bedsTaken[department].insert(bed);
        f.bed = QString::number(bed);
        f.room = QString::number(100 + (bed + 2) / 3);
        f.complaint = utf8(c.complaint);
        f.insuranceNumber = QStringLiteral("YB%1").arg(dice.between(100000, 999999));
        f.occupation = occupations.isEmpty() ? QString() : occupations.at(dice.between(0, int(occupations.size()) - 1));
        f.birthDate = dates::birthDateFromAge(admitted.date(), f.ageNumber, f.ageUnit).addDays(-dice.between(0, 300));
        f.phone = QStringLiteral("13%1%2").arg(dice.between(1000, 9999)).arg(dice.between(10000, 99999));
        f.idCardNumber = idCardNumber(f.birthDate, dice, male);
        f.contact = utf8(dice.pick(kSurnames)) + utf8(dice.pick(kFemaleNames));
        f.relation = relations.isEmpty() ? QString() : relations.at(dice.between(0, int(relations.size()) - 1));
        f.temperature = QStringLiteral("%1.%2").arg(dice.between(36, 38)).arg(dice.between(0, 9));
        f.pulse = QString::number(dice.between(62, 104));
        f.respiration = QString::number(dice.between(16, 24));
        f.systolic = QString::number(dice.between(105, 170));
        f.diastolic = QString::number(dice.between(62, 100));

        // Each step runs at its own moment, so the stored times read like a real ward's.
        Clock::set([admitted] { return admitted; });
        Admission admission(files, user, quiet);
        if (admission.admit(f) != Admission::Outcome::Registered) {
            result.message = quiet.lastText();
            return result;
        }
        StatusTransitions transitions(files, user, quiet);
        shell::PatientSelection patient(files);
        const int stay = dice.between(5, 18);
        const QDateTime leaving = admitted.addDays(stay).addSecs(dice.between(-3, 3) * 3600);
        bool ok = true;
        if (leaving.date() >= today) {
            ++result.inWard;
        } else {
            Clock::set([leaving] { return leaving; });
            const int path = dice.between(0, 9);
            ok = patient.select(admission.patientId(), shell::PatientStatus::InWard);
            if (path < 2) {
                ok = ok && transitions.setPending(patient) == TransitionOutcome::Done;
                ++result.pending;
            } else {
                const DischargeChoice choice{leaving.date(),
                                             QStringLiteral("%1.%2").arg(dice.between(1800, 26000)).arg(dice.between(0, 9))};
                // Some pass through settlement first, as most real discharges do.
                if (path < 6) {
                    ok = ok && transitions.setPending(patient) == TransitionOutcome::Done;
                    ok = ok && patient.select(patient.id(), shell::PatientStatus::Pending);
                }
                ok = ok && transitions.discharge(patient, [&choice] { return std::optional(choice); }) ==
                               TransitionOutcome::Done;
                ++result.discharged;
            }
            bedsTaken[department].remove(bed);
        }
        keep.restore();
        if (!ok) {
            result.message = quiet.lastText();
            return result;
        }
    }
    result.ok = true;
    return result;
}

}  // namespace qh::patients
