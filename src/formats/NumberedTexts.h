// SPDX-License-Identifier: MIT
// What the Blade Runner and Malcolm's Revenge string files share: strings named by a numeric
// identifier, and NUL-terminated texts in the active code page whose sizes are the differences
// of an offset table.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/Model.h"

namespace vste::detail {

// The identifier a string is named by: its name, an unsigned decimal number not above `max`.
// Throws FormatError naming the string otherwise.
std::uint32_t IdentifierOfName(const TText& text, std::uint32_t max);

// Reads the texts of `ids.size()` strings one after another from the reader's position. Text k
// takes bounds[k + 1] - bounds[k] bytes, its NUL included, so `bounds` holds one value more than
// `ids`. The texts follow tables of even size, so the first bound can be neither smaller than
// `tablesEnd` nor odd; every text holds at least its NUL. Throws ReadError for a table that breaks
// these rules or texts that pass the end, before anything is allocated for them.
TCSFBody ReadNumberedTexts(ByteReader& in, std::span<const std::uint32_t> ids,
                           std::span<const std::uint64_t> bounds, std::uint64_t tablesEnd);

// The identifiers and the texts (first value, converted to the active code page) of every string.
struct NumberedTexts {
    std::vector<std::uint32_t> ids;
    std::vector<std::string> texts;
};
// Throws FormatError naming the first string whose name is not an identifier up to `maxId`.
NumberedTexts CollectNumberedTexts(const TCSFBody& body, std::uint32_t maxId);

// Appends every text followed by its NUL.
void WriteNulTerminated(ByteWriter& out, const std::vector<std::string>& texts);

} // namespace vste::detail
