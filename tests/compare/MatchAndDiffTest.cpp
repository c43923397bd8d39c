// SPDX-License-Identifier: MIT
// Matching names ignoring case through the code page, and the comparison of two tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "compare/CompareTestSupport.h"
#include "compare/NameIndex.h"
#include "compare/TableDiff.h"

using namespace vste;
using namespace vste::test;

namespace {

std::vector<std::uint32_t> Indexes(std::initializer_list<std::uint32_t> list) {
    return list;
}

} // namespace

TEST(NameMatching, CyrillicNamesMatchIgnoringCaseUnderTheirCodePageOnly) {
    const TCSFBody a = {Str(Cp1251(u"GUI:Привет"), u"a"), Str(Cp1251(u"ЁЛКА"), u"b"),
                        Str("Plain", u"c")};
    const TCSFBody b = {Str("plain", u"c"), Str(Cp1251(u"gui:ПРИВЕТ"), u"a"),
                        Str(Cp1251(u"ёлка"), u"b")};
    const NameMatch under1251 = MatchByName(a, b, 1251);
    EXPECT_EQ(under1251.toB, Indexes({1, 2, 0}));
    EXPECT_EQ(under1251.toA, Indexes({2, 0, 1}));

    // Under 1252 the bytes of Ё and ё are two signs without case, so those names differ there.
    const NameMatch under1252 = MatchByName(a, b, 1252);
    EXPECT_EQ(under1252.toB[2], 0u);
    EXPECT_EQ(under1252.toB[1], kNoString);

    const NameIndex index(b, 1251);
    std::string scratch;
    EXPECT_EQ(index.find(Cp1251(u"Gui:привет"), scratch), 1u);
    EXPECT_EQ(index.find("nothing", scratch), kNoString);
}

TEST(NameMatching, DuplicatedNamesPairInTableOrderAndTheSurplusStaysAlone) {
    const TCSFBody a = {Str("X", u"1"), Str("y", u"2"), Str("x", u"3"), Str("x", u"4")};
    const TCSFBody b = {Str("x", u"b1"), Str("X", u"b2"), Str("Y", u"b3"), Str("y", u"b4")};
    const NameMatch m = MatchByName(a, b, 1252);
    EXPECT_EQ(m.toB, Indexes({0, 2, 1, kNoString}));
    EXPECT_EQ(m.toA, Indexes({0, 2, 1, kNoString}));
}

TEST(TableDiffing, IdenticalReorderedDisjointAndChangedTables) {
    const TCSFBody a = {Str("GUI:OK", u"OK"), Str("GUI:Quit", {{u"Quit", "snd"}, {u"Bye"}}),
                        Str("MAP:A", u"Arctic")};
    EXPECT_TRUE(DiffTables(a, a, 1252).identical());
    const TCSFBody reordered = {a[2], a[0], a[1]};
    EXPECT_TRUE(DiffTables(a, reordered, 1252).identical());

    const TCSFBody disjoint = {Str("X", u"OK"), Str("Y", u"Arctic")};
    const TableDiff apart = DiffTables(a, disjoint, 1252);
    EXPECT_EQ(apart.onlyInA, Indexes({0, 1, 2}));
    EXPECT_EQ(apart.onlyInB, Indexes({0, 1}));
    EXPECT_TRUE(apart.changed.empty());

    // Changed by a value, by an extra value, by the value count, and by the name's case alone.
    const TCSFBody cases[] = {
        {Str("GUI:OK", u"Ok"), a[1], a[2]},
        {a[0], Str("GUI:Quit", {{u"Quit", "snd2"}, {u"Bye"}}), a[2]},
        {a[0], Str("GUI:Quit", {{u"Quit", "snd"}}), a[2]},
        {a[0], a[1], Str("map:a", u"Arctic")},
    };
    const std::uint32_t changedAt[] = {0, 1, 1, 2};
    for (std::size_t c = 0; c < std::size(cases); ++c) {
        const TableDiff diff = DiffTables(a, cases[c], 1252);
        EXPECT_FALSE(diff.identical()) << c;
        ASSERT_EQ(diff.changed.size(), 1u) << c;
        EXPECT_EQ(diff.changed[0].a, changedAt[c]);
        EXPECT_EQ(diff.changed[0].b, changedAt[c]);
        EXPECT_TRUE(diff.onlyInA.empty() && diff.onlyInB.empty()) << c;
    }
}

// Shuffled copies with some names re-cased, some values edited, some strings dropped from
// either side: the diff must find exactly those, wherever they moved.
TEST(TableDiffing, RandomEditsOfAShuffledCopyAreFoundExactly) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    TCSFBody a;
    for (int i = 0; i < 400; ++i)
        a.push_back(Str("Cat" + std::to_string(i % 7) + ":name" + std::to_string(i),
                        std::u16string(1 + rng() % 4, static_cast<char16_t>(u'a' + rng() % 26))));
    std::vector<int> kind(a.size()); // 0 same, 1 re-cased, 2 edited, 3 dropped from B
    TCSFBody b;
    for (std::size_t i = 0; i < a.size(); ++i) {
        kind[i] = static_cast<int>(rng() % 4);
        TText t = a[i];
        if (kind[i] == 1)
            std::transform(t.Name.begin(), t.Name.end(), t.Name.begin(), ::toupper);
        if (kind[i] == 2)
            t.Values[0].Value += u'!';
        if (kind[i] != 3)
            b.push_back(std::move(t));
    }
    b.push_back(Str("OnlyB:x", u"x"));
    std::shuffle(b.begin(), b.end(), rng);

    const TableDiff diff = DiffTables(a, b, 1252);
    std::vector<std::uint32_t> changed, onlyA;
    for (std::uint32_t i = 0; i < a.size(); ++i) {
        if (kind[i] == 1 || kind[i] == 2)
            changed.push_back(i);
        if (kind[i] == 3)
            onlyA.push_back(i);
    }
    EXPECT_EQ(diff.onlyInA, onlyA);
    ASSERT_EQ(diff.onlyInB.size(), 1u);
    EXPECT_EQ(b[diff.onlyInB[0]].Name, "OnlyB:x");
    ASSERT_EQ(diff.changed.size(), changed.size());
    for (std::size_t k = 0; k < changed.size(); ++k) {
        EXPECT_EQ(diff.changed[k].a, changed[k]);
        EXPECT_EQ(AnsiUpperCase(b[diff.changed[k].b].Name, 1252),
                  AnsiUpperCase(a[changed[k]].Name, 1252));
    }
}
