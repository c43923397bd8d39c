// SPDX-License-Identifier: MIT
// CSF reader, writer and table editing.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "core/CompiledStrings.h"
#include "core/CsfBuilder.h"
#include "core/Errors.h"
#include "core/FileIO.h"
#include "encoding/CodePage.h"
#include "support/TestSupport.h"

using namespace vste;
using namespace vste::test;

namespace {

class CodePageScope {
public:
    explicit CodePageScope(int cp) : m_old(ActiveCodePage()) { SetActiveCodePage(cp); }
    ~CodePageScope() { SetActiveCodePage(m_old); }

private:
    int m_old;
};

struct Read {
    std::unique_ptr<TCompiledStrings> doc;
    bool singleByte = false;
};

Read read(const Bytes& bytes) {
    NullProgress progress;
    Read r;
    r.doc = TCompiledStrings::CreateFromBuffer(bytes, progress, r.singleByte);
    return r;
}

Bytes write(const TCompiledStrings& doc, bool ansi = false) {
    NullProgress progress;
    return doc.SaveToBuffer(progress, ansi);
}

std::vector<std::uint16_t> storedUnits(const Bytes& file, std::size_t offset, std::size_t n) {
    std::vector<std::uint16_t> units;
    for (std::size_t k = 0; k < n; ++k)
        units.push_back(
            static_cast<std::uint16_t>(file[offset + 2 * k] | (file[offset + 2 * k + 1] << 8)));
    return units;
}

// Tables of every shape the format allows, which must come back byte for byte.
std::vector<CsfBuilder> roundTripShapes() {
    std::vector<CsfBuilder> shapes;
    CsfBuilder empty;
    shapes.push_back(empty);

    CsfBuilder plain;
    plain.label("GUI:OK", u"OK").label("GUI:Cancel", u"Cancel").label("Help", u"");
    shapes.push_back(plain);

    CsfBuilder unicode;
    unicode.language = 7;
    unicode.reserved = 0xDEADBEEF;
    unicode.label("NAME:Ru", u"\u041F\u0440\u0438\u0432\u0435\u0442")
        .label("CN:x", u"\u4E2D\u6587\nline");
    unicode.labels.push_back({"EXTRA:W", {{u"with extra", true, "sound.wav"}, {u"no extra"}}});
    unicode.labels.push_back({"EXTRA:W0", {{u"\u00FF\u0100", true, ""}}});
    unicode.labels.push_back({"MULTI:3", {{u"a"}, {u"\u0431"}, {u"", true, "x"}}});
    shapes.push_back(unicode);

    CsfBuilder v2 = unicode;
    v2.version = 2;
    v2.stringCount = 12345; // the header count is kept, never recounted
    shapes.push_back(v2);

    CsfBuilder ascii; // single-byte table: passes through the code page and still round-trips
    ascii.labels.push_back({"A:b", {{u"Hello", true, "extra"}, {u"World"}}});
    shapes.push_back(ascii);
    return shapes;
}

} // namespace

TEST(CsfReader, EveryShapeRoundTripsByteForByte) {
    int n = 0;
    for (const CsfBuilder& shape : roundTripShapes()) {
        SCOPED_TRACE(n++);
        const Bytes input = shape.bytes();
        Read r = read(input);
        EXPECT_EQ(r.doc->LabelCount(), shape.labels.size());
        EXPECT_EQ(ToHex(write(*r.doc)), ToHex(input));
    }
}

TEST(CsfReader, ReadsHeaderLabelsValuesAndExtraValues) {
    CsfBuilder b = roundTripShapes()[2];
    Read r = read(b.bytes());
    const TCompiledStrings& d = *r.doc;
    EXPECT_FALSE(r.singleByte);
    EXPECT_EQ(d.Magic, kCsfMagic);
    EXPECT_EQ(d.Version, 3);
    EXPECT_EQ(d.Language, 7);
    EXPECT_EQ(d.StringCount, 8);
    EXPECT_EQ(d.Reserved, (Tag4{0xEF, 0xBE, 0xAD, 0xDE}));
    ASSERT_EQ(d.LabelCount(), 5u);
    EXPECT_EQ(d.Body[0].Tag, kLabelTag);
    EXPECT_EQ(d.Body[0].Values[0].Value, u"\u041F\u0440\u0438\u0432\u0435\u0442");
    EXPECT_EQ(d.Body[1].Values[0].Value, u"\u4E2D\u6587\nline");
    const TText& w = d.Body[2];
    ASSERT_EQ(w.ValueCount(), 2u);
    EXPECT_TRUE(w.Values[0].HasExtraValue());
    EXPECT_EQ(w.Values[0].ExtraValue, "sound.wav");
    EXPECT_EQ(w.Values[1].Tag, kValueTagV3);
    EXPECT_TRUE(d.Body[3].Values[0].HasExtraValue()); // "W" with an empty extra value keeps its W
    EXPECT_EQ(d.Body[3].Values[0].ExtraLength(), 0u);
    EXPECT_EQ(d.Body[4].ValueCount(), 3u);
}

TEST(CsfReader, LabelWithoutValuesGetsOneEmptyValueAndTrailingBytesAreDropped) {
    CsfBuilder b;
    b.stringCount = 1;
    b.labels.push_back({"EMPTY:x", {}});
    b.label("B:y", u"y");
    b.trailing = {1, 2, 3, 4, 5};
    Read r = read(b.bytes());
    ASSERT_EQ(r.doc->LabelCount(), 2u);
    ASSERT_EQ(r.doc->Body[0].ValueCount(), 1u);
    EXPECT_EQ(r.doc->Body[0].Values[0].Tag, kValueTagV3);
    EXPECT_TRUE(r.doc->Body[0].Values[0].Value.empty());
    EXPECT_EQ(r.doc->StringCount, 1);

    Bytes expected = b.bytes();
    expected.resize(expected.size() - b.trailing.size());
    Bytes out = write(*r.doc);
    ASSERT_EQ(out.size(), expected.size() + 8);
    EXPECT_EQ(out[24 + 4], 1); // value count written as 1
    b.labels[0].values.push_back({u""});
    b.trailing.clear();
    b.stringCount = 1;
    EXPECT_EQ(ToHex(out), ToHex(b.bytes()));
}

TEST(CsfReader, LowerCaseWTagHasNoExtraValue) {
    CsfBuilder b;
    b.label("A:b", u"x");
    Bytes bytes = b.bytes();
    bytes[24 + 12 + 3] = 'w'; // byte 0 of the value tag
    Read r = read(bytes);
    EXPECT_FALSE(r.doc->Body[0].Values[0].HasExtraValue());
    EXPECT_EQ(r.doc->Body[0].Values[0].Value, u"x");
    EXPECT_EQ(ToHex(write(*r.doc)), ToHex(bytes));
}

TEST(CsfReader, SingleByteFlagAndCodePageDecoding) {
    {
        // Plain ASCII (or no character at all) is Unicode: nothing of it changes either way,
        // and text typed later keeps its letters.
        for (const std::u16string& value : {std::u16string(u"Plain English"), std::u16string()}) {
            CsfBuilder b;
            b.label("A:b", value).label("A:c", u"");
            Read r = read(b.bytes());
            EXPECT_FALSE(r.singleByte);
            EXPECT_EQ(r.doc->Body[0].Values[0].Value, value);
            EXPECT_EQ(ToHex(write(*r.doc)), ToHex(b.bytes()));
        }
    }
    {
        CodePageScope cp(1252); // one unit from 128 to 255 makes the table single-byte
        CsfBuilder b;
        b.label("A:b", u"Plain English").label("A:c", u"caf\u00E9");
        Read r = read(b.bytes());
        EXPECT_TRUE(r.singleByte);
        EXPECT_EQ(r.doc->Body[1].Values[0].Value, u"caf\u00E9");
    }
    {
        CsfBuilder b; // one Chinese character anywhere leaves every value untouched
        b.label("A:b", u"\u00E9t\u00E9").label("A:c", u"\u4E2D");
        Read r = read(b.bytes());
        EXPECT_FALSE(r.singleByte);
        EXPECT_EQ(r.doc->Body[0].Values[0].Value, u"\u00E9t\u00E9");
    }
    {
        CodePageScope cp(1251); // Cyrillic stored one byte per character becomes Unicode
        CsfBuilder b;
        b.label("A:b", u"\u00CF\u00F0\u00E8\u00E2\u00E5\u00F2");
        Read r = read(b.bytes());
        EXPECT_TRUE(r.singleByte);
        EXPECT_EQ(r.doc->Body[0].Values[0].Value, u"\u041F\u0440\u0438\u0432\u0435\u0442");
        // Saved in single-byte form it is the same file again.
        EXPECT_EQ(ToHex(write(*r.doc, true)), ToHex(b.bytes()));
    }
    {
        CodePageScope cp(1252); // U+0000 ends a single-byte value
        CsfBuilder b;
        b.label("A:b", std::u16string(u"\u00E9b\0cd", 5));
        Read r = read(b.bytes());
        EXPECT_TRUE(r.singleByte);
        EXPECT_EQ(r.doc->Body[0].Values[0].Value, u"\u00E9b");
    }
    {
        // A character from 128 to 255 after a zero is not single-byte text (single-byte reading
        // would drop it), so the table reads as Unicode and keeps every character.
        const std::u16string value(u"H\0\u00FD", 3);
        CsfBuilder b;
        b.label("A:b", value);
        Read r = read(b.bytes());
        EXPECT_FALSE(r.singleByte);
        EXPECT_EQ(r.doc->Body[0].Values[0].Value, value);
    }
}

TEST(CsfReader, EmptyTableOpensSavesAndTakesItsFirstString) {
    CsfBuilder b;
    Read r = read(b.bytes());
    EXPECT_EQ(r.doc->LabelCount(), 0u);
    EXPECT_TRUE(r.doc->GetCategories().empty());
    EXPECT_EQ(write(*r.doc).size(), 24u);

    TText text;
    text.Name = "GUI:New";
    text.Values.push_back({kValueTagV3, u"new", ""});
    r.doc->AddString(text);
    ASSERT_EQ(r.doc->LabelCount(), 1u);
    EXPECT_EQ(r.doc->Body[0].Tag, kLabelTag);
    EXPECT_EQ(r.doc->StringCount, 1);
    Read again = read(write(*r.doc));
    EXPECT_EQ(again.doc->Body[0].Values[0].Value, u"new");
}

TEST(CsfReader, EveryTruncationIsAReadError) {
    const Bytes full = roundTripShapes()[2].bytes();
    for (std::size_t n = 0; n < full.size(); ++n) {
        Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_THROW(read(cut), ReadError) << "length " << n;
    }
}

TEST(CsfReader, HugeCountsAndLengthsAreRefusedBeforeAllocating) {
    CsfBuilder b;
    b.labels.push_back({"A:b", {{u"xy", true, "e"}}});
    const Bytes good = b.bytes();
    // Offsets of the label count, value count, name length, value length and extra length.
    const std::size_t fields[] = {8, 24 + 4, 24 + 8, 24 + 12 + 3 + 4, 24 + 12 + 3 + 8 + 4};
    for (std::size_t at : fields) {
        for (std::uint32_t huge : {0xFFFFFFFFu, 0x7FFFFFFFu, 0x0FFFFFFFu}) {
            Bytes bad = good;
            for (int i = 0; i < 4; ++i)
                bad[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(huge >> (8 * i));
            try {
                read(bad);
                ADD_FAILURE() << "accepted " << huge << " at " << at;
            } catch (const ReadError& e) {
                EXPECT_STREQ(e.what(), "Stream read error");
            }
        }
    }
}

TEST(CsfReader, FromFileDoesNotRewriteTheFile) {
    TempDir dir;
    const std::string path = dir.file("table.csf");
    CsfBuilder b;
    b.label("A:b", u"x");
    WriteBytes(path, b.bytes());
    const auto old = std::filesystem::last_write_time(path) - std::chrono::hours(24);
    std::filesystem::last_write_time(path, old);
    NullProgress progress;
    bool singleByte = false;
    auto doc = TCompiledStrings::CreateFromFile(path, progress, singleByte);
    EXPECT_EQ(doc->LabelCount(), 1u);
    EXPECT_EQ(std::filesystem::last_write_time(path), old);
    EXPECT_THROW(TCompiledStrings::CreateFromFile(dir.file("missing.csf"), progress, singleByte),
                 FileError);
}

TEST(CsfWriter, AnsiModeWritesOneInvertedBytePerCodeUnit) {
    CodePageScope cp(1251);
    TCompiledStrings doc;
    doc.Magic = kCsfMagic;
    doc.Version = 3;
    doc.Body.push_back(
        {kLabelTag, "A:b", {{kValueTagV3, u"\u041F\u0440\u0438\u0432\u0435\u0442", ""}}});
    const std::size_t at = 24 + 12 + 3 + 8;
    EXPECT_EQ(storedUnits(write(doc, true), at, 6),
              (std::vector<std::uint16_t>{0xFF30, 0xFF0F, 0xFF17, 0xFF1D, 0xFF1A, 0xFF0D}));
    EXPECT_EQ(storedUnits(write(doc, false), at, 6),
              (std::vector<std::uint16_t>{0xFBE0, 0xFBBF, 0xFBC7, 0xFBCD, 0xFBCA, 0xFBBD}));
}

TEST(CsfWriter, AnsiModePadsShortSingleByteFormsWithZeroBytes) {
    CodePageScope cp(1252);
    TCompiledStrings doc;
    doc.Body.push_back({kLabelTag, "A:b", {{kValueTagV3, std::u16string(u"ab\0c", 4), ""}}});
    doc.Body.push_back({kLabelTag, "A:c", {{kValueTagV3, u"e\u0301x", ""}}}); // é composed
    doc.Body.push_back({kLabelTag, "A:d", {{kValueTagV3, u"\u00E9\0\u00E9", ""}}});
    const Bytes out = write(doc, true);
    const std::size_t first = 24 + 12 + 3 + 8;
    EXPECT_EQ(storedUnits(out, first, 4),
              (std::vector<std::uint16_t>{0xFF9E, 0xFF9D, 0xFFFF, 0xFFFF}));
    const std::size_t second = first + 8 + 12 + 3 + 8;
    EXPECT_EQ(storedUnits(out, second, 3), (std::vector<std::uint16_t>{0xFF16, 0xFF87, 0xFFFF}));
    // The file stays consistent: it reads back as the same number of labels.
    Read r = read(out);
    ASSERT_EQ(r.doc->LabelCount(), 3u);
    EXPECT_EQ(r.doc->Body[0].Values[0].Value, u"ab");
    EXPECT_EQ(r.doc->Body[1].Values[0].Value, u"\u00E9x");
    EXPECT_EQ(r.doc->Body[2].Values[0].Value, u"\u00E9");
}

TEST(CsfWriter, SaveToFileStoresTheBufferAndFailsCleanly) {
    TempDir dir;
    const std::string path = dir.file("out.csf");
    Read r = read(roundTripShapes()[2].bytes());
    NullProgress progress;
    r.doc->SaveToFile(path, progress, false);
    EXPECT_EQ(ReadBytes(path), write(*r.doc));
    EXPECT_THROW(r.doc->SaveToFile(dir.file("no/such/folder/out.csf"), progress, false), FileError);
}

TEST(CsfEditing, AddAndDeleteKeepCountsAndTags) {
    CsfBuilder b;
    b.labels.push_back({"A:one", {{u"1"}}});
    b.labels.push_back({"A:three", {{u"1"}, {u"2"}, {u"3"}}});
    Bytes bytes = b.bytes();
    bytes[24] = 'X'; // the last label's tag is what new labels copy
    bytes[24 + 12 + 5 + 8 + 2 * 1] = 'Y';
    Read r = read(bytes);
    TCompiledStrings& d = *r.doc;
    ASSERT_EQ(d.StringCount, 4);

    TText text;
    text.Name = "A:new";
    text.Values.push_back({kValueTagV3, u"n", ""});
    d.AddString(text);
    EXPECT_EQ(d.LabelCount(), 3u);
    EXPECT_EQ(d.StringCount, 5);
    EXPECT_EQ(d.Body[2].Tag, (Tag4{'Y', 'L', 'B', 'L'}));

    d.DeleteString(1); // three values, but the count drops by one
    EXPECT_EQ(d.StringCount, 4);
    ASSERT_EQ(d.LabelCount(), 2u);
    EXPECT_EQ(d.Body[1].Name, "A:new");
    d.DeleteString(1); // the last one
    EXPECT_EQ(d.LabelCount(), 1u);
    EXPECT_EQ(d.Body[0].Name, "A:one");

    EXPECT_THROW(d.DeleteString(1), std::out_of_range);
    EXPECT_THROW(d.DeleteString(0xFFFFFFFFu), std::out_of_range);
    EXPECT_EQ(d.LabelCount(), 1u);
    EXPECT_EQ(d.StringCount, 3);
}

TEST(CsfEditing, SetVersionRecasesValueTagsOnlyFor2And3) {
    CsfBuilder b;
    b.labels.push_back({"A:b", {{u"x", true, "e"}, {u"y"}}});
    Read r = read(b.bytes());
    TCompiledStrings& d = *r.doc;
    d.SetVersion(2);
    EXPECT_EQ(d.Version, 2);
    EXPECT_EQ(d.Body[0].Values[0].Tag, (Tag4{'W', 'r', 't', 'S'}));
    EXPECT_EQ(d.Body[0].Values[1].Tag, kValueTagV2);
    EXPECT_EQ(d.Body[0].Tag, kLabelTag);
    d.SetVersion(5);
    EXPECT_EQ(d.Version, 5);
    EXPECT_EQ(d.Body[0].Values[1].Tag, kValueTagV2);
    d.SetVersion(3);
    EXPECT_EQ(d.Body[0].Values[0].Tag, (Tag4{'W', 'R', 'T', 'S'}));
    EXPECT_EQ(ToHex(write(d)), ToHex(b.bytes()));
    d.SetLanguage(17);
    EXPECT_EQ(d.Language, 17);
}

TEST(CsfEditing, FargusRecodingVisitsEveryValue) {
    TCompiledStrings d;
    d.Body.push_back(
        {kLabelTag, "A:b", {{kValueTagV2, u"\u00C0\u00C1A", ""}, {kValueTagV2, u"", ""}}});
    d.Body.push_back({kLabelTag, "A:c", {{kValueTagV2, u"\u00AF\u00AE\u0411", ""}}});
    d.DecodeFargusCyrillic();
    EXPECT_EQ(d.Body[0].Values[0].Value, u"\u00FF\u00C0A");
    EXPECT_TRUE(d.Body[0].Values[1].Value.empty());
    EXPECT_EQ(d.Body[1].Values[0].Value, u"\u00AE\u00AE\u0410");
    d.EncodeFargusCyrillic();
    EXPECT_EQ(d.Body[0].Values[0].Value, u"\u00C0\u00C1A");
    EXPECT_EQ(d.Body[1].Values[0].Value, u"\u00AF\u00AF\u0411");
}

TEST(CsfReader, SingleByteValuesDecodeAsTheCodePageDoesUnderEveryCodePage) {
    // Every nonzero byte once, stored one per wide character, must decode and encode back exactly
    // as the code page conversion says, whatever shortcut the reader and writer take.
    std::string bytes;
    std::u16string stored;
    for (int b = 1; b < 256; ++b) {
        bytes += static_cast<char>(b);
        stored += static_cast<char16_t>(b);
    }
    CsfBuilder b;
    b.label("A:all", stored).label("A:ascii", u"Plain text 123");
    for (int cp : SupportedCodePages()) {
        SCOPED_TRACE(cp);
        CodePageScope scope(cp);
        Read r = read(b.bytes());
        ASSERT_TRUE(r.singleByte);
        const std::u16string& value = r.doc->Body[0].Values[0].Value;
        EXPECT_EQ(value, AnsiToWide(bytes, cp));
        EXPECT_EQ(r.doc->Body[1].Values[0].Value, u"Plain text 123");
        // Written in single-byte form, each value gives the conversion's bytes, zero-padded,
        // when they fit; under 1258 a letter written as letter plus mark makes them one too
        // many, and a look-alike letter keeps the tail instead.
        TCompiledStrings one;
        one.Body.push_back(r.doc->Body[0]);
        const Bytes out = write(one, true);
        const std::string expected = WideToAnsi(value, cp);
        const auto units = storedUnits(out, 24 + 12 + 5 + 8, value.size());
        const auto unitOf = [](std::uint8_t byte) { return 0xFF00 | (byte ^ 0xFF); };
        if (expected.size() > value.size()) {
            EXPECT_EQ(units.back(), unitOf(static_cast<std::uint8_t>(expected.back())));
            continue;
        }
        for (std::size_t k = 0; k < value.size(); ++k) {
            const auto byte = k < expected.size() ? static_cast<std::uint8_t>(expected[k]) : 0;
            ASSERT_EQ(units[k], unitOf(byte)) << k;
        }
    }
}
