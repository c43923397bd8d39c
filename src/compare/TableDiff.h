// SPDX-License-Identifier: MIT
// The comparison of two string tables, matched by name ignoring case: what only one of them
// has, and which strings differ. The result holds indexes, so a list view can show the two
// strings side by side and go to either.
#pragma once

#include <cstdint>
#include <vector>

#include "compare/NameMatch.h"
#include "core/Model.h"

namespace vste {

// Whether two strings hold the same values: the same number of values, and value by value the
// same text and the same extra value. Names and tags are not compared.
bool SameValues(const TText& a, const TText& b);

struct ChangedString {
    std::uint32_t a; // index in A
    std::uint32_t b; // index in B
};

struct TableDiff {
    std::vector<std::uint32_t> onlyInA; // indexes in A, in A's order
    std::vector<std::uint32_t> onlyInB; // indexes in B, in B's order
    std::vector<ChangedString> changed; // in A's order

    bool identical() const { return onlyInA.empty() && onlyInB.empty() && changed.empty(); }
};

// A paired string is changed when its values differ (SameValues) or its name differs in case
// only (the bytes differ although the upper-cased names match). The order of the strings does
// not count. Duplicated names pair as MatchByName describes.
TableDiff DiffTables(const TCSFBody& a, const TCSFBody& b, int codePage = 0);

} // namespace vste
