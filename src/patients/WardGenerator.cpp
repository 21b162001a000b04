#include "patients/WardGenerator.h"

#include <QHash>
#include <QSet>
#include <QVariant>
#include <algorithm>
#include <random>

#include "common/Clock.h"
#include "common/DateText.h"
#include "common/Identity.h"
#include "common/Pinyin.h"
#include "orders/OrderModel.h"
#include "patients/Admission.h"
#include "store/BulkLoad.h"
#include "store/Connection.h"
#include "store/StoreDate.h"
#include "vitals/VitalSigns.h"

namespace qh::patients {

namespace {

QString utf8(const char* s) { return QString::fromUtf8(s); }

// A department of the generated hospital: its share of the beds and the code-table
// chapters its diagnoses come from.
struct DepartmentPlan {
    const char* name;
    int bedShare;  // of 300
    const char* codePrefixes;  // space separated
    bool herbal;   // prescribes herbal medicine
    bool surgical;
};

const DepartmentPlan kDepartments[] = {
    {"内科", 105, "I1 I2 I4 I5 I6 E1 J1 J4 K2 N1", false, false},
    {"外科", 60, "K3 K4 K5 K8 N2 C1", false, true},
    {"骨科", 45, "M1 M4 M5 S3 S4 S7 S8", false, true},
    {"妇产科", 35, "O0 O2 O3 O6 O8 N7 N8 D2", false, true},
    {"儿科", 30, "J0 J1 J2 A0 B0 R5", false, false},
    {"中医科", 25, "I6 M5 K2 G4 R5", true, false},
};

const char* const kSurnames[] = {"王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周", "徐", "孙", "马",
                                 "朱", "胡", "郭", "何", "高", "林", "罗", "郑", "梁", "谢", "宋", "唐", "许",
                                 "韩", "冯", "邓", "曹", "彭", "曾", "肖", "田", "董", "袁", "潘", "于", "蒋", "蔡"};
const char* const kGiven[] = {"建国", "志强", "国华", "永红", "德明", "海涛", "伟",   "军",   "振华", "文斌", "立新",
                              "明",   "春生", "宏伟", "家豪", "子轩", "秀英", "桂兰", "玉珍", "淑芬", "丽娟", "美玲",
                              "芳",   "静",   "红梅", "晓燕", "雪梅", "婷",   "金凤", "慧敏", "雨涵", "思琪", "浩然",
                              "梓涵", "俊杰", "欣怡", "佳琪", "一鸣", "天宇", "嘉怡", "晨曦", "学文", "丽华", "秋菊"};
const char* const kPlaces[] = {"青禾镇东街", "河西路", "建设路", "人民路", "新华街", "朝阳路", "南湖小区", "城北村",
                               "柳塘村",     "石桥镇", "东关街", "西湖路", "文化路", "解放路", "幸福里", "桃源村"};
const char* const kOccupations[] = {"农民", "工人", "职员", "退休", "学生", "个体", "教师", "无业"};
const char* const kComplaints[] = {"反复头晕、头痛5年，加重3天", "发热、咳嗽、咳痰4天", "上腹部隐痛不适2月",
                                   "转移性右下腹痛12小时", "腰痛伴右下肢放射痛3月", "胸闷、气促1周",
                                   "跌倒后右髋部疼痛4小时", "停经38周，下腹阵痛3小时", "腹泻、呕吐1天",
                                   "右侧肢体无力6小时"};

// Order content the generator writes, by kind of line.
struct Line {
    const char* content;
    const char* spec;
    const char* unit;
    const char* dose;
    const char* route;
    const char* frequency;
    bool drug;
};
const Line kNursing[] = {{"二级护理", "", "", "", "", "", false}, {"一级护理", "", "", "", "", "", false}};
const Line kDiet[] = {{"普食", "", "", "", "", "", false}, {"低盐低脂饮食", "", "", "", "", "", false},
                      {"糖尿病饮食", "", "", "", "", "", false}, {"半流质饮食", "", "", "", "", "", false}};
const Line kInfusionBase[] = {{"0.9%氯化钠注射液", "250ml", "袋", "250ml", "静脉滴注", "qd", true},
                              {"5%葡萄糖注射液", "250ml", "袋", "250ml", "静脉滴注", "qd", true},
                              {"0.9%氯化钠注射液", "100ml", "袋", "100ml", "静脉滴注", "bid", true}};
const Line kInfusionDrug[] = {{"注射用头孢呋辛钠", "0.75g", "支", "1.5g", "静脉滴注", "bid", true},
                              {"注射用泮托拉唑钠", "40mg", "支", "40mg", "静脉滴注", "qd", true},
                              {"丹参注射液", "10ml", "支", "20ml", "静脉滴注", "qd", true},
                              {"注射用阿莫西林克拉维酸钾", "1.2g", "支", "1.2g", "静脉滴注", "q8h", true},
                              {"氯化钾注射液", "10ml", "支", "10ml", "静脉滴注", "qd", true}};
const Line kOral[] = {{"阿司匹林肠溶片", "100mg*30", "盒", "100mg", "口服", "qd", true},
                      {"硝苯地平缓释片", "20mg*30", "盒", "20mg", "口服", "bid", true},
                      {"二甲双胍片", "0.5g*20", "盒", "0.5g", "口服", "tid", true},
                      {"奥美拉唑肠溶胶囊", "20mg*14", "盒", "20mg", "口服", "qd", true},
                      {"阿托伐他汀钙片", "20mg*7", "盒", "20mg", "口服", "qn", true}};
const Line kTests[] = {{"血常规", "", "次", "", "", "", false},   {"尿常规", "", "次", "", "", "", false},
                       {"肝功能", "", "次", "", "", "", false},   {"肾功能", "", "次", "", "", "", false},
                       {"电解质", "", "次", "", "", "", false},   {"心电图", "", "次", "", "", "", false},
                       {"胸部DR", "", "次", "", "", "", false},   {"腹部彩超", "", "次", "", "", "", false},
                       {"凝血四项", "", "次", "", "", "", false}, {"血糖测定", "", "次", "", "", "", false}};
const Line kTemporary[] = {{"复查血常规", "", "次", "", "", "", false},
                           {"0.9%氯化钠注射液", "100ml", "袋", "100ml", "静脉滴注", "st", true},
                           {"盐酸异丙嗪注射液", "25mg", "支", "25mg", "肌肉注射", "st", true},
                           {"换药", "", "次", "", "", "", false},
                           {"血糖测定", "", "次", "", "", "", false}};
const char* const kHerbs[] = {"黄芪", "党参", "白术", "茯苓", "当归", "川芎", "白芍", "熟地黄", "甘草", "陈皮",
                              "半夏", "丹参", "红花", "桃仁", "柴胡", "枳壳"};

class Dice {
public:
    explicit Dice(unsigned seed) : engine_(seed) {}
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    bool chance(int percent) { return between(0, 99) < percent; }
    template <typename T, size_t N>
    const T& pick(const T (&items)[N]) {
        return items[size_t(between(0, int(N) - 1))];
    }
    template <typename T>
    const T& pick(const QList<T>& items) {
        return items[between(0, int(items.size()) - 1)];
    }
    // Length of a stay in days: most stay a few days to two weeks, a few for months.
    int stayLength() {
        std::gamma_distribution<double> days(1.6, 3.2);
        return std::clamp(1 + int(days(engine_)), 1, 90);
    }

private:
    std::mt19937 engine_;
};

struct Staff {
    QString name;
    bool doctor = false;
};

struct Stay {
    int department = 0;
    int bed = 0;
    QDateTime admitted, leaving;  // leaving: the discharge (or the planned one, in the future)
};

struct Template {
    QString key, title;
    bool multi = false;
    qint64 order = 0;
    QByteArray data;
};

QString canonical(const QDateTime& at) { return store::canonicalDateText(at); }

// The discharge moment as the discharge writes it: the chosen day with the time of day of
// the moment it is done (dateWithCurrentTimeText at the moment of leaving), canonical.
QString dischargeDate(const QDateTime& leaving) {
    const ClockOverride keep;
    Clock::set([leaving] { return leaving; });
    const QString text = dates::dateWithCurrentTimeText(leaving.date());
    keep.restore();
    return store::canonicalDateText(text).value_or(QString());
}

store::Param param(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::QString: return v.toString();
    case QMetaType::QDateTime: return v.toDateTime();
    case QMetaType::QDate: return v.toDate();
    case QMetaType::Double: return v.toDouble();
    case QMetaType::Int:
    case QMetaType::LongLong: return v.toLongLong();
    default: return v.isNull() ? store::Param(nullptr) : store::Param(v.toString());
    }
}

std::function<FrontPageColumns(const FrontPageStay&)>& frontPageMaker() {
    static std::function<FrontPageColumns(const FrontPageStay&)> maker = [](const FrontPageStay& s) {
        return FrontPageColumns{
            {QStringLiteral("ZYBH"), s.serial},
            {QStringLiteral("BAH"), s.admissionNumber},
            {QStringLiteral("ZYCS"), QStringLiteral("1")},
            {QStringLiteral("XM"), s.name},
            {QStringLiteral("XB"), s.sex},
            {QStringLiteral("CSRQ"), QDateTime(s.birthDate, QTime(0, 0))},
            {QStringLiteral("NL"), s.age},
            {QStringLiteral("RYRQ"), s.admitted},
            {QStringLiteral("RYKS"), s.department},
            {QStringLiteral("CYRQ"), s.discharged},
            {QStringLiteral("CYKS"), s.department},
            {QStringLiteral("ZYTS"), QString::number(qMax<qint64>(1, s.admitted.date().daysTo(s.discharged.date())))},
            {QStringLiteral("CYZD1"), s.diagnosis},
            {QStringLiteral("CYBM1"), s.diagnosisCode},
            {QStringLiteral("ZYQM"), s.doctor},
        };
    };
    return maker;
}

// Everything one generation needs while it writes rows.
class Generator {
public:
    Generator(const store::DataDirectory& files, const WardPlan& plan, const GenerationProgress& progress)
        : files_(files), plan_(plan), progress_(progress), dice_(plan.seed) {}

    GeneratedWard run();

private:
    bool fail(const QString& message) {
        result_.message = message;
        return false;
    }
    void say(const QString& line) {
        if (progress_) progress_(line);
    }
    bool readSources();
    bool prepareDepartments();
    void planStays();
    bool prepareStatements();
    bool writeStaff();
    bool writeStay(const Stay& stay);
    bool writeOrders(const Stay& s, const QString& serial, const QString& doctor, const QString& nurse,
                     const QString& bed, bool ended);
    bool orderLine(const QString& serial, const QDateTime& at, orders::OrderKind kind, const Line& line,
                   const QString& marker, const orders::LineIds& ids, const QString& doctor, const QString& nurse,
                   const QString& bed, const QDateTime& stoppedAt, const QString& department, double quantity = 1);
    bool writeVitals(const Stay& s, const QString& serial, const QString& nurse, bool ended);
    bool writeDocuments(const Stay& s, const QString& serial, bool ended);

    store::DataDirectory files_;
    WardPlan plan_;
    GenerationProgress progress_;
    Dice dice_;
    GeneratedWard result_;
    store::BulkLoad load_;
    QDate lastDay_;
    QDateTime now_;

    QList<QList<QPair<QString, QString>>> diagnoses_;  // per department: (name, code)
    QList<int> beds_;                                  // per department
    QList<QList<Staff>> staff_;                        // per department
    QList<Template> templates_;
    QList<Stay> stays_;
    qint64 orderNumber_ = 0;  // the last order number given

    int patientInsert_ = -1, serialInsert_ = -1, orderInsert_ = -1, vitalInsert_ = -1, documentInsert_ = -1,
        frontPageInsert_ = -1, userInsert_ = -1, counterInsert_ = -1;
    QStringList frontPageColumns_;
};

bool Generator::readSources() {
    store::Connection coding = store::Connection::open(files_, store::DbFile::Coding);
    if (!coding.isOpen()) return fail(QStringLiteral("fwqdz.mdb 无法打开：") + coding.lastError());
    const store::Rows codes = coding.query(QStringLiteral("select ICDMC, BM from ICD10 order by BM"));
    for (const DepartmentPlan& d : kDepartments) {
        QList<QPair<QString, QString>> found;
        const QStringList prefixes = utf8(d.codePrefixes).split(u' ');
        for (const store::Row& r : codes) {
            const QString code = r.text(QStringLiteral("BM"));
            for (const QString& p : prefixes)
                if (code.startsWith(p)) {
                    found.append({r.text(QStringLiteral("ICDMC")), code});
                    break;
                }
        }
        if (found.isEmpty()) found.append({QStringLiteral("待查"), QString()});
        diagnoses_.append(found);
    }
    store::Connection main = store::Connection::open(files_, store::DbFile::Main);
    if (!main.isOpen()) return fail(QStringLiteral("dzbl.mdb 无法打开：") + main.lastError());
    if (main.query(QStringLiteral("select count(*) from 在院病人")).first().value(0).toInt() != 0)
        return fail(QStringLiteral("dzbl.mdb 已有病人，生成只用于新建的数据目录"));
    for (const store::Row& r :
         main.query(QStringLiteral("select 检索, 标题, 添加, 顺序, 数据 from GSMB where 纸张='A' order by 顺序"))) {
        Template t;
        t.key = r.text(QStringLiteral("检索"));
        t.title = r.text(QStringLiteral("标题"));
        t.multi = r.boolean(QStringLiteral("添加"));
        t.order = r.integer(QStringLiteral("顺序"));
        t.data = r.bytes(QStringLiteral("数据"));
        templates_.append(t);
    }
    return true;
}

bool Generator::prepareDepartments() {
    // The seed's departments keep their rows; their bed counts become the plan's.
    store::Connection main = store::Connection::open(files_, store::DbFile::Main);
    store::Transaction tx(main);
    int given = 0;
    for (int i = 0; i < int(std::size(kDepartments)); ++i) {
        const int beds = i + 1 == int(std::size(kDepartments))
                             ? qMax(1, plan_.beds - given)
                             : qMax(1, int(qint64(plan_.beds) * kDepartments[i].bedShare / 300));
        given += beds;
        beds_.append(beds);
        const QString name = utf8(kDepartments[i].name);
        const store::ExecResult updated =
            main.execute(QStringLiteral("UPDATE 科室 SET 床位=? WHERE 科室=?"), {beds, name});
        if (!updated.ok) return fail(updated.error);
        if (updated.rowsChanged == 0 &&
            !main.execute(QStringLiteral("INSERT INTO 科室 (科室, 床位) values (?, ?)"), {name, beds}).changed())
            return fail(main.lastError());
    }
    if (!tx.commit()) return fail(main.lastError());
    return true;
}

void Generator::planStays() {
    const QDate first = lastDay_.addYears(-plan_.years).addDays(1);
    for (int d = 0; d < beds_.size(); ++d) {
        for (int bed = 1; bed <= beds_[d]; ++bed) {
            // Each bed's history: a stay, a day or two empty, the next stay.
            QDateTime free(first.addDays(-dice_.between(0, 20)), QTime(8, 0));
            while (true) {
                QDateTime admitted(free.date().addDays(dice_.between(0, 2)),
                                   QTime(dice_.between(7, 21), dice_.between(0, 59), dice_.between(0, 59)));
                // The bed's next patient has not come yet.
                if (admitted > now_) break;
                const QDateTime leaving(admitted.date().addDays(dice_.stayLength()),
                                        QTime(dice_.between(8, 16), dice_.between(0, 59), 0));
                if (admitted.date() >= first) stays_.append({d, bed, admitted, leaving});
                free = leaving;
            }
        }
    }
    // The rows go in as the ward would have written them: by admission.
    std::sort(stays_.begin(), stays_.end(), [](const Stay& a, const Stay& b) { return a.admitted < b.admitted; });
}

bool Generator::prepareStatements() {
    patientInsert_ = load_.prepare(
        QStringLiteral("在院病人"),
        QStringList{"住院编号", "住院号", "姓名", "姓名检索", "性别", "年龄", "出生日期", "住址", "诊断", "主诉", "床号",
                    "科室", "病室", "主管医生", "医疗证号", "职业", "联系电话", "身份证号", "联系人", "患者关系", "体温",
                    "脉搏", "呼吸", "血压", "入院日期", "日期部分", "月部分", "状态", "出院日期", "费用"});
    serialInsert_ = load_.prepare(QStringLiteral("ZYID"), {QStringLiteral("zybh")});
    orderInsert_ = load_.prepare(
        QStringLiteral("zyb_yzxx"),
        QStringList{"zyid", "yzid", "yzsj", "kssj", "xmmc", "xmgg", "xmdw", "xmsl", "yzjl", "yzfs", "yzyf", "yzpd",
                    "ypcz", "qllb", "ysxm1", "hsxm1", "tzsj", "ysxm2", "hsxm2", "hldy", "ksbh", "cwbh", "yzlb", "sjyz",
                    "yzzt", "zxjs", "lrsx", "czsj", "xmsx"});
    vitalInsert_ = load_.prepare(QStringLiteral("体温单"),
                                 QStringList{"检索", "时刻检索", "日期", "时刻", "住院日数", "手术日数", "体温类型",
                                             "体温1", "脉搏", "心率", "呼吸", "记录者", "排序1", "排序2", "排序3",
                                             "排序4", "事项1", "事项时间1", "血压"});
    documentInsert_ = load_.prepare(QStringLiteral("在院病历"),
                                    QStringList{"检索", "病历", "顺序", "病历次数", "标题", "数据"});
    userInsert_ = load_.prepare(QStringLiteral("用户"), QStringList{"用户", "密码", "级别", "科室", "XTGL", "SXBL",
                                                                    "XGBL", "CYBL", "HZTW", "YZCF", "YZWH", "TJCX"});
    counterInsert_ = load_.prepare(QStringLiteral("adm_sid"), QStringList{"sid", "code"});
    for (const auto& [column, value] : frontPageMaker()(FrontPageStay{})) frontPageColumns_ << column;
    frontPageInsert_ = load_.prepare(QStringLiteral("BAJK"), frontPageColumns_);
    for (int s : {patientInsert_, serialInsert_, orderInsert_, vitalInsert_, documentInsert_, userInsert_,
                  counterInsert_, frontPageInsert_})
        if (s < 0) return fail(load_.error());
    return true;
}

bool Generator::writeStaff() {
    // About one doctor to eight beds and one nurse to five, named without repeats.
    QSet<QString> taken;
    const QString password = identity::passwordDigest(QStringLiteral("123"));
    for (int d = 0; d < beds_.size(); ++d) {
        QList<Staff> people;
        const int doctors = qMax(2, beds_[d] / 8), nurses = qMax(2, beds_[d] / 5);
        for (int i = 0; i < doctors + nurses; ++i) {
            QString name;
            do name = utf8(dice_.pick(kSurnames)) + utf8(dice_.pick(kGiven));
            while (taken.contains(name));
            taken.insert(name);
            const bool doctor = i < doctors;
            people.append({name, doctor});
            const QString yes = QStringLiteral("1"), no = QStringLiteral("0");
            if (!load_.insert(userInsert_, {name, password, doctor ? QStringLiteral("医师") : QStringLiteral("护师"),
                                            utf8(kDepartments[d].name), i == 0 ? yes : no, doctor ? yes : no,
                                            doctor ? yes : no, yes, yes, doctor ? yes : no, yes, doctor ? yes : no}))
                return fail(load_.error());
            ++result_.users;
        }
        staff_.append(people);
    }
    return true;
}

bool Generator::orderLine(const QString& serial, const QDateTime& at, orders::OrderKind kind, const Line& line,
                          const QString& marker, const orders::LineIds& ids, const QString& doctor, const QString& nurse,
                          const QString& bed, const QDateTime& stoppedAt, const QString& department,
                          double quantity) {
    const QString time = orders::dateTimeText(at.date(), at.time());
    const bool stopped = stoppedAt.isValid();
    const QString stop = stopped ? orders::dateTimeText(stoppedAt.date(), stoppedAt.time()) : QString();
    const bool ok = load_.insert(
        orderInsert_,
        {serial, orders::idText(ids.yzid), time, time, utf8(line.content), utf8(line.spec), utf8(line.unit), quantity,
         utf8(line.dose), utf8(line.route), utf8(line.frequency), QString(), marker,
         line.drug ? orders::kRequisition : orders::kExecutionSlip, doctor, nurse,
         stopped ? store::Param(stop) : store::Param(nullptr), stopped ? doctor : QString(),
         stopped ? nurse : QString(), orders::kNursingUnit, department, bed, orders::kindText(kind), ids.sjyz,
         orders::kValid, kind == orders::OrderKind::Temporary ? store::Param(1) : store::Param(nullptr), ids.yzid, time,
         kind == orders::OrderKind::Herbal ? orders::kHerbalAttribute : QString()});
    if (!ok) return fail(load_.error());
    ++result_.orderLines;
    return true;
}

bool Generator::writeOrders(const Stay& s, const QString& serial, const QString& doctor, const QString& nurse,
                            const QString& bed, bool ended) {
    const QString department = utf8(kDepartments[s.department].name);
    const QDateTime endAt = ended ? s.leaving : QDateTime();
    // One batch: markers in, identifiers from the next numbers out, as a save numbers them.
    auto batch = [&](const QDateTime& at, orders::OrderKind kind, const QList<QPair<const Line*, QString>>& lines,
                     const QList<QDateTime>& stops) {
        QStringList markers;
        for (const auto& l : lines) markers << l.second;
        const QVector<orders::LineIds> ids = orders::westernIdentifiers(markers, orderNumber_);
        orderNumber_ += lines.size() + 1;  // the header row's number stays unused
        for (int i = 0; i < lines.size(); ++i)
            if (!orderLine(serial, at, kind, *lines[i].first, lines[i].second, ids[i], doctor, nurse, bed, stops[i],
                           department))
                return false;
        return true;
    };
    const int days = int(s.admitted.date().daysTo(ended ? s.leaving.date() : lastDay_));

    // Admission: nursing and diet single lines, one to three infusion groups, oral drugs.
    QList<QPair<const Line*, QString>> longTerm;
    QList<QDateTime> stops;
    auto add = [&](const Line* l, const QString& marker, bool stopEarly) {
        longTerm.append({l, marker});
        QDateTime stop = endAt;
        if (stopEarly && days > 2) stop = QDateTime(s.admitted.date().addDays(dice_.between(1, days - 1)), QTime(9, 30));
        stops.append(stop);
    };
    add(&dice_.pick(kNursing), orders::kSingle, false);
    add(&dice_.pick(kDiet), orders::kSingle, false);
    const int groups = dice_.between(1, 3);
    for (int g = 0; g < groups; ++g) {
        const bool early = dice_.chance(40);
        add(&dice_.pick(kInfusionBase), orders::kNewGroup, early);
        for (int k = dice_.between(1, 2); k > 0; --k) add(&dice_.pick(kInfusionDrug), orders::kInGroup, early);
    }
    for (int k = dice_.between(1, 3); k > 0; --k) add(&dice_.pick(kOral), orders::kSingle, dice_.chance(20));
    if (!batch(s.admitted.addSecs(1200), orders::OrderKind::LongTerm, longTerm, stops)) return false;

    // Admission tests, executed by the nurse.
    QList<QPair<const Line*, QString>> tests;
    QList<QDateTime> noStops;
    for (int k = dice_.between(5, 9); k > 0; --k) {
        tests.append({&dice_.pick(kTests), orders::kSingle});
        noStops.append(QDateTime());
    }
    if (!batch(s.admitted.addSecs(1500), orders::OrderKind::Temporary, tests, noStops)) return false;

    // The days of the stay: temporary orders most days, a few new long-term lines.
    for (int day = 1; day < days; ++day) {
        const QDateTime at(s.admitted.date().addDays(day), QTime(dice_.between(8, 11), dice_.between(0, 59), 0));
        if (dice_.chance(85)) {
            QList<QPair<const Line*, QString>> lines;
            QList<QDateTime> none;
            for (int k = dice_.between(2, 6); k > 0; --k) {
                lines.append({&dice_.pick(kTemporary), orders::kSingle});
                none.append(QDateTime());
            }
            if (!batch(at, orders::OrderKind::Temporary, lines, none)) return false;
        }
        if (dice_.chance(35)) {
            if (!batch(at.addSecs(300), orders::OrderKind::LongTerm, {{&dice_.pick(kOral), orders::kSingle}}, {endAt}))
                return false;
        }
        // A long stay's orders are reorganised: the marker row, then the lines again.
        if (day == 10 && days > 14) {
            static const Line marker{"重整医嘱", "", "", "", "", "", false};
            if (!batch(at.addSecs(600), orders::OrderKind::LongTerm, {{&marker, orders::kSingle}}, {QDateTime()}))
                return false;
            QList<QPair<const Line*, QString>> again;
            QList<QDateTime> againStops;
            for (const auto& l : longTerm) {
                again.append(l);
                againStops.append(endAt);
            }
            if (!batch(at.addSecs(660), orders::OrderKind::LongTerm, again, againStops)) return false;
        }
        // Herbal medicine: a prescription of eight herbs a week.
        if (kDepartments[s.department].herbal && day % 7 == 1) {
            static QList<Line> herbLines = [] {
                QList<Line> out;
                for (const char* h : kHerbs) out.append({h, "", "g", "", "", "", true});
                return out;
            }();
            const orders::HerbalIds ids =
                orders::herbalIdentifiers(8, orderNumber_, QStringLiteral("CYCF") + at.toString(QStringLiteral("yyMMddhhmmss")) +
                                                               QString::number(dice_.between(1000, 9999)));
            orderNumber_ += 9;
            static const Line header{"草药处方单", "", "", "", "水煎服", "", false};
            if (!orderLine(serial, at, orders::OrderKind::Herbal, header, QString(), ids.header, doctor, nurse, bed,
                           QDateTime(), department, 7))
                return false;
            for (int h = 0; h < 8; ++h)
                if (!orderLine(serial, at, orders::OrderKind::Herbal, herbLines[dice_.between(0, herbLines.size() - 1)],
                               QString(), ids.herbs[h], doctor, nurse, bed, QDateTime(), department,
                               dice_.between(6, 30)))
                    return false;
        }
    }
    if (ended) {
        static const Line discharge{"今日出院", "", "", "", "", "", false};
        if (!batch(s.leaving.addSecs(-3600), orders::OrderKind::Temporary, {{&discharge, orders::kSingle}},
                   {QDateTime()}))
            return false;
    }
    return true;
}

bool Generator::writeVitals(const Stay& s, const QString& serial, const QString& nurse, bool ended) {
    const QDate last = ended ? s.leaving.date() : lastDay_;
    const QStringList& slotLabels = vitals::timeSlots();
    static const int slotHours[] = {4, 8, 12, 16, 20, 24};
    const int days = int(s.admitted.date().daysTo(last));
    for (int day = 0; day <= days; ++day) {
        const QDate date = s.admitted.date().addDays(day);
        // Four measurements the first days, two later, one a day once the patient is well.
        QList<int> taken;
        if (day < 2) taken = {1, 2, 3, 4};
        else if (day < 5) taken = {1, 3};
        else taken = {1};
        const QString dateText = vitals::rowDateText(date);
        bool firstOfStay = day == 0;
        for (int slot : taken) {
            if (day == 0 && slotHours[slot] <= s.admitted.time().hour()) continue;
            const QString slotText = slotLabels[slot];
            const bool fever = day < 3 && dice_.chance(20);
            const QString temperature =
                QStringLiteral("%1.%2").arg(fever ? dice_.between(37, 39) : 36).arg(dice_.between(0, 9));
            const QString pulse = QString::number(dice_.between(62, 104));
            if (!load_.insert(vitalInsert_,
                              {serial, dateText + slotText + serial, dateText, slotText, QString::number(day + 1),
                               QString(), QStringLiteral("腋温"), temperature, pulse, pulse,
                               QString::number(dice_.between(16, 24)), nurse, date.year(), date.month(), date.day(),
                               vitals::slotNumber(slotText), firstOfStay ? QStringLiteral("入院") : QString(),
                               firstOfStay ? s.admitted.toString(QStringLiteral("h时m分")) : QString(),
                               slot == 1 ? QStringLiteral("%1/%2").arg(dice_.between(100, 160)).arg(dice_.between(60, 95))
                                         : QString()}))
                return fail(load_.error());
            ++result_.vitalRows;
            firstOfStay = false;
        }
    }
    return true;
}

bool Generator::writeDocuments(const Stay& s, const QString& serial, bool ended) {
    auto find = [this](const QString& key) -> const Template* {
        for (const Template& t : templates_)
            if (t.key == key) return &t;
        return nullptr;
    };
    auto add = [&](const Template* t, int copy) {
        if (!t) return true;
        // A template added more than once numbers its copies: 日常病程记录, 日常病程记录2, ...
        const QString title = copy <= 1 ? t->key : t->key + QString::number(copy);
        const QString name = copy <= 1 ? t->title : t->title + QString::number(copy);
        if (!load_.insert(documentInsert_, {serial, name, t->order, t->multi ? store::Param(t->key) : store::Param(nullptr),
                                            title, t->data}))
            return fail(load_.error());
        ++result_.documents;
        return true;
    };
    const int days = int(s.admitted.date().daysTo(ended ? s.leaving.date() : lastDay_));
    if (!add(find(QStringLiteral("入院记录")), 1) || !add(find(QStringLiteral("首次病程记录")), 1)) return false;
    const int notes = qMin(days / 5, 10);
    for (int n = 1; n <= notes; ++n)
        if (!add(find(QStringLiteral("日常病程记录")), n)) return false;
    if (kDepartments[s.department].surgical && dice_.chance(50) && !add(find(QStringLiteral("手术记录")), 1))
        return false;
    return !ended || add(find(QStringLiteral("出院记录")), 1);
}

bool Generator::writeStay(const Stay& s) {
    const DepartmentPlan& plan = kDepartments[s.department];
    const QList<Staff>& people = staff_[s.department];
    int doctors = 0;
    while (doctors < people.size() && people[doctors].doctor) ++doctors;
    const QString doctor = people[dice_.between(0, doctors - 1)].name;
    const QString nurse = people[dice_.between(doctors, int(people.size()) - 1)].name;

    // The state: a stay that ended before today is discharged, or pending settlement when it
    // ended in the last days; one that has not is in the ward.
    QString state = QStringLiteral("在院");
    const bool ended = s.leaving <= now_;
    if (ended) {
        const qint64 since = s.leaving.date().daysTo(lastDay_);
        if (since <= 3 && dice_.chance(50)) {
            state = QStringLiteral("待结");
            ++result_.pending;
        } else {
            state = QStringLiteral("出院");
            ++result_.discharged;
        }
    } else {
        ++result_.inWard;
    }

    if (!load_.insert(serialInsert_, {QStringLiteral("zybh")})) return fail(load_.error());
    const QString serial = QString::number(load_.lastKey());
    const bool male = plan.name == QByteArrayLiteral("妇产科") ? false : dice_.chance(50);
    const int age = QByteArray(plan.name) == "儿科" ? dice_.between(1, 14)
                    : QByteArray(plan.name) == "妇产科" ? dice_.between(20, 45)
                                                      : dice_.between(18, 90);
    const QString name = utf8(dice_.pick(kSurnames)) + utf8(dice_.pick(kGiven));
    const QDate birth =
        dates::birthDateFromAge(s.admitted.date(), QString::number(age), QStringLiteral("岁")).addDays(-dice_.between(0, 360));
    const auto& diagnosis = dice_.pick(diagnoses_[s.department]);
    const QString admissionNumber =
        QString::number(s.admitted.date().year()) + QStringLiteral("%1").arg(load_.lastKey(), 7, 10, QChar('0'));
    const QString bed = QString::number(s.bed);
    const QString ageText = QString::number(age) + QStringLiteral("岁");
    const QString department = utf8(plan.name);
    QString idCard = QStringLiteral("450123") + birth.toString(QStringLiteral("yyyyMMdd")) +
                     QStringLiteral("%1%2").arg(dice_.between(10, 99)).arg(male ? 1 : 2);
    static const int weights[] = {7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2};
    int sum = 0;
    for (int i = 0; i < 17; ++i) sum += idCard[i].digitValue() * weights[i];
    idCard += QString(QStringLiteral("10X98765432")[sum % 11]);

    const QString endDate = state == QStringLiteral("在院") ? QString() : dischargeDate(s.leaving);
    if (!load_.insert(
            patientInsert_,
            {serial, admissionNumber, name, text::pinyinInitials(name), male ? QStringLiteral("男") : QStringLiteral("女"),
             ageText, dates::plainDateText(birth),
             QStringLiteral("青禾县") + utf8(dice_.pick(kPlaces)) + QString::number(dice_.between(1, 200)) +
                 QStringLiteral("号"),
             diagnosis.first, utf8(dice_.pick(kComplaints)), bed, department, QString::number(100 + (s.bed + 2) / 3),
             doctor, QStringLiteral("YB%1").arg(dice_.between(100000, 999999)), utf8(dice_.pick(kOccupations)),
             QStringLiteral("13%1%2").arg(dice_.between(1000, 9999)).arg(dice_.between(10000, 99999)), idCard,
             utf8(dice_.pick(kSurnames)) + utf8(dice_.pick(kGiven)), QStringLiteral("家属"),
             QStringLiteral("36.%1").arg(dice_.between(3, 9)), QString::number(dice_.between(62, 104)),
             QString::number(dice_.between(16, 24)),
             QStringLiteral("%1/%2").arg(dice_.between(105, 170)).arg(dice_.between(62, 100)), canonical(s.admitted),
             canonical(s.admitted), admissionMonthPart(s.admitted), state,
             endDate.isEmpty() ? store::Param(nullptr) : store::Param(endDate),
             state == QStringLiteral("出院") ? store::Param(double(dice_.between(1800, 60000)))
                                           : store::Param(nullptr)}))
        return fail(load_.error());
    ++result_.stays;

    if (!writeOrders(s, serial, doctor, nurse, bed, ended) || !writeVitals(s, serial, nurse, ended) ||
        !writeDocuments(s, serial, ended))
        return false;
    if (state == QStringLiteral("出院")) {
        const FrontPageStay stay{serial, admissionNumber, name, male ? QStringLiteral("男") : QStringLiteral("女"),
                                 ageText, department, diagnosis.first, diagnosis.second, doctor, birth, s.admitted,
                                 s.leaving};
        store::Params values;
        const FrontPageColumns columns = frontPageMaker()(stay);
        for (int i = 0; i < columns.size() && i < frontPageColumns_.size(); ++i) values.push_back(param(columns[i].second));
        if (!load_.insert(frontPageInsert_, values)) return fail(load_.error());
        ++result_.frontPages;
    }
    return true;
}

GeneratedWard Generator::run() {
    lastDay_ = plan_.lastDay.isValid() ? plan_.lastDay : QDate::currentDate();
    now_ = plan_.lastDay.isValid() ? QDateTime(lastDay_, QTime(17, 0)) : QDateTime::currentDateTime();
    if (plan_.years < 1 || plan_.beds < int(std::size(kDepartments))) {
        result_.message = QStringLiteral("至少一年、%1张床").arg(int(std::size(kDepartments)));
        return result_;
    }
    if (!readSources() || !prepareDepartments()) return result_;
    planStays();
    say(QStringLiteral("%1 stays planned over %2 years, %3 beds in %4 departments")
            .arg(stays_.size())
            .arg(plan_.years)
            .arg(plan_.beds)
            .arg(beds_.size()));
    load_ = store::BulkLoad::open(files_, store::DbFile::Main,
                                  {QStringLiteral("在院病人"), QStringLiteral("ZYID"), QStringLiteral("zyb_yzxx"),
                                   QStringLiteral("体温单"), QStringLiteral("在院病历"), QStringLiteral("BAJK"),
                                   QStringLiteral("用户"), QStringLiteral("adm_sid")});
    if (!load_.isOpen()) {
        result_.message = load_.error();
        return result_;
    }
    if (!prepareStatements() || !writeStaff()) return result_;
    int year = stays_.isEmpty() ? 0 : stays_.first().admitted.date().year();
    qint64 staysBefore = 0, ordersBefore = 0;
    for (const Stay& s : stays_) {
        if (s.admitted.date().year() != year) {
            say(QStringLiteral("%1: %2 stays, %3 order lines").arg(year).arg(result_.stays - staysBefore).arg(result_.orderLines - ordersBefore));
            year = s.admitted.date().year();
            staysBefore = result_.stays;
            ordersBefore = result_.orderLines;
        }
        if (!writeStay(s)) return result_;
    }
    say(QStringLiteral("%1: %2 stays, %3 order lines").arg(year).arg(result_.stays - staysBefore).arg(result_.orderLines - ordersBefore));
    // The order-number counter carries on after the last number given.
    if (orderNumber_ > 0 && !load_.insert(counterInsert_, {orderNumber_, QStringLiteral("CODE")})) {
        result_.message = load_.error();
        return result_;
    }
    say(QStringLiteral("%1 rows written; building indexes").arg(load_.rowsInserted()));
    if (!load_.finish([this](const QString& name) { say(QStringLiteral("index ") + name); })) {
        result_.message = load_.error();
        return result_;
    }
    result_.ok = true;
    return result_;
}

}  // namespace

void setFrontPageRowMaker(std::function<FrontPageColumns(const FrontPageStay&)> maker) {
    if (maker) frontPageMaker() = std::move(maker);
}

GeneratedWard generateWard(const store::DataDirectory& files, const WardPlan& plan, const GenerationProgress& progress) {
    Generator generator(files, plan, progress);
    return generator.run();
}

}  // namespace qh::patients
