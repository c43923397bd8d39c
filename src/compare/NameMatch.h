// SPDX-License-Identifier: MIT
// Pairing the strings of two tables by name ignoring case.
#pragma once

#include <cstdint>
#include <vector>

#include "core/NameIndex.h"

namespace vste {

// Strings of two tables paired by name ignoring case. When a name occurs several times, the
// k-th string of that name in A pairs with the k-th in B (so the first pairs with the first, as
// the import takes the first source string); the surplus of either side has no partner.
struct NameMatch {
    std::vector<std::uint32_t> toB; // per string of A: its partner in B, or kNoString
    std::vector<std::uint32_t> toA; // per string of B: its partner in A, or kNoString
};

NameMatch MatchByName(const TCSFBody& a, const TCSFBody& b, int codePage = 0);

} // namespace vste
