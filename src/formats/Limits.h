// SPDX-License-Identifier: MIT
// What each file format's fields can hold, in one place: the largest name, value and extra value,
// the most strings, the largest file its offsets can describe, and how values are stored. The
// writers refuse a document beyond these limits with FormatError; checks use them to say so
// before a save.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/Message.h"
#include "core/Model.h"
#include "formats/Registry.h"

namespace vste {

inline constexpr std::uint64_t kNoLimit = UINT64_MAX;

// How the writer stores a value's characters.
enum class ValueStorage {
    Utf16,          // every code unit as it is
    CodePage,       // through WideToAnsi of the code page, one text per value
    CodePageInAnsi, // CSF: UTF-16, or through WideToAnsi when written single-byte
    PlainCodePage,  // STR: character by character through PlainCodec, line feeds escaped
};

struct FormatLimits {
    MessageId formatName = MessageId::FileCsf; // "a Dune 2000 file", for messages
    std::uint64_t nameBytes = kNoLimit;        // longest name, in bytes
    std::uint64_t valueUnits = kNoLimit; // longest value: code units, or bytes when single-byte
    std::uint64_t extraBytes = kNoLimit; // longest extra value, in bytes
    std::uint64_t strings = kNoLimit;    // most strings the count and tables can hold
    std::uint64_t fileBytes = kNoLimit;  // largest file the offset table can describe
    bool namesStored = true;             // false: the file has no names (numbers are made up)
    ValueStorage values = ValueStorage::Utf16;
};

// Throws std::invalid_argument for a value that is no DocumentFormat.
FormatLimits LimitsOf(DocumentFormat format);

// Whether the writer sends values through the code page for that format and CSF mode.
bool ValuesSingleByte(DocumentFormat format, bool ansiMode);

// The first string whose text would end beyond the format's file limit (fileBytes), computed as
// the writer lays the file out; nullopt when the whole table fits or the format has no such limit.
struct TableOverflow {
    std::size_t index;  // the string the writer would name in its FormatError
    std::uint64_t size; // the file's size up to the end of that string
};
std::optional<TableOverflow> FindTableOverflow(DocumentFormat format, const TCSFBody& body);

} // namespace vste
