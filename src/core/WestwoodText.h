// SPDX-License-Identifier: MIT
// The letter-pair text compression of the Westwood string files, the writer of their editor
// form, and the single-byte text conversions shared by the Westwood, Liquid and Dune 2000 formats.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Model.h"
#include "core/Progress.h"

namespace vste {

// First letters of the compressed pairs, by row (bits 3 to 6 of the byte).
inline constexpr char kWestwoodFirstLetters[17] = " etainosrlhcdupm";
// Second letters of the compressed pairs: row k, column j (bits 0 to 2 of the byte).
inline constexpr char kWestwoodFollowers[16][9] = {
    "tasio wb", " rnsdalm", "h ieoras", "nrtlc sy", "nstcloer", " dtgesio", "nr ufmsw", " tep.ica",
    "e oiadur", " laeiyod", "eia otru", "etoakhlr", " eiu,.oa", "nsrctlai", "leoiratp", "eaoip bm"};

// The largest file a Westwood string table can describe with its 16-bit offsets.
inline constexpr std::size_t kWestwoodMaxFileSize = 65536;

// Expands one compressed string: a byte from 0x80 up stands for a letter pair, 0x1B escapes the
// next byte (stored minus 0x7F), 0x0D is a line break, any other control byte becomes 0xA7.
std::string DecompressWestwoodText(std::string_view source);

// Encodes the editor form of a Westwood string file: N + 1 offsets (the last one pointing at a
// final empty entry), then the first value of every string, uncompressed and NUL-terminated.
// Throws FormatError naming the first string that would push the file beyond 65536 bytes.
std::vector<std::uint8_t> EncodeWestwoodStrings(const TCSFBody& body, Progress& progress);

// Single-byte text of the active code page to wide text, stopping at the first NUL.
std::u16string BytesToWide(std::string_view bytes);

// The bytes of the active code page for `text`, up to its first NUL: WideToAnsi, with a
// shortcut for ASCII. May be longer than the text (1258, 1255 spell some letters with a mark).
std::string WideToBytes(std::u16string_view text);
// WideToBytes of the first value of `text`, the one value these formats store; empty when the
// string has no value.
std::string FirstValueBytes(const TText& text);

} // namespace vste
