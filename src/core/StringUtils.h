// SPDX-License-Identifier: MIT
// Text helpers of the STR format: label characters, quoted values, the END keyword, and the plain
// one-character-per-byte conversion between single-byte text and UTF-16.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "encoding/CodePage.h"

namespace vste {

// The 75 label characters, by which the STR reader tells a line's kind (StrLabels.h): the double
// quote, $ & ' + - . / : ? [ ] _, the digits and the letters A-Z, a-z. A name may hold any other
// byte as well; these only decide whether a line is blank, a comment or END.
namespace detail {
constexpr std::array<bool, 256> MakeLabelTable() {
    std::array<bool, 256> t{};
    for (unsigned char c : std::string_view("\"$&'+-./:?[]_")) {
        t[c] = true;
    }
    for (int c = '0'; c <= '9'; ++c) {
        t[static_cast<std::size_t>(c)] = true;
    }
    for (int c = 'A'; c <= 'Z'; ++c) {
        t[static_cast<std::size_t>(c)] = true;
        t[static_cast<std::size_t>(c + 32)] = true;
    }
    return t;
}
inline constexpr std::array<bool, 256> kLabelTable = MakeLabelTable();
} // namespace detail

inline bool IsLabelChar(unsigned char c) {
    return detail::kLabelTable[c];
}

// The text between the first and the last double quote of `s`; empty when `s` holds fewer than
// two double quotes. The view points into `s`.
std::string_view QuotedPart(std::string_view s);

// True when `s`, with a-z upper-cased, equals "END".
bool IsEndKeyword(std::string_view s);

// Plain conversion between single-byte text of a code page and UTF-16: every byte gives exactly
// one code unit and every character exactly one byte. Unlike AnsiToWide and WideToAnsi it runs
// over the whole text (NUL included) and composes nothing; a character the code page lacks
// becomes its one-byte look-alike or '?'. A view of the code page's shared codec: cheap to make.
class PlainCodec {
public:
    // codePage 0 means the active code page at construction.
    explicit PlainCodec(int codePage = 0) : m_codec(&CodePageCodec::Get(codePage)) {}

    int codePage() const { return m_codec->codePage(); }
    char16_t toWide(unsigned char byte) const { return m_codec->toWide(byte); }
    // One BMP code unit to its byte; a lone surrogate gives '?'.
    std::uint8_t toAnsi(char16_t unit) const { return m_codec->toByte(unit); }

    // Appends the conversion of `text` to `out`.
    void appendWide(std::u16string& out, std::string_view text) const {
        m_codec->appendWide(out, text);
    }
    void appendAnsi(std::string& out, std::u16string_view text) const;

    // Writes the conversion of `text` to `out`, which must have room for text.size() bytes;
    // returns the number of bytes written (a surrogate pair gives one byte).
    std::size_t writeAnsi(std::uint8_t* out, std::u16string_view text) const {
        return m_codec->writeBytes(out, text);
    }

private:
    const CodePageCodec* m_codec;
};

// One-shot plain conversions.
std::u16string PlainAnsiToWide(std::string_view text, int codePage = 0);
std::string PlainWideToAnsi(std::u16string_view text, int codePage = 0);

} // namespace vste
