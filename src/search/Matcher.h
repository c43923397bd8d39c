// SPDX-License-Identifier: MIT
// The matching engine of Find and Replace: one pattern, applied to one UTF-16 text at a time.
// The window and the command line both go through it, so they find exactly the same matches.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vste::search {

struct SearchOptions {
    std::u16string pattern;
    bool regex = false;     // ICU regular expression; otherwise the pattern is plain text
    bool matchCase = false; // otherwise Unicode full case folding (ß matches ss)
    // A match may not cut a word: when it begins (ends) with a word character, the character
    // before (after) it is not one. Word characters are those of the regular expression \w.
    bool wholeWord = false;
    bool inNames = true;
    bool inValues = true; // every value of a string, not only the first
    bool inExtras = true;
    // The values of the reference string paired with each string (see Finder::setReference).
    bool inReference = false;

    bool operator==(const SearchOptions&) const = default;
};

// A pattern that cannot be used: ICU's message, and the 0-based code unit offset in the pattern
// where the problem was found (-1 when ICU names none).
class PatternError : public std::runtime_error {
public:
    PatternError(const std::string& message, int offset)
        : std::runtime_error(message), m_offset(offset) {}
    int offset() const { return m_offset; }

private:
    int m_offset;
};

// A search that ran past the deadline its caller set; the message names the pattern.
class TimeLimitError : public std::runtime_error {
public:
    explicit TimeLimitError(std::u16string_view pattern);
};

// A match in UTF-16 code units of the text searched.
struct Span {
    std::uint32_t start = 0;
    std::uint32_t length = 0;
};

// Not thread-safe: every thread (every running search) needs a Matcher of its own.
class Matcher {
public:
    // Throws PatternError for an empty or invalid pattern.
    explicit Matcher(const SearchOptions& options);
    ~Matcher();
    Matcher(const Matcher&) = delete;
    Matcher& operator=(const Matcher&) = delete;

    // Appends every match in `text` to `out`, in order. A pattern that can match the empty
    // string finds each position once. Throws std::runtime_error when a regular expression
    // runs out of its time or memory limit on this text.
    void find(std::u16string_view text, std::vector<Span>& out);

    // The text that replace() puts in place of each match. In regex mode it may name captured
    // groups as $1 (as many digits as name an existing group), $0 for the whole match or
    // ${name}, and \ makes the next character literal (\$ is a dollar sign); in plain mode it is
    // literal text. Throws PatternError for a group the pattern lacks or a stray $.
    void setReplacement(std::u16string_view replacement);

    // `text` with every match replaced; `count` receives the number of matches (0: `text`
    // unchanged). Throws as find does.
    std::u16string replace(std::u16string_view text, std::size_t& count);

    const SearchOptions& options() const { return m_options; }

    using Clock = std::chrono::steady_clock;
    // After `deadline`, find and replace throw TimeLimitError: before the next text, and in the
    // middle of a regular expression's matching of one text. Without it only the time limit of
    // regular expressions on each text applies.
    void setDeadline(Clock::time_point deadline);

private:
    void checkTime() const;

    class Regex;
    class Replacement;
    void findPlain(std::u16string_view text, std::vector<Span>& out);
    void findFolded(std::u16string_view text, std::vector<Span>& out);

    SearchOptions m_options;
    std::u16string m_folded;        // the case-folded pattern (plain, case-insensitive)
    std::unique_ptr<Regex> m_regex; // regex mode only
    std::unique_ptr<Replacement> m_replacement;
    Clock::time_point m_deadline = Clock::time_point::max();
    std::u16string m_textFold;           // reused buffers of the folded text
    std::vector<std::uint32_t> m_origin; // folded unit -> unit of the original text
    std::vector<bool> m_firstUnit;       // folded unit begins the folding of a code point
    std::vector<Span> m_spans;
};

// Whether `c` is a word character (the \w of regular expressions).
bool IsWordChar(char32_t c);

// Number of code points in text[0, end): a surrogate pair counts once.
std::uint32_t CodePointOffset(std::u16string_view text, std::uint32_t end);

} // namespace vste::search
