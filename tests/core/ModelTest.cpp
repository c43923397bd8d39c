// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "core/Model.h"

using namespace vste;

TEST(ModelTest, BaseCategoriesListEveryStringOnceUnderAllStrings) {
    TWestwoodStrings doc;
    doc.Body.resize(3);
    TCat cats = doc.GetCategories();
    ASSERT_EQ(cats.size(), 1u);
    EXPECT_EQ(cats[0].Name, "All strings");
    EXPECT_EQ(cats[0].IDs, (TIDs{0, 1, 2}));
}
