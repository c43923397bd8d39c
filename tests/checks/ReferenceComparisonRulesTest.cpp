// SPDX-License-Identifier: MIT
// The rules that excuse a value by its reference's value of the same number: a blank at one end
// is excused only by a blank at the same end, and a value equal to an empty reference is no
// untranslated text.
#include <gtest/gtest.h>

#include <ostream>

#include "checks/CheckSupport.h"
#include "encoding/CodePage.h"

using namespace vste;
using namespace vste::test;

namespace {

struct ExcuseCase {
    const char* rule;
    std::u16string value;
    std::u16string reference;
    std::size_t findings;
};

void PrintTo(const ExcuseCase& c, std::ostream* os) {
    *os << c.rule << ": value \"" << Utf16ToUtf8(c.value) << "\", reference \""
        << Utf16ToUtf8(c.reference) << "\"";
}

class ReferenceExcuseTest : public ::testing::TestWithParam<ExcuseCase> {};

TEST_P(ReferenceExcuseTest, FindsExactlyWhatTheReferenceDoesNotExcuse) {
    const ExcuseCase& c = GetParam();
    const TCSFBody body{Str("A", c.value)};
    const TCSFBody reference{Str("A", c.reference)};
    EXPECT_EQ(Findings(body, {DocumentFormat::CSF, false, 1252}, &reference, c.rule).size(),
              c.findings);
}

INSTANTIATE_TEST_SUITE_P(EdgesAndEmptyValues, ReferenceExcuseTest,
                         ::testing::Values(ExcuseCase{"edge-whitespace", u"Hi ", u"Hi ", 0},
                                           ExcuseCase{"edge-whitespace", u"Hi ", u" Hi", 1},
                                           ExcuseCase{"edge-whitespace", u" Hi", u"Hi ", 1},
                                           ExcuseCase{"edge-whitespace", u" Hi", u"\tHi", 0},
                                           ExcuseCase{"edge-whitespace", u" Hi ", u" Hi", 1},
                                           ExcuseCase{"edge-whitespace", u" Hi ", u"Hi", 1},
                                           ExcuseCase{"edge-whitespace", u"Hi ", u"", 1},
                                           ExcuseCase{"edge-whitespace", u" ", u" ", 0},
                                           ExcuseCase{"untranslated", u"", u"", 0},
                                           ExcuseCase{"untranslated", u"", u"Open", 0},
                                           ExcuseCase{"untranslated", u"Open", u"Open", 1},
                                           ExcuseCase{"untranslated", u"Open", u"open", 0}));

TEST(ReferenceExcuse, AValueTheReferenceStringLacksIsComparedWithNothing) {
    const TCSFBody body{Str("A", {Val(u"Hi"), Val(u"Hi ")})};
    const TCSFBody reference{Str("A", u"Hi ")};
    const auto found =
        Findings(body, {DocumentFormat::CSF, false, 1252}, &reference, "edge-whitespace");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].valueIndex, 1u);
}

} // namespace
