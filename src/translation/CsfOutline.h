// SPDX-License-Identifier: MIT
// A CSF table located in its file's bytes rather than read: each string's name and values as
// places in the bytes. Pairing tables by name and comparing or copying their values needs no
// more, and a million strings then cost no allocation each. Only tables the reader reads as
// Unicode text are outlined; anything else (a truncated file, single-byte text) is left to the
// full reader, which also reports what is wrong.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/NameIndex.h"
#include "translation/LargeMemory.h"

namespace vste {

// A value as the file stores it: `length` code units, each inverted, little-endian. Two stored
// values are equal exactly when the texts are.
struct StoredText {
    const std::uint8_t* units = nullptr;
    std::uint32_t length = 0;

    bool empty() const { return length == 0; }
    bool operator==(const StoredText& other) const {
        return length == other.length &&
               (length == 0 || std::memcmp(units, other.units, 2 * std::size_t{length}) == 0);
    }
    char16_t at(std::size_t k) const {
        return static_cast<char16_t>((units[2 * k] | units[2 * k + 1] << 8) ^ 0xFFFF);
    }
    std::u16string text() const;
};

class CsfOutline {
public:
    // Nothing unless the reader would read `bytes` as a CSF table of Unicode text. The bytes must
    // outlive the outline.
    static std::optional<CsfOutline> Scan(std::span<const std::uint8_t> bytes);

    // The strings; the header's language.
    std::size_t size() const { return m_strings.size() - 1; }
    std::int32_t language() const { return m_language; }
    std::string_view name(std::size_t i) const {
        return {reinterpret_cast<const char*>(m_bytes + m_strings[i].name),
                m_strings[i].nameLength};
    }
    // Every string has at least one value; a string stored without values has one empty value.
    std::uint32_t valueCount(std::size_t i) const {
        return m_strings[i + 1].firstValue - m_strings[i].firstValue;
    }
    StoredText value(std::size_t i, std::uint32_t k) const {
        const Value& v = m_values[m_strings[i].firstValue + k];
        return {m_bytes + v.at, v.length};
    }

private:
    struct String {
        std::size_t name = 0;
        std::uint32_t nameLength = 0;
        std::uint32_t firstValue = 0;
    };
    struct Value {
        std::size_t at = 0;
        std::uint32_t length = 0;
    };
    bool scan(std::span<const std::uint8_t> bytes);

    const std::uint8_t* m_bytes = nullptr;
    std::int32_t m_language = 0;
    LargeVector<String> m_strings; // one more than the table's strings, closing the last
    LargeVector<Value> m_values;
};

// The strings of two outlined tables paired by name ignoring case (upper-cased through the code
// page, 0: the active one), as MatchByName pairs read tables: the k-th string of a name in A with
// the k-th of that name in B.
struct OutlinePairing {
    LargeVector<std::uint32_t> toB; // per string of A: its partner in B, or kNoString
    std::size_t onlyInB = 0;        // strings of B without a partner
};

// Upper-cased names of one outlined table, grouped for pairing others against it.
class OutlineNames {
public:
    OutlineNames(const CsfOutline& table, int codePage);
    // Pairs `a` against this table as B; safe to call from several threads at once.
    OutlinePairing pair(const CsfOutline& a) const;
    const CsfOutline& table() const { return *m_table; }

private:
    std::uint32_t hashOf(std::string_view name, std::string& upper) const;
    bool sameName(std::uint32_t string, std::string_view upper) const;
    // Calls visit(string, hash, upper-cased name) for each string of `table` in order, fetching
    // ahead the slots and `perSlot` entries the names will look at.
    template <class Visit>
    void forEachHashed(const CsfOutline& table, Visit visit, const std::uint32_t* perSlot) const;
    // The slot of that upper-cased name: its group's, or the empty one where it would go.
    std::size_t slotOf(std::string_view upper, std::uint32_t hash) const;

    static constexpr std::uint64_t kEmpty = ~std::uint64_t{0};
    const CsfOutline* m_table;
    std::array<char, 256> m_upper{};
    LargeVector<std::uint32_t> m_next;  // the next string of the same name, or kNoString
    LargeVector<std::uint64_t> m_slots; // hash << 32 | first string of a name; or kEmpty
    std::size_t m_mask = 0;
};

} // namespace vste
