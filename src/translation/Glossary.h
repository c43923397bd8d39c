// SPDX-License-Identifier: MIT
// Reading the agreed terms of a project from a CSV file.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "checks/Wording.h"

namespace vste {

// UTF-8 CSV whose header names the columns `term` and `translation` (in any order, ignoring case;
// other columns are ignored). Rows without a term are skipped. Throws ExchangeError
// ("line N: ...") for a file that is not such a CSV.
std::vector<GlossaryTerm> ReadGlossary(std::span<const std::uint8_t> data);

} // namespace vste
