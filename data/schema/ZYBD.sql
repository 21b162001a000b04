-- ZYBD.mdb: the reference knowledge base (read-only for the ward).
-- Category codes (DXDM, XLDM, DLDM) are numbers: the trees select them bare.
-- The long texts of a new base are plain text; deciphering returns them unchanged.

-- Formulae; FJZC lists the formula's herbs separated by ",".
CREATE TABLE FJX (
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,
    名称      TEXT COLLATE GBK,
    MCJS      TEXT COLLATE GBK,
    出处      TEXT COLLATE GBK,
    DXDM      INTEGER,
    FJDL      TEXT COLLATE GBK,
    XLDM      INTEGER,
    FJXL      TEXT COLLATE GBK,
    FJZC      TEXT COLLATE GBK,
    组成      TEXT COLLATE GBK,
    用法      TEXT COLLATE GBK,
    功用      TEXT COLLATE GBK,
    主治      TEXT COLLATE GBK,
    方解      TEXT COLLATE GBK,
    运用      TEXT COLLATE GBK,
    文献摘要  TEXT COLLATE GBK,
    临床报道  TEXT COLLATE GBK
);
CREATE INDEX FJX_DXDM ON FJX (DXDM, XLDM);
CREATE INDEX FJX_MCJS ON FJX (MCJS);
CREATE INDEX FJX_名称 ON FJX (名称);

-- Chinese herbs; FY lists other names of the herb.
CREATE TABLE ZYX (
    ID        INTEGER PRIMARY KEY AUTOINCREMENT,
    名称      TEXT COLLATE GBK,
    YPJS      TEXT COLLATE GBK,
    FY        TEXT COLLATE GBK,
    DLDM      INTEGER,
    ZYDL      TEXT COLLATE GBK,
    XLDM      INTEGER,
    ZYXL      TEXT COLLATE GBK,
    出处      TEXT COLLATE GBK,
    科属      TEXT COLLATE GBK,
    性能      TEXT COLLATE GBK,
    功效      TEXT COLLATE GBK,
    应用      TEXT COLLATE GBK,
    用法      TEXT COLLATE GBK,
    使用注意  TEXT COLLATE GBK,
    鉴别用药  TEXT COLLATE GBK,
    古籍摘要  TEXT COLLATE GBK,
    附药      TEXT COLLATE GBK
);
CREATE INDEX ZYX_DLDM ON ZYX (DLDM, XLDM);
CREATE INDEX ZYX_XLDM ON ZYX (XLDM);
CREATE INDEX ZYX_名称 ON ZYX (名称);
CREATE INDEX ZYX_YPJS ON ZYX (YPJS);

-- Internal-medicine diseases by syndrome type.
CREATE TABLE ZYNK (
    ID    INTEGER PRIMARY KEY AUTOINCREMENT,
    DXDM  INTEGER,
    病名  TEXT COLLATE GBK,
    XLDM  INTEGER,
    分类  TEXT COLLATE GBK,
    证型  TEXT COLLATE GBK,
    症状  TEXT COLLATE GBK,
    治则  TEXT COLLATE GBK,
    方剂  TEXT COLLATE GBK
);
CREATE INDEX ZYNK_DXDM ON ZYNK (DXDM, XLDM);

-- Western drug instructions.
CREATE TABLE XYSM (
    ID    INTEGER PRIMARY KEY AUTOINCREMENT,
    YPMC  TEXT COLLATE GBK,
    YPJS  TEXT COLLATE GBK,
    YPSM  TEXT COLLATE GBK
);
CREATE INDEX XYSM_YPJS ON XYSM (YPJS);
