// SPDX-License-Identifier: MIT
// Table editing shared by the Empire at War and CSF documents. The Empire at War reader,
// writer and categories live in formats/EmpireAtWarStrings.cpp.
#include "core/EmpireAtWarStrings.h"

#include <stdexcept>

namespace vste {

void TEmpireAtWarStrings::AppendString(TText text) { Body.push_back(std::move(text)); }

void TEmpireAtWarStrings::RemoveString(std::uint32_t index) {
    if (index >= Body.size())
        throw std::out_of_range("String index " + std::to_string(index) + " is outside the table");
    Body.erase(Body.begin() + index);
}

} // namespace vste
