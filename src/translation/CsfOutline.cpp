// SPDX-License-Identifier: MIT
#include "translation/CsfOutline.h"

#include <functional>

#include "encoding/CodePage.h"

namespace vste {

namespace {

constexpr std::size_t kHeaderSize = 24;

void Prefetch(const void* p) {
#if defined(__GNUC__)
    __builtin_prefetch(p);
#else
    (void)p;
#endif
}

std::uint32_t U32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// What the reader gathers to tell single-byte text from Unicode (see its comments): the AND of
// every stored unit, and the OR of every character before a value's first zero.
struct TextKind {
    std::uint16_t allUnits = 0xFFFF;
    std::uint16_t anyCharacter = 0;

    void add(const std::uint8_t* units, std::uint32_t length) {
        std::uint16_t all = 0xFFFF;
        std::uint16_t any = 0;
        bool zero = false;
        for (std::uint32_t k = 0; k < length; ++k) {
            const auto u = static_cast<std::uint16_t>(units[2 * k] | units[2 * k + 1] << 8);
            all &= u;
            any |= static_cast<std::uint16_t>(u ^ 0xFFFF);
            zero |= u == 0xFFFF;
        }
        allUnits &= all;
        if (!zero) {
            anyCharacter |= any;
            return;
        }
        for (std::uint32_t k = 0; k < length; ++k) {
            const auto c =
                static_cast<std::uint16_t>((units[2 * k] | units[2 * k + 1] << 8) ^ 0xFFFF);
            if (c == 0)
                break;
            anyCharacter |= c;
        }
    }
    bool singleByte() const { return (allUnits & 0xFF00) == 0xFF00 && (anyCharacter & 0x80) != 0; }
};

} // namespace

std::u16string StoredText::text() const {
    std::u16string out(length, u'\0');
    for (std::size_t k = 0; k < length; ++k)
        out[k] = at(k);
    return out;
}

std::optional<CsfOutline> CsfOutline::Scan(std::span<const std::uint8_t> bytes) {
    CsfOutline outline;
    if (!outline.scan(bytes))
        return std::nullopt;
    return outline;
}

bool CsfOutline::scan(std::span<const std::uint8_t> bytes) {
    const std::size_t size = bytes.size();
    if (size < kHeaderSize)
        return false;
    m_bytes = bytes.data();
    m_language = static_cast<std::int32_t>(U32(m_bytes + 20));
    const std::uint32_t count = U32(m_bytes + 8);
    if (count > (size - kHeaderSize) / 12)
        return false;
    m_strings.reserve(std::size_t{count} + 1);
    m_values.reserve(std::size_t{count} + count / 16);
    TextKind kind;
    std::size_t at = kHeaderSize;
    auto room = [&](std::uint64_t n) { return n <= size - at; };
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!room(12))
            return false;
        const std::uint32_t values = U32(m_bytes + at + 4);
        const std::uint32_t nameLength = U32(m_bytes + at + 8);
        at += 12;
        if (!room(nameLength))
            return false;
        m_strings.push_back({at, nameLength, static_cast<std::uint32_t>(m_values.size())});
        at += nameLength;
        if (values == 0)
            m_values.push_back({at, 0});
        for (std::uint32_t k = 0; k < values; ++k) {
            if (!room(8))
                return false;
            const bool extra = m_bytes[at] == kExtraValueMark;
            const std::uint32_t length = U32(m_bytes + at + 4);
            at += 8;
            if (!room(2 * std::uint64_t{length}))
                return false;
            m_values.push_back({at, length});
            kind.add(m_bytes + at, length);
            at += 2 * std::size_t{length};
            if (extra) {
                if (!room(4) || !room(4 + std::uint64_t{U32(m_bytes + at)}))
                    return false;
                at += 4 + std::size_t{U32(m_bytes + at)};
            }
        }
    }
    m_strings.push_back({at, 0, static_cast<std::uint32_t>(m_values.size())});
    return !kind.singleByte();
}

OutlineNames::OutlineNames(const CsfOutline& table, int codePage) : m_table(&table) {
    // The code page upper-cases byte by byte, so one table of 256 bytes does it.
    std::string all(256, '\0');
    for (int b = 0; b < 256; ++b)
        all[static_cast<std::size_t>(b)] = static_cast<char>(b);
    std::string upper;
    AppendAnsiUpperCase(all, upper, codePage);
    for (std::size_t b = 0; b < 256; ++b)
        m_upper[b] = upper[b];

    const std::size_t n = table.size();
    std::size_t capacity = 16;
    while (capacity < 2 * n)
        capacity *= 2;
    m_mask = capacity - 1;
    m_slots.assign(capacity, kEmpty);
    m_next.assign(n, kNoString);
    LargeVector<std::uint32_t> last(capacity, kNoString);
    forEachHashed(
        table,
        [&](std::uint32_t i, std::uint32_t hash, std::string_view upper) {
            const std::size_t at = slotOf(upper, hash);
            if (m_slots[at] == kEmpty)
                m_slots[at] = std::uint64_t{hash} << 32 | i;
            else
                m_next[last[at]] = i;
            last[at] = i;
        },
        last.data());
}

std::uint32_t OutlineNames::hashOf(std::string_view name, std::string& upper) const {
    upper.resize(name.size());
    for (std::size_t k = 0; k < name.size(); ++k)
        upper[k] = m_upper[static_cast<unsigned char>(name[k])];
    const std::size_t h = std::hash<std::string_view>{}(upper);
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

template <class Visit>
void OutlineNames::forEachHashed(const CsfOutline& table, Visit visit,
                                 const std::uint32_t* perSlot) const {
    // Names hashed a batch ahead and their slots fetched, so that the batch is then visited
    // without waiting on memory for each.
    constexpr std::uint32_t kBatch = 16;
    std::array<std::uint32_t, kBatch> hashes{};
    std::string upper;
    for (std::uint32_t from = 0; from < table.size(); from += kBatch) {
        const auto to =
            static_cast<std::uint32_t>(std::min<std::size_t>(from + kBatch, table.size()));
        for (std::uint32_t i = from; i < to; ++i) {
            const std::uint32_t hash = hashOf(table.name(i), upper);
            hashes[i - from] = hash;
            Prefetch(&m_slots[hash & m_mask]);
            Prefetch(&perSlot[hash & m_mask]);
        }
        for (std::uint32_t i = from; i < to; ++i) {
            hashOf(table.name(i), upper);
            visit(i, hashes[i - from], std::string_view(upper));
        }
    }
}

bool OutlineNames::sameName(std::uint32_t string, std::string_view upper) const {
    const std::string_view name = m_table->name(string);
    if (name.size() != upper.size())
        return false;
    for (std::size_t k = 0; k < name.size(); ++k)
        if (m_upper[static_cast<unsigned char>(name[k])] != upper[k])
            return false;
    return true;
}

std::size_t OutlineNames::slotOf(std::string_view upper, std::uint32_t hash) const {
    std::size_t at = hash & m_mask;
    while (m_slots[at] != kEmpty &&
           !(m_slots[at] >> 32 == hash && sameName(static_cast<std::uint32_t>(m_slots[at]), upper)))
        at = (at + 1) & m_mask;
    return at;
}

OutlinePairing OutlineNames::pair(const CsfOutline& a) const {
    OutlinePairing pairing;
    pairing.toB.assign(a.size(), kNoString);
    // Per slot, the next string of B of that name not yet taken.
    LargeVector<std::uint32_t> head(m_slots.size());
    for (std::size_t at = 0; at < m_slots.size(); ++at)
        head[at] = static_cast<std::uint32_t>(m_slots[at]);
    std::size_t paired = 0;
    forEachHashed(
        a,
        [&](std::uint32_t i, std::uint32_t hash, std::string_view upper) {
            const std::size_t at = slotOf(upper, hash);
            if (const std::uint32_t j = head[at]; j != kNoString) {
                pairing.toB[i] = j;
                head[at] = m_next[j];
                ++paired;
            }
        },
        head.data());
    pairing.onlyInB = m_table->size() - paired;
    return pairing;
}

} // namespace vste
