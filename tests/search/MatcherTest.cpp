// SPDX-License-Identifier: MIT
// The matching engine on single texts: case folding, whole words, empty matches, groups, errors,
// and a randomized check that plain-text search agrees with the regular expression engine.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "encoding/CodePage.h"
#include "search/Matcher.h"
#include "support/TestSupport.h"

using namespace vste;
using namespace vste::search;
using vste::test::U16;

namespace {

struct FindCase {
    const char* pattern;
    const char* text;
    bool regex;
    bool matchCase;
    bool wholeWord;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> spans; // UTF-16 start, length
};

std::vector<std::pair<std::uint32_t, std::uint32_t>> FindSpans(const SearchOptions& options,
                                                               const std::u16string& text) {
    Matcher matcher(options);
    std::vector<Span> spans;
    matcher.find(text, spans);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> out;
    for (const Span& s : spans)
        out.emplace_back(s.start, s.length);
    return out;
}

class FindTest : public ::testing::TestWithParam<FindCase> {};

} // namespace

TEST_P(FindTest, FindsExactlyTheExpectedSpans) {
    const FindCase& c = GetParam();
    SearchOptions options;
    options.pattern = U16(c.pattern);
    options.regex = c.regex;
    options.matchCase = c.matchCase;
    options.wholeWord = c.wholeWord;
    EXPECT_EQ(FindSpans(options, U16(c.text)), c.spans)
        << "pattern \"" << c.pattern << "\" in \"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    CaseFoldingWholeWordsAndEmptyMatches, FindTest,
    ::testing::Values(
        // Cyrillic folds like Latin, and match case keeps them apart.
        FindCase{"привет", "ПРИВЕТ, Привет", false, false, false, {{0, 6}, {8, 6}}},
        FindCase{"привет", "ПРИВЕТ, Привет", false, true, false, {}},
        FindCase{"ЁЛКА", "ёлка", true, false, false, {{0, 4}}},
        // German ß folds to ss, both ways; half of it is no match.
        FindCase{"strasse", "Die Straße", false, false, false, {{4, 6}}},
        FindCase{"s", "ß", false, false, false, {}},
        // Turkish dotted capital I folds to i + combining dot, not to a plain i; dotless i is
        // a letter of its own.
        FindCase{"i̇", "İstanbul", false, false, false, {{0, 1}}},
        FindCase{"istanbul", "İstanbul", false, false, false, {}},
        FindCase{"ı", "I", false, false, false, {}},
        // Whole words: the edges of the text, punctuation and underscores.
        FindCase{
            "cat", "cat concat cat_ (cat). cat", false, false, true, {{0, 3}, {17, 3}, {23, 3}}},
        FindCase{"-x", "a-x -xy", false, true, true, {{1, 2}}},
        FindCase{"Überall", "überall-Überallzeit", false, false, true, {{0, 7}}},
        // Empty matches: each position once, after a match too.
        FindCase{"^", "abc", true, false, false, {{0, 0}}},
        FindCase{"a*", "baa", true, false, false, {{0, 0}, {1, 2}, {3, 0}}},
        FindCase{"\\b", "ab c", true, false, false, {{0, 0}, {2, 0}, {3, 0}, {4, 0}}},
        FindCase{"x*", "ab", true, false, true, {{0, 0}, {2, 0}}},
        // Whole words around a pattern that ends inside \Q..., inside a (?x) comment, or in a
        // class holding a parenthesis: the word guards still apply to what the pattern means.
        FindCase{"\\QOK", "OK OKAY (OK)", true, true, true, {{0, 2}, {9, 2}}},
        FindCase{"\\Qa)b", "a)b a)bc", true, true, true, {{0, 3}}},
        FindCase{"(?x) O K # the answer", "OK OKAY", true, true, true, {{0, 2}}},
        FindCase{"[)]x", ")x )xy", true, true, true, {{0, 2}}},
        // A surrogate pair is one character and is never split.
        FindCase{"😀", "a😀b😀", false, false, false, {{1, 2}, {4, 2}}},
        FindCase{".", "😀", true, true, false, {{0, 2}}}));

TEST(MatcherTest, ReplacementInsertsGroupsOnlyInRegexModeAndEmptyMatchesTerminate) {
    const auto replace = [](const char16_t* pattern, bool regex, const char16_t* replacement,
                            const char16_t* text, std::size_t count) {
        SearchOptions options;
        options.pattern = pattern;
        options.regex = regex;
        Matcher matcher(options);
        matcher.setReplacement(replacement);
        std::size_t replaced = 0;
        std::u16string result = matcher.replace(text, replaced);
        EXPECT_EQ(replaced, count) << Utf16ToUtf8(pattern);
        return result;
    };
    EXPECT_EQ(
        replace(u"(\\w+)@(?<host>\\w+)", true, u"$2 at $1 (${host}, \\$1, $0, $10)",
                u"mail ann@home, bob@work", 2),
        u"mail home at ann (home, $1, ann@home, ann0), work at bob (work, $1, bob@work, bob0)");
    EXPECT_EQ(replace(u"(x)", true, u"$1", u"nothing here", 0), u"nothing here");
    EXPECT_EQ(replace(u"a*", true, u"-", u"baa", 3), u"-b--");
    EXPECT_EQ(replace(u"STRASSE", false, u"$1 road", u"Große Straße 5", 1), u"Große $1 road 5");

    SearchOptions options;
    options.pattern = u"(a)";
    options.regex = true;
    Matcher matcher(options);
    EXPECT_THROW(matcher.setReplacement(u"$2"), PatternError);
    EXPECT_THROW(matcher.setReplacement(u"${nope}"), PatternError);
    EXPECT_THROW(matcher.setReplacement(u"cost: 5$"), PatternError);
    // The whole group reference is named, not its first digit.
    try {
        matcher.setReplacement(u"x$99y");
        ADD_FAILURE() << "$99 accepted";
    } catch (const PatternError& e) {
        EXPECT_NE(std::string(e.what()).find("$99 names a group"), std::string::npos) << e.what();
        EXPECT_EQ(e.offset(), 1);
    }
}

// Past its deadline a search stops with an error naming the pattern, before the next text and
// in the middle of a catastrophic regular expression on one text.
TEST(MatcherTest, ASearchPastItsDeadlineStopsNamingThePattern) {
    for (const bool regex : {false, true}) {
        SearchOptions options;
        options.pattern = regex ? u"(a+)+$" : u"a";
        options.regex = regex;
        Matcher matcher(options);
        std::vector<Span> spans;
        matcher.find(u"aa", spans);
        EXPECT_EQ(spans.size(), regex ? 1u : 2u);
        matcher.setDeadline(Matcher::Clock::now() - std::chrono::seconds(1));
        try {
            matcher.find(u"aa", spans);
            ADD_FAILURE() << "a search past its deadline went on";
        } catch (const TimeLimitError& e) {
            EXPECT_NE(std::string(e.what()).find(Utf16ToUtf8(options.pattern)), std::string::npos)
                << e.what();
        }
    }
    SearchOptions options;
    options.pattern = u"(a+)+$";
    options.regex = true;
    Matcher matcher(options);
    matcher.setDeadline(Matcher::Clock::now() + std::chrono::milliseconds(100));
    std::vector<Span> spans;
    EXPECT_THROW(matcher.find(std::u16string(40, u'a') + u"!", spans), TimeLimitError);
}

TEST(MatcherTest, UnusablePatternsReportMessageAndPosition) {
    const auto errorOf = [](const std::u16string& pattern, bool regex, bool wholeWord) {
        SearchOptions options;
        options.pattern = pattern;
        options.regex = regex;
        options.wholeWord = wholeWord;
        try {
            Matcher matcher(options);
        } catch (const PatternError& e) {
            return std::pair<std::string, int>(e.what(), e.offset());
        }
        return std::pair<std::string, int>("accepted", -100);
    };
    const auto unclosed = errorOf(u"ab[c", true, false);
    EXPECT_NE(unclosed.first.find("U_REGEX_MISSING_CLOSE_BRACKET"), std::string::npos);
    EXPECT_GE(unclosed.second, 2);
    // The whole-word form of a pattern reports the same position as the pattern itself.
    EXPECT_GE(errorOf(u"a)b", true, false).second, 1);
    EXPECT_EQ(errorOf(u"a)b", true, true), errorOf(u"a)b", true, false));
    EXPECT_EQ(errorOf(u"", true, false).second, 0);
    EXPECT_EQ(errorOf(u"", false, false).second, 0);
}

// Plain text search (the fast path, with its own folding and word edges) must find what the
// regular expression engine finds for the same text written as a literal.
TEST(MatcherTest, PlainSearchAgreesWithTheRegexEngineOnRandomTexts) {
    const std::uint32_t seed = std::random_device{}();
    std::mt19937 rng(seed);
    const std::vector<std::u16string> pieces = {
        u"a", u"A",      u"s",       u"S", u"ß",      u"ẞ", u"i", u"I", u"İ",
        u"ı", u"\u0307", u"ж",       u"Ж", u" ",      u"-", u"_", u".", u"1",
        u"😀", u"é",      u"e\u0301", u"K", u"\u212A", u"ǅ", u"ﬀ", u"f"};
    const auto randomText = [&](int maxPieces) {
        std::u16string s;
        const int n = static_cast<int>(rng() % static_cast<unsigned>(maxPieces)) + 1;
        for (int i = 0; i < n; ++i)
            s += pieces[rng() % pieces.size()];
        return s;
    };
    for (int round = 0; round < 3000; ++round) {
        const std::u16string text = randomText(12);
        SearchOptions plain;
        plain.pattern = randomText(3);
        plain.matchCase = rng() % 3 == 0;
        plain.wholeWord = rng() % 2 == 0;
        SearchOptions regex = plain;
        regex.regex = true;
        regex.pattern = u"\\Q" + plain.pattern + u"\\E";
        ASSERT_EQ(FindSpans(plain, text), FindSpans(regex, text))
            << "seed " << seed << ", round " << round << ": pattern \""
            << Utf16ToUtf8(plain.pattern) << "\" in \"" << Utf16ToUtf8(text) << "\", match case "
            << plain.matchCase << ", whole word " << plain.wholeWord;
    }
}
