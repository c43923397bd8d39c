// SPDX-License-Identifier: MIT
// vste-cli export and apply end to end: each exchange format comes back without a change, an
// edited file reports what it did in JSON, the header counts added values, a format of one value
// per string gains none, and unreadable files and wrong use end with their exit codes.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/CompiledStrings.h"
#include "core/Model.h"
#include "encoding/CodePage.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

using namespace vste;
using namespace vste::test;
using Json = nlohmann::ordered_json;

namespace {

TText Label(const std::string& name, std::vector<std::u16string> values) {
    TText t;
    t.Tag = kLabelTag;
    t.Name = name;
    for (std::u16string& value : values)
        t.Values.push_back({kValueTagV3, std::move(value), {}});
    return t;
}

// The CSF header's count of values: the 32-bit number after the signature, the version and the
// count of strings.
std::int32_t HeaderValueCount(const Bytes& csf) {
    std::int32_t count = 0;
    EXPECT_GE(csf.size(), 16u);
    if (csf.size() >= 16)
        std::memcpy(&count, csf.data() + 12, 4);
    return count;
}

class ExchangeCliTest : public CliRunTest {
protected:
    // A version 3 CSF table; its header counts its values.
    std::string WriteCsf(const std::string& name, TCSFBody body, bool singleByte = false) {
        TCompiledStrings doc;
        doc.Magic = kCsfMagic;
        doc.Version = 3;
        for (const TText& t : body)
            doc.StringCount += static_cast<std::int32_t>(t.Values.size());
        doc.Body = std::move(body);
        SetActiveCodePage(1252); // single-byte values are of code page 1252 whatever ran before
        NullProgress progress;
        const std::string file = dir.file(name);
        WriteBytes(file, doc.SaveToBuffer(progress, singleByte));
        return file;
    }

    std::string WriteText(const std::string& name, const std::string& text) {
        const std::string file = dir.file(name);
        WriteBytes(file, Bytes(text.begin(), text.end()));
        return file;
    }

    std::string Table() {
        return WriteCsf("t.csf", {Label("GUI:OK", {u"OK"}), Label("GUI:Quit", {u"Quit?\r\nYes"}),
                                  Label("NAME:Tom", {u"Tom & Jerry <b>", u"second"})});
    }
};

class ExportApplyEveryFormatTest : public ExchangeCliTest,
                                   public ::testing::WithParamInterface<const char*> {};

TEST_P(ExportApplyEveryFormatTest, AnUnchangedExportAppliesToTheSameBytesWithAReportOfNothing) {
    const std::string table = Table();
    const std::string exchange = dir.file(std::string("t") + GetParam());
    for (const bool reference : {false, true}) {
        SCOPED_TRACE(reference ? "with a reference" : "without a reference");
        std::vector<std::string> args = {"export", table, exchange};
        if (reference)
            args.insert(args.end(), {"--reference", table, "--target-language", "ru"});
        const CliResult exported = Run(args);
        ASSERT_EQ(exported.code, 0) << exported.err;
        EXPECT_TRUE(exported.out.empty()) << exported.out;
        const Json report = RunJson({"apply", table, exchange, dir.file("out.csf")});
        EXPECT_EQ(report["updated"], 0);
        EXPECT_EQ(report["unchanged"], 3);
        EXPECT_EQ(report["not_found"], Json::array());
        EXPECT_EQ(report["refused"], Json::array());
        EXPECT_EQ(ReadBytes(dir.file("out.csf")), ReadBytes(table));
    }
}

INSTANTIATE_TEST_SUITE_P(ByExtension, ExportApplyEveryFormatTest,
                         ::testing::Values(".csv", ".xlsx", ".po", ".pot", ".xlf", ".xliff"),
                         [](const auto& info) { return std::string(info.param + 1); });

TEST_F(ExchangeCliTest, ApplyReportsUpdatedUnchangedNotFoundAndRefusedStringsAsJson) {
    const std::string table = WriteCsf(
        "t.csf",
        {Label("GUI:OK", {u"OK"}), Label("GUI:Quit", {u"Quit"}), Label("GUI:Same", {u"Sam\u00e9"})},
        true); // é makes the file read as single-byte; a table of plain ASCII reads as Unicode
    const std::string csv = WriteText("t.csv", "name,index,value\r\n"
                                               "gui:ok,1,Fine\r\n"
                                               "GUI:Quit,1,\xD0\x96\r\n" // not in code page 1252
                                               "GUI:Same,1,Sam\xC3\xA9\r\n"
                                               "GUI:Gone,1,x\r\n"
                                               "GUI:Gone,2,y\r\n");
    const CliResult r = Run({"apply", table, csv, dir.file("out.csf"), "--codepage", "1252"});
    ASSERT_EQ(r.code, 0) << r.err;
    const Json report = Json::parse(r.out);
    EXPECT_EQ(report["updated"], 1);
    EXPECT_EQ(report["unchanged"], 1);
    EXPECT_EQ(report["not_found"], Json::parse(R"(["GUI:Gone"])"));
    EXPECT_EQ(report["refused"], Json::parse(R"(["GUI:Quit"])"));
    const Json dump = RunJson({"dump", dir.file("out.csf"), "--codepage", "1252"});
    EXPECT_NE(dump.dump().find("\"Fine\""), std::string::npos) << dump.dump();
    EXPECT_NE(dump.dump().find("\"Quit\""), std::string::npos) << dump.dump();
}

TEST_F(ExchangeCliTest, ValuesAddedByApplyAreCountedInTheWrittenHeader) {
    const std::string table = Table();
    ASSERT_EQ(HeaderValueCount(ReadBytes(table)), 4);
    const std::string csv = WriteText("t.csv", "name,index,value\n"
                                               "GUI:OK,2,Second OK\n"
                                               "GUI:OK,3,Third OK\n"
                                               "NAME:Tom,3,third\n"
                                               "GUI:Quit,3,a gap is skipped\n");
    const Json report = RunJson({"apply", table, csv, dir.file("out.csf")});
    EXPECT_EQ(report["updated"], 2);
    const Bytes out = ReadBytes(dir.file("out.csf"));
    EXPECT_EQ(HeaderValueCount(out), 7);
    // Read back, the table holds as many values as its header says.
    const Json dump = RunJson({"dump", dir.file("out.csf")});
    std::size_t values = 0;
    for (const Json& label : dump["labels"])
        values += label["values"].size();
    EXPECT_EQ(values, 7u);
    EXPECT_NE(dump.dump().find("Third OK"), std::string::npos);
    EXPECT_EQ(dump.dump().find("a gap is skipped"), std::string::npos);
}

TEST_F(ExchangeCliTest, AnEmpireAtWarTableKeepsOneValuePerStringWhateverTheFileHolds) {
    const std::string table = EawDir() + "/Index_WithDuplicates.dat";
    // A row for value 2 of every string, which a format of one value per string cannot take.
    const Json dump = RunJson({"dump", table});
    ASSERT_EQ(dump["labels"].size(), 5u);
    std::string csv = "name,index,value\n";
    for (const Json& label : dump["labels"])
        csv.append(label["name"].get<std::string>()).append(",2,added\n");
    WriteText("t.csv", csv);
    const Json report = RunJson({"apply", table, dir.file("t.csv"), dir.file("out.dat")});
    EXPECT_EQ(report["updated"], 0);
    EXPECT_EQ(report["refused"], Json::array());
    EXPECT_EQ(ReadBytes(dir.file("out.dat")), ReadBytes(table));
}

// In `args`, "T" is the table, "X" a CSV file, "B" a broken CSV file, "O" the table to write
// and "E" the exchange file to write.
struct FailureCase {
    const char* name;
    std::vector<std::string> args;
    int code;
};

class ExchangeCliFailureTest : public ExchangeCliTest,
                               public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ExchangeCliFailureTest, EndsWithItsExitCodeAMessageAndNoOutputFile) {
    const std::string table = Table();
    const std::string csv = WriteText("x.csv", "name,index,value\nGUI:OK,1,Fine\n");
    const std::string broken = WriteText("b.csv", "name,index,value\nGUI:OK,1,\"open\n");
    std::vector<std::string> args;
    for (const std::string& arg : GetParam().args)
        args.push_back(arg == "T"   ? table
                       : arg == "X" ? csv
                       : arg == "B" ? broken
                       : arg == "O" ? dir.file("out.csf")
                       : arg == "E" ? dir.file("out.csv")
                                    : arg);
    const CliResult r = Run(args);
    EXPECT_EQ(r.code, GetParam().code) << r.out;
    EXPECT_FALSE(r.err.empty());
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.csf")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.csv")));
}

INSTANTIATE_TEST_SUITE_P(
    UnreadableFilesAndWrongUse, ExchangeCliFailureTest,
    ::testing::Values(FailureCase{"BrokenExchangeFile", {"apply", "T", "B", "O"}, 1},
                      FailureCase{"MissingExchangeFile", {"apply", "T", "none.csv", "O"}, 1},
                      FailureCase{"MissingTable", {"apply", "none.csf", "X", "O"}, 1},
                      FailureCase{"ExportOfAMissingTable", {"export", "none.csf", "E"}, 1},
                      FailureCase{"UnknownExchangeExtension", {"apply", "T", "x.txt", "O"}, 2},
                      FailureCase{"ExportToAnUnknownExtension", {"export", "T", "O"}, 2},
                      FailureCase{"ApplyWithoutOutput", {"apply", "T", "X"}, 2},
                      FailureCase{
                          "UnknownSeparator", {"apply", "T", "X", "O", "--separator", "pipe"}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
