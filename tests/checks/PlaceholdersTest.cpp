// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "checks/Placeholders.h"

using namespace vste;

TEST(PlaceholdersTest, PlainPlaceholdersMustKeepTheirOrderAndKind) {
    const struct {
        const char16_t* value;
        const char16_t* reference;
        bool fits;
    } cases[] = {
        {u"%s has %d", u"%s a %d", true},
        {u"%d has %s", u"%s has %d", false}, // arguments are taken in order
        {u"%-5.2f%% and %ls", u"%f%% or %ls", true},
        {u"%s", u"%ls", false},
        {u"%*d", u"%d", false}, // the star takes an argument of its own
        {u"100%! %%d", u"sure", true},
        {u"%1$s %2$d", u"%2$d %1$s", true},
        {u"%1$s %1$s", u"%1$s", false},
        {u"%", u"", true},
        {u"%q %s", u"%s", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.value, c.value + std::char_traits<char16_t>::length(c.value)));
        EXPECT_EQ(!PlaceholderMismatch(c.value, c.reference).has_value(), c.fits);
    }
}

TEST(PlaceholdersTest, FoundPlaceholdersKeepTheirTextPositionAndKind) {
    const auto found = FindPlaceholders(u"%3$-8.3lf and %X");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].text, u"%3$-8.3lf");
    EXPECT_EQ(found[0].position, 3);
    EXPECT_EQ(found[0].kind, "lf");
    EXPECT_EQ(found[1].text, u"%X");
    EXPECT_EQ(found[1].position, 0);
}
