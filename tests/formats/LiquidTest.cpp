// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Errors.h"
#include "core/FileIO.h"
#include "encoding/CodePage.h"
#include "formats/FormatTestSupport.h"
#include "formats/LiquidStrings.h"
#include "support/SampleFiles.h"
#include "support/TestSupport.h"

using namespace vste;
using namespace vste::test;

namespace {

using Record = samples::LiquidRecord;
Bytes MakeLte(const std::vector<Record>& records, std::uint32_t header = 1) {
    return samples::LiquidFile(records, header);
}

constexpr auto Read = &ReadAs<TLiquidStrings>;

class LiquidTest : public ::testing::Test {
protected:
    void SetUp() override { SetActiveCodePage(1252); }
};

} // namespace

TEST_F(LiquidTest, FileRoundTripsByteForByte) {
    // Identifiers across the whole unsigned range: those from 2147483648 up must save too.
    const Bytes file = MakeLte({{42, {'H', 'i'}},
                                {0, {}},
                                {2147483647u, {0xE9, ' ', 'x'}},
                                {2147483648u, {'a'}},
                                {4294967295u, {'z'}}});
    const auto document = Read(file);
    ASSERT_EQ(document->LabelCount(), 5u);
    EXPECT_EQ(document->Body[0].Name, "42");
    EXPECT_EQ(document->Body[0].Values.at(0).Value, u"Hi");
    EXPECT_EQ(document->Body[1].Values.at(0).Value, u"");
    EXPECT_EQ(document->Body[2].Values.at(0).Value, u"\u00E9 x");
    EXPECT_EQ(document->Body[3].Name, "2147483648");
    EXPECT_EQ(document->Body[4].Name, "4294967295");
    EXPECT_EQ(document->Body[4].Tag, Tag4{});
    EXPECT_EQ(Encode(*document), file);
}

TEST_F(LiquidTest, HighBytesAreDroppedAndTextEndsAtTheFirstZeroUnit) {
    // Header word 7 and the record byte are ignored; the writer stores 1 and 0.
    Bytes file = MakeLte({{1, {0x0410, 'b'}}, {2, {'a', 0, 'b'}}}, 7);
    file[12] = 0x55;
    const auto document = Read(file);
    EXPECT_EQ(document->Body[0].Values.at(0).Value, u"\u0010b");
    EXPECT_EQ(document->Body[1].Values.at(0).Value, u"a");
    EXPECT_EQ(Encode(*document), MakeLte({{1, {0x0010, 'b'}}, {2, {'a'}}}));
}

TEST_F(LiquidTest, NamesThatAreNotUnsignedNumbersAreRefused) {
    for (const char* name : {"4294967296", "-1", "", "12a", " 1", "+1", "0x10"}) {
        TLiquidStrings document;
        document.Body.push_back({{}, "7", {{{}, u"ok", {}}}});
        document.Body.push_back({{}, name, {{{}, u"x", {}}}});
        try {
            Encode(document);
            ADD_FAILURE() << "accepted '" << name << "'";
        } catch (const FormatError& e) {
            EXPECT_EQ(e.what(), "'" + std::string(name) + "' is not a valid integer value");
        }
    }
    EXPECT_EQ(ParseLiquidIdentifier("007"), 7u);

    TempDir dir;
    const std::string path = dir.file("TEXT.LTE");
    TLiquidStrings bad;
    bad.Body.push_back({{}, "name", {{{}, u"x", {}}}});
    NullProgress progress;
    EXPECT_THROW(bad.SaveToFile(path, progress, false), FormatError);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(LiquidTest, DocumentOperationsLeaveTheTableAlone) {
    auto document = Read(MakeLte({{5, {'a'}}}));
    document->AddString({{}, "6", {{{}, u"b", {}}}});
    document->DeleteString(0);
    document->SetVersion(3);
    ASSERT_EQ(document->LabelCount(), 1u);
    EXPECT_EQ(document->Version, 0);

    TempDir dir;
    const std::string path = dir.file("TEXT.LTE");
    NullProgress progress;
    document->SaveToFile(path, progress, false);
    EXPECT_EQ(ReadBytes(path), MakeLte({{5, {'a'}}}));
    EXPECT_EQ(TLiquidStrings::CreateFromFile(path, progress)->Body[0].Name, "5");
}

TEST_F(LiquidTest, ZeroRecordsMakeAnEmptyDocument) {
    const Bytes empty = MakeLte({});
    EXPECT_EQ(Read(empty)->LabelCount(), 0u);
    EXPECT_EQ(Encode(TLiquidStrings{}), empty);
}

TEST_F(LiquidTest, HostileInputsEndInReadError) {
    const Bytes file = MakeLte({{1, {'a', 'b'}}, {2, {}}});
    EXPECT_TRUE(PrefixesThatRead(file, [](std::span<const std::uint8_t> data) {
                    NullProgress progress;
                    TLiquidStrings::CreateFromBuffer(data, progress);
                }).empty());

    Bytes hugeCount = file;
    hugeCount[4] = hugeCount[5] = hugeCount[6] = hugeCount[7] = 0xFF;
    EXPECT_THROW(Read(hugeCount), ReadError);

    Bytes hugeLength = file;
    for (int i = 13; i < 17; ++i)
        hugeLength[static_cast<std::size_t>(i)] = 0xFF;
    EXPECT_THROW(Read(hugeLength), ReadError);

    Bytes zeroLength = MakeLte({{1, {}}});
    zeroLength[13] = 0;
    zeroLength.resize(17);
    EXPECT_THROW(Read(zeroLength), ReadError);
}
