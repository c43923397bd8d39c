// SPDX-License-Identifier: MIT
// The Fargus font keeps the 64 Cyrillic letters one position later than Windows-1251 (its first
// position holding the last letter), and the signs from 0xAF upward one position later too. The
// recoding moves every code unit, not only single-byte ones, so that text already decoded to
// Unicode Cyrillic moves the same way.
#include "encoding/Fargus.h"

namespace vste {

std::u16string FargusToWindows1251(std::u16string_view value) {
    std::u16string result(value);
    for (char16_t& c : result) {
        if (c <= 0xAE)
            continue;
        c = c == 0xC0 ? char16_t{0xFF} : static_cast<char16_t>(c - 1);
    }
    return result;
}

std::u16string Windows1251ToFargus(std::u16string_view value) {
    std::u16string result(value);
    for (char16_t& c : result) {
        if (c <= 0xAD)
            continue;
        // 0xFFFF wraps to 0, as the layout's arithmetic on 16-bit characters does.
        c = c == 0xFF ? char16_t{0xC0} : static_cast<char16_t>(c + 1);
    }
    return result;
}

} // namespace vste
