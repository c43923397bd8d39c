// SPDX-License-Identifier: MIT
#include "translation/FuzzyIndex.h"

#include <algorithm>
#include <array>
#include <limits>

namespace vste {

namespace {

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

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
    std::size_t distance(std::u32string_view text, std::vector<std::uint64_t>& scratch) const {
        scratch.assign(2 * m_blocks, 0);
        std::uint64_t* pv = scratch.data();
        std::uint64_t* mv = scratch.data() + m_blocks;
        std::fill(pv, pv + m_blocks, ~std::uint64_t{0});
        const std::uint64_t lastHigh = std::uint64_t{1} << ((m_length - 1) % 64);
        std::size_t score = m_length;
        for (char32_t c : text) {
            const std::uint64_t* eqs = mask(c);
            int h = 1; // the first row grows by one per column
            for (std::size_t w = 0; w < m_blocks; ++w)
                h = advance(pv[w], mv[w], eqs[w], h,
                            w + 1 == m_blocks ? lastHigh : std::uint64_t{1} << 63);
            score += static_cast<std::size_t>(h); // wraps for -1, as intended
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

// The largest distance that still scores `minScore` between strings whose longer one has
// `length` code points: floor(100 * (length - d) / length) >= minScore.
std::size_t MaxDistance(std::size_t length, int minScore) {
    const std::size_t needed = (static_cast<std::size_t>(minScore) * length + 99) / 100;
    return length - needed;
}

std::uint64_t GramKey(char32_t a, char32_t b) {
    return (static_cast<std::uint64_t>(a) << 32) | b;
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

FuzzyIndex::FuzzyIndex(std::span<const std::u16string> sources) {
    m_offsets.reserve(sources.size() + 1);
    m_offsets.push_back(0);
    for (const std::u16string& s : sources) {
        m_text += CodePoints(s);
        m_offsets.push_back(m_text.size());
    }
    const auto count = static_cast<std::uint32_t>(sources.size());
    m_nextSameText.assign(count, kNone);
    std::vector<std::uint32_t> lastOfText(count, kNone);
    m_firstOfText.reserve(count);
    for (std::uint32_t u = 0; u < count; ++u) {
        const std::u32string_view s = source(u);
        if (m_byLength.size() <= s.size())
            m_byLength.resize(s.size() + 1);
        m_byLength[s.size()].push_back(u);
        const auto [it, fresh] = m_firstOfText.emplace(s, u);
        if (!fresh)
            m_nextSameText[lastOfText[it->second]] = u;
        lastOfText[it->second] = u;
    }
    // Bigram ids, then each bigram's postings: counted first, then filled in unit order.
    m_denseGram.assign(256 * 256, kNone);
    std::vector<std::size_t> sizes;
    auto idOf = [&](char32_t a, char32_t b) {
        std::uint32_t* slot = a < 256 && b < 256
                                  ? &m_denseGram[a * 256 + b]
                                  : &m_otherGram.try_emplace(GramKey(a, b), kNone).first->second;
        if (*slot == kNone) {
            *slot = static_cast<std::uint32_t>(sizes.size());
            sizes.push_back(0);
        }
        return *slot;
    };
    for (std::uint32_t u = 0; u < count; ++u) {
        const std::u32string_view s = source(u);
        for (std::size_t i = 1; i < s.size(); ++i)
            ++sizes[idOf(s[i - 1], s[i])];
    }
    m_gramStart.assign(sizes.size() + 1, 0);
    for (std::size_t g = 0; g < sizes.size(); ++g)
        m_gramStart[g + 1] = m_gramStart[g] + sizes[g];
    m_postings.resize(m_gramStart.back());
    std::vector<std::size_t> cursor(m_gramStart.begin(), m_gramStart.end() - 1);
    for (std::uint32_t u = 0; u < count; ++u) {
        const std::u32string_view s = source(u);
        for (std::size_t i = 1; i < s.size(); ++i)
            m_postings[cursor[gramOf(s[i - 1], s[i])]++] = u;
    }
}

std::uint32_t FuzzyIndex::gramOf(char32_t a, char32_t b) const {
    if (a < 256 && b < 256)
        return m_denseGram.empty() ? kNone : m_denseGram[a * 256 + b];
    const auto it = m_otherGram.find(GramKey(a, b));
    return it == m_otherGram.end() ? kNone : it->second;
}

void FuzzyIndex::exact(std::u32string_view text, std::vector<FuzzyMatch>& out) const {
    const auto it = m_firstOfText.find(text);
    if (it != m_firstOfText.end())
        for (std::uint32_t u = it->second; u != kNone; u = m_nextSameText[u])
            out.push_back({u, 100});
}

void FuzzyIndex::countShared(std::u32string_view text, std::vector<std::uint32_t>& shared,
                             std::vector<std::uint32_t>& touched) const {
    std::vector<std::uint32_t> grams;
    for (std::size_t i = 1; i < text.size(); ++i)
        if (const std::uint32_t g = gramOf(text[i - 1], text[i]); g != kNone)
            grams.push_back(g);
    std::sort(grams.begin(), grams.end());
    for (std::size_t i = 0; i < grams.size();) {
        std::size_t j = i;
        while (j < grams.size() && grams[j] == grams[i])
            ++j;
        const auto inText = static_cast<std::uint32_t>(j - i);
        // A unit's occurrences of the bigram are neighbours in the postings.
        const std::uint32_t* p = m_postings.data() + m_gramStart[grams[i]];
        const std::uint32_t* end = m_postings.data() + m_gramStart[grams[i] + 1];
        while (p != end) {
            const std::uint32_t u = *p;
            std::uint32_t run = 0;
            while (p != end && *p == u) {
                ++run;
                ++p;
            }
            if (shared[u] == 0)
                touched.push_back(u);
            shared[u] += std::min(run, inText);
        }
        i = j;
    }
}

std::vector<std::vector<std::uint32_t>>
FuzzyIndex::candidates(std::u32string_view query, int minScore,
                       std::vector<std::size_t>& maxDistance) const {
    const std::size_t n = query.size();
    // Per length: 0 no unit of it can score enough, 1 compare each, 2 those sharing enough
    // bigrams.
    std::vector<std::uint8_t> how(m_byLength.size(), 0);
    std::vector<std::size_t> bound(m_byLength.size(), 0);
    maxDistance.assign(m_byLength.size(), 0);
    bool anyCounted = false;
    for (std::size_t m = 0; m < m_byLength.size(); ++m) {
        const std::size_t longer = std::max(n, m);
        maxDistance[m] = MaxDistance(longer, minScore);
        if (m_byLength[m].empty() || longer - std::min(n, m) > maxDistance[m])
            continue;
        const std::size_t grams = longer == 0 ? 0 : longer - 1;
        how[m] = grams <= 2 * maxDistance[m] ? 1 : 2;
        bound[m] = how[m] == 2 ? grams - 2 * maxDistance[m] : 0;
        anyCounted = anyCounted || how[m] == 2;
    }
    // By the best score each could reach: the distance is at least the difference of lengths,
    // and at least half the bigrams the unit does not share.
    std::vector<std::vector<std::uint32_t>> byBest(101);
    auto best = [&](std::size_t m, std::size_t atLeast) {
        return static_cast<std::size_t>(
            MatchScore(std::max(atLeast, std::max(n, m) - std::min(n, m)), n, m));
    };
    for (std::size_t m = 0; m < m_byLength.size(); ++m)
        if (how[m] == 1)
            for (std::uint32_t u : m_byLength[m])
                byBest[best(m, 0)].push_back(u);
    if (anyCounted) {
        std::vector<std::uint32_t> shared(size(), 0);
        std::vector<std::uint32_t> touched;
        countShared(query, shared, touched);
        for (std::uint32_t u : touched) {
            const std::size_t m = m_offsets[u + 1] - m_offsets[u];
            if (how[m] != 2 || shared[u] < bound[m])
                continue;
            const std::size_t grams = std::max(n, m) - 1;
            const std::size_t unshared = grams > shared[u] ? grams - shared[u] : 0;
            byBest[best(m, (unshared + 1) / 2)].push_back(u);
        }
    }
    return byBest;
}

std::vector<FuzzyMatch> FuzzyIndex::search(std::u16string_view text, int minScore,
                                           std::size_t most) const {
    std::vector<FuzzyMatch> found;
    minScore = std::max(minScore, 0);
    if (most == 0 || minScore > 100 || size() == 0)
        return found;
    const std::u32string query = CodePoints(text);
    if (minScore == 100) {
        exact(query, found);
    } else {
        std::vector<std::size_t> maxDistance;
        const auto byBest = candidates(query, minScore, maxDistance);
        const BitPattern pattern(query);
        std::vector<std::uint64_t> blocks;
        std::array<std::size_t, 101> scored{};
        // Best bound first; once `most` units score at least what the rest could reach, the
        // rest cannot enter the result.
        std::size_t atLeast = 0;
        for (std::size_t b = 101; b-- > 0 && atLeast < most;) {
            for (std::uint32_t u : byBest[b]) {
                const std::u32string_view s = source(u);
                const std::size_t d = query.empty() ? s.size() : pattern.distance(s, blocks);
                if (d > maxDistance[s.size()])
                    continue;
                found.push_back({u, MatchScore(d, query.size(), s.size())});
                ++scored[static_cast<std::size_t>(found.back().score)];
            }
            atLeast += scored[b];
        }
    }
    std::sort(found.begin(), found.end(), [](const FuzzyMatch& a, const FuzzyMatch& b) {
        return a.score != b.score ? a.score > b.score : a.unit < b.unit;
    });
    if (found.size() > most)
        found.resize(most);
    return found;
}

} // namespace vste
