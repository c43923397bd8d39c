// SPDX-License-Identifier: MIT
// Import of the values of another table, label by label, matched by upper-cased name.
#include <algorithm>
#include <functional>
#include <string_view>
#include <utility>

#include "core/CompiledStrings.h"
#include "encoding/CodePage.h"

namespace vste {
namespace {

constexpr std::uint32_t kNone = UINT32_MAX;

// Source labels grouped by upper-cased name, each group chained in file order. An open-addressing
// table over one buffer of names: a million labels cost two allocations instead of a million.
class SourceIndex {
public:
    explicit SourceIndex(const TCSFBody& source) : m_next(source.size(), kNone) {
        m_offsets.reserve(source.size() + 1);
        m_offsets.push_back(0);
        for (const TText& label : source) {
            AppendAnsiUpperCase(label.Name, m_names);
            m_offsets.push_back(m_names.size());
        }
        std::size_t capacity = 16;
        while (capacity < 2 * source.size())
            capacity *= 2;
        m_slots.assign(capacity, Slot{});
        m_mask = capacity - 1;
        for (std::uint32_t j = 0; j < source.size(); ++j) {
            if (source[j].Values.empty())
                continue; // nothing to give
            const std::string_view key = name(j);
            Slot& slot = find(key, std::hash<std::string_view>{}(key));
            if (slot.key == kNone) {
                slot.key = j;
                slot.head = j;
            } else if (slot.head == kNone) {
                slot.head = j;
            } else {
                m_next[slot.tail] = j;
            }
            slot.tail = j;
        }
    }

    // The first source label of that upper-cased name not yet taken, or kNone.
    std::uint32_t take(std::string_view upperName) {
        Slot& slot = find(upperName, std::hash<std::string_view>{}(upperName));
        const std::uint32_t j = slot.key == kNone ? kNone : slot.head;
        if (j != kNone)
            slot.head = m_next[j];
        return j;
    }

private:
    struct Slot {
        std::size_t hash = 0;
        std::uint32_t key = kNone; // first source label of the name; kNone: empty slot
        std::uint32_t head = kNone;
        std::uint32_t tail = kNone;
    };

    std::string_view name(std::uint32_t j) const {
        return std::string_view(m_names).substr(m_offsets[j], m_offsets[j + 1] - m_offsets[j]);
    }

    Slot& find(std::string_view key, std::size_t hash) {
        std::size_t at = hash & m_mask;
        for (;;) {
            Slot& slot = m_slots[at];
            if (slot.key == kNone) {
                slot.hash = hash;
                return slot;
            }
            if (slot.hash == hash && name(slot.key) == key)
                return slot;
            at = (at + 1) & m_mask;
        }
    }

    std::string m_names;
    std::vector<std::size_t> m_offsets;
    std::vector<std::uint32_t> m_next;
    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
};

} // namespace

void TCompiledStrings::ImportStrings(TWestwoodStrings& source, Progress& progress) {
    (void)ImportStringValues(source, progress);
}

TValuesSwap TCompiledStrings::ImportStringValues(TWestwoodStrings& source, Progress& progress) {
    TValuesSwap old;
    if (&source == this)
        return old; // a table importing itself would move arrays onto themselves

    // The first source label in file order wins, and each gives its values once; a second current
    // label of the same name takes the next one, or keeps its own values when none is left.
    SourceIndex index(source.Body);
    SetProgressMax(progress, Body.size());
    std::string upper;
    for (std::size_t i = 0; i < Body.size(); ++i) {
        upper.clear();
        AppendAnsiUpperCase(Body[i].Name, upper);
        const std::uint32_t j = index.take(upper);
        if (j != kNone) {
            // The whole array moves, so the label's value count is the source label's.
            old.StringIndexes.push_back(static_cast<std::uint32_t>(i));
            old.Values.push_back(std::exchange(Body[i].Values, std::move(source.Body[j].Values)));
            source.Body[j].Values.clear();
        }
        progress.SetPosition(ProgressIndex(i));
    }
    return old;
}

} // namespace vste
