// SPDX-License-Identifier: MIT
#include "core/StringUtils.h"

#include <algorithm>
#include <memory>

#include "encoding/CodePage.h"

namespace vste {

namespace {

using detail::kLabelTable;

// The byte a converter result stands for; '?' when the code page gave no single byte.
std::uint8_t SingleByteOf(const std::string& converted) {
    return converted.size() == 1 ? static_cast<std::uint8_t>(converted[0]) : std::uint8_t{'?'};
}

const PlainCodec& CodecFor(int codePage) {
    const int resolved = codePage == 0 ? ActiveCodePage() : codePage;
    thread_local std::unique_ptr<PlainCodec> cached;
    if (!cached || cached->codePage() != resolved) {
        cached = std::make_unique<PlainCodec>(resolved);
    }
    return *cached;
}

} // namespace

std::size_t LastPos(char c, std::string_view s) {
    const std::size_t at = s.rfind(c);
    return at == std::string_view::npos ? 0 : at + 1;
}

std::string_view QuotedPart(std::string_view s) {
    const std::size_t first = s.find('"');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = s.rfind('"');
    if (last <= first) {
        return {};
    }
    return s.substr(first + 1, last - first - 1);
}

std::string ExtractQuoted(std::string_view s) {
    return std::string(QuotedPart(s));
}

std::string StripComment(std::string_view s, std::uint8_t mode) {
    const std::string labels = FilterLabelChars(s);
    const std::size_t at = labels.find("//");
    const std::size_t p = at == std::string::npos ? 0 : at + 1;
    if (mode == 0) {
        return p == 1 ? std::string() : std::string(s);
    }
    if (mode == 1 && p > 1) {
        return std::string(s.substr(0, p - 1));
    }
    return std::string(s);
}

bool HasLabelChars(std::string_view s) {
    return std::any_of(s.begin(), s.end(),
                       [](char c) { return kLabelTable[static_cast<unsigned char>(c)]; });
}

std::string FilterLabelChars(std::string_view s) {
    std::string out(s.size(), '\0');
    char* p = out.data();
    for (char c : s) {
        *p = c;
        p += kLabelTable[static_cast<unsigned char>(c)] ? 1 : 0;
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
    return out;
}

bool IsEndKeyword(std::string_view s) {
    if (s.size() != 3) {
        return false;
    }
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    return upper(s[0]) == 'E' && upper(s[1]) == 'N' && upper(s[2]) == 'D';
}

PlainCodec::PlainCodec(int codePage)
    : m_codePage(codePage == 0 ? ActiveCodePage() : codePage), m_toAnsi(0x10000 - 0x80, -1) {
    for (int b = 0; b < 0x80; ++b) {
        m_toWide[static_cast<std::size_t>(b)] = static_cast<char16_t>(b);
    }
    for (int b = 0x80; b < 0x100; ++b) {
        const std::u16string wide = AnsiToWide(std::string(1, static_cast<char>(b)), m_codePage);
        // A byte the code page leaves undefined gets the private-use character that AnsiToWide
        // gives it, so that it converts back to the same byte.
        m_toWide[static_cast<std::size_t>(b)] =
            wide.size() == 1 ? wide[0] : static_cast<char16_t>(b);
    }
}

std::uint8_t PlainCodec::toAnsi(char16_t unit) const {
    if (unit < 0x80) {
        return static_cast<std::uint8_t>(unit);
    }
    std::int16_t& slot = m_toAnsi[unit - 0x80u];
    if (slot < 0) {
        slot = (IsHighSurrogate(unit) || IsLowSurrogate(unit))
                   ? std::int16_t{'?'}
                   : SingleByteOf(WideToAnsi(std::u16string(1, unit), m_codePage));
    }
    return static_cast<std::uint8_t>(slot);
}

std::uint8_t PlainCodec::pairToAnsi(char16_t high, char16_t low) const {
    const char16_t pair[2] = {high, low};
    return SingleByteOf(WideToAnsi(std::u16string_view(pair, 2), m_codePage));
}

std::size_t PlainCodec::writeAnsi(std::uint8_t* out, std::u16string_view text) const {
    std::uint8_t* p = out;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t u = text[i];
        if (u < 0x80) {
            *p++ = static_cast<std::uint8_t>(u);
        } else if (IsHighSurrogate(u) && i + 1 < n && IsLowSurrogate(text[i + 1])) {
            *p++ = pairToAnsi(u, text[i + 1]);
            ++i;
        } else {
            *p++ = toAnsi(u);
        }
    }
    return static_cast<std::size_t>(p - out);
}

void PlainCodec::appendWide(std::u16string& out, std::string_view text) const {
    const std::size_t start = out.size();
    out.resize(start + text.size());
    char16_t* p = out.data() + start;
    for (char c : text) {
        *p++ = m_toWide[static_cast<unsigned char>(c)];
    }
}

void PlainCodec::appendAnsi(std::string& out, std::u16string_view text) const {
    const std::size_t start = out.size();
    out.resize(start + text.size());
    const std::size_t written =
        writeAnsi(reinterpret_cast<std::uint8_t*>(out.data() + start), text);
    out.resize(start + written);
}

std::u16string PlainAnsiToWide(std::string_view text, int codePage) {
    std::u16string out;
    CodecFor(codePage).appendWide(out, text);
    return out;
}

std::string PlainWideToAnsi(std::u16string_view text, int codePage) {
    std::string out;
    CodecFor(codePage).appendAnsi(out, text);
    return out;
}

std::optional<std::string> StrNameProblem(std::string_view name) {
    if (name.empty())
        return "the name is empty";
    if (name.starts_with("//"))
        return "the name starts with //, which would make its line a comment";
    if (name.find("//") != std::string_view::npos)
        return "the name holds //, which would cut it there";
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n' || c == '\r')
            return "the name holds a line end";
        if (!IsLabelChar(byte))
            return std::string("the name holds the byte 0x") + kHex[byte >> 4] + kHex[byte & 15] +
                   ", which is not one of the STR label characters";
    }
    return std::nullopt;
}

} // namespace vste
