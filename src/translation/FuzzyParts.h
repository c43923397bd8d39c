// SPDX-License-Identifier: MIT
// What the fuzzy index's building and searching share: the character classes of a text and the
// least distance their counts allow, and the hash of a stored text.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string_view>

#include "translation/FuzzyIndex.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vste::fuzzy {

inline constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

inline FuzzyIndex::Classes ClassesOf(std::u32string_view text) {
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
inline std::size_t ClassDistance(const FuzzyIndex::Classes& a, const FuzzyIndex::Classes& b) {
#if defined(__SSE2__)
    // Saturating differences both ways, summed by bytes: a few instructions for all 32 counts.
    const auto sum = [](const std::uint8_t* x, const std::uint8_t* y) {
        const __m128i x0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x));
        const __m128i x1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + 16));
        const __m128i y0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y));
        const __m128i y1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y + 16));
        const __m128i zero = _mm_setzero_si128();
        const __m128i total = _mm_add_epi64(_mm_sad_epu8(_mm_subs_epu8(x0, y0), zero),
                                            _mm_sad_epu8(_mm_subs_epu8(x1, y1), zero));
        return static_cast<std::size_t>(_mm_cvtsi128_si32(total) +
                                        _mm_cvtsi128_si32(_mm_srli_si128(total, 8)));
    };
    return std::max(sum(a.data(), b.data()), sum(b.data(), a.data()));
#else
    unsigned more = 0;
    unsigned less = 0;
    for (std::size_t k = 0; k < a.size(); ++k) {
        const int d = a[k] - b[k];
        more += static_cast<unsigned>(d > 0 ? d : 0);
        less += static_cast<unsigned>(d < 0 ? -d : 0);
    }
    return std::max(more, less);
#endif
}

template <class C> std::uint32_t HashOf(std::basic_string_view<C> text) {
    const std::size_t h = std::hash<std::basic_string_view<C>>{}(text);
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

} // namespace vste::fuzzy
