// SPDX-License-Identifier: MIT
// Fuzzy search of a translation memory's sources. A text's score against a source is
// floor(100 * (1 - d / max(len(text), len(source)))), with d the Levenshtein distance over code
// points (case counts), so only an exact match scores 100.
//
// The index keeps, per pair of neighbouring code points (a bigram), the units holding it. A
// query counts the bigrams each unit shares with the text and compares with the text only units
// whose length and count could still reach the score asked for: two strings at distance d share
// at least max(len) - 1 - 2d bigrams. Lengths for which that bound says nothing are compared
// unit by unit. The result is exactly that of comparing every unit, in less time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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

    std::size_t size() const { return m_offsets.empty() ? 0 : m_offsets.size() - 1; }

    // The sources scoring at least `minScore` against `text`, best first, ties in the order of
    // the sources, at most `most`. Safe to call from several threads at once.
    std::vector<FuzzyMatch> search(std::u16string_view text, int minScore, std::size_t most) const;

private:
    std::u32string_view source(std::uint32_t unit) const {
        return std::u32string_view(m_text).substr(m_offsets[unit],
                                                  m_offsets[unit + 1] - m_offsets[unit]);
    }
    std::uint32_t gramOf(char32_t a, char32_t b) const;
    void exact(std::u32string_view text, std::vector<FuzzyMatch>& out) const;
    // The units that could score at least `minScore`, grouped by the best score each could
    // reach; `maxDistance` receives, per source length, the largest distance scoring enough.
    std::vector<std::vector<std::uint32_t>> candidates(std::u32string_view query, int minScore,
                                                       std::vector<std::size_t>& maxDistance) const;
    void countShared(std::u32string_view text, std::vector<std::uint32_t>& shared,
                     std::vector<std::uint32_t>& touched) const;

    std::u32string m_text;              // every source, one after another
    std::vector<std::size_t> m_offsets; // source k is m_text[m_offsets[k], m_offsets[k + 1])
    std::vector<std::vector<std::uint32_t>> m_byLength; // units of each length, in order
    std::unordered_map<std::u32string_view, std::uint32_t> m_firstOfText;
    std::vector<std::uint32_t> m_nextSameText; // the next unit of the same source, or none
    std::vector<std::uint32_t> m_denseGram;    // bigram id of two code points below 256
    std::unordered_map<std::uint64_t, std::uint32_t> m_otherGram;
    std::vector<std::size_t> m_gramStart;  // postings of bigram g: [m_gramStart[g], [g + 1])
    std::vector<std::uint32_t> m_postings; // unit ids, once per occurrence, in unit order
};

} // namespace vste
