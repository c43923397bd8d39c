// SPDX-License-Identifier: MIT
// Find all and replace all over whole documents: field order and offsets, slices and cancelling,
// the refusals of replace all, the rename rule and undoing a plan.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>

#include "core/CompiledStrings.h"
#include "core/EmpireAtWarStrings.h"
#include "encoding/CodePage.h"
#include "search/ReplacePlan.h"
#include "search/TableSearch.h"

using namespace vste;
using namespace vste::search;

namespace {

constexpr Tag4 kExtraTag{kExtraValueMark, 'R', 'T', 'S'};

TText Label(const std::string& name, std::vector<TTextContainer> values) {
    return TText{kLabelTag, name, std::move(values)};
}

TTextContainer Value(const std::u16string& text, const std::string& extra = {}) {
    return TTextContainer{extra.empty() ? kValueTagV3 : kExtraTag, text, extra};
}

TCompiledStrings Table() {
    TCompiledStrings doc;
    doc.Body = {Label("GUI:Tanya", {Value(u"😀 Tanya is here"), Value(u"tanya", "tanya.wav")}),
                Label("TXT:Allies", {Value(u"Allies win")}),
                Label("GUI:Other", {Value(u"nothing")})};
    return doc;
}

SearchOptions Options(std::u16string pattern, bool regex = false) {
    SearchOptions options;
    options.pattern = std::move(pattern);
    options.regex = regex;
    return options;
}

std::vector<Match> FindEverything(const TWestwoodStrings& doc, DocumentFormat format,
                                  const SearchOptions& options) {
    std::vector<Match> all;
    FindAll(doc, format, options,
            [&](std::vector<Match>& chunk) { all.insert(all.end(), chunk.begin(), chunk.end()); });
    return all;
}

} // namespace

TEST(TableSearchTest, FindAllListsNameValuesAndExtrasInTableOrderWithBothOffsets) {
    SetActiveCodePage(1252);
    const TCompiledStrings doc = Table();
    std::vector<std::array<std::uint32_t, 5>> found; // field, value, start, length, UTF-16 start
    for (const Match& m : FindEverything(doc, DocumentFormat::CSF, Options(u"TANYA")))
        found.push_back(
            {static_cast<std::uint32_t>(m.field), m.valueIndex, m.start, m.length, m.start16});
    // After the emoji, code points and UTF-16 units differ by one.
    const std::vector<std::array<std::uint32_t, 5>> expected = {
        {0, 0, 4, 5, 4}, {1, 1, 2, 5, 3}, {1, 2, 0, 5, 0}, {2, 2, 0, 5, 0}};
    EXPECT_EQ(found, expected);
    EXPECT_EQ(FieldText(doc, 0, 2, Field::Extra), u"tanya.wav");

    // Empire at War value tags are keys, never extra-value marks.
    TEmpireAtWarStrings eaw;
    eaw.Body = {Label("W", {Value(u"x", "x")})};
    EXPECT_EQ(FindEverything(eaw, DocumentFormat::EmpireAtWar, Options(u"x")).size(), 1u);
}

TEST(TableSearchTest, ReferenceValuesFollowEachStringsOwnMatchesOnlyWhenAsked) {
    const TCompiledStrings doc = Table();
    TCompiledStrings reference;
    reference.Body = {Label("GUI:Other", {Value(u"Tanya"), Value(u"and tanya")}),
                      Label("GUI:Tanya", {Value(u"Tanya!")})};
    const std::vector<std::uint32_t> pairs = {1, UINT32_MAX, 0};
    SearchOptions options = Options(u"tanya");
    options.inNames = false;
    for (const bool asked : {false, true}) {
        options.inReference = asked;
        Finder finder(doc, DocumentFormat::CSF, options);
        finder.setReference(reference, pairs);
        std::vector<Match> found;
        while (finder.next(found, 2)) {
        }
        // string, value, in the reference
        std::vector<std::array<std::uint32_t, 3>> seen;
        for (const Match& m : found)
            seen.push_back({m.stringIndex, m.valueIndex, m.inReference ? 1u : 0u});
        std::vector<std::array<std::uint32_t, 3>> expected = {{0, 1, 0}, {0, 2, 0}, {0, 2, 0}};
        if (asked)
            expected.insert(expected.end(), {{0, 1, 1}, {2, 1, 1}, {2, 2, 1}});
        EXPECT_EQ(seen, expected) << "reference searched: " << asked;
    }
}

TEST(TableSearchTest, SlicesGiveTheSameMatchesAndASetFlagCancels) {
    TCompiledStrings doc;
    for (int i = 0; i < 1000; ++i)
        doc.Body.push_back(Label(std::to_string(i), {Value(u"a b a")}));
    const std::vector<Match> whole = FindEverything(doc, DocumentFormat::CSF, Options(u"a"));
    Finder finder(doc, DocumentFormat::CSF, Options(u"a"));
    std::vector<Match> sliced;
    while (finder.next(sliced, 7)) {
    }
    ASSERT_EQ(sliced.size(), whole.size());
    EXPECT_EQ(sliced.back().stringIndex, 999u);

    std::atomic<bool> cancel{false};
    std::size_t chunks = 0;
    const bool finished = FindAll(
        doc, DocumentFormat::CSF, Options(u"a"),
        [&](std::vector<Match>&) { cancel = ++chunks == 2; }, &cancel, 100);
    EXPECT_FALSE(finished);
    EXPECT_EQ(chunks, 2u);
}

TEST(TableSearchTest, ReplaceAllRefusesNamesItCannotStoreAndKeepsThoseStringsWhole) {
    SetActiveCodePage(1252);
    TCompiledStrings doc;
    doc.Body = {Label("GUI:A", {Value(u"A one")}), Label("A", {Value(u"A two")}),
                Label("GUI:B", {Value(u"b", "A.wav")}), Label("GUI:C", {Value(u"A ok")})};
    SearchOptions options = Options(u"A", false);
    options.matchCase = true;
    options.wholeWord = true;
    // "Ж" is no letter of Windows-1252: names and extra values holding A are refused.
    ReplacePlan plan = PlanReplaceAll(doc, DocumentFormat::CSF, options, u"Ж");
    EXPECT_EQ(plan.replacements, 1u); // the value of GUI:C alone
    ASSERT_EQ(plan.refused.size(), 3u);
    for (const Refusal& refusal : plan.refused)
        EXPECT_EQ(refusal.kind, StorageRefusal::Kind::MissingCharacter) << refusal.reason;
    EXPECT_NE(plan.refused[0].reason.find("1252"), std::string::npos) << plan.refused[0].reason;
    EXPECT_NE(plan.refused[2].reason.find("extra value of value 1"), std::string::npos);

    // A name emptied by the replacement is refused; the other strings change.
    options = Options(u"^A$", true);
    options.inExtras = false;
    plan = PlanReplaceAll(doc, DocumentFormat::CSF, options, u"");
    ASSERT_EQ(plan.refused.size(), 1u);
    EXPECT_EQ(plan.refused[0].stringIndex, 1u);
    EXPECT_EQ(plan.refused[0].kind, StorageRefusal::Kind::EmptyName);

    // Formats that store no names refuse a renamed string.
    TWestwoodStrings westwood;
    westwood.Body = {Label("1", {Value(u"one")})};
    plan = PlanReplaceAll(westwood, DocumentFormat::Westwood, Options(u"1"), u"2");
    ASSERT_EQ(plan.refused.size(), 1u);
    EXPECT_EQ(plan.refused[0].kind, StorageRefusal::Kind::NamesNotStored);
}

// A string is refused whole when its new name is another string's (ignoring case, also one
// given earlier in the same plan), or when the value check refuses one of its new values.
TEST(TableSearchTest, ReplaceAllRefusesTakenNamesAndValuesTheCheckRefuses) {
    SetActiveCodePage(1252);
    TCompiledStrings doc;
    doc.Body = {Label("GUI:Old", {Value(u"old")}), Label("GUI:new", {Value(u"new")}),
                Label("MAP:x1", {Value(u"the one")}), Label("MAP:x2", {Value(u"the two")}),
                Label("MAP:Self", {Value(u"self")})};
    SearchOptions options = Options(u"Old|x\\d", true);
    options.matchCase = true;
    options.inValues = false;
    // GUI:Old would take GUI:new's name; MAP:x1 and MAP:x2 would both become MAP:NEW, so the
    // second is refused. MAP:Self may change the case of its own name.
    ReplacePlan plan = PlanReplaceAll(doc, DocumentFormat::CSF, options, u"NEW");
    std::vector<std::uint32_t> refused;
    for (const Refusal& r : plan.refused) {
        EXPECT_EQ(r.kind, StorageRefusal::Kind::NameTaken) << r.reason;
        refused.push_back(r.stringIndex);
    }
    EXPECT_EQ(refused, (std::vector<std::uint32_t>{0, 3}));
    EXPECT_EQ(plan.strings, 1u);
    options.pattern = u"Self";
    plan = PlanReplaceAll(doc, DocumentFormat::CSF, options, u"SELF");
    EXPECT_TRUE(plan.refused.empty());
    EXPECT_EQ(plan.strings, 1u);
    // Strings that share a name (ignoring case) may keep sharing one, but not take another's.
    TEmpireAtWarStrings index;
    for (const char* name : {"1", "1", "2"})
        index.AddString(Label(name, {Value(u"v")}));
    plan = PlanReplaceAll(index, DocumentFormat::EmpireAtWar, Options(u"^(.)", true), u"Z$1");
    EXPECT_TRUE(plan.refused.empty());
    EXPECT_EQ(plan.strings, 3u);
    plan = PlanReplaceAll(index, DocumentFormat::EmpireAtWar, Options(u"^1$", true), u"2");
    EXPECT_EQ(plan.refused.size(), 2u);

    // The value check sees the string and the whole new value, and its words are the reason.
    std::vector<std::u16string> judged;
    const ValueCheck check = [&](StringView text, std::uint32_t valueIndex,
                                 const TTextContainer& proposed) -> std::string {
        judged.push_back(proposed.Value);
        EXPECT_EQ(text.name(), doc.Body[judged.size() == 1 ? 2 : 3].Name);
        EXPECT_EQ(valueIndex, 0u);
        return proposed.Value.find(u'Ж') != std::u16string::npos ? "too Russian" : "";
    };
    options = Options(u"the");
    options.inNames = false;
    plan = PlanReplaceAll(doc, DocumentFormat::CSF, options, u"Ж", nullptr, nullptr, check);
    EXPECT_EQ(judged, (std::vector<std::u16string>{u"Ж one", u"Ж two"}));
    ASSERT_EQ(plan.refused.size(), 2u);
    EXPECT_EQ(plan.refused[0].kind, StorageRefusal::Kind::UnstorableValue);
    EXPECT_EQ(plan.refused[0].reason, "value 1: too Russian");
    EXPECT_TRUE(plan.changes.empty());
}

TEST(TableSearchTest, ApplyRenamesThroughTheKeyRuleAndItsUndoRestoresEverything) {
    SetActiveCodePage(1252);
    TEmpireAtWarStrings doc;
    doc.AddString(Label("TEXT_OLD_1", {Value(u"old value")}));
    doc.AddString(Label("TEXT_KEEP", {Value(u"keep")}));
    const TCSFBody before = doc.Body;

    const ReplacePlan plan =
        PlanReplaceAll(doc, DocumentFormat::EmpireAtWar, Options(u"OLD_(\\d)", true), u"NEW_$1é");
    EXPECT_EQ(plan.replacements, 1u);
    EXPECT_EQ(plan.strings, 1u);
    EXPECT_EQ(doc.Body[0].Name, "TEXT_OLD_1"); // planning leaves the document alone
    std::vector<TFieldEdit> undo = ApplyPlan(doc, plan);
    EXPECT_EQ(doc.Body[0].Name, "TEXT_NEW_1\xE9");
    EXPECT_EQ(doc.Body[0].Values[0].Tag, TEmpireAtWarStrings::KeyForName("TEXT_NEW_1\xE9"));
    doc.SwapEdits(undo, true);
    const auto same = [](const TText& a, const TText& b) {
        return a.Name == b.Name && a.Values[0].Tag == b.Values[0].Tag &&
               a.Values[0].Value == b.Values[0].Value;
    };
    EXPECT_TRUE(std::equal(doc.Body.begin(), doc.Body.end(), before.begin(), before.end(), same));
}
