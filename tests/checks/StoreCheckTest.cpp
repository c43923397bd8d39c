// SPDX-License-Identifier: MIT
// What an import refuses: exactly the values a save in the target format would refuse or garble,
// judged value by value.
#include <gtest/gtest.h>

#include "checks/StoreCheck.h"
#include "encoding/CodePage.h"

namespace vste {
namespace {

TText StringOf(std::vector<std::u16string> values) {
    TText text;
    text.Name = "GUI:Name";
    for (std::u16string& value : values)
        text.Values.push_back({kValueTagV3, std::move(value), {}});
    return text;
}

TTextContainer ValueOf(std::u16string value) {
    return {kValueTagV3, std::move(value), {}};
}

struct Case {
    const char* what;
    CheckTarget target;
    std::uint32_t valueIndex;
    std::u16string proposed;
    bool refused;
};

TEST(StoreCheck, RefusesWhatTheTargetFormatCannotHoldAndNothingElse) {
    SetActiveCodePage(1252);
    const TText text = StringOf({u"first", u"second \u0416"}); // the old second value is unstorable
    const std::u16string longValue(0xFFFF, u'x');
    const Case cases[] = {
        {"Cyrillic in a Unicode CSF", {DocumentFormat::CSF, false, 0}, 0, u"\u0416", false},
        {"Cyrillic in a single-byte CSF", {DocumentFormat::CSF, true, 0}, 0, u"\u0416", true},
        {"Cyrillic under code page 1251", {DocumentFormat::CSF, true, 1251}, 0, u"\u0416", false},
        {"an added value", {DocumentFormat::CSF, true, 0}, 2, u"\u0416", true},
        {"a fine value beside a bad one", {DocumentFormat::CSF, true, 0}, 0, u"plain", false},
        {"Cyrillic in STR", {DocumentFormat::STR, false, 0}, 0, u"\u0416", true},
        {"anything in Empire at War", {DocumentFormat::EmpireAtWar, false, 0}, 0, u"\u0416", false},
        {"a value at the Dune 2000 limit",
         {DocumentFormat::Dune2000, false, 0},
         0,
         longValue.substr(1),
         false},
        {"a value beyond the Dune 2000 limit",
         {DocumentFormat::Dune2000, false, 0},
         0,
         longValue,
         true},
    };
    for (const Case& c : cases) {
        StoreCheck check(c.target);
        EXPECT_EQ(check.refuses(text, c.valueIndex, ValueOf(c.proposed)), c.refused) << c.what;
        // The check keeps no trace of an earlier candidate.
        EXPECT_FALSE(check.refuses(text, 0, ValueOf(u"plain"))) << c.what;
    }
}

} // namespace
} // namespace vste
