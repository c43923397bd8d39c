// SPDX-License-Identifier: MIT
#include "ui/SuggestionCache.h"

#include <algorithm>

namespace vste::ui {

std::vector<std::u16string> SuggestionCache::suggestions(std::u16string_view word,
                                                         std::size_t most) const {
    Entry& entry = m_cache[std::u16string(word)];
    // Fewer than asked for before means there are no more; a longer list is asked for anew.
    if (most > entry.asked && entry.words.size() >= entry.asked) {
        entry.words = m_dictionary.suggestions(word, most);
        entry.asked = most;
    }
    const auto count = std::min(most, entry.words.size());
    return {entry.words.begin(), entry.words.begin() + static_cast<std::ptrdiff_t>(count)};
}

} // namespace vste::ui
