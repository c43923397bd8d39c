// SPDX-License-Identifier: MIT
// Exchange files built to break a reader: each must be refused with an ExchangeError naming its
// place (line, cell or part), in a message of bounded length, or read to the right rows. The
// large ones are generated here; each must be handled without crashing or exhausting memory.
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
// After windows.h.
#include <psapi.h>
#else
#include <sys/resource.h>
#endif
#include <zip.h>

#include <cstring>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "exchange/Exchange.h"
#include "support/TestSupport.h"

namespace vste {
namespace {

using Reader = std::vector<ImportRow> (*)(std::span<const std::uint8_t>, const ImportOptions&);

struct HostileExchange {
    HostileExchange(std::string name_, std::function<test::Bytes()> make_, std::string refusal_,
                    std::string firstValue_ = {}, std::size_t rows_ = 1)
        : name(std::move(name_)), make(std::move(make_)), refusal(std::move(refusal_)),
          firstValue(std::move(firstValue_)), rows(rows_) {}
    std::string name;
    std::function<test::Bytes()> make;
    // The start of the refusal (a regular expression); empty when the file must be read.
    std::string refusal;
    // When read: the value of the first row and the number of rows.
    std::string firstValue;
    std::size_t rows = 1;
};

test::Bytes Text(const std::string& text) {
    return test::Bytes(text.begin(), text.end());
}

std::string Repeat(const std::string& piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

// A zip archive of the parts, built in memory with libzip.
test::Bytes Zip(const std::vector<std::pair<std::string, std::string>>& parts) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    for (const auto& [name, bytes] : parts)
        zip_file_add(archive, name.c_str(),
                     zip_source_buffer(archive, bytes.data(), bytes.size(), 0), ZIP_FL_ENC_UTF_8);
    zip_close(archive);
    test::Bytes out;
    zip_source_open(buffer);
    zip_source_seek(buffer, 0, SEEK_END);
    out.resize(static_cast<std::size_t>(zip_source_tell(buffer)));
    zip_source_seek(buffer, 0, SEEK_SET);
    zip_source_read(buffer, out.data(), out.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    return out;
}

// A workbook of one sheet whose <sheetData> holds `rows`, with the shared strings `shared`.
test::Bytes Workbook(const std::string& rows, const std::string& shared = {}) {
    std::vector<std::pair<std::string, std::string>> parts = {
        {"xl/workbook.xml",
         "<workbook><sheets><sheet name=\"S\" sheetId=\"1\"/></sheets></workbook>"},
        {"xl/worksheets/sheet1.xml", "<worksheet><sheetData>" + rows + "</sheetData></worksheet>"}};
    if (!shared.empty())
        parts.emplace_back("xl/sharedStrings.xml", "<sst>" + shared + "</sst>");
    return Zip(parts);
}

const std::string kHeaderRow = "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>name</t></is></c>"
                               "<c r=\"B1\" t=\"inlineStr\"><is><t>index</t></is></c>"
                               "<c r=\"C1\" t=\"inlineStr\"><is><t>value</t></is></c></row>";

// A data row of the workbook: name A, the index cell `index`, the value cell `value`.
std::string SheetRow(const std::string& index, const std::string& value) {
    return "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>A</t></is></c>" + index + value +
           "</row>";
}

std::string InlineValue(const std::string& text) {
    return "<c r=\"C2\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}

// The workbook whose sheet part claims to inflate to just under 1 GiB: both headers of the part
// get that size.
test::Bytes LyingSizeWorkbook() {
    test::Bytes zip = Workbook(kHeaderRow + SheetRow("<c r=\"B2\"><v>1</v></c>", InlineValue("x")));
    const std::string part = "xl/worksheets/sheet1.xml";
    for (std::size_t i = 0; i + 46 < zip.size(); ++i) {
        const bool local = std::memcmp(&zip[i], "PK\x03\x04", 4) == 0;
        const bool central = std::memcmp(&zip[i], "PK\x01\x02", 4) == 0;
        const std::size_t nameAt = local ? i + 30 : i + 46;
        if ((!local && !central) || nameAt + part.size() > zip.size() ||
            std::memcmp(&zip[nameAt], part.data(), part.size()) != 0)
            continue;
        const std::size_t sizeAt = local ? i + 22 : i + 24;
        for (std::size_t k = 0; k < 4; ++k)
            zip[sizeAt + k] = k == 3 ? 0x3F : 0xFF;
    }
    return zip;
}

std::string Xliff(const std::string& units) {
    return "<xliff version=\"1.2\"><file original=\"t\" source-language=\"en\"><body>" + units +
           "</body></file></xliff>";
}

std::string Unit(const std::string& id, const std::string& target) {
    return "<trans-unit id=\"" + id + "\" resname=\"A\"><source>s</source><target>" + target +
           "</target></trans-unit>";
}

class HostileExchangeTest : public ::testing::TestWithParam<std::pair<Reader, HostileExchange>> {};

// The peak memory of the process so far, in KiB.
long PeakKib() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

TEST_P(HostileExchangeTest, IsRefusedWithItsPlaceOrReadRight) {
    const auto& [read, h] = GetParam();
    const test::Bytes bytes = h.make();
    // None of these files needs more than a few MiB; a reader that trusts their numbers would
    // raise the peak by a GiB or more.
    struct PeakCheck {
        long before;
        ~PeakCheck() { EXPECT_LT(PeakKib() - before, 256 * 1024) << "KiB more at the peak"; }
    } peakCheck{PeakKib()};
    try {
        const std::vector<ImportRow> rows = read(bytes, {});
        ASSERT_TRUE(h.refusal.empty()) << "read without an error";
        ASSERT_EQ(rows.size(), h.rows);
        EXPECT_EQ(rows.front().value, h.firstValue);
    } catch (const ExchangeError& e) {
        const std::string message = e.what();
        EXPECT_FALSE(h.refusal.empty()) << message;
        EXPECT_TRUE(std::regex_search(message, std::regex("^" + h.refusal))) << message;
        EXPECT_LT(message.size(), 300u) << "the message echoes the input whole";
    }
}

std::string Name(const ::testing::TestParamInfo<std::pair<Reader, HostileExchange>>& info) {
    return info.param.second.name;
}

std::vector<std::pair<Reader, HostileExchange>> Cases(Reader read,
                                                      std::vector<HostileExchange> cases) {
    std::vector<std::pair<Reader, HostileExchange>> out;
    for (HostileExchange& c : cases)
        out.emplace_back(read, std::move(c));
    return out;
}

const std::string kCsvHeader = "name,index,value\r\n";

INSTANTIATE_TEST_SUITE_P(
    Csv, HostileExchangeTest,
    ::testing::ValuesIn(
        Cases(ReadCsv,
              {{"Empty", [] { return Text(""); }, "line 1: "},
               {"HugeIndexField",
                [] { return Text(kCsvHeader + "A,\"" + std::string(200000, '9') + "x\",v\r\n"); },
                "line 2: "},
               {"HugeUnclosedField",
                [] { return Text(kCsvHeader + "A,1,\"" + std::string(200000, 'v')); }, "line 2: "},
               {"IndexZero", [] { return Text(kCsvHeader + "A,0,v\r\n"); }, "line 2: "}})),
    Name);

INSTANTIATE_TEST_SUITE_P(
    Po, HostileExchangeTest,
    ::testing::ValuesIn(Cases(
        ReadPo,
        {{"Empty", [] { return Text(""); }, "line 1: "},
         {"HeaderOnly",
          [] {
              return Text("msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n");
          },
          "line 1: "},
         {"ValueNumberZero",
          [] { return Text("\nmsgctxt \"GUI:OK#0\"\nmsgid \"OK\"\nmsgstr \"x\"\n"); },
          "line 2: .*count from 1"},
         {"ValueNumberTooLarge",
          [] { return Text("msgctxt \"GUI:OK#4294967296\"\nmsgid \"OK\"\nmsgstr \"x\"\n"); },
          "line 1: .*too large"},
         {"HugeKeyword", [] { return Text(std::string(200000, 'k') + " \"x\"\n"); }, "line 1: "},
         {"ValueTwo", [] { return Text("msgctxt \"A#2\"\nmsgid \"s\"\nmsgstr \"v\"\n"); }, "",
          "v"}})),
    Name);

INSTANTIATE_TEST_SUITE_P(
    Xliff, HostileExchangeTest,
    ::testing::ValuesIn(Cases(
        ReadXliff,
        {{"GroupsNested30000Deep",
          [] {
              return Text(
                  Xliff(Repeat("<group>\n", 30000) + Unit("1.1", "x") + Repeat("</group>", 30000)));
          },
          "line 25[0-9]: "},
         {"InlineNested50000Deep",
          [] {
              return Text(
                  Xliff(Unit("1.1", Repeat("<g id=\"1\">", 50000) + "x" + Repeat("</g>", 50000))));
          },
          "line 1: "},
         {"ReferenceToNul", [] { return Text(Xliff(Unit("1.1", "a&#0;b"))); }, "line 1: "},
         {"ReferenceToSurrogate", [] { return Text(Xliff(Unit("1.1", "&#xD800;"))); }, "line 1: "},
         {"ReferenceBeyondUnicode", [] { return Text(Xliff(Unit("1.1", "&#x110000;"))); },
          "line 1: "},
         {"UndeclaredEntity", [] { return Text(Xliff(Repeat("\n", 1) + Unit("1.1", "A&xxe;B"))); },
          "line 2: "},
         {"IdWithValueZero", [] { return Text(Xliff(Unit("1.0", "x"))); }, "line 1: "},
         {"IdWithTrailingText", [] { return Text(Xliff(Unit("1.2x", "x"))); }, "line 1: "},
         {"IdNotANumber", [] { return Text(Xliff(Unit("abc", "x"))); }, "line 1: "},
         {"IdEmpty", [] { return Text(Xliff(Unit("", "x"))); }, "line 1: "},
         {"IdMissing",
          [] { return Text(Xliff("<trans-unit resname=\"A\"><target>x</target></trans-unit>")); },
          "line 1: "},
         {"ReferencesDecodedOnce",
          [] { return Text(Xliff(Unit("2.3", "&amp;#x41;&#x41;&lt;<g>&#13;</g>"))); }, "",
          "&#x41;A<\r"}})),
    Name);

INSTANTIATE_TEST_SUITE_P(
    Xlsx, HostileExchangeTest,
    ::testing::ValuesIn(Cases(
        ReadXlsx,
        {{"CellsAtTheLastColumn",
          [] {
              std::string rows = kHeaderRow;
              for (int r = 2; r < 3002; ++r) {
                  const std::string n = std::to_string(r);
                  rows += "<row r=\"" + n + "\"><c r=\"A" + n +
                          "\" t=\"inlineStr\"><is><t>A</t></is></c><c r=\"B" + n +
                          "\"><v>1</v></c><c r=\"C" + n +
                          "\" t=\"inlineStr\"><is><t>v</t></is></c><c r=\"XFD" + n +
                          "\"><v>9</v></c></row>";
              }
              return Workbook(rows);
          },
          "", "v", 3000},
         {"PartLyingAboutItsSize", LyingSizeWorkbook, "xl/worksheets/sheet1.xml: "},
         {"ZipBomb", [] { return Workbook(kHeaderRow + std::string(6 << 20, ' ')); },
          "xl/worksheets/sheet1.xml: .*too large"},
         {"SheetPartWithAHugeName",
          [] {
              return Zip(
                  {{"xl/workbook.xml", "<workbook><sheets><sheet r:id=\"r\"/></sheets></workbook>"},
                   {"xl/_rels/workbook.xml.rels",
                    "<Relationships><Relationship Id=\"r\" Target=\"" + std::string(100000, 's') +
                        "\"/></Relationships>"}});
          },
          "the file is not an XLSX workbook"},
         {"SharedStringWithNul",
          [] {
              return Workbook(kHeaderRow + SheetRow("<c r=\"B2\"><v>1</v></c>",
                                                    "<c r=\"C2\" t=\"s\"><v>0</v></c>"),
                              "<si><t>a&#0;</t></si>");
          },
          "cell C2: "},
         {"InlineEntity",
          [] {
              return Workbook(kHeaderRow +
                              SheetRow("<c r=\"B2\"><v>1</v></c>", InlineValue("A&xxe;B")));
          },
          "cell C2: "},
         {"SharedIndexNotANumber",
          [] {
              return Workbook(kHeaderRow + SheetRow("<c r=\"B2\" t=\"s\"><v>abc</v></c>", ""),
                              "<si><t>1</t></si>");
          },
          "cell B2: "},
         {"SharedIndexNegative",
          [] {
              return Workbook(kHeaderRow + SheetRow("<c r=\"B2\" t=\"s\"><v>-1</v></c>", ""),
                              "<si><t>1</t></si>");
          },
          "cell B2: "},
         {"SharedIndexFraction",
          [] {
              return Workbook(kHeaderRow + SheetRow("<c r=\"B2\" t=\"s\"><v>0.9</v></c>", ""),
                              "<si><t>1</t></si>");
          },
          "cell B2: "},
         {"ReferencesDecoded",
          [] {
              return Workbook(kHeaderRow + SheetRow("<c r=\"B2\"><v>2</v></c>",
                                                    InlineValue("&lt;&#x416;&amp;_x000D_")));
          },
          "", "<Ж&\r"}})),
    Name);

} // namespace
} // namespace vste
