// SPDX-License-Identifier: MIT
// The exact bytes of every exchange writer, compared with files kept in tests/data/golden/exchange,
// so that a changed escape, header or column shows as a diff. A workbook is a zip archive whose
// core properties hold the time it was written: its XML parts are compared, in name order, with
// that time replaced by a fixed text.
//
// After a deliberate change to a writer, regenerate the files and review the diff:
//   VSTE_UPDATE_GOLDEN=1 build/tests/vste_exchange_tests --gtest_filter='*Golden*'
#include <gtest/gtest.h>

#include <zip.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <ostream>
#include <regex>
#include <string>

#include "core/CompiledStrings.h"
#include "encoding/CodePage.h"
#include "exchange/Exchange.h"
#include "support/TestSupport.h"

namespace vste {
namespace {

TTextContainer Value(std::u16string text, std::string extra = {}) {
    TTextContainer v;
    v.Tag = kValueTagV3;
    v.Value = std::move(text);
    if (!extra.empty()) {
        v.Tag[0] = kExtraValueMark;
        v.ExtraValue = std::move(extra);
    }
    return v;
}

TText Label(std::string name, std::vector<TTextContainer> values) {
    TText t;
    t.Tag = kLabelTag;
    t.Name = std::move(name);
    t.Values = std::move(values);
    return t;
}

TCompiledStrings Table(TCSFBody body) {
    TCompiledStrings table;
    table.Magic = kCsfMagic;
    table.Version = 3;
    for (const TText& t : body)
        table.StringCount += static_cast<std::int32_t>(t.Values.size());
    table.Body = std::move(body);
    return table;
}

// Every kind of text a writer must escape or keep: quotes, separators, both line ends, XML's
// markup characters, letters beyond ASCII (also in a name, through code page 1252), an empty
// value, several values with extra values, and a later string of the same name.
TCompiledStrings Translation() {
    return Table({
        Label("GUI:Quote", {Value(u"He said \"Hi\", then; left")}),
        Label("GUI:Lines", {Value(u"one\r\ntwo\nthree\r")}),
        Label("GUI:Markup", {Value(u"Tom & Jerry <b>x</b> > 'y' _x0041_")}),
        Label("GUI:Russian", {Value(u"Привет, мир — 建造")}),
        Label("GUI:Empty", {Value(u"")}),
        Label("GUI:Several",
              {Value(u"first"), Value(u"\nsecond", "speech\n01.wav"), Value(u"third\t", "<v&o>")}),
        Label("NAME:Caf\xE9", {Value(u"Café au lait")}),
        Label("GUI:Quote", {Value(u"a later string of the same name")}),
        Label("GUI:Long", {Value(u"a long value of many words that goes on well past the width "
                                 u"of one line of a PO file, so that it is wrapped at spaces")}),
    });
}

// The original: one string it lacks (GUI:Russian), one with fewer values (GUI:Several), and
// values that differ from the translation in their line ends.
TCompiledStrings Reference() {
    return Table({
        Label("GUI:Quote", {Value(u"Er sagte \"Hallo\"")}),
        Label("GUI:Lines", {Value(u"eins\ndrei\n")}),
        Label("GUI:Markup", {Value(u"Tom & Jerry <b>x</b>")}),
        Label("GUI:Empty", {Value(u"")}),
        Label("GUI:Several", {Value(u"erste"), Value(u"zweite")}),
        Label("NAME:Caf\xE9", {Value(u"Kaffee")}),
        Label("GUI:Long", {Value(u"lang")}),
    });
}

std::string Golden(const std::string& name) {
    return std::string(VSTE_SOURCE_DIR) + "/tests/data/golden/exchange/" + name;
}

std::string Text(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

// The workbook's parts in name order, each after a line naming it, with the times of the core
// properties (the only part that changes from run to run) replaced.
std::string WorkbookParts(const std::vector<std::uint8_t>& bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(
        zip_open_from_source(source, ZIP_RDONLY, &error), &zip_discard);
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        ADD_FAILURE() << "the workbook is not a zip archive";
        return {};
    }
    std::map<std::string, std::string> parts;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_index(archive.get(), static_cast<zip_uint64_t>(i), 0, &stat);
        std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(
            zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(i), 0), &zip_fclose);
        std::string part(static_cast<std::size_t>(stat.size), '\0');
        EXPECT_EQ(zip_fread(file.get(), part.data(), stat.size),
                  static_cast<zip_int64_t>(stat.size));
        parts[stat.name] = std::move(part);
    }
    std::string out;
    for (const auto& [name, part] : parts) {
        const std::regex time("(<dcterms:(created|modified)[^>]*>)[^<]*");
        out += "=== " + name + "\n" + std::regex_replace(part, time, "$1TIME") + "\n";
    }
    return out;
}

struct GoldenCase {
    const char* format;
    bool reference;
    const char* file;
};

void PrintTo(const GoldenCase& c, std::ostream* os) {
    *os << c.file;
}

class ExchangeGoldenTest : public ::testing::TestWithParam<GoldenCase> {
protected:
    void SetUp() override { SetActiveCodePage(1252); }
};

TEST_P(ExchangeGoldenTest, TheExportIsByteForByteTheKeptFile) {
    const GoldenCase& c = GetParam();
    const TCompiledStrings table = Translation();
    const TCompiledStrings reference = Reference();
    ReferenceLookup lookup;
    if (c.reference)
        lookup = [&](const TText& t) -> const TText* {
            for (const TText& r : reference.Body)
                if (r.Name == t.Name)
                    return &r;
            return nullptr;
        };
    ExportOptions options;
    options.targetLanguage = "ru";
    options.original = "game.csf";
    const ExchangeFormatInfo* format = FindExchangeFormatByName(c.format);
    ASSERT_NE(format, nullptr);
    const auto bytes = format->write(ExportSource(table, lookup), options);
    const std::string written =
        format->id == ExchangeFormat::Xlsx ? WorkbookParts(bytes) : Text(bytes);
    if (std::getenv("VSTE_UPDATE_GOLDEN") != nullptr) {
        test::WriteBytes(Golden(c.file), {written.begin(), written.end()});
        GTEST_SKIP() << "wrote " << Golden(c.file);
    }
    const std::string kept = Text(test::ReadBytes(Golden(c.file)));
    ASSERT_FALSE(kept.empty()) << Golden(c.file) << " is missing (VSTE_UPDATE_GOLDEN=1 writes it)";
    EXPECT_EQ(written, kept) << "differs from " << Golden(c.file);
}

INSTANTIATE_TEST_SUITE_P(EveryFormatWithAndWithoutReference, ExchangeGoldenTest,
                         ::testing::Values(GoldenCase{"csv", false, "table.csv"},
                                           GoldenCase{"csv", true, "table-reference.csv"},
                                           GoldenCase{"xlsx", false, "table.xlsx.txt"},
                                           GoldenCase{"xlsx", true, "table-reference.xlsx.txt"},
                                           GoldenCase{"po", false, "table.po"},
                                           GoldenCase{"po", true, "table-reference.po"},
                                           GoldenCase{"xliff", false, "table.xlf"},
                                           GoldenCase{"xliff", true, "table-reference.xlf"}),
                         [](const auto& info) {
                             return std::string(info.param.format) +
                                    (info.param.reference ? "WithReference" : "");
                         });

// gettext requires a translation to begin and end with a line break exactly when its source
// does; where they differ the entry is written, and marked fuzzy for the translator to review.
struct FuzzyCase {
    std::u16string value;
    std::u16string reference;
    bool fuzzy;
};

class PoFuzzyTest : public ::testing::TestWithParam<FuzzyCase> {};

TEST_P(PoFuzzyTest, AnEntryIsFuzzyExactlyWhenItsLineBreaksAtTheEdgesDifferFromTheSource) {
    SetActiveCodePage(1252);
    const FuzzyCase& c = GetParam();
    const TCompiledStrings table = Table({Label("A", {Value(c.value)})});
    const TCompiledStrings reference = Table({Label("A", {Value(c.reference)})});
    const std::string withReference =
        Text(WritePo(ExportSource(table, [&](const TText&) { return &reference.Body[0]; }), {}));
    EXPECT_EQ(withReference.find("#, fuzzy\nmsgctxt \"A\"") != std::string::npos, c.fuzzy)
        << withReference;
    // Without a reference nothing is translated yet, so nothing is fuzzy.
    EXPECT_EQ(Text(WritePo(ExportSource(table, {}), {})).find("fuzzy"), std::string::npos);
    // The mark changes nothing when the file comes back.
    const auto rows =
        ReadPo(std::vector<std::uint8_t>(withReference.begin(), withReference.end()), {});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].value, Utf16ToUtf8(c.value));
}

INSTANTIATE_TEST_SUITE_P(
    LineBreaksAtTheEdges, PoFuzzyTest,
    ::testing::Values(FuzzyCase{u"Ja", u"Yes", false}, FuzzyCase{u"Ja\n", u"Yes\n", false},
                      FuzzyCase{u"\nJa", u"\nYes", false}, FuzzyCase{u"Ja\n", u"Yes", true},
                      FuzzyCase{u"Ja", u"Yes\n", true}, FuzzyCase{u"\nJa", u"Yes", true},
                      FuzzyCase{u"Ja", u"\nYes", true}, FuzzyCase{u"\nJa\n", u"\nYes", true},
                      FuzzyCase{u"a\nb", u"ab", false}, FuzzyCase{u"Ja\r\n", u"Yes\n", false},
                      // An empty translation is no translation: never fuzzy.
                      FuzzyCase{u"", u"Yes\n", false}));

} // namespace
} // namespace vste
