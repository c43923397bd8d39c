// SPDX-License-Identifier: MIT
#include "core/NameIndex.h"

#include <functional>

#include "encoding/CodePage.h"

namespace vste {
namespace {

std::uint32_t hashOf(std::string_view upperName) {
    const std::size_t h = std::hash<std::string_view>{}(upperName);
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

} // namespace

std::string NameKey(std::string_view name, int codePage) {
    std::string key;
    AppendAnsiUpperCase(name, key, codePage);
    return key;
}

NameIndex::NameIndex(const TCSFBody& body, int codePage)
    : m_codePage(codePage), m_next(body.size(), kNoString) {
    std::size_t bytes = 0;
    for (const TText& text : body)
        bytes += text.Name.size();
    m_names.reserve(bytes);
    m_offsets.reserve(body.size() + 1);
    m_offsets.push_back(0);
    for (const TText& text : body) {
        AppendAnsiUpperCase(text.Name, m_names, codePage);
        m_offsets.push_back(m_names.size());
    }

    // At most half full, so probe chains stay short.
    std::size_t capacity = 16;
    while (capacity < 2 * body.size())
        capacity *= 2;
    m_slots.assign(capacity, Slot{});
    m_mask = capacity - 1;
    for (std::uint32_t i = 0; i < body.size(); ++i) {
        const std::string_view key = upperName(i);
        const std::uint32_t hash = hashOf(key);
        Slot& slot = m_slots[slotOf(key, hash)];
        if (slot.first == kNoString) {
            slot.hash = hash;
            slot.first = i;
        } else {
            m_next[slot.head] = i;
        }
        slot.head = i;
    }
    for (Slot& slot : m_slots)
        slot.head = slot.first;
}

std::size_t NameIndex::slotOf(std::string_view upperName, std::uint32_t hash) const {
    std::size_t at = hash & m_mask;
    for (;;) {
        const Slot& slot = m_slots[at];
        if (slot.first == kNoString ||
            (slot.hash == hash && this->upperName(slot.first) == upperName))
            return at;
        at = (at + 1) & m_mask;
    }
}

std::uint32_t NameIndex::findUpper(std::string_view upperName) const {
    return m_slots[slotOf(upperName, hashOf(upperName))].first;
}

std::uint32_t NameIndex::take(std::string_view upperName) {
    Slot& slot = m_slots[slotOf(upperName, hashOf(upperName))];
    const std::uint32_t taken = slot.head;
    if (taken != kNoString)
        slot.head = m_next[taken];
    return taken;
}

std::uint32_t NameIndex::findOther(std::string_view name, std::uint32_t except,
                                   std::string& scratch) const {
    std::uint32_t i = find(name, scratch);
    while (i == except)
        i = next(i);
    return i;
}

std::uint32_t NameIndex::find(std::string_view name, std::string& scratch) const {
    scratch.clear();
    AppendAnsiUpperCase(name, scratch, m_codePage);
    return findUpper(scratch);
}

} // namespace vste
