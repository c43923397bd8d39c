// SPDX-License-Identifier: MIT
// What the spelling and glossary rules check against, given by the caller: a word list (a
// dictionary, supplied by the translation library or a test) and the agreed terms. Neither
// rule runs without them, so a plain check pays nothing for either.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vste {

// A dictionary of one language. Implementations may cache, so one object serves one thread.
class WordChecker {
public:
    virtual ~WordChecker() = default;
    virtual bool isKnown(std::u16string_view word) const = 0;
    // Up to `most` corrections of an unknown word, best first.
    virtual std::vector<std::u16string> suggestions(std::u16string_view word,
                                                    std::size_t most) const = 0;
};

// An agreed translation of a term of the reference language.
struct GlossaryTerm {
    std::u16string term;
    std::u16string translation;
};

// What the optional rules need; a rule whose part is missing does not run.
struct CheckExtras {
    const WordChecker* spelling = nullptr;               // the spelling rule
    const std::vector<GlossaryTerm>* glossary = nullptr; // the glossary rule (with a reference)
};

// A word of a value, in UTF-16 code units.
struct WordSpan {
    std::size_t begin = 0;
    std::size_t length = 0;
};

// The words of a text worth a dictionary's look, found by ICU's word boundaries: words with a
// digit or '_', words inside a printf placeholder (%ls), single letters and words written in
// capitals only (abbreviations, unit codes) are left out. One splitter serves one thread.
class WordSplitter {
public:
    WordSplitter();
    ~WordSplitter();
    WordSplitter(const WordSplitter&) = delete;
    WordSplitter& operator=(const WordSplitter&) = delete;

    // The spellable words of `text`, in order; `out` is cleared first.
    void split(std::u16string_view text, std::vector<WordSpan>& out);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

// `text` case-folded (full folding, so "STRASSE" and "Straße" meet), for comparisons that ignore
// case.
std::u16string FoldCase(std::u16string_view text);
// Whether `folded` holds `term` (both folded) as a whole word: neither neighbour is a letter or a
// digit.
bool ContainsWholeWord(std::u16string_view folded, std::u16string_view term);

} // namespace vste
