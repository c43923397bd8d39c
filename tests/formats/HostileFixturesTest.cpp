// SPDX-License-Identifier: MIT
// Files built to break a reader, each named by what it breaks (tests/fixtures/hostile). A reader
// must refuse them with "Stream read error" before allocating what their counts announce. The
// STR reader refuses what is no text (a zero byte, the CSF signature) and accepts any text (an
// empty file is an empty table), which it must read without harm; what it reads must survive a
// save and a second read.
#include <gtest/gtest.h>

#include <string>

#include "core/Errors.h"
#include "encoding/CodePage.h"
#include "formats/Registry.h"
#include "support/SampleFiles.h"
#include "support/TestSupport.h"

using namespace vste;

namespace {

class HostileFixtureTest : public ::testing::TestWithParam<samples::HostileFile> {};

TEST_P(HostileFixtureTest, IsRefusedOrReadSafely) {
    const samples::HostileFile& h = GetParam();
    const std::string path = std::string(VSTE_SOURCE_DIR) + "/tests/fixtures/hostile/" + h.name;
    const test::Bytes bytes = test::ReadBytes(path);
    // The committed file is the one the generator describes (fuzz/make_seeds --hostile).
    EXPECT_EQ(test::ToHex(bytes), test::ToHex(h.bytes));

    const FormatInfo* format = FindFormatByName(h.format);
    ASSERT_NE(format, nullptr) << h.format;
    NullProgress progress;
    if (h.expect == samples::Expect::ReadError) {
        try {
            ReadDocument(format->id, bytes, progress);
            FAIL() << h.name << " was read without an error";
        } catch (const ReadError& e) {
            EXPECT_STREQ(e.what(), "Stream read error");
        }
    } else if (h.expect == samples::Expect::NotText) {
        try {
            ReadDocument(format->id, bytes, progress);
            FAIL() << h.name << " was read as text";
        } catch (const FormatError& e) {
            EXPECT_NE(std::string(e.what()).find("is not STR text"), std::string::npos) << e.what();
        }
    } else {
        const ReadResult r = ReadDocument(format->id, bytes, progress);
        ASSERT_NE(r.document, nullptr);
        for (const TText& t : r.document->Body)
            ASSERT_FALSE(t.Values.empty()) << t.Name;
        const auto written = WriteDocument(format->id, *r.document, progress, r.singleByte);
        const ReadResult again = ReadDocument(format->id, written, progress);
        ASSERT_EQ(again.document->Body.size(), r.document->Body.size());
        for (std::size_t i = 0; i < r.document->Body.size(); ++i) {
            EXPECT_EQ(again.document->Body[i].Name, r.document->Body[i].Name);
            const std::u16string& before = r.document->Body[i].Values[0].Value;
            const std::u16string& after = again.document->Body[i].Values.at(0).Value;
            EXPECT_TRUE(before == after)
                << "'" << Utf16ToUtf8(before) << "' came back as '" << Utf16ToUtf8(after) << "', "
                << "string " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, HostileFixtureTest, ::testing::ValuesIn(samples::HostileFiles()),
                         [](const ::testing::TestParamInfo<samples::HostileFile>& info) {
                             std::string name = info.param.name;
                             name = name.substr(0, name.find('.'));
                             return name;
                         });

// A file without a final line feed still gives its last string.
TEST(HostileStrTest, WithoutFinalNewlineKeepsItsLastString) {
    const test::Bytes bytes = test::ReadBytes(std::string(VSTE_SOURCE_DIR) +
                                              "/tests/fixtures/hostile/str_no_newline.str");
    NullProgress progress;
    const ReadResult r = ReadDocument(DocumentFormat::STR, bytes, progress);
    ASSERT_EQ(r.document->Body.size(), 1u);
    EXPECT_EQ(r.document->Body[0].Name, "GUI:OK");
    EXPECT_EQ(r.document->Body[0].Values.at(0).Value, u"OK");
}

} // namespace
