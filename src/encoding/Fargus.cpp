// SPDX-License-Identifier: MIT
// Placeholder; replaced by the Fargus recoding.
#include "encoding/Fargus.h"
namespace vste {
std::u16string FargusToWindows1251(std::u16string_view v) { return std::u16string(v); }
std::u16string Windows1251ToFargus(std::u16string_view v) { return std::u16string(v); }
} // namespace vste
