// SPDX-License-Identifier: MIT
// Placeholder definitions; replaced by the CSF and STR implementation.
#include "core/CompiledStrings.h"

#include <stdexcept>

namespace vste {
std::unique_ptr<TCompiledStrings> TCompiledStrings::CreateFromFile(const std::string&, Progress&, bool&) { throw std::logic_error("todo"); }
std::unique_ptr<TCompiledStrings> TCompiledStrings::CreateFromBuffer(std::span<const std::uint8_t>, Progress&, bool&) { throw std::logic_error("todo"); }
TCat TCompiledStrings::GetCategories() const { return {}; }
void TCompiledStrings::SaveToFile(const std::string&, Progress&, bool) {}
void TCompiledStrings::AddString(TText text) { AppendString(std::move(text)); }
void TCompiledStrings::DeleteString(std::uint32_t index) { RemoveString(index); }
void TCompiledStrings::SetVersion(std::int32_t) {}
void TCompiledStrings::SetLanguage(std::int32_t) {}
void TCompiledStrings::DecodeFargusCyrillic() {}
void TCompiledStrings::EncodeFargusCyrillic() {}
void TCompiledStrings::DecodeAnsiValues() {}
void TCompiledStrings::ImportStrings(TWestwoodStrings&, Progress&) {}
std::vector<std::uint8_t> TCompiledStrings::SaveToBuffer(Progress&, bool) const { return {}; }
} // namespace vste
