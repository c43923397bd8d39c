// SPDX-License-Identifier: MIT
// The counts of the reference filters when a row carries two flags at once: it counts under each
// of them, as each filter shows it.
#include <gtest/gtest.h>

#include "compare/CompareTestSupport.h"
#include "compare/ReferenceStatus.h"

using namespace vste;
using namespace vste::test;

TEST(ReferenceCounts, ARowWithTwoFlagsCountsUnderBoth) {
    const TCSFBody reference = {Str("Same", u"Longer text"), Str("Done", u"Open")};
    const TCSFBody document = {
        Str("New", u""),             // untranslated and missing in the reference
        Str("Same", u"Longer text"), // untranslated and differing
        Str("Done", u"Открыть"),     // differing only
        Str("Other", u"Другой"),     // missing only
    };
    const auto differs = [](const TText&, const TText&) { return true; };
    const ReferenceStatus st = CompareWithReference(document, reference, differs, 1252);
    ASSERT_EQ(st.flags, (std::vector<std::uint8_t>{kUntranslated | kMissingInReference,
                                                   kUntranslated | kDiffersFromReference,
                                                   kDiffersFromReference, kMissingInReference}));
    EXPECT_EQ(st.count(kUntranslated), 2u);
    EXPECT_EQ(st.count(kMissingInReference), 2u);
    EXPECT_EQ(st.count(kDiffersFromReference), 2u);
}
