// SPDX-License-Identifier: MIT
// Outlined CSF tables stand in for read ones: the status and the memory built from them are
// exactly those of the tables read in full, and whatever the reader would refuse or read as
// single-byte text is left to it.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/CompiledStrings.h"
#include "core/Errors.h"
#include "core/Progress.h"
#include "translation/CsfOutline.h"
#include "translation/Tmx.h"
#include "translation/TranslationStatus.h"

using namespace vste;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A random table of names that repeat and differ in case, with 0 to 3 values each (some empty,
// some shared with the other table, some with text XML carries only escaped) and extra values.
TCSFBody RandomBody(std::mt19937& rng, const TCSFBody* source) {
    static const char* const names[] = {"GUI:Ok", "gui:ok", "TXT:A", "txt:b", "MAP:X1", "Name"};
    static const std::u16string texts[] = {
        u"", u"Attack", u"a & b < c", u"line\r\nbreak", u"Угроза", u"\U0001F600 x", u"tab\there"};
    TCSFBody body(rng() % 12);
    for (std::size_t i = 0; i < body.size(); ++i) {
        TText& text = body[i];
        text.Tag = {' ', 'L', 'B', 'L'};
        text.Name = names[rng() % 6];
        text.Values.resize(1 + rng() % 3);
        for (std::size_t k = 0; k < text.Values.size(); ++k) {
            TTextContainer& v = text.Values[k];
            const bool extra = rng() % 4 == 0;
            v.Tag = {static_cast<std::uint8_t>(extra ? 'W' : ' '), 'R', 'T', 'S'};
            if (extra)
                v.ExtraValue = "speech";
            if (source && i < source->size() && k < (*source)[i].Values.size() && rng() % 3 == 0)
                v.Value = (*source)[i].Values[k].Value;
            else
                v.Value = texts[rng() % 7];
        }
    }
    return body;
}

Bytes Saved(const TCSFBody& body) {
    TCompiledStrings table;
    table.Body = body;
    table.Language = 3;
    NullProgress progress;
    return table.SaveToBuffer(progress, false);
}

struct ReadTable {
    std::unique_ptr<TCompiledStrings> document;
    bool singleByte = false;
};

ReadTable Read(const Bytes& bytes) {
    NullProgress progress;
    ReadTable read;
    read.document = TCompiledStrings::CreateFromBuffer(bytes, progress, read.singleByte);
    return read;
}

} // namespace

TEST(CsfOutlineTest, StatusAndMemoryOfOutlinedTablesAreThoseOfTheTablesRead) {
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        const TCSFBody source = RandomBody(rng, nullptr);
        const TCSFBody translation = RandomBody(rng, &source);
        const Bytes sourceBytes = Saved(source);
        const Bytes translationBytes = Saved(translation);
        const auto a = CsfOutline::Scan(sourceBytes);
        const auto b = CsfOutline::Scan(translationBytes);
        ASSERT_TRUE(a && b);
        EXPECT_EQ(b->language(), 3);
        const ReadTable readA = Read(sourceBytes);
        const ReadTable readB = Read(translationBytes);

        const TranslationStatus expected =
            CountTranslation(readA.document->Body, readB.document->Body);
        const TranslationStatus got = CountTranslation(OutlineNames(*a, 0), *b);
        EXPECT_EQ(got.strings, expected.strings) << round;
        EXPECT_EQ(got.translated, expected.translated) << round;
        EXPECT_EQ(got.untranslated, expected.untranslated) << round;
        EXPECT_EQ(got.missing, expected.missing) << round;
        EXPECT_EQ(got.onlyHere, expected.onlyHere) << round;
        EXPECT_EQ(got.percent, expected.percent) << round;

        // Both directions, so that a pair of tables repeats units across the pairs.
        MemoryBuilder memory;
        AddTablePairs(memory, readA.document->Body, readB.document->Body);
        AddTablePairs(memory, readB.document->Body, readA.document->Body);
        const Bytes written = WriteTmx(memory.units(), "en", "de");
        const OutlinedPair pairs[] = {{&*a, &*b}, {&*b, &*a}};
        const TablePairsTmx direct = WriteTablePairsTmx(pairs, "en", "de");
        EXPECT_EQ(direct.units, memory.size()) << round;
        EXPECT_EQ(std::string(direct.bytes.begin(), direct.bytes.end()),
                  std::string(written.begin(), written.end()))
            << round;
    }
}

TEST(CsfOutlineTest, WhatTheReaderRefusesOrReadsAsSingleByteTextIsNotOutlined) {
    TCSFBody body(3);
    for (std::size_t i = 0; i < body.size(); ++i) {
        body[i].Tag = {' ', 'L', 'B', 'L'};
        body[i].Name.assign({'S', static_cast<char>('0' + i)});
        body[i].Values.resize(1);
        body[i].Values[0].Tag = {'W', 'R', 'T', 'S'};
        body[i].Values[0].Value = u"Text";
        body[i].Values[0].ExtraValue.assign(1, 'x');
    }
    // Every cut of the file: outlined exactly when the reader reads it.
    const Bytes whole = Saved(body);
    for (std::size_t size = 0; size <= whole.size(); ++size) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        bool reads = true;
        try {
            Read(cut);
        } catch (const DocumentError&) {
            reads = false;
        }
        EXPECT_EQ(CsfOutline::Scan(cut).has_value(), reads) << size;
    }
    // Letters from U+0080 to U+00FF alone read as single-byte text; one beyond them as Unicode.
    body[1].Values[0].Value = u"Stra\u00DFe";
    ASSERT_TRUE(Read(Saved(body)).singleByte);
    EXPECT_FALSE(CsfOutline::Scan(Saved(body)));
    body[2].Values[0].Value = u"\u0416";
    ASSERT_FALSE(Read(Saved(body)).singleByte);
    EXPECT_TRUE(CsfOutline::Scan(Saved(body)));
}

TEST(CsfOutlineTest, AValueXmlCannotCarryIsRefusedAsWhenTheTablesAreRead) {
    for (const std::u16string& bad :
         {std::u16string(u"a\u0001b"), std::u16string(1, u'\xD800'), std::u16string(u"\uFFFE")}) {
        TCSFBody source(1);
        source[0].Name = "Menu:Start";
        source[0].Values.resize(2);
        source[0].Values[0].Value = u"Start";
        source[0].Values[1].Value = u"Go";
        TCSFBody translation = source;
        translation[0].Name = "MENU:START";
        translation[0].Values[0].Value = u"Los";
        translation[0].Values[1].Value = bad;
        std::string expected;
        try {
            MemoryBuilder memory;
            AddTablePairs(memory, Read(Saved(source)).document->Body,
                          Read(Saved(translation)).document->Body);
        } catch (const FormatError& e) {
            expected = e.what();
        }
        ASSERT_NE(expected, "");
        const Bytes a = Saved(source);
        const Bytes b = Saved(translation);
        const auto outlineA = CsfOutline::Scan(a);
        const auto outlineB = CsfOutline::Scan(b);
        const OutlinedPair pair{&*outlineA, &*outlineB};
        try {
            WriteTablePairsTmx({&pair, 1}, "en", "de");
            ADD_FAILURE() << "no error";
        } catch (const FormatError& e) {
            EXPECT_EQ(std::string(e.what()), expected);
        }
    }
}
