// SPDX-License-Identifier: MIT
// Plain-text search ignoring case on ASCII text, which takes a shortcut past ICU's folding: every
// letter meets its other case, and the search resumes after a match, never inside it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/Matcher.h"

using namespace vste::search;

namespace {

std::vector<std::pair<std::uint32_t, std::uint32_t>>
Spans(std::u16string pattern, std::u16string_view text, bool matchCase = false) {
    SearchOptions options;
    options.pattern = std::move(pattern);
    options.matchCase = matchCase;
    Matcher matcher(options);
    std::vector<Span> spans;
    matcher.find(text, spans);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> out;
    for (const Span& s : spans)
        out.emplace_back(s.start, s.length);
    return out;
}

using Expected = std::vector<std::pair<std::uint32_t, std::uint32_t>>;

class EveryAsciiLetterTest : public ::testing::TestWithParam<char16_t> {};

TEST_P(EveryAsciiLetterTest, FindsItsOtherCaseUnlessCaseMatters) {
    const char16_t upper = GetParam();
    const auto lower = static_cast<char16_t>(upper + (u'a' - u'A'));
    const std::u16string text = {u'-', upper, lower, u'-'};
    EXPECT_EQ(Spans({lower}, text), (Expected{{1, 1}, {2, 1}}));
    EXPECT_EQ(Spans({upper}, text), (Expected{{1, 1}, {2, 1}}));
    EXPECT_EQ(Spans({upper}, text, true), (Expected{{1, 1}}));
    // The letters just outside A-Z and a-z fold to nothing but themselves.
    EXPECT_TRUE(Spans({lower}, u"@[`{").empty());
}

INSTANTIATE_TEST_SUITE_P(AToZ, EveryAsciiLetterTest,
                         ::testing::Range(char16_t(u'A'), char16_t(u'Z' + 1)),
                         [](const auto& info) {
                             return std::string(1, static_cast<char>(info.param));
                         });

TEST(PlainCaseFold, WordsWithZFindTheirOtherCase) {
    EXPECT_EQ(Spans(u"zone", u"Zone ZONE zone"), (Expected{{0, 4}, {5, 4}, {10, 4}}));
    EXPECT_EQ(Spans(u"ZONE", u"Ozone"), (Expected{{1, 4}}));
}

struct RepeatCase {
    const char* name;
    const char16_t* pattern;
    const char16_t* text;
    Expected spans;
};

class MatchesDoNotOverlapTest : public ::testing::TestWithParam<RepeatCase> {};

TEST_P(MatchesDoNotOverlapTest, TheSearchResumesAfterTheWholeMatchInEveryCaseMode) {
    const RepeatCase& c = GetParam();
    EXPECT_EQ(Spans(c.pattern, c.text), c.spans);
    EXPECT_EQ(Spans(c.pattern, c.text, true), c.spans);
}

INSTANTIATE_TEST_SUITE_P(
    RepeatedText, MatchesDoNotOverlapTest,
    ::testing::Values(RepeatCase{"AaInAaaa", u"aa", u"aaaa", {{0, 2}, {2, 2}}},
                      RepeatCase{"AaInAaaaa", u"aa", u"aaaaa", {{0, 2}, {2, 2}}},
                      RepeatCase{"AbaInAbaba", u"aba", u"ababa", {{0, 3}}},
                      RepeatCase{"CyrillicPairs", u"жж", u"жжжж", {{0, 2}, {2, 2}}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
