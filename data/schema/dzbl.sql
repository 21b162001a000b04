-- dzbl.mdb: the main database of a ward.
-- Types: TEXT, INTEGER, REAL (may hold a fraction), BOOLEAN (yes/no), DATETIME
-- (kept as 'YYYY-MM-DD HH:MM:SS' by triggers made at creation), BLOB.
-- Text compares without regard to case, as the ward's statements expect
-- (xmlb='xmlb001' finds XMLB001), and so that LIKE 'ABC%' can use an index.

-- Patients: one row per hospitalisation; discharge is a value of 状态, rows never move.
CREATE TABLE 在院病人 (
    编号      INTEGER PRIMARY KEY AUTOINCREMENT,
    住院编号  TEXT COLLATE NOCASE,
    住院号    TEXT COLLATE NOCASE,
    姓名      TEXT COLLATE NOCASE,
    姓名检索  TEXT COLLATE NOCASE,
    性别      TEXT COLLATE NOCASE,
    年龄      TEXT COLLATE NOCASE,
    出生日期  TEXT COLLATE NOCASE,
    住址      TEXT COLLATE NOCASE,
    诊断      TEXT COLLATE NOCASE,
    主诉      TEXT COLLATE NOCASE,
    床号      TEXT COLLATE NOCASE,
    科室      TEXT COLLATE NOCASE,
    病室      TEXT COLLATE NOCASE,
    主管医生  TEXT COLLATE NOCASE,
    医疗证号  TEXT COLLATE NOCASE,
    职业      TEXT COLLATE NOCASE,
    联系电话  TEXT COLLATE NOCASE,
    身份证号  TEXT COLLATE NOCASE,
    联系人    TEXT COLLATE NOCASE,
    患者关系  TEXT COLLATE NOCASE,
    体温      TEXT COLLATE NOCASE,
    脉搏      TEXT COLLATE NOCASE,
    呼吸      TEXT COLLATE NOCASE,
    血压      TEXT COLLATE NOCASE,
    入院日期  DATETIME,
    日期部分  DATETIME,
    月部分    TEXT COLLATE NOCASE,
    状态      TEXT COLLATE NOCASE,
    出院日期  DATETIME,
    费用      REAL,
    通知      TEXT COLLATE NOCASE,
    通知时间  TEXT COLLATE NOCASE,
    是否已读  TEXT COLLATE NOCASE
);
CREATE INDEX 在院病人_科室_状态 ON 在院病人 (科室, 状态);
CREATE INDEX 在院病人_主管医生_状态 ON 在院病人 (主管医生, 状态);
CREATE INDEX 在院病人_住院号 ON 在院病人 (住院号);
CREATE INDEX 在院病人_姓名检索 ON 在院病人 (姓名检索);
CREATE INDEX 在院病人_住院编号 ON 在院病人 (住院编号);
CREATE INDEX 在院病人_日期部分 ON 在院病人 (日期部分);
CREATE INDEX 在院病人_出院日期 ON 在院病人 (出院日期);

-- Generator of hospitalisation serial numbers (住院编号 is the sid of a new row).
CREATE TABLE ZYID (
    sid   INTEGER PRIMARY KEY AUTOINCREMENT,
    zybh  TEXT COLLATE NOCASE
);

CREATE TABLE 用户 (
    编号  INTEGER PRIMARY KEY AUTOINCREMENT,
    用户  TEXT COLLATE NOCASE,
    密码  TEXT COLLATE NOCASE,
    级别  TEXT COLLATE NOCASE,
    科室  TEXT COLLATE NOCASE,
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
    科室  TEXT COLLATE NOCASE,
    床位  INTEGER,
    默认  TEXT COLLATE NOCASE
);

-- The single row of hospital-wide settings; 精灵狗 is the front-page format (1 or 2).
CREATE TABLE 备份 (
    医院名称  TEXT COLLATE NOCASE,
    IP地址    TEXT COLLATE NOCASE,
    备份地址  TEXT COLLATE NOCASE,
    精灵狗    INTEGER
);

-- Pick lists of the main database, the list named in 备注.
CREATE TABLE xmzdb (
    编号      INTEGER PRIMARY KEY AUTOINCREMENT,
    参数名称  TEXT COLLATE NOCASE,
    参数值    REAL,
    备注      TEXT COLLATE NOCASE,
    说明      TEXT COLLATE NOCASE,
    数量      REAL
);
CREATE INDEX xmzdb_备注 ON xmzdb (备注, 参数值);

-- Format templates, one row per template and paper size ("A" or "B").
CREATE TABLE GSMB (
    编号      INTEGER PRIMARY KEY AUTOINCREMENT,
    检索      TEXT COLLATE NOCASE,
    标题      TEXT COLLATE NOCASE,
    病历标题  TEXT COLLATE NOCASE,
    名称      TEXT COLLATE NOCASE,
    纸张      TEXT COLLATE NOCASE,
    备注      TEXT COLLATE NOCASE,
    顺序      INTEGER,
    选中      BOOLEAN,
    添加      TEXT COLLATE NOCASE,
    页眉      TEXT COLLATE NOCASE,
    删除      TEXT COLLATE NOCASE,
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
    项目  TEXT COLLATE NOCASE,
    选中  BOOLEAN
);

-- Record documents; 检索 is the patient's 住院编号.
CREATE TABLE 在院病历 (
    编号      INTEGER PRIMARY KEY AUTOINCREMENT,
    检索      TEXT COLLATE NOCASE,
    病历      TEXT COLLATE NOCASE,
    标题      TEXT COLLATE NOCASE,
    病历次数  TEXT COLLATE NOCASE,
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
    名称1   TEXT COLLATE NOCASE,
    JSM     TEXT COLLATE NOCASE,
    名称2   TEXT COLLATE NOCASE,
    加密    TEXT COLLATE NOCASE,
    所有者  TEXT COLLATE NOCASE,
    内容    BLOB
);
CREATE INDEX 疾病模板_所有者 ON 疾病模板 (所有者, 名称2);
CREATE INDEX 疾病模板_名称2 ON 疾病模板 (名称2);

CREATE TABLE 示例病历 (
    编号    INTEGER PRIMARY KEY AUTOINCREMENT,
    名称1   TEXT COLLATE NOCASE,
    JSM     TEXT COLLATE NOCASE,
    名称2   TEXT COLLATE NOCASE,
    加密    TEXT COLLATE NOCASE,
    所有者  TEXT COLLATE NOCASE,
    内容    BLOB
);
CREATE INDEX 示例病历_所有者 ON 示例病历 (所有者, 名称2);
CREATE INDEX 示例病历_名称2 ON 示例病历 (名称2);

CREATE TABLE SXZS (
    编号      INTEGER PRIMARY KEY AUTOINCREMENT,
    模块主表  TEXT COLLATE NOCASE,
    模块名称  TEXT COLLATE NOCASE,
    加密      TEXT COLLATE NOCASE,
    所属      TEXT COLLATE NOCASE,
    内容      TEXT COLLATE NOCASE,
    属性      TEXT COLLATE NOCASE
);
CREATE INDEX SXZS_所属 ON SXZS (所属, 模块主表);

CREATE TABLE 外科手术记录 (
    编号    INTEGER PRIMARY KEY AUTOINCREMENT,
    诊断    TEXT COLLATE NOCASE,
    加密    TEXT COLLATE NOCASE,
    所有者  TEXT COLLATE NOCASE,
    科室    TEXT COLLATE NOCASE,
    内容    TEXT COLLATE NOCASE
);
CREATE INDEX 外科手术记录_所有者 ON 外科手术记录 (所有者);

-- Orders: one row per order line, zyid is the patient's 住院编号; sjyz is the group key.
CREATE TABLE zyb_yzxx (
    sid         INTEGER PRIMARY KEY AUTOINCREMENT,
    zyid        TEXT COLLATE NOCASE,
    yzid        TEXT COLLATE NOCASE,
    yzsj        DATETIME,
    kssj        DATETIME,
    xmid        INTEGER,
    xmmc        TEXT COLLATE NOCASE,
    xmgg        TEXT COLLATE NOCASE,
    xmdw        TEXT COLLATE NOCASE,
    xmsx        TEXT COLLATE NOCASE,
    yzsx        TEXT COLLATE NOCASE,
    xmsl        REAL,
    yzjl        TEXT COLLATE NOCASE,
    yzfs        TEXT COLLATE NOCASE,
    yzpd        TEXT COLLATE NOCASE,
    yzyf        TEXT COLLATE NOCASE,
    qllb        TEXT COLLATE NOCASE,
    ysxm1       TEXT COLLATE NOCASE,
    hsxm1       TEXT COLLATE NOCASE,
    tzsj        DATETIME,
    ysxm2       TEXT COLLATE NOCASE,
    hsxm2       TEXT COLLATE NOCASE,
    hsxm3       TEXT COLLATE NOCASE,
    hldy        TEXT COLLATE NOCASE,
    ksbh        TEXT COLLATE NOCASE,
    cwbh        TEXT COLLATE NOCASE,
    yzlb        TEXT COLLATE NOCASE,
    sjyz        TEXT COLLATE NOCASE,
    yzzt        TEXT COLLATE NOCASE,
    yyjs        REAL,
    zmjs        REAL,
    zxjs        REAL,
    srcs        REAL,
    sysx        TEXT COLLATE NOCASE,
    qrlb        TEXT COLLATE NOCASE,
    zmsl        REAL,
    group_from  INTEGER,
    group_till  INTEGER,
    group_sort  INTEGER,
    locked      TEXT COLLATE NOCASE,
    hlks        TEXT COLLATE NOCASE,
    dysj        DATETIME,
    lrsx        INTEGER,
    czsj        DATETIME,
    ybsx        TEXT COLLATE NOCASE,
    doctor      TEXT COLLATE NOCASE,
    ypcz        TEXT COLLATE NOCASE
);
CREATE INDEX zyb_yzxx_zyid_yzlb ON zyb_yzxx (zyid, yzlb);
CREATE INDEX zyb_yzxx_sjyz ON zyb_yzxx (sjyz);
CREATE INDEX zyb_yzxx_yzid ON zyb_yzxx (yzid);

-- The herbal lines of discharged patients, read (never written) by the herbal list.
CREATE TABLE zyb_yzxx_cy (
    sid         INTEGER PRIMARY KEY AUTOINCREMENT,
    zyid        TEXT COLLATE NOCASE,
    yzid        TEXT COLLATE NOCASE,
    yzsj        DATETIME,
    kssj        DATETIME,
    xmid        INTEGER,
    xmmc        TEXT COLLATE NOCASE,
    xmgg        TEXT COLLATE NOCASE,
    xmdw        TEXT COLLATE NOCASE,
    xmsx        TEXT COLLATE NOCASE,
    yzsx        TEXT COLLATE NOCASE,
    xmsl        REAL,
    yzjl        TEXT COLLATE NOCASE,
    yzfs        TEXT COLLATE NOCASE,
    yzpd        TEXT COLLATE NOCASE,
    yzyf        TEXT COLLATE NOCASE,
    qllb        TEXT COLLATE NOCASE,
    ysxm1       TEXT COLLATE NOCASE,
    hsxm1       TEXT COLLATE NOCASE,
    tzsj        DATETIME,
    ysxm2       TEXT COLLATE NOCASE,
    hsxm2       TEXT COLLATE NOCASE,
    hsxm3       TEXT COLLATE NOCASE,
    hldy        TEXT COLLATE NOCASE,
    ksbh        TEXT COLLATE NOCASE,
    cwbh        TEXT COLLATE NOCASE,
    yzlb        TEXT COLLATE NOCASE,
    sjyz        TEXT COLLATE NOCASE,
    yzzt        TEXT COLLATE NOCASE,
    yyjs        REAL,
    dysj        DATETIME,
    lrsx        INTEGER,
    czsj        DATETIME,
    ybsx        TEXT COLLATE NOCASE,
    doctor      TEXT COLLATE NOCASE,
    ypcz        TEXT COLLATE NOCASE
);
CREATE INDEX zyb_yzxx_cy_zyid_yzlb ON zyb_yzxx_cy (zyid, yzlb);

-- Counter of order numbers: the highest sid is the current value.
CREATE TABLE adm_sid (
    sid   INTEGER PRIMARY KEY AUTOINCREMENT,
    code  TEXT COLLATE NOCASE
);

-- Order templates: 模板序号 names a template, 医嘱模板 holds its lines (sid = the template).
CREATE TABLE 模板序号 (
    sid   INTEGER PRIMARY KEY AUTOINCREMENT,
    mbmc  TEXT COLLATE NOCASE,
    mblb  TEXT COLLATE NOCASE,
    ysid  TEXT COLLATE NOCASE,
    ksbh  TEXT COLLATE NOCASE,
    加密  TEXT COLLATE NOCASE
);
CREATE INDEX 模板序号_mblb ON 模板序号 (mblb, ysid);

CREATE TABLE 医嘱模板 (
    ID    INTEGER PRIMARY KEY AUTOINCREMENT,
    sid   INTEGER,
    xmid  INTEGER,
    kjsl  TEXT COLLATE NOCASE,
    yzdw  TEXT COLLATE NOCASE,
    yzjl  TEXT COLLATE NOCASE,
    yyfs  TEXT COLLATE NOCASE,
    yzpc  TEXT COLLATE NOCASE,
    czdm  TEXT COLLATE NOCASE,
    mbsl  REAL,
    sldw  TEXT COLLATE NOCASE,
    jldw  TEXT COLLATE NOCASE,
    zyfs  TEXT COLLATE NOCASE
);
CREATE INDEX 医嘱模板_sid ON 医嘱模板 (sid, ID);

-- Drug requisitions written with each herbal prescription.
CREATE TABLE zyb_ypqlxx (
    sid   INTEGER PRIMARY KEY AUTOINCREMENT,
    qldh  TEXT COLLATE NOCASE,
    zyid  TEXT COLLATE NOCASE,
    yzid  TEXT COLLATE NOCASE,
    xmsl  REAL,
    xmdj  REAL,
    xmdw  TEXT COLLATE NOCASE,
    hldy  TEXT COLLATE NOCASE,
    ksbh  TEXT COLLATE NOCASE,
    Fyzt  TEXT COLLATE NOCASE,
    yzlb  TEXT COLLATE NOCASE,
    xmzt  TEXT COLLATE NOCASE,
    qlyf  TEXT COLLATE NOCASE,
    djsj  DATETIME,
    czry  TEXT COLLATE NOCASE
);
CREATE INDEX zyb_ypqlxx_qldh ON zyb_ypqlxx (qldh);
CREATE INDEX zyb_ypqlxx_zyid ON zyb_ypqlxx (zyid);

-- Vital signs: one row per patient, date and slot; 时刻检索 = 日期 + 时刻 + 检索.
-- Values are texts as typed; 痰量, 小便量, 引流量, 呕吐量 live in 舌质, 扩展2, 舌苔, 腹围.
CREATE TABLE 体温单 (
    编号        INTEGER PRIMARY KEY AUTOINCREMENT,
    检索        TEXT COLLATE NOCASE,
    时刻检索    TEXT COLLATE NOCASE,
    日期        TEXT COLLATE NOCASE,
    时刻        TEXT COLLATE NOCASE,
    住院日数    TEXT COLLATE NOCASE,
    手术日数    TEXT COLLATE NOCASE,
    体温类型    TEXT COLLATE NOCASE,
    体温1       TEXT COLLATE NOCASE,
    体温2       TEXT COLLATE NOCASE,
    脉搏        TEXT COLLATE NOCASE,
    心率        TEXT COLLATE NOCASE,
    呼吸        TEXT COLLATE NOCASE,
    记录者      TEXT COLLATE NOCASE,
    排序1       INTEGER,
    排序2       INTEGER,
    排序3       INTEGER,
    排序4       INTEGER,
    事项1       TEXT COLLATE NOCASE,
    事项时间1   TEXT COLLATE NOCASE,
    事项2       TEXT COLLATE NOCASE,
    事项时间2   TEXT COLLATE NOCASE,
    血压        TEXT COLLATE NOCASE,
    总入量      TEXT COLLATE NOCASE,
    大便次数    TEXT COLLATE NOCASE,
    小便次数    TEXT COLLATE NOCASE,
    总出量      TEXT COLLATE NOCASE,
    体重        TEXT COLLATE NOCASE,
    药物过敏    TEXT COLLATE NOCASE,
    舌质        TEXT COLLATE NOCASE,
    扩展2       TEXT COLLATE NOCASE,
    舌苔        TEXT COLLATE NOCASE,
    腹围        TEXT COLLATE NOCASE,
    扩展名称1   TEXT COLLATE NOCASE,
    扩展1       TEXT COLLATE NOCASE,
    脉象        TEXT COLLATE NOCASE,
    基础代谢率  TEXT COLLATE NOCASE
);
CREATE INDEX 体温单_检索 ON 体温单 (检索);
CREATE INDEX 体温单_时刻检索 ON 体温单 (时刻检索);

-- Front page, one row per stay keyed by the patient's 住院编号.
CREATE TABLE BAJK (
    ZYBH    TEXT COLLATE NOCASE NOT NULL PRIMARY KEY,
    YLFFFS  TEXT COLLATE NOCASE, JKKH TEXT COLLATE NOCASE, ZYCS TEXT COLLATE NOCASE,
    BAH     TEXT COLLATE NOCASE, XM TEXT COLLATE NOCASE, XB TEXT COLLATE NOCASE,
    CSRQ    DATETIME,
    NL      TEXT COLLATE NOCASE, GJ TEXT COLLATE NOCASE, NLY TEXT COLLATE NOCASE,
    TZ      TEXT COLLATE NOCASE, RYTZ TEXT COLLATE NOCASE, CSSF TEXT COLLATE NOCASE,
    JGSF    TEXT COLLATE NOCASE, MZ TEXT COLLATE NOCASE, SFZH TEXT COLLATE NOCASE,
    ZY      TEXT COLLATE NOCASE, HYDM TEXT COLLATE NOCASE,
    XZDZ    TEXT COLLATE NOCASE, XZDH TEXT COLLATE NOCASE, XZYB TEXT COLLATE NOCASE,
    HKDZ    TEXT COLLATE NOCASE, HKYB TEXT COLLATE NOCASE,
    GZDW    TEXT COLLATE NOCASE, DWDH TEXT COLLATE NOCASE, DWYB TEXT COLLATE NOCASE,
    LXRXM   TEXT COLLATE NOCASE, LXRGX TEXT COLLATE NOCASE, LXRDZ TEXT COLLATE NOCASE,
    LXRDH   TEXT COLLATE NOCASE,
    TJBM    TEXT COLLATE NOCASE,
    RYRQ    DATETIME,
    RYKS    TEXT COLLATE NOCASE, RYBF TEXT COLLATE NOCASE, ZKKB TEXT COLLATE NOCASE,
    CYRQ    DATETIME,
    CYKS    TEXT COLLATE NOCASE, CYBF TEXT COLLATE NOCASE, ZYTS TEXT COLLATE NOCASE,
    MZZD    TEXT COLLATE NOCASE, MZBM TEXT COLLATE NOCASE,
    CYZD1 TEXT COLLATE NOCASE, CYZD2 TEXT COLLATE NOCASE, CYZD3 TEXT COLLATE NOCASE,
    CYZD4 TEXT COLLATE NOCASE, CYZD5 TEXT COLLATE NOCASE,
    CYBM1 TEXT COLLATE NOCASE, CYBM2 TEXT COLLATE NOCASE, CYBM3 TEXT COLLATE NOCASE,
    CYBM4 TEXT COLLATE NOCASE, CYBM5 TEXT COLLATE NOCASE,
    CYBQ1 TEXT COLLATE NOCASE, CYBQ2 TEXT COLLATE NOCASE, CYBQ3 TEXT COLLATE NOCASE,
    CYBQ4 TEXT COLLATE NOCASE, CYBQ5 TEXT COLLATE NOCASE,
    WBYY    TEXT COLLATE NOCASE, WBBM TEXT COLLATE NOCASE,
    BLZD    TEXT COLLATE NOCASE, BLH TEXT COLLATE NOCASE, BLBM TEXT COLLATE NOCASE,
    YWGM    TEXT COLLATE NOCASE, GMYW TEXT COLLATE NOCASE, SWSJ TEXT COLLATE NOCASE,
    XX      TEXT COLLATE NOCASE, RH TEXT COLLATE NOCASE,
    KZRQM   TEXT COLLATE NOCASE, FZRQM TEXT COLLATE NOCASE, ZZQM TEXT COLLATE NOCASE,
    ZYQM    TEXT COLLATE NOCASE, HSQM TEXT COLLATE NOCASE, JXQM TEXT COLLATE NOCASE,
    SXQM    TEXT COLLATE NOCASE, BMYQM TEXT COLLATE NOCASE, BAZL TEXT COLLATE NOCASE,
    ZKQM    TEXT COLLATE NOCASE, ZKHS TEXT COLLATE NOCASE,
    ZKRQ    DATETIME,
    SSCZBM1 TEXT COLLATE NOCASE, SSRQ1 TEXT COLLATE NOCASE, SSJB1 TEXT COLLATE NOCASE,
    SSMC1 TEXT COLLATE NOCASE, SZ1 TEXT COLLATE NOCASE, YZ1 TEXT COLLATE NOCASE,
    EZ1 TEXT COLLATE NOCASE, QKDJ1 TEXT COLLATE NOCASE, MZFS1 TEXT COLLATE NOCASE,
    MZYS1 TEXT COLLATE NOCASE,
    SSCZBM2 TEXT COLLATE NOCASE, SSRQ2 TEXT COLLATE NOCASE, SSJB2 TEXT COLLATE NOCASE,
    SSMC2 TEXT COLLATE NOCASE, SZ2 TEXT COLLATE NOCASE, YZ2 TEXT COLLATE NOCASE,
    EZ2 TEXT COLLATE NOCASE, QKDJ2 TEXT COLLATE NOCASE, MZFS2 TEXT COLLATE NOCASE,
    MZYS2 TEXT COLLATE NOCASE,
    SSCZBM3 TEXT COLLATE NOCASE, SSRQ3 TEXT COLLATE NOCASE, SSJB3 TEXT COLLATE NOCASE,
    SSMC3 TEXT COLLATE NOCASE, SZ3 TEXT COLLATE NOCASE, YZ3 TEXT COLLATE NOCASE,
    EZ3 TEXT COLLATE NOCASE, QKDJ3 TEXT COLLATE NOCASE, MZFS3 TEXT COLLATE NOCASE,
    MZYS3 TEXT COLLATE NOCASE,
    SSCZBM4 TEXT COLLATE NOCASE, SSRQ4 TEXT COLLATE NOCASE, SSJB4 TEXT COLLATE NOCASE,
    SSMC4 TEXT COLLATE NOCASE, SZ4 TEXT COLLATE NOCASE, YZ4 TEXT COLLATE NOCASE,
    EZ4 TEXT COLLATE NOCASE, QKDJ4 TEXT COLLATE NOCASE, MZFS4 TEXT COLLATE NOCASE,
    MZYS4 TEXT COLLATE NOCASE,
    LYFS    TEXT COLLATE NOCASE, JSYY TEXT COLLATE NOCASE, SQYY TEXT COLLATE NOCASE,
    ZZJH    TEXT COLLATE NOCASE, ZZMD TEXT COLLATE NOCASE,
    LNQT    TEXT COLLATE NOCASE, LNQXS TEXT COLLATE NOCASE, LNQFZ TEXT COLLATE NOCASE,
    LNHT    TEXT COLLATE NOCASE, LNHXS TEXT COLLATE NOCASE, LNHFZ TEXT COLLATE NOCASE,
    ZFY REAL, ZFFY REAL, SSF REAL, MZFY REAL, KFFY REAL,
    XYFY REAL, ZCYFY REAL, CYFY REAL, XZPFY REAL, ZLCLFY REAL,
    BCRQ    DATETIME,
    -- the traditional-Chinese-medicine page
    MZZY    TEXT COLLATE NOCASE, MZZYBM TEXT COLLATE NOCASE, XSRPF TEXT COLLATE NOCASE,
    BLFX    TEXT COLLATE NOCASE, ZLLB TEXT COLLATE NOCASE,
    ZYSB    TEXT COLLATE NOCASE, ZYJS TEXT COLLATE NOCASE, ZYHL TEXT COLLATE NOCASE,
    ZYZJ    TEXT COLLATE NOCASE, LCLJ TEXT COLLATE NOCASE, LJGL TEXT COLLATE NOCASE,
    DRGS    TEXT COLLATE NOCASE, BZSH TEXT COLLATE NOCASE, DBZ TEXT COLLATE NOCASE,
    KSS     TEXT COLLATE NOCASE, XJPY TEXT COLLATE NOCASE, CRB TEXT COLLATE NOCASE,
    SSJH    TEXT COLLATE NOCASE, JHT TEXT COLLATE NOCASE, JHXS TEXT COLLATE NOCASE,
    ZYZD1 TEXT COLLATE NOCASE, ZYZD2 TEXT COLLATE NOCASE, ZYZD3 TEXT COLLATE NOCASE,
    ZYZD4 TEXT COLLATE NOCASE,
    ZYZX1 TEXT COLLATE NOCASE, ZYZX2 TEXT COLLATE NOCASE, ZYZX3 TEXT COLLATE NOCASE,
    ZYZX4 TEXT COLLATE NOCASE,
    ZYBM1 TEXT COLLATE NOCASE, ZYBM2 TEXT COLLATE NOCASE, ZYBM3 TEXT COLLATE NOCASE,
    ZYBM4 TEXT COLLATE NOCASE,
    ZHBM1 TEXT COLLATE NOCASE, ZHBM2 TEXT COLLATE NOCASE, ZHBM3 TEXT COLLATE NOCASE,
    ZHBM4 TEXT COLLATE NOCASE,
    ZYBQ1 TEXT COLLATE NOCASE, ZYBQ2 TEXT COLLATE NOCASE, ZYBQ3 TEXT COLLATE NOCASE,
    ZYBQ4 TEXT COLLATE NOCASE
);

-- Charge items and drugs. xmlb is "XMLB" + the category number in three digits;
-- XMLB001-003 are the drug categories. tsyf is the herb's special usage (先煎, 后下, ...)
-- that herbal order templates offer.
CREATE TABLE ddt_costitems (
    xmid     INTEGER PRIMARY KEY AUTOINCREMENT,
    xmmc     TEXT COLLATE NOCASE,
    xmsy     TEXT COLLATE NOCASE,
    xmlx     TEXT COLLATE NOCASE,
    xmlb     TEXT COLLATE NOCASE,
    it_code  TEXT COLLATE NOCASE,
    xmdw     TEXT COLLATE NOCASE,
    xmdj     REAL,
    jldw     TEXT COLLATE NOCASE,
    jldj     REAL,
    yblb     TEXT COLLATE NOCASE,
    czsj     TEXT COLLATE NOCASE,
    xmzt     TEXT COLLATE NOCASE,
    xmgg     TEXT COLLATE NOCASE,
    pfdj     REAL,
    clbl     REAL,
    plbl     REAL,
    ypjx     TEXT COLLATE NOCASE,
    xmsx     TEXT COLLATE NOCASE,
    dm       TEXT COLLATE NOCASE,
    gz       TEXT COLLATE NOCASE,
    cf       TEXT COLLATE NOCASE,
    zz       TEXT COLLATE NOCASE,
    ps       TEXT COLLATE NOCASE,
    yzjl     TEXT COLLATE NOCASE,
    yzdw     TEXT COLLATE NOCASE,
    tsyf     TEXT COLLATE NOCASE
);
CREATE INDEX ddt_costitems_xmsy ON ddt_costitems (xmsy);
CREATE INDEX ddt_costitems_xmlb ON ddt_costitems (xmlb);
CREATE INDEX ddt_costitems_ps ON ddt_costitems (ps);

CREATE TABLE adm_xmlb (
    xmlb  TEXT COLLATE NOCASE NOT NULL UNIQUE,
    xmmc  TEXT COLLATE NOCASE
);

-- Departments of the hospital by kind (临床科室, 医技科室, 药剂部门, ...).
CREATE TABLE YWBM (
    编号  INTEGER PRIMARY KEY AUTOINCREMENT,
    BMMC  TEXT COLLATE NOCASE,
    SSBM  TEXT COLLATE NOCASE
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
CREATE VIEW 待结病历 AS
SELECT b.* FROM 在院病历 b
WHERE b.检索 IN (SELECT 住院编号 FROM 在院病人 WHERE 状态 = '待结');

CREATE VIEW 出院病历 AS
SELECT b.* FROM 在院病历 b
WHERE b.检索 IN (SELECT 住院编号 FROM 在院病人 WHERE 状态 = '出院');

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
