// SPDX-License-Identifier: MIT
// Placeholder definitions; replaced by the Empire at War implementation.
#include "core/EmpireAtWarStrings.h"

#include <stdexcept>

namespace vste {
std::unique_ptr<TEmpireAtWarStrings> TEmpireAtWarStrings::CreateFromFile(const std::string&, Progress&) { throw std::logic_error("todo"); }
std::unique_ptr<TEmpireAtWarStrings> TEmpireAtWarStrings::CreateFromBuffer(std::span<const std::uint8_t>, Progress&) { throw std::logic_error("todo"); }
TCat TEmpireAtWarStrings::GetCategories() const { return {}; }
void TEmpireAtWarStrings::SaveToFile(const std::string&, Progress&, bool) {}
void TEmpireAtWarStrings::AddString(TText text) { AppendString(std::move(text)); }
void TEmpireAtWarStrings::DeleteString(std::uint32_t index) { RemoveString(index); }
std::vector<std::uint8_t> TEmpireAtWarStrings::SaveToBuffer(Progress&, bool) const { return {}; }
} // namespace vste
