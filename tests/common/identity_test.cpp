#include "common/Identity.h"

#include "fixed_clock.h"

#include <gtest/gtest.h>

using namespace qh::identity;
using namespace Qt::StringLiterals;

TEST(PasswordDigest, CharactersSixToThirteenOfMd5) {
    // RFC 1321 test suite: "" d41d8cd98f00b204..., "a" 0cc175b9c0f1b6a8..., "abc" 900150983cd24fb0...
    EXPECT_EQ(passwordDigest(u""_s), u"cd98f00b"_s);
    EXPECT_EQ(passwordDigest(u"a"_s), u"5b9c0f1b"_s);
    EXPECT_EQ(passwordDigest(u"abc"_s), u"0983cd24"_s);
    EXPECT_EQ(passwordDigest(u"message digest"_s), u"97d7cb79"_s);
    EXPECT_EQ(passwordDigest(u"密码"_s), u"e30f0c96"_s);  // Chinese as GBK bytes: MD5 of D3DC C2EB
    // Only blanks at both ends are trimmed.
    EXPECT_EQ(passwordDigest(u"  abc  "_s), passwordDigest(u"abc"_s));
    EXPECT_NE(passwordDigest(u"a bc"_s), passwordDigest(u"abc"_s));
    EXPECT_NE(passwordDigest(u"\tabc"_s), passwordDigest(u"abc"_s));
}

TEST(PrescriptionNumber, PrefixSaveTimeAndFourDigits) {
    const QDateTime at(QDate(2016, 3, 5), QTime(9, 7, 2));
    EXPECT_EQ(prescriptionNumber(at, 1234), u"CYCF1603050907021234"_s);
    EXPECT_EQ(prescriptionNumber(QDateTime(QDate(2009, 12, 31), QTime(23, 59, 59)), 1000),
              u"CYCF0912312359591000"_s);

    qh::test::FixedClock clock(at);
    for (int i = 0; i < 50; ++i) {
        const QString number = newPrescriptionNumber();
        ASSERT_EQ(number.size(), 20);
        ASSERT_TRUE(number.startsWith(u"CYCF160305090702"_s));
        const int random = number.right(4).toInt();
        ASSERT_TRUE(random >= 1000 && random <= 9999) << random;
    }
}
