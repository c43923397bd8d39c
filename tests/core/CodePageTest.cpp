// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "encoding/CodePage.h"
#include "support/TestSupport.h"

#ifdef _WIN32
#include <windows.h>
#endif

using namespace vste;
using vste::test::U16;

namespace {

#ifdef _WIN32
void SetEnv(const char* name, const char* value) {
    _putenv_s(name, value);
}
void UnsetEnv(const char* name) {
    _putenv_s(name, "");
}
// On Windows the system's ANSI code page, where it is supported, comes before the locale.
int FromLocale(int localeCodePage) {
    const int acp = static_cast<int>(GetACP());
    return IsSupportedCodePage(acp) ? acp : localeCodePage;
}
#else
void SetEnv(const char* name, const char* value) {
    setenv(name, value, 1);
}
void UnsetEnv(const char* name) {
    unsetenv(name);
}
int FromLocale(int localeCodePage) {
    return localeCodePage;
}
#endif

// Restores the active code page a test changes.
class ActiveCodePageGuard {
public:
    ActiveCodePageGuard() : m_saved(ActiveCodePage()) {}
    ~ActiveCodePageGuard() { SetActiveCodePage(m_saved); }

private:
    int m_saved;
};

std::string Byte(int b) {
    return std::string(1, static_cast<char>(b));
}

} // namespace

TEST(CodePageTest, EveryByteOfEverySupportedCodePageRoundTrips) {
    for (int cp : SupportedCodePages()) {
        for (int b = 1; b < 256; ++b) {
            const std::u16string wide = AnsiToWide(Byte(b), cp);
            ASSERT_EQ(wide.size(), 1u) << "cp " << cp << " byte " << b;
            EXPECT_EQ(WideToAnsi(wide, cp), Byte(b)) << "cp " << cp << " byte " << b;
        }
        // The whole range in one text, each byte after a space so that the combining marks of
        // 1255 and 1258 have nothing to compose with or reorder against.
        std::string all;
        for (int b = 1; b < 256; ++b) {
            all.push_back(' ');
            all.push_back(static_cast<char>(b));
        }
        EXPECT_EQ(WideToAnsi(AnsiToWide(all, cp), cp), all) << "cp " << cp;
    }
}

TEST(CodePageTest, KnownLettersOfSeveralCodePages) {
    EXPECT_EQ(AnsiToWide("\xC0", 1251), u"\u0410");
    EXPECT_EQ(WideToAnsi(u"\u0410", 1251), "\xC0");
    EXPECT_EQ(AnsiToWide("\x80", 1252), u"\u20AC");
    EXPECT_EQ(AnsiToWide("\xC1", 1253), u"\u0391");
    EXPECT_EQ(AnsiToWide("\xA1", 874), u"\u0E01");
    EXPECT_EQ(AnsiToWide("\xE0", 1255), u"\u05D0");
    EXPECT_EQ(WideToAnsi(u"\u015F", 1254), "\xFE");
    // Undefined bytes keep an identity of their own instead of becoming U+FFFD.
    EXPECT_EQ(AnsiToWide("\xD2", 1253), u"\uF7D2");
    EXPECT_EQ(WideToAnsi(u"\uF7D2", 1253), "\xD2");
    // Control characters below 0x20 are themselves in every code page.
    for (int cp : SupportedCodePages()) {
        EXPECT_EQ(AnsiToWide("\x1A\x1C\x7F", cp), u"\u001A\u001C\u007F") << "cp " << cp;
        EXPECT_EQ(WideToAnsi(u"\u001A", cp), "\x1A") << "cp " << cp;
    }
}

TEST(CodePageTest, EmptyTextAndNulStopBothDirections) {
    EXPECT_EQ(WideToAnsi(u"", 1251), "");
    EXPECT_EQ(AnsiToWide("", 1251), u"");
    EXPECT_EQ(WideToAnsi(std::u16string(u"AB\0CD", 5), 1252), "AB");
    EXPECT_EQ(AnsiToWide(std::string("AB\0CD", 5), 1252), u"AB");
    EXPECT_EQ(WideToAnsi(std::u16string(u"\0CD", 3), 1252), "");
    // The slow (normalising) path stops at the NUL too.
    EXPECT_EQ(WideToAnsi(std::u16string(u"e\u0301\0e\u0301", 5), 1252), "\xE9");
}

TEST(CodePageTest, DecomposedInputIsComposedFirst) {
    // Single-byte text with a letter and a stored combining mark comes back precomposed.
    EXPECT_EQ(WideToAnsi(AnsiToWide("a\xCC", 1258), 1258), "\xE0");
    // NFD short i (и + combining breve) is one byte in 1251, not E8 3F.
    EXPECT_EQ(WideToAnsi(u"\u0438\u0306", 1251), "\xE9");
    EXPECT_EQ(WideToAnsi(u"\u0418\u0306\u043E\u0433", 1251), "\xC9\xEE\xE3");
    EXPECT_EQ(WideToAnsi(u"Cafe\u0301", 1252), "Caf\xE9");
    // A mark that neither composes nor exists in the code page is dropped after its letter.
    EXPECT_EQ(WideToAnsi(u"q\u0303x", 1252), "qx");
}

TEST(CodePageTest, MissingCharactersBecomeLookAlikesOrQuestionMarks) {
    EXPECT_EQ(WideToAnsi(u"\u0100", 1252), "A");     // A with macron
    EXPECT_EQ(WideToAnsi(u"\u1EA0bc", 1252), "Abc"); // A with dot below
    EXPECT_EQ(WideToAnsi(u"\u0100", 1251), "A");
    EXPECT_EQ(WideToAnsi(u"\u01D8", 1252),
              "\xFC"); // u diaeresis acute: the longest part that exists
    EXPECT_EQ(WideToAnsi(u"\u212B", 1252), "\xC5"); // Angstrom sign is A-ring
    // Vietnamese letters missing from 1258 become a letter and the code page's combining marks,
    // on both the table and the normalising path.
    EXPECT_EQ(WideToAnsi(u"\u1EBF", 1258), "\xEA\xEC");
    EXPECT_EQ(WideToAnsi(u"Vi\u1EC7t", 1258), "Vi\xEA\xF2t");
    EXPECT_EQ(WideToAnsi(u"e\u0302\u0301", 1258), "\xEA\xEC");
    EXPECT_EQ(AnsiToWide("\xEA\xEC", 1258), u"\u00EA\u0301");
    EXPECT_EQ(WideToAnsi(u"\u4E2D\u6587", 1251), "??");            // CJK has no look-alike
    EXPECT_EQ(WideToAnsi(u"\u0416", 1252), "?");                   // Cyrillic in a Western page
    EXPECT_EQ(WideToAnsi(U16("x\xF0\x9F\x98\x80y"), 1252), "x?y"); // one '?' per code point
    EXPECT_EQ(WideToAnsi(std::u16string(1, char16_t{0xD800}) + u"a", 1252), "?a");
}

TEST(CodePageTest, ActiveCodePageIsUsedForCodePageZero) {
    ActiveCodePageGuard guard;
    SetActiveCodePage(1251);
    EXPECT_EQ(AnsiToWide("\xC0"), u"\u0410");
    EXPECT_EQ(WideToAnsi(u"\u0410"), "\xC0");
    SetActiveCodePage(1252);
    EXPECT_EQ(AnsiToWide("\xC0"), u"\u00C0");
    EXPECT_EQ(WideToAnsi(u"\u0410"), "?");
    EXPECT_THROW(SetActiveCodePage(437), std::invalid_argument);
    EXPECT_EQ(ActiveCodePage(), 1252);
    EXPECT_THROW(WideToAnsi(u"a", 65001), std::invalid_argument);
}

TEST(CodePageTest, UpperCaseFollowsTheCodePageLetters) {
    EXPECT_EQ(AnsiUpperCase("gui:\xEF\xF0\xE8\xE2\xE5\xF2 \xB8\xA2\xB3", 1251),
              "GUI:\xCF\xD0\xC8\xC2\xC5\xD2 \xA8\xA1\xB2");
    EXPECT_EQ(AnsiUpperCase("\xB5", 1252), "\xB5"); // micro sign: its capital is not in 1252
    EXPECT_EQ(AnsiUpperCase("\xFF", 1252), "\x9F"); // y diaeresis -> U+0178 at 0x9F
    EXPECT_EQ(AnsiUpperCase("\xDF", 1252), "\xDF"); // sharp s has no single capital
    EXPECT_EQ(AnsiUpperCase("\xE0\xE9", 1252), "\xC0\xC9");
    EXPECT_EQ(AnsiUpperCase("\xE1", 1253), "\xC1"); // Greek alpha
    EXPECT_EQ(AnsiUpperCase(std::string("a\0b", 3), 1252), std::string("A\0B", 3));
    EXPECT_EQ(AnsiUpperCase("", 1252), "");
}

TEST(CodePageTest, LocaleChoosesTheCodePage) {
    // The language part alone decides, whatever territory, encoding or modifier follows.
    EXPECT_EQ(CodePageForLocale("ru_RU.UTF-8"), 1251);
    EXPECT_EQ(CodePageForLocale("sr_RS@latin"), 1251);
    EXPECT_EQ(CodePageForLocale("pl-PL"), 1250);
    EXPECT_EQ(CodePageForLocale("LT_lt"), 1257);
    EXPECT_EQ(CodePageForLocale("th"), 874);
    EXPECT_EQ(CodePageForLocale("en_US.UTF-8"), 1252);
    EXPECT_EQ(CodePageForLocale("C.UTF-8"), 1252);
    EXPECT_EQ(CodePageForLocale(""), 1252);
    EXPECT_EQ(CodePageForLocale("rus"), 1252); // a language code is matched whole
}

TEST(CodePageTest, EnvironmentChoosesTheCodePage) {
    ActiveCodePageGuard guard;
    const auto get = [](const char* name) {
        const char* v = std::getenv(name);
        return v ? std::optional<std::string>(v) : std::nullopt;
    };
    const auto savedCp = get("VSTE_CODEPAGE"), savedAll = get("LC_ALL");
    SetEnv("VSTE_CODEPAGE", "1257");
    SetEnv("LC_ALL", "ru_RU.UTF-8");
    InitActiveCodePageFromEnvironment();
    EXPECT_EQ(ActiveCodePage(), 1257);
    SetEnv("VSTE_CODEPAGE", "bogus"); // an unusable value falls back to the locale
    InitActiveCodePageFromEnvironment();
    EXPECT_EQ(ActiveCodePage(), FromLocale(1251));
    UnsetEnv("VSTE_CODEPAGE");
    SetEnv("LC_ALL", "el_GR");
    InitActiveCodePageFromEnvironment();
    EXPECT_EQ(ActiveCodePage(), FromLocale(1253));
    savedCp ? SetEnv("VSTE_CODEPAGE", savedCp->c_str()) : UnsetEnv("VSTE_CODEPAGE");
    savedAll ? SetEnv("LC_ALL", savedAll->c_str()) : UnsetEnv("LC_ALL");
}

TEST(CodePageTest, WithoutAnyCodePageVariableTheActiveCodePageIs1252) {
    ActiveCodePageGuard guard;
    SetActiveCodePage(1251);
    const char* names[] = {"VSTE_CODEPAGE", "LC_ALL", "LC_CTYPE", "LANG"};
    std::vector<std::optional<std::string>> saved;
    for (const char* name : names) {
        const char* v = std::getenv(name);
        saved.push_back(v ? std::optional<std::string>(v) : std::nullopt);
        UnsetEnv(name);
    }
    InitActiveCodePageFromEnvironment();
    EXPECT_EQ(ActiveCodePage(), FromLocale(1252));
    for (std::size_t i = 0; i < saved.size(); ++i)
        if (saved[i])
            SetEnv(names[i], saved[i]->c_str());
}

TEST(CodePageTest, Utf8ConversionAtEverySequenceLengthBoundary) {
    const std::pair<std::u16string, std::string> cases[] = {
        {u"\u007F", "\x7F"},         {u"\u0080", "\xC2\x80"},
        {u"\u07FF", "\xDF\xBF"},     {u"\u0800", "\xE0\xA0\x80"},
        {u"\uFFFF", "\xEF\xBF\xBF"}, {u"\U00010000", "\xF0\x90\x80\x80"},
    };
    for (const auto& [utf16, utf8] : cases) {
        EXPECT_EQ(Utf16ToUtf8(utf16), utf8);
        EXPECT_EQ(Utf8ToUtf16(utf8), utf16);
    }
}

TEST(CodePageTest, TablesBuildSafelyFromSeveralThreads) {
    std::vector<std::thread> threads;
    std::vector<std::string> results(8);
    for (int i = 0; i < 8; ++i)
        threads.emplace_back(
            [&results, i] { results[static_cast<std::size_t>(i)] = WideToAnsi(u"\u0E01", 874); });
    for (auto& t : threads)
        t.join();
    for (const auto& r : results)
        EXPECT_EQ(r, "\xA1");
}

TEST(CodePageTest, Utf8AndUtf16Convert) {
    EXPECT_EQ(Utf16ToUtf8(u"A\u0416\u4E2D"), "A\xD0\x96\xE4\xB8\xAD");
    EXPECT_EQ(Utf8ToUtf16("A\xD0\x96\xE4\xB8\xAD"), u"A\u0416\u4E2D");
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), u"\U0001F600");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t{0xDC00}) + u"x"), "\xEF\xBF\xBDx");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t{0xD800})), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToUtf16("a\xFF"
                          "b\xE4\xB8"),
              u"a\uFFFDb\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD"); // encoded surrogate
    EXPECT_EQ(Utf16ToUtf8(std::u16string(u"a\0b", 3)), std::string("a\0b", 3));
}
