// SPDX-License-Identifier: MIT
// vste-cli find and replace, end to end on generated tables and on corpus files.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
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
