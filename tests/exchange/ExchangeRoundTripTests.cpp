// SPDX-License-Identifier: MIT
// Export then apply over every exchange format: the table comes back byte for byte, a changed
// value arrives and nothing else changes, and bad files are refused with their place.
#include <gtest/gtest.h>

#include <ostream>

#include <climits>
#include <filesystem>
#include <random>
#include <unordered_map>

#include "core/CompiledStrings.h"
#include "core/EmpireAtWarStrings.h"
#include "encoding/CodePage.h"
#include "exchange/ApplyPlan.h"
#include "exchange/Exchange.h"
#include "exchange/PoName.h"
#include "formats/Registry.h"
#include "support/TestSupport.h"

namespace vste {

// Test names and messages show the format's short name, not the bytes of its table row.
void PrintTo(const ExchangeFormatInfo& info, std::ostream* os) {
    *os << info.shortName;
}

namespace {

std::u16string RandomText(std::mt19937& rng) {
    static const std::vector<std::u16string> pieces = {
        u",",       u"\"",  u"\r", u"\n",   u"\r\n",    u"\t",     u"=1+2",
        u"+",       u"-",   u"@",  u" ",    u"  edge ", u"Привет", u"建造工厂",
        u"_x0041_", u"\\n", u"#2", u"word", u"\x01",    u"é",      u";"};
    std::u16string text;
    const int n = static_cast<int>(rng() % 6);
    for (int i = 0; i < n; ++i)
        text += pieces[rng() % pieces.size()];
    return text;
}

TCompiledStrings RandomTable(std::mt19937& rng, bool xmlSafe) {
    TCompiledStrings table;
    table.Magic = kCsfMagic;
    table.Version = 3;
    const int labels = 1 + static_cast<int>(rng() % 30);
    for (int i = 0; i < labels; ++i) {
        TText text;
        text.Tag = kLabelTag;
        text.Name = (rng() % 4 == 0 ? "Name#" : "GUI:Name_") + std::to_string(i);
        const int values = 1 + static_cast<int>(rng() % 3);
        for (int k = 0; k < values; ++k) {
            TTextContainer v;
            v.Tag = kValueTagV3;
            v.Value = RandomText(rng);
            if (xmlSafe)
                std::erase(v.Value, u'\x01');
            if (rng() % 3 == 0) {
                v.Tag[0] = kExtraValueMark;
                v.ExtraValue = "speech_" + std::to_string(k) + ".wav";
            }
            text.Values.push_back(std::move(v));
        }
        table.Body.push_back(std::move(text));
    }
    table.StringCount = labels;
    return table;
}

std::vector<std::uint8_t> Save(const TWestwoodStrings& table) {
    NullProgress progress;
    return WriteDocument(DocumentFormat::CSF, table, progress, false);
}

ApplyOptions NameMatching(const TWestwoodStrings& table) {
    auto names = std::make_shared<std::unordered_map<std::string, std::uint32_t>>();
    for (std::size_t i = 0; i < table.Body.size(); ++i)
        names->emplace(AnsiUpperCase(table.Body[i].Name), static_cast<std::uint32_t>(i));
    ApplyOptions options;
    options.find = [names](std::string_view name) -> std::optional<std::uint32_t> {
        const auto it = names->find(AnsiUpperCase(name));
        return it == names->end() ? std::nullopt : std::optional<std::uint32_t>(it->second);
    };
    options.applyExtras = true;
    options.canAddValues = true;
    return options;
}

class ExchangeFormatTest : public ::testing::TestWithParam<ExchangeFormatInfo> {
protected:
    void SetUp() override { SetActiveCodePage(1252); }
    bool xml() const { return GetParam().id == ExchangeFormat::Xliff; }
};

TEST_P(ExchangeFormatTest, ExportThenApplyGivesTheSameTableBackWithAndWithoutReference) {
    const unsigned seed = std::random_device{}();
    std::mt19937 rng(seed);
    for (int round = 0; round < 20; ++round) {
        TCompiledStrings table = RandomTable(rng, xml());
        const TCompiledStrings reference = RandomTable(rng, xml());
        const std::vector<std::uint8_t> before = Save(table);
        ReferenceLookup lookup;
        if (round % 2 == 1)
            lookup = [&](const TText& t) -> const TText* {
                for (const TText& r : reference.Body)
                    if (r.Name == t.Name)
                        return &r;
                return nullptr;
            };
        const auto bytes = GetParam().write(ExportSource(table, lookup), {});
        const ApplyPlan plan =
            BuildApplyPlan(table, GetParam().read(bytes, {}), NameMatching(table));
        ApplyPlanTo(table, plan);
        ASSERT_EQ(Save(table), before) << "seed " << seed << ", round " << round;
        ASSERT_TRUE(plan.report.notFound.empty()) << "seed " << seed;
        ASSERT_EQ(plan.report.updated, 0u) << "seed " << seed;
    }
}

TEST_P(ExchangeFormatTest, AChangedValueArrivesAndNothingElseChanges) {
    std::mt19937 rng(7);
    TCompiledStrings table = RandomTable(rng, true);
    table.Body[0].Values[0].Value = u"Old text";
    // A reference makes PO and XLIFF carry the value as the translation; values equal to the
    // reference's still need translating and go out empty (PO) or marked (XLIFF).
    TCSFBody reference = table.Body;
    reference[0].Values[0].Value = u"Source text";
    const TText* first = table.Body.data();
    const auto bytes = GetParam().write(
        ExportSource(table, [&](const TText& t) { return &reference[&t - first]; }), {});
    std::string text(bytes.begin(), bytes.end());
    std::vector<ImportRow> rows;
    if (GetParam().id == ExchangeFormat::Xlsx) {
        rows = GetParam().read(bytes, {});
        rows[0].value = "Новый текст, \"quoted\"\r\n";
    } else {
        const std::size_t at = text.rfind("Old text"); // the value, after the reference
        ASSERT_NE(at, std::string::npos);
        text.replace(at, 8, "New text");
        rows = GetParam().read(std::vector<std::uint8_t>(text.begin(), text.end()), {});
    }
    TCompiledStrings expected = table;
    expected.Body[0].Values[0].Value =
        GetParam().id == ExchangeFormat::Xlsx ? u"Новый текст, \"quoted\"\r\n" : u"New text";
    const ApplyPlan plan = BuildApplyPlan(table, rows, NameMatching(table));
    ApplyPlanTo(table, plan);
    EXPECT_EQ(Save(table), Save(expected));
    EXPECT_EQ(plan.report.updated, 1u);
    RevertPlan(table, plan);
    expected.Body[0].Values[0].Value = u"Old text";
    EXPECT_EQ(Save(table), Save(expected));
}

TEST_P(ExchangeFormatTest, EmpireAtWarTablesComeBackByteForByte) {
    for (const auto& entry : std::filesystem::directory_iterator(test::EawDir())) {
        if (entry.path().extension() != ".dat")
            continue;
        NullProgress progress;
        ReadResult read =
            ReadDocumentFile(DocumentFormat::EmpireAtWar, entry.path().string(), progress);
        const auto saved =
            WriteDocument(DocumentFormat::EmpireAtWar, *read.document, progress, false);
        const auto bytes = GetParam().write(ExportSource(*read.document, {}), {});
        if (GetParam().id == ExchangeFormat::Po && read.document->Body.empty()) {
            // A PO file without entries is refused like an empty file of the other formats.
            EXPECT_THROW(GetParam().read(bytes, {}), ExchangeError);
            continue;
        }
        const ApplyPlan plan = BuildApplyPlan(*read.document, GetParam().read(bytes, {}),
                                              NameMatching(*read.document));
        ApplyPlanTo(*read.document, plan);
        EXPECT_EQ(WriteDocument(DocumentFormat::EmpireAtWar, *read.document, progress, false),
                  saved)
            << entry.path();
    }
}

TEST_P(ExchangeFormatTest, EachOfItsListedExtensionsFindsIt) {
    // The list the help and the dialogs show holds this format's extensions, each finding it.
    std::string list = " ";
    list += ExchangeExtensionList("", " ");
    list += ' ';
    for (std::string_view extension : GetParam().extensions) {
        std::string word = " ";
        word += extension;
        word += ' ';
        EXPECT_NE(list.find(word), std::string::npos) << list;
        const ExchangeFormatInfo* found =
            FindExchangeFormatByFileName("A" + std::string(extension));
        ASSERT_NE(found, nullptr) << extension;
        EXPECT_EQ(found->shortName, GetParam().shortName);
    }
}

TEST_P(ExchangeFormatTest, TextThatIsNotAnExchangeFileIsRefusedWithItsPlace) {
    const std::string bad = "name,index,value\n\"broken\xFF\n";
    try {
        GetParam().read(std::vector<std::uint8_t>(bad.begin(), bad.end()), {});
        FAIL() << "accepted";
    } catch (const ExchangeError& e) {
        EXPECT_TRUE(std::string(e.what()).find("line") != std::string::npos ||
                    std::string(e.what()).find("XLSX") != std::string::npos)
            << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, ExchangeFormatTest, ::testing::ValuesIn(ExchangeFormats()),
                         [](const auto& info) { return std::string(info.param.shortName); });

TEST(PoContext, ReadsBackEveryNameAndValueNumberIncludingNamesThatLookLikeTheForm) {
    for (const std::string name : {"A", "A#2", "A#", "#3", "A#2#1", "x#007", ""})
        for (std::uint32_t k : {1u, 2u, 15u})
            EXPECT_EQ(exchange::ParsePoContext(exchange::PoContext(name, k)),
                      std::make_pair(name, k));
}

TEST(CsvReader, RefusesBrokenQuotingAndAMissingColumnNamingTheLine) {
    const auto read = [](const std::string& text) {
        try {
            ReadCsv(std::vector<std::uint8_t>(text.begin(), text.end()), {});
        } catch (const ExchangeError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(read("name,index,value\r\nA,1,\"open\r\n"), "line 2: a quoted field is not closed");
    EXPECT_EQ(read("name,index,value\nA,1,x\"y\n"),
              "line 2: a quote inside an unquoted field (quote the field and double the quote)");
    EXPECT_EQ(read("name;value\n"), "line 1: the header has no \"index\" column (expected name, "
                                    "index, reference, value, extra)");
    EXPECT_EQ(read("name,index,value\nA,0,x\n"),
              "line 2: the index \"0\" is not a value number (1, 2, ...)");
}

TEST(CsvReader, FindsColumnsByNameInAnyOrderAndTheSeparatorFromTheHeader) {
    const std::string text =
        "\xEF\xBB\xBFValue;extra;other;Index;name\r\n\"a;\"\"b\"\"\";;z;2;N\r\n";
    const auto rows = ReadCsv(std::vector<std::uint8_t>(text.begin(), text.end()), {});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "N");
    EXPECT_EQ(rows[0].valueNumber, 2u);
    EXPECT_EQ(rows[0].value, "a;\"b\"");
}

TEST(ApplyPlan, AddsTheValueOnePastTheLastSkipsOthersAndReportsMissingAndRefusedStrings) {
    SetActiveCodePage(1252);
    TCompiledStrings table;
    for (const char* name : {"A", "B"}) {
        TText t;
        t.Name = name;
        t.Values.push_back({kValueTagV3, u"old", {}});
        table.Body.push_back(t);
    }
    std::vector<ImportRow> rows = {{"a", 2, "second", {}},
                                   {"A", 4, "gap", {}},
                                   {"b", 1, "Ж", {}},
                                   {"C", 1, "x", {}},
                                   {"A", 2, "later", {}}};
    ApplyOptions options = NameMatching(table);
    options.refuse = [](StringView, std::uint32_t, const TTextContainer& v) {
        return v.Value == u"Ж";
    };
    const ApplyPlan plan = BuildApplyPlan(table, rows, options);
    ASSERT_EQ(plan.additions.size(), 1u);
    EXPECT_EQ(plan.additions[0].value.Value, u"second");
    EXPECT_EQ(plan.report.updated, 1u);
    EXPECT_EQ(plan.report.notFound, std::vector<std::string>{"C"});
    EXPECT_EQ(plan.report.refused, std::vector<std::string>{"B"});
    EXPECT_EQ(plan.report.missingValues, (std::vector<MissingValue>{{"A", 4}}));

    // Applied and reverted, the CSF header counts the added value, wrapping as its 32-bit field
    // does, and comes back; a table without that header keeps its count at zero.
    table.StringCount = INT32_MAX;
    ApplyPlanTo(table, plan);
    EXPECT_EQ(table.Body[0].Values.size(), 2u);
    EXPECT_EQ(table.StringCount, INT32_MIN);
    RevertPlan(table, plan);
    EXPECT_EQ(table.Body[0].Values.size(), 1u);
    EXPECT_EQ(table.StringCount, INT32_MAX);
    TEmpireAtWarStrings keyed;
    keyed.Body = table.Body;
    ApplyPlanTo(keyed, plan);
    EXPECT_EQ(keyed.Body[0].Values[1].Value, u"second");
    EXPECT_EQ(keyed.StringCount, 0);
}

} // namespace
} // namespace vste
