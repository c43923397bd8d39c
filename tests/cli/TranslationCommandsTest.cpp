// SPDX-License-Identifier: MIT
// End-to-end runs of vste-cli status, tm build, tm suggest, pretranslate, the spelling and
// glossary options of check, and exports that mark untranslated values.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>

#include "compare/CompareTestSupport.h"
#include "core/CompiledStrings.h"
#include "encoding/CodePage.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

using namespace vste;
using namespace vste::test;
using Json = nlohmann::ordered_json;

namespace {

const std::string kFixtures = VSTE_SOURCE_DIR "/tests/fixtures/translation/";

// Compares `actual` with a golden file, where "@VERSION@" stands for the program's version. With
// VSTE_UPDATE_GOLDEN set, rewrites the golden file instead.
void ExpectGolden(std::string actual, const std::string& golden) {
    const std::string version = VSTE_VERSION_STRING;
    for (std::size_t at = actual.find(version); at != std::string::npos;
         at = actual.find(version, at))
        actual.replace(at, version.size(), "@VERSION@");
    if (std::getenv("VSTE_UPDATE_GOLDEN") != nullptr)
        WriteBytes(kFixtures + golden, Bytes(actual.begin(), actual.end()));
    EXPECT_EQ(actual, ReadText(kFixtures + golden));
}

class TranslationCommandsTest : public CliRunTest {
protected:
    std::string Csf(const std::string& name, TCSFBody body, std::int32_t language = 0,
                    bool ansi = false) {
        return WriteCsfTable(dir.file(name), std::move(body), 1252, ansi, language);
    }

    // A source and its Russian translation: one translated, one copied, one empty, one missing,
    // one only in the translation, one with a second value.
    void MakePair() {
        source = Csf("en.csf", {Str("GUI:OK", u"OK"), Str("GUI:Cancel", u"Cancel"),
                                Str("GUI:Quit", u"Quit"), Str("GUI:Gone", u"Gone"),
                                Str("GUI:Two", std::vector<V>{{u"One"}, {u"Two"}})});
        translation = Csf("ru.csf",
                          {Str("gui:ok", U16("Хорошо")), Str("GUI:Cancel", u"Cancel"),
                           Str("GUI:Quit", u""), Str("GUI:Mine", u"x"),
                           Str("GUI:Two", std::vector<V>{{U16("Один")}, {U16("Два")}})},
                          17);
    }

    std::string source, translation;
};

} // namespace

TEST_F(TranslationCommandsTest, StatusCountsEachTableInTheOrderGiven) {
    MakePair();
    const std::string str = dir.file("ru.str");
    ASSERT_EQ(Run({"convert", translation, str, "--to", "str"}).code, 0);
    const Json json = RunJson({"status", source, translation, str});
    // The names as JSON strings: Windows paths hold backslashes.
    const auto name = [](const std::string& file) { return Json(file).dump(); };
    EXPECT_EQ(json, Json::parse(R"({"source": {"file": )" + name(source) + R"(, "strings": 5},
        "tables": [
          {"file": )" + name(translation) +
                                R"(, "language": 17, "strings": 5, "translated": 2,
           "untranslated": 2, "missing": 1, "only_here": 1, "percent": 40},
          {"file": )" + name(str) +
                                R"(, "language": null, "strings": 5, "translated": 2,
           "untranslated": 2, "missing": 1, "only_here": 1, "percent": 40}]})"));
    const std::string empty = Csf("empty.csf", {});
    EXPECT_EQ(RunJson({"status", empty, translation})["tables"][0]["percent"], 0);
}

TEST_F(TranslationCommandsTest, CommandsExitOneForAnUnreadableFileAndTwoForMisuse) {
    MakePair();
    const std::string tmx = dir.file("m.tmx");
    WriteBytes(dir.file("bad.tmx"), Bytes{'<', 't', 'm', 'x', '>'});
    const std::vector<std::pair<std::vector<std::string>, int>> cases = {
        {{"status", source, dir.file("none.csf")}, 1},
        {{"status", source}, 2},
        {{"tm", "build", tmx, source}, 2},
        {{"tm", "build", tmx}, 2},
        {{"tm", "suggest", dir.file("bad.tmx"), "OK"}, 1},
        {{"tm", "suggest", dir.file("none.tmx"), "OK"}, 1},
        {{"tm", "suggest", tmx, "OK", "--min", "101"}, 2},
        {{"pretranslate", translation, dir.file("o.csf"), "--source", source}, 2},
        {{"pretranslate", translation, dir.file("o.csf"), "--source", source, "--tm",
          dir.file("none.tmx")},
         1},
        {{"check", source, "--spelling", "xx_XX"}, 2},
        {{"check", source, "--personal", dir.file("words.txt")}, 2},
        {{"check", source, "--glossary", dir.file("g.csv")}, 2},
        {{"check", source, "--rules", "spelling"}, 2},
        {{"check", translation, "--reference", source, "--glossary", dir.file("none.csv")}, 1},
    };
    for (const auto& [args, code] : cases) {
        const CliResult r = Run(args);
        EXPECT_EQ(r.code, code) << args[0] << " " << args[1] << ": " << r.err;
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_NE(Run({"check", source, "--spelling", "xx_XX"}).err.find("xx_XX"), std::string::npos);
}

TEST_F(TranslationCommandsTest, TmBuildWritesTheGoldenMemoryOfAPair) {
    MakePair();
    const std::string tmx = dir.file("m.tmx");
    EXPECT_EQ(RunJson({"tm", "build", tmx, source, translation, source, translation}),
              Json::parse(R"({"units": 3})"));
    ExpectGolden(ReadText(tmx), "pair.tmx");
#ifndef _WIN32 // libxml2's own check, where it is installed with the tests
    EXPECT_EQ(std::system(("xmllint --noout " + tmx).c_str()), 0);
#endif
    // Without a language in the translation's header, it has to be named.
    const std::string plain = Csf("plain.csf", {Str("GUI:OK", u"Gut")});
    EXPECT_EQ(Run({"tm", "build", tmx, source, plain}).code, 2);
    EXPECT_EQ(RunJson({"tm", "build", tmx, source, plain, "--target-language", "de"})["units"], 1);
}

TEST_F(TranslationCommandsTest, TmBuildAddsTheUnitsOfAnotherToolsMemory) {
    MakePair();
    const std::string tmx = dir.file("m.tmx");
    const Json json =
        RunJson({"tm", "build", tmx, source, translation, "--add", kFixtures + "other-tool.tmx"});
    EXPECT_EQ(json, Json::parse(R"({"units": 6, "skipped": 2})"));
    EXPECT_EQ(RunJson({"tm", "build", dir.file("only.tmx"), "--add", kFixtures + "other-tool.tmx",
                       "--source-language", "en-US"})["units"],
              4);
    const Json found = RunJson({"tm", "suggest", tmx, "Attack %s now", "--min", "100"});
    EXPECT_EQ(found, Json::parse(R"([{"source": "Attack %s now",
                                      "target": "Атакуйте %s сейчас", "score": 100}])"));
}

TEST_F(TranslationCommandsTest, TmSuggestRanksByScoreThenFileOrderWithinMinAndMax) {
    const std::string en =
        Csf("en.csf", {Str("A", u"abcdefghij"), Str("B", u"abcdefghix"), Str("C", u"abcdefghiy"),
                       Str("D", u"abcdefgxyz"), Str("E", u"zzzz")});
    const std::string de =
        Csf("de.csf",
            {Str("A", u"a"), Str("B", u"b"), Str("C", u"c"), Str("D", u"d"), Str("E", u"e")}, 2);
    const std::string tmx = dir.file("m.tmx");
    ASSERT_EQ(RunJson({"tm", "build", tmx, en, de})["units"], 5);
    EXPECT_EQ(RunJson({"tm", "suggest", tmx, "abcdefghij"}), Json::parse(R"([
        {"source": "abcdefghij", "target": "a", "score": 100},
        {"source": "abcdefghix", "target": "b", "score": 90},
        {"source": "abcdefghiy", "target": "c", "score": 90},
        {"source": "abcdefgxyz", "target": "d", "score": 70}])"));
    EXPECT_EQ(RunJson({"tm", "suggest", tmx, "abcdefghij", "--min", "80", "--max", "2"}),
              Json::parse(R"([{"source": "abcdefghij", "target": "a", "score": 100},
                              {"source": "abcdefghix", "target": "b", "score": 90}])"));
    EXPECT_EQ(RunJson({"tm", "suggest", tmx, "nothing like it"}), Json::array());
}

TEST_F(TranslationCommandsTest, PretranslateFillsRefusesAndLeavesAsReported) {
    const std::string en =
        Csf("en.csf",
            {Str("GUI:Attack", u"Attack now"), Str("GUI:Near", u"Attack them now"),
             Str("GUI:Omega", u"Omega"), Str("GUI:None", u"Unknown"), Str("GUI:Done", u"Done")});
    const std::string other =
        Csf("other.csf", {Str("GUI:Attack", u"Angriff jetzt"), Str("GUI:Omega", U16("Ωmega"))}, 2);
    const std::string table =
        Csf("de.csf",
            {Str("gui:attack", u""), Str("GUI:Near", u"Attack them now"),
             Str("GUI:Omega", u"Omega"), Str("GUI:None", u""), Str("GUI:Done", u"Fertig \u00e9")},
            2, true); // é makes the file read as single-byte
    const std::string tmx = dir.file("m.tmx");
    ASSERT_EQ(RunJson({"tm", "build", tmx, en, other})["units"], 2);
    const std::string out = dir.file("out.csf");
    EXPECT_EQ(RunJson({"pretranslate", table, out, "--source", en, "--tm", tmx, "--min", "60",
                       "--codepage", "1252"}),
              Json::parse(R"({"filled": ["gui:attack", "GUI:Near"], "fuzzy": ["GUI:Near"],
                              "refused": ["GUI:Omega"], "left": 2})"));
    const Json dumped = RunJson({"dump", out});
    EXPECT_EQ(dumped["labels"][0]["values"][0]["value"], "Angriff jetzt");
    EXPECT_EQ(dumped["labels"][1]["values"][0]["value"], "Angriff jetzt");
    EXPECT_EQ(dumped["labels"][2]["values"][0]["value"], "Omega");
    EXPECT_EQ(dumped["single_byte"], true);
    // The default takes exact matches only.
    EXPECT_EQ(RunJson({"pretranslate", table, out, "--source", en, "--tm", tmx})["filled"],
              Json::parse(R"(["gui:attack"])"));
}

TEST_F(TranslationCommandsTest, CheckFindsUnknownWordsAndGlossaryMisses) {
    const std::string en = Csf("en.csf", {Str("GUI:A", u"Teh Ore Refinery is ready, %ls NATO x"),
                                          Str("GUI:B", u"Build an ore refinery")});
    const CliResult spelled = Run({"check", en, "--spelling", "en_US", "--json"});
    ASSERT_EQ(spelled.code, 0) << spelled.err;
    const Json findings = Json::parse(spelled.out)["findings"];
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0]["rule"], "spelling");
    EXPECT_EQ(
        findings[0]["message"].get<std::string>().rfind("unknown word \"Teh\"; suggestions: ", 0),
        0u);
    WriteBytes(dir.file("words.txt"), Bytes{'T', 'e', 'h', '\n'});
    EXPECT_EQ(RunJson({"check", en, "--spelling", "en_US", "--personal", dir.file("words.txt"),
                       "--json"})["warnings"],
              0);

    const std::string de = Csf(
        "de.csf", {Str("GUI:A", u"Die Raffinerie ist bereit"), Str("GUI:B", u"Baue eine Fabrik")});
    const std::string csv = "term,translation,note\r\nore refinery,Raffinerie,x\r\n";
    WriteBytes(dir.file("g.csv"), Bytes(csv.begin(), csv.end()));
    const Json glossary = RunJson({"check", de, "--reference", en, "--glossary", dir.file("g.csv"),
                                   "--rules", "glossary", "--json"});
    ASSERT_EQ(glossary["findings"].size(), 1u);
    EXPECT_EQ(glossary["findings"][0]["name"], "GUI:B");
    EXPECT_EQ(glossary["findings"][0]["message"],
              "the reference says \"ore refinery\", which the glossary translates as "
              "\"Raffinerie\"; the value lacks it");
}

TEST_F(TranslationCommandsTest, ExportsLeaveUntranslatedValuesForTheTranslator) {
    MakePair();
    const std::string po = dir.file("ru.po");
    const std::string xlf = dir.file("ru.xlf");
    ASSERT_EQ(Run({"export", translation, po, "--reference", source}).code, 0);
    ASSERT_EQ(Run({"export", translation, xlf, "--reference", source}).code, 0);
    ExpectGolden(ReadText(po), "untranslated.po");
    ExpectGolden(ReadText(xlf), "untranslated.xlf");
#ifndef _WIN32 // gettext's own check, where it is installed with the tests
    EXPECT_EQ(std::system(("msgfmt --check -o /dev/null " + po).c_str()), 0);
#endif
    // Applying either export back changes nothing.
    for (const std::string& file : {po, xlf})
        EXPECT_EQ(RunJson({"apply", translation, file, dir.file("back.csf")})["updated"], 0);
    ASSERT_EQ(
        Run({"export", translation, po, "--reference", source, "--target-language", "uk"}).code, 0);
    EXPECT_NE(ReadText(po).find("\"Language: uk\\n\""), std::string::npos);
}
