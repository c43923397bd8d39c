// SPDX-License-Identifier: MIT
// End-to-end runs of the built vste-cli.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "core/CompiledStrings.h"
#include "core/Model.h"
#include "encoding/CodePage.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

using namespace vste;
using namespace vste::test;
using Json = nlohmann::ordered_json;

namespace {

class CliTest : public CliRunTest {
protected:
    static TTextContainer Value(const std::u16string& text, const std::string& extra = {}) {
        TTextContainer v;
        v.Tag = kValueTagV3;
        v.Value = text;
        v.ExtraValue = extra;
        if (!extra.empty())
            v.Tag[0] = kExtraValueMark;
        return v;
    }

    static TText Label(const std::string& name, std::vector<TTextContainer> values) {
        TText t;
        t.Tag = kLabelTag;
        t.Name = name;
        t.Values = std::move(values);
        return t;
    }

    // Writes a version 3 CSF table; its StringCount is the number of values.
    std::string WriteCsf(const std::string& name, TCSFBody body, bool ansi = false) {
        TCompiledStrings doc;
        doc.Magic = kCsfMagic;
        doc.Version = 3;
        std::int32_t values = 0;
        for (const auto& t : body)
            values += static_cast<std::int32_t>(t.Values.size());
        doc.StringCount = values;
        doc.Body = std::move(body);
        NullProgress progress;
        const std::string file = dir.file(name);
        WriteBytes(file, doc.SaveToBuffer(progress, ansi));
        return file;
    }

    // One value per label and no extra values: the table an STR file can hold completely.
    std::string WriteCyrillicCsf(const std::string& name) {
        return WriteCsf(name, {Label("GUI:OK", {Value(u"Хорошо")}),
                               Label("GUI:Quit", {Value(u"Выйти из игры?\nДа")}),
                               Label("MAP:Arctic", {Value(u"Arctic")})});
    }
};

std::vector<std::string> Keys(const Json& object) {
    std::vector<std::string> keys;
    for (const auto& item : object.items())
        keys.push_back(item.key());
    return keys;
}

} // namespace

TEST_F(CliTest, DumpPrintsHeaderAndLabelsWithKeysInOrder) {
    std::u16string lone(u"x");
    lone += static_cast<char16_t>(0xD800);
    const std::string csf = WriteCsf(
        "table.csf", {Label("GUI:OK", {Value(u"OK")}),
                      Label("TXT:\xC0", {Value(u"Один"), Value(u"Два", "snd\xC1"), Value(lone)})});
    const Json dump = RunJson({"dump", csf, "--codepage", "1251"});
    EXPECT_EQ(Keys(dump),
              (std::vector<std::string>{"format", "magic", "version", "label_count", "string_count",
                                        "reserved", "language", "single_byte", "labels"}));
    EXPECT_EQ(dump["format"], "csf");
    EXPECT_EQ(dump["magic"], "20465343");
    EXPECT_EQ(dump["version"], 3);
    EXPECT_EQ(dump["label_count"], 2);
    EXPECT_EQ(dump["string_count"], 4);
    EXPECT_EQ(dump["reserved"], "00000000");
    EXPECT_EQ(dump["language"], 0);
    EXPECT_EQ(dump["single_byte"], false);
    ASSERT_EQ(dump["labels"].size(), 2u);
    const Json& second = dump["labels"][1];
    EXPECT_EQ(Keys(second), (std::vector<std::string>{"name", "tag", "values"}));
    EXPECT_EQ(second["name"], "TXT:А"); // single-byte name shown through code page 1251
    EXPECT_EQ(second["tag"], "204c424c");
    ASSERT_EQ(second["values"].size(), 3u);
    EXPECT_EQ(Keys(second["values"][0]), (std::vector<std::string>{"tag", "value", "extra"}));
    EXPECT_EQ(second["values"][0]["value"], "Один");
    EXPECT_EQ(second["values"][1]["tag"], "57525453");
    EXPECT_EQ(second["values"][1]["extra"], "sndБ");
    EXPECT_EQ(second["values"][2]["value"], "x\xEF\xBF\xBD");

    // The same name under a Western code page.
    const Json western = RunJson({"dump", csf, "--codepage", "1252"});
    EXPECT_EQ(western["labels"][1]["name"], "TXT:À");
}

TEST_F(CliTest, DumpShowsNamesAndExtraValuesWholeThroughANul) {
    const std::string csf =
        WriteCsf("zero-bytes.csf",
                 {Label(std::string("GUI:A\0B", 7), {Value(u"v", std::string("snd\0.wav", 8))})});
    const Json dump = RunJson({"dump", csf, "--codepage", "1252"});
    EXPECT_EQ(dump["labels"][0]["name"].get<std::string>(), std::string("GUI:A\0B", 7));
    EXPECT_EQ(dump["labels"][0]["values"][0]["extra"].get<std::string>(),
              std::string("snd\0.wav", 8));
}

TEST_F(CliTest, DumpOfAnEmptyTableAndOfAnStrFile) {
    const Json empty = RunJson({"dump", WriteCsf("empty.csf", {})});
    EXPECT_EQ(empty["label_count"], 0);
    EXPECT_TRUE(empty["labels"].is_array());
    EXPECT_TRUE(empty["labels"].empty());
    EXPECT_EQ(empty["single_byte"], false); // no value holds a character at all

    const std::string str = dir.file("t.STR");
    WriteBytes(str, Hex("47 55 49 3A 4F 4B 0D 0A 22 4F 4B 22 0D 0A 45 4E 44 0D 0A"));
    const Json dump = RunJson({"dump", str});
    EXPECT_EQ(dump["format"], "str");
    EXPECT_EQ(dump["labels"][0]["name"], "GUI:OK");
    EXPECT_EQ(dump["labels"][0]["values"][0]["value"], "OK");
}

TEST_F(CliTest, CategoriesMatchTheDocument) {
    const std::string csf = WriteCsf(
        "cats.csf", {Label("GUI:OK", {Value(u"OK")}), Label("MAP:A", {Value(u"A")}),
                     Label("GUI:Cancel", {Value(u"C")}), Label("NoPrefix", {Value(u"N")})});
    const Json cats = RunJson({"categories", csf});
    NullProgress progress;
    bool singleByte = false;
    const auto doc = TCompiledStrings::CreateFromFile(csf, progress, singleByte);
    const TCat expected = doc->GetCategories();
    ASSERT_TRUE(cats.is_array());
    ASSERT_EQ(cats.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(Keys(cats[i]), (std::vector<std::string>{"name", "ids"}));
        EXPECT_EQ(cats[i]["name"], expected[i].Name);
        EXPECT_EQ(cats[i]["ids"].get<std::vector<int>>(),
                  std::vector<int>(expected[i].IDs.begin(), expected[i].IDs.end()));
    }
}

TEST_F(CliTest, CsfToStrToCsfGivesTheSameBytes) {
    const std::string csf = WriteCyrillicCsf("orig.csf");
    const std::string str = dir.file("mid.str"), back = dir.file("back.csf");
    ASSERT_EQ(Run({"convert", csf, str, "--to", "str", "--codepage", "1251"}).code, 0);
    const std::string text = ReadText(str);
    EXPECT_NE(text.find("GUI:OK\r\n\"\xD5\xEE\xF0\xEE\xF8\xEE\"\r\nEND\r\n"), std::string::npos);
    EXPECT_NE(text.find("\\n"), std::string::npos);
    // Without --to an STR document is written as CSF.
    const CliResult r = Run({"convert", str, back, "--codepage", "1251"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(ReadBytes(back), ReadBytes(csf));
    ASSERT_EQ(
        Run({"convert", str, dir.file("again.str"), "--to", "str", "--codepage", "1251"}).code, 0);
    EXPECT_EQ(ReadText(dir.file("again.str")), text);
}

TEST_F(CliTest, AnsiModeFollowsTheFileUnlessForced) {
    const std::string csf = WriteCyrillicCsf("uni.csf");
    const std::string ansi = dir.file("ansi.csf");
    ASSERT_EQ(Run({"convert", csf, ansi, "--ansi", "--codepage", "1251"}).code, 0);
    const Json ansiDump = RunJson({"dump", ansi, "--codepage", "1251"});
    EXPECT_EQ(ansiDump["single_byte"], true);
    EXPECT_EQ(ansiDump["labels"][0]["values"][0]["value"], "Хорошо");
    const Bytes ansiBytes = ReadBytes(ansi);
    EXPECT_EQ(ansiBytes.size(), ReadBytes(csf).size()); // equal length fields in both modes

    // A single-byte file stays single-byte; --unicode turns it back into the original.
    ASSERT_EQ(Run({"convert", ansi, dir.file("same.csf"), "--codepage", "1251"}).code, 0);
    EXPECT_EQ(ReadBytes(dir.file("same.csf")), ansiBytes);
    ASSERT_EQ(Run({"convert", ansi, dir.file("uni2.csf"), "--unicode", "--codepage", "1251"}).code,
              0);
    EXPECT_EQ(ReadBytes(dir.file("uni2.csf")), ReadBytes(csf));

    const CliResult both = Run({"convert", csf, dir.file("x.csf"), "--ansi", "--unicode"});
    EXPECT_EQ(both.code, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.csf")));
}

TEST_F(CliTest, ImportFargusVersionAndLanguageApplyInOrder) {
    const std::string csf = WriteCsf(
        "base.csf", {Label("GUI:OK", {Value(u"OK")}), Label("GUI:Cancel", {Value(u"Cancel")})});
    const std::string source =
        WriteCsf("src.csf", {Label("gui:ok", {Value(u"\u0410\u0411")}), Label("X", {Value(u"x")})});
    const std::string out = dir.file("out.csf");
    // The base table holds only characters below 0x100, so it counts as single-byte text and
    // would be written back as such: --unicode keeps the imported Cyrillic.
    const CliResult r = Run({"convert", csf, out, "--import", source, "--fargus", "decode",
                             "--set-version", "2", "--set-language", "7", "--unicode"});
    ASSERT_EQ(r.code, 0) << r.err;
    const Json dump = RunJson({"dump", out});
    EXPECT_EQ(dump["version"], 2);
    EXPECT_EQ(dump["language"], 7);
    EXPECT_EQ(dump["label_count"], 2);
    // Imported first, then moved down by one position from the Fargus layout.
    EXPECT_EQ(dump["labels"][0]["values"][0]["value"], "\u040F\u0410");
    EXPECT_EQ(dump["labels"][1]["values"][0]["value"], "Cancel");

    ASSERT_EQ(Run({"convert", out, dir.file("enc.csf"), "--fargus", "encode"}).code, 0);
    EXPECT_EQ(RunJson({"dump", dir.file("enc.csf")})["labels"][0]["values"][0]["value"],
              "\u0410\u0411");
}

TEST_F(CliTest, RefusalsAndUsageErrorsExitWithTwo) {
    const std::string csf = WriteCyrillicCsf("t.csf");
    const std::string eaw = EawDir() + "/SingleEntry.dat";
    const std::string out = dir.file("out.bin");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"dump", dir.file("table.xyz")}, "extension"},
        {{"dump", csf, "--format", "doc"}, "unknown format"},
        {{"convert", csf, out, "--to", "eaw"}, "cannot convert"},
        {{"convert", eaw, out, "--to", "str"}, "cannot convert"},
        {{"convert", eaw, out, "--set-version", "2"}, "--set-version"},
        {{"convert", eaw, out, "--import", csf}, "--import"},
        {{"convert", csf, out, "--fargus", "sideways"}, "fargus"},
        {{"convert", csf, out, "--codepage", "437"}, "code page"},
        {{"convert", csf}, "OUT"},
        {{"frobnicate"}, ""},
        {{}, "subcommand"},
    };
    for (const Case& c : cases) {
        const CliResult r = Run(c.args);
        EXPECT_EQ(r.code, 2) << c.message;
        EXPECT_EQ(r.err.rfind("vste-cli: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.message;
    }
    const CliResult help = Run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("convert"), std::string::npos);
}

// A compiled table read as STR text once gave one garbage label, and update then dropped every
// string with exit 0; it is refused, naming the file, and nothing is written.
TEST_F(CliTest, ACompiledTableReadAsStrTextIsRefusedByName) {
    const std::string csf = WriteCyrillicCsf("t.csf");
    const std::string expected =
        "vste-cli: " + csf +
        ": The file is not STR text: it begins with \" FSC\", the signature of a "
        "compiled CSF table; open it as CSF\n";
    CliResult r = Run({"dump", csf, "--format", "str"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, expected);
    const std::string out = dir.file("out.csf");
    r = Run({"update", "--old-source", csf, "--new-source", csf, "--translation", csf, out,
             "--source-format", "str"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, expected);
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(CliTest, ReadAndWriteFailuresExitWithOne) {
    const std::string missing = dir.file("missing.csf");
    CliResult r = Run({"dump", missing});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.rfind("vste-cli: Cannot open file \"" + missing + "\". No such file", 0), 0u)
        << r.err;

    const std::string csf = WriteCyrillicCsf("t.csf");
    Bytes truncated = ReadBytes(csf);
    ASSERT_GT(truncated.size(), 3u);
    truncated.erase(truncated.end() - 3, truncated.end());
    WriteBytes(dir.file("short.csf"), truncated);
    r = Run({"convert", dir.file("short.csf"), dir.file("o.csf")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "vste-cli: " + dir.file("short.csf") + ": Stream read error\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("o.csf")));

    r = Run({"convert", csf, dir.file("no/such/folder/o.csf")});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("vste-cli: Cannot create file"), std::string::npos) << r.err;

    // A failed import leaves the output untouched.
    WriteBytes(dir.file("keep.csf"), Bytes{1, 2, 3});
    r = Run({"convert", csf, dir.file("keep.csf"), "--import", dir.file("short.csf")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(ReadBytes(dir.file("keep.csf")), (Bytes{1, 2, 3}));
}

// Every command that reads tables names the one it could not read, whichever argument it is.
TEST_F(CliTest, ATruncatedOrForeignTableIsNamedByEveryCommandThatReadsIt) {
    const std::string good = WriteCyrillicCsf("good.csf");
    Bytes bytes = ReadBytes(good);
    bytes.resize(bytes.size() - 3);
    const std::string bad = dir.file("short.csf");
    WriteBytes(bad, bytes);
    const std::string foreign = dir.file("foreign.csf");
    WriteBytes(foreign, Bytes{'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_EQ(Run({"export", good, dir.file("ex.csv")}).code, 0);
    const std::string out = dir.file("out.csf");
    for (const std::string& broken : {bad, foreign}) {
        const std::vector<std::vector<std::string>> commands = {
            {"dump", broken},
            {"categories", broken},
            {"convert", good, out, "--import", broken},
            {"find", broken, "x"},
            {"replace", broken, out, "x", "y"},
            {"check", broken},
            {"check", good, "--reference", broken},
            {"diff", good, broken},
            {"diff", broken, good},
            {"update", "--old-source", good, "--new-source", broken, "--translation", good, out},
            {"update", "--old-source", good, "--new-source", good, "--translation", broken, out},
            {"export", broken, dir.file("ex2.csv")},
            {"apply", broken, dir.file("ex.csv"), out},
        };
        for (const std::vector<std::string>& args : commands) {
            const CliResult r = Run(args);
            EXPECT_EQ(r.code, 1) << args[0];
            EXPECT_EQ(r.err.rfind("vste-cli: " + broken + ": ", 0), 0u) << args[0] << ": " << r.err;
        }
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

// Running out of memory while reading is reported as the file being too large, naming it: a
// sparse file of 2 GiB read with 512 MiB of address space.
#ifndef _WIN32 // the address space is limited through the shell's ulimit
TEST_F(CliTest, ATableBeyondTheMemoryIsReportedAsTooLargeToRead) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than the limit this test sets";
#endif
    const std::string huge = dir.file("huge.csf");
    WriteBytes(huge, Bytes{' ', 'F', 'S', 'C'});
    std::filesystem::resize_file(huge, std::uintmax_t(2) << 30);
    const std::string err = dir.file("err.txt");
    const std::string command = "ulimit -v 524288 && exec '" + std::string(VSTE_CLI_PATH) +
                                "' dump '" + huge + "' >/dev/null 2>'" + err + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(ReadText(err), "vste-cli: " + huge + ": the file is too large to read\n");
}
#endif

// A table written over an exchange file would destroy a translator's work: OUT may not be the
// exchange file being read, through any link, nor be named like an exchange file.
TEST_F(CliTest, ATableIsNeverWrittenOverOrAsAnExchangeFile) {
    const std::string csf = WriteCyrillicCsf("t.csf");
    const std::string csv = dir.file("ex.csv");
    ASSERT_EQ(Run({"export", csf, csv}).code, 0);
    const Bytes exported = ReadBytes(csv);
    std::vector<std::vector<std::string>> commands = {
        {"apply", csf, csv, csv},
        {"apply", csf, csv, dir.file("other.PO")},
        {"convert", csf, dir.file("t.xlsx")},
        {"convert", csf, dir.file("t.pot"), "--to", "str"},
        {"replace", csf, dir.file("t.xliff"), "a", "b"},
        {"replace", csf, dir.file("t.xlf"), "a", "b"},
        {"replace", csf, csv, "a", "b"},
    };
#ifndef _WIN32 // links need a privilege on Windows
    std::filesystem::create_symlink(csv, dir.file("link.csf"));
    commands.push_back({"apply", csf, csv, dir.file("link.csf")});
#endif
    for (const std::vector<std::string>& args : commands) {
        const CliResult r = Run(args);
        EXPECT_EQ(r.code, 2) << args[0] << " " << args.back();
        EXPECT_NE(r.err.find("OUT \""), std::string::npos) << r.err;
    }
    EXPECT_EQ(ReadBytes(csv), exported);
    for (const char* name : {"other.PO", "t.xlsx", "t.pot", "t.xliff", "t.xlf"})
        EXPECT_FALSE(std::filesystem::exists(dir.file(name))) << name;
}

TEST_F(CliTest, EmpireAtWarFilesDumpAndRoundTrip) {
    const std::string eawDir = EawDir();
    const Json dump = RunJson({"dump", eawDir + "/Sorted_TwoEntries.dat"});
    EXPECT_EQ(dump["format"], "eaw");
    EXPECT_EQ(dump["single_byte"], false);
    EXPECT_EQ(dump["label_count"], 2);
    EXPECT_EQ(dump["labels"][1]["name"], "1");
    EXPECT_EQ(dump["labels"][1]["values"][0]["value"], "1");
    for (const char* name : {"Empty.dat", "SingleEntry.dat", "Sorted_TwoEntries.dat"}) {
        const std::string out = dir.file(std::string("copy_") + name);
        const CliResult r = Run({"convert", eawDir + "/" + name, out});
        ASSERT_EQ(r.code, 0) << name << ": " << r.err;
        EXPECT_EQ(ReadBytes(out), ReadBytes(eawDir + "/" + name)) << name;
    }
    const Json cats =
        RunJson({"categories", eawDir + "/Index_WithDuplicates.dat", "--format", "eaw"});
    EXPECT_TRUE(cats.is_array());
}

TEST_F(CliTest, BundledSampleMatchesItsStrForm) {
    const std::string samples = std::string(VSTE_SOURCE_DIR) + "/data/samples";
    const Json dump = RunJson({"dump", samples + "/sample.csf", "--codepage", "1251"});
    EXPECT_EQ(dump["version"], 3);
    EXPECT_GE(dump["label_count"].get<int>(), 35);
    const std::string str = dir.file("sample.str");
    ASSERT_EQ(
        Run({"convert", samples + "/sample.csf", str, "--to", "str", "--codepage", "1251"}).code,
        0);
    EXPECT_EQ(ReadBytes(str), ReadBytes(samples + "/sample.str"));
}
