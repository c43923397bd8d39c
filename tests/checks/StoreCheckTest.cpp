// SPDX-License-Identifier: MIT
// What an import refuses: exactly the values a save in the target format would refuse or garble,
// judged value by value.
#include <gtest/gtest.h>

#include "checks/StoreCheck.h"
#include "encoding/CodePage.h"

namespace vste {
namespace {

TEST(StoreCheck, RefusesWhatTheTargetFormatCannotHoldAndNothingElse) {
    SetActiveCodePage(1252);
    TText text;
    text.Name = "GUI:Name";
    text.Values = {{kValueTagV3, u"first", {}}, {kValueTagV3, u"second \u0416", {}}};
    const std::u16string atLimit(0xFFFE, u'x'); // the longest Dune 2000 value
    const struct {
        CheckTarget target;
        std::uint32_t valueIndex;
        std::u16string proposed;
        bool refused;
    } cases[] = {
        {{DocumentFormat::CSF, false, 0}, 0, u"\u0416", false},
        {{DocumentFormat::CSF, true, 0}, 0, u"\u0416", true},
        {{DocumentFormat::CSF, true, 1251}, 0, u"\u0416", false},
        {{DocumentFormat::CSF, true, 0}, 2, u"\u0416", true}, // a value to be added
        {{DocumentFormat::CSF, true, 0}, 0, u"plain", false}, // beside an unstorable value
        {{DocumentFormat::STR, false, 0}, 0, u"\u0416", true},
        {{DocumentFormat::EmpireAtWar, false, 0}, 0, u"\u0416", false},
        {{DocumentFormat::Dune2000, false, 0}, 0, atLimit, false},
        {{DocumentFormat::Dune2000, false, 0}, 0, atLimit + u"x", true},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        StoreCheck check(cases[i].target);
        EXPECT_EQ(check.refuses(StringView(text), cases[i].valueIndex,
                                {kValueTagV3, cases[i].proposed, {}}),
                  cases[i].refused)
            << "case " << i;
        // No trace of an earlier candidate stays.
        EXPECT_FALSE(check.refuses(StringView(text), 0, {kValueTagV3, u"plain", {}}))
            << "case " << i;
    }
}

} // namespace
} // namespace vste
