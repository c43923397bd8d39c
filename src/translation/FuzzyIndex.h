// SPDX-License-Identifier: MIT
// Fuzzy search of a translation memory's sources. A text's score against a source is
// floor(100 * (1 - d / max(len(text), len(source)))), with d the Levenshtein distance over code
// points (case counts), so only an exact match scores 100.
//
// The index keeps the sources grouped by length, each with a count of its characters in a few
// classes. A query looks only at lengths that could still score enough, nearest its own length
// first; skips a source whose counts alone (every edit changes at most one count up and one down)
// put it too far; and measures the rest bit-parallel, giving up as soon as the distance along the
// diagonal that ends the comparison exceeds what may score. Within a length the sources are in
// the order of their texts, so a comparison resumes from where the beginning the source shares
// with the one measured before left it, and gives up at once where that beginning made the one
// before give up. Once `most` matches are found, the worst of them sets the bar for the rest.
// The result is exactly that of comparing every unit.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "translation/LargeMemory.h"

namespace vste {

struct FuzzyMatch {
    std::uint32_t unit = 0; // position of the source in the indexed list
    int score = 0;
};

// The Levenshtein distance over code points.
std::size_t EditDistance(std::u32string_view a, std::u32string_view b);
// The score of a distance between strings of lengths `a` and `b` (100 when both are empty).
int MatchScore(std::size_t distance, std::size_t a, std::size_t b);
// Code points of UTF-16 text; an unpaired surrogate counts as one.
std::u32string CodePoints(std::u16string_view text);

class FuzzyIndex {
public:
    FuzzyIndex() = default;
    // Indexes `sources` in order; a match names its source by position.
    explicit FuzzyIndex(std::span<const std::u16string> sources);
    // Indexes `count` sources, source k being sourceOf(k), without copying them first;
    // sourceOf is called from two threads at once.
    FuzzyIndex(std::size_t count, const std::function<std::u16string_view(std::size_t)>& sourceOf);

    std::size_t size() const { return m_unitAt.size(); }

    // The sources scoring at least `minScore` against `text`, best first, ties in the order of
    // the sources, at most `most`. Safe to call from several threads at once.
    std::vector<FuzzyMatch> search(std::u16string_view text, int minScore, std::size_t most) const;

    // Counts of a text's characters in classes (letters ignoring case, digits, space, others),
    // up to 255 each.
    using Classes = std::array<std::uint8_t, 32>;

private:
    // Sources are kept in order of length, then of text: place p holds unit m_unitAt[p]. Their
    // texts are stored as symbols: one byte each where the sources use at most 255 different
    // characters (symbol k standing for m_alphabet[k]), which makes a search read a quarter of
    // the memory; else as code points.
    template <class C> std::basic_string_view<C> text(std::size_t place) const {
        if constexpr (sizeof(C) == 1)
            return {m_narrowText.data() + m_offsets[place],
                    m_offsets[place + 1] - m_offsets[place]};
        else
            return {m_wideText.data() + m_offsets[place], m_offsets[place + 1] - m_offsets[place]};
    }
    void store(std::size_t count, const std::function<std::u16string_view(std::size_t)>& sourceOf,
               std::span<const std::uint32_t> lengths);
    // Groups the places of each distinct text, for exact matches.
    template <class C> void indexTexts();
    template <class C>
    void exact(std::basic_string_view<C> query, std::vector<FuzzyMatch>& out) const;
    // `query` in the stored symbols (255 for a character no source has), `classes` of its text.
    template <class C>
    void fuzzy(std::u32string_view query, const Classes& classes, int minScore, std::size_t most,
               std::vector<FuzzyMatch>& out) const;

    std::vector<char32_t> m_alphabet;       // sorted; empty where code points are stored
    bool m_narrow = false;                  // whether texts are stored one byte per character
    LargeVector<char8_t> m_narrowText;      // every source in order of places, as symbols
    LargeVector<char32_t> m_wideText;       // or as code points
    LargeVector<std::size_t> m_offsets;     // place p is text[m_offsets[p], m_offsets[p + 1])
    LargeVector<std::uint32_t> m_unitAt;    // the unit at each place
    std::vector<std::size_t> m_lengthStart; // the first place of each length, and one past
    LargeVector<Classes> m_classes;         // per place
    LargeVector<std::uint8_t> m_shared;     // characters each place shares with the one before
    LargeVector<std::uint64_t> m_exact;     // hash << 32 | first place of a text + 1; 0: empty
    LargeVector<std::uint32_t> m_samePlace; // the next place of the same text, or none
};

} // namespace vste
