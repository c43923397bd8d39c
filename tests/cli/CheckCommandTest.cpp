// SPDX-License-Identifier: MIT
// vste-cli check: its output lines, JSON and exit codes.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/CompiledStrings.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

using namespace vste;
using namespace vste::test;

namespace {

class CheckCommandTest : public CliRunTest {
protected:
    CliResult Check(std::vector<std::string> args) {
        args.insert(args.begin(), "check");
        return Run(args);
    }

    std::string Csf(const std::string& name,
                    std::vector<std::pair<std::string, std::u16string>> strings, bool ansi = true) {
        TCompiledStrings doc;
        doc.Magic = kCsfMagic;
        doc.Version = 3;
        for (auto& [label, value] : strings) {
            TText t;
            t.Tag = kLabelTag;
            t.Name = label;
            t.Values.push_back(TTextContainer{kValueTagV3, value, {}});
            doc.Body.push_back(std::move(t));
        }
        NullProgress progress;
        WriteBytes(dir.file(name), doc.SaveToBuffer(progress, ansi));
        return dir.file(name);
    }
};

} // namespace

TEST_F(CheckCommandTest, LinesReadLikeACompilersAndTheTotalsComeLast) {
    const std::string file = Csf("t.csf", {{"GUI:OK", u"OK"}, {"gui:ok", u""}});
    const CliResult r = Check({file, "--codepage", "1252"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, file +
                         ": gui:ok: error: string 1 ('GUI:OK') has the same name ignoring case"
                         "; the game sees only one of them [duplicate-name]\n" +
                         file + ": gui:ok: warning: the value is empty [empty-value]\n" + file +
                         ": 1 error, 1 warning\n");
    EXPECT_EQ(r.err, "vste-cli: " + file + ": 1 error\n");
}

TEST_F(CheckCommandTest, WarningsAloneExitWithZeroAndJsonCarriesEveryField) {
    const std::string file = Csf("t.csf", {{"A", u" x"}});
    EXPECT_EQ(Check({file}).code, 0);
    const CliResult r = Check({file, "--json"});
    EXPECT_EQ(r.code, 0);
    const auto json = nlohmann::ordered_json::parse(r.out);
    EXPECT_EQ(json["errors"], 0);
    EXPECT_EQ(json["warnings"], 1);
    const auto& f = json["findings"][0];
    std::vector<std::string> keys;
    for (const auto& item : f.items())
        keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"rule", "severity", "name", "value_index", "field",
                                              "message"}));
    EXPECT_EQ(f["rule"], "edge-whitespace");
    EXPECT_EQ(f["severity"], "warning");
    EXPECT_EQ(f["field"], "value");
}

TEST_F(CheckCommandTest, SaveAsReferenceAndRulesChooseWhatIsChecked) {
    // Ω cannot be written single-byte in 1251, and "GUI OK " is no STR label.
    const std::string file = Csf("t.csf", {{"GUI OK ", u"\u03A9"}}, false);
    EXPECT_EQ(Check({file, "--codepage", "1251"}).code, 0); // UTF-16 values keep it
    const CliResult str = Check({file, "--codepage", "1251", "--save-as", "str", "--json"});
    EXPECT_EQ(str.code, 1);
    EXPECT_EQ(nlohmann::json::parse(str.out)["errors"], 2);
    const CliResult one =
        Check({file, "--codepage", "1251", "--save-as", "str", "--rules", "str-name"});
    EXPECT_NE(one.out.find("[str-name]"), std::string::npos);
    EXPECT_EQ(one.out.find("[unstorable-character]"), std::string::npos);

    const std::string ref = Csf("ref.csf", {{"GUI OK ", u"\u03A9"}, {"MAP", u"m"}}, false);
    const CliResult r =
        Check({file, "--reference", ref, "--rules", "untranslated,only-in-reference"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("[untranslated]"), std::string::npos);
    EXPECT_NE(r.out.find(": MAP: warning: only the reference"), std::string::npos);
}

TEST_F(CheckCommandTest, UsageMistakesExitWithTwoAndUnreadableFilesWithOne) {
    const std::string file = Csf("t.csf", {{"A", u"a"}});
    EXPECT_EQ(Check({file, "--rules", "nonsense"}).code, 2);
    EXPECT_EQ(Check({file, "--rules", "placeholders"}).code, 2); // needs --reference
    EXPECT_EQ(Check({file, "--save-as", "eaw"}).code, 2);
    EXPECT_EQ(Check({file, "--reference", file, "--reference-format", "xyz"}).code, 2);
    const CliResult missing = Check({dir.file("missing.csf")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err.rfind("vste-cli: ", 0), 0u);
    WriteBytes(dir.file("bad.csf"), Hex("20 46 53 43 03"));
    EXPECT_EQ(Check({dir.file("bad.csf")}).code, 1);
}
