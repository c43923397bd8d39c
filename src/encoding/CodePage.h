// SPDX-License-Identifier: MIT
// Conversion between wide (UTF-16) text and single-byte text of a Windows code page.
// The "active" code page stands for the system ANSI code page of the original platform: one of
// Windows-1250..1258 or 874, chosen once at start (option, VSTE_CODEPAGE, or the locale).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vste {

// 1250..1258 and 874, in menu order.
const std::vector<int>& SupportedCodePages();
bool IsSupportedCodePage(int codePage);

int ActiveCodePage();
// Throws std::invalid_argument for a code page that is not supported.
void SetActiveCodePage(int codePage);
// The code page a locale name such as "ru_RU.UTF-8" implies (1252 when nothing matches).
int CodePageForLocale(std::string_view localeName);
// Chooses the active code page from VSTE_CODEPAGE, else (on Windows) the system's ANSI code page,
// else from the locale (LC_ALL, LC_CTYPE, LANG).
void InitActiveCodePageFromEnvironment();

// codePage 0 means the active code page; any other code page outside SupportedCodePages() throws
// std::invalid_argument. Both stop at the first NUL. WideToAnsi composes to NFC first, writes a
// look-alike base letter for a character the code page lacks when one exists (U+0100 -> 'A'),
// drops a combining mark it cannot compose or store, and writes '?' otherwise. AnsiToWide maps a
// byte that the code page leaves undefined to U+F700 + byte, and WideToAnsi maps that back, so any
// single-byte text survives a round trip.
std::string WideToAnsi(std::u16string_view text, int codePage = 0);
std::u16string AnsiToWide(std::string_view text, int codePage = 0);
// Upper-cases single-byte text by the letters of the code page; a byte whose upper-case letter
// the code page lacks is kept. The length never changes; NUL bytes stay in place.
std::string AnsiUpperCase(std::string_view text, int codePage = 0);
// The same, appended to `out`: no allocation once `out` has grown, for callers that upper-case
// a million names in a row.
void AppendAnsiUpperCase(std::string_view text, std::string& out, int codePage = 0);

inline bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
inline bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The conversion tables of one code page, built once on first use and kept for the life of the
// program. Every conversion of a code page goes through its one codec: the functions above, the
// STR text, the Westwood text, every format and the window.
class CodePageCodec {
public:
    // The codec of `codePage`, 0 meaning the active code page. Safe from several threads.
    // Throws std::invalid_argument for a code page outside SupportedCodePages().
    static const CodePageCodec& Get(int codePage = 0);

    int codePage() const { return m_codePage; }
    // The character a byte stands for; a byte the code page leaves undefined gives U+F700 + byte.
    char16_t toWide(unsigned char byte) const { return m_toWide[byte]; }
    // The one byte that stands for a code unit: the character itself, else a look-alike base
    // letter (also for a letter that WideToAnsi spells as letter plus mark), else '?'. A
    // surrogate gives '?'.
    unsigned char toByte(char16_t unit) const { return m_fromWide[unit]; }

    // Plain conversions: byte for code unit over the whole text, NUL included, composing
    // nothing. appendWide appends one code unit per byte. writeBytes writes one byte per
    // character (a surrogate pair is one character, '?') to `out`, which must have room for
    // text.size() bytes, and returns the number of bytes written.
    void appendWide(std::u16string& out, std::string_view bytes) const;
    std::size_t writeBytes(std::uint8_t* out, std::u16string_view text) const;

    // WideToAnsi, AnsiToWide and AppendAnsiUpperCase of this code page.
    std::string toAnsi(std::u16string_view text) const;
    std::u16string toUnicode(std::string_view text) const;
    void appendUpperCase(std::string_view text, std::string& out) const;

    // toAnsi in at most text.size() bytes, for the formats that store one byte per code unit:
    // a letter that toAnsi spells as letter plus mark keeps that spelling while it fits, else
    // gets its one-byte look-alike, so nothing is cut. Stops at NUL.
    std::string toAnsiWithin(std::u16string_view text) const;

    CodePageCodec(const CodePageCodec&) = delete;
    CodePageCodec& operator=(const CodePageCodec&) = delete;

private:
    explicit CodePageCodec(int codePage);
    void buildDecompositions();
    void buildUpperCase();
    bool toAnsiByTable(std::u16string_view text, std::string& result) const;
    std::string toAnsiSlow(std::u16string_view text, std::size_t width) const;

    int m_codePage;
    std::array<char16_t, 256> m_toWide{};
    // Exact mapping, else look-alike base letter, else '?'.
    std::array<unsigned char, 65536> m_fromWide{};
    std::array<bool, 65536> m_exact{}; // m_fromWide holds the character itself
    // Characters toAnsi writes as a letter plus combining marks of the code page (1258, 1255).
    std::array<bool, 65536> m_expands{};
    std::unordered_map<char16_t, std::string> m_expansions;
    std::array<unsigned char, 256> m_upper{};
};

// UTF-8 <-> UTF-16 helpers for the command line and tests. An unpaired surrogate (and, from UTF-8,
// a malformed sequence) becomes U+FFFD. Neither stops at NUL.
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

} // namespace vste
