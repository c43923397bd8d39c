// SPDX-License-Identifier: MIT
// The three-way update of a translation, and a document's status against a reference.
#include <gtest/gtest.h>

#include "compare/CompareTestSupport.h"
#include "compare/ReferenceStatus.h"
#include "compare/TranslationUpdate.h"
#include "core/CompiledStrings.h"
#include "core/EmpireAtWarStrings.h"

using namespace vste;
using namespace vste::test;

namespace {

std::vector<std::uint32_t> Indexes(std::initializer_list<std::uint32_t> list) {
    return list;
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

TEST(TranslationUpdating, EveryBranchKeepsChangesAddsAndRemoves) {
    const ThreeTables t;
    const TCSFBody translationBefore = t.translation.Body;
    const UpdatedTable r =
        UpdateTranslation(t.oldSource, t.newSource, t.translation, {false, 1252});
    // NEW's strings in NEW's order and spelling.
    EXPECT_EQ(Names(r.body), (std::vector<std::string>{"NewOne", "EDITED", "same", "NotInOld"}));
    EXPECT_EQ(r.report.kept, 1u);                 // "same": the original did not change
    EXPECT_EQ(r.report.changed, Indexes({1, 3})); // source edited; OLD lacks it
    EXPECT_EQ(r.report.added, Indexes({0}));
    EXPECT_EQ(r.report.removed, Indexes({1})); // the translation's "Gone"
    EXPECT_EQ(r.body[1].Values.size(), 2u);    // the translation's values, all of them
    EXPECT_EQ(r.body[1].Values[0].Value, u"Старый");
    EXPECT_EQ(r.body[2].Values[0].Value, u"Тот же");
    EXPECT_EQ(r.body[0].Values[0].Value, u"Brand new");
    // An added string gets the value tags of the translation's version 2, keeping its extra.
    EXPECT_EQ(r.body[0].Values[0].Tag, (Tag4{kExtraValueMark, 0x72, 0x74, 0x53}));
    EXPECT_EQ(r.body[0].Values[0].ExtraValue, "snd");
    // Values: 1 + 2 + 1 + 1 now against 1 + 1 + 2 + 1 before.
    EXPECT_EQ(r.stringCount, 100);
    EXPECT_EQ(t.translation.Body.size(), translationBefore.size()); // the inputs stay as given

    const UpdatedTable kept =
        UpdateTranslation(t.oldSource, t.newSource, t.translation, {true, 1252});
    EXPECT_EQ(Names(kept.body),
              (std::vector<std::string>{"NewOne", "EDITED", "same", "NotInOld", "Gone"}));
    EXPECT_EQ(kept.body[4].Values[0].Value, u"Ушёл");
    EXPECT_EQ(kept.report.removed, Indexes({1}));
    EXPECT_EQ(kept.stringCount, 101);
}

TEST(TranslationUpdating, EmpireAtWarKeysFollowTheNewSpellingAndAddedNames) {
    TEmpireAtWarStrings translation;
    translation.Body = {Str("TEXT_A", u"А")};
    translation.Body[0].Values[0].Tag = TEmpireAtWarStrings::KeyForName("TEXT_A");
    const TCSFBody source = {Str("Text_A", u"A"), Str("TEXT_B", u"B")};
    const UpdatedTable r = UpdateTranslation(source, source, translation, {false, 1252});
    ASSERT_EQ(r.body.size(), 2u);
    EXPECT_EQ(r.body[0].Values[0].Value, u"А");
    EXPECT_EQ(r.body[0].Values[0].Tag, TEmpireAtWarStrings::KeyForName("Text_A"));
    EXPECT_EQ(r.body[1].Values[0].Tag, TEmpireAtWarStrings::KeyForName("TEXT_B"));
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
    EXPECT_EQ(st.onlyInReference, Indexes({4}));
    EXPECT_EQ(st.referenceOf(0), 0u);
    EXPECT_EQ(st.referenceOf(4), kNoString);
    // Without a differs rule nothing is flagged by it.
    EXPECT_EQ(CompareWithReference(document, reference, {}, 1252).count(kDiffersFromReference), 0u);
}
