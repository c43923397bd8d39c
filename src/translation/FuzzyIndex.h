// SPDX-License-Identifier: MIT
// Fuzzy search of a translation memory's sources. A text's score against a source is
// floor(100 * (1 - d / max(len(text), len(source)))), with d the Levenshtein distance over code
// points (case counts), so only an exact match scores 100.
//
// The index keeps the sources grouped by length, each with a count of its characters in a few
// classes. A query looks only at lengths that could still score enough, nearest its own length
// first; skips a source whose counts alone (every edit changes at most one count up and one down)
// put it too far; and measures the rest bit-parallel, giving up as soon as the distance along the
// diagonal that ends the comparison exceeds what may score. Once `most` matches are found, the
// worst of them sets the bar for the rest. The result is exactly that of comparing every unit.
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
    // Indexes `count` sources, source k being sourceOf(k), without copying them first.
    FuzzyIndex(std::size_t count, const std::function<std::u16string_view(std::size_t)>& sourceOf);

    std::size_t size() const { return m_unitAt.size(); }

    // The sources scoring at least `minScore` against `text`, best first, ties in the order of
    // the sources, at most `most`. Safe to call from several threads at once.
    std::vector<FuzzyMatch> search(std::u16string_view text, int minScore, std::size_t most) const;

    // Counts of a text's characters in classes (letters ignoring case, digits, space, others),
    // up to 255 each.
    using Classes = std::array<std::uint8_t, 32>;

private:
    // Sources are kept in order of length (then of position): place p holds unit m_unitAt[p].
    std::u32string_view text(std::size_t place) const {
        return {m_text.data() + m_offsets[place], m_offsets[place + 1] - m_offsets[place]};
    }
    // Groups the places of each distinct text, for exact matches.
    void indexTexts();
    void exact(std::u32string_view query, std::vector<FuzzyMatch>& out) const;
    void fuzzy(std::u32string_view query, int minScore, std::size_t most,
               std::vector<FuzzyMatch>& out) const;

    LargeVector<char32_t> m_text;           // every source in order of places
    LargeVector<std::size_t> m_offsets;     // place p is m_text[m_offsets[p], m_offsets[p + 1])
    LargeVector<std::uint32_t> m_unitAt;    // the unit at each place
    std::vector<std::size_t> m_lengthStart; // the first place of each length, and one past
    LargeVector<Classes> m_classes;         // per place
    LargeVector<std::uint64_t> m_exact;     // hash << 32 | first place of a text + 1; 0: empty
    LargeVector<std::uint32_t> m_samePlace; // the next place of the same text, or none
};

} // namespace vste
