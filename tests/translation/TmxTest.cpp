// SPDX-License-Identifier: MIT
// Reading and writing TMX: what another tool writes loads, what this program writes reads back,
// and hostile files are refused with the line at fault.
#include <gtest/gtest.h>

#include <string>

#include "support/TestSupport.h"
#include "translation/Tmx.h"

using namespace vste;
using namespace vste::test;

namespace {

Bytes AsBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

std::string Wrapped(const std::string& body) {
    return "<?xml version=\"1.0\"?>\n<tmx version=\"1.4\"><header srclang=\"en\"/><body>\n" + body +
           "\n</body></tmx>";
}

} // namespace

TEST(TmxTest, AnotherToolsMemoryLoadsWithTheTextOfItsInlineTags) {
    const TmxContents tmx =
        ReadTmx(ReadBytes(VSTE_SOURCE_DIR "/tests/fixtures/translation/other-tool.tmx"));
    EXPECT_EQ(tmx.sourceLanguage, "en-US");
    EXPECT_EQ(tmx.targetLanguage, "ru-RU");
    ASSERT_EQ(tmx.units.size(), 4u);
    EXPECT_EQ(tmx.units[0].source, u"Attack %s now");
    EXPECT_EQ(tmx.units[1].source, u"<b>Bold</b> move");
    EXPECT_EQ(tmx.units[3].target, U16("Комбайн"));
    EXPECT_EQ(tmx.skipped, 2u);
    // Asked for another pair of languages, every unit is skipped.
    EXPECT_EQ(
        ReadTmx(ReadBytes(VSTE_SOURCE_DIR "/tests/fixtures/translation/other-tool.tmx"), "en", "de")
            .skipped,
        6u);
}

TEST(TmxTest, WrittenUnitsReadBackExactlyAlsoFromUtf16) {
    const std::vector<TmUnit> units{{u"a < b & \"c\"\r\n  d", U16("а < б")},
                                    {u"\U0001F600 %1$s", u"x"}};
    const Bytes written = WriteTmx(units, "en", "ru");
    const TmxContents back = ReadTmx(written);
    ASSERT_EQ(back.units.size(), 2u);
    EXPECT_EQ(back.units[0].source, units[0].source);
    EXPECT_EQ(back.units[0].target, units[0].target);
    EXPECT_EQ(back.units[1].source, units[1].source);
    EXPECT_EQ(back.targetLanguage, "ru");
    // The same file as UTF-16 with a byte-order mark.
    Bytes utf16{0xFF, 0xFE};
    const std::u16string wide = U16(std::string(written.begin(), written.end()).c_str());
    for (char16_t c : wide) {
        utf16.push_back(static_cast<std::uint8_t>(c));
        utf16.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    EXPECT_EQ(ReadTmx(utf16).units[0].source, units[0].source);
}

TEST(TmxTest, MemoryBuilderKeepsEachPairOfTextsOnce) {
    MemoryBuilder memory;
    EXPECT_TRUE(memory.add(u"a", u"b"));
    EXPECT_FALSE(memory.add(u"a", u"b"));
    EXPECT_TRUE(memory.add(u"a", u"c"));
    EXPECT_EQ(memory.size(), 2u);
}

TEST(TmxTest, HostileFilesAreRefusedWithTheirLine) {
    const std::string deep = std::string(2000, '<') + "x";
    std::string nested;
    for (int i = 0; i < 100; ++i)
        nested += "<g>";
    nested += "x";
    for (int i = 0; i < 100; ++i)
        nested += "</g>";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "line 1:"},
        {"<xliff/>", "not TMX"},
        {"<tmx><body/></tmx>", "srclang"},
        {Wrapped("<tu><tuv xml:lang=\"en\"><seg>&bogus;</seg></tuv></tu>"), "line 3: the entity"},
        {Wrapped("<tu><tuv xml:lang=\"en\"><seg>&#0;</seg></tuv></tu>"), "names no character"},
        {Wrapped("<tu><tuv xml:lang=\"en\"><seg>&#xD800;</seg></tuv></tu>"), "names no character"},
        {Wrapped("<tu><tuv xml:lang=\"en\"><seg>a & b</seg></tuv></tu>"), "'&'"},
        {"<!DOCTYPE tmx [<!ENTITY a \"aaaa\">]>" + Wrapped(""), "declares no entities"},
        {Wrapped("<tu><tuv xml:lang=\"en\"><seg>" + nested +
                 "</seg></tuv>"
                 "<tuv xml:lang=\"de\"><seg>y</seg></tuv></tu>"),
         "nested deeper than 64"},
        {Wrapped(deep), "line 3:"},
        {Wrapped("<tu><tuv xml:lang=\"en\"><seg>\xC3</seg></tuv></tu>"), "UTF-8"},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text.substr(0, 120));
        try {
            ReadTmx(AsBytes(text));
            ADD_FAILURE() << "accepted";
        } catch (const DocumentError& e) {
            EXPECT_NE(std::string(e.what()).find(expected), std::string::npos) << e.what();
        }
    }
}

TEST(TmxTest, WhitespaceInsideSegmentsIsTextWhateverElseTheSegmentHolds) {
    // The source segment of a unit whose target is plain, and the source text it reads as.
    const std::vector<std::pair<std::string, std::u16string>> cases = {
        {"<seg>   </seg>", u"   "},
        {"<seg xml:space=\"preserve\">\n\t</seg >", u"\n\t"},
        {"<seg><ph>a</ph> <ph>b</ph></seg>", u"a b"},
        {"<seg a=\"></seg>\"><ph>a</ph> <ph>b</ph></seg>", u"a b"},
        {"<seg><![CDATA[ ]]></seg>", u" "},
        {"<seg> <!-- note --> </seg>", u"  "},
    };
    for (const auto& [segment, expected] : cases) {
        SCOPED_TRACE(segment);
        const TmxContents tmx = ReadTmx(AsBytes(Wrapped(
            "<tu>\n  <tuv xml:lang=\"en\">" + segment +
            "</tuv>\n  <tuv xml:lang=\"de\"><seg>x</seg></tuv>\n</tu>\n<tu><tuv xml:lang=\"en\">"
            "<seg>plain</seg></tuv><tuv xml:lang=\"de\"><seg>y</seg></tuv></tu>")));
        ASSERT_EQ(tmx.units.size(), 2u);
        EXPECT_EQ(tmx.units[0].source, expected);
        EXPECT_EQ(tmx.units[1].source, u"plain");
    }
}
