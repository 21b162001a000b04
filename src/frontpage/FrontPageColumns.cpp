#include "frontpage/FrontPageColumns.h"

using namespace Qt::Literals::StringLiterals;

namespace qh::frontpage {

namespace {

using K = ColumnKind;

FrontPageColumn col(const char* name, K kind, const QString& label) { return {QString::fromLatin1(name), kind, label}; }

QList<FrontPageColumn> makeWestern() {
    QList<FrontPageColumn> c{
        col("YLFFFS", K::Code, u"医疗付费方式"_s), col("JKKH", K::Text, u"健康卡号"_s), col("ZYCS", K::Text, u"住院次数"_s),
        col("BAH", K::Text, u"病案号"_s), col("XM", K::Text, u"姓名"_s), col("XB", K::Code, u"性别"_s),
        col("CSRQ", K::Date, u"出生日期"_s), col("NL", K::Text, u"年龄"_s), col("GJ", K::Text, u"国籍"_s),
        col("NLY", K::Text, u"不足一周岁年龄"_s), col("TZ", K::Text, u"新生儿体重"_s), col("RYTZ", K::Text, u"新生儿入院体重"_s),
        col("CSSF", K::Text, u"出生地点"_s), col("JGSF", K::Text, u"籍贯"_s), col("MZ", K::Text, u"民族"_s),
        col("SFZH", K::Text, u"身份证号"_s), col("ZY", K::Text, u"职业"_s), col("HYDM", K::Code, u"婚姻"_s),
        col("XZDZ", K::Text, u"现住址"_s), col("XZDH", K::Text, u"电话"_s), col("XZYB", K::Text, u"邮编"_s),
        col("HKDZ", K::Text, u"户口住址"_s), col("HKYB", K::Text, u"户口邮编"_s), col("GZDW", K::Text, u"工作单位及地址"_s),
        col("DWDH", K::Text, u"单位电话"_s), col("DWYB", K::Text, u"单位邮编"_s), col("LXRXM", K::Text, u"联系人姓名"_s),
        col("LXRGX", K::Text, u"关系"_s), col("LXRDZ", K::Text, u"联系人地址"_s), col("LXRDH", K::Text, u"联系人电话"_s),
        col("TJBM", K::Code, u"入院途径"_s), col("RYRQ", K::Date, u"入院时间"_s), col("RYKS", K::Text, u"入院科室"_s),
        col("RYBF", K::Text, u"入院病房"_s), col("ZKKB", K::Text, u"转科科别"_s), col("CYRQ", K::Date, u"出院时间"_s),
        col("CYKS", K::Text, u"出院科别"_s), col("CYBF", K::Text, u"出院病房"_s), col("ZYTS", K::Text, u"住院天数"_s),
        col("MZZD", K::Text, u"门(急)诊诊断"_s), col("MZBM", K::Text, u"疾病编码"_s)};
    for (int i = 1; i <= 5; ++i) c << col(qPrintable(u"CYZD%1"_s.arg(i)), K::Text, u"出院诊断%1"_s.arg(i));
    for (int i = 1; i <= 5; ++i) c << col(qPrintable(u"CYBM%1"_s.arg(i)), K::Text, u"疾病编码%1"_s.arg(i));
    for (int i = 1; i <= 5; ++i) c << col(qPrintable(u"CYBQ%1"_s.arg(i)), K::Text, u"入院病情%1"_s.arg(i));
    c << col("WBYY", K::Text, u"损伤、中毒的外部原因"_s) << col("WBBM", K::Text, u"外部原因编码"_s)
      << col("BLZD", K::Text, u"病理诊断"_s) << col("BLH", K::Text, u"病理号"_s) << col("BLBM", K::Text, u"病理编码"_s)
      << col("YWGM", K::Code, u"药物过敏"_s) << col("GMYW", K::Text, u"过敏药物"_s) << col("SWSJ", K::Code, u"死亡患者尸检"_s)
      << col("XX", K::Code, u"血型"_s) << col("RH", K::Code, u"Rh"_s) << col("KZRQM", K::Text, u"科主任"_s)
      << col("FZRQM", K::Text, u"主任(副主任)医师"_s) << col("ZZQM", K::Text, u"主治医师"_s) << col("ZYQM", K::Text, u"住院医师"_s)
      << col("HSQM", K::Text, u"责任护士"_s) << col("JXQM", K::Text, u"进修医师"_s) << col("SXQM", K::Text, u"实习医师"_s)
      << col("BMYQM", K::Text, u"编码员"_s) << col("BAZL", K::Text, u"病案质量"_s) << col("ZKQM", K::Text, u"质控医师"_s)
      << col("ZKHS", K::Text, u"质控护士"_s) << col("ZKRQ", K::Date, u"质控日期"_s);
    const QList<QPair<QString, QString>> op{{u"SSCZBM"_s, u"手术操作编码"_s}, {u"SSRQ"_s, u"手术操作日期"_s},
                                             {u"SSJB"_s, u"手术级别"_s},      {u"SSMC"_s, u"手术操作名称"_s},
                                             {u"SZ"_s, u"术者"_s},            {u"YZ"_s, u"Ⅰ助"_s},
                                             {u"EZ"_s, u"Ⅱ助"_s},            {u"QKDJ"_s, u"切口愈合等级"_s},
                                             {u"MZFS"_s, u"麻醉方式"_s},      {u"MZYS"_s, u"麻醉医师"_s}};
    for (int n = 1; n <= 4; ++n)
        for (const auto& [name, label] : op) c << FrontPageColumn{name + QString::number(n), K::Text, label + QString::number(n)};
    c << col("LYFS", K::Text, u"离院方式"_s) << col("JSYY", K::Text, u"拟接收医疗机构(转院)"_s)
      << col("SQYY", K::Text, u"拟接收医疗机构(转社区)"_s) << col("ZZJH", K::Text, u"是否有31天内再住院计划"_s)
      << col("ZZMD", K::Text, u"再住院目的"_s) << col("LNQT", K::Text, u"入院前昏迷天数"_s)
      << col("LNQXS", K::Text, u"入院前昏迷小时"_s) << col("LNQFZ", K::Text, u"入院前昏迷分钟"_s);
    return c;
}

QList<FrontPageColumn> makeWesternSecond() {
    return {col("LNQT", K::Text, u"入院前昏迷天数"_s), col("LNQXS", K::Text, u"入院前昏迷小时"_s),
            col("LNQFZ", K::Text, u"入院前昏迷分钟"_s), col("LNHT", K::Text, u"入院后昏迷天数"_s),
            col("LNHXS", K::Text, u"入院后昏迷小时"_s), col("LNHFZ", K::Text, u"入院后昏迷分钟"_s),
            col("ZFY", K::Cost, u"住院总费用"_s),       col("ZFFY", K::Cost, u"自付金额"_s),
            col("SSF", K::Cost, u"手术费"_s),           col("MZFY", K::Cost, u"麻醉费"_s),
            col("KFFY", K::Cost, u"康复费"_s),          col("XYFY", K::Cost, u"西药费"_s),
            col("ZCYFY", K::Cost, u"中成药费用"_s),     col("CYFY", K::Cost, u"中草药费用"_s),
            col("XZPFY", K::Cost, u"血液制品"_s),       col("ZLCLFY", K::Cost, u"一次性耗材"_s)};
}

QList<FrontPageColumn> makeTcm() {
    QList<FrontPageColumn> c{col("MZZY", K::Text, u"门(急)诊中医诊断"_s), col("MZZYBM", K::Text, u"中医诊断编码"_s),
                             col("XSRPF", K::Text, u"XSRPF"_s),             col("BLFX", K::Code, u"BLFX"_s),
                             col("ZLLB", K::Text, u"治疗类别"_s),           col("ZYSB", K::Code, u"使用中医诊疗设备"_s),
                             col("ZYJS", K::Code, u"使用中医诊疗技术"_s),   col("ZYHL", K::Code, u"使用中医护理技术"_s),
                             col("ZYZJ", K::Code, u"使用医疗机构中药制剂"_s), col("LCLJ", K::Code, u"实施临床路径"_s),
                             col("LJGL", K::Code, u"实施临床路径管理"_s),   col("DRGS", K::Code, u"实施DRGS管理"_s),
                             col("BZSH", K::Code, u"辩证施护"_s),           col("DBZ", K::Code, u"DBZ"_s),
                             col("KSS", K::Code, u"抗生素使用"_s),          col("XJPY", K::Code, u"细菌培养送检"_s),
                             col("CRB", K::Code, u"法定传染病"_s),          col("SSJH", K::Code, u"实施重症监护"_s),
                             col("JHT", K::Text, u"重症监护天数"_s),        col("JHXS", K::Text, u"重症监护小时"_s)};
    const QList<QPair<QString, QString>> grid{{u"ZYZD"_s, u"中医出院诊断"_s}, {u"ZYZX"_s, u"中医证型"_s},
                                              {u"ZYBM"_s, u"疾病编码"_s},     {u"ZHBM"_s, u"症候编码"_s},
                                              {u"ZYBQ"_s, u"入院病情"_s}};
    for (const auto& [name, label] : grid)
        for (int n = 1; n <= 4; ++n) c << FrontPageColumn{name + QString::number(n), K::Text, label + QString::number(n)};
    return c;
}

}  // namespace

const QList<FrontPageColumn>& westernColumns() {
    static const QList<FrontPageColumn> c = makeWestern();
    return c;
}

const QList<FrontPageColumn>& westernSecondColumns() {
    static const QList<FrontPageColumn> c = makeWesternSecond();
    return c;
}

const QList<FrontPageColumn>& tcmColumns() {
    static const QList<FrontPageColumn> c = makeTcm();
    return c;
}

QStringList allColumns() {
    QStringList out;
    for (const auto* list : {&westernColumns(), &westernSecondColumns(), &tcmColumns()})
        for (const FrontPageColumn& c : *list)
            if (!out.contains(c.name)) out << c.name;
    return out;
}

const FrontPageColumn* findColumn(const QString& name) {
    for (const auto* list : {&westernColumns(), &westernSecondColumns(), &tcmColumns()})
        for (const FrontPageColumn& c : *list)
            if (c.name == name) return &c;
    return nullptr;
}

const QStringList& costColumns() {
    static const QStringList c{u"ZFY"_s, u"ZFFY"_s, u"SSF"_s,   u"MZFY"_s,  u"KFFY"_s,
                               u"XYFY"_s, u"ZCYFY"_s, u"CYFY"_s, u"XZPFY"_s, u"ZLCLFY"_s};
    return c;
}

QString storedCode(const QString& shownText) {
    const QString t = shownText.trimmed();
    // "1 男", "4.两者都有": a one-character code followed by a blank or a point.
    if (t.size() >= 3 && !t[0].isSpace() && (t[1] == u' ' || t[1] == u'.')) return t.left(1);
    return t;
}

const QStringList& admissionConditions() {
    static const QStringList c{u"1 有"_s, u"2 临床未确定"_s, u"3 情况不明"_s, u"4 无"_s};
    return c;
}

}  // namespace qh::frontpage
