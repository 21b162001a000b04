-- dzbl.mdb: the main database of a ward.
-- Types: TEXT, INTEGER, REAL (may hold a fraction), BOOLEAN (yes/no), DATETIME
-- (kept as 'YYYY-MM-DD HH:MM:SS' by triggers made at creation), BLOB.
-- Text columns use the collation GBK: Chinese sorts by pinyin as it does in the ward's
-- lists, and ASCII compares without regard to case (xmlb='xmlb001' finds XMLB001).

-- Patients: one row per hospitalisation; discharge is a value of 状态, rows never move.
CREATE TABLE 在院病人 (
    编号      INTEGER PRIMARY KEY AUTOINCREMENT,
    住院编号  TEXT COLLATE GBK,
    住院号    TEXT COLLATE GBK,
    姓名      TEXT COLLATE GBK,
    姓名检索  TEXT COLLATE GBK,
    性别      TEXT COLLATE GBK,
    年龄      TEXT COLLATE GBK,
    出生日期  TEXT COLLATE GBK,
    住址      TEXT COLLATE GBK,
    诊断      TEXT COLLATE GBK,
    主诉      TEXT COLLATE GBK,
    床号      TEXT COLLATE GBK,
    科室      TEXT COLLATE GBK,
    病室      TEXT COLLATE GBK,
    主管医生  TEXT COLLATE GBK,
    医疗证号  TEXT COLLATE GBK,
    职业      TEXT COLLATE GBK,
    联系电话  TEXT COLLATE GBK,
    身份证号  TEXT COLLATE GBK,
    联系人    TEXT COLLATE GBK,
    患者关系  TEXT COLLATE GBK,
    体温      TEXT COLLATE GBK,
    脉搏      TEXT COLLATE GBK,
    呼吸      TEXT COLLATE GBK,
    血压      TEXT COLLATE GBK,
    入院日期  DATETIME,
    日期部分  DATETIME,
    月部分    TEXT COLLATE GBK,
    状态      TEXT COLLATE GBK,
    出院日期  DATETIME,
    费用      REAL,
    通知      TEXT COLLATE GBK,
    通知时间  TEXT COLLATE GBK,
    是否已读  TEXT COLLATE GBK
);
-- The lists: a department's or a doctor's patients of one state in 编号 order, and the
-- discharged ones newest first (read backwards, 出院日期 then 编号 descending, the 201
-- rows come first).
CREATE INDEX 在院病人_科室_状态 ON 在院病人 (科室, 状态);
CREATE INDEX 在院病人_主管医生_状态 ON 在院病人 (主管医生, 状态);
CREATE INDEX 在院病人_科室_状态_出院日期 ON 在院病人 (科室, 状态, 出院日期);
CREATE INDEX 在院病人_主管医生_状态_出院日期 ON 在院病人 (主管医生, 状态, 出院日期);
-- The searches within a department: names and initials by their beginning.
CREATE INDEX 在院病人_科室_姓名检索 ON 在院病人 (科室, 姓名检索);
-- The bed list's search: the ward's patients of the department by initials.
CREATE INDEX 在院病人_科室_状态_姓名检索 ON 在院病人 (科室, 状态, 姓名检索);
CREATE INDEX 在院病人_科室_姓名 ON 在院病人 (科室, 姓名);
-- The diagnosis search reads a department's stays from this index alone, already in
-- 编号 order: every column the list shows is in it, so ten years of stays are never read
-- from the table and never sorted.
CREATE INDEX 在院病人_科室_编号_诊断 ON 在院病人 (科室, 编号, 诊断, 状态, 主管医生, 姓名, 性别, 年龄, 床号, 住院号);
-- Retired: the narrower index the one above replaces.
DROP INDEX IF EXISTS 在院病人_科室_诊断;
CREATE INDEX 在院病人_住院号 ON 在院病人 (住院号);
CREATE INDEX 在院病人_姓名检索 ON 在院病人 (姓名检索);
CREATE INDEX 在院病人_住院编号 ON 在院病人 (住院编号);
CREATE INDEX 在院病人_日期部分 ON 在院病人 (日期部分);
CREATE INDEX 在院病人_出院日期 ON 在院病人 (出院日期);

-- Generator of hospitalisation serial numbers (住院编号 is the sid of a new row).
CREATE TABLE ZYID (
    sid   INTEGER PRIMARY KEY AUTOINCREMENT,
    zybh  TEXT COLLATE GBK
);

CREATE TABLE 用户 (
    编号  INTEGER PRIMARY KEY AUTOINCREMENT,
    用户  TEXT COLLATE GBK,
    密码  TEXT COLLATE GBK,
    级别  TEXT COLLATE GBK,
    科室  TEXT COLLATE GBK,
    XTGL  BOOLEAN,
    SXBL  BOOLEAN,
    XGBL  BOOLEAN,
    CYBL  BOOLEAN,
    HZTW  BOOLEAN,
    YZCF  BOOLEAN,
    YZWH  BOOLEAN,
    TJCX  BOOLEAN
);
CREATE INDEX 用户_科室 ON 用户 (科室);

CREATE TABLE 科室 (
    编号  INTEGER PRIMARY KEY AUTOINCREMENT,
    科室  TEXT COLLATE GBK,
    床位  INTEGER,
    默认  TEXT COLLATE GBK
);

-- The single row of hospital-wide settings; 精灵狗 is the front-page format (1 or 2).
CREATE TABLE 备份 (
    医院名称  TEXT COLLATE GBK,
    IP地址    TEXT COLLATE GBK,
    备份地址  TEXT COLLATE GBK,
    精灵狗    INTEGER
);

-- Pick lists of the main database, the list named in 备注.
CREATE TABLE xmzdb (
    编号      INTEGER PRIMARY KEY AUTOINCREMENT,
    参数名称  TEXT COLLATE GBK,
    参数值    REAL,
    备注      TEXT COLLATE GBK,
    说明      TEXT COLLATE GBK,
    数量      REAL
);
CREATE INDEX xmzdb_备注 ON xmzdb (备注, 参数值);

-- Format templates, one row per template and paper size ("A" or "B").
CREATE TABLE GSMB (
    编号      INTEGER PRIMARY KEY AUTOINCREMENT,
    检索      TEXT COLLATE GBK,
    标题      TEXT COLLATE GBK,
    病历标题  TEXT COLLATE GBK,
    名称      TEXT COLLATE GBK,
    纸张      TEXT COLLATE GBK,
    备注      TEXT COLLATE GBK,
    顺序      INTEGER,
    选中      BOOLEAN,
    添加      TEXT COLLATE GBK,
    页眉      TEXT COLLATE GBK,
    删除      TEXT COLLATE GBK,
    数据      BLOB
);
CREATE INDEX GSMB_检索 ON GSMB (检索);
CREATE INDEX GSMB_纸张_顺序 ON GSMB (纸张, 顺序);
CREATE INDEX GSMB_名称 ON GSMB (名称);

-- One row: the blank base documents and the ward's paper (true = A4, false = B5).
CREATE TABLE 基础模板 (
    A4数据    BLOB,
    B5数据    BLOB,
    纸张数据  BOOLEAN
);

-- Page-header fields ("姓名", "科室", "病室", "床号", "住院号") and whether each is shown.
CREATE TABLE 抬头 (
    编号  INTEGER PRIMARY KEY AUTOINCREMENT,
    项目  TEXT COLLATE GBK,
    选中  BOOLEAN
);

-- Record documents; 检索 is the patient's 住院编号.
CREATE TABLE 在院病历 (
    编号      INTEGER PRIMARY KEY AUTOINCREMENT,
    检索      TEXT COLLATE GBK,
    病历      TEXT COLLATE GBK,
    标题      TEXT COLLATE GBK,
    病历次数  TEXT COLLATE GBK,
    顺序      INTEGER,
    数据      BLOB
);
CREATE INDEX 在院病历_检索 ON 在院病历 (检索, 顺序);
CREATE INDEX 在院病历_标题 ON 在院病历 (标题);
CREATE INDEX 在院病历_病历次数 ON 在院病历 (病历次数);

-- The library: disease templates, sample records, text modules, surgery templates.
-- 加密 is "是" for a private entry; "否", empty or null is shared.
CREATE TABLE 疾病模板 (
    编号    INTEGER PRIMARY KEY AUTOINCREMENT,
    名称1   TEXT COLLATE GBK,
    JSM     TEXT COLLATE GBK,
    名称2   TEXT COLLATE GBK,
    加密    TEXT COLLATE GBK,
    所有者  TEXT COLLATE GBK,
    内容    BLOB
);
CREATE INDEX 疾病模板_所有者 ON 疾病模板 (所有者, 名称2);
CREATE INDEX 疾病模板_名称2 ON 疾病模板 (名称2);

CREATE TABLE 示例病历 (
    编号    INTEGER PRIMARY KEY AUTOINCREMENT,
    名称1   TEXT COLLATE GBK,
    JSM     TEXT COLLATE GBK,
    名称2   TEXT COLLATE GBK,
    加密    TEXT COLLATE GBK,
    所有者  TEXT COLLATE GBK,
    内容    BLOB
);
CREATE INDEX 示例病历_所有者 ON 示例病历 (所有者, 名称2);
CREATE INDEX 示例病历_名称2 ON 示例病历 (名称2);

CREATE TABLE SXZS (
    编号      INTEGER PRIMARY KEY AUTOINCREMENT,
    模块主表  TEXT COLLATE GBK,
    模块名称  TEXT COLLATE GBK,
    加密      TEXT COLLATE GBK,
    所属      TEXT COLLATE GBK,
    内容      TEXT COLLATE GBK,
    属性      TEXT COLLATE GBK
);
CREATE INDEX SXZS_所属 ON SXZS (所属, 模块主表);

CREATE TABLE 外科手术记录 (
    编号    INTEGER PRIMARY KEY AUTOINCREMENT,
    诊断    TEXT COLLATE GBK,
    加密    TEXT COLLATE GBK,
    所有者  TEXT COLLATE GBK,
    科室    TEXT COLLATE GBK,
    内容    TEXT COLLATE GBK
);
CREATE INDEX 外科手术记录_所有者 ON 外科手术记录 (所有者);

-- Orders: one row per order line, zyid is the patient's 住院编号; sjyz is the group key.
CREATE TABLE zyb_yzxx (
    sid         INTEGER PRIMARY KEY AUTOINCREMENT,
    zyid        TEXT COLLATE GBK,
    yzid        TEXT COLLATE GBK,
    yzsj        DATETIME,
    kssj        DATETIME,
    xmid        INTEGER,
    xmmc        TEXT COLLATE GBK,
    xmgg        TEXT COLLATE GBK,
    xmdw        TEXT COLLATE GBK,
    xmsx        TEXT COLLATE GBK,
    yzsx        TEXT COLLATE GBK,
    xmsl        REAL,
    yzjl        TEXT COLLATE GBK,
    yzfs        TEXT COLLATE GBK,
    yzpd        TEXT COLLATE GBK,
    yzyf        TEXT COLLATE GBK,
    qllb        TEXT COLLATE GBK,
    ysxm1       TEXT COLLATE GBK,
    hsxm1       TEXT COLLATE GBK,
    tzsj        DATETIME,
    ysxm2       TEXT COLLATE GBK,
    hsxm2       TEXT COLLATE GBK,
    hsxm3       TEXT COLLATE GBK,
    hldy        TEXT COLLATE GBK,
    ksbh        TEXT COLLATE GBK,
    cwbh        TEXT COLLATE GBK,
    yzlb        TEXT COLLATE GBK,
    sjyz        TEXT COLLATE GBK,
    yzzt        TEXT COLLATE GBK,
    yyjs        REAL,
    zmjs        REAL,
    zxjs        REAL,
    srcs        REAL,
    sysx        TEXT COLLATE GBK,
    qrlb        TEXT COLLATE GBK,
    zmsl        REAL,
    group_from  INTEGER,
    group_till  INTEGER,
    group_sort  INTEGER,
    locked      TEXT COLLATE GBK,
    hlks        TEXT COLLATE GBK,
    dysj        DATETIME,
    lrsx        INTEGER,
    czsj        DATETIME,
    ybsx        TEXT COLLATE GBK,
    doctor      TEXT COLLATE GBK,
    ypcz        TEXT COLLATE GBK
);
CREATE INDEX zyb_yzxx_zyid_yzlb ON zyb_yzxx (zyid, yzlb);
CREATE INDEX zyb_yzxx_sjyz ON zyb_yzxx (sjyz);
CREATE INDEX zyb_yzxx_yzid ON zyb_yzxx (yzid);

-- The herbal lines of discharged patients, read (never written) by the herbal list.
CREATE TABLE zyb_yzxx_cy (
    sid         INTEGER PRIMARY KEY AUTOINCREMENT,
    zyid        TEXT COLLATE GBK,
    yzid        TEXT COLLATE GBK,
    yzsj        DATETIME,
    kssj        DATETIME,
    xmid        INTEGER,
    xmmc        TEXT COLLATE GBK,
    xmgg        TEXT COLLATE GBK,
    xmdw        TEXT COLLATE GBK,
    xmsx        TEXT COLLATE GBK,
    yzsx        TEXT COLLATE GBK,
    xmsl        REAL,
    yzjl        TEXT COLLATE GBK,
    yzfs        TEXT COLLATE GBK,
    yzpd        TEXT COLLATE GBK,
    yzyf        TEXT COLLATE GBK,
    qllb        TEXT COLLATE GBK,
    ysxm1       TEXT COLLATE GBK,
    hsxm1       TEXT COLLATE GBK,
    tzsj        DATETIME,
    ysxm2       TEXT COLLATE GBK,
    hsxm2       TEXT COLLATE GBK,
    hsxm3       TEXT COLLATE GBK,
    hldy        TEXT COLLATE GBK,
    ksbh        TEXT COLLATE GBK,
    cwbh        TEXT COLLATE GBK,
    yzlb        TEXT COLLATE GBK,
    sjyz        TEXT COLLATE GBK,
    yzzt        TEXT COLLATE GBK,
    yyjs        REAL,
    dysj        DATETIME,
    lrsx        INTEGER,
    czsj        DATETIME,
    ybsx        TEXT COLLATE GBK,
    doctor      TEXT COLLATE GBK,
    ypcz        TEXT COLLATE GBK
);
CREATE INDEX zyb_yzxx_cy_zyid_yzlb ON zyb_yzxx_cy (zyid, yzlb);

-- Counter of order numbers: the highest sid is the current value.
CREATE TABLE adm_sid (
    sid   INTEGER PRIMARY KEY AUTOINCREMENT,
    code  TEXT COLLATE GBK
);

-- Order templates: 模板序号 names a template, 医嘱模板 holds its lines (sid = the template).
CREATE TABLE 模板序号 (
    sid   INTEGER PRIMARY KEY AUTOINCREMENT,
    mbmc  TEXT COLLATE GBK,
    mblb  TEXT COLLATE GBK,
    ysid  TEXT COLLATE GBK,
    ksbh  TEXT COLLATE GBK,
    加密  TEXT COLLATE GBK
);
CREATE INDEX 模板序号_mblb ON 模板序号 (mblb, ysid);

CREATE TABLE 医嘱模板 (
    ID    INTEGER PRIMARY KEY AUTOINCREMENT,
    sid   INTEGER,
    xmid  INTEGER,
    kjsl  TEXT COLLATE GBK,
    yzdw  TEXT COLLATE GBK,
    yzjl  TEXT COLLATE GBK,
    yyfs  TEXT COLLATE GBK,
    yzpc  TEXT COLLATE GBK,
    czdm  TEXT COLLATE GBK,
    mbsl  REAL,
    sldw  TEXT COLLATE GBK,
    jldw  TEXT COLLATE GBK,
    zyfs  TEXT COLLATE GBK
);
CREATE INDEX 医嘱模板_sid ON 医嘱模板 (sid, ID);

-- Drug requisitions written with each herbal prescription.
CREATE TABLE zyb_ypqlxx (
    sid   INTEGER PRIMARY KEY AUTOINCREMENT,
    qldh  TEXT COLLATE GBK,
    zyid  TEXT COLLATE GBK,
    yzid  TEXT COLLATE GBK,
    xmsl  REAL,
    xmdj  REAL,
    xmdw  TEXT COLLATE GBK,
    hldy  TEXT COLLATE GBK,
    ksbh  TEXT COLLATE GBK,
    Fyzt  TEXT COLLATE GBK,
    yzlb  TEXT COLLATE GBK,
    xmzt  TEXT COLLATE GBK,
    qlyf  TEXT COLLATE GBK,
    djsj  DATETIME,
    czry  TEXT COLLATE GBK
);
CREATE INDEX zyb_ypqlxx_qldh ON zyb_ypqlxx (qldh);
CREATE INDEX zyb_ypqlxx_zyid ON zyb_ypqlxx (zyid);

-- Vital signs: one row per patient, date and slot; 时刻检索 = 日期 + 时刻 + 检索.
-- Values are texts as typed; 痰量, 小便量, 引流量, 呕吐量 live in 舌质, 扩展2, 舌苔, 腹围.
CREATE TABLE 体温单 (
    编号        INTEGER PRIMARY KEY AUTOINCREMENT,
    检索        TEXT COLLATE GBK,
    时刻检索    TEXT COLLATE GBK,
    日期        TEXT COLLATE GBK,
    时刻        TEXT COLLATE GBK,
    住院日数    TEXT COLLATE GBK,
    手术日数    TEXT COLLATE GBK,
    体温类型    TEXT COLLATE GBK,
    体温1       TEXT COLLATE GBK,
    体温2       TEXT COLLATE GBK,
    脉搏        TEXT COLLATE GBK,
    心率        TEXT COLLATE GBK,
    呼吸        TEXT COLLATE GBK,
    记录者      TEXT COLLATE GBK,
    排序1       INTEGER,
    排序2       INTEGER,
    排序3       INTEGER,
    排序4       INTEGER,
    事项1       TEXT COLLATE GBK,
    事项时间1   TEXT COLLATE GBK,
    事项2       TEXT COLLATE GBK,
    事项时间2   TEXT COLLATE GBK,
    血压        TEXT COLLATE GBK,
    总入量      TEXT COLLATE GBK,
    大便次数    TEXT COLLATE GBK,
    小便次数    TEXT COLLATE GBK,
    总出量      TEXT COLLATE GBK,
    体重        TEXT COLLATE GBK,
    药物过敏    TEXT COLLATE GBK,
    舌质        TEXT COLLATE GBK,
    扩展2       TEXT COLLATE GBK,
    舌苔        TEXT COLLATE GBK,
    腹围        TEXT COLLATE GBK,
    扩展名称1   TEXT COLLATE GBK,
    扩展1       TEXT COLLATE GBK,
    脉象        TEXT COLLATE GBK,
    基础代谢率  TEXT COLLATE GBK
);
CREATE INDEX 体温单_检索 ON 体温单 (检索);
CREATE INDEX 体温单_时刻检索 ON 体温单 (时刻检索);

-- Front page, one row per stay keyed by the patient's 住院编号.
CREATE TABLE BAJK (
    ZYBH    TEXT COLLATE GBK NOT NULL PRIMARY KEY,
    YLFFFS  TEXT COLLATE GBK, JKKH TEXT COLLATE GBK, ZYCS TEXT COLLATE GBK,
    BAH     TEXT COLLATE GBK, XM TEXT COLLATE GBK, XB TEXT COLLATE GBK,
    CSRQ    DATETIME,
    NL      TEXT COLLATE GBK, GJ TEXT COLLATE GBK, NLY TEXT COLLATE GBK,
    TZ      TEXT COLLATE GBK, RYTZ TEXT COLLATE GBK, CSSF TEXT COLLATE GBK,
    JGSF    TEXT COLLATE GBK, MZ TEXT COLLATE GBK, SFZH TEXT COLLATE GBK,
    ZY      TEXT COLLATE GBK, HYDM TEXT COLLATE GBK,
    XZDZ    TEXT COLLATE GBK, XZDH TEXT COLLATE GBK, XZYB TEXT COLLATE GBK,
    HKDZ    TEXT COLLATE GBK, HKYB TEXT COLLATE GBK,
    GZDW    TEXT COLLATE GBK, DWDH TEXT COLLATE GBK, DWYB TEXT COLLATE GBK,
    LXRXM   TEXT COLLATE GBK, LXRGX TEXT COLLATE GBK, LXRDZ TEXT COLLATE GBK,
    LXRDH   TEXT COLLATE GBK,
    TJBM    TEXT COLLATE GBK,
    RYRQ    DATETIME,
    RYKS    TEXT COLLATE GBK, RYBF TEXT COLLATE GBK, ZKKB TEXT COLLATE GBK,
    CYRQ    DATETIME,
    CYKS    TEXT COLLATE GBK, CYBF TEXT COLLATE GBK, ZYTS TEXT COLLATE GBK,
    MZZD    TEXT COLLATE GBK, MZBM TEXT COLLATE GBK,
    CYZD1 TEXT COLLATE GBK, CYZD2 TEXT COLLATE GBK, CYZD3 TEXT COLLATE GBK,
    CYZD4 TEXT COLLATE GBK, CYZD5 TEXT COLLATE GBK,
    CYBM1 TEXT COLLATE GBK, CYBM2 TEXT COLLATE GBK, CYBM3 TEXT COLLATE GBK,
    CYBM4 TEXT COLLATE GBK, CYBM5 TEXT COLLATE GBK,
    CYBQ1 TEXT COLLATE GBK, CYBQ2 TEXT COLLATE GBK, CYBQ3 TEXT COLLATE GBK,
    CYBQ4 TEXT COLLATE GBK, CYBQ5 TEXT COLLATE GBK,
    WBYY    TEXT COLLATE GBK, WBBM TEXT COLLATE GBK,
    BLZD    TEXT COLLATE GBK, BLH TEXT COLLATE GBK, BLBM TEXT COLLATE GBK,
    YWGM    TEXT COLLATE GBK, GMYW TEXT COLLATE GBK, SWSJ TEXT COLLATE GBK,
    XX      TEXT COLLATE GBK, RH TEXT COLLATE GBK,
    KZRQM   TEXT COLLATE GBK, FZRQM TEXT COLLATE GBK, ZZQM TEXT COLLATE GBK,
    ZYQM    TEXT COLLATE GBK, HSQM TEXT COLLATE GBK, JXQM TEXT COLLATE GBK,
    SXQM    TEXT COLLATE GBK, BMYQM TEXT COLLATE GBK, BAZL TEXT COLLATE GBK,
    ZKQM    TEXT COLLATE GBK, ZKHS TEXT COLLATE GBK,
    ZKRQ    DATETIME,
    SSCZBM1 TEXT COLLATE GBK, SSRQ1 TEXT COLLATE GBK, SSJB1 TEXT COLLATE GBK,
    SSMC1 TEXT COLLATE GBK, SZ1 TEXT COLLATE GBK, YZ1 TEXT COLLATE GBK,
    EZ1 TEXT COLLATE GBK, QKDJ1 TEXT COLLATE GBK, MZFS1 TEXT COLLATE GBK,
    MZYS1 TEXT COLLATE GBK,
    SSCZBM2 TEXT COLLATE GBK, SSRQ2 TEXT COLLATE GBK, SSJB2 TEXT COLLATE GBK,
    SSMC2 TEXT COLLATE GBK, SZ2 TEXT COLLATE GBK, YZ2 TEXT COLLATE GBK,
    EZ2 TEXT COLLATE GBK, QKDJ2 TEXT COLLATE GBK, MZFS2 TEXT COLLATE GBK,
    MZYS2 TEXT COLLATE GBK,
    SSCZBM3 TEXT COLLATE GBK, SSRQ3 TEXT COLLATE GBK, SSJB3 TEXT COLLATE GBK,
    SSMC3 TEXT COLLATE GBK, SZ3 TEXT COLLATE GBK, YZ3 TEXT COLLATE GBK,
    EZ3 TEXT COLLATE GBK, QKDJ3 TEXT COLLATE GBK, MZFS3 TEXT COLLATE GBK,
    MZYS3 TEXT COLLATE GBK,
    SSCZBM4 TEXT COLLATE GBK, SSRQ4 TEXT COLLATE GBK, SSJB4 TEXT COLLATE GBK,
    SSMC4 TEXT COLLATE GBK, SZ4 TEXT COLLATE GBK, YZ4 TEXT COLLATE GBK,
    EZ4 TEXT COLLATE GBK, QKDJ4 TEXT COLLATE GBK, MZFS4 TEXT COLLATE GBK,
    MZYS4 TEXT COLLATE GBK,
    LYFS    TEXT COLLATE GBK, JSYY TEXT COLLATE GBK, SQYY TEXT COLLATE GBK,
    ZZJH    TEXT COLLATE GBK, ZZMD TEXT COLLATE GBK,
    LNQT    TEXT COLLATE GBK, LNQXS TEXT COLLATE GBK, LNQFZ TEXT COLLATE GBK,
    LNHT    TEXT COLLATE GBK, LNHXS TEXT COLLATE GBK, LNHFZ TEXT COLLATE GBK,
    ZFY REAL, ZFFY REAL, SSF REAL, MZFY REAL, KFFY REAL,
    XYFY REAL, ZCYFY REAL, CYFY REAL, XZPFY REAL, ZLCLFY REAL,
    BCRQ    DATETIME,
    -- the traditional-Chinese-medicine page
    MZZY    TEXT COLLATE GBK, MZZYBM TEXT COLLATE GBK, XSRPF TEXT COLLATE GBK,
    BLFX    TEXT COLLATE GBK, ZLLB TEXT COLLATE GBK,
    ZYSB    TEXT COLLATE GBK, ZYJS TEXT COLLATE GBK, ZYHL TEXT COLLATE GBK,
    ZYZJ    TEXT COLLATE GBK, LCLJ TEXT COLLATE GBK, LJGL TEXT COLLATE GBK,
    DRGS    TEXT COLLATE GBK, BZSH TEXT COLLATE GBK, DBZ TEXT COLLATE GBK,
    KSS     TEXT COLLATE GBK, XJPY TEXT COLLATE GBK, CRB TEXT COLLATE GBK,
    SSJH    TEXT COLLATE GBK, JHT TEXT COLLATE GBK, JHXS TEXT COLLATE GBK,
    ZYZD1 TEXT COLLATE GBK, ZYZD2 TEXT COLLATE GBK, ZYZD3 TEXT COLLATE GBK,
    ZYZD4 TEXT COLLATE GBK,
    ZYZX1 TEXT COLLATE GBK, ZYZX2 TEXT COLLATE GBK, ZYZX3 TEXT COLLATE GBK,
    ZYZX4 TEXT COLLATE GBK,
    ZYBM1 TEXT COLLATE GBK, ZYBM2 TEXT COLLATE GBK, ZYBM3 TEXT COLLATE GBK,
    ZYBM4 TEXT COLLATE GBK,
    ZHBM1 TEXT COLLATE GBK, ZHBM2 TEXT COLLATE GBK, ZHBM3 TEXT COLLATE GBK,
    ZHBM4 TEXT COLLATE GBK,
    ZYBQ1 TEXT COLLATE GBK, ZYBQ2 TEXT COLLATE GBK, ZYBQ3 TEXT COLLATE GBK,
    ZYBQ4 TEXT COLLATE GBK
);

-- Charge items and drugs. xmlb is "XMLB" + the category number in three digits;
-- XMLB001-003 are the drug categories. tsyf is the herb's special usage (先煎, 后下, ...)
-- that herbal order templates offer.
CREATE TABLE ddt_costitems (
    xmid     INTEGER PRIMARY KEY AUTOINCREMENT,
    xmmc     TEXT COLLATE GBK,
    xmsy     TEXT COLLATE GBK,
    xmlx     TEXT COLLATE GBK,
    xmlb     TEXT COLLATE GBK,
    it_code  TEXT COLLATE GBK,
    xmdw     TEXT COLLATE GBK,
    xmdj     REAL,
    jldw     TEXT COLLATE GBK,
    jldj     REAL,
    yblb     TEXT COLLATE GBK,
    czsj     TEXT COLLATE GBK,
    xmzt     TEXT COLLATE GBK,
    xmgg     TEXT COLLATE GBK,
    pfdj     REAL,
    clbl     REAL,
    plbl     REAL,
    ypjx     TEXT COLLATE GBK,
    xmsx     TEXT COLLATE GBK,
    dm       TEXT COLLATE GBK,
    gz       TEXT COLLATE GBK,
    cf       TEXT COLLATE GBK,
    zz       TEXT COLLATE GBK,
    ps       TEXT COLLATE GBK,
    yzjl     TEXT COLLATE GBK,
    yzdw     TEXT COLLATE GBK,
    tsyf     TEXT COLLATE GBK
);
CREATE INDEX ddt_costitems_xmsy ON ddt_costitems (xmsy);
CREATE INDEX ddt_costitems_xmlb ON ddt_costitems (xmlb);
CREATE INDEX ddt_costitems_ps ON ddt_costitems (ps);

CREATE TABLE adm_xmlb (
    xmlb  TEXT COLLATE GBK NOT NULL UNIQUE,
    xmmc  TEXT COLLATE GBK
);

-- Departments of the hospital by kind (临床科室, 医技科室, 药剂部门, ...).
CREATE TABLE YWBM (
    编号  INTEGER PRIMARY KEY AUTOINCREMENT,
    BMMC  TEXT COLLATE GBK,
    SSBM  TEXT COLLATE GBK
);

-- Items with their category name mc (materials: mc holds 材料 or 耗料). An item without
-- a category gets an empty name, so "mc not like" filters still find it.
CREATE VIEW view_ypzd AS
SELECT c.*, coalesce(x.xmmc, '') AS mc
FROM ddt_costitems c LEFT JOIN adm_xmlb x ON x.xmlb = c.xmlb;

-- What can be ordered: items in use, with the category name lbmc. Stock is not kept.
CREATE VIEW view_yzky AS
SELECT c.xmid, c.xmmc, c.xmsy, c.xmgg, c.xmdw, c.xmdj, c.jldw, c.jldj, 0 AS sysl,
       c.ypjx, c.xmlb, c.yzjl, c.yzdw, coalesce(x.xmmc, '') AS lbmc, c.xmlx
FROM ddt_costitems c LEFT JOIN adm_xmlb x ON x.xmlb = c.xmlb
WHERE coalesce(c.xmzt, 'OK') <> 'Del';

-- Orders with their item's category for the sheets and slips. Drugs are picked by code
-- (xmlb='XMLB001'), materials are dropped by "xmlb not like '%材料%'": so a material's
-- xmlb is its category name, and a consumables category (耗材, 耗料) is marked 材料 too.
CREATE VIEW VIEW_zyb_yzd AS
SELECT y.*,
       CASE WHEN x.xmmc LIKE '%材料%' THEN x.xmmc
            WHEN x.xmmc LIKE '%耗材%' OR x.xmmc LIKE '%耗料%' THEN x.xmmc || '(材料)'
            ELSE c.xmlb END AS xmlb,
       c.ps AS ps
FROM zyb_yzxx y
LEFT JOIN ddt_costitems c ON c.xmid = y.xmid
LEFT JOIN adm_xmlb x ON x.xmlb = c.xmlb;

-- Order lines for the infusion cards: drug requisition lines only, so that nursing,
-- examination and marker rows (which carry no route) never land on a card.
CREATE VIEW view_syk AS
SELECT zyid, sid, yzid, sjyz, yzzt, yzlb, yzsj, tzsj, yzfs, xmmc, xmgg, xmsl, xmdw,
       yzjl, ypcz, yzyf, qllb
FROM zyb_yzxx
WHERE qllb = '请领单';

-- Order-template lines with their items; read ordered by ID.
CREATE VIEW view_mbky AS
SELECT m.ID, m.sid, m.czdm, m.xmid, c.xmmc, c.xmgg, m.kjsl, m.yzdw, m.yzjl, m.jldw,
       m.yyfs, m.yzpc, coalesce(x.xmmc, '') AS lbmc, c.ypjx, c.xmlb, m.mbsl, m.sldw,
       coalesce(c.tsyf, '') AS tsyf, c.jldj, m.zyfs
FROM 医嘱模板 m
LEFT JOIN ddt_costitems c ON c.xmid = m.xmid
LEFT JOIN adm_xmlb x ON x.xmlb = c.xmlb;

-- Record documents of all patients with their patient's particulars (the library's
-- related records).
CREATE VIEW 相关病历 AS
SELECT b.编号, p.住院号, p.姓名, p.状态, p.主管医生, p.诊断, b.病历, b.标题, b.检索
FROM 在院病历 b JOIN 在院病人 p ON p.住院编号 = b.检索;

-- A related record is opened from 状态 + "病历": the documents of pending and of
-- discharged patients.
-- Each document's own patient is looked up (by 住院编号), never every patient of a state.
CREATE VIEW 待结病历 AS
SELECT b.* FROM 在院病历 b
WHERE EXISTS (SELECT 1 FROM 在院病人 p WHERE p.住院编号 = b.检索 AND p.状态 = '待结');

CREATE VIEW 出院病历 AS
SELECT b.* FROM 在院病历 b
WHERE EXISTS (SELECT 1 FROM 在院病人 p WHERE p.住院编号 = b.检索 AND p.状态 = '出院');

-- Statistics: discharged patients with their department's bed count (0 when the
-- department is unknown, which the report shows as "请维护床位数").
CREATE VIEW 床位查询 AS
SELECT p.*, coalesce((SELECT max(k.床位) FROM 科室 k WHERE k.科室 = p.科室), 0) AS 床位
FROM 在院病人 p
WHERE p.状态 = '出院';

-- Statistics: the patients now in the ward.
CREATE VIEW 科室查询 AS
SELECT * FROM 在院病人 WHERE 状态 = '在院';

-- Statistics: every patient, for the per-department structure charts.
CREATE VIEW 结构查询 AS
SELECT 编号, 科室, 性别, 年龄, 诊断, 状态, 日期部分, 出院日期, 费用 FROM 在院病人;

-- The schema's version: a file of a lower one is brought up to this by the upgrade
-- (at the workstation's start, or qinghe-emr-admin upgrade).
PRAGMA user_version = 1;
