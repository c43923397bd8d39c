// SPDX-License-Identifier: MIT
// Finding strings by name ignoring case, as the import matches them: both names upper-cased by
// the letters of the code page, then compared byte for byte. Shared by the checks against a
// reference, the comparison, the three-way update and the reference beside a document.
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

// The strings of one table grouped by upper-cased name, each group in table order. One buffer
// holds every upper-cased name and one open-addressing table the groups, so a million names cost
// a handful of allocations. The index keeps no reference to the table.
class NameIndex {
public:
    // codePage 0 means the active code page.
    explicit NameIndex(const TCSFBody& body, int codePage = 0);
    // The same for a document's strings.
    explicit NameIndex(const TWestwoodStrings& document, int codePage = 0)
        : NameIndex(document.Body, codePage) {}

    // The first string (in table order) whose name matches `name` ignoring case, or kNoString.
    // `scratch` is overwritten with the upper-cased name; reusing it saves an allocation per call.
    std::uint32_t find(std::string_view name, std::string& scratch) const;
    std::uint32_t find(std::string_view name) const {
        std::string scratch;
        return find(name, scratch);
    }
    // The same for a name already upper-cased through the index's code page.
    std::uint32_t findUpper(std::string_view upperName) const;
    // The first string other than `except` whose name matches `name` ignoring case, or
    // kNoString: whether renaming string `except` to `name` would give two strings one name.
    std::uint32_t findOther(std::string_view name, std::uint32_t except,
                            std::string& scratch) const;
    // The first string of that upper-cased name not yet taken, in table order, or kNoString;
    // marks it taken. For pairing strings one by one; find() is not affected.
    std::uint32_t take(std::string_view upperName);
    // The next string after `index` with the same name ignoring case, or kNoString.
    std::uint32_t next(std::uint32_t index) const { return m_next[index]; }
    // The first string with the same name ignoring case as string `index` (itself when none
    // comes before it).
    std::uint32_t first(std::uint32_t index) const { return findUpper(upperName(index)); }
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

} // namespace vste
