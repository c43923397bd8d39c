// SPDX-License-Identifier: MIT
// Strings found by name ignoring case: names are upper-cased through the code page, exactly as
// the import of another table compares them, so two names are "the same" here when the import
// would pair them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Model.h"

namespace vste {

inline constexpr std::uint32_t kNoString = UINT32_MAX;

// The key two names are compared by: the name upper-cased through the code page (0: active).
std::string NameKey(std::string_view name, int codePage = 0);

// An index over the names of a table, built once in one pass (one buffer of upper-cased names and
// an open-addressing table: a million names cost a handful of allocations). The table must not
// change while the index is used.
class NameIndex {
public:
    explicit NameIndex(const TCSFBody& body, int codePage = 0);

    // The first string (in table order) whose name equals `name` ignoring case, or kNoString.
    std::uint32_t find(std::string_view name) const;
    // The same for a name already upper-cased with NameKey.
    std::uint32_t findKey(std::string_view key) const;
    // The next string after `index` with the same name ignoring case, or kNoString.
    std::uint32_t next(std::uint32_t index) const { return m_next[index]; }
    // The first string with the same name ignoring case as string `index` (itself when none
    // comes before it).
    std::uint32_t first(std::uint32_t index) const { return m_first[index]; }

    std::size_t size() const { return m_next.size(); }

private:
    std::string_view key(std::uint32_t index) const {
        return std::string_view(m_keys).substr(m_offsets[index],
                                               m_offsets[index + 1] - m_offsets[index]);
    }
    // The slot holding the key, or the empty slot where it would go.
    std::size_t slotOf(std::string_view key, std::uint64_t hash) const;

    int m_codePage;
    std::string m_keys;
    std::vector<std::uint64_t> m_offsets;
    std::vector<std::uint32_t> m_next;
    std::vector<std::uint32_t> m_first;
    // The first string of a name (kNoString: an empty slot), with hash bits that spare most key
    // comparisons, side by side so a probe touches one cache line.
    struct Slot {
        std::uint32_t first = kNoString;
        std::uint32_t hash = 0;
    };
    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
};

} // namespace vste
