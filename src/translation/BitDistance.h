// SPDX-License-Identifier: MIT
// Levenshtein distances of one pattern against many texts, bit-parallel (Myers, in Hyyrö's form
// for whole strings): a few word operations per text character and block of 64 pattern code
// points. Both give up once the distance is sure to exceed a limit, as the fuzzy index needs.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace vste::bitdistance {

// Whether, after `column` characters of a text of `length` against a pattern of `rows`, the
// distance is sure to exceed `limit`. The comparison ends on the diagonal through (rows, length),
// and distances never fall along a diagonal, so that diagonal's cell in this column bounds the
// result from below. The cell is the first row's value (`column`) plus the vertical steps below
// it: +1 per bit of `pv`, -1 per bit of `mv`, in blocks of 64 rows.
inline bool DiagonalAbove(std::size_t column, std::size_t rows, std::size_t length,
                          const std::uint64_t* pv, const std::uint64_t* mv, std::size_t limit) {
    if (column + rows <= length || column + rows - length > rows)
        return false;
    const std::size_t row = column + rows - length;
    auto cell = static_cast<std::ptrdiff_t>(column);
    std::size_t w = 0;
    for (; (w + 1) * 64 <= row; ++w)
        cell += std::popcount(pv[w]) - std::popcount(mv[w]);
    if (row % 64 != 0) {
        const std::uint64_t low = (std::uint64_t{1} << (row % 64)) - 1;
        cell += std::popcount(pv[w] & low) - std::popcount(mv[w] & low);
    }
    return cell > static_cast<std::ptrdiff_t>(limit);
}

// Myers' bit-parallel distance of a pattern against any text, in blocks of 64 code points of the
// pattern (Hyyrö's form for whole strings): one pass over the text with a few word operations
// per code point and block.
class BitPattern {
public:
    explicit BitPattern(std::u32string_view pattern)
        : m_length(pattern.size()), m_blocks((pattern.size() + 63) / 64),
          m_ascii(128 * m_blocks, 0), m_none(m_blocks, 0) {
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            const std::uint64_t bit = std::uint64_t{1} << (i % 64);
            const char32_t c = pattern[i];
            std::uint64_t* masks = nullptr;
            if (c < 128) {
                masks = &m_ascii[c * m_blocks];
            } else {
                auto it = std::find_if(m_other.begin(), m_other.end(),
                                       [c](const auto& entry) { return entry.first == c; });
                if (it == m_other.end()) {
                    m_other.emplace_back(c, m_otherMasks.size());
                    m_otherMasks.resize(m_otherMasks.size() + m_blocks, 0);
                    it = m_other.end() - 1;
                }
                masks = &m_otherMasks[it->second];
            }
            masks[i / 64] |= bit;
        }
    }

    // `scratch` holds the state of the blocks between calls, to spare an allocation each.
    // The distance to `text` when it is at most `limit`, else some number above `limit`.
    // `scratch` holds the state of the blocks between calls, to spare an allocation each.
    std::size_t distance(std::u32string_view text, std::size_t limit,
                         std::vector<std::uint64_t>& scratch) const {
        scratch.assign(2 * m_blocks, 0);
        std::uint64_t* pv = scratch.data();
        std::uint64_t* mv = scratch.data() + m_blocks;
        std::fill(pv, pv + m_blocks, ~std::uint64_t{0});
        const std::uint64_t lastHigh = std::uint64_t{1} << ((m_length - 1) % 64);
        std::size_t score = m_length;
        for (std::size_t j = 0; j < text.size(); ++j) {
            const std::uint64_t* eqs = mask(text[j]);
            int h = 1; // the first row grows by one per column
            for (std::size_t w = 0; w < m_blocks; ++w)
                h = advance(pv[w], mv[w], eqs[w], h,
                            w + 1 == m_blocks ? lastHigh : std::uint64_t{1} << 63);
            score += static_cast<std::size_t>(h); // wraps for -1, as intended
            if ((j & 7) == 7 && DiagonalAbove(j + 1, m_length, text.size(), pv, mv, limit))
                return limit + 1;
        }
        return score;
    }

private:
    static int advance(std::uint64_t& pv, std::uint64_t& mv, std::uint64_t eq, int hin,
                       std::uint64_t high) {
        const std::uint64_t xv = eq | mv;
        if (hin < 0)
            eq |= 1;
        const std::uint64_t xh = (((eq & pv) + pv) ^ pv) | eq;
        std::uint64_t ph = mv | ~(xh | pv);
        std::uint64_t mh = pv & xh;
        const int hout = (ph & high) ? 1 : (mh & high) ? -1 : 0;
        ph <<= 1;
        mh <<= 1;
        if (hin < 0)
            mh |= 1;
        else if (hin > 0)
            ph |= 1;
        pv = mh | ~(xv | ph);
        mv = ph & xv;
        return hout;
    }

    const std::uint64_t* mask(char32_t c) const {
        if (c < 128)
            return &m_ascii[c * m_blocks];
        for (const auto& [key, at] : m_other)
            if (key == c)
                return &m_otherMasks[at];
        return m_none.data();
    }

    std::size_t m_length;
    std::size_t m_blocks;
    std::vector<std::uint64_t> m_ascii; // 128 characters, m_blocks masks each
    std::vector<std::uint64_t> m_none;
    std::vector<std::pair<char32_t, std::size_t>> m_other; // character, first of its masks
    std::vector<std::uint64_t> m_otherMasks;
};

// Masks of a pattern of at most 64 code points, and its distance to texts one word operation
// at a time per text character (Myers, in Hyyrö's form for whole strings).
class ShortPattern {
public:
    explicit ShortPattern(std::u32string_view pattern) : m_length(pattern.size()) {
        for (std::size_t i = 0; i < pattern.size(); ++i)
            slot(pattern[i]) |= std::uint64_t{1} << i;
    }

    // The distance to `text` when it is at most `limit`, else some number above `limit`.
    std::size_t distance(std::u32string_view text, std::size_t limit) const {
        const std::size_t n = m_length;
        const std::uint64_t last = std::uint64_t{1} << (n - 1);
        std::uint64_t pv = ~std::uint64_t{0};
        std::uint64_t mv = 0;
        std::size_t score = n;
        for (std::size_t j = 0; j < text.size(); ++j) {
            const std::uint64_t eq = mask(text[j]);
            const std::uint64_t xv = eq | mv;
            const std::uint64_t xh = (((eq & pv) + pv) ^ pv) | eq;
            std::uint64_t ph = mv | ~(xh | pv);
            std::uint64_t mh = pv & xh;
            score += (ph & last) != 0;
            score -= (mh & last) != 0;
            ph = (ph << 1) | 1;
            mh <<= 1;
            pv = mh | ~(xv | ph);
            mv = ph & xv;
            if ((j & 7) == 7 && DiagonalAbove(j + 1, n, text.size(), &pv, &mv, limit))
                return limit + 1;
        }
        return score;
    }

private:
    static constexpr std::size_t kOther = 128; // slots for characters from U+0080 up

    std::uint64_t& slot(char32_t c) {
        if (c < 128)
            return m_ascii[c];
        std::size_t at = Spread(c);
        while (m_otherKey[at] != 0 && m_otherKey[at] != c)
            at = (at + 1) % kOther;
        m_otherKey[at] = c;
        return m_otherMask[at];
    }
    std::uint64_t mask(char32_t c) const {
        if (c < 128)
            return m_ascii[c];
        for (std::size_t at = Spread(c); m_otherKey[at] != 0; at = (at + 1) % kOther)
            if (m_otherKey[at] == c)
                return m_otherMask[at];
        return 0;
    }
    static std::size_t Spread(char32_t c) { return (c * 2654435761u >> 8) % kOther; }

    std::size_t m_length;
    std::array<std::uint64_t, 128> m_ascii{};
    std::array<char32_t, kOther> m_otherKey{}; // 0: an empty slot (U+0000 is below 128)
    std::array<std::uint64_t, kOther> m_otherMask{};
};

} // namespace vste::bitdistance
