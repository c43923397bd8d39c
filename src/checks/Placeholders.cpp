// SPDX-License-Identifier: MIT
#include "checks/Placeholders.h"

#include <algorithm>

#include "encoding/CodePage.h"

namespace vste {
namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Parses the placeholder that starts at value[at] == '%'; returns its length, or 0 when the
// text there is no placeholder.
std::size_t Parse(std::u16string_view value, std::size_t at, Placeholder& out) {
    std::size_t k = at + 1;
    const auto peek = [&](std::size_t i) { return i < value.size() ? value[i] : u'\0'; };
    out.kind.clear();
    out.position = 0;
    std::size_t digits = k;
    while (IsDigit(peek(digits)))
        ++digits;
    if (digits > k && peek(digits) == u'$') {
        const std::u16string_view number = value.substr(k, digits - k);
        if (number.size() > 4)
            return 0;
        for (char16_t c : number)
            out.position = out.position * 10 + (c - u'0');
        k = digits + 1;
    }
    while (std::u16string_view(u"-+ #0").find(peek(k)) != std::u16string_view::npos && peek(k))
        ++k;
    const auto widthOrStar = [&] {
        if (peek(k) == u'*') {
            out.kind += '*';
            ++k;
        }
        while (IsDigit(peek(k)))
            ++k;
    };
    widthOrStar();
    if (peek(k) == u'.') {
        ++k;
        widthOrStar();
    }
    while (peek(k) == u'l' || peek(k) == u'h' || peek(k) == u'L') {
        out.kind += static_cast<char>(peek(k));
        ++k;
    }
    const char16_t conversion = peek(k);
    if (std::u16string_view(u"sdiuxXcfS").find(conversion) == std::u16string_view::npos ||
        conversion == 0)
        return 0;
    out.kind += static_cast<char>(conversion);
    return k + 1 - at;
}

Message Show(const std::vector<Placeholder>& list) {
    if (list.empty())
        return Message(MessageId::NoPlaceholders);
    std::u16string text;
    for (const Placeholder& p : list) {
        if (!text.empty())
            text += u' ';
        text += p.text;
    }
    return Utf16ToUtf8(text);
}

std::vector<std::pair<int, std::string>> Positional(const std::vector<Placeholder>& list) {
    std::vector<std::pair<int, std::string>> keys;
    for (const Placeholder& p : list)
        if (p.position > 0)
            keys.emplace_back(p.position, p.kind);
    std::sort(keys.begin(), keys.end());
    return keys;
}

std::vector<std::string> Plain(const std::vector<Placeholder>& list) {
    std::vector<std::string> kinds;
    for (const Placeholder& p : list)
        if (p.position == 0)
            kinds.push_back(p.kind);
    return kinds;
}

} // namespace

std::vector<Placeholder> FindPlaceholders(std::u16string_view value) {
    std::vector<Placeholder> found;
    Placeholder p;
    for (std::size_t k = value.find(u'%'); k != std::u16string_view::npos;
         k = value.find(u'%', k)) {
        if (k + 1 < value.size() && value[k + 1] == u'%') {
            k += 2;
            continue;
        }
        const std::size_t length = Parse(value, k, p);
        if (length == 0) {
            ++k;
            continue;
        }
        p.text = value.substr(k, length);
        found.push_back(p);
        k += length;
    }
    return found;
}

std::optional<Message> PlaceholderMismatch(std::u16string_view value,
                                           std::u16string_view reference) {
    const std::vector<Placeholder> mine = FindPlaceholders(value);
    const std::vector<Placeholder> theirs = FindPlaceholders(reference);
    if (Plain(mine) == Plain(theirs) && Positional(mine) == Positional(theirs))
        return std::nullopt;
    return Message(MessageId::PlaceholdersDiffer, {Show(mine), Show(theirs)});
}

} // namespace vste
