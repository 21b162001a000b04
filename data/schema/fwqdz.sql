-- fwqdz.mdb: the coding database (ICD tables, disease information) and the
-- common phrases of 系统设置. JSM holds the search initials of the name.

-- Common phrases: 备注 is "疾病名称", "主诉", "联系地址" or "文字医嘱".
CREATE TABLE 系统设置 (
    编号  INTEGER PRIMARY KEY AUTOINCREMENT,
    项目  TEXT COLLATE GBK,
    备注  TEXT COLLATE GBK
);
CREATE INDEX 系统设置_备注 ON 系统设置 (备注);

-- Western diagnoses (ICD-10).
CREATE TABLE ICD10 (
    JSM    TEXT COLLATE GBK,
    ICDMC  TEXT COLLATE GBK,
    BM     TEXT COLLATE GBK
);
CREATE INDEX ICD10_JSM ON ICD10 (JSM);
CREATE INDEX ICD10_BM ON ICD10 (BM);

-- TCM diseases (BZ 'B') and syndromes (BZ 'Z').
CREATE TABLE ICD_10 (
    JSM    TEXT COLLATE GBK,
    ICDMC  TEXT COLLATE GBK,
    BM     TEXT COLLATE GBK,
    BZ     TEXT COLLATE GBK
);
CREATE INDEX ICD_10_JSM ON ICD_10 (JSM);
CREATE INDEX ICD_10_BM ON ICD_10 (BM);

-- Operations and procedures.
CREATE TABLE ICD_SS (
    JSM   TEXT COLLATE GBK,
    SSMC  TEXT COLLATE GBK,
    BM    TEXT COLLATE GBK
);
CREATE INDEX ICD_SS_JSM ON ICD_SS (JSM);
CREATE INDEX ICD_SS_BM ON ICD_SS (BM);

-- External causes of injury and poisoning.
CREATE TABLE ICD_WS (
    JSM    TEXT COLLATE GBK,
    ICDMC  TEXT COLLATE GBK,
    BM     TEXT COLLATE GBK
);
CREATE INDEX ICD_WS_JSM ON ICD_WS (JSM);
CREATE INDEX ICD_WS_BM ON ICD_WS (BM);

-- Pathology (morphology) codes.
CREATE TABLE ICD_BL (
    JSM    TEXT COLLATE GBK,
    ICDMC  TEXT COLLATE GBK,
    BM     TEXT COLLATE GBK
);
CREATE INDEX ICD_BL_JSM ON ICD_BL (JSM);
CREATE INDEX ICD_BL_BM ON ICD_BL (BM);

-- Disease information by department; SX orders the departments.
CREATE TABLE JBZL (
    编号  INTEGER PRIMARY KEY AUTOINCREMENT,
    科室  TEXT COLLATE GBK,
    SX    INTEGER,
    诊断  TEXT COLLATE GBK,
    内容  TEXT COLLATE GBK
);
CREATE INDEX JBZL_科室 ON JBZL (科室, 编号);
