// SPDX-License-Identifier: MIT
// Text helpers shared by the CSF document's categories and import.
#pragma once

#include <string>
#include <string_view>

namespace vste::csf {

// Upper-cases a label name (or part of one) by the letters of the active code page, exactly as
// AnsiUpperCase does, but through a per-byte table built once per code page, so that a million
// names cost a table look-up per byte instead of a code page conversion each.
std::string UpperCaseName(std::string_view name);
// The same, appended to `out` (no allocation once `out` has grown).
void AppendUpperCaseName(std::string_view name, std::string& out);

} // namespace vste::csf
