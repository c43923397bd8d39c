// SPDX-License-Identifier: MIT
// Placeholder definitions; replaced by the STR reader and writer.
#include "core/CompiledStrings.h"

#include <stdexcept>

namespace vste {
std::unique_ptr<TCompiledStrings> TCompiledStrings::CreateFromSTRFile(const std::string&, Progress&) { throw std::logic_error("todo"); }
std::unique_ptr<TCompiledStrings> TCompiledStrings::CreateFromSTRBuffer(std::span<const std::uint8_t>, Progress&) { throw std::logic_error("todo"); }
void TCompiledStrings::SaveToSTR(const std::string&, Progress&) {}
std::vector<std::uint8_t> TCompiledStrings::SaveToSTRBuffer(Progress&) const { return {}; }
} // namespace vste
