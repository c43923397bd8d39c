// SPDX-License-Identifier: MIT
// vste-cli find and replace, end to end on generated tables and on corpus files.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/CompiledStrings.h"
#include "core/EmpireAtWarStrings.h"
#include "formats/Registry.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

using namespace vste;
using namespace vste::test;
using Json = nlohmann::ordered_json;

namespace {

class FindReplaceTest : public CliRunTest {
protected:
    // GUI:Tanya has an extra value; TXT:Ж is a Windows-1251 name.
    std::string WriteTable() {
        TCompiledStrings doc;
        doc.Magic = kCsfMagic;
        doc.Version = 3;
        doc.StringCount = 3;
        const Tag4 extra{kExtraValueMark, 'R', 'T', 'S'};
        doc.Body = {TText{kLabelTag,
                          "GUI:Tanya",
                          {{kValueTagV3, u"Привет, Tanya!", ""}, {extra, u"Bye", "tanya.wav"}}},
                    TText{kLabelTag, "TXT:\xC6", {{kValueTagV3, u"Allies win", ""}}}};
        NullProgress progress;
        const std::string file = dir.file("table.csf");
        WriteBytes(file, doc.SaveToBuffer(progress, false));
        return file;
    }

    // A version 3 table of one value per string, single-byte values of code page 1252 when `ansi`.
    std::string WriteCsf(const std::string& name,
                         const std::vector<std::pair<std::string, std::u16string>>& strings,
                         bool ansi) {
        TCSFBody body;
        for (const auto& [label, value] : strings)
            body.push_back(TText{kLabelTag, label, {{kValueTagV3, value, ""}}});
        return WriteCsfTable(dir.file(name), std::move(body), 1252, ansi);
    }
};

} // namespace

TEST_F(FindReplaceTest, FindPrintsEveryMatchInTableOrderCountingCodePoints) {
    const std::string csf = WriteTable();
    const Json found = RunJson({"find", csf, "tanya", "--codepage", "1251"});
    ASSERT_EQ(found.size(), 3u) << found.dump();
    EXPECT_EQ(found[0].dump(), R"({"name":"GUI:Tanya","value_index":0,"field":"name","start":4,)"
                               R"("length":5,"text":"GUI:Tanya"})");
    EXPECT_EQ(found[1]["value_index"], 1);
    EXPECT_EQ(found[1]["start"], 8);
    EXPECT_EQ(found[2]["field"], "extra");
    EXPECT_EQ(found[2]["value_index"], 2);

    const Json cyrillic = RunJson({"find", csf, "ж", "--in", "name", "--codepage", "1251"});
    ASSERT_EQ(cyrillic.size(), 1u);
    EXPECT_EQ(cyrillic[0]["name"], "TXT:Ж");
    EXPECT_EQ(RunJson({"find", csf, "tanya", "--match-case", "--in", "value,name"}).size(), 0u);
    EXPECT_EQ(RunJson({"find", csf, "Tan", "--whole-word"}).size(), 0u);
    EXPECT_EQ(RunJson({"find", csf, "^\\w+", "--regex", "--in", "value"}).size(), 3u);
}

TEST_F(FindReplaceTest, BadPatternsFilesAndArgumentsExitWithOneOrTwo) {
    const std::string csf = WriteTable();
    CliResult r = Run({"find", csf, "(Tanya", "--regex"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("vste-cli: invalid regular expression"), std::string::npos) << r.err;
    EXPECT_EQ(Run({"find", dir.file("missing.csf"), "x"}).code, 1);
    EXPECT_EQ(Run({"replace", csf, dir.file("out.csf"), "(a)", "$2", "--regex"}).code, 1);
    EXPECT_EQ(Run({"find", csf, "x", "--in", "names"}).code, 2);
    EXPECT_EQ(Run({"find", csf}).code, 2);
    EXPECT_EQ(Run({"replace", csf, dir.file("out.csf"), "a", "b", "--to", "eaw"}).code, 2);
    EXPECT_FALSE(std::ifstream(dir.file("out.csf")).good());
}

TEST_F(FindReplaceTest, ReplaceWritesGroupsRefusesUnstorableNamesAndAlwaysWritesOut) {
    const std::string csf = WriteTable();
    const std::string out = dir.file("out.csf");
    EXPECT_EQ(RunJson({"replace", csf, out, "nothing", "x"}).dump(),
              R"({"replacements":0,"strings":0,"refused":[]})");
    EXPECT_EQ(ReadBytes(out), ReadBytes(csf));

    // "Ж" exists in 1251 but not in 1252: the name of GUI:Tanya could not hold it.
    const Json report =
        RunJson({"replace", csf, out, "(t)an(ya)", "$2-Ж-$1", "--regex", "--codepage", "1252"});
    EXPECT_EQ(report.dump(), R"({"replacements":0,"strings":0,"refused":["GUI:Tanya"]})");
    const Json dump = RunJson({"dump", out, "--codepage", "1251"});
    EXPECT_EQ(dump["labels"][0]["name"], "GUI:Tanya");
    EXPECT_EQ(dump["labels"][0]["values"][0]["value"], "Привет, Tanya!");

    RunJson({"replace", csf, out, "(t)an(ya)", "$2$1", "--regex", "--in", "name,value"});
    const Json renamed = RunJson({"dump", out});
    EXPECT_EQ(renamed["labels"][0]["name"], "GUI:yaT");
    EXPECT_EQ(renamed["labels"][0]["values"][0]["value"], "Привет, yaT!");
    EXPECT_EQ(renamed["labels"][0]["values"][1]["extra"], "tanya.wav");
}

// A single-byte table stores no character its code page lacks, so such a value is refused as
// apply refuses it, never written as '?'; a string is never renamed onto another's name.
TEST_F(FindReplaceTest, ReplaceRefusesValuesTheTableCannotStoreAndNamesAnotherStringHas) {
    const std::string csf = WriteCsf("ansi.csf",
                                     {{"GUI:Old", u"the end"},
                                      {"GUI:New", u"theme"},
                                      {"MAP:x1", u"one"},
                                      {"MAP:x2", u"tw\u00f3"}},
                                     true); // ó makes the file read as single-byte
    const std::string out = dir.file("out.csf");
    EXPECT_EQ(RunJson({"replace", csf, out, "the", "привет", "--codepage", "1252"}).dump(),
              R"({"replacements":0,"strings":0,"refused":["GUI:Old","GUI:New"]})");
    EXPECT_EQ(ReadBytes(out), ReadBytes(csf));
    EXPECT_EQ(RunJson({"replace", csf, out, "the", "привет", "--codepage", "1251"}).dump(),
              R"({"replacements":2,"strings":2,"refused":[]})");
    EXPECT_EQ(RunJson({"dump", out, "--codepage", "1251"})["labels"][0]["values"][0]["value"],
              "привет end");

    EXPECT_EQ(RunJson({"replace", csf, out, "Old|x\\d", "new", "--regex", "--in", "name"}).dump(),
              R"({"replacements":1,"strings":1,"refused":["GUI:Old","MAP:x2"]})");
    const Json names = RunJson({"dump", out});
    EXPECT_EQ(names["labels"][0]["name"], "GUI:Old");
    EXPECT_EQ(names["labels"][2]["name"], "MAP:new");
    EXPECT_EQ(names["labels"][3]["name"], "MAP:x2");
}

// A catastrophic pattern stops at --time-limit with an error naming the pattern and the string,
// and replace writes nothing then.
TEST_F(FindReplaceTest, ASearchPastItsTimeLimitStopsNamingThePatternAndTheString) {
    std::vector<std::pair<std::string, std::u16string>> strings;
    for (int i = 0; i < 20; ++i)
        strings.emplace_back("SLOW:" + std::to_string(i), std::u16string(26, u'a') + u"!");
    const std::string csf = WriteCsf("slow.csf", strings, false);
    const std::string out = dir.file("out.csf");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"find", csf, "(a+)+$"},
          std::vector<std::string>{"replace", csf, out, "(a+)+$", "b"}}) {
        std::vector<std::string> limited = args;
        for (const char* extra : {"--regex", "--in", "value", "--time-limit", "0.2"})
            limited.push_back(extra);
        const CliResult r = Run(limited);
        EXPECT_EQ(r.code, 1) << args[0];
        EXPECT_EQ(r.err.rfind("vste-cli: string 1 (SLOW:0): ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("\"(a+)+$\" ran past its time limit"), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    for (const char* bad : {"0", "-1", "soon"})
        EXPECT_EQ(Run({"find", csf, "a", "--time-limit", bad}).code, 2) << bad;
}

// Replacement errors name the whole group reference; whole words keep a valid pattern valid.
TEST_F(FindReplaceTest, GroupReferencesAndWholeWordPatternsAreTakenWhole) {
    const std::string csf = WriteCsf("t.csf", {{"GUI:OK", u"OK, OKAY"}}, false);
    const CliResult r = Run({"replace", csf, dir.file("out.csf"), "(O)K", "$99", "--regex"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("$99 names a group the pattern lacks"), std::string::npos) << r.err;
    const Json found = RunJson({"find", csf, "\\QOK", "--regex", "--whole-word", "--match-case"});
    ASSERT_EQ(found.size(), 2u) << found.dump();
    EXPECT_EQ(found[0]["field"], "name");
    EXPECT_EQ(found[1]["start"], 0);
}

TEST_F(FindReplaceTest, EmpireAtWarKeysFollowReplacedNames) {
    const std::string in = EawDir() + "/Index_WithDuplicates.dat";
    const Json found = RunJson({"find", in, "^\\d$", "--regex", "--in", "name"});
    EXPECT_EQ(found.size(), 5u);
    const std::string out = dir.file("out.dat");
    EXPECT_EQ(RunJson({"replace", in, out, "^(\\d)$", "KEY_$1", "--regex", "--in", "name"}).dump(),
              R"({"replacements":5,"strings":5,"refused":[]})");
    NullProgress progress;
    const ReadResult read = ReadDocumentFile(DocumentFormat::EmpireAtWar, out, progress);
    ASSERT_EQ(read.document->Body.size(), 5u);
    for (const TText& text : read.document->Body)
        EXPECT_EQ(text.Values[0].Tag, TEmpireAtWarStrings::KeyForName(text.Name)) << text.Name;
}
