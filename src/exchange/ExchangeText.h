// SPDX-License-Identifier: MIT
// Text helpers the exchange writers and readers share.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "exchange/Exchange.h"

namespace vste::exchange {

// Appends the code point `c` (at most U+10FFFF) as UTF-8.
void AppendCodePoint(std::string& out, char32_t c);
// `text` in double quotes for a message, cut after about 80 characters ("..." marks the cut) so
// that a huge field cannot flood the message; without the quotes when `marks` is false.
std::string Quote(std::string_view text, bool marks = true);
// Appends `text` as UTF-8; false (with `out` partly written) at an unpaired surrogate.
bool AppendUtf8Strict(std::string& out, std::u16string_view text);
// Offset of the first byte that does not begin a well-formed UTF-8 sequence; nullopt when none.
std::optional<std::size_t> FindInvalidUtf8(std::string_view text);
// 1-based line of a byte offset (lines end at LF).
std::size_t LineOfOffset(std::string_view text, std::size_t offset);
// Throws ExchangeError ("line N: the file is not UTF-8 text") unless `text` is UTF-8.
void RequireUtf8(std::string_view text);
// `text` without a leading UTF-8 byte-order mark.
std::string_view WithoutBom(std::string_view text);
// The first character XML 1.0 cannot hold, even as a character reference (control characters
// other than tab, LF and CR; U+FFFE; U+FFFF); nullopt when none.
std::optional<char32_t> FindXmlForbidden(std::string_view utf8);
// "value 2 of the string "NAME"", with control characters of the name shown as \xHH.
std::string DescribeValue(const ExportEntry& entry);
// U+XXXX.
std::string CodePointText(char32_t c);
// `text` with A-Z lower-cased, for extensions, header names and charset names.
std::string Lower(std::string_view text);

} // namespace vste::exchange

namespace vste::exchange {

// Workbook text escapes: a character XML cannot hold, and CR (which XML readers turn into LF),
// is written as _xHHHH_, and a literal "_xHHHH_" gets its underscore escaped as _x005F_, so
// that reading with XlsxUnescape gives back exactly `utf8`.
void AppendXlsxEscaped(std::string& out, std::string_view utf8);
std::string XlsxUnescape(std::string_view text);

// `text` (UTF-8) appended to `out` as XML element text or, with `attribute`, as an attribute's
// value: markup characters and CR as references, and in attributes also LF and TAB, which XML
// would otherwise read back as spaces.
void AppendXmlEscaped(std::string& out, std::string_view text, bool attribute);

} // namespace vste::exchange
