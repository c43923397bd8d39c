// SPDX-License-Identifier: MIT
// What the CSV and XLSX readers share: the columns found by header name, and value numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vste::exchange {

// 0-based column positions; -1 when the header lacks the column.
struct ExchangeColumns {
    int name = -1;
    int index = -1;
    int value = -1;
    int extra = -1;
};

// Header names compare without case and edge blanks.
std::string NormalizedHeader(std::string_view header);
// Finds the columns by name, in any order, ignoring other columns; the first of a repeated name
// counts. Throws ExchangeError ("WHERE: the header has no "value" column") when name, index or
// value is missing.
ExchangeColumns FindColumns(const std::vector<std::string>& header, const std::string& where);
// A 1-based value number. Throws ExchangeError naming `where` for anything else.
std::uint32_t ParseValueNumber(std::string_view text, const std::string& where);

// Calls `visit` with each record of a UTF-8 CSV file (separator found from the first line: comma,
// semicolon or tab) and the line it begins on. Throws ExchangeError for text that is not UTF-8
// and for broken quoting.
void ForEachCsvRecord(
    std::span<const std::uint8_t> data,
    const std::function<void(std::size_t line, std::vector<std::string>& fields)>& visit);

} // namespace vste::exchange
