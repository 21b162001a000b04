// Importing code tables and the catalogue from CSV, and recomputing initials columns.
#include "common/GbkText.h"
#include "store/DataDirectory.h"
#include "store/TableImport.h"
#include "store_support.h"
#include "store/CsvReader.h"
#include "support/full_disk.h"

using namespace qh::store;

namespace {

class ImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Schema only: an empty seed folder keeps the files small.
        QDir(dir.path()).mkpath("noseed");
        CreationSources sources{QStringLiteral(QH_SOURCE_DIR "/data/schema"), dir.file("noseed")};
        QDir(dir.path()).mkpath("ward");
        ASSERT_EQ(createDataFiles(ward(), sources).status, PrepareResult::Created);
    }
    QString ward() const { return dir.file("ward"); }
    QString writeFile(const QString& name, const QByteArray& bytes) { return qh::test::writeFile(dir.file(name), bytes); }
    QString query(DbFile file, const QString& sql) {
        ExternalDatabase db;
        return db.open(qh::store::DataDirectory(ward()), file) ? qh::test::rows(db, sql) : "<closed>";
    }
    qh::test::TempDir dir;
};

TEST_F(ImportTest, GbkCodeFileWithoutInitialsGetsThemForBothCharacterLevels) {
    // 痤 and 疖 are level-2 characters (ordered by radical), the rest level-1.
    const QString csv = "BM,ICDMC\r\nL70.0,寻常痤疮\r\nL02.9,\"疖,未特指\"\r\nJ18.9,肺炎\r\n";
    const QString path = writeFile("codes.csv", qh::text::toGbk(csv));
    const ImportResult r = importTable(DataDirectory(ward()), "icd10", path);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.added, 3);
    EXPECT_TRUE(r.rejected.isEmpty());
    EXPECT_EQ(query(DbFile::Coding, "select BM,ICDMC,JSM from ICD10 order by BM"),
              "J18.9|肺炎|FY\nL02.9|疖,未特指|JWTZ\nL70.0|寻常痤疮|XCCC");
}

TEST_F(ImportTest, BadRowsAreRejectedWithTheirLineAndTheRestIsAdded) {
    // The quoted field spans two lines, so the bad price stands on line 5.
    const QString csv =
        "xmmc,xmlb,xmdj,xmgg\n"
        "阿莫西林胶囊,XMLB001,12.5,0.25g*24粒\n"
        "\"复方\n甘草片\",XMLB001,3,100片\n"
        "头孢呋辛,XMLB001,十元,0.75g\n"
        "只有两列,XMLB001\n";
    const ImportResult r = importTable(DataDirectory(ward()), "ddt_costitems", writeFile("items.csv", csv.toUtf8()));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.added, 2);
    ASSERT_EQ(r.rejected.size(), 2);
    EXPECT_TRUE(r.rejected[0].startsWith("第5行")) << r.rejected[0].toStdString();
    EXPECT_TRUE(r.rejected[1].startsWith("第6行")) << r.rejected[1].toStdString();
    EXPECT_EQ(query(DbFile::Main, "select xmsy,xmdj from ddt_costitems order by xmid"),
              "AMXLJN|12.5\nFFGCP|3");
}

TEST_F(ImportTest, CodeRowsNeedTheirCodeAndName) {
    const ImportResult r = importTable(DataDirectory(ward()), "ICD10", writeFile("gaps.csv", "BM,ICDMC\n,霍乱\nA01, \nA02,其他沙门菌感染\n"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.rejected.size(), 2);
    EXPECT_EQ(query(DbFile::Coding, "select BM,JSM from ICD10"), "A02|QTSMJGR");
    // A file that cannot be used at all changes nothing.
    EXPECT_FALSE(importTable(DataDirectory(ward()), "ICD10", writeFile("names.csv", "ICDMC\n霍乱\n")).ok);
    EXPECT_FALSE(importTable(DataDirectory(ward()), "ICD10", dir.file("missing.csv")).ok);
    EXPECT_FALSE(importTable(DataDirectory(ward()), "ICD10", writeFile("badcol.csv", "BM,名字\nA01,伤寒\n")).ok);
    EXPECT_FALSE(importTable(DataDirectory(ward()), "ICD10", writeFile("quote.csv", "BM,ICDMC\nA01,\"伤寒\n")).ok);
    EXPECT_FALSE(importTable(DataDirectory(ward()), "在院病人", writeFile("p.csv", "姓名\n张三\n")).ok);
    EXPECT_EQ(query(DbFile::Coding, "select BM from ICD10"), "A02");
}

TEST_F(ImportTest, ReplacingAnEditionIsAllOrNothing) {
    importTable(DataDirectory(ward()), "ICD_SS", writeFile("old.csv", "BM,SSMC\n47.09,阑尾切除术\n"));
    const ImportResult bad = importTable(
        DataDirectory(ward()), "ICD_SS", writeFile("new-bad.csv", "BM,SSMC\n47.01,腹腔镜下阑尾切除术\n51.22\n"), true);
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(query(DbFile::Coding, "select BM from ICD_SS"), "47.09");

    const ImportResult good = importTable(
        DataDirectory(ward()), "ICD_SS", writeFile("new.csv", "BM,SSMC\n47.01,腹腔镜下阑尾切除术\n51.22,胆囊切除术\n"), true);
    ASSERT_TRUE(good.ok);
    EXPECT_EQ(query(DbFile::Coding, "select BM,JSM from ICD_SS order by BM"),
              "47.01|FQJXLWQCS\n51.22|DNQCS");
}

TEST_F(ImportTest, AFullDiskEndsTheImportAtOnceAndLeavesTheTableAsItWas) {
    importTable(DataDirectory(ward()), "ICD_SS", writeFile("old.csv", "BM,SSMC\n47.09,阑尾切除术\n"));
    QByteArray many = "BM,SSMC\n";
    for (int i = 0; i < 3000; ++i) many += QByteArray::number(i) + ",手术名称" + QByteArray::number(i) + "\n";
    const QString path = writeFile("many.csv", many);
    for (const bool replace : {false, true}) {
        ImportResult r;
        {
            qh::test::FullDisk disk(16 * 1024);  // room for the first few pages only
            r = importTable(DataDirectory(ward()), "ICD_SS", path, replace);
            EXPECT_GT(disk.refusedWrites(), 0);
        }
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.added, 0);
        EXPECT_TRUE(r.rejected.isEmpty()) << "a full disk is no rejected row";
        EXPECT_TRUE(r.error.contains("撤销")) << r.error.toStdString();
        EXPECT_EQ(query(DbFile::Coding, "select BM from ICD_SS"), "47.09");
    }
}

TEST_F(ImportTest, EncodingIsDecidedOnceAndNoNumberIsNanOrInf) {
    // One stray byte in a UTF-8 file: refused naming its line, never re-read as GBK.
    QByteArray utf8 = QString("BM,SSMC\n47.01,腹腔镜下阑尾切除术\n51.22,胆囊切除术\n").toUtf8();
    utf8.insert(utf8.indexOf("胆"), '\xff');
    ImportResult r = importTable(DataDirectory(ward()), "ICD_SS", writeFile("stray.csv", utf8));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.startsWith("第3行")) << r.error.toStdString();
    EXPECT_FALSE(decodeCsvBytes("\xEF\xBB\xBF" + qh::text::toGbk("张三")).ok);  // marked UTF-8, is not
    EXPECT_FALSE(decodeCsvBytes("a\nb\n\x81\x20").ok);                         // neither encoding
    const DecodedText gbk = decodeCsvBytes(qh::text::toGbk("名称\n阑尾切除术\n胆囊切除术\n"));
    ASSERT_TRUE(gbk.ok) << gbk.error.toStdString();
    EXPECT_EQ(gbk.text, "名称\n阑尾切除术\n胆囊切除术\n");
    EXPECT_EQ(query(DbFile::Coding, "select count(*) from ICD_SS"), "0");

    r = importTable(DataDirectory(ward()), "ddt_costitems",
                    writeFile("nan.csv", "xmmc,xmlb,xmdj\n甲,XMLB001,nan\n乙,XMLB001,inf\n丙,XMLB001,-Infinity\n丁,XMLB001,2\n"));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.added, 1);
    EXPECT_EQ(r.rejected.size(), 3);
    EXPECT_EQ(query(DbFile::Main, "select xmmc,xmdj from ddt_costitems"), "丁|2");
}

TEST_F(ImportTest, ReindexRecomputesEachColumnByItsOwnRule) {
    {
        ExternalDatabase db;
        ASSERT_TRUE(db.open(qh::store::DataDirectory(ward()), DbFile::Main));
        // Byte rule: the Latin letter shifts the pairs, so "a张三" is read as (a,张₁)(张₂,三₁):
        // the second pair happens to be the GB2312 character C5C8, a P.
        ASSERT_TRUE(db.execute("INSERT INTO 在院病人 (姓名,姓名检索) values ('a张三','XX')"));
        ASSERT_TRUE(db.execute("INSERT INTO 在院病人 (姓名,姓名检索) values ('王婷','')"));
        // Character rule: letters and digits kept.
        ASSERT_TRUE(db.execute("INSERT INTO ddt_costitems (xmmc,xmsy) values ('维生素B6片','')"));
        // A catalogue code typed by hand is kept.
        ASSERT_TRUE(db.execute("INSERT INTO ddt_costitems (xmmc,xmsy) values ('青霉素钠','PNC')"));
    }
    const ReindexResult r = reindexAll(DataDirectory(ward()));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.changed.value("在院病人.姓名检索"), 2);
    EXPECT_EQ(query(DbFile::Main, "select 姓名检索 from 在院病人 order by 编号"), "P\nWT");
    EXPECT_EQ(query(DbFile::Main, "select xmsy from ddt_costitems order by xmid"), "WSSB6P\nPNC");
    EXPECT_EQ(reindexAll(DataDirectory(ward())).changed.value("在院病人.姓名检索"), 0);
}

TEST_F(ImportTest, ReindexOfAFileLackingAnInitialsTableFailsAndKeepsItsRows) {
    {
        ExternalDatabase db;
        ASSERT_TRUE(db.open(qh::store::DataDirectory(ward()), DbFile::Coding));
        ASSERT_TRUE(db.execute("INSERT INTO ICD10 (BM,ICDMC,JSM) values ('A01','伤寒','XX')"));
        ASSERT_TRUE(db.execute("DROP TABLE ICD_BL"));
    }
    const ReindexResult r = reindexAll(DataDirectory(ward()));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.error.contains("ICD_BL")) << r.error.toStdString();
    EXPECT_EQ(query(DbFile::Coding, "select JSM from ICD10"), "XX");
}

}  // namespace
