// SPDX-License-Identifier: MIT
// Conversion between wide (UTF-16) text and single-byte text of a Windows code page.
// The "active" code page stands for the system ANSI code page of the original platform: one of
// Windows-1250..1258 or 874, chosen once at start (option, VSTE_CODEPAGE, or the locale).
#pragma once

#include <string>
#include <string_view>
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

// UTF-8 <-> UTF-16 helpers for the command line and tests. An unpaired surrogate (and, from UTF-8,
// a malformed sequence) becomes U+FFFD. Neither stops at NUL.
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

} // namespace vste
