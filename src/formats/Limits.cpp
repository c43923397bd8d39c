// SPDX-License-Identifier: MIT
// The limits below are those the writers enforce: the Dune 2000 16-bit size fields (which count
// the terminator), the Westwood 16-bit offsets, the Malcolm's Revenge 16-bit count, sizes and
// offsets, the Blade Runner 32-bit offsets, and the 32-bit length fields of the other formats.
#include "formats/Limits.h"

#include <stdexcept>
#include <string>

#include "core/WestwoodText.h"

namespace vste {
namespace {

constexpr std::uint64_t k32 = 0xFFFFFFFFu;
constexpr std::uint64_t k16 = 0xFFFFu;

} // namespace

FormatLimits LimitsOf(DocumentFormat format) {
    FormatLimits l;
    switch (format) {
    case DocumentFormat::CSF:
        l = {MessageId::FileCsf, k32, k32, k32, k32, kNoLimit, true, ValueStorage::CodePageInAnsi};
        break;
    case DocumentFormat::STR:
        l = {MessageId::FileStr, kNoLimit, kNoLimit, kNoLimit,
             kNoLimit,           kNoLimit, true,     ValueStorage::PlainCodePage};
        break;
    case DocumentFormat::EmpireAtWar:
        l = {MessageId::FileEmpireAtWar, k32, k32, 0, k32, kNoLimit, true, ValueStorage::Utf16};
        break;
    case DocumentFormat::Dune2000:
        l = {MessageId::FileDune2000, k16 - 1, k16 - 1, 0, k32, kNoLimit, true,
             ValueStorage::CodePage};
        break;
    case DocumentFormat::Westwood:
        l = {MessageId::FileWestwood, kNoLimit, kNoLimit, 0, kNoLimit, kWestwoodMaxFileSize, false,
             ValueStorage::CodePage};
        break;
    case DocumentFormat::Liquid:
        l = {MessageId::FileLiquid, kNoLimit, k32 - 1, 0, k32, kNoLimit, false,
             ValueStorage::CodePage};
        break;
    case DocumentFormat::BladeRunner:
        l = {MessageId::FileBladeRunner, kNoLimit, k32, 0, k32, k32, false, ValueStorage::CodePage};
        break;
    case DocumentFormat::Malcolm:
        // The count, the identifiers and the offsets share 16-bit room: 2 + 4 * N <= 65535.
        l = {MessageId::FileMalcolm, kNoLimit, k16 - 1, 0,
             (k16 - 2) / 4,          k16,      false,   ValueStorage::CodePage};
        break;
    default:
        throw std::invalid_argument("Unknown document format " +
                                    std::to_string(static_cast<int>(format)));
    }
    return l;
}

bool ValuesSingleByte(DocumentFormat format, bool ansiMode) {
    const ValueStorage storage = LimitsOf(format).values;
    return storage == ValueStorage::CodePage || storage == ValueStorage::PlainCodePage ||
           (storage == ValueStorage::CodePageInAnsi && ansiMode);
}

std::optional<TableOverflow> FindTableOverflow(DocumentFormat format, const TCSFBody& body) {
    const std::uint64_t count = body.size();
    switch (format) {
    case DocumentFormat::Westwood: {
        // Offsets, one closing offset, then each text and its NUL, and a final NUL. Texts are
        // counted in the bytes the writer stores, which may outnumber the characters.
        std::uint64_t end = 2 * count + 2;
        for (std::size_t i = 0; i < body.size(); ++i) {
            end += FirstValueBytes(body[i]).size() + 1;
            if (end + 1 > kWestwoodMaxFileSize)
                return TableOverflow{i, end + 1};
        }
        return std::nullopt;
    }
    case DocumentFormat::Malcolm: {
        // Every text must start at an offset that 16 bits can hold.
        std::uint64_t start = 2 + 4 * count;
        for (std::size_t i = 0; i < body.size(); ++i) {
            const std::uint64_t size = FirstValueBytes(body[i]).size() + 1;
            if (start > k16)
                return TableOverflow{i, start + size};
            start += size;
        }
        return std::nullopt;
    }
    case DocumentFormat::BladeRunner: {
        std::uint64_t end = 4 + 8 * count;
        for (std::size_t i = 0; i < body.size(); ++i) {
            end += FirstValueBytes(body[i]).size() + 1;
            if (end > k32)
                return TableOverflow{i, end};
        }
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

} // namespace vste
