// Searching the code tables from each source, the typed text taken literally.
#include <gtest/gtest.h>

#include <QFile>

#include "frontpage/CodeLookup.h"
#include "frontpage_fixture.h"
#include "patients/PickLists.h"

using namespace qh;
using namespace qh::frontpage;

namespace {

class CodeLookupTest : public test::FrontPageFixture {
protected:
    QStringList names(CodeSource source, const QString& typed) {
        const auto found = searchCodes(files(), source, typed);
        if (!found) return {"<no database>"};
        QStringList out;
        for (const CodeMatch& m : *found) out << m.name + "|" + m.code + "|" + m.tag;
        return out;
    }
};

TEST_F(CodeLookupTest, InitialsMatchAsPrefixAndNamesAsSubstringInEachSourcesTable) {
    // gm: initials beginning with GM (感冒) and names containing gm (none); XGM does not begin with it.
    EXPECT_EQ(names(CodeSource::DischargeDiagnosis, "gm"), QStringList{"感冒|J00|ZD"});
    EXPECT_EQ(names(CodeSource::OutpatientDiagnosis, "肺"), QStringList{"肺炎|J18|MZ"});
    EXPECT_EQ(names(CodeSource::Operation, "阑尾"), QStringList{"阑尾切除术|47.09|SS"});
    EXPECT_EQ(names(CodeSource::ExternalCause, "dd"), QStringList{"跌倒|W19|WS"});
    EXPECT_EQ(names(CodeSource::Pathology, "癌"), QStringList{"腺癌|M81400/3|BL"});
    EXPECT_EQ(names(CodeSource::TcmDisease, "gm"), (QStringList{"感冒|BNW010|ZD", "感冒病|BNW011|ZD"}));
    EXPECT_EQ(names(CodeSource::TcmOutpatient, "感冒"), (QStringList{"感冒|BNW010|MZ", "感冒病|BNW011|MZ"}));
    // From the 中医证型 column only syndromes are offered.
    EXPECT_EQ(names(CodeSource::TcmSyndrome, "风寒"), QStringList{"风寒犯表证|ZBSW10|BM"});
    EXPECT_TRUE(names(CodeSource::TcmSyndrome, "gm").isEmpty());
}

TEST_F(CodeLookupTest, TypedWildcardsAndQuotesAreTakenLiterally) {
    EXPECT_EQ(names(CodeSource::DischargeDiagnosis, "100%"), QStringList{"100%_纯|Z99|ZD"});
    EXPECT_EQ(names(CodeSource::DischargeDiagnosis, "%_"), QStringList{"100%_纯|Z99|ZD"});
    EXPECT_TRUE(names(CodeSource::DischargeDiagnosis, "_").size() == 1);
    EXPECT_EQ(names(CodeSource::DischargeDiagnosis, "奥'尼"), QStringList{"奥'尼尔综合征|Q99|ZD"});
    EXPECT_TRUE(names(CodeSource::DischargeDiagnosis, "\\").isEmpty());
    EXPECT_TRUE(names(CodeSource::DischargeDiagnosis, "' or '1'='1").isEmpty());
    // The patient forms' diagnosis drop-down goes through the same quoting.
    EXPECT_EQ(patients::searchDiagnoses(files(), "%_"), QStringList{"100%_纯"});
    EXPECT_EQ(patients::searchDiagnoses(files(), "gxy"), QStringList{"高血压"});
}

TEST_F(CodeLookupTest, TheListSizeFollowsItsRowsAndAMissingCodingFileLeavesItAlone) {
    EXPECT_EQ(resultListSize(4), QSize(323, 104));  // three matches and the header
    EXPECT_EQ(resultListSize(1), QSize(323, 29));   // no match: the header alone
    EXPECT_EQ(resultListSize(5), QSize(323, 129));
    EXPECT_EQ(resultListSize(8), QSize(340, 127));  // seven matches scroll

    const QString coding = files().path(store::DbFile::Coding);
    ASSERT_TRUE(QFile::rename(coding, coding + ".away"));
    EXPECT_EQ(names(CodeSource::DischargeDiagnosis, "gm"), QStringList{"<no database>"});
}

}  // namespace
