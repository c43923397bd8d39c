// SPDX-License-Identifier: MIT
// Recoding of the Cyrillic text of the Nox localisation by Fargus, whose font keeps Cyrillic
// letters at other positions than Windows-1251.
#pragma once

#include <string>
#include <string_view>

namespace vste {

// Fargus positions -> Windows-1251 positions, one UTF-16 code unit at a time.
std::u16string FargusToWindows1251(std::u16string_view value);
// Windows-1251 positions -> Fargus positions.
std::u16string Windows1251ToFargus(std::u16string_view value);

} // namespace vste
