#include "common/GbkText.h"

#include <gtest/gtest.h>

using namespace qh::text;
using namespace Qt::StringLiterals;

TEST(GbkText, ChineseCountsTwoBytesAsciiOneAndOutsideGbkOneQuestionMark) {
    EXPECT_EQ(gbkLength(QString()), 0);
    EXPECT_EQ(gbkLength(u"abc"_s), 3);
    EXPECT_EQ(gbkLength(u"姓名：张三"_s), 10);  // full-width colon is a GBK character
    const QString emoji = QString::fromUcs4(U"a\U0001F600b");
    EXPECT_EQ(toGbk(emoji), QByteArray("a?b"));
    EXPECT_EQ(gbkLength(emoji), 3);
}

TEST(GbkText, ConvertsBothWaysAndReplacesBrokenBytes) {
    EXPECT_EQ(toGbk(u"张三"_s), QByteArray::fromHex("d5c5c8fd"));
    EXPECT_EQ(fromGbk(QByteArray::fromHex("d5c5c8fd")), u"张三"_s);
    const QString mixed = u"患者【王五】 T 36.5℃，床号12"_s;
    EXPECT_EQ(fromGbk(toGbk(mixed)), mixed);
    EXPECT_TRUE(fromGbk(QByteArray()).isEmpty());
    const QString broken = fromGbk(QByteArray("\xd5\xc5\xff" "ab\xc8", 6));
    EXPECT_TRUE(broken.startsWith(u"张"_s));
    EXPECT_TRUE(broken.contains(u"ab"_s));
    EXPECT_TRUE(broken.contains(QChar(0xFFFD)));
}

TEST(GbkText, PadsAndCutsByBytesWithoutSplittingACharacter) {
    EXPECT_EQ(padToBytes(u"3床"_s, 5), u"3床  "_s);
    EXPECT_EQ(padToBytes(u"1234床"_s, 5), u"1234床"_s);  // longer texts are left alone
    EXPECT_EQ(padToBytes(QString(), 3), u"   "_s);
    const std::tuple<QString, int, QString> cuts[] = {
        {u"张三丰"_s, 3, u"张"_s}, {u"a张b"_s, 2, u"a"_s}, {u"a张b"_s, 3, u"a张"_s},
        {u"张三"_s, 100, u"张三"_s}, {u"张三"_s, -1, QString()},
        {QString::fromUcs4(U"\U0001F600x"), 1, QString::fromUcs4(U"\U0001F600")}};  // the pair stays whole
    for (const auto& [text, bytes, cut] : cuts) EXPECT_EQ(cutToBytes(text, bytes), cut) << text.toStdString();
}
