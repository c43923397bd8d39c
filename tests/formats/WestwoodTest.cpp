// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "core/Errors.h"
#include "core/Model.h"
#include "core/WestwoodText.h"
#include "encoding/CodePage.h"
#include "formats/FormatTestSupport.h"
#include "support/SampleFiles.h"
#include "support/TestSupport.h"

using namespace vste;
using namespace vste::test;

namespace {

// A string file built independently of the writer: the offset table (one word per string, plus
// `extraEndEntry`) followed by the given stored strings, each NUL-terminated.
Bytes MakeStringFile(const std::vector<std::string>& strings, bool extraEndEntry) {
    return samples::WestwoodFile(strings, extraEndEntry);
}

constexpr auto Read = &ReadAs<TWestwoodStrings>;

std::vector<std::u16string> Values(const TWestwoodStrings& document) {
    std::vector<std::u16string> values;
    for (const auto& text : document.Body) {
        EXPECT_EQ(text.ValueCount(), 1u);
        values.push_back(text.Values.at(0).Value);
    }
    return values;
}

TWestwoodStrings Document(const std::vector<std::u16string>& values) {
    TWestwoodStrings document;
    for (std::size_t i = 0; i < values.size(); ++i) {
        TText text;
        text.Name = "String " + std::to_string(i + 1);
        text.Values.push_back({{}, values[i], {}});
        document.Body.push_back(std::move(text));
    }
    return document;
}

class WestwoodTest : public ::testing::Test {
protected:
    void SetUp() override { SetActiveCodePage(1252); }
    void TearDown() override { SetActiveCodePage(1252); }
};

} // namespace

TEST(WestwoodTextTest, ExpandsLetterPairsEscapesAndControlBytes) {
    EXPECT_EQ(DecompressWestwoodText("\x80\x88\xFF"), " te mm");
    EXPECT_EQ(DecompressWestwoodText("\xE4\xE5\xBC"), "d,d.s.");
    EXPECT_EQ(DecompressWestwoodText("\x1B\x41"), "\xC0");
    EXPECT_EQ(DecompressWestwoodText("x\x1B"), "x\x7F"); // escape without a following byte
    EXPECT_EQ(DecompressWestwoodText("a\rb"), "a\nb");
    EXPECT_EQ(DecompressWestwoodText("\x09\x0A\x01"), "\xA7\xA7\xA7");
    const std::string plain = "Plain text, 100% ASCII {~}";
    EXPECT_EQ(DecompressWestwoodText(plain), plain);
    EXPECT_EQ(DecompressWestwoodText(""), "");
}

TEST_F(WestwoodTest, GameFormIsExpandedAndItsLastStringRunsToTheEnd) {
    // "\x90\xB8\x1B\x6A" = "th" + "s " + 0xE9; the last string has no table entry of its own end.
    const Bytes file = MakeStringFile({"\x90"
                                       "e",
                                       "\xB8"
                                       "x\x1B\x6A",
                                       "\rend"},
                                      false);
    ASSERT_EQ(file[0], 6);
    const auto document = Read(file);
    EXPECT_EQ(Values(*document), (std::vector<std::u16string>{u"the", u"s x\u00E9", u"\nend"}));
    EXPECT_EQ(document->Body[2].Name, "String 3");
    EXPECT_EQ(document->LabelCount(), 3u);
    EXPECT_EQ(document->Version, 0);
    EXPECT_EQ(document->Body[0].Tag, Tag4{});
    const TCat categories = document->GetCategories();
    ASSERT_EQ(categories.size(), 1u);
    EXPECT_EQ(categories[0].IDs, (TIDs{0, 1, 2}));

    // Saved in the editor form: one more table word, plain text, one final empty entry; read
    // back without expansion (0xE9 would otherwise expand to "ui").
    const Bytes saved = Encode(*document);
    EXPECT_EQ(saved, MakeStringFile({"the", "s x\xE9", "\nend"}, true));
    EXPECT_EQ(saved[0], 8);
    const auto reread = Read(saved);
    EXPECT_EQ(Values(*reread), Values(*document));
    EXPECT_EQ(Encode(*reread), saved);
}

TEST_F(WestwoodTest, GameFormEndingInAnEmptyStringReadsAsEditorForm) {
    // 0xE9 would expand to "ui" in the game form.
    const auto document = Read(MakeStringFile({"\xE9", ""}, false));
    EXPECT_EQ(Values(*document), (std::vector<std::u16string>{u"\u00E9"}));
}

TEST_F(WestwoodTest, LastOffsetAtTheEndOfTheFileGivesAnEmptyLastString) {
    Bytes file = MakeStringFile({"\x90"
                                 "e"},
                                false);
    samples::Builder table;
    table.u16(4).u16(static_cast<std::uint16_t>(file.size() + 2));
    file.erase(file.begin(), file.begin() + 2);
    const Bytes tableBytes = table.take();
    file.insert(file.begin(), tableBytes.begin(), tableBytes.end());
    const auto document = Read(file);
    EXPECT_EQ(Values(*document), (std::vector<std::u16string>{u"the", u""}));
}

TEST_F(WestwoodTest, PairBytesOutsideTheCodePageStillExpand) {
    // 0x98 has no character in Windows-1251; the stored byte must expand all the same.
    SetActiveCodePage(1251);
    const auto document = Read(MakeStringFile({"x", "\x98\x98"}, false));
    EXPECT_EQ(Values(*document), (std::vector<std::u16string>{u"x", u"anan"}));
}

TEST_F(WestwoodTest, EmptyDocumentRoundTrips) {
    const Bytes empty = Hex("02 00 00");
    EXPECT_EQ(Read(empty)->LabelCount(), 0u);
    EXPECT_EQ(Encode(TWestwoodStrings{}), empty);
}

TEST_F(WestwoodTest, WriterSizesTextsByTheirBytesAndStoresOnlyTheFirstValue) {
    TWestwoodStrings document = Document({u"\u00E9t\u00E9", u"", u"a\nb"});
    document.Body[0].Values.push_back({{}, u"ignored", {}});
    document.Body[1].Name = "renamed";
    const Bytes saved = Encode(document);
    EXPECT_EQ(saved, MakeStringFile({"\xE9t\xE9", "", "a\nb"}, true));
    const auto reread = Read(saved);
    EXPECT_EQ(reread->Body[1].Name, "String 2");
    EXPECT_EQ(Values(*reread), (std::vector<std::u16string>{u"\u00E9t\u00E9", u"", u"a\nb"}));

    // A NUL inside a value ends its text.
    const Bytes withNul = Encode(Document({std::u16string(u"ab\0cd", 5)}));
    EXPECT_EQ(withNul, Hex("04 00 07 00 61 62 00 00"));
}

TEST_F(WestwoodTest, DocumentBeyondSixteenBitOffsetsIsRefused) {
    // One string: 4 table bytes + text + NUL + final NUL.
    const std::size_t fits = kWestwoodMaxFileSize - 6;
    EXPECT_EQ(Encode(Document({std::u16string(fits, u'a')})).size(), kWestwoodMaxFileSize);

    // One byte over would wrap the last offset around to 0.
    EXPECT_THROW(Encode(Document({std::u16string(fits + 1, u'a')})), FormatError);

    TWestwoodStrings tooBig = Document({u"short", std::u16string(fits, u'a')});
    try {
        Encode(tooBig);
        FAIL() << "expected FormatError";
    } catch (const FormatError& e) {
        EXPECT_NE(std::string(e.what()).find("'String 2'"), std::string::npos) << e.what();
    }

    TempDir dir;
    const std::string path = dir.file("TEXT.ENG");
    WriteBytes(path, Hex("02 00 00"));
    NullProgress progress;
    EXPECT_THROW(tooBig.SaveToFile(path, progress, false), FormatError);
    EXPECT_EQ(ReadBytes(path), Hex("02 00 00"));
}

TEST_F(WestwoodTest, SaveToFileStoresTheEditorForm) {
    TempDir dir;
    const std::string path = dir.file("TEXT.GER");
    const TWestwoodStrings document = Document({u"eins", u"zwei"});
    NullProgress progress;
    TWestwoodStrings(document).SaveToFile(path, progress, true);
    EXPECT_EQ(ReadBytes(path), Encode(document));
    EXPECT_EQ(Values(*TWestwoodStrings::CreateFromFile(path, progress)), Values(document));
    EXPECT_THROW(TWestwoodStrings::CreateFromFile(dir.file("missing.eng"), progress), FileError);
}

TEST_F(WestwoodTest, MalformedTablesAreRefused) {
    const char* cases[] = {
        "",                                    // no table at all
        "00 00 41 00",                         // first offset zero
        "03 00 41 00",                         // odd first offset
        "08 00 41 00",                         // first offset beyond the end
        "06 00 09 00 07 00 41 00 42 00 43 00", // offsets decrease
        "06 00 07 00 20 00 41 00 42 00",       // offset past the end
    };
    for (const char* hex : cases)
        EXPECT_THROW(Read(Hex(hex)), ReadError) << hex;
}

TEST_F(WestwoodTest, TruncatedFilesNeverCrash) {
    const Bytes game = MakeStringFile({"\x90"
                                       "e",
                                       "\xB8"
                                       "x",
                                       "end"},
                                      false);
    const Bytes editor = MakeStringFile({"one", "two"}, true);
    for (const Bytes& file : {game, editor}) {
        const auto accepted = PrefixesThatRead(file, [](std::span<const std::uint8_t> data) {
            NullProgress progress;
            TWestwoodStrings::CreateFromBuffer(data, progress);
        });
        // Only a prefix that still reaches the last table offset reads (as the game form).
        const std::size_t lastOffset = file[4] | (file[5] << 8);
        EXPECT_FALSE(accepted.empty());
        for (std::size_t length : accepted)
            EXPECT_GE(length, lastOffset);
    }
}
