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
          m_ascii(256 * m_blocks, 0), m_none(m_blocks, 0) {
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            const std::uint64_t bit = std::uint64_t{1} << (i % 64);
            const char32_t c = pattern[i];
            std::uint64_t* masks = nullptr;
            if (c < 256) {
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

    // The distance to `text` when it is at most `limit`, else some number above `limit`.
    // `scratch` holds the state of the blocks between calls, to spare an allocation each.
    template <class C>
    std::size_t distance(std::basic_string_view<C> text, std::size_t limit,
                         std::vector<std::uint64_t>& scratch) const {
        scratch.assign(2 * m_blocks, 0);
        std::uint64_t* pv = scratch.data();
        std::uint64_t* mv = scratch.data() + m_blocks;
        std::fill(pv, pv + m_blocks, ~std::uint64_t{0});
        const std::uint64_t lastHigh = std::uint64_t{1} << ((m_length - 1) % 64);
        std::size_t score = m_length;
        for (std::size_t j = 0; j < text.size(); ++j) {
            const std::uint64_t* eqs = mask(static_cast<char32_t>(text[j]));
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
        if (c < 256)
            return &m_ascii[c * m_blocks];
        for (const auto& [key, at] : m_other)
            if (key == c)
                return &m_otherMasks[at];
        return m_none.data();
    }

    std::size_t m_length;
    std::size_t m_blocks;
    std::vector<std::uint64_t> m_ascii; // characters below 256, m_blocks masks each
    std::vector<std::uint64_t> m_none;
    std::vector<std::pair<char32_t, std::size_t>> m_other; // character, first of its masks
    std::vector<std::uint64_t> m_otherMasks;
};

// Masks of a pattern of at most 64 * Blocks code points (Blocks is 1 or 2), held in registers,
// and its distance to texts a few word operations at a time per text character (Myers, in
// Hyyrö's form for whole strings): the common lengths without BitPattern's loops over blocks.
template <std::size_t Blocks> class WordPattern {
public:
    using Masks = std::array<std::uint64_t, Blocks>;

    explicit WordPattern(std::u32string_view pattern) : m_length(pattern.size()) {
        for (std::size_t i = 0; i < pattern.size(); ++i)
            slot(pattern[i])[i / 64] |= std::uint64_t{1} << (i % 64);
    }

    // The state of the comparison after a multiple of eight text characters.
    struct State {
        Masks pv;
        Masks mv;
        std::size_t score;
    };
    // What one text's comparison leaves for the next that starts the same way: the states after
    // each eighth character compared, and where the comparison gave up (0: it did not).
    struct Resume {
        std::vector<State> states;
        std::size_t gaveUpAt = 0;
    };

    // The distance to `text` when it is at most `limit`, else some number above `limit`.
    template <class C>
    std::size_t distance(std::basic_string_view<C> text, std::size_t limit) const {
        Resume fresh;
        return distance(text, limit, fresh, 0);
    }

    // The same, for a text whose first `shared` characters are those of the text last compared
    // through `resume`, at the same length and a limit no larger: the comparison goes on from
    // where those characters left it, or gives up at once where they made the last one give up.
    template <class C>
    std::size_t distance(std::basic_string_view<C> text, std::size_t limit, Resume& resume,
                         std::size_t shared) const {
        if (resume.gaveUpAt != 0 && shared >= resume.gaveUpAt)
            return limit + 1;
        const std::size_t n = m_length;
        const std::uint64_t last = std::uint64_t{1} << ((n - 1) % 64);
        if (resume.states.empty()) {
            State first{{}, {}, n};
            first.pv.fill(~std::uint64_t{0});
            resume.states.push_back(first);
        }
        const std::size_t from = std::min(shared / 8, resume.states.size() - 1);
        resume.states.resize(from + 1);
        resume.gaveUpAt = 0;
        State state = resume.states.back();
        for (std::size_t j = 8 * from; j < text.size(); ++j) {
            const Masks& eq = mask(static_cast<char32_t>(text[j]));
            int h = 1; // the first row grows by one per column
            for (std::size_t w = 0; w < Blocks; ++w)
                h = advance(state.pv[w], state.mv[w], eq[w], h,
                            w + 1 == Blocks ? last : std::uint64_t{1} << 63);
            state.score += static_cast<std::size_t>(h); // wraps for -1, as intended
            if ((j & 7) == 7) {
                resume.states.push_back(state);
                if (DiagonalAbove(j + 1, n, text.size(), state.pv.data(), state.mv.data(), limit)) {
                    resume.gaveUpAt = j + 1;
                    return limit + 1;
                }
            }
        }
        return state.score;
    }

private:
    static constexpr std::size_t kDirect = 256; // characters below this have a mask of their own
    static constexpr std::size_t kOther = 128;  // slots for the others

    static int advance(std::uint64_t& pv, std::uint64_t& mv, std::uint64_t eq, int hin,
                       std::uint64_t high) {
        const std::uint64_t xv = eq | mv;
        eq |= static_cast<std::uint64_t>(hin < 0);
        const std::uint64_t xh = (((eq & pv) + pv) ^ pv) | eq;
        std::uint64_t ph = mv | ~(xh | pv);
        std::uint64_t mh = pv & xh;
        const int hout = static_cast<int>((ph & high) != 0) - static_cast<int>((mh & high) != 0);
        ph = (ph << 1) | static_cast<std::uint64_t>(hin > 0);
        mh = (mh << 1) | static_cast<std::uint64_t>(hin < 0);
        pv = mh | ~(xv | ph);
        mv = ph & xv;
        return hout;
    }

    Masks& slot(char32_t c) {
        if (c < kDirect)
            return m_direct[c];
        std::size_t at = Spread(c);
        while (m_otherKey[at] != 0 && m_otherKey[at] != c)
            at = (at + 1) % kOther;
        m_otherKey[at] = c;
        return m_otherMask[at];
    }
    const Masks& mask(char32_t c) const {
        if (c < kDirect)
            return m_direct[c];
        for (std::size_t at = Spread(c); m_otherKey[at] != 0; at = (at + 1) % kOther)
            if (m_otherKey[at] == c)
                return m_otherMask[at];
        return m_none;
    }
    static std::size_t Spread(char32_t c) { return (c * 2654435761u >> 8) % kOther; }

    std::size_t m_length;
    std::array<Masks, kDirect> m_direct{};
    std::array<char32_t, kOther> m_otherKey{}; // 0: an empty slot (U+0000 has its own mask)
    std::array<Masks, kOther> m_otherMask{};
    Masks m_none{};
};

using ShortPattern = WordPattern<1>; // up to 64 code points
using PairPattern = WordPattern<2>;  // up to 128 code points

} // namespace vste::bitdistance
