// SPDX-License-Identifier: MIT
// vste-cli apply lists the rows it skips because the string has no such value.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

#include "support/CliRun.h"
#include "support/SampleFiles.h"
#include "support/TestSupport.h"

using namespace vste;
using namespace vste::test;
using Json = nlohmann::ordered_json;

namespace {

using ApplyReportTest = CliRunTest;

// The sample table: GUI:OK has one value, A_B:C two. Value 2 of GUI:OK can be added; the rest are
// gaps, and each exchange format reports them alike.
TEST_F(ApplyReportTest, RowsForValuesTheStringDoesNotHaveAreListedAsMissingValues) {
    const std::string table = dir.file("table.csf");
    WriteBytes(table, samples::CsfEnglish());
    const std::string csv = dir.file("in.csv");
    const std::string text = "name,index,value\r\nGUI:OK,2,two\r\nGUI:OK,7,gap\r\n"
                             "A_B:C,4294967295,far\r\nNope,1,x\r\n";
    WriteBytes(csv, Bytes(text.begin(), text.end()));
    const std::string xliff = dir.file("in.xlf");
    const std::string units =
        "<xliff version=\"1.2\"><file original=\"t\" source-language=\"en\"><body>"
        "<trans-unit id=\"1.2\" resname=\"GUI:OK\"><target>two</target></trans-unit>"
        "<trans-unit id=\"1.7\" resname=\"GUI:OK\"><target>gap</target></trans-unit>"
        "<trans-unit id=\"5.4294967295\" resname=\"A_B:C\"><target>far</target></trans-unit>"
        "<trans-unit id=\"9.1\" resname=\"Nope\"><target>x</target></trans-unit>"
        "</body></file></xliff>";
    WriteBytes(xliff, Bytes(units.begin(), units.end()));

    for (const std::string& exchange : {csv, xliff}) {
        const Json report = RunJson({"apply", table, exchange, dir.file("out.csf")});
        EXPECT_EQ(report["updated"], 1) << exchange;
        EXPECT_EQ(report["unchanged"], 1) << exchange;
        EXPECT_EQ(report["not_found"], Json::array({"Nope"})) << exchange;
        EXPECT_EQ(report["refused"], Json::array()) << exchange;
        EXPECT_EQ(report["missing_values"], Json::parse(R"([{"name": "GUI:OK", "index": 7},
                                  {"name": "A_B:C", "index": 4294967295}])"))
            << exchange;
    }
}

} // namespace
