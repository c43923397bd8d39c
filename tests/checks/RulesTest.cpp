// SPDX-License-Identifier: MIT
// Every rule finds its fault and stays silent on the sound variant of the same table.
#include <gtest/gtest.h>

#include "checks/CheckSupport.h"
#include "core/EmpireAtWarStrings.h"
#include "core/StrLabels.h"
#include "encoding/CodePage.h"
#include "support/TestSupport.h"

using namespace vste;
using namespace vste::test;

namespace {

struct RuleCase {
    std::string rule;
    CheckTarget target;
    TCSFBody failing;
    TCSFBody passing;
    std::string expected; // part of the failing finding's message
    bool withReference = false;
    TCSFBody reference{};
    CheckExtras extras{};
};

// Knows the words of "A known word" and suggests "known" for anything else.
class FewWords : public WordChecker {
public:
    bool isKnown(std::u16string_view word) const override {
        return word == u"known" || word == u"word";
    }
    std::vector<std::u16string> suggestions(std::u16string_view, std::size_t) const override {
        return {u"known"};
    }
};
const FewWords kFewWords;
const std::vector<GlossaryTerm> kTerms{{u"Ore Refinery", U16("Завод")}};

TText EawStr(const std::string& name, bool rightKey) {
    TText t = Str(name, u"text");
    if (rightKey)
        t.Values[0].Tag = TEmpireAtWarStrings::KeyForName(name);
    return t;
}

std::vector<RuleCase> Cases() {
    const CheckTarget ansi1251{DocumentFormat::CSF, true, 1251};
    const CheckTarget csf{DocumentFormat::CSF, false, 1252};
    const CheckTarget str1251{DocumentFormat::STR, false, 1251};
    const CheckTarget dune{DocumentFormat::Dune2000, false, 1252};
    const CheckTarget eaw{DocumentFormat::EmpireAtWar, false, 1252};
    const std::u16string tooLong(65535, u'x');
    const std::u16string longest(65534, u'x');
    return {
        {"unstorable-character",
         ansi1251,
         {Str("A", U16("Ωmega"))},
         {Str("A", U16("Привет"))},
         "code page 1251 cannot hold U+03A9 'Ω' (written as '?')"},
        {"duplicate-name",
         csf,
         {Str("GUI:OK", u"a"), Str("gui:ok", u"b")},
         {Str("GUI:OK", u"a"), Str("GUI:Cancel", u"b")},
         "same name ignoring case"},
        {"str-name",
         str1251,
         {Str("GUI: OK ", u"a")},
         {Str("GUI: <OK> #1 \xE9", u"a")},
         "not a valid STR label: the name ends with a space"},
        {"too-long", dune, {Str("A", tooLong)}, {Str("A", longest)}, "at most 65534"},
        {"str-game-reader",
         str1251,
         {Str("A", U16("Моя"))},
         {Str("A", U16("Мой"))},
         "U+044F 'я' is the byte 0xFF"},
        {"eaw-key",
         eaw,
         {EawStr("TEXT_A", false)},
         {EawStr("TEXT_A", true)},
         "is not the CRC-32 of the name (0x"},
        {"empty-value", csf, {Str("A", u"")}, {Str("A", u"x")}, "empty"},
        {"edge-whitespace", csf, {Str("A", u"x\t")}, {Str("A", u"x y")}, "ends with spaces"},
        {"placeholders",
         csf,
         {Str("A", u"%1$d has %2$s")},
         {Str("A", u"%2$d%% for %1$s")},
         "%1$d %2$s do not match the reference's %1$s %2$d",
         true,
         {Str("A", u"%1$s: %2$d%%")}},
        {"line-breaks",
         csf,
         {Str("A", u"one two")},
         {Str("A", u"one\ntwo")},
         "0 line breaks",
         true,
         {Str("A", u"un\ndeux")}},
        {"untranslated",
         csf,
         {Str("A", u"Open")},
         {Str("A", U16("Открыть"))},
         "same",
         true,
         {Str("A", u"Open")}},
        {"missing-in-reference",
         csf,
         {Str("B", u"b")},
         {Str("a", u"a")},
         "has no string",
         true,
         {Str("A", u"a")}},
        {"only-in-reference",
         csf,
         {Str("A", u"a")},
         {Str("a", u"a"), Str("B", u"b")},
         "only the reference",
         true,
         {Str("A", u"a"), Str("b", u"b")}},
        {"spelling",
         csf,
         {Str("A", u"A knwon word")},
         {Str("A", u"A known word, NATO x")},
         "unknown word \"knwon\"; suggestions: \"known\"",
         false,
         {},
         {&kFewWords, nullptr}},
        {"glossary",
         csf,
         {Str("A", U16("Постройте фабрику"))},
         {Str("A", U16("Постройте ЗАВОД"))},
         "the glossary translates as \"Завод\"",
         true,
         {Str("A", u"Build an ore refinery")},
         {nullptr, &kTerms}},
    };
}

} // namespace

TEST(RulesTest, EveryRuleFindsItsFaultAndPassesTheSoundTable) {
    const std::vector<RuleCase> cases = Cases();
    ASSERT_EQ(cases.size(), AllRuleIds().size());
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.rule);
        const TCSFBody* reference = c.withReference ? &c.reference : nullptr;
        const std::vector<Finding> found =
            Findings(c.failing, c.target, reference, c.rule, c.extras);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].rule, c.rule);
        EXPECT_NE(found[0].message.find(c.expected), std::string::npos) << found[0].message;
        EXPECT_TRUE(Findings(c.passing, c.target, reference, c.rule, c.extras).empty());
    }
}

TEST(RulesTest, FindingsNameTheStringTheValueAndTheField) {
    const TCSFBody body{Str("GUI:OK", u"ok"), Str("GUI:Snd", {Val(u"a"), Val(u"", "voice-1")}),
                        Str("gui:ok", u"b")};
    const std::vector<Finding> found = Findings(body, {DocumentFormat::STR, false, 1252});
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].rule, "str-game-reader");
    EXPECT_EQ(found[0].index, 1u);
    EXPECT_EQ(found[0].valueIndex, 1u);
    EXPECT_EQ(found[0].field, Field::Extra);
    EXPECT_EQ(found[0].severity, Severity::Warning);
    EXPECT_EQ(found[1].rule, "empty-value");
    EXPECT_EQ(found[1].valueIndex, 1u);
    EXPECT_EQ(found[2].rule, "duplicate-name");
    EXPECT_EQ(found[2].name, "gui:ok");
    EXPECT_EQ(found[2].field, Field::Name);
    EXPECT_EQ(found[2].severity, Severity::Error);
}

TEST(RulesTest, UnstorableCharactersAreReportedAsTheWriterConvertsThem) {
    const CheckTarget ansi1252{DocumentFormat::CSF, true, 1252};
    // A look-alike, and a letter with a combining accent that composes into one the page has.
    auto found = Findings({Str("A", U16("Āb")), Str("B", U16("e\u0301t\u00e9"))}, ansi1252);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].message.find("U+0100 'Ā' (written as 'A')"), std::string::npos);
    // The STR text is written one character at a time: the accent is lost on its own.
    found = Findings({Str("A", U16("e\u0301"))}, {DocumentFormat::STR, false, 1252}, nullptr,
                     "unstorable-character");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].message.find("U+0301"), std::string::npos);
    // A NUL ends a single-byte value, and STR text holds none; UTF-16 values keep everything.
    for (const DocumentFormat format : {DocumentFormat::Westwood, DocumentFormat::STR}) {
        found = Findings({Str("A", std::u16string(u"a\0b", 3))}, {format, false, 1252}, nullptr,
                         "unstorable-character");
        ASSERT_EQ(found.size(), 1u);
        EXPECT_NE(found[0].message.find("U+0000"), std::string::npos);
    }
    EXPECT_TRUE(
        Findings({Str("A", U16("Ω\U0001F600"))}, {DocumentFormat::CSF, false, 1251}).empty());
}

// The check refuses exactly the names the STR writer refuses, in the writer's words.
TEST(RulesTest, StrNameFindsTheWritersFaultInItsWords) {
    const CheckTarget str{DocumentFormat::STR, false, 1252};
    for (const std::string name : {"", " A", "A\t", "A//B", "end", "\"A", "A\nB", "<>", "/ /x"}) {
        const std::optional<StrNameFault> fault = FindStrNameFault(name);
        ASSERT_TRUE(fault) << name;
        const std::vector<Finding> found = Findings({Str(name, u"v")}, str, nullptr, "str-name");
        ASSERT_EQ(found.size(), 1u) << name;
        EXPECT_EQ(found[0].message,
                  "not a valid STR label: " + EnglishText(StrNameFaultMessage(*fault)));
    }
    for (const std::string name : {"GUI: OK", "GUI:<Back", "#1 (x) = 50%", "Caf\xE9", "E N D"})
        EXPECT_TRUE(Findings({Str(name, u"v")}, str, nullptr, "str-name").empty()) << name;
}

TEST(RulesTest, DuplicateNamesCompareThroughTheCodePageAndAreWarningsInEmpireAtWar) {
    // 0xC0 and 0xE0 are the same Cyrillic letter in 1251, two different ones in 1253.
    const TCSFBody body{Str("\xC0", u"a"), Str("\xE0", u"b")};
    EXPECT_EQ(Findings(body, {DocumentFormat::CSF, false, 1251}).size(), 1u);
    EXPECT_TRUE(Findings(body, {DocumentFormat::CSF, false, 1253}).empty());
    const TCSFBody repeated{EawStr("1", true), EawStr("1", true)};
    const auto found = Findings(repeated, {DocumentFormat::EmpireAtWar, false, 1252});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].severity, Severity::Warning);
}

TEST(RulesTest, SaveBlockersAreTheErrorsThatASaveInTheTargetFormatWouldMeet) {
    const TCSFBody body{Str("GUI OK ", U16("Ω")), Str("B", u"")};
    EXPECT_EQ(SaveBlockers(body, {DocumentFormat::CSF, true, 1251}).size(), 1u);
    EXPECT_TRUE(SaveBlockers(body, {DocumentFormat::CSF, false, 1251}).empty());
    const auto str = SaveBlockers(body, {DocumentFormat::STR, false, 1251});
    ASSERT_EQ(str.size(), 2u);
    EXPECT_EQ(str[0].rule, "unstorable-character");
    EXPECT_EQ(str[1].rule, "str-name");
}

TEST(RulesTest, ANamedRuleThatCannotRunIsRefused) {
    const CheckTarget csf{DocumentFormat::CSF, false, 1252};
    EXPECT_THROW(CheckEngine(csf, {"no-such-rule"}), std::invalid_argument);
    EXPECT_THROW(CheckEngine(csf, {"untranslated"}), std::invalid_argument);
    EXPECT_THROW(CheckEngine(csf, {"str-name"}), std::invalid_argument);
    EXPECT_EQ(CheckEngine(csf).ruleIds().size(), 5u); // no STR, Empire at War or reference rules
}

TEST(RulesTest, EmpireAtWarFilesHaveNoErrors) {
    const std::vector<std::pair<std::string, std::size_t>> warnings{
        {"Empty.dat", 0},
        {"EmptyKeyWithValue.dat", 0},
        {"Index_WithDuplicates.dat", 2},
        {"SingleEmptyEntry.dat", 0},
        {"SingleEntry.dat", 0},
        {"Sorted_TwoEntries.dat", 0},
        {"Sorted_TwoEntriesDuplicate.dat", 1}};
    for (const auto& [file, expected] : warnings) {
        SCOPED_TRACE(file);
        NullProgress progress;
        const ReadResult read =
            ReadDocumentFile(DocumentFormat::EmpireAtWar, EawDir() + "/" + file, progress);
        const auto found =
            Findings(read.document->Body, {DocumentFormat::EmpireAtWar, false, 1252});
        EXPECT_EQ(found.size(), expected);
        for (const Finding& f : found) {
            EXPECT_EQ(f.severity, Severity::Warning);
            EXPECT_EQ(f.rule, "duplicate-name");
        }
    }
}
