// SPDX-License-Identifier: MIT
// Rules of applying rows that do not simply replace a value: a row for the value one past a
// string's last adds it only where the table's format keeps several values per string.
#include <gtest/gtest.h>

#include "core/CompiledStrings.h"
#include "encoding/CodePage.h"
#include "exchange/ApplyPlan.h"

namespace vste {
namespace {

class AddingValuesTest : public ::testing::TestWithParam<bool> {};

TEST_P(AddingValuesTest, ARowForTheNextValueAddsItOnlyWhereTheFormatKeepsSeveralValues) {
    SetActiveCodePage(1252);
    const bool canAdd = GetParam();
    TCompiledStrings table;
    TText one;
    one.Name = "GUI:One";
    one.Values.push_back({kValueTagV3, u"only", {}});
    table.Body = {one};
    table.StringCount = 1;
    ApplyOptions options;
    options.find = [](std::string_view name) -> std::optional<std::uint32_t> {
        return name == "GUI:One" ? std::optional<std::uint32_t>(0) : std::nullopt;
    };
    options.canAddValues = canAdd;
    const ApplyPlan plan = BuildApplyPlan(table, {{"GUI:One", 2, "second", {}}}, options);
    EXPECT_EQ(plan.additions.size(), canAdd ? 1u : 0u);
    EXPECT_EQ(plan.report.updated, canAdd ? 1u : 0u);
    ApplyPlanTo(table, plan);
    EXPECT_EQ(table.Body[0].Values.size(), canAdd ? 2u : 1u);
    EXPECT_EQ(table.StringCount, canAdd ? 2 : 1);
    RevertPlan(table, plan);
    EXPECT_EQ(table.Body[0].Values.size(), 1u);
    EXPECT_EQ(table.StringCount, 1);
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutSeveralValues, AddingValuesTest, ::testing::Bool(),
                         [](const auto& info) {
                             return info.param ? "SeveralValues" : "OneValue";
                         });

} // namespace
} // namespace vste
