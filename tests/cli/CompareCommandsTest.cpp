// SPDX-License-Identifier: MIT
// End-to-end runs of vste-cli diff and vste-cli update.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "compare/CompareTestSupport.h"
#include "core/CompiledStrings.h"
#include "encoding/CodePage.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

using namespace vste;
using namespace vste::test;
using Json = nlohmann::ordered_json;

namespace {

TText Label(const std::string& name, const std::u16string& value, const std::string& extra = {}) {
    return Str(name, {{value, extra}});
}

class CompareCommandsTest : public CliRunTest {
protected:
    // A CSF table; single-byte values of code page 1251 when `ansi`.
    std::string Csf(const std::string& name, TCSFBody body, bool ansi = false,
                    std::int32_t language = 0) {
        return WriteCsfTable(dir.file(name), std::move(body), 1251, ansi, language);
    }
};

} // namespace

TEST_F(CompareCommandsTest, DiffPrintsTheExactContractAndExitsThreeOnlyWhenAsked) {
    const std::string a = Csf("a.csf", {Label("GUI:OK", u"OK"), Label("GUI:Gone", u"x"),
                                        Label("GUI:Quit", u"Quit", "snd")});
    const std::string b = Csf("b.csf", {Label("gui:quit", u"Quit", "snd"),
                                        Label("NEW:\xC0", u"Ново"), Label("GUI:OK", u"Okay")});
    CliResult r = Run({"diff", a, b, "--codepage", "1251"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Json::parse(r.out),
              Json::parse(R"({"identical": false, "only_in_a": ["GUI:Gone"], "only_in_b": ["NEW:А"],
                  "changed": [
                    {"name": "GUI:OK", "a": [{"value": "OK", "extra": ""}],
                                       "b": [{"value": "Okay", "extra": ""}]},
                    {"name": "GUI:Quit", "name_b": "gui:quit",
                     "a": [{"value": "Quit", "extra": "snd"}],
                     "b": [{"value": "Quit", "extra": "snd"}]}]})"));
    EXPECT_EQ(Run({"diff", a, b, "--exit-code"}).code, 3);
    EXPECT_EQ(Run({"diff", a, a, "--exit-code"}).code, 0);
    EXPECT_EQ(Run({"diff", a, dir.file("missing.csf")}).code, 1);
    EXPECT_EQ(Run({"diff", a, b, "--format-b", "doc"}).code, 2);
    EXPECT_EQ(Run({"diff", a}).code, 2);
}

TEST_F(CompareCommandsTest, UpdateWritesNewOrderWithTheTranslationsPropertiesAndReports) {
    const std::string oldSrc =
        Csf("old.csf", {Label("Same", u"Same"), Label("Edited", u"Old"), Label("Gone", u"G")});
    const std::string newSrc =
        Csf("new.csf", {Label("Added", u"Added"), Label("EDITED", u"New"), Label("Same", u"Same")});
    const std::string tr = Csf(
        "tr.csf", {Label("Gone", u"Ушёл"), Label("Same", u"Тот же"), Label("Edited", u"Старый")},
        true, 7);
    const std::string out = dir.file("out.csf");
    CliResult r = Run({"update", "--old-source", oldSrc, "--new-source", newSrc, "--translation",
                       tr, out, "--codepage", "1251"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "{\"kept\":1,\"changed\":[\"EDITED\"],\"new\":[\"Added\"],\"removed\":"
                     "[\"Gone\"]}\n");
    Json dump = Json::parse(Run({"dump", out, "--codepage", "1251"}).out);
    EXPECT_EQ(dump["language"], 7);
    EXPECT_EQ(dump["single_byte"], true); // the translation's encoding mode
    ASSERT_EQ(dump["labels"].size(), 3u);
    EXPECT_EQ(dump["labels"][1]["name"], "EDITED");
    EXPECT_EQ(dump["labels"][1]["values"][0]["value"], "Старый");
    EXPECT_EQ(dump["labels"][2]["values"][0]["value"], "Тот же");
}

TEST_F(CompareCommandsTest, UpdateRefusesWithoutWritingAnything) {
    const std::string src = Csf("src.csf", {Label("A", u"Ελληνικά")}); // Greek, not in 1251
    const std::string tr = Csf("tr.csf", {Label("B", u"Б")}, true);
    const std::string out = dir.file("out.csf");
    const auto update = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = {"update", "--old-source",  src, "--new-source",
                                         src,      "--translation", tr,  "--codepage",
                                         "1251"};
        args.insert(args.end(), extra.begin(), extra.end());
        return Run(args);
    };
    CliResult r = update({out});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("\"A\""), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("--unicode"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    r = update({dir.file("out.str")}); // named as another format than the translation's
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("str"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    r = update({out, "--unicode"});
    ASSERT_EQ(r.code, 0) << r.err;
    const Json dump = Json::parse(Run({"dump", out}).out);
    EXPECT_EQ(dump["labels"][0]["values"][0]["value"], "Ελληνικά");
}
