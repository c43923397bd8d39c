// SPDX-License-Identifier: MIT
// Shared by the exchange reader targets: any bytes must end in rows or a clear ExchangeError, and
// the rows a reader gives must be what the apply step expects.
#pragma once

#include <span>

#include "FuzzSupport.h"
#include "exchange/Exchange.h"
#include "exchange/ExchangeText.h"

namespace vste::fuzz {

inline int ExchangeReader(std::vector<ImportRow> (*read)(std::span<const std::uint8_t>,
                                                         const ImportOptions&),
                          const std::uint8_t* data, std::size_t size) {
    std::vector<ImportRow> rows;
    try {
        rows = read(std::span<const std::uint8_t>(data, size), {});
    } catch (const ExchangeError& e) {
        Check(std::string_view(e.what()).size() < 1024, "an error message of over 1 KB");
        return 0; // a clear refusal is the right answer to a malformed file
    }
    for (const ImportRow& row : rows) {
        Check(row.valueNumber >= 1, "a row for value number 0");
        Check(!exchange::FindInvalidUtf8(row.name) && !exchange::FindInvalidUtf8(row.value),
              "a row whose name or value is not UTF-8");
        Check(!row.extra || !exchange::FindInvalidUtf8(*row.extra), "an extra that is not UTF-8");
    }
    return 0;
}

} // namespace vste::fuzz
