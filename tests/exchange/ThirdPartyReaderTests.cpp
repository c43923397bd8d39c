// SPDX-License-Identifier: MIT
// The exports as other programs read them: msgfmt checks PO files, xmllint XLIFF files, and
// LibreOffice turns the XLSX export into the same rows as the CSV export. Each test skips when
// its program is not installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "core/CompiledStrings.h"
#include "core/FileIO.h"
#include "encoding/CodePage.h"
#include "exchange/Exchange.h"
#include "support/TestSupport.h"

namespace vste {
namespace {

// Linux programs, run through the shell; on Windows these tests skip.
bool Installed(const std::string& program) {
#ifdef _WIN32
    (void)program;
    return false;
#endif
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

TCompiledStrings TrickyTable() {
    TCompiledStrings table;
    const std::vector<std::u16string> values = {
        u"comma, \"quote\"",
        u"line\nbreak",
        u"cr\rlf\r\n",
        u"\ttab",
        u"=1+2",
        u"@at",
        u" edge ",
        u"",
        u"Привет",
        u"建造工厂",
        u"Tom & Jerry <b>",
        u"\nleading",
        u"trailing\n",
        u"a long line of many words that goes on well beyond the seventy-nine columns of a PO "
        u"file"};
    for (std::size_t i = 0; i < values.size(); ++i) {
        TText t;
        t.Name = "GUI:Tricky_" + std::to_string(i);
        t.Values.push_back({kValueTagV3, values[i], {}});
        t.Values.push_back(
            {{kExtraValueMark, 'R', 'T', 'S'}, values[(i + 1) % values.size()], "extra.wav"});
        table.Body.push_back(t);
    }
    return table;
}

void Write(const ExchangeFormatInfo* format, const std::string& file, bool reference) {
    SetActiveCodePage(1252);
    const TCompiledStrings table = TrickyTable();
    const TCompiledStrings ref = TrickyTable();
    ReferenceLookup lookup;
    if (reference)
        lookup = [&](const TText& t) {
            return &ref.Body[static_cast<std::size_t>(&t - &table.Body[0] + 1) % ref.Body.size()];
        };
    ExportOptions options;
    options.targetLanguage = "ru";
    StoreFileAtomically(file, format->write(ExportSource(table, lookup), options));
}

TEST(ThirdPartyReaders, MsgfmtAcceptsEveryPoExport) {
    if (!Installed("msgfmt"))
        GTEST_SKIP() << "msgfmt (gettext) is not installed";
    test::TempDir dir;
    for (bool reference : {false, true}) {
        Write(FindExchangeFormatByName("po"), dir.file("t.po"), reference);
        EXPECT_EQ(std::system(
                      ("msgfmt --check -o /dev/null " + dir.file("t.po") + " 2>/dev/null").c_str()),
                  0);
    }
}

TEST(ThirdPartyReaders, XmllintFindsEveryXliffExportWellFormed) {
    if (!Installed("xmllint"))
        GTEST_SKIP() << "xmllint (libxml2-utils) is not installed";
    test::TempDir dir;
    for (bool reference : {false, true}) {
        Write(FindExchangeFormatByName("xliff"), dir.file("t.xlf"), reference);
        EXPECT_EQ(std::system(("xmllint --noout " + dir.file("t.xlf")).c_str()), 0);
    }
}

// LibreOffice keeps only LF as a line end inside a cell, whatever it reads.
std::string LibreOfficeLineEnds(std::string text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out.push_back(text[i] == '\r' ? '\n' : text[i]);
    }
    return out;
}

TEST(ThirdPartyReaders, LibreOfficeReadsTheWorkbookAsTheCsvRowsAndItsWorkbookAppliesLikeTheCsv) {
    if (!Installed("soffice"))
        GTEST_SKIP() << "soffice (libreoffice-calc-nogui) is not installed";
    test::TempDir dir;
    Write(FindExchangeFormatByName("xlsx"), dir.file("t.xlsx"), true);
    Write(FindExchangeFormatByName("csv"), dir.file("t.csv"), true);
    const std::string soffice = "HOME=" + dir.path().string() + " soffice --headless --norestore ";
    const std::string outdir = " --outdir " + (dir.path() / "lo").string() + " ";
    // Comma-separated, quoted text, UTF-8 (76); reading the CSV, every column is text (2).
    ASSERT_EQ(std::system((soffice + "--convert-to 'csv:Text - txt - csv (StarCalc):44,34,76'" +
                           outdir + dir.file("t.xlsx") + " >/dev/null 2>&1")
                              .c_str()),
              0);
    ASSERT_EQ(
        std::system((soffice + "--infilter=CSV:44,34,76,1,1/2/2/2/3/2/4/2/5/2 --convert-to xlsx" +
                     outdir + dir.file("t.csv") + " >/dev/null 2>&1")
                        .c_str()),
        0);
    const auto fromWorkbook = ReadCsv(test::ReadBytes((dir.path() / "lo" / "t.csv").string()), {});
    const auto fromCsv = ReadCsv(test::ReadBytes(dir.file("t.csv")), {});
    const auto fromLoWorkbook =
        ReadXlsx(test::ReadBytes((dir.path() / "lo" / "t.xlsx").string()), {});
    ASSERT_EQ(fromWorkbook.size(), fromCsv.size());
    ASSERT_EQ(fromLoWorkbook.size(), fromCsv.size());
    for (std::size_t i = 0; i < fromCsv.size(); ++i) {
        EXPECT_EQ(fromWorkbook[i].name, fromCsv[i].name);
        EXPECT_EQ(fromWorkbook[i].value, LibreOfficeLineEnds(fromCsv[i].value)) << "row " << i;
        EXPECT_EQ(fromLoWorkbook[i].value, LibreOfficeLineEnds(fromCsv[i].value)) << "row " << i;
        EXPECT_EQ(fromLoWorkbook[i].extra.value_or(""), fromCsv[i].extra.value_or(""))
            << "row " << i;
    }
}

} // namespace
} // namespace vste
