// SPDX-License-Identifier: MIT
// The fuzzy index's scores and its building; its searches are in FuzzySearch.cpp.
#include "translation/FuzzyIndex.h"

#include <algorithm>
#include <array>
#include <functional>
#include <future>

#include "translation/FuzzyParts.h"

namespace vste {

using fuzzy::ClassesOf;
using fuzzy::HashOf;
using fuzzy::kNone;

namespace {

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

// Appends the code points of UTF-16 text to `out`; an unpaired surrogate counts as one.
void AppendCodePoints(std::u16string_view text, std::u32string& out) {
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
}

// The different code points of the sources, sorted, or none when there are more than 255.
std::vector<char32_t>
NarrowAlphabet(std::size_t count, const std::function<std::u16string_view(std::size_t)>& sourceOf) {
    std::vector<bool> seen(0x110000 + 1, false);
    std::vector<char32_t> alphabet;
    std::u32string points;
    for (std::size_t u = 0; u < count; ++u) {
        points.clear();
        AppendCodePoints(sourceOf(u), points);
        for (char32_t c : points) {
            if (seen[c])
                continue;
            seen[c] = true;
            alphabet.push_back(c);
            if (alphabet.size() > 255)
                return {};
        }
    }
    std::sort(alphabet.begin(), alphabet.end());
    return alphabet;
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
    AppendCodePoints(text, out);
    return out;
}

FuzzyIndex::FuzzyIndex(std::span<const std::u16string> sources)
    : FuzzyIndex(sources.size(),
                 [sources](std::size_t k) { return std::u16string_view(sources[k]); }) {}

FuzzyIndex::FuzzyIndex(std::size_t count,
                       const std::function<std::u16string_view(std::size_t)>& sourceOf) {
    // Places by length, then text: counted, then filled.
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
    // Within a length, in the order of the texts, so that neighbours share their beginnings;
    // the lengths shared between two threads.
    const auto sortLengths = [&](std::size_t first) {
        for (std::size_t m = first; m + 1 < m_lengthStart.size(); m += 2)
            std::sort(m_unitAt.begin() + static_cast<std::ptrdiff_t>(m_lengthStart[m]),
                      m_unitAt.begin() + static_cast<std::ptrdiff_t>(m_lengthStart[m + 1]),
                      [&sourceOf](std::uint32_t a, std::uint32_t b) {
                          const std::u16string_view x = sourceOf(a);
                          const std::u16string_view y = sourceOf(b);
                          return x != y ? x < y : a < b;
                      });
    };
    auto odd = std::async(std::launch::async, sortLengths, 1);
    sortLengths(0);
    odd.get();
    store(count, sourceOf, lengths);
    if (m_narrow)
        indexTexts<char8_t>();
    else
        indexTexts<char32_t>();
}

void FuzzyIndex::store(std::size_t count,
                       const std::function<std::u16string_view(std::size_t)>& sourceOf,
                       std::span<const std::uint32_t> lengths) {
    m_offsets.resize(count + 1);
    m_offsets[0] = 0;
    for (std::size_t p = 0; p < count; ++p)
        m_offsets[p + 1] = m_offsets[p] + lengths[m_unitAt[p]];
    m_alphabet = NarrowAlphabet(count, sourceOf);
    m_narrow = !m_alphabet.empty() || m_offsets[count] == 0;
    if (m_narrow)
        m_narrowText.resize(m_offsets[count]);
    else
        m_wideText.resize(m_offsets[count]);
    m_classes.resize(count);
    m_shared.assign(count, 0);
    std::u32string points;
    std::u32string before;
    for (std::size_t p = 0; p < count; ++p) {
        points.clear();
        AppendCodePoints(sourceOf(m_unitAt[p]), points);
        m_classes[p] = ClassesOf(points);
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (m_narrow)
                m_narrowText[m_offsets[p] + i] = static_cast<char8_t>(
                    std::lower_bound(m_alphabet.begin(), m_alphabet.end(), points[i]) -
                    m_alphabet.begin());
            else
                m_wideText[m_offsets[p] + i] = points[i];
        }
        std::size_t k = 0;
        while (k < 255 && k < before.size() && k < points.size() && before[k] == points[k])
            ++k;
        m_shared[p] = static_cast<std::uint8_t>(k);
        before.swap(points);
    }
}

template <class C> void FuzzyIndex::indexTexts() {
    // One slot per distinct text, its places chained in order.
    const std::size_t count = size();
    std::size_t capacity = 16;
    while (capacity < 2 * count)
        capacity *= 2;
    m_exact.assign(capacity, 0);
    m_samePlace.assign(count, kNone);
    LargeVector<std::uint32_t> lastPlace(capacity, kNone);
    for (std::uint32_t p = 0; p < count; ++p) {
        const std::uint32_t hash = HashOf(text<C>(p));
        std::size_t at = hash & (capacity - 1);
        while (m_exact[at] != 0 &&
               !(m_exact[at] >> 32 == hash &&
                 text<C>(static_cast<std::uint32_t>(m_exact[at]) - 1) == text<C>(p)))
            at = (at + 1) & (capacity - 1);
        if (m_exact[at] == 0)
            m_exact[at] = std::uint64_t{hash} << 32 | (p + 1);
        else
            m_samePlace[lastPlace[at]] = p;
        lastPlace[at] = p;
    }
}

} // namespace vste
