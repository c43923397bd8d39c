// SPDX-License-Identifier: MIT
// The msgctxt of a value in a PO file. Value 1 of a string is its name itself; value k > 1 is
// "NAME#k". A name that itself ends in '#' and digits gets "#1" for its first value too, so
// every context reads back as exactly one (name, value number): the number after the last '#'
// when the context ends in '#' and digits, else the whole context with value 1.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace vste::exchange {

std::string PoContext(std::string_view name, std::uint32_t valueNumber);
// The name and value number of a context; value number 0 when the digits overflow.
std::pair<std::string, std::uint32_t> ParsePoContext(std::string_view context);

} // namespace vste::exchange
