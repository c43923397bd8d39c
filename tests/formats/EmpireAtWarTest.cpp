// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/CompiledStrings.h"
#include "core/EmpireAtWarStrings.h"
#include "core/Errors.h"
#include "formats/FormatTestSupport.h"
#include "support/SampleFiles.h"
#include "support/TestSupport.h"

using namespace vste;
using namespace vste::test;

namespace {

using Entry = samples::EmpireAtWarEntry;
constexpr auto MakeDat = &samples::EmpireAtWarFile;

constexpr auto Read = &ReadAs<TEmpireAtWarStrings>;

std::uint32_t KeyOf(const TText& text) {
    const Tag4& t = text.Values.at(0).Tag;
    return t[0] | (t[1] << 8) | (t[2] << 16) | (static_cast<std::uint32_t>(t[3]) << 24);
}

std::vector<std::string> Names(const TEmpireAtWarStrings& doc) {
    std::vector<std::string> names;
    for (const auto& t : doc.Body)
        names.push_back(t.Name);
    return names;
}

// A string as the window inserts it, with a value tag that is not a key.
TText NewText(std::string name, std::u16string value, Tag4 tag = kValueTagV2) {
    return OneValue(std::move(name), std::move(value), tag);
}

} // namespace

TEST(EmpireAtWarTest, ReadsEveryFieldAndWritesTheSameBytes) {
    const Bytes file = MakeDat({{0x90000000, u"Tank\nline", "TEXT_UNIT_TANK"},
                                {0x10000000, u"", "TEXT_TOOLTIP"},
                                {0x10000000, U16("Привет"), ""}});
    auto doc = Read(file);
    ASSERT_EQ(doc->LabelCount(), 3u);
    EXPECT_EQ(Names(*doc), (std::vector<std::string>{"TEXT_UNIT_TANK", "TEXT_TOOLTIP", ""}));
    const TText& first = doc->Body[0];
    ASSERT_EQ(first.ValueCount(), 1u);
    EXPECT_EQ(first.Values[0].Value, u"Tank\nline");
    EXPECT_EQ(first.Values[0].Tag, (Tag4{0x00, 0x00, 0x00, 0x90}));
    EXPECT_TRUE(first.Values[0].ExtraValue.empty());
    EXPECT_EQ(first.Tag, Tag4{});
    EXPECT_EQ(doc->Body[2].Values[0].Value, U16("Привет"));
    EXPECT_EQ(doc->Version, 0);
    EXPECT_FALSE(doc->KeysAscending());
    // Unsorted keys keep their order; the line feed stays one code unit.
    EXPECT_EQ(Encode(*doc), file);
}

TEST(EmpireAtWarTest, ProgressRunsOverTheStringsTwiceWhenReadingAndWriting) {
    const Bytes file = MakeDat({{1, u"a", "A"}, {2, u"b", "B"}, {3, u"c", "C"}});
    RecordingProgress reading;
    auto doc = TEmpireAtWarStrings::CreateFromBuffer(file, reading);
    EXPECT_EQ(reading.maxima, (std::vector<int>{2}));
    EXPECT_EQ(reading.positions, (std::vector<int>{0, 1, 2, 0, 1, 2}));
    RecordingProgress writing;
    doc->SaveToBuffer(writing, false);
    EXPECT_EQ(writing.maxima, (std::vector<int>{2}));
    EXPECT_EQ(writing.positions, (std::vector<int>{0, 1, 2, 0, 1, 2}));
}

TEST(EmpireAtWarTest, CategoriesGroupByTheWordAfterTextPrefix) {
    TEmpireAtWarStrings doc;
    for (const char* name : {"MISSION_1", "TEXT_UNIT_TANK", "TEXT_TOOLTIP", "Text_Unit_X",
                             "TEXT_UNIT_SOLDIER", "TEXT__X", "TEXT_"})
        doc.Body.push_back(NewText(name, u"v"));
    const TCat cats = doc.GetCategories();
    ASSERT_EQ(cats.size(), 3u);
    // Categories stand in the order their names first occur.
    EXPECT_EQ(cats[0], (TCategory{"Other", {0, 3}}));
    EXPECT_EQ(cats[1], (TCategory{"TEXT_UNIT", {1, 4}}));
    EXPECT_EQ(cats[2], (TCategory{"TEXT_", {2, 5, 6}}));

    EXPECT_TRUE(TEmpireAtWarStrings().GetCategories().empty());
}

TEST(EmpireAtWarTest, KeyIsTheStandardCrc32OfTheName) {
    EXPECT_EQ(TEmpireAtWarStrings::KeyForName("123456789"), (Tag4{0x26, 0x39, 0xF4, 0xCB}));
    EXPECT_EQ(TEmpireAtWarStrings::KeyForName(""), (Tag4{0, 0, 0, 0}));
}

TEST(EmpireAtWarTest, AddedAndRenamedStringsGetTheKeyOfTheirName) {
    TEmpireAtWarStrings doc;
    doc.AddString(NewText("TEXT_UNIT_A", u"Value"));
    ASSERT_EQ(doc.LabelCount(), 1u);
    EXPECT_EQ(doc.Body[0].Values[0].Tag, TEmpireAtWarStrings::KeyForName("TEXT_UNIT_A"));
    EXPECT_EQ(doc.Body[0].Values[0].Value, u"Value");

    TText bare;
    bare.Name = "NO_VALUES";
    doc.AddString(bare);
    ASSERT_EQ(doc.Body[1].ValueCount(), 1u);
    EXPECT_EQ(doc.Body[1].Values[0].Tag, TEmpireAtWarStrings::KeyForName("NO_VALUES"));

    doc.RenameString(0, "TEXT_UNIT_B");
    EXPECT_EQ(doc.Body[0].Name, "TEXT_UNIT_B");
    EXPECT_EQ(doc.Body[0].Values[0].Tag, TEmpireAtWarStrings::KeyForName("TEXT_UNIT_B"));
    EXPECT_THROW(doc.RenameString(2, "X"), std::out_of_range);

    doc.DeleteString(0);
    EXPECT_EQ(Names(doc), (std::vector<std::string>{"NO_VALUES"}));
    EXPECT_THROW(doc.DeleteString(1), std::out_of_range);
}

TEST(EmpireAtWarTest, CsfDocumentsKeepTheirValueTagsWhenAddingAndRenaming) {
    // The CSF document takes adding and renaming from here, but its value tags are no keys.
    TCompiledStrings doc;
    doc.Version = 3;
    doc.AddString(NewText("GUI:OK", u"OK", kValueTagV3));
    doc.RenameString(0, "GUI:CANCEL");
    ASSERT_EQ(doc.LabelCount(), 1u);
    EXPECT_EQ(doc.Body[0].Name, "GUI:CANCEL");
    EXPECT_EQ(doc.Body[0].Values[0].Tag, kValueTagV3);
    const Bytes csf = Encode(doc);
    const Bytes rts = Hex("20 52 54 53");
    EXPECT_NE(std::search(csf.begin(), csf.end(), rts.begin(), rts.end()), csf.end());
}

TEST(EmpireAtWarTest, SortedFileStaysSortedByKeyAfterEdits) {
    const auto key = [](const char* name) {
        const Tag4 t = TEmpireAtWarStrings::KeyForName(name);
        return t[0] | (t[1] << 8) | (t[2] << 16) | (static_cast<std::uint32_t>(t[3]) << 24);
    };
    // Keys: "2" 0x1AD5BE0D < "6" 0x1DB87A14 < "3" 0x6DD28E9B < "1" 0x83DCEFB7 < "5" 0x84B12BAE.
    const Bytes file = MakeDat({{key("2"), u"b", "2"},
                                {key("3"), u"c", "3"},
                                {key("1"), u"a", "1"},
                                {key("1"), u"a2", "1"},
                                {key("1"), u"a3", "1"}});
    auto doc = Read(file);
    EXPECT_TRUE(doc->KeysAscending());
    EXPECT_EQ(Encode(*doc), file);

    doc->AddString(NewText("6", u"six"));
    doc->RenameString(2, "5");
    doc->Body[1].Values[0].Value = u"edited"; // editing a value keeps the key
    auto saved = Read(Encode(*doc));
    EXPECT_EQ(Names(*saved), (std::vector<std::string>{"2", "6", "3", "1", "1", "5"}));
    std::vector<std::u16string> values;
    for (const TText& t : saved->Body) {
        EXPECT_EQ(KeyOf(t), key(t.Name.c_str()));
        values.push_back(t.Values[0].Value);
    }
    // Equal keys keep their document order.
    EXPECT_EQ(values, (std::vector<std::u16string>{u"b", u"six", u"edited", u"a2", u"a3", u"a"}));
    // The document in memory is not reordered by saving.
    EXPECT_EQ(Names(*doc), (std::vector<std::string>{"2", "3", "5", "1", "1", "6"}));
}

TEST(EmpireAtWarTest, UnsortedFileKeepsItsOrderWhenStringsAreAdded) {
    const Bytes file = MakeDat({{0x30, u"c", "C"}, {0x10, u"a", "A"}});
    auto doc = Read(file);
    doc->AddString(NewText("0", u"zero"));
    EXPECT_EQ(Names(*Read(Encode(*doc))), (std::vector<std::string>{"C", "A", "0"}));
}

TEST(EmpireAtWarTest, EmptyDocumentsReadAndWrite) {
    auto doc = Read(Hex("00000000"));
    EXPECT_EQ(doc->LabelCount(), 0u);
    EXPECT_EQ(Encode(*doc), Hex("00000000"));
    EXPECT_EQ(Encode(TEmpireAtWarStrings()), Hex("00000000"));
}

TEST(EmpireAtWarTest, RealFilesReadAndWellFormedOnesRoundTrip) {
    const std::filesystem::path dir = std::filesystem::path(EawDir());
    NullProgress progress;
    for (const char* name : {"Empty.dat", "SingleEntry.dat", "Sorted_TwoEntries.dat",
                             "Sorted_TwoEntriesDuplicate.dat", "Index_WithDuplicates.dat"}) {
        SCOPED_TRACE(name);
        const Bytes file = ReadBytes((dir / name).string());
        auto doc = TEmpireAtWarStrings::CreateFromFile((dir / name).string(), progress);
        for (const TText& t : doc->Body)
            EXPECT_EQ(t.Values[0].Tag, TEmpireAtWarStrings::KeyForName(t.Name)) << t.Name;
        EXPECT_EQ(Encode(*doc), file);
    }

    auto duplicates = Read(ReadBytes((dir / "Index_WithDuplicates.dat").string()));
    EXPECT_EQ(Names(*duplicates), (std::vector<std::string>{"1", "1", "1", "4", "5"}));
    EXPECT_FALSE(duplicates->KeysAscending());

    // Stray bytes after the table are not part of it.
    auto stray = Read(ReadBytes((dir / "SingleEmptyEntry.dat").string()));
    EXPECT_EQ(stray->LabelCount(), 0u);
    auto emptyName = Read(ReadBytes((dir / "EmptyKeyWithValue.dat").string()));
    ASSERT_EQ(emptyName->LabelCount(), 1u);
    EXPECT_EQ(emptyName->Body[0].Name, "");
    EXPECT_EQ(emptyName->Body[0].Values[0].Value, u"a");
    EXPECT_EQ(Encode(*emptyName), Hex("01000000 00000000 01000000 00000000 6100"));
}

TEST(EmpireAtWarTest, SaveToFileStoresTheBytesAndReadsBack) {
    TempDir dir;
    const Bytes file = MakeDat({{7, u"v", "TEXT_A"}});
    NullProgress progress;
    auto doc = Read(file);
    doc->SaveToFile(dir.file("out.dat"), progress, true);
    EXPECT_EQ(ReadBytes(dir.file("out.dat")), file);
    EXPECT_EQ(TEmpireAtWarStrings::CreateFromFile(dir.file("out.dat"), progress)->LabelCount(), 1u);
    EXPECT_THROW(TEmpireAtWarStrings::CreateFromFile(dir.file("missing.dat"), progress), FileError);
}

TEST(EmpireAtWarTest, TruncatedAndHostileFilesAreRefused) {
    const Bytes file = MakeDat({{1, u"ab", "TEXT_X"}, {2, u"", "Y"}, {3, u"c", ""}});
    EXPECT_TRUE(
        PrefixesThatRead(file, [](auto data) { Read(Bytes(data.begin(), data.end())); }).empty());

    // Counts and lengths far beyond the file must fail before anything is allocated for them.
    EXPECT_THROW(Read(Hex("FFFFFFFF")), ReadError);
    EXPECT_THROW(Read(Hex("FFFFFF0F 00000000 00000000 00000000")), ReadError);
    EXPECT_THROW(Read(Hex("01000000 00000000 FFFFFFFF 00000000")), ReadError);
    EXPECT_THROW(Read(Hex("01000000 00000000 00000000 FFFFFFFF")), ReadError);
    EXPECT_THROW(Read(Hex("01000000 00000000 FFFFFF7F FFFFFFFF 41")), ReadError);
}
