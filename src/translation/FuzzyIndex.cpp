// SPDX-License-Identifier: MIT
#include "translation/FuzzyIndex.h"

#include "translation/BitDistance.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <future>
#include <limits>

namespace vste {

namespace {

using bitdistance::BitPattern;
using bitdistance::ShortPattern;

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
// A query looking at fewer sources than this is not worth a second thread.
constexpr std::size_t kPlacesForTwoThreads = 20000;

// The largest distance that still scores `minScore` between strings whose longer one has
// `length` code points: floor(100 * (length - d) / length) >= minScore.
std::size_t MaxDistance(std::size_t length, int minScore) {
    const std::size_t needed = (static_cast<std::size_t>(minScore) * length + 99) / 100;
    return length - needed;
}

FuzzyIndex::Classes ClassesOf(std::u32string_view text) {
    FuzzyIndex::Classes classes{};
    for (char32_t c : text) {
        std::size_t k;
        if ((c | 0x20) >= U'a' && (c | 0x20) <= U'z')
            k = (c | 0x20) - U'a';
        else if (c >= U'0' && c <= U'9')
            k = 26;
        else if (c == U' ')
            k = 27;
        else
            k = 28 + c % 4;
        if (classes[k] < 255)
            ++classes[k];
    }
    return classes;
}

// The least distance the counts allow: an edit changes at most one count up and one down. The
// counts stop at 255, which only makes the bound lower.
std::size_t ClassDistance(const FuzzyIndex::Classes& a, const FuzzyIndex::Classes& b) {
    unsigned more = 0;
    unsigned less = 0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        const int d = a[k] - b[k];
        more += static_cast<unsigned>(d > 0 ? d : 0);
        less += static_cast<unsigned>(d < 0 ? -d : 0);
    }
    return std::max(more, less);
}

std::size_t CodePointCount(std::u16string_view text) {
    std::size_t count = text.size();
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] >= 0xD800 && text[i] < 0xDC00 && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            --count;
            ++i;
        }
    return count;
}

std::uint32_t HashOf(std::u32string_view text) {
    const std::size_t h = std::hash<std::u32string_view>{}(text);
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

bool Ranked(const FuzzyMatch& a, const FuzzyMatch& b) {
    return a.score != b.score ? a.score > b.score : a.unit < b.unit;
}

} // namespace

std::size_t EditDistance(std::u32string_view a, std::u32string_view b) {
    if (a.size() < b.size())
        std::swap(a, b);
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

int MatchScore(std::size_t distance, std::size_t a, std::size_t b) {
    const std::size_t longer = std::max(a, b);
    if (longer == 0)
        return 100;
    return static_cast<int>(100 * (longer - std::min(distance, longer)) / longer);
}

std::u32string CodePoints(std::u16string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            out.push_back(0x10000 + ((char32_t{c} - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

FuzzyIndex::FuzzyIndex(std::span<const std::u16string> sources)
    : FuzzyIndex(sources.size(),
                 [sources](std::size_t k) { return std::u16string_view(sources[k]); }) {}

FuzzyIndex::FuzzyIndex(std::size_t count,
                       const std::function<std::u16string_view(std::size_t)>& sourceOf) {
    // Places by length, then position: counted, then filled.
    LargeVector<std::uint32_t> lengths(count);
    std::size_t longest = 0;
    for (std::size_t u = 0; u < count; ++u) {
        lengths[u] = static_cast<std::uint32_t>(CodePointCount(sourceOf(u)));
        longest = std::max<std::size_t>(longest, lengths[u]);
    }
    m_lengthStart.assign(longest + 2, 0);
    for (std::uint32_t length : lengths)
        ++m_lengthStart[length + 1];
    for (std::size_t m = 1; m < m_lengthStart.size(); ++m)
        m_lengthStart[m] += m_lengthStart[m - 1];
    m_unitAt.resize(count);
    {
        std::vector<std::size_t> next(m_lengthStart.begin(), m_lengthStart.end() - 1);
        for (std::uint32_t u = 0; u < count; ++u)
            m_unitAt[next[lengths[u]]++] = u;
    }
    m_offsets.resize(count + 1);
    m_offsets[0] = 0;
    for (std::size_t p = 0; p < count; ++p)
        m_offsets[p + 1] = m_offsets[p] + lengths[m_unitAt[p]];
    m_text.resize(m_offsets[count]);
    m_classes.resize(count);
    for (std::size_t p = 0; p < count; ++p) {
        const std::u16string_view s = sourceOf(m_unitAt[p]);
        char32_t* out = m_text.data() + m_offsets[p];
        for (std::size_t i = 0; i < s.size(); ++i) {
            const char16_t c = s[i];
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
                s[i + 1] < 0xE000) {
                *out++ = 0x10000 + ((char32_t{c} - 0xD800) << 10) + (s[i + 1] - 0xDC00);
                ++i;
            } else {
                *out++ = c;
            }
        }
        m_classes[p] = ClassesOf(text(p));
    }
    indexTexts();
}

void FuzzyIndex::indexTexts() {
    // One slot per distinct text, its places chained in order.
    const std::size_t count = size();
    std::size_t capacity = 16;
    while (capacity < 2 * count)
        capacity *= 2;
    m_exact.assign(capacity, 0);
    m_samePlace.assign(count, kNone);
    LargeVector<std::uint32_t> lastPlace(capacity, kNone);
    for (std::uint32_t p = 0; p < count; ++p) {
        const std::uint32_t hash = HashOf(text(p));
        std::size_t at = hash & (capacity - 1);
        while (m_exact[at] != 0 && !(m_exact[at] >> 32 == hash &&
                                     text(static_cast<std::uint32_t>(m_exact[at]) - 1) == text(p)))
            at = (at + 1) & (capacity - 1);
        if (m_exact[at] == 0)
            m_exact[at] = std::uint64_t{hash} << 32 | (p + 1);
        else
            m_samePlace[lastPlace[at]] = p;
        lastPlace[at] = p;
    }
}

void FuzzyIndex::exact(std::u32string_view query, std::vector<FuzzyMatch>& out) const {
    if (m_exact.empty())
        return;
    const std::uint32_t hash = HashOf(query);
    const std::size_t mask = m_exact.size() - 1;
    for (std::size_t at = hash & mask; m_exact[at] != 0; at = (at + 1) & mask) {
        const auto first = static_cast<std::uint32_t>(m_exact[at]) - 1;
        if (m_exact[at] >> 32 == hash && text(first) == query) {
            for (std::uint32_t p = first; p != kNone; p = m_samePlace[p])
                out.push_back({m_unitAt[p], 100});
            return;
        }
    }
}

void FuzzyIndex::fuzzy(std::u32string_view query, int minScore, std::size_t most,
                       std::vector<FuzzyMatch>& out) const {
    const std::size_t n = query.size();
    // Lengths that could score enough, nearest the query's first: their sources score best.
    std::vector<std::size_t> lengths;
    for (std::size_t m = 0; m + 1 < m_lengthStart.size(); ++m)
        if (m_lengthStart[m] < m_lengthStart[m + 1] &&
            std::max(n, m) - std::min(n, m) <= MaxDistance(std::max(n, m), minScore))
            lengths.push_back(m);
    const auto apart = [n](std::size_t m) { return std::max(n, m) - std::min(n, m); };
    std::stable_sort(lengths.begin(), lengths.end(),
                     [&](std::size_t a, std::size_t b) { return apart(a) < apart(b); });
    const Classes classes = ClassesOf(query);
    const bool isShort = n > 0 && n <= 64;
    const ShortPattern shortPattern(isShort ? query : std::u32string_view());
    const BitPattern longPattern(isShort || n == 0 ? std::u32string_view() : query);
    // Every `step`-th length from `first`, into `found`: at most `most` matches, best first.
    const auto scan = [&](std::size_t first, std::size_t step, std::vector<FuzzyMatch>& found) {
        std::vector<std::uint64_t> blocks;
        int bar = minScore; // the least score that can still enter the result
        for (std::size_t i = first; i < lengths.size(); i += step) {
            const std::size_t m = lengths[i];
            std::size_t limit = MaxDistance(std::max(n, m), bar);
            for (std::size_t p = m_lengthStart[m]; p < m_lengthStart[m + 1] && apart(m) <= limit;
                 ++p) {
                if (ClassDistance(classes, m_classes[p]) > limit)
                    continue;
                const std::size_t d = n == 0    ? m
                                      : isShort ? shortPattern.distance(text(p), limit)
                                                : longPattern.distance(text(p), limit, blocks);
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
    const std::u32string query = CodePoints(text);
    if (minScore == 100)
        exact(query, found);
    else
        fuzzy(query, minScore, most, found);
    std::sort(found.begin(), found.end(), Ranked);
    if (found.size() > most)
        found.resize(most);
    return found;
}

} // namespace vste
