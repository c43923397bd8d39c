// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "encoding/Fargus.h"

using namespace vste;

namespace {
std::u16string Units(std::initializer_list<char16_t> units) {
    return std::u16string(units);
}
} // namespace

TEST(FargusTest, DecodeMovesFargusPositionsToWindows1251) {
    EXPECT_EQ(FargusToWindows1251(Units({0xC0, 0xC1, 0xFF, 0xAF, 0xBF})),
              Units({0xFF, 0xC0, 0xFE, 0xAE, 0xBE}));
    EXPECT_EQ(FargusToWindows1251(Units({0xAE, 0x41, 0x00, 0xAD})),
              Units({0xAE, 0x41, 0x00, 0xAD}));
    // Characters beyond one byte move too: Unicode Cyrillic А..я shift down by one.
    EXPECT_EQ(FargusToWindows1251(u"\u0410\u0411\u044F"), u"\u040F\u0410\u044E");
    EXPECT_EQ(FargusToWindows1251(u""), u"");
}

TEST(FargusTest, EncodeMovesWindows1251PositionsToFargus) {
    EXPECT_EQ(Windows1251ToFargus(Units({0xFF, 0xFE, 0xAE, 0xAD, 0xC0})),
              Units({0xC0, 0xFF, 0xAF, 0xAD, 0xC1}));
    EXPECT_EQ(Windows1251ToFargus(Units({0xFFFF, 0x0100})), Units({0x0000, 0x0101}));
    EXPECT_EQ(Windows1251ToFargus(u"\u040F\u0410\u044E"), u"\u0410\u0411\u044F");
}

TEST(FargusTest, RoundTripsRestoreAllButTheBoundaryCharacters) {
    for (char32_t c = 0; c < 0x10000; ++c) {
        const std::u16string v(1, static_cast<char16_t>(c));
        const char16_t decodeFirst = Windows1251ToFargus(FargusToWindows1251(v))[0];
        const char16_t encodeFirst = FargusToWindows1251(Windows1251ToFargus(v))[0];
        const char16_t expectDecodeFirst = c == 0xAE    ? 0xAF
                                           : c == 0x100 ? 0xC0
                                                        : static_cast<char16_t>(c);
        const char16_t expectEncodeFirst = c == 0xBF     ? 0xFF
                                           : c == 0xFFFF ? 0
                                                         : static_cast<char16_t>(c);
        ASSERT_EQ(decodeFirst, expectDecodeFirst) << std::hex << static_cast<unsigned>(c);
        ASSERT_EQ(encodeFirst, expectEncodeFirst) << std::hex << static_cast<unsigned>(c);
    }
    EXPECT_EQ(FargusToWindows1251(u"Nox Quest"), u"Nox Quest");
    EXPECT_EQ(Windows1251ToFargus(u"Nox Quest"), u"Nox Quest");
}
