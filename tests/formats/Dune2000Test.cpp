// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <random>

#include "core/Errors.h"
#include "encoding/CodePage.h"
#include "formats/Dune2000Strings.h"
#include "formats/FormatTestSupport.h"
#include "support/SampleFiles.h"
#include "support/TestSupport.h"

using namespace vste;
using namespace vste::test;

namespace {

constexpr auto MakeUib = &samples::Dune2000File;

constexpr auto Read = &ReadAs<TDune2000Strings>;

class Dune2000Test : public ::testing::Test {
protected:
    void SetUp() override { SetActiveCodePage(1252); }
};

} // namespace

TEST_F(Dune2000Test, LineBreaksAreStoredAsNotSign) {
    const Bytes file = MakeUib({{"TXT_TWO_LINES", "Line one\xACLine two"}});
    EXPECT_EQ(file[4 + 2 + 14], 18); // V counts the 17 text bytes and the NUL
    const auto document = Read(file);
    EXPECT_EQ(document->Body[0].Name, "TXT_TWO_LINES");
    EXPECT_EQ(document->Body[0].Values.at(0).Value, u"Line one\nLine two");
    EXPECT_EQ(Encode(*document), file);
    // Saving leaves the document's line feeds alone, so a second save is the same.
    EXPECT_EQ(document->Body[0].Values.at(0).Value, u"Line one\nLine two");
    EXPECT_EQ(Encode(*document), file);

    // A "¬" typed by the user is a line break once stored.
    TDune2000Strings typed;
    typed.Body.push_back({{}, "N", {{{}, u"a\u00ACb", {}}}});
    EXPECT_EQ(Read(Encode(typed))->Body[0].Values.at(0).Value, u"a\nb");
}

TEST_F(Dune2000Test, GeneratedTablesRoundTripByteForByte) {
    std::mt19937 random(2000);
    // Bytes Windows-1252 carries both ways, without NUL and line feed.
    std::string alphabet = "\xAC\xC0\xE9\xFF\x80\x9F";
    for (int c = 0x20; c < 0x7F; ++c)
        alphabet += static_cast<char>(c);
    std::vector<std::pair<std::string, std::string>> records;
    for (int i = 0; i < 300; ++i) {
        std::string name = "ID" + std::to_string(i);
        name += static_cast<char>(0xB0 + i % 16); // names are kept as raw bytes
        std::string value(random() % 40, ' ');
        for (char& c : value)
            c = alphabet[random() % alphabet.size()];
        records.emplace_back(name, value);
    }
    const Bytes file = MakeUib(records);
    const auto document = Read(file);
    ASSERT_EQ(document->LabelCount(), 300u);
    EXPECT_EQ(document->Body[7].Name, records[7].first);
    EXPECT_EQ(Encode(*document), file);
}

TEST_F(Dune2000Test, EditedNamesAndEmptyValuesAreStoredWithTheirSizes) {
    auto document = Read(MakeUib({{"OLD_NAME", "x"}}));
    document->Body[0].Name = "ABCDE";
    document->Body[0].Values[0].Value.clear();
    document->Body[0].Values.push_back({{}, u"second value", {}});
    const Bytes saved = Encode(*document);
    EXPECT_EQ(saved, Hex("01000000 0600 4142434445 00 0100 00"));
    EXPECT_EQ(Read(saved)->Body[0].Values.at(0).Value, u"");
}

TEST_F(Dune2000Test, TextEndsAtTheFirstNulAndTheLastStoredByteIsNeverText) {
    const auto document = Read(Hex("01000000 0200 4100 0500 61 00 62 63 64"));
    EXPECT_EQ(document->Body[0].Values.at(0).Value, u"a");
    const auto noNul = Read(Hex("01000000 0200 4100 0300 61 62 63"));
    EXPECT_EQ(noNul->Body[0].Values.at(0).Value, u"ab");
}

TEST_F(Dune2000Test, FieldsTooLongForSixteenBitSizesAreRefused) {
    TDune2000Strings document;
    document.Body.push_back({{}, std::string(65534, 'n'), {{{}, std::u16string(65534, u'v'), {}}}});
    const Bytes fits = Encode(document);
    EXPECT_EQ(Read(fits)->Body[0].Name.size(), 65534u);

    document.Body.push_back({{}, "LONG_VALUE", {{{}, std::u16string(65535, u'v'), {}}}});
    try {
        Encode(document);
        FAIL() << "expected FormatError";
    } catch (const FormatError& e) {
        EXPECT_NE(std::string(e.what()).find("'LONG_VALUE'"), std::string::npos) << e.what();
    }
    document.Body.pop_back();
    document.Body.push_back({{}, std::string(65535, 'n'), {{{}, u"v", {}}}});
    EXPECT_THROW(Encode(document), FormatError);

    TempDir dir;
    const std::string path = dir.file("TEXT.UIB");
    WriteBytes(path, fits);
    NullProgress progress;
    EXPECT_THROW(document.SaveToFile(path, progress, false), FormatError);
    EXPECT_EQ(ReadBytes(path), fits);
}

TEST_F(Dune2000Test, FilesAndProgress) {
    const Bytes file = MakeUib({{"A", "1"}, {"B", "2"}, {"C", "3"}});
    TempDir dir;
    const std::string path = dir.file("TEXT.UIB");
    WriteBytes(path, file);
    RecordingProgress reading;
    const auto document = TDune2000Strings::CreateFromFile(path, reading);
    EXPECT_EQ(reading.maxima, (std::vector<int>{2}));
    EXPECT_EQ(reading.positions, (std::vector<int>{0, 1, 2}));

    RecordingProgress writing;
    const std::string copy = dir.file("COPY.UIB");
    document->SaveToFile(copy, writing, true);
    EXPECT_EQ(ReadBytes(copy), file);
    EXPECT_EQ(writing.maxima, (std::vector<int>{2}));
    EXPECT_EQ(writing.positions.back(), 2);
    EXPECT_THROW(TDune2000Strings::CreateFromFile(dir.file("none.uib"), reading), FileError);
}

TEST_F(Dune2000Test, ZeroRecordsMakeAnEmptyDocument) {
    EXPECT_EQ(Read(Hex("00000000"))->LabelCount(), 0u);
    EXPECT_EQ(Encode(TDune2000Strings{}), Hex("00000000"));
}

TEST_F(Dune2000Test, HostileInputsEndInReadError) {
    const Bytes file = MakeUib({{"A", "one"}, {"B", ""}});
    EXPECT_TRUE(PrefixesThatRead(file, [](std::span<const std::uint8_t> data) {
                    NullProgress progress;
                    TDune2000Strings::CreateFromBuffer(data, progress);
                }).empty());
    EXPECT_THROW(Read(Hex("FFFFFFFF 0200 4100 0100 00")), ReadError);
    EXPECT_THROW(Read(Hex("01000000 FFFF 4100 0100 00")), ReadError);
    EXPECT_THROW(Read(Hex("01000000 0000 0100 00")), ReadError); // name size without its NUL
    EXPECT_THROW(Read(Hex("01000000 0100 00 0000")), ReadError); // value size without its NUL
}
