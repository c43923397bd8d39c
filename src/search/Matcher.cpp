// SPDX-License-Identifier: MIT
#include "search/Matcher.h"

#include <unicode/uchar.h>
#include <unicode/uregex.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <array>

#include "encoding/CodePage.h"
#include "search/Replacement.h"

namespace vste::search {

namespace {

constexpr std::array<bool, 128> MakeAsciiWordTable() {
    std::array<bool, 128> t{};
    for (int c = 0; c < 128; ++c)
        t[static_cast<std::size_t>(c)] =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    return t;
}
constexpr std::array<bool, 128> kAsciiWord = MakeAsciiWordTable();

char32_t CodePointAt(std::u16string_view text, std::size_t i) {
    char32_t c = text[i];
    if (U16_IS_LEAD(c) && i + 1 < text.size() && U16_IS_TRAIL(text[i + 1]))
        c = U16_GET_SUPPLEMENTARY(c, text[i + 1]);
    return c;
}

char32_t CodePointBefore(std::u16string_view text, std::size_t i) {
    char32_t c = text[i - 1];
    if (U16_IS_TRAIL(c) && i >= 2 && U16_IS_LEAD(text[i - 2]))
        c = U16_GET_SUPPLEMENTARY(text[i - 2], c);
    return c;
}

bool SplitsPair(std::u16string_view text, std::size_t p) {
    return p > 0 && p < text.size() && U16_IS_LEAD(text[p - 1]) && U16_IS_TRAIL(text[p]);
}

// Whether position p lies between two word characters, so a match beginning or ending there
// would cut a word.
bool InsideWord(std::u16string_view text, std::size_t p) {
    return p > 0 && p < text.size() && IsWordChar(CodePointBefore(text, p)) &&
           IsWordChar(CodePointAt(text, p));
}

// Upper-case ASCII to lower case; returns false (leaving `out` partly filled) at the first unit
// outside ASCII.
bool FoldAscii(std::u16string_view text, std::u16string& out) {
    out.resize(text.size());
    char16_t* o = out.data();
    for (char16_t c : text) {
        if (c >= 0x80)
            return false;
        *o++ = (c >= 'A' && c <= 'Z') ? static_cast<char16_t>(c | 0x20) : c;
    }
    return true;
}

std::string IcuName(UErrorCode status) {
    std::string name = u_errorName(status);
    if (name.rfind("U_REGEX_", 0) == 0)
        name.erase(0, 8);
    for (char& c : name)
        c = c == '_' ? ' ' : static_cast<char>(c >= 'A' && c <= 'Z' ? c | 0x20 : c);
    return name + " (" + u_errorName(status) + ")";
}

// ICU counts the offset from the start of the error's line when it names a line.
int ErrorOffset(std::u16string_view pattern, const UParseError& parse) {
    if (parse.offset < 0)
        return -1;
    std::size_t lineStart = 0;
    for (int line = 1; line < parse.line; ++line) {
        const std::size_t end = pattern.find(u'\n', lineStart);
        if (end == std::u16string_view::npos)
            break;
        lineStart = end + 1;
    }
    return static_cast<int>(
        std::min(lineStart + static_cast<std::size_t>(parse.offset), pattern.size()));
}

} // namespace

bool IsWordChar(char32_t c) {
    if (c < 128)
        return kAsciiWord[c];
    const auto u = static_cast<UChar32>(c);
    return u_hasBinaryProperty(u, UCHAR_ALPHABETIC) ||
           (U_GET_GC_MASK(u) & (U_GC_M_MASK | U_GC_ND_MASK | U_GC_PC_MASK)) != 0 || c == 0x200C ||
           c == 0x200D;
}

std::uint32_t CodePointOffset(std::u16string_view text, std::uint32_t end) {
    std::uint32_t pairs = 0;
    for (std::uint32_t i = 1; i < end; ++i)
        pairs += U16_IS_TRAIL(text[i]) && U16_IS_LEAD(text[i - 1]) ? 1 : 0;
    return end - pairs;
}

class Matcher::Regex {
public:
    explicit Regex(const SearchOptions& options) {
        const std::uint32_t flags = options.matchCase ? 0 : UREGEX_CASE_INSENSITIVE;
        // The pattern is checked on its own first, so errors point into what the user typed.
        m_re = open(options.pattern, flags);
        m_pattern = options.pattern;
        if (options.wholeWord) {
            URegularExpression* whole = openWholeWord(options.pattern, flags);
            uregex_close(m_re);
            m_re = whole;
        }
        UErrorCode status = U_ZERO_ERROR;
        m_groups = uregex_groupCount(m_re, &status);
        // About a minute of matching on one text: a runaway pattern ends with an error.
        uregex_setTimeLimit(m_re, 60'000, &status);
    }
    ~Regex() { uregex_close(m_re); }
    Regex(const Regex&) = delete;
    Regex& operator=(const Regex&) = delete;

    URegularExpression* get() const { return m_re; }
    int groups() const { return m_groups; }

    // From now on, matching that runs past `deadline` stops with TimeLimitError.
    void setDeadline(Clock::time_point deadline) {
        m_deadline = deadline;
        UErrorCode status = U_ZERO_ERROR;
        uregex_setMatchCallback(m_re, &Regex::inTime, this, &status);
    }

    void setText(std::u16string_view text) {
        UErrorCode status = U_ZERO_ERROR;
        static const UChar kEmpty[1] = {0};
        uregex_setText(m_re, text.empty() ? kEmpty : text.data(), static_cast<int32_t>(text.size()),
                       &status);
    }

    // The next match, or false at the end of the text. Throws when matching fails.
    bool next(std::int32_t& start, std::int32_t& end) {
        UErrorCode status = U_ZERO_ERROR;
        if (!uregex_findNext(m_re, &status)) {
            if (status == U_REGEX_STOPPED_BY_CALLER)
                throw TimeLimitError(m_pattern);
            if (U_FAILURE(status))
                throw std::runtime_error("the regular expression cannot be matched: " +
                                         IcuName(status));
            return false;
        }
        start = uregex_start(m_re, 0, &status);
        end = uregex_end(m_re, 0, &status);
        return true;
    }

    // Start and end of a group of the current match; -1 when it took no part.
    std::pair<std::int32_t, std::int32_t> group(int n) const {
        UErrorCode status = U_ZERO_ERROR;
        const std::int32_t s = uregex_start(m_re, n, &status);
        const std::int32_t e = uregex_end(m_re, n, &status);
        return {s, e};
    }

private:
    // The pattern with guards that keep a match from cutting a word. The pattern alone is valid,
    // but it may end inside \Q... or, with (?x), inside a # comment, where the closing text would
    // be swallowed. Only the ending that fits compiles, so each is tried in turn: none, \E, and a
    // line end (white space in (?x) mode, the only mode with such comments).
    static URegularExpression* openWholeWord(const std::u16string& pattern, std::uint32_t flags) {
        for (const std::u16string_view ending : {u"", u"\\E", u"\n"}) {
            const std::u16string wrapped = u"(?:(?<!\\w)|(?!\\w))(?:" + pattern +
                                           std::u16string(ending) + u")(?:(?!\\w)|(?<!\\w))";
            UParseError parse{};
            UErrorCode status = U_ZERO_ERROR;
            URegularExpression* re = uregex_open(
                wrapped.data(), static_cast<int32_t>(wrapped.size()), flags, &parse, &status);
            if (U_SUCCESS(status))
                return re;
            uregex_close(re);
        }
        throw PatternError("the pattern cannot be limited to whole words", -1);
    }

    static URegularExpression* open(const std::u16string& pattern, std::uint32_t flags) {
        UParseError parse{};
        UErrorCode status = U_ZERO_ERROR;
        URegularExpression* re = uregex_open(pattern.data(), static_cast<int32_t>(pattern.size()),
                                             flags, &parse, &status);
        if (U_FAILURE(status)) {
            uregex_close(re);
            const int offset = ErrorOffset(pattern, parse);
            const std::string where =
                offset < 0
                    ? std::string()
                    : " at character " +
                          std::to_string(
                              CodePointOffset(pattern, static_cast<std::uint32_t>(offset)) + 1);
            throw PatternError("invalid regular expression" + where + ": " + IcuName(status),
                               offset);
        }
        return re;
    }

    // ICU calls this now and then while it matches; false stops the match.
    static UBool U_CALLCONV inTime(const void* context, int32_t /*steps*/) {
        return Clock::now() < static_cast<const Regex*>(context)->m_deadline;
    }

    URegularExpression* m_re = nullptr;
    int m_groups = 0;
    std::u16string m_pattern;
    Clock::time_point m_deadline = Clock::time_point::max();
};

namespace {

std::string Quoted(std::u16string_view pattern) {
    constexpr std::size_t kShown = 80;
    const std::string text = Utf16ToUtf8(pattern.substr(0, kShown));
    return "\"" + text + (pattern.size() > kShown ? "...\"" : "\"");
}

} // namespace

TimeLimitError::TimeLimitError(std::u16string_view pattern)
    : std::runtime_error("the search for " + Quoted(pattern) + " ran past its time limit") {}

void Matcher::setDeadline(Clock::time_point deadline) {
    m_deadline = deadline;
    if (m_regex)
        m_regex->setDeadline(deadline);
}

void Matcher::checkTime() const {
    if (m_deadline != Clock::time_point::max() && Clock::now() >= m_deadline)
        throw TimeLimitError(m_options.pattern);
}

Matcher::Matcher(const SearchOptions& options) : m_options(options) {
    if (options.pattern.empty())
        throw PatternError("the pattern is empty", 0);
    if (options.regex) {
        m_regex = std::make_unique<Regex>(options);
    } else if (!options.matchCase) {
        UErrorCode status = U_ZERO_ERROR;
        m_folded.resize(options.pattern.size() * 3 + 3);
        const int32_t n = u_strFoldCase(
            m_folded.data(), static_cast<int32_t>(m_folded.size()), options.pattern.data(),
            static_cast<int32_t>(options.pattern.size()), U_FOLD_CASE_DEFAULT, &status);
        m_folded.resize(static_cast<std::size_t>(n));
    }
}

Matcher::~Matcher() = default;

void Matcher::find(std::u16string_view text, std::vector<Span>& out) {
    checkTime();
    if (m_regex) {
        m_regex->setText(text);
        std::int32_t s = 0, e = 0;
        while (m_regex->next(s, e))
            out.push_back({static_cast<std::uint32_t>(s), static_cast<std::uint32_t>(e - s)});
    } else if (m_options.matchCase) {
        findPlain(text, out);
    } else {
        findFolded(text, out);
    }
}

void Matcher::findPlain(std::u16string_view text, std::vector<Span>& out) {
    const std::u16string_view pattern = m_options.pattern;
    std::size_t from = 0;
    while ((from = text.find(pattern, from)) != std::u16string_view::npos) {
        const std::size_t end = from + pattern.size();
        if (SplitsPair(text, from) || SplitsPair(text, end) ||
            (m_options.wholeWord && (InsideWord(text, from) || InsideWord(text, end)))) {
            ++from;
            continue;
        }
        out.push_back({static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(end - from)});
        from = end;
    }
}

// Case folding may change lengths (ß folds to ss), so the text is folded one code point at a
// time, remembering where each folded unit came from; a match must begin and end on the edges of
// whole folded code points.
void Matcher::findFolded(std::u16string_view text, std::vector<Span>& out) {
    const bool ascii = FoldAscii(text, m_textFold);
    if (!ascii) {
        m_textFold.clear();
        m_origin.clear();
        m_firstUnit.clear();
        UChar buffer[8];
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t at = i;
            UChar32 c = 0;
            U16_NEXT(text.data(), i, text.size(), c);
            UErrorCode status = U_ZERO_ERROR;
            const int32_t n =
                u_strFoldCase(buffer, 8, text.data() + at, static_cast<int32_t>(i - at),
                              U_FOLD_CASE_DEFAULT, &status);
            for (int32_t k = 0; k < n && k < 8; ++k) {
                m_textFold.push_back(buffer[k]);
                m_origin.push_back(static_cast<std::uint32_t>(at));
                m_firstUnit.push_back(k == 0);
            }
        }
    }
    const std::u16string_view folded = m_textFold;
    const auto origin = [&](std::size_t f) {
        return ascii ? f : f == folded.size() ? text.size() : m_origin[f];
    };
    const auto edge = [&](std::size_t f) { return ascii || f == folded.size() || m_firstUnit[f]; };
    std::size_t from = 0;
    while ((from = folded.find(m_folded, from)) != std::u16string_view::npos) {
        const std::size_t end = from + m_folded.size();
        const std::size_t s = origin(from), e = origin(end);
        if (!edge(from) || !edge(end) ||
            (m_options.wholeWord && (InsideWord(text, s) || InsideWord(text, e)))) {
            ++from;
            continue;
        }
        out.push_back({static_cast<std::uint32_t>(s), static_cast<std::uint32_t>(e - s)});
        from = end;
    }
}

void Matcher::setReplacement(std::u16string_view replacement) {
    if (!m_regex) {
        m_replacement = std::make_unique<Replacement>(replacement);
        return;
    }
    URegularExpression* re = m_regex->get();
    m_replacement = std::make_unique<Replacement>(
        replacement, m_regex->groups(), [re](std::u16string_view name) {
            UErrorCode status = U_ZERO_ERROR;
            const int32_t n = uregex_groupNumberFromName(
                re, name.data(), static_cast<int32_t>(name.size()), &status);
            return U_SUCCESS(status) ? static_cast<int>(n) : -1;
        });
}

std::u16string Matcher::replace(std::u16string_view text, std::size_t& count) {
    count = 0;
    if (!m_replacement)
        setReplacement({});
    std::u16string result;
    std::size_t copied = 0;
    const auto noGroups = [](int) { return std::pair<int, int>(-1, -1); };
    if (!m_regex) {
        m_spans.clear();
        find(text, m_spans);
        for (const Span& span : m_spans) {
            result.append(text.substr(copied, span.start - copied));
            m_replacement->appendTo(result, text, noGroups);
            copied = span.start + span.length;
        }
        count = m_spans.size();
    } else {
        checkTime();
        m_regex->setText(text);
        std::int32_t s = 0, e = 0;
        while (m_regex->next(s, e)) {
            result.append(text.substr(copied, static_cast<std::size_t>(s) - copied));
            m_replacement->appendTo(result, text, [&](int n) { return m_regex->group(n); });
            copied = static_cast<std::size_t>(e);
            ++count;
        }
    }
    if (count == 0)
        return std::u16string(text);
    result.append(text.substr(copied));
    return result;
}

} // namespace vste::search
