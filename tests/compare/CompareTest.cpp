// SPDX-License-Identifier: MIT
// Matching names ignoring case, the comparison of two tables, the three-way update of a
// translation, and a document's status against a reference.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "compare/CompareTestSupport.h"
#include "compare/ReferenceStatus.h"
#include "compare/TableDiff.h"
#include "compare/TranslationUpdate.h"
#include "core/CompiledStrings.h"
#include "core/EmpireAtWarStrings.h"

using namespace vste;
using namespace vste::test;

namespace {

using Ix = std::vector<std::uint32_t>;

std::string C1251(const char16_t* text) {
    return WideToAnsi(text, 1251);
}

std::vector<std::string> Names(const TCSFBody& body) {
    std::vector<std::string> names;
    for (const TText& t : body)
        names.push_back(t.Name);
    return names;
}

struct ThreeTables {
    TCSFBody oldSource = {Str("Same", u"Same"), Str("Edited", u"Old text"), Str("Gone", u"Gone"),
                          Str("GoneToo", u"x")};
    TCSFBody newSource = {Str("NewOne", {{u"Brand new", "snd"}}), Str("EDITED", u"New text"),
                          Str("same", u"Same"), Str("NotInOld", u"Fresh")};
    TCompiledStrings translation;

    ThreeTables() {
        translation.Version = 2;
        translation.StringCount = 100; // kept apart from the value count on purpose
        translation.Body = {Str("Same", u"Тот же"), Str("Gone", u"Ушёл"),
                            Str("Edited", {{u"Старый", "x"}, {u"два"}}),
                            Str("NotInOld", u"Перевод")};
    }
};

} // namespace

TEST(NameMatching, CyrillicNamesMatchIgnoringCaseUnderTheirCodePageOnly) {
    const TCSFBody a = {Str(C1251(u"GUI:Привет"), u"a"), Str(C1251(u"ЁЛКА"), u"b"),
                        Str("Plain", u"c")};
    const TCSFBody b = {Str("plain", u"c"), Str(C1251(u"gui:ПРИВЕТ"), u"a"),
                        Str(C1251(u"ёлка"), u"b")};
    const NameMatch under1251 = MatchByName(a, b, 1251);
    EXPECT_EQ(under1251.toB, Ix({1, 2, 0}));
    EXPECT_EQ(under1251.toA, Ix({2, 0, 1}));

    // Under 1252 the bytes of Ё and ё are two signs without case, so those names differ there.
    const NameMatch under1252 = MatchByName(a, b, 1252);
    EXPECT_EQ(under1252.toB[2], 0u);
    EXPECT_EQ(under1252.toB[1], kNoString);

    const NameIndex index(b, 1251);
    std::string scratch;
    EXPECT_EQ(index.find(C1251(u"Gui:привет"), scratch), 1u);
    EXPECT_EQ(index.find("nothing", scratch), kNoString);
}

TEST(NameMatching, DuplicatedNamesPairInTableOrderAndTheSurplusStaysAlone) {
    const TCSFBody a = {Str("X", u"1"), Str("y", u"2"), Str("x", u"3"), Str("x", u"4")};
    const TCSFBody b = {Str("x", u"b1"), Str("X", u"b2"), Str("Y", u"b3"), Str("y", u"b4")};
    const NameMatch m = MatchByName(a, b, 1252);
    EXPECT_EQ(m.toB, Ix({0, 2, 1, kNoString}));
    EXPECT_EQ(m.toA, Ix({0, 2, 1, kNoString}));
}

TEST(TableDiffing, IdenticalReorderedDisjointAndChangedTables) {
    const TCSFBody a = {Str("GUI:OK", u"OK"), Str("GUI:Quit", {{u"Quit", "snd"}, {u"Bye"}}),
                        Str("MAP:A", u"Arctic")};
    EXPECT_TRUE(DiffTables(a, a, 1252).identical());
    const TCSFBody reordered = {a[2], a[0], a[1]};
    EXPECT_TRUE(DiffTables(a, reordered, 1252).identical());

    const TCSFBody disjoint = {Str("X", u"OK"), Str("Y", u"Arctic")};
    const TableDiff apart = DiffTables(a, disjoint, 1252);
    EXPECT_EQ(apart.onlyInA, Ix({0, 1, 2}));
    EXPECT_EQ(apart.onlyInB, Ix({0, 1}));
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
    std::vector<std::uint32_t> changedA;
    for (const ChangedString& c : diff.changed) {
        changedA.push_back(c.a);
        EXPECT_EQ(AnsiUpperCase(b[c.b].Name, 1252), AnsiUpperCase(a[c.a].Name, 1252));
    }
    EXPECT_EQ(changedA, changed);
}

TEST(TranslationUpdating, EveryBranchKeepsChangesAddsAndRemoves) {
    const ThreeTables t;
    const TCSFBody translationBefore = t.translation.Body;
    const UpdatedTable r = UpdateTranslation(t.oldSource, t.newSource, t.translation,
                                             DocumentFormat::CSF, {false, 1252});
    // NEW's strings in NEW's order and spelling.
    EXPECT_EQ(Names(r.body), (std::vector<std::string>{"NewOne", "EDITED", "same", "NotInOld"}));
    EXPECT_EQ(r.report.kept, 1u);            // "same": the original did not change
    EXPECT_EQ(r.report.changed, Ix({1, 3})); // source edited; OLD lacks it
    EXPECT_EQ(r.report.added, Ix({0}));
    EXPECT_EQ(r.report.removed, Ix({1}));   // the translation's "Gone"
    EXPECT_EQ(r.body[1].Values.size(), 2u); // the translation's values, all of them
    EXPECT_EQ(r.body[1].Values[0].Value, u"Старый");
    EXPECT_EQ(r.body[2].Values[0].Value, u"Тот же");
    EXPECT_EQ(r.body[0].Values[0].Value, u"Brand new");
    // An added string gets the value tags of the translation's version 2, keeping its extra.
    EXPECT_EQ(r.body[0].Values[0].Tag, (Tag4{kExtraValueMark, 0x72, 0x74, 0x53}));
    EXPECT_EQ(r.body[0].Values[0].ExtraValue, "snd");
    // Values: 1 + 2 + 1 + 1 now against 1 + 1 + 2 + 1 before, so the header's count stays,
    // there and back.
    TCompiledStrings swapped = t.translation;
    TCSFBody body = r.body;
    swapped.SwapStrings(body);
    EXPECT_EQ(swapped.StringCount, 100);
    swapped.SwapStrings(body);
    EXPECT_EQ(swapped.StringCount, 100);
    EXPECT_EQ(t.translation.Body.size(), translationBefore.size()); // the inputs stay as given

    const UpdatedTable kept = UpdateTranslation(t.oldSource, t.newSource, t.translation,
                                                DocumentFormat::CSF, {true, 1252});
    EXPECT_EQ(Names(kept.body),
              (std::vector<std::string>{"NewOne", "EDITED", "same", "NotInOld", "Gone"}));
    EXPECT_EQ(kept.body[4].Values[0].Value, u"Ушёл");
    EXPECT_EQ(kept.report.removed, Ix({1}));
    // Moving the strings out of the translation instead of copying them ends the same, with one
    // value more counted: the kept "Gone".
    TCompiledStrings consumed = t.translation;
    TCSFBody own = consumed.TakeStrings();
    UpdatedTable taken = UpdateTranslationConsuming(t.oldSource, t.newSource, consumed,
                                                    DocumentFormat::CSF, own, {true, 1252});
    consumed.SwapStrings(taken.body);
    EXPECT_EQ(Names(consumed.Body), Names(kept.body));
    EXPECT_EQ(consumed.StringCount, 101);
}

TEST(TranslationUpdating, EmpireAtWarKeysFollowTheNewSpellingAndAddedNames) {
    TEmpireAtWarStrings translation;
    translation.Body = {Str("TEXT_A", u"А")};
    translation.Body[0].Values[0].Tag = TEmpireAtWarStrings::KeyForName("TEXT_A");
    const TCSFBody source = {Str("Text_A", u"A"), Str("TEXT_B", u"B")};
    const UpdatedTable r =
        UpdateTranslation(source, source, translation, DocumentFormat::EmpireAtWar, {false, 1252});
    ASSERT_EQ(r.body.size(), 2u);
    EXPECT_EQ(r.body[0].Values[0].Value, u"А");
    EXPECT_EQ(r.body[0].Values[0].Tag, TEmpireAtWarStrings::KeyForName("Text_A"));
    EXPECT_EQ(r.body[1].Values[0].Tag, TEmpireAtWarStrings::KeyForName("TEXT_B"));
    // A file without a CSF header keeps its count at zero, whatever the values gained.
    TCSFBody body = r.body;
    translation.SwapStrings(body);
    EXPECT_EQ(translation.StringCount, 0);
}

TEST(ReferenceComparison, FlagsUntranslatedMissingAndDifferingRowsAndListsOnlyInReference) {
    const TCSFBody reference = {Str("A", u"Attack"),  Str("B", u"Base"),
                                Str("C", u"Cancel"),  Str("D", {{u"One"}, {u"Two"}}),
                                Str("OnlyRef", u"r"), Str("E", u"")};
    const TCSFBody document = {
        Str("a", u"Атака"),             // translated
        Str("B", u"Base"),              // equal to the reference: untranslated
        Str("C", u""),                  // empty: untranslated
        Str("D", {{u"Раз"}, {u"Two"}}), // the second value is not translated yet
        Str("Extra", u"Лишний"),        // missing in reference
        Str("E", u"x"),                 // the reference's value is empty
    };
    const auto differs = [](const TText& s, const TText& r) {
        return s.Values[0].Value.size() > r.Values[0].Value.size();
    };
    const ReferenceStatus st = CompareWithReference(document, reference, differs, 1252);
    EXPECT_EQ(st.flags, (std::vector<std::uint8_t>{0, kUntranslated, kUntranslated, kUntranslated,
                                                   kMissingInReference, kDiffersFromReference}));
    EXPECT_EQ(st.count(kUntranslated), 3u);
    EXPECT_EQ(st.count(kMissingInReference), 1u);
    EXPECT_EQ(st.onlyInReference, Ix({4}));
    EXPECT_EQ(st.referenceOf(0), 0u);
    EXPECT_EQ(st.referenceOf(4), kNoString);
}
