// SPDX-License-Identifier: MIT
// The fuzzy index finds exactly what comparing every unit finds.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "translation/FuzzyIndex.h"

using namespace vste;

namespace {

// Every source, scored one by one, best first, ties in order.
std::vector<FuzzyMatch> BruteForce(const std::vector<std::u16string>& sources,
                                   std::u16string_view text, int minScore, std::size_t most) {
    std::vector<FuzzyMatch> all;
    const std::u32string query = CodePoints(text);
    for (std::uint32_t u = 0; u < sources.size(); ++u) {
        const std::u32string s = CodePoints(sources[u]);
        const int score = MatchScore(EditDistance(query, s), query.size(), s.size());
        if (score >= minScore)
            all.push_back({u, score});
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const FuzzyMatch& a, const FuzzyMatch& b) { return a.score > b.score; });
    if (all.size() > most)
        all.resize(most);
    return all;
}

std::u16string RandomText(std::mt19937& rng, std::size_t maxLength) {
    // Few letters, so that texts resemble each other; one outside the BMP and one past Latin-1.
    static const std::u16string letters[] = {u"a", u"b", u"c", u" ", u"\u0416", u"\U0001F600"};
    std::u16string text;
    const std::size_t length = rng() % (maxLength + 1);
    for (std::size_t i = 0; i < length; ++i)
        text += letters[rng() % 6];
    return text;
}

} // namespace

TEST(FuzzyIndexTest, ScoresFollowTheFormulaOverCodePoints) {
    EXPECT_EQ(EditDistance(U"kitten", U"sitting"), 3u);
    EXPECT_EQ(MatchScore(3, 6, 7), 57); // floor(100 * (1 - 3/7))
    EXPECT_EQ(MatchScore(0, 0, 0), 100);
    EXPECT_EQ(CodePoints(u"a\U0001F600").size(), 2u);
    const std::vector<std::u16string> sources{u"Attack now", u"attack now", u"Attack now!"};
    const FuzzyIndex index(sources);
    const auto found = index.search(u"Attack now", 0, 10);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].unit, 0u);
    EXPECT_EQ(found[0].score, 100);
    EXPECT_EQ(found[1].unit, 1u); // 90, before the 90 of unit 2: ties keep the order
    EXPECT_EQ(found[1].score, 90);
    EXPECT_EQ(found[2].score, 90);
}

TEST(FuzzyIndexTest, RandomMemoriesGiveWhatAScanOfEveryUnitGives) {
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::u16string> sources(rng() % 40);
        for (auto& s : sources)
            s = RandomText(rng, round % 50 == 49 ? 200 : 1 + round % 12);
        if (!sources.empty() && rng() % 2)
            sources.push_back(sources[rng() % sources.size()]); // a repeated source
        const FuzzyIndex index(sources);
        for (int q = 0; q < 10; ++q) {
            // In the rounds of long sources, long queries too: past one block of 64, and
            // against many sources, so that the best found early raise the bar for the rest.
            const std::size_t length = round % 50 == 49 && q % 2 ? 200 : 1 + round % 12;
            const std::u16string text = q % 3 == 0 && !sources.empty()
                                            ? sources[rng() % sources.size()]
                                            : RandomText(rng, length);
            const int minScore = static_cast<int>(rng() % 102);
            const std::size_t most = 1 + rng() % 8;
            const auto fast = index.search(text, minScore, most);
            const auto slow = BruteForce(sources, text, minScore, most);
            ASSERT_EQ(fast.size(), slow.size()) << "round " << round << " min " << minScore;
            for (std::size_t i = 0; i < fast.size(); ++i) {
                EXPECT_EQ(fast[i].unit, slow[i].unit) << "round " << round;
                EXPECT_EQ(fast[i].score, slow[i].score) << "round " << round;
            }
        }
    }
}

TEST(FuzzyIndexTest, LongTextsBeyondSixtyFourCodePointsAreScoredToo) {
    std::mt19937 rng(11);
    for (int round = 0; round < 200; ++round) {
        const std::vector<std::u16string> sources{RandomText(rng, 300), RandomText(rng, 300)};
        const std::u16string text = RandomText(rng, 300);
        const auto fast = FuzzyIndex(sources).search(text, 0, 2);
        const auto slow = BruteForce(sources, text, 0, 2);
        ASSERT_EQ(fast.size(), slow.size());
        for (std::size_t i = 0; i < fast.size(); ++i)
            EXPECT_EQ(fast[i].score, slow[i].score) << "round " << round;
    }
    const std::u16string base(100, u'a');
    std::u16string near = base;
    near[50] = u'b';
    const std::vector<std::u16string> sources{near, std::u16string(70, u'a')};
    const auto found = FuzzyIndex(sources).search(base, 70, 5);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].score, 99);
    EXPECT_EQ(found[1].score, 70);
}

TEST(FuzzyIndexTest, AMemoryLargeEnoughToBeSearchedOnTwoThreadsGivesTheSameResult) {
    std::mt19937 rng(5);
    std::vector<std::u16string> sources(40000);
    for (auto& s : sources)
        s = RandomText(rng, 14);
    const FuzzyIndex index(sources);
    for (int q = 0; q < 12; ++q) {
        const std::u16string text = RandomText(rng, 14);
        const int minScore = 40 + 5 * q;
        const std::size_t most = 1 + q % 7;
        const auto fast = index.search(text, minScore, most);
        const auto slow = BruteForce(sources, text, minScore, most);
        ASSERT_EQ(fast.size(), slow.size()) << q;
        for (std::size_t i = 0; i < fast.size(); ++i) {
            EXPECT_EQ(fast[i].unit, slow[i].unit) << q;
            EXPECT_EQ(fast[i].score, slow[i].score) << q;
        }
    }
}

TEST(FuzzyIndexTest, SentencesSharingTheirBeginningsGiveWhatAScanGivesInBothStorages) {
    // Sentences of a few words share their beginnings, as the index's sorted sources reuse; up to
    // 130 code points, past one block of 64. A source of 300 different characters makes the
    // index keep code points instead of one-byte symbols.
    static const std::u16string words[] = {u"the",    u"enemy", u"base", u"is",    u"under",
                                           u"attack", u"our",   u"unit", u"ready", u"power"};
    std::mt19937 rng(13);
    const auto sentence = [&rng] {
        std::u16string text;
        for (std::size_t w = 0, count = 2 + rng() % 19; w < count; ++w)
            text += (w ? u" " : u"") + words[rng() % 10];
        return text;
    };
    for (const bool wide : {false, true}) {
        std::vector<std::u16string> sources(3000);
        for (auto& s : sources)
            s = sentence();
        if (wide) {
            std::u16string many;
            for (char16_t c = 0x4E00; c < 0x4E00 + 300; ++c)
                many += c;
            sources.push_back(many);
        }
        const FuzzyIndex index(sources);
        for (int q = 0; q < 40; ++q) {
            std::u16string text = q % 2 ? sentence() : sources[rng() % sources.size()];
            if (q % 4 == 0 && !text.empty())
                text[rng() % text.size()] = q % 8 ? u'x' : u'\u4E01'; // a letter retyped
            const int minScore = 50 + static_cast<int>(rng() % 51);
            const std::size_t most = 1 + rng() % 9;
            const auto fast = index.search(text, minScore, most);
            const auto slow = BruteForce(sources, text, minScore, most);
            ASSERT_EQ(fast.size(), slow.size()) << "query " << q << (wide ? " wide" : " narrow");
            for (std::size_t i = 0; i < fast.size(); ++i) {
                EXPECT_EQ(fast[i].unit, slow[i].unit) << "query " << q;
                EXPECT_EQ(fast[i].score, slow[i].score) << "query " << q;
            }
        }
    }
}
