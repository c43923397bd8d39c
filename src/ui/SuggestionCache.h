// SPDX-License-Identifier: MIT
// A dictionary that remembers its corrections: Hunspell takes from ten to a hundred and fifty
// milliseconds for the corrections of one word, and a table repeats its unknown words (names of
// units, places and heroes) in string after string, check after check.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "checks/Wording.h"

namespace vste::ui {

class SuggestionCache final : public WordChecker {
public:
    // `dictionary` must outlive the cache.
    explicit SuggestionCache(const WordChecker& dictionary) : m_dictionary(dictionary) {}

    bool isKnown(std::u16string_view word) const override { return m_dictionary.isKnown(word); }
    std::vector<std::u16string> suggestions(std::u16string_view word,
                                            std::size_t most) const override;

private:
    struct Entry {
        std::vector<std::u16string> words;
        std::size_t asked = 0; // the `most` they were asked with
    };
    const WordChecker& m_dictionary;
    mutable std::unordered_map<std::u16string, Entry> m_cache;
};

} // namespace vste::ui
