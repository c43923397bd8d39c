// SPDX-License-Identifier: MIT
// The languages a CSF header's language number names, as language codes (BCP 47), and the other
// way round. Numbers that games use for different languages (3, 11, 12) and those no game is
// known to use name none.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vste {

// "en" for 0, "de" for 2, ...; nullopt for a number that names no one language.
std::optional<std::string_view> CsfLanguageCode(std::int32_t number);

// Whether two language codes name the same language as far as a memory is concerned: equal
// ignoring case, or one is the other with a region or script added ("en" and "en-US").
bool SameLanguage(std::string_view a, std::string_view b);

} // namespace vste
