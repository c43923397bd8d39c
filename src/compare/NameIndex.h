// SPDX-License-Identifier: MIT
// Finding strings by name ignoring case, as the import matches them: both names upper-cased by
// the letters of the code page, then compared byte for byte. Shared by the comparison, the
// three-way update and the reference beside a document.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Model.h"

namespace vste {

inline constexpr std::uint32_t kNoString = UINT32_MAX;

// The strings of one table grouped by upper-cased name, each group in table order. One buffer
// holds every upper-cased name and one open-addressing table the groups, so a million names cost
// a handful of allocations. The index keeps no reference to the table.
class NameIndex {
public:
    // codePage 0 means the active code page.
    explicit NameIndex(const TCSFBody& body, int codePage = 0);

    // The first string (in table order) whose name matches `name` ignoring case, or kNoString.
    // `scratch` is overwritten with the upper-cased name; reusing it saves an allocation per call.
    std::uint32_t find(std::string_view name, std::string& scratch) const;
    // The same for a name already upper-cased through the index's code page.
    std::uint32_t findUpper(std::string_view upperName) const;
    // The first string of that upper-cased name not yet taken, in table order, or kNoString;
    // marks it taken. For pairing strings one by one; find() is not affected.
    std::uint32_t take(std::string_view upperName);
    // The next string after `index` with the same name ignoring case, or kNoString.
    std::uint32_t next(std::uint32_t index) const { return m_next[index]; }
    std::string_view upperName(std::uint32_t index) const {
        return std::string_view(m_names).substr(m_offsets[index],
                                                m_offsets[index + 1] - m_offsets[index]);
    }
    std::size_t size() const { return m_next.size(); }
    int codePage() const { return m_codePage; }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t first = kNoString; // kNoString: an empty slot
        std::uint32_t head = kNoString;  // while building: the last string; then: the next to take
    };

    std::size_t slotOf(std::string_view upperName, std::uint32_t hash) const;

    int m_codePage;
    std::string m_names;
    std::vector<std::size_t> m_offsets;
    std::vector<std::uint32_t> m_next;
    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
};

// Strings of two tables paired by name ignoring case. When a name occurs several times, the
// k-th string of that name in A pairs with the k-th in B (so the first pairs with the first, as
// the import takes the first source string); the surplus of either side has no partner.
struct NameMatch {
    std::vector<std::uint32_t> toB; // per string of A: its partner in B, or kNoString
    std::vector<std::uint32_t> toA; // per string of B: its partner in A, or kNoString
};

NameMatch MatchByName(const TCSFBody& a, const TCSFBody& b, int codePage = 0);

} // namespace vste
