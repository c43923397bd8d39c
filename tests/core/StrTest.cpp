// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <random>

#include "core/CompiledStrings.h"
#include "core/Errors.h"
#include "core/StrLabels.h"
#include "core/StringUtils.h"
#include "encoding/CodePage.h"
#include "support/TestSupport.h"

namespace vste {
namespace {

using test::Bytes;
using namespace std::string_view_literals;

Bytes ToBytes(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

std::unique_ptr<TCompiledStrings> ReadStr(std::string_view text) {
    NullProgress progress;
    const Bytes data = ToBytes(text);
    return TCompiledStrings::CreateFromSTRBuffer(data, progress);
}

std::string WriteStr(const TCompiledStrings& doc) {
    NullProgress progress;
    const Bytes out = doc.SaveToSTRBuffer(progress);
    return std::string(out.begin(), out.end());
}

TText Label(std::string name, std::u16string value) {
    TText text;
    text.Tag = kLabelTag;
    text.Name = std::move(name);
    text.Values.resize(1);
    text.Values[0].Tag = kValueTagV3;
    text.Values[0].Value = std::move(value);
    return text;
}

// Every label as "name=value" in UTF-8, with " = extra" after it when there is an extra value.
std::vector<std::string> Strings(const TCompiledStrings& doc) {
    std::vector<std::string> out;
    for (const TText& text : doc.Body) {
        EXPECT_EQ(text.ValueCount(), 1u) << text.Name;
        const std::string value = Utf16ToUtf8(text.Values.at(0).Value);
        const std::string& extra = text.Values.at(0).ExtraValue;
        out.push_back(text.Name + "=" + value + (extra.empty() ? "" : " = " + extra));
    }
    return out;
}

using List = std::vector<std::string>;

constexpr Tag4 kSpeech{'W', 'R', 'T', 'S'};

TEST(StrReadTest, OneStringGivesACompleteVersion3Table) {
    const auto doc = ReadStr("GUI:OK\r\n\"OK\"\r\nEND\r\n");
    ASSERT_EQ(doc->LabelCount(), 1u);
    EXPECT_EQ(doc->Magic, kCsfMagic);
    EXPECT_EQ(doc->Version, 3);
    EXPECT_EQ(doc->Language, 0);
    EXPECT_EQ(doc->Reserved, Tag4{});
    EXPECT_EQ(doc->StringCount, 1);
    const TText& text = doc->Body[0];
    EXPECT_EQ(text.Tag, kLabelTag);
    EXPECT_EQ(text.Name, "GUI:OK");
    ASSERT_EQ(text.ValueCount(), 1u);
    EXPECT_EQ(text.Values[0].Tag, kValueTagV3);
    EXPECT_EQ(text.Values[0].Value, u"OK");
    EXPECT_TRUE(text.Values[0].ExtraValue.empty());
}

TEST(StrReadTest, LineEndsAndEndKeywordVariants) {
    EXPECT_EQ(Strings(*ReadStr("A\n\"a\"\nend\nB\n\"b\"\nEnd\n")), (List{"A=a", "B=b"}));
    EXPECT_EQ(Strings(*ReadStr("A\r\n\"a\"\r\n   END  \t\r\nB\r\n\"b\"\r\neNd")),
              (List{"A=a", "B=b"}));
    // A last line without any line end still reads.
    EXPECT_EQ(Strings(*ReadStr("A\n\"last\"")), (List{"A=last"}));
    EXPECT_EQ(Strings(*ReadStr("A")), (List{"A="}));
}

// A label line gives the whole line without the blanks at its ends and a later comment, as the
// games read it: spaces inside, marks and code-page bytes stay.
TEST(StrReadTest, LabelLinesGiveTheWholeLineWithoutEdgeBlanksAndComment) {
    EXPECT_EQ(Strings(*ReadStr("GUI:OK //confirm\n\"OK\"\nEND\n")), (List{"GUI:OK=OK"}));
    EXPECT_EQ(Strings(*ReadStr("GUI: OK \r\n\"OK\"\r\nEND\r\n")), (List{"GUI: OK=OK"}));
    EXPECT_EQ(Strings(*ReadStr(" \t GUI: Caf\xE9 (x)\t\r\n\"v\"\nEND\n")),
              (List{"GUI: Caf\xE9 (x)=v"}));
    EXPECT_EQ(Strings(*ReadStr("\tGUI:<Back\t// was <<\n\"v\"\nEND\n")), (List{"GUI:<Back=v"}));
    EXPECT_EQ(Strings(*ReadStr("<b>#1 = 50%, !@*;\n\"v\"\nEND\n")), (List{"<b>#1 = 50%, !@*;=v"}));
    // Only a // that is really there ends the name; a / apart from another does not.
    EXPECT_EQ(Strings(*ReadStr("A/ /B\n\"v\"\nEND\n")), (List{"A/ /B=v"}));
}

TEST(StrReadTest, CommentsAndBlankLinesAreSkippedEverywhere) {
    const auto doc = ReadStr("// header\n\n  ;;;  \nA\n// inside\n\n\"a\"\n  //x\nEND\n"
                             "// between\nB // b\n\"b\"\nEND // not a keyword?\nEND\n");
    // "END // not..." has more label characters than END: it is a value line without quotes.
    EXPECT_EQ(Strings(*doc), (List{"A=a", "B="}));
}

TEST(StrReadTest, EscapesInsideTheQuotesAreDecodedAndOtherBackslashesStay) {
    EXPECT_EQ(ReadStr("A\n\"one\\ntwo\"\nEND\n")->Body[0].Values[0].Value, u"one\ntwo");
    EXPECT_EQ(ReadStr("A\n\"\\t\\\"\\\\\\'\\?\"\nEND\n")->Body[0].Values[0].Value, u"\t\"\\'?");
    // A backslash before any other character, or at the end of the text, is kept.
    EXPECT_EQ(ReadStr("A\n\"C:\\Games\\Nb\\\"\nEND\n")->Body[0].Values[0].Value,
              u"C:\\Games\\Nb\\");
    // An escaped backslash does not start an escape with the character after it.
    EXPECT_EQ(ReadStr("A\n\"x\\\\ny\"\nEND\n")->Body[0].Values[0].Value, u"x\\ny");
}

TEST(StrReadTest, ANameAfterTheClosingQuoteIsTheExtraValue) {
    const auto doc =
        ReadStr("A\n\"Hi\" = Speech_01\nEND\nB\n\"x\"v2-b\nEND\nC\n\"1\" = s\n\"2\"\nEND\n");
    EXPECT_EQ(Strings(*doc), (List{"A=Hi = Speech_01", "B=x = v2", "C=2"}));
    EXPECT_EQ(doc->Body[0].Values[0].Tag, kSpeech);
    EXPECT_EQ(doc->Body[2].Values[0].Tag, kValueTagV3);
}

TEST(StrReadTest, QuotesInsideAValueAndTextAroundIt) {
    EXPECT_EQ(ReadStr("A\n\"He said \"hi\".\"\nEND\n")->Body[0].Values[0].Value,
              u"He said \"hi\".");
    // Text before the first quote gives exactly the quoted text.
    EXPECT_EQ(ReadStr("A\n  value: \"abc\"\nEND\n")->Body[0].Values[0].Value, u"abc");
    // A value line without quotes, or with only one, gives an empty value.
    EXPECT_EQ(ReadStr("A\nabc\nEND\n")->Body[0].Values[0].Value, u"");
    EXPECT_EQ(ReadStr("A\nab\"cd\nEND\n")->Body[0].Values[0].Value, u"");
}

TEST(StrReadTest, StructuralEdgeCases) {
    // END outside a label starts a label named END (which the writer refuses, as the games'
    // reader would take it for the end of a label).
    EXPECT_EQ(Strings(*ReadStr("END\n\"e\"\nEND\n")), (List{"END=e"}));
    // END with a comment stays inside the label as an empty value line.
    EXPECT_EQ(Strings(*ReadStr("A\n\"a\"\nEND //done\n\"b\"\nEND\n")), (List{"A=b"}));
    // A missing END swallows the next label line.
    EXPECT_EQ(Strings(*ReadStr("A\n\"a\"\nB\n\"b\"\nEND\n")), (List{"A=b"}));
    // The last of several value lines wins.
    EXPECT_EQ(Strings(*ReadStr("A\n\"1\"\n\"2\"\nEND\n")), (List{"A=2"}));
}

TEST(StrReadTest, LabelsWithoutValueLinesGetOneEmptyValue) {
    const auto doc = ReadStr("A\nEND\nB\n\"b\"\nEND\nC\n");
    ASSERT_EQ(doc->LabelCount(), 3u);
    for (const TText& text : doc->Body) {
        ASSERT_EQ(text.ValueCount(), 1u);
        EXPECT_EQ(text.Values[0].Tag, kValueTagV3);
    }
    EXPECT_EQ(Strings(*doc), (List{"A=", "B=b", "C="}));
}

TEST(StrReadTest, FilesWithoutLabelsGiveEmptyTables) {
    for (std::string_view text : {"", "\n", "%", "// only a comment\n", "\t\n  ;;\r\n", "!"}) {
        const auto doc = ReadStr(text);
        EXPECT_EQ(doc->LabelCount(), 0u);
        EXPECT_EQ(doc->StringCount, 0);
        EXPECT_EQ(doc->Version, 3);
    }
}

TEST(StrReadTest, NoLimitOnTheNumberOfLabels) {
    std::string text;
    for (int i = 0; i < 60000; ++i) {
        text += 'L';
        text += std::to_string(i);
        text += "\n\"v\"\nEND\n";
    }
    const auto doc = ReadStr(text);
    ASSERT_EQ(doc->LabelCount(), 60000u);
    EXPECT_EQ(doc->StringCount, 60000);
    EXPECT_EQ(doc->Body.back().Name, "L59999");
}

TEST(StrReadTest, CyrillicTextGoesThroughTheActiveCodePage) {
    const int saved = ActiveCodePage();
    SetActiveCodePage(1251);
    const auto doc = ReadStr("A\n\"\xCF\xF0\xE8\xE2\xE5\xF2\"\nEND\n");
    EXPECT_EQ(doc->Body[0].Values[0].Value, u"\u041F\u0440\u0438\u0432\u0435\u0442");
    EXPECT_EQ(WriteStr(*doc), "A\r\n\"\xCF\xF0\xE8\xE2\xE5\xF2\"\r\nEND\r\n");
    SetActiveCodePage(saved);
}

class RecordingProgress : public Progress {
public:
    void SetMax(int max) override { maxima.push_back(max); }
    void SetPosition(int position) override { positions.push_back(position); }
    std::vector<int> maxima;
    std::vector<int> positions;
};

TEST(StrReadTest, ProgressRunsOverTheBytesOfStructuralLines) {
    const Bytes data = ToBytes("// c\nA\n\"a\"\nEND\n\n");
    RecordingProgress progress;
    TCompiledStrings::CreateFromSTRBuffer(data, progress);
    EXPECT_EQ(progress.maxima, (std::vector<int>{static_cast<int>(data.size())}));
    EXPECT_EQ(progress.positions, (std::vector<int>{7, 11, 15}));
}

// A compiled table or other binary file read as STR text would give a few garbage labels; it is
// refused instead, and the error names the file when there is one.
TEST(StrReadTest, FilesHoldingAZeroByteOrTheCsfSignatureAreNoText) {
    const std::string csf("\x20\x46\x53\x43\x03\x00\x00\x00", 8);
    for (const std::string& data :
         {csf, std::string("A\n\"a\0b\"\nEND\n", 11), std::string(" FSC\nA\n\"a\"\nEND\n")}) {
        try {
            ReadStr(data);
            ADD_FAILURE() << "read as text: " << data;
        } catch (const FormatError& e) {
            const bool signature = data.starts_with(" FSC");
            EXPECT_NE(std::string(e.what()).find(signature ? "the signature of a compiled CSF"
                                                           : "a zero byte (at offset 4)"),
                      std::string::npos)
                << e.what();
        }
    }
    // Text that merely holds FSC later is text.
    EXPECT_EQ(Strings(*ReadStr("A FSC\n\"a\"\nEND\n")), (List{"A FSC=a"}));

    test::TempDir dir;
    const std::string path = dir.file("strings.csf");
    test::WriteBytes(path, ToBytes(csf));
    NullProgress progress;
    try {
        TCompiledStrings::CreateFromSTRFile(path, progress);
        ADD_FAILURE() << "read as text";
    } catch (const FormatError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("The file is not STR text: it begins with", 0), 0u)
            << e.what();
    }
}

TEST(StrReadTest, HostileInputsNeverCrash) {
    std::mt19937 rng(12345);
    for (int round = 0; round < 200; ++round) {
        Bytes junk(rng() % 2000);
        for (auto& b : junk) {
            // Bias towards structural bytes so the state machine is exercised.
            const unsigned r = rng() % 8;
            b = r == 0 ? '\n' : r == 1 ? '"' : r == 2 ? '\\' : static_cast<std::uint8_t>(rng());
        }
        NullProgress progress;
        if (std::find(junk.begin(), junk.end(), 0) != junk.end()) {
            EXPECT_THROW(TCompiledStrings::CreateFromSTRBuffer(junk, progress), FormatError);
            continue;
        }
        const auto doc = TCompiledStrings::CreateFromSTRBuffer(junk, progress);
        for (const TText& text : doc->Body) {
            ASSERT_EQ(text.ValueCount(), 1u);
        }
    }
    // Ten megabytes in one line: a label and a value line without line ends.
    const std::string huge(10'000'000, 'A');
    const auto doc = ReadStr(huge + "\n\"" + huge + "\"");
    ASSERT_EQ(doc->LabelCount(), 1u);
    EXPECT_EQ(doc->Body[0].Name.size(), huge.size());
    EXPECT_EQ(doc->Body[0].Values[0].Value.size(), huge.size());
}

TEST(StrWriteTest, LayoutOfTwoStrings) {
    TCompiledStrings doc;
    doc.Body = {Label("A", u"x"), Label("B", u"1\n2")};
    EXPECT_EQ(WriteStr(doc), "A\r\n\"x\"\r\nEND\r\n\r\nB\r\n\"1\\n2\"\r\nEND\r\n");
}

TEST(StrWriteTest, EmptyValuesCarriageReturnsAndEmptyTables) {
    TCompiledStrings doc;
    doc.Body = {Label("A", u""), Label("B", u"a\r\nb")};
    doc.Body.push_back(Label("C", u""));
    doc.Body.back().Values.clear();
    const std::string_view expected = "A\r\n\"\"\r\nEND\r\n\r\nB\r\n\"a\r\\nb\"\r\nEND\r\n\r\n"
                                      "C\r\n\"\"\r\nEND\r\n"sv;
    EXPECT_EQ(WriteStr(doc), expected);
    EXPECT_EQ(WriteStr(TCompiledStrings()), "");
    // A zero byte would make the file unreadable as text: such a value is refused.
    doc.Body[1].Values[0].Value = std::u16string(u"b\0c", 3);
    try {
        WriteStr(doc);
        ADD_FAILURE() << "wrote a zero byte";
    } catch (const FormatError& e) {
        EXPECT_NE(std::string(e.what()).find("\"B\" (number 2)"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("U+0000"), std::string::npos) << e.what();
    }
}

TEST(StrWriteTest, LongNamesAndValuesAreWrittenWhole) {
    TCompiledStrings doc;
    doc.Body = {Label(std::string(70000, 'N'), std::u16string(140000, u'v'))};
    const auto back = ReadStr(WriteStr(doc));
    ASSERT_EQ(back->LabelCount(), 1u);
    EXPECT_EQ(back->Body[0].Name.size(), 70000u);
    EXPECT_EQ(back->Body[0].Values[0].Value.size(), 140000u);
}

TEST(StrWriteTest, ProgressCountsLabels) {
    TCompiledStrings doc;
    doc.Body = {Label("A", u"a"), Label("B", u"b"), Label("C", u"c")};
    RecordingProgress progress;
    doc.SaveToSTRBuffer(progress);
    EXPECT_EQ(progress.maxima, (std::vector<int>{2}));
    EXPECT_EQ(progress.positions, (std::vector<int>{0, 1, 2}));
}

// Names drawn from every byte, most often from those the rule is about: a name the writer
// accepts comes back exactly, and one it refuses is refused, in words, for the fault
// FindStrNameFault gives.
TEST(StrWriteTest, NamesComeBackExactlyUnlessRefusedForTheirFault) {
    const unsigned seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    std::vector<std::string> names = {"",      "//x",       "A//B", "A\r\nB", "My Name", "Caf\xE9",
                                      "\"q\"", "GUI:<Back", "end",  "E N D",  "/ /x",    "<>"};
    const std::string marks = "Az09_:/\"'.?[]<>#;=! \t\r\nEND";
    for (int i = 0; i < 3000; ++i) {
        names.emplace_back(rng() % 7, ' ');
        for (char& c : names.back()) {
            c = rng() % 2 ? marks[rng() % marks.size()] : static_cast<char>(rng());
        }
    }
    std::size_t accepted = 0;
    for (const std::string& name : names) {
        TCompiledStrings doc;
        doc.Body = {Label("Good", u"g"), Label(name, u"v")};
        const std::optional<StrNameFault> fault = FindStrNameFault(name);
        try {
            EXPECT_EQ(Strings(*ReadStr(WriteStr(doc))), (List{"Good=g", name + "=v"}));
            EXPECT_FALSE(fault) << EnglishText(StrNameFaultMessage(*fault));
            ++accepted;
        } catch (const FormatError& e) {
            ASSERT_TRUE(fault) << e.what();
            EXPECT_NE(std::string(e.what()).find("(number 2) cannot be saved as STR: " +
                                                 EnglishText(StrNameFaultMessage(*fault))),
                      std::string::npos)
                << e.what();
        }
    }
    EXPECT_GT(accepted, names.size() / 3); // the draw tries the round trip, not only refusals
}

struct NameFaultCase {
    std::string label; // the test's name
    std::string name;
    StrNameFault fault;
    std::string_view words;
};

class StrNameFaultTest : public ::testing::TestWithParam<NameFaultCase> {};

TEST_P(StrNameFaultTest, IsFoundAndNamedInWordsWhenSaving) {
    const NameFaultCase& c = GetParam();
    EXPECT_EQ(FindStrNameFault(c.name), c.fault);
    EXPECT_EQ(EnglishText(StrNameFaultMessage(c.fault)), "the name " + std::string(c.words));
    TCompiledStrings doc;
    doc.Body = {Label("Good", u"g"), Label(c.name, u"v")};
    try {
        WriteStr(doc);
        ADD_FAILURE() << "saved";
    } catch (const FormatError& e) {
        const std::string what = e.what();
        EXPECT_EQ(what.rfind("The string \"", 0), 0u) << what;
        EXPECT_TRUE(
            what.ends_with("(number 2) cannot be saved as STR: the name " + std::string(c.words)))
            << what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    EachFault, StrNameFaultTest,
    ::testing::Values(
        NameFaultCase{"Empty", "", StrNameFault::Empty, "is empty"},
        NameFaultCase{"LineFeed", "A\nB", StrNameFault::LineEnd, "holds a line end"},
        NameFaultCase{"CarriageReturn", "A\rB", StrNameFault::LineEnd, "holds a line end"},
        NameFaultCase{"Nul", std::string("A\0B", 3), StrNameFault::Nul, "holds a NUL character"},
        NameFaultCase{"LeadingSpace", " GUI:OK", StrNameFault::LeadingSpace, "begins with a space"},
        NameFaultCase{"LeadingTab", "\tGUI:OK", StrNameFault::LeadingTab, "begins with a tab"},
        NameFaultCase{"TrailingSpace", "GUI: OK ", StrNameFault::TrailingSpace,
                      "ends with a space"},
        NameFaultCase{"TrailingTab", "GUI:OK\t", StrNameFault::TrailingTab, "ends with a tab"},
        NameFaultCase{"CommentLater", "GUI://OK", StrNameFault::CommentMark, "holds //"},
        NameFaultCase{"CommentFirst", "//GUI", StrNameFault::CommentMark, "holds //"},
        NameFaultCase{"End", "eNd", StrNameFault::EndKeyword, "is END"},
        NameFaultCase{"Quote", "\"GUI\" x", StrNameFault::LeadingQuote,
                      "begins with a quotation mark"},
        NameFaultCase{"NoLabelCharacter", "<\xE9>", StrNameFault::ReadsAsBlank,
                      "reads as a blank line (it has no letter, digit or any of "
                      "\"$&'+-./:?[]_)"},
        NameFaultCase{"SlashesApart", "/ /x", StrNameFault::ReadsAsComment,
                      "reads as a comment (leaving out all but letters, digits and "
                      "\"$&'+-./:?[]_, it begins with //)"}),
    [](const ::testing::TestParamInfo<NameFaultCase>& info) { return info.param.label; });

TEST(StrWriteTest, ValuesAreEscapedAndExtraValuesFollowTheClosingQuote) {
    TCompiledStrings doc;
    doc.Body = {Label("A", u"Say \"hi\"\tnow"), Label("B", u"C:\\Data\\"), Label("C", u"\\n\n\r")};
    doc.Body[0].Values[0].Tag = kSpeech;
    doc.Body[0].Values[0].ExtraValue = "Speech_01";
    doc.Body[1].Values[0].Tag = kSpeech; // an empty extra value writes nothing
    EXPECT_EQ(WriteStr(doc),
              "A\r\n\"Say \\\"hi\\\"\\tnow\" = Speech_01\r\nEND\r\n\r\n"
              "B\r\n\"C:\\\\Data\\\\\"\r\nEND\r\n\r\nC\r\n\"\\\\n\\n\r\"\r\nEND\r\n");
    for (const char* bad : {"a-b", "two words", "\xE9t\xE9"}) {
        doc.Body[1].Values[0].ExtraValue = bad;
        try {
            WriteStr(doc);
            ADD_FAILURE() << "saved the extra value " << bad;
        } catch (const FormatError& e) {
            EXPECT_NE(std::string(e.what()).find("\"B\" (number 2)"), std::string::npos);
        }
    }
}

// CSF written as STR and read back keeps the labels, every first value as far as the code page
// holds its characters, and every extra value of letters, digits and _; nothing else.
TEST(StrRoundTripTest, CsfThroughStrKeepsLabelsFirstValuesAndTheirExtraValues) {
    const int saved = ActiveCodePage();
    SetActiveCodePage(1252);
    const unsigned seed = std::random_device()();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    const std::u16string valueChars = u"aZ0 \"\\\t\n\r'?=/\u00E9\u20AC\u0414\U0001F600";
    auto pick = [&rng](const auto& pool, std::size_t maxLength) {
        std::remove_cvref_t<decltype(pool)> out(rng() % maxLength, pool[0]);
        for (auto& c : out) {
            c = pool[rng() % pool.size()];
        }
        return out;
    };
    TCompiledStrings csf;
    csf.Version = 2;
    csf.Language = 5;
    for (int i = 0; i < 300; ++i) {
        csf.Body.push_back(
            Label(std::to_string(i) + pick(std::string("Az_:."), 9), pick(valueChars, 20)));
        TTextContainer& value = csf.Body.back().Values[0];
        value.Tag = rng() % 2 ? kSpeech : kValueTagV3;
        value.ExtraValue = value.Tag == kSpeech ? pick(std::string("Az09_"), 9) : "";
        csf.Body.back().Values.push_back(value); // further values are not part of STR
    }
    const auto back = ReadStr(WriteStr(csf));
    EXPECT_EQ(back->Version, 3);
    EXPECT_EQ(back->Language, 0);
    ASSERT_EQ(back->LabelCount(), csf.LabelCount());
    for (TText& text : csf.Body) {
        text.Values.resize(1);
        text.Values[0].Value = PlainAnsiToWide(PlainWideToAnsi(text.Values[0].Value));
    }
    EXPECT_EQ(Strings(*back), Strings(csf));
    for (std::size_t i = 0; i < csf.Body.size(); ++i) {
        const bool extra = !csf.Body[i].Values[0].ExtraValue.empty();
        EXPECT_EQ(back->Body[i].Values[0].Tag, extra ? kSpeech : kValueTagV3) << i;
    }
    SetActiveCodePage(saved);
}

// Names as real tables hold them: spaces, marks the old label rule left out, code-page letters.
TEST(StrRoundTripTest, NamesWithSpacesMarksAndCodePageBytesComeBackAsTheyAre) {
    const List names = {
        "GUI: OK",           "GUI:<Back",         "a > b", "#1 Hit!",     "Caf\xE9 cr\xE8me",
        "x = (y), 50%; @z*", "TEXT:\xC0\x80\xFF", "A/ /B", "NAME\x1A\x7F"};
    TCompiledStrings doc;
    for (const std::string& name : names) {
        doc.Body.push_back(Label(name, u"v"));
    }
    const std::string written = WriteStr(doc);
    EXPECT_TRUE(written.starts_with("GUI: OK\r\n\"v\"\r\nEND\r\n\r\nGUI:<Back\r\n")) << written;
    List expected;
    for (const std::string& name : names) {
        expected.push_back(name + "=v");
    }
    EXPECT_EQ(Strings(*ReadStr(written)), expected);
}

TEST(StrRoundTripTest, ReadWriteReadGivesTheSameTable) {
    const std::string text = "// game texts\nGUI:OK\n\"OK\"\nEND\n\nGUI:Cancel //c\n"
                             "\"Say \"no\"\\nnow\"\nend\nMSG:Empty\nEND\n GUI: <Back> \n\"e\"\nEND";
    const auto first = ReadStr(text);
    const std::string written = WriteStr(*first);
    const auto second = ReadStr(written);
    EXPECT_EQ(Strings(*second), Strings(*first));
    EXPECT_EQ(Strings(*first),
              (List{"GUI:OK=OK", "GUI:Cancel=Say \"no\"\nnow", "MSG:Empty=", "GUI: <Back>=e"}));
    // Writing is stable from the first write on.
    EXPECT_EQ(WriteStr(*second), written);
}

TEST(StrFileTest, SaveAndLoadThroughFiles) {
    test::TempDir dir;
    const std::string path = dir.file("table.str");
    TCompiledStrings doc;
    doc.Body = {Label("A", u"a")};
    NullProgress progress;
    doc.SaveToSTR(path, progress);
    EXPECT_EQ(test::ReadBytes(path), ToBytes("A\r\n\"a\"\r\nEND\r\n"));
    EXPECT_EQ(Strings(*TCompiledStrings::CreateFromSTRFile(path, progress)), (List{"A=a"}));

    // A refused save leaves the previous file as it was.
    doc.Body.push_back(Label("Bad name ", u""));
    EXPECT_THROW(doc.SaveToSTR(path, progress), FormatError);
    EXPECT_EQ(test::ReadBytes(path), ToBytes("A\r\n\"a\"\r\nEND\r\n"));
    doc.Body.pop_back();
    // A failed save names the file and leaves nothing behind in the target folder.
    const std::string missing = dir.file("no/such/folder/t.str");
    EXPECT_THROW(doc.SaveToSTR(missing, progress), FileError);
    EXPECT_THROW(TCompiledStrings::CreateFromSTRFile(dir.file("absent.str"), progress), FileError);
    // A save that cannot replace the target keeps the previous file.
    std::filesystem::create_directory(dir.file("dir.str"));
    EXPECT_THROW(doc.SaveToSTR(dir.file("dir.str"), progress), FileError);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("dir.str")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              2);
}

} // namespace
} // namespace vste
