// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "core/StringUtils.h"
#include "encoding/CodePage.h"

namespace vste {
namespace {

TEST(StringUtilsTest, LabelCharacterSetHasExactlyTheSeventyFiveCharacters) {
    int count = 0;
    for (int c = 0; c < 256; ++c) {
        count += IsLabelChar(static_cast<unsigned char>(c)) ? 1 : 0;
    }
    EXPECT_EQ(count, 75);
    for (char c : std::string_view("\"$&'+-./:?[]_09AZaz")) {
        EXPECT_TRUE(IsLabelChar(static_cast<unsigned char>(c))) << c;
    }
    for (char c : std::string_view(" \t\r\n!#%()*,;<=>\\^`{|}~@")) {
        EXPECT_FALSE(IsLabelChar(static_cast<unsigned char>(c))) << c;
    }
    EXPECT_FALSE(IsLabelChar(127));
    EXPECT_FALSE(IsLabelChar(0x80));
    EXPECT_FALSE(IsLabelChar(0xC0));
    EXPECT_FALSE(IsLabelChar(0xFF));
}

TEST(StringUtilsTest, EndKeywordIgnoresCaseOfLettersOnly) {
    EXPECT_TRUE(IsEndKeyword("END"));
    EXPECT_TRUE(IsEndKeyword("end"));
    EXPECT_TRUE(IsEndKeyword("eNd"));
    EXPECT_FALSE(IsEndKeyword("END "));
    EXPECT_FALSE(IsEndKeyword("ENDS"));
    EXPECT_FALSE(IsEndKeyword("EN"));
    EXPECT_FALSE(IsEndKeyword(""));
}

TEST(StringUtilsTest, PlainConversionKeepsNulAndGivesOneUnitPerByte) {
    const std::string bytes("A\0B\x7F", 4);
    EXPECT_EQ(PlainAnsiToWide(bytes), std::u16string(u"A\0B\x7F", 4));
    EXPECT_EQ(PlainWideToAnsi(std::u16string(u"x\0y", 3)), std::string("x\0y", 3));
    EXPECT_EQ(PlainAnsiToWide(""), u"");
    EXPECT_EQ(PlainWideToAnsi(u""), "");
}

TEST(StringUtilsTest, PlainConversionAgreesWithCodePageAboveAscii) {
    for (int cp : {1251, 1252}) {
        const PlainCodec codec(cp);
        for (int b = 0x80; b < 0x100; ++b) {
            const std::string one(1, static_cast<char>(b));
            const std::u16string expected = AnsiToWide(one, cp);
            if (expected.size() == 1) {
                EXPECT_EQ(codec.toWide(static_cast<unsigned char>(b)), expected[0])
                    << "cp " << cp << " byte " << b;
                EXPECT_EQ(PlainWideToAnsi(expected, cp), WideToAnsi(expected, cp));
            }
        }
    }
}

TEST(StringUtilsTest, PlainWideToAnsiWritesOneByteForEveryCharacter) {
    // No composition: a letter and a combining accent stay two characters.
    EXPECT_EQ(PlainWideToAnsi(u"e\u0301", 1252).size(), 2u);
    // A surrogate pair is one character; a lone surrogate is one too.
    EXPECT_EQ(PlainWideToAnsi(u"a\U0001F600b", 1252).size(), 3u);
    EXPECT_EQ(PlainWideToAnsi(std::u16string(1, char16_t(0xD800)) + u"z", 1252), "?z");
}

TEST(StringUtilsTest, PlainConversionUsesTheCyrillicCodePage) {
    EXPECT_EQ(PlainAnsiToWide("\xC0\xFF", 1251), u"\u0410\u044F");
    EXPECT_EQ(PlainWideToAnsi(u"\u0410\u044F", 1251), "\xC0\xFF");
}

} // namespace
} // namespace vste
