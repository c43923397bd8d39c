// SPDX-License-Identifier: MIT
// Every writer stores the whole converted text under the code pages that spell some letters as
// a letter plus a combining mark (1258 Vietnamese, 1255 Hebrew): nothing is cut.
#include <gtest/gtest.h>

#include <memory>

#include "core/CompiledStrings.h"
#include "encoding/CodePage.h"
#include "formats/BladeRunnerStrings.h"
#include "formats/Dune2000Strings.h"
#include "formats/LiquidStrings.h"
#include "formats/MalcolmStrings.h"
#include "formats/Registry.h"

using namespace vste;

namespace {

struct WriterCase {
    DocumentFormat format;
    bool ansiMode;
    // The format stores one byte per code unit (CSF single-byte values, STR), so a two-byte
    // spelling gives way to a look-alike letter; otherwise sizes count bytes.
    bool oneBytePerUnit;
    bool unicode;
};

class WholeTextTest : public ::testing::TestWithParam<WriterCase> {
protected:
    void SetUp() override { m_saved = ActiveCodePage(); }
    void TearDown() override { SetActiveCodePage(m_saved); }

    // What reading back the saved document gives for `value`.
    std::u16string RoundTrip(const std::u16string& value) {
        const WriterCase& c = GetParam();
        auto document = NewDocument(c.format);
        TText text;
        text.Tag = kLabelTag;
        text.Values.push_back(TTextContainer{kValueTagV3, value, {}});
        for (const char* name : {"7", "8"}) {
            text.Name = std::string(name);
            document->Body.push_back(text);
        }
        NullProgress progress;
        const auto bytes = WriteDocument(c.format, *document, progress, c.ansiMode);
        const ReadResult read = ReadDocument(c.format, bytes, progress);
        EXPECT_EQ(read.document->LabelCount(), 2u);
        // The second string proves the first did not swallow or shift what follows.
        EXPECT_EQ(read.document->Body.at(1).Values.at(0).Value,
                  read.document->Body.at(0).Values.at(0).Value);
        return read.document->Body.at(0).Values.at(0).Value;
    }

    // What the code page can hold of `value` in this format.
    std::u16string Held(const std::u16string& value, const std::u16string& lookAlike) {
        if (GetParam().unicode)
            return value;
        if (GetParam().oneBytePerUnit)
            return lookAlike;
        return AnsiToWide(WideToAnsi(value));
    }

private:
    int m_saved = 1252;
};

TEST_P(WholeTextTest, VietnameseTextUnder1258KeepsItsTail) {
    SetActiveCodePage(1258);
    // U+1EC7 and U+1EDF have no byte of their own: E-circumflex + dot below, o-horn + hook.
    const std::u16string value = u"Vi\u1EC7t Nam \u1EDF \u0111\u00E2u";
    const std::u16string held = Held(value, u"Vi\u00EAt Nam \u01A1 \u0111\u00E2u");
    EXPECT_EQ(RoundTrip(value), held);
    EXPECT_EQ(held.back(), u'u');
}

TEST_P(WholeTextTest, HebrewPointedTextUnder1255KeepsItsTail) {
    SetActiveCodePage(1255);
    // Alef with qamats as one presentation form, then shalom with its points as marks.
    const std::u16string pointed = u"\u05E9\u05C1\u05B8\u05DC\u05D5\u05B9\u05DD";
    const std::u16string value = u"\uFB2F" + pointed;
    const std::u16string held = Held(value, u"\u05D0" + pointed);
    EXPECT_EQ(RoundTrip(value), held);
    EXPECT_EQ(held.back(), u'\u05DD');
}

INSTANTIATE_TEST_SUITE_P(
    EveryWriter, WholeTextTest,
    ::testing::Values(WriterCase{DocumentFormat::CSF, true, true, false},
                      WriterCase{DocumentFormat::CSF, false, false, true},
                      WriterCase{DocumentFormat::STR, false, true, false},
                      WriterCase{DocumentFormat::EmpireAtWar, false, false, true},
                      WriterCase{DocumentFormat::Dune2000, false, false, false},
                      WriterCase{DocumentFormat::Westwood, false, false, false},
                      WriterCase{DocumentFormat::Liquid, false, false, false},
                      WriterCase{DocumentFormat::BladeRunner, false, false, false},
                      WriterCase{DocumentFormat::Malcolm, false, false, false}),
    [](const ::testing::TestParamInfo<WriterCase>& info) {
        return std::string(GetFormatInfo(info.param.format).shortName) +
               (info.param.ansiMode ? "_single_byte" : "");
    });

} // namespace
