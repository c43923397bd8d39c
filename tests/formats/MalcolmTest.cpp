// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "core/Errors.h"
#include "formats/FormatTestSupport.h"
#include "formats/MalcolmStrings.h"
#include "support/TestSupport.h"

using namespace vste;
using namespace vste::test;

namespace {

constexpr auto Read = &ReadAs<TMalcolmStrings>;

std::string FormatErrorOf(const TWestwoodStrings& doc) {
    try {
        Encode(doc);
    } catch (const FormatError& e) {
        return e.what();
    }
    return "no error";
}

// The texts AB and C with the identifiers 3 and 4.
const Bytes kTwoTexts = Hex("0200 0300 0400 0A00 0D00 414200 4300");

} // namespace

TEST(MalcolmTest, ReadsTextsUpToTheNextOffsetAndTheLastToTheFileEnd) {
    auto doc = Read(kTwoTexts);
    ASSERT_EQ(doc->LabelCount(), 2u);
    EXPECT_EQ(doc->Body[0].Name, "3");
    EXPECT_EQ(doc->Body[1].Name, "4");
    EXPECT_EQ(doc->Body[0].Values.at(0).Value, u"AB");
    EXPECT_EQ(doc->Body[1].Values.at(0).Value, u"C");

    auto single = Read(Hex("0100 FFFF 0600 48656C6C6F00"));
    ASSERT_EQ(single->LabelCount(), 1u);
    EXPECT_EQ(single->Body[0].Name, "65535");
    EXPECT_EQ(single->Body[0].Values[0].Value, u"Hello");

    auto empty = Read(Hex("0200 0100 0200 0A00 0B00 0000"));
    EXPECT_EQ(empty->Body[0].Values[0].Value, u"");
    EXPECT_EQ(empty->Body[1].Values[0].Value, u"");
    EXPECT_EQ(Read(Hex("0000"))->LabelCount(), 0u);
}

TEST(MalcolmTest, SavesItsOwnLayoutByteForByte) {
    EXPECT_EQ(Encode(*Read(kTwoTexts)), kTwoTexts);
    EXPECT_EQ(Encode(TMalcolmStrings()), Hex("0000"));

    TMalcolmStrings doc;
    doc.Body.push_back(OneValue("10", u"One"));
    doc.Body.push_back(OneValue("20", u""));
    doc.Body.push_back(OneValue("30", u"Three"));
    const Bytes expected = Hex("0300 0A00 1400 1E00 0E00 1200 1300 4F6E6500 00 546872656500");
    EXPECT_EQ(Encode(doc), expected);

    TempDir dir;
    NullProgress progress;
    doc.SaveToFile(dir.file("out.tre"), progress, false);
    EXPECT_EQ(ReadBytes(dir.file("out.tre")), expected);
    EXPECT_EQ(
        TMalcolmStrings::CreateFromFile(dir.file("out.tre"), progress)->Body[2].Values[0].Value,
        u"Three");
}

TEST(MalcolmTest, SixteenBitLimitsAreRefusedNamingTheString) {
    TMalcolmStrings longValue;
    longValue.Body.push_back(OneValue("1", u"a"));
    longValue.Body.push_back(OneValue("2", std::u16string(0xFFFF, u'x')));
    EXPECT_NE(FormatErrorOf(longValue).find("\"2\""), std::string::npos)
        << FormatErrorOf(longValue);

    // Each value fits, but the third string would start past offset 65535.
    TMalcolmStrings tooBig;
    for (const char* name : {"1", "2", "3"})
        tooBig.Body.push_back(OneValue(name, std::u16string(40000, u'x')));
    EXPECT_NE(FormatErrorOf(tooBig).find("\"3\""), std::string::npos) << FormatErrorOf(tooBig);
    // The last string may end past 65535: only where strings begin is stored.
    tooBig.Body.pop_back();
    EXPECT_EQ(Encode(tooBig).size(), 10u + 80002u);

    // A string may begin at 65535 exactly, the last offset a 16-bit field holds.
    TMalcolmStrings atTheEdge;
    atTheEdge.Body.push_back(OneValue("1", std::u16string(0xFFFF - 10 - 1, u'x')));
    atTheEdge.Body.push_back(OneValue("2", u"last"));
    const Bytes edge = Encode(atTheEdge);
    EXPECT_EQ(edge.at(8) | (edge.at(9) << 8), 0xFFFF);
    const auto reread = ReadAs<TMalcolmStrings>(edge);
    ASSERT_EQ(reread->LabelCount(), 2u);
    EXPECT_EQ(reread->Body[1].Values[0].Value, u"last");
    EXPECT_EQ(reread->Body[0].Values[0].Value, atTheEdge.Body[0].Values[0].Value);

    TMalcolmStrings badName;
    badName.Body.push_back(OneValue("65536", u"x"));
    EXPECT_NE(FormatErrorOf(badName).find("\"65536\""), std::string::npos);
    badName.Body[0].Name = "TEXT_A";
    EXPECT_NE(FormatErrorOf(badName).find("\"TEXT_A\""), std::string::npos);

    TMalcolmStrings tooMany;
    tooMany.Body.resize(20000, OneValue("1", u""));
    EXPECT_NE(FormatErrorOf(tooMany), "no error");

    // A refused save leaves no file behind.
    TempDir dir;
    NullProgress progress;
    EXPECT_THROW(badName.SaveToFile(dir.file("out.tre"), progress, false), FormatError);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.tre")));
}

TEST(MalcolmTest, MalformedTablesAreRefused) {
    for (const char* table : {
             "0200 0300 0400 0B00 0D00", // odd first offset
             "0200 0300 0400 0800 0D00", // first offset inside the tables
             "0200 0300 0400 0D00 0A00", // decreasing
             "0200 0300 0400 0A00 0A00", // a size of zero: a negative text length
             "0200 0300 0400 0A00 0F00", // the last text starts at the file's end
         }) {
        SCOPED_TRACE(table);
        EXPECT_THROW(Read(Hex(std::string(table) + "414200 4300")), ReadError);
    }
    EXPECT_THROW(Read(Hex("FFFF 0000")), ReadError);
    EXPECT_THROW(Read(Hex("01")), ReadError);
    // Only dropping the final NUL still leaves a readable table (with a shorter last text).
    EXPECT_EQ(PrefixesThatRead(kTwoTexts, Read), (std::vector<std::size_t>{14}));
}
