// SPDX-License-Identifier: MIT
// Hunspell dictionaries as the checks' word list, and the personal list of accepted words.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "checks/Wording.h"

class Hunspell;

namespace vste {

// Where Debian's hunspell-* packages put their dictionaries.
inline constexpr const char* kSystemDictionaries = "/usr/share/hunspell";

// No dictionary of that name in the folder; what() names both.
class DictionaryMissing : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One Hunspell dictionary (NAME.aff and NAME.dic of a folder). Words go to Hunspell in the
// dictionary's own encoding (the SET line of the .aff): a word with a character the encoding
// lacks is unknown rather than garbled. Answers are cached, so one object serves one thread.
class HunspellChecker : public WordChecker {
public:
    // Throws DictionaryMissing.
    HunspellChecker(const std::string& folder, const std::string& name);
    ~HunspellChecker() override;

    // Words accepted besides the dictionary's.
    void accept(std::u16string word);

    bool isKnown(std::u16string_view word) const override;
    std::vector<std::u16string> suggestions(std::u16string_view word,
                                            std::size_t most) const override;

private:
    bool encode(std::u16string_view word, std::string& out) const;
    std::u16string decode(std::string_view text) const;

    // Looked up by view, so that asking about a word already answered allocates nothing.
    struct WordHash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view word) const {
            return std::hash<std::u16string_view>{}(word);
        }
    };
    template <class T>
    using WordMap = std::unordered_map<std::u16string, T, WordHash, std::equal_to<>>;

    std::unique_ptr<Hunspell> m_hunspell;
    struct Codec;
    std::unique_ptr<Codec> m_codec; // null for UTF-8 dictionaries
    std::unordered_set<std::u16string, WordHash, std::equal_to<>> m_accepted;
    mutable WordMap<bool> m_known;
    // Every suggestion Hunspell gave for a word, decoded; a table repeats its unknown words.
    mutable WordMap<std::vector<std::u16string>> m_suggested;
    mutable std::string m_scratch;
};

// The words of a personal list: one per line, UTF-8, blank lines and edge blanks ignored.
// Throws FileError when the file cannot be read.
std::vector<std::u16string> ReadWordList(const std::string& fileName);

} // namespace vste
