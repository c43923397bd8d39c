// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "core/Errors.h"
#include "encoding/CodePage.h"
#include "formats/BladeRunnerStrings.h"
#include "formats/FormatTestSupport.h"
#include "support/TestSupport.h"

using namespace vste;
using namespace vste::test;

namespace {

constexpr auto Read = &ReadAs<TBladeRunnerStrings>;

// Two texts AB and C with the identifiers 100 and 7; the header comes with the offsets.
Bytes TwoTexts(const std::string& offsets) {
    return Hex("02000000 64000000 07000000" + offsets + "414200 4300");
}

} // namespace

TEST(BladeRunnerTest, ReadsNamesAndTextsFromOffsetDifferences) {
    // Offsets counted from the start of the file and from byte 4 give the same sizes.
    for (const char* offsets : {"18000000 1B000000 1D000000", "14000000 17000000 19000000"}) {
        SCOPED_TRACE(offsets);
        auto doc = Read(TwoTexts(offsets));
        ASSERT_EQ(doc->LabelCount(), 2u);
        EXPECT_EQ(doc->Body[0].Name, "100");
        EXPECT_EQ(doc->Body[1].Name, "7");
        ASSERT_EQ(doc->Body[0].ValueCount(), 1u);
        EXPECT_EQ(doc->Body[0].Values[0].Value, u"AB");
        EXPECT_EQ(doc->Body[1].Values[0].Value, u"C");
        EXPECT_EQ(doc->Body[0].Values[0].Tag, Tag4{});
    }
    EXPECT_EQ(Read(Hex("01000000 FFFFFFFF 0C000000 0D000000 00"))->Body[0].Name, "4294967295");
}

TEST(BladeRunnerTest, WritesOffsetsCountedFromByteFour) {
    auto doc = Read(TwoTexts("18000000 1B000000 1D000000"));
    const Bytes written = Encode(*doc);
    EXPECT_EQ(written, TwoTexts("14000000 17000000 19000000"));
    EXPECT_EQ(Encode(*Read(written)), written);

    TempDir dir;
    NullProgress progress;
    doc->SaveToFile(dir.file("out.trr"), progress, false);
    EXPECT_EQ(ReadBytes(dir.file("out.trr")), written);
    EXPECT_EQ(TBladeRunnerStrings::CreateFromFile(dir.file("out.trr"), progress)->LabelCount(), 2u);
}

TEST(BladeRunnerTest, EmptyTextsAndEmptyFiles) {
    auto doc = Read(Hex("02000000 01000000 02000000 14000000 15000000 16000000 0000"));
    ASSERT_EQ(doc->LabelCount(), 2u);
    EXPECT_EQ(doc->Body[0].Values[0].Value, u"");
    EXPECT_EQ(doc->Body[1].Values[0].Value, u"");

    EXPECT_EQ(Read(Hex("00000000"))->LabelCount(), 0u);
    EXPECT_EQ(Read(Hex("00000000 04000000"))->LabelCount(), 0u);
    EXPECT_EQ(Encode(TBladeRunnerStrings()), Hex("00000000 04000000"));
}

TEST(BladeRunnerTest, TextsUseTheActiveCodePage) {
    const int previous = ActiveCodePage();
    SetActiveCodePage(1251);
    TBladeRunnerStrings doc;
    doc.Body.push_back(OneValue("1", U16("Да")));
    const Bytes written = Encode(doc);
    EXPECT_EQ(written, Hex("01000000 01000000 0C000000 0F000000 C4E000"));
    EXPECT_EQ(Read(written)->Body[0].Values[0].Value, U16("Да"));
    SetActiveCodePage(previous);
}

TEST(BladeRunnerTest, NamesThatAreNoIdentifiersAreRefusedAndNothingIsWritten) {
    for (const char* name : {"", "abc", "12a", "-1", "4294967296"}) {
        TBladeRunnerStrings doc;
        doc.Body.push_back(OneValue("5", u"ok"));
        doc.Body.push_back(OneValue(name, u"x"));
        TempDir dir;
        NullProgress progress;
        try {
            doc.SaveToFile(dir.file("out.trr"), progress, false);
            ADD_FAILURE() << "saved the name \"" << name << "\"";
        } catch (const FormatError& e) {
            EXPECT_NE(std::string(e.what()).find("\"" + std::string(name) + "\""),
                      std::string::npos)
                << e.what();
        }
        EXPECT_FALSE(std::filesystem::exists(dir.file("out.trr")));
    }
}

TEST(BladeRunnerTest, MalformedTablesAreRefused) {
    for (const char* offsets : {
             "13000000 17000000 19000000", // odd first offset
             "12000000 17000000 19000000", // first offset inside the tables
             "14000000 19000000 17000000", // decreasing
             "14000000 14000000 19000000", // a size of zero: a negative text length
             "18000000 1B000000 1E000000", // past the end of the file
         }) {
        SCOPED_TRACE(offsets);
        EXPECT_THROW(Read(TwoTexts(offsets)), ReadError);
    }
    EXPECT_THROW(Read(Hex("FFFFFFFF 00000000")), ReadError);
    EXPECT_THROW(Read(Hex("01000000 00000000 0C000000 FFFFFFFF 00")), ReadError);
    EXPECT_TRUE(PrefixesThatRead(TwoTexts("14000000 17000000 19000000"), Read).empty());
    EXPECT_TRUE(PrefixesThatRead(TwoTexts("18000000 1B000000 1D000000"), Read).empty());
}
