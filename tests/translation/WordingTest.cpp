// SPDX-License-Identifier: MIT
// The words the spelling rule looks at, a dictionary in a legacy encoding, and the glossary.
#include <gtest/gtest.h>

#include "checks/CheckEngine.h"
#include "checks/Wording.h"
#include "exchange/Exchange.h"
#include "support/TestSupport.h"
#include "translation/Glossary.h"
#include "translation/Spelling.h"

using namespace vste;
using namespace vste::test;

namespace {

const std::string kFixtures = VSTE_SOURCE_DIR "/tests/fixtures/translation";

std::vector<std::u16string> Words(const std::u16string& text) {
    WordSplitter splitter;
    std::vector<WordSpan> spans;
    splitter.split(text, spans);
    std::vector<std::u16string> words;
    for (const WordSpan& w : spans)
        words.push_back(text.substr(w.begin, w.length));
    return words;
}

} // namespace

TEST(WordingTest, OnlyWordsWorthADictionarysLookAreSplitOff) {
    EXPECT_EQ(
        Words(u"Don't attack %ls at x2 or HQ_1, NATO, a Unit_7 \u0416\u0443\u043a"),
        (std::vector<std::u16string>{u"Don't", u"attack", u"at", u"or", u"\u0416\u0443\u043a"}));
    EXPECT_EQ(Words(u"%1$s%2$d and NOD"), (std::vector<std::u16string>{u"and"}));
    EXPECT_TRUE(Words(u"").empty());
}

TEST(WordingTest, WholeWordsMatchIgnoringCaseAndSharpS) {
    const std::u16string folded = FoldCase(u"Build the ORE REFINERY, then the STRASSE");
    EXPECT_TRUE(ContainsWholeWord(folded, FoldCase(u"ore refinery")));
    EXPECT_TRUE(ContainsWholeWord(folded, FoldCase(u"Straße")));
    EXPECT_FALSE(ContainsWholeWord(folded, FoldCase(u"refine")));
    EXPECT_FALSE(ContainsWholeWord(FoldCase(u"Refinery2"), FoldCase(u"refinery")));
}

TEST(WordingTest, ALegacyEncodedDictionaryKnowsItsWordsAndSuggests) {
    HunspellChecker dictionary(kFixtures, "tiny_latin1");
    EXPECT_TRUE(dictionary.isKnown(u"caf\u00e9"));
    EXPECT_TRUE(dictionary.isKnown(u"colours")); // the affix rule
    EXPECT_FALSE(dictionary.isKnown(u"colur"));
    EXPECT_FALSE(dictionary.isKnown(u"\u0416\u0443\u043a")); // not in Latin-1 at all
    const auto better = dictionary.suggestions(u"cafe", 3);
    ASSERT_FALSE(better.empty());
    EXPECT_EQ(better[0], u"caf\u00e9");
    // Asked again (answered from what the first call kept), fewer or none.
    EXPECT_EQ(dictionary.suggestions(u"cafe", 3), better);
    EXPECT_EQ(dictionary.suggestions(u"cafe", 1), std::vector<std::u16string>{better[0]});
    EXPECT_TRUE(dictionary.suggestions(u"cafe", 0).empty());
    dictionary.accept(u"colur");
    EXPECT_TRUE(dictionary.isKnown(u"colur"));
    EXPECT_THROW(HunspellChecker(kFixtures, "missing"), DictionaryMissing);
}

TEST(WordingTest, TheRulesRunOnlyWithTheirExtrasAndReportWhatTheyFind) {
    TText text;
    text.Name = "GUI:A";
    text.Values.resize(1);
    text.Values[0].Value = u"A colur for the caf\u00e9";
    const TCSFBody body{text};
    const CheckTarget target{};
    EXPECT_TRUE(CheckDocument(body, target).empty());
    EXPECT_THROW(CheckEngine(target, {"spelling"}), std::invalid_argument);

    HunspellChecker dictionary(kFixtures, "tiny_latin1");
    CheckExtras extras;
    extras.spelling = &dictionary;
    const auto found = CheckDocument(body, target, nullptr, {"spelling"}, extras);
    ASSERT_EQ(found.size(), 3u); // "for" and "the" are not in the tiny dictionary either
    EXPECT_EQ(found[0].message.rfind("unknown word \"colur\"; suggestions: \"colour\"", 0), 0u);

    const std::string csv = "\xEF\xBB\xBFTerm;Note;Translation\r\ncaf\xC3\xA9;x;Kaffee\r\n;;\r\n";
    const std::vector<GlossaryTerm> terms = ReadGlossary(Bytes(csv.begin(), csv.end()));
    ASSERT_EQ(terms.size(), 1u);
    TCSFBody reference = body;
    TCSFBody translated = body;
    translated[0].Values[0].Value = u"Eine Farbe";
    extras.glossary = &terms;
    const Reference ref(reference);
    const auto misses = CheckDocument(translated, target, &ref, {"glossary"}, extras);
    ASSERT_EQ(misses.size(), 1u);
    EXPECT_NE(misses[0].message.find("\"Kaffee\""), std::string::npos);
    const std::string broken = "word,meaning\n";
    EXPECT_THROW(ReadGlossary(Bytes(broken.begin(), broken.end())), ExchangeError);
}
