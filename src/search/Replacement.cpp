// SPDX-License-Identifier: MIT
#include "search/Replacement.h"

#include "encoding/CodePage.h"

namespace vste::search {

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

PatternError BadReplacement(const std::string& what, std::size_t at) {
    return PatternError("invalid replacement at character " + std::to_string(at + 1) + ": " + what,
                        static_cast<int>(at));
}

} // namespace

Matcher::Replacement::Replacement(std::u16string_view literal) {
    m_pieces.push_back({std::u16string(literal), -1});
}

Matcher::Replacement::Replacement(std::u16string_view text, int groups,
                                  const std::function<int(std::u16string_view)>& groupNumber) {
    std::u16string literal;
    const auto flush = [&] {
        if (!literal.empty())
            m_pieces.push_back({std::move(literal), -1});
        literal.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\\' && i + 1 < text.size()) {
            literal.push_back(text[++i]);
        } else if (c != u'$') {
            literal.push_back(c);
        } else if (i + 1 < text.size() && IsDigit(text[i + 1])) {
            // As many digits as still name an existing group; later digits are literal.
            int number = text[++i] - u'0';
            if (number > groups) {
                std::size_t end = i;
                while (end < text.size() && IsDigit(text[end]))
                    ++end;
                throw BadReplacement("$" + Utf16ToUtf8(text.substr(i, end - i)) +
                                         " names a group the pattern lacks (it has " +
                                         std::to_string(groups) + ")",
                                     i - 1);
            }
            while (i + 1 < text.size() && IsDigit(text[i + 1]) &&
                   number * 10 + (text[i + 1] - u'0') <= groups)
                number = number * 10 + (text[++i] - u'0');
            flush();
            m_pieces.push_back({{}, number});
        } else if (i + 1 < text.size() && text[i + 1] == u'{') {
            const std::size_t close = text.find(u'}', i + 2);
            const std::u16string_view name = close == std::u16string_view::npos
                                                 ? std::u16string_view()
                                                 : text.substr(i + 2, close - i - 2);
            const int number = name.empty() ? -1 : groupNumber(name);
            if (number < 0)
                throw BadReplacement("${" + Utf16ToUtf8(name) + "} names no group of the pattern",
                                     i);
            flush();
            m_pieces.push_back({{}, number});
            i = close;
        } else {
            throw BadReplacement("$ must be followed by a group number or {name}; write \\$ for "
                                 "a dollar sign",
                                 i);
        }
    }
    flush();
}

} // namespace vste::search
