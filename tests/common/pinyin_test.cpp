#include "common/GbkText.h"
#include "common/Pinyin.h"

#include <gtest/gtest.h>

using namespace qh::text;
using namespace Qt::StringLiterals;

TEST(PinyinInitials, ByteRuleAndBothCharacterLevels) {
    const std::pair<QString, QString> cases[] = {
        {u"张三丰"_s, u"ZSF"_s}, {u"张a"_s, u"Z"_s}, {u"ab张三"_s, u"ZS"_s}, {QString(), QString()},
        {u"a张"_s, QString()},        // pairs (a, lead) and (trail) make nothing
        {u"ＡＢ（）"_s, QString()},   // GB2312 symbols, not characters
        {u"張三"_s, u"S"_s},          // 張 is GBK but not GB2312
        {u"长单厦曾"_s, u"CDXZ"_s},   // polyphonic: the letter of the range GB2312 files them in
        {u"啊澳芭座"_s, u"AABZ"_s},   // range ends: 啊 B0A1, 澳 B0C4 | 芭 B0C5, 座 D7F9
        {u"鸥藕偶沤啪"_s, u"OOOOP"_s},
        {u"婷琦璐鑫淼"_s, u"TQLXM"_s}, {u"昊煜晔琛昕"_s, u"HYYCX"_s},  // level-2 characters common in names
        {u"亍"_s, u"C"_s}};  // D8A1, the first level-2 character
    for (const auto& [text, initials] : cases) EXPECT_EQ(pinyinInitials(text), initials) << text.toStdString();
}

TEST(PinyinInitials, EveryGb2312CharacterHasAnInitial) {
    int characters = 0;
    for (int lead = 0xB0; lead <= 0xF7; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            if (lead == 0xD7 && trail > 0xF9) continue;  // D7FA-D7FE are unassigned
            const char bytes[] = {char(lead), char(trail)};
            const QByteArray pair(bytes, 2);
            const QString c = fromGbk(pair);
            ASSERT_EQ(c.size(), 1) << QByteArray(pair.toHex()).constData();
            const char initial = initialOf(c[0]);
            ASSERT_TRUE(initial >= 'A' && initial <= 'Z') << QByteArray(pair.toHex()).constData();
            ASSERT_EQ(pinyinInitials(c), QString(QLatin1Char(initial)));
            ++characters;
        }
    }
    EXPECT_EQ(characters, 6763);
}

TEST(SearchInitials, CharacterRuleKeepsLettersAndDigits) {
    EXPECT_EQ(searchInitials(u"阿司匹林100mg"_s), u"ASPL100MG"_s);
    EXPECT_EQ(searchInitials(u"a张"_s), u"AZ"_s);  // no byte pairing here
    EXPECT_EQ(searchInitials(u"维生素B12(注射液)"_s), u"WSSB12ZSY"_s);
    EXPECT_EQ(searchInitials(u"張ａ％"_s), QString());  // non-GB2312 and full-width signs
    EXPECT_EQ(searchInitials(QString()), QString());
}
