// SPDX-License-Identifier: MIT
// Writes the seed corpora of the fuzz targets, or the hostile test fixtures.
//   make_seeds DIR            DIR/<target>/<seed> for every target
//   make_seeds --hostile DIR  DIR/<fixture> (the files under tests/fixtures/hostile)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "encoding/CodePage.h"
#include "exchange/Exchange.h"
#include "formats/Registry.h"
#include "support/SampleFiles.h"

namespace {

using vste::samples::Bytes;
namespace fs = std::filesystem;

Bytes FromText(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

bool Write(const fs::path& file, const Bytes& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "make_seeds: cannot write %s\n", file.string().c_str());
        return false;
    }
    return true;
}

using SeedSet = std::map<std::string, std::map<std::string, Bytes>>;

// Every exchange format's export of a sample table, with and without a reference, and small
// files of what a translator's tool may hand back.
void AddExchangeSeeds(SeedSet& seeds) {
    vste::SetActiveCodePage(1252);
    vste::NullProgress progress;
    const Bytes csf = vste::samples::CsfEnglish();
    const vste::ReadResult read = vste::ReadDocument(vste::DocumentFormat::CSF, csf, progress);
    const vste::TWestwoodStrings& table = *read.document;
    for (const vste::ExchangeFormatInfo& format : vste::ExchangeFormats()) {
        auto& set = seeds[std::string(format.shortName) + "_fuzz"];
        set["export"] = format.write(vste::ExportSource(table, {}), {});
        set["with_reference"] =
            format.write(vste::ExportSource(table, [](const vste::TText& t) { return &t; }), {});
    }
    seeds["csv_fuzz"]["semicolons"] =
        FromText("Name;Index;Value\r\n\"GUI:\"\"A\"\"\";2;\"line\nbreak\"\r\n");
    seeds["po_fuzz"]["entries"] =
        FromText("msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
                 "#, fuzzy\nmsgctxt \"GUI:OK#2\"\nmsgid \"OK\"\nmsgstr \"\"\n\"\\t\\101\"\n");
    // The sheet, a NUL, the shared strings: stored in a workbook by the target.
    seeds["xlsx_fuzz"]["sheet_xml"] = FromText(
        std::string("<worksheet><sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c>"
                    "<c r=\"B1\" t=\"inlineStr\"><is><t>index</t></is></c><c r=\"C1\" "
                    "t=\"str\"><v>value</v></c></row><row><c t=\"inlineStr\"><is><r><t>A</t></r>"
                    "<r><t>&amp;_x000D_</t></r></is></c><c><v>2</v></c><c r=\"XFD2\" t=\"s\">"
                    "<v>1</v></c></row></sheetData></worksheet>") +
        '\0' + "<sst><si><t>name</t></si><si><t>v&#x41;</t><rPh><t>x</t></rPh></si></sst>");
    seeds["xliff_fuzz"]["groups"] = FromText(
        "<xliff version=\"1.2\"><file><body><group><trans-unit id=\"1.1\" resname=\"A&amp;\">"
        "<target>x<g id=\"1\">&#x41;<![CDATA[<b>]]></g></target></trans-unit></group></body>"
        "</file></xliff>");
}

SeedSet Seeds() {
    namespace s = vste::samples;
    SeedSet seeds;
    seeds["csf_fuzz"] = {
        {"english", s::CsfEnglish()}, {"unicode", s::CsfUnicode()}, {"version2", s::CsfVersion2()}};
    seeds["str_fuzz"] = {{"sample", s::StrSample()}};
    seeds["westwood_fuzz"] = {{"game_form", s::WestwoodGameForm()},
                              {"editor_form", s::WestwoodEditorForm()}};
    seeds["liquid_fuzz"] = {{"sample", s::LiquidSample()}};
    seeds["dune2000_fuzz"] = {{"sample", s::Dune2000Sample()}};
    seeds["eaw_fuzz"] = {{"sample", s::EmpireAtWarSample()}};
    seeds["bladerunner_fuzz"] = {{"sample", s::BladeRunnerSample()}};
    seeds["malcolm_fuzz"] = {{"sample", s::MalcolmSample()}, {"one", s::MalcolmOneString()}};

    // Compressed text: letter pairs, escapes, carriage return and other control bytes.
    seeds["westwood_text_fuzz"] = {{"pairs", Bytes{0x80, 0x88, 0xFF, 'A', 0x0D, 0x09}},
                                   {"escape", Bytes{0x1B, 0x41, 'b', 0x1B}},
                                   {"plain", FromText("Plain text, no pairs.")}};

    seeds["str_lines_fuzz"] = {{"label", FromText("GUI:OK //confirm\r\n")},
                               {"value", FromText("\"say \"hi\"\\n now\"\r\n")},
                               {"end", FromText("  End \r\n")},
                               {"comment", FromText("// only a comment\n")},
                               {"prefix", FromText("x\"quoted\" tail")}};

    // First byte: the code page (index into the supported list); then the text.
    seeds["codepage_fuzz"] = {
        {"cyrillic", FromText("\x01\xCF\xF0\xE8\xE2\xE5\xF2")},
        {"western", FromText("\x02"
                             "Caf\xE9 \x80 \x81\x8D")},
        {"vietnamese", FromText("\x08"
                                "A\xCC"
                                "e\xEC")},
        {"utf16", Bytes{0x03, 0x1F, 0x04, 0x00, 0xD8, 0x41, 0x00, 0x01, 0x03}}};

    // The hostile files are good starting points too.
    const std::map<std::string, std::string> targetOfFormat = {
        {"csf", "csf_fuzz"},         {"str", "str_fuzz"},      {"westwood", "westwood_fuzz"},
        {"lte", "liquid_fuzz"},      {"uib", "dune2000_fuzz"}, {"eaw", "eaw_fuzz"},
        {"trr", "bladerunner_fuzz"}, {"tre", "malcolm_fuzz"}};
    for (const auto& h : s::HostileFiles())
        seeds[targetOfFormat.at(h.format)][fs::path(h.name).stem().string()] = h.bytes;
    AddExchangeSeeds(seeds);
    return seeds;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--hostile") {
        const fs::path dir = argv[2];
        fs::create_directories(dir);
        for (const auto& h : vste::samples::HostileFiles())
            if (!Write(dir / h.name, h.bytes))
                return 1;
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds DIR | make_seeds --hostile DIR\n");
        return 2;
    }
    const fs::path dir = argv[1];
    for (const auto& [target, files] : Seeds()) {
        fs::create_directories(dir / target);
        for (const auto& [name, bytes] : files)
            if (!Write(dir / target / name, bytes))
                return 1;
    }
    return 0;
}
