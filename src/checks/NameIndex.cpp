// SPDX-License-Identifier: MIT
#include "checks/NameIndex.h"

#include <functional>

#include "encoding/CodePage.h"

namespace vste {

std::string NameKey(std::string_view name, int codePage) {
    return AnsiUpperCase(name, codePage);
}

NameIndex::NameIndex(const TCSFBody& body, int codePage)
    : m_codePage(codePage), m_next(body.size(), kNoString), m_first(body.size(), kNoString) {
    m_offsets.reserve(body.size() + 1);
    m_offsets.push_back(0);
    for (const TText& text : body) {
        AppendAnsiUpperCase(text.Name, m_keys, codePage);
        m_offsets.push_back(m_keys.size());
    }
    std::size_t capacity = 16;
    while (capacity < 2 * body.size())
        capacity *= 2;
    m_slots.assign(capacity, Slot{});
    m_mask = capacity - 1;

    // The last string of each name so far, for chaining in table order.
    std::vector<std::uint32_t> last(capacity, kNoString);
    for (std::uint32_t i = 0; i < body.size(); ++i) {
        const std::string_view k = key(i);
        const std::uint64_t hash = std::hash<std::string_view>{}(k);
        const std::size_t slot = slotOf(k, hash);
        if (m_slots[slot].first == kNoString) {
            m_slots[slot] = Slot{i, static_cast<std::uint32_t>(hash)};
        } else {
            m_next[last[slot]] = i;
        }
        last[slot] = i;
        m_first[i] = m_slots[slot].first;
    }
}

std::size_t NameIndex::slotOf(std::string_view k, std::uint64_t hash) const {
    const auto shortHash = static_cast<std::uint32_t>(hash);
    for (std::size_t at = hash & m_mask;; at = (at + 1) & m_mask) {
        const Slot& slot = m_slots[at];
        if (slot.first == kNoString || (slot.hash == shortHash && key(slot.first) == k))
            return at;
    }
}

std::uint32_t NameIndex::findKey(std::string_view k) const {
    return m_slots[slotOf(k, std::hash<std::string_view>{}(k))].first;
}

std::uint32_t NameIndex::find(std::string_view name) const {
    // Reused, so matching a million names allocates nothing once it has grown.
    thread_local std::string upper;
    upper.clear();
    AppendAnsiUpperCase(name, upper, m_codePage);
    return findKey(upper);
}

} // namespace vste
