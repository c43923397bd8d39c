// SPDX-License-Identifier: MIT
// The fuzzy index's searches: exact matches through the hash of the texts, the others length by
// length, nearest the query's length first.
#include <algorithm>
#include <future>
#include <vector>

#include "translation/BitDistance.h"
#include "translation/FuzzyIndex.h"
#include "translation/FuzzyParts.h"

namespace vste {

using fuzzy::ClassDistance;
using fuzzy::ClassesOf;
using fuzzy::HashOf;
using fuzzy::kNone;

namespace {

using bitdistance::BitPattern;
using bitdistance::PairPattern;
using bitdistance::ShortPattern;

// A query looking at fewer sources than this is not worth a second thread.
constexpr std::size_t kPlacesForTwoThreads = 20000;
// The symbol of a character that no source has.
constexpr char32_t kAbsent = 255;

// The largest distance that still scores `minScore` between strings whose longer one has
// `length` code points: floor(100 * (length - d) / length) >= minScore.
std::size_t MaxDistance(std::size_t length, int minScore) {
    const std::size_t needed = (static_cast<std::size_t>(minScore) * length + 99) / 100;
    return length - needed;
}

// The lengths with sources (`lengthStart` as the index keeps it) that could score enough
// against a query of `n` code points, nearest `n` first: their sources score best.
std::vector<std::size_t> LengthsToScan(const std::vector<std::size_t>& lengthStart, std::size_t n,
                                       int minScore) {
    const auto apart = [n](std::size_t m) { return std::max(n, m) - std::min(n, m); };
    std::vector<std::size_t> lengths;
    for (std::size_t m = 0; m + 1 < lengthStart.size(); ++m)
        if (lengthStart[m] < lengthStart[m + 1] &&
            apart(m) <= MaxDistance(std::max(n, m), minScore))
            lengths.push_back(m);
    std::stable_sort(lengths.begin(), lengths.end(),
                     [&](std::size_t a, std::size_t b) { return apart(a) < apart(b); });
    return lengths;
}

bool Ranked(const FuzzyMatch& a, const FuzzyMatch& b) {
    return a.score != b.score ? a.score > b.score : a.unit < b.unit;
}

} // namespace

template <class C>
void FuzzyIndex::exact(std::basic_string_view<C> query, std::vector<FuzzyMatch>& out) const {
    if (m_exact.empty())
        return;
    const std::uint32_t hash = HashOf(query);
    const std::size_t mask = m_exact.size() - 1;
    for (std::size_t at = hash & mask; m_exact[at] != 0; at = (at + 1) & mask) {
        const auto first = static_cast<std::uint32_t>(m_exact[at]) - 1;
        if (m_exact[at] >> 32 == hash && text<C>(first) == query) {
            for (std::uint32_t p = first; p != kNone; p = m_samePlace[p])
                out.push_back({m_unitAt[p], 100});
            return;
        }
    }
}

template <class C>
void FuzzyIndex::fuzzy(std::u32string_view query, const Classes& classes, int minScore,
                       std::size_t most, std::vector<FuzzyMatch>& out) const {
    const std::size_t n = query.size();
    const std::vector<std::size_t> lengths = LengthsToScan(m_lengthStart, n, minScore);
    const auto apart = [n](std::size_t m) { return std::max(n, m) - std::min(n, m); };
    const bool isShort = n > 0 && n <= 64;
    const bool isPair = n > 64 && n <= 128;
    const ShortPattern shortPattern(isShort ? query : std::u32string_view());
    const PairPattern pairPattern(isPair ? query : std::u32string_view());
    const BitPattern longPattern(isShort || isPair || n == 0 ? std::u32string_view() : query);
    // Every `step`-th length from `first`, into `found`: at most `most` matches, best first.
    const auto scan = [&](std::size_t first, std::size_t step, std::vector<FuzzyMatch>& found) {
        std::vector<std::uint64_t> blocks;
        ShortPattern::Resume shortResume;
        PairPattern::Resume pairResume;
        int bar = minScore; // the least score that can still enter the result
        for (std::size_t i = first; i < lengths.size(); i += step) {
            const std::size_t m = lengths[i];
            std::size_t limit = MaxDistance(std::max(n, m), bar);
            // A length's sources are in the order of their texts: each shares its first
            // `shared` characters with the source measured last, whose comparison goes on.
            std::size_t shared = 0;
            shortResume = {};
            pairResume = {};
            for (std::size_t p = m_lengthStart[m]; p < m_lengthStart[m + 1] && apart(m) <= limit;
                 ++p) {
                shared = std::min<std::size_t>(shared, m_shared[p]);
                if (ClassDistance(classes, m_classes[p]) > limit)
                    continue;
                const std::basic_string_view<C> source = text<C>(p);
                const std::size_t d =
                    n == 0    ? m
                    : isShort ? shortPattern.distance(source, limit, shortResume, shared)
                    : isPair  ? pairPattern.distance(source, limit, pairResume, shared)
                              : longPattern.distance(source, limit, blocks);
                shared = m;
                if (d > limit)
                    continue;
                found.push_back({m_unitAt[p], MatchScore(d, n, m)});
                if (found.size() >= most) {
                    std::sort(found.begin(), found.end(), Ranked);
                    found.resize(most);
                    bar = found.back().score;
                    limit = MaxDistance(std::max(n, m), bar);
                }
            }
        }
    };
    std::size_t places = 0;
    for (std::size_t m : lengths)
        places += m_lengthStart[m + 1] - m_lengthStart[m];
    if (places < kPlacesForTwoThreads) {
        scan(0, 1, out);
        return;
    }
    // Two threads, each with lengths of its own and its own bar; the best of both are the best.
    std::vector<FuzzyMatch> other;
    auto secondHalf = std::async(std::launch::async, [&] { scan(1, 2, other); });
    scan(0, 2, out);
    secondHalf.get();
    out.insert(out.end(), other.begin(), other.end());
}

std::vector<FuzzyMatch> FuzzyIndex::search(std::u16string_view text, int minScore,
                                           std::size_t most) const {
    std::vector<FuzzyMatch> found;
    minScore = std::max(minScore, 0);
    if (most == 0 || minScore > 100 || size() == 0)
        return found;
    const std::u32string points = CodePoints(text);
    if (!m_narrow) {
        if (minScore == 100)
            exact<char32_t>(points, found);
        else
            fuzzy<char32_t>(points, ClassesOf(points), minScore, most, found);
    } else {
        // The query in the sources' symbols; a character they lack matches none of theirs.
        std::u32string symbols(points.size(), kAbsent);
        for (std::size_t i = 0; i < points.size(); ++i) {
            const auto at = std::lower_bound(m_alphabet.begin(), m_alphabet.end(), points[i]);
            if (at != m_alphabet.end() && *at == points[i])
                symbols[i] = static_cast<char32_t>(at - m_alphabet.begin());
        }
        if (minScore < 100) {
            fuzzy<char8_t>(symbols, ClassesOf(points), minScore, most, found);
        } else if (std::find(symbols.begin(), symbols.end(), kAbsent) == symbols.end()) {
            const std::u8string narrow(symbols.begin(), symbols.end());
            exact<char8_t>(narrow, found);
        }
    }
    std::sort(found.begin(), found.end(), Ranked);
    if (found.size() > most)
        found.resize(most);
    return found;
}

} // namespace vste
